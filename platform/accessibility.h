#pragma once
// What the program tells a screen reader: names and descriptions of controls taken from a table,
// and announcements of what changed where the pupil is not looking (a new measurement, the end of
// a titration, a corrected value). Qt 6.4 has no announcement event of its own: the announcer
// renames a status object of the window, which the accessibility bus reports as a name change
// followed by an alert.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <span>

class QWidget;

namespace platform {

// The accessible name, and where its use is not obvious the description, of the control whose
// object name is `object`.
struct AccessibleText {
    const char* object;
    const char* name;
    const char* description = nullptr;
};

// Gives every control of `root`'s window under `root` (and `root` itself) that the table names
// its name and description; the others, and the windows opened over it, are left alone. Returns how many
// controls were named.
int nameControls(QWidget& root, std::span<const AccessibleText> texts);

// Qt on Linux gives a drop-down list its current choice as its name, so that a screen reader hears
// "aucun" for a list of indicators set to none. From this call on, every list is named after what
// it chooses, its accessible name when it has one, followed on Linux by its choice ("Indicateur
// coloré : aucun"), which it also gives as its value. The lists already under `root` are
// presented so as well; made before any list, the call leaves nothing to present again.
void nameListsAfterWhatTheyChoose(QWidget* root = nullptr);

// Sets a name or a description only when it changes, so that the bus is told of real changes.
void setAccessibleName(QWidget& widget, const QString& name);
void setAccessibleDescription(QWidget& widget, const QString& description);

class Announcer {
  public:
    virtual ~Announcer() = default;
    // Said once by the screen reader, without moving the focus.
    virtual void announce(const QString& text) = 0;
};

// Announces by renaming `region`, a status line of the window, and raising an alert on it.
class StatusAnnouncer : public Announcer {
  public:
    explicit StatusAnnouncer(QWidget* region) : m_region(region) {}
    void announce(const QString& text) override;

  private:
    QPointer<QWidget> m_region;
};

// Keeps what was announced, for tests.
class RecordingAnnouncer : public Announcer {
  public:
    void announce(const QString& text) override { m_texts.append(text); }
    const QStringList& texts() const { return m_texts; }
    void clear() { m_texts.clear(); }

  private:
    QStringList m_texts;
};

}  // namespace platform
