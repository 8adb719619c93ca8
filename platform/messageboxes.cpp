#include "platform/messageboxes.h"

namespace platform {

MessageAnswer refusal(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::OkCancel:
            return MessageAnswer::Cancel;
        case MessageButtons::YesNo:
            return MessageAnswer::No;
        case MessageButtons::RestoreIgnore:
            return MessageAnswer::Ignore;
    }
    return MessageAnswer::Cancel;
}

bool isAnswerOf(MessageAnswer answer, MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return answer == MessageAnswer::Ok;
        case MessageButtons::OkCancel:
            return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
        case MessageButtons::YesNo:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
        case MessageButtons::RestoreIgnore:
            return answer == MessageAnswer::Restore || answer == MessageAnswer::Ignore;
    }
    return false;
}

}  // namespace platform
