#pragma once
// Message boxes behind an interface, so that tests answer them instead of a person.
#include <QString>

namespace platform {

enum class MessageIcon { Information, Stop, Exclamation, Question };
// RestoreIgnore: "Restaurer" and "Ignorer", for work left by a program that did not close.
enum class MessageButtons { Ok, OkCancel, YesNo, RestoreIgnore };
enum class MessageAnswer { Ok, Cancel, Yes, No, Restore, Ignore };

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
