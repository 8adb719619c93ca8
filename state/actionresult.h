#pragma once
// What an action of the bench did: which parts of the bench changed, the messages to show in
// order, the hint, the question to ask, and the drawing steps the illustration must take. The
// controller shows the messages, asks the question and redraws; the state itself shows nothing.
#include <optional>
#include <string>
#include <vector>

#include "state/apparatusscene.h"

namespace state {

// The parts of the bench an action may change, for the views that show them.
enum class Changed : unsigned {
    Readings = 1u << 0,        // the pH-meter, the poured volume, the texts of the fields
    Controls = 1u << 1,        // choices, switches, locks, the tool bar, the current situation
    History = 1u << 2,         // the completed situations
    Graph = 1u << 3,           // what the graph shows
    Rows = 1u << 4,            // the measurements
    Step = 1u << 5,            // the measuring step
    Tap = 1u << 6,             // the tap opened or closed
    PouringStarted = 1u << 7,  // the tap's ticks start again from now
    DropStarted = 1u << 8,     // a drop starts falling from now
};

class Changes {
  public:
    Changes() = default;
    Changes(Changed changed) : m_bits(static_cast<unsigned>(changed)) {}

    void add(Changed changed) { m_bits |= static_cast<unsigned>(changed); }
    void add(Changes changes) { m_bits |= changes.m_bits; }
    bool has(Changed changed) const { return (m_bits & static_cast<unsigned>(changed)) != 0; }
    bool none() const { return m_bits == 0; }
    bool operator==(const Changes&) const = default;

  private:
    unsigned m_bits = 0;
};

enum class MessageIcon { Information, Stop };

// A message box with an OK button.
struct Message {
    MessageIcon icon = MessageIcon::Information;
    std::string text;
    std::string title;
    bool operator==(const Message&) const = default;
};

// A question the controller asks; the answer decides which action follows.
enum class Question {
    None,
    // The burette is empty: start the titration again? Yes: restartTitration.
    RestartTitration,
};

struct ActionResult {
    Changes changes;
    std::vector<Message> messages;
    std::optional<std::string> hint;
    Question question = Question::None;
    // In the order they are taken. A step that draws the drawing layer again makes the steps on
    // it since the last background pointless: they are left out.
    std::vector<ApparatusPaint> apparatus;

    void add(Changed changed) { changes.add(changed); }
    void inform(MessageIcon icon, std::string text, std::string title);
    void paint(const ApparatusPaint& step);
};

}  // namespace state
