#include "platform/qtmessageboxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

QMessageBox::Icon qtIcon(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Information:
            return QMessageBox::Information;
        case MessageIcon::Stop:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Question:
            return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

MessageAnswer QtMessageBoxes::show(MessageIcon icon, const QString& text, const QString& title,
                                   MessageButtons buttons) {
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::NoButton, m_parent);
    QPushButton* first = nullptr;
    QPushButton* second = nullptr;
    switch (buttons) {
        case MessageButtons::Ok:
            first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            box.setEscapeButton(first);
            break;
        case MessageButtons::OkCancel:
            first = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            second = box.addButton(QStringLiteral("Annuler"), QMessageBox::RejectRole);
            box.setEscapeButton(second);
            break;
        case MessageButtons::YesNo:
            first = box.addButton(QStringLiteral("Oui"), QMessageBox::YesRole);
            second = box.addButton(QStringLiteral("Non"), QMessageBox::NoRole);
            box.setEscapeButton(second);
            break;
        case MessageButtons::RestoreIgnore:
            first = box.addButton(QStringLiteral("Restaurer"), QMessageBox::AcceptRole);
            second = box.addButton(QStringLiteral("Ignorer"), QMessageBox::RejectRole);
            box.setEscapeButton(second);
            break;
    }
    box.setDefaultButton(first);
    box.exec();
    const bool firstChosen = box.clickedButton() != nullptr && box.clickedButton() == first;
    switch (buttons) {
        case MessageButtons::Ok:
            return MessageAnswer::Ok;
        case MessageButtons::OkCancel:
            return firstChosen ? MessageAnswer::Ok : MessageAnswer::Cancel;
        case MessageButtons::YesNo:
            return firstChosen ? MessageAnswer::Yes : MessageAnswer::No;
        case MessageButtons::RestoreIgnore:
            return firstChosen ? MessageAnswer::Restore : MessageAnswer::Ignore;
    }
    return refusal(buttons);
}

}  // namespace platform
