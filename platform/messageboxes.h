#pragma once
// Message boxes behind an interface, so that tests answer them instead of a person.
#include <QString>

namespace platform {

enum class MessageIcon { Information, Stop, Exclamation, Question };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Modal: returns the button chosen.
    virtual MessageAnswer show(MessageIcon icon, const QString& text, const QString& title,
                               MessageButtons buttons) = 0;
};

// The answer that keeps the state when a box is dismissed without a choice.
MessageAnswer refusal(MessageButtons buttons);
bool isAnswerOf(MessageAnswer answer, MessageButtons buttons);

}  // namespace platform
