#include "windows/measurements/savedfile.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <span>

#include "configuration/atomicfile.h"
#include "windows/configuration/savedialog.h"

namespace measurementwindows {

configurationwindow::SaveDialog* openFileSave(const QString& title, const QString& extension,
                                              const QString& initialName, ContentMaker content,
                                              platform::MessageBoxes& messageBoxes,
                                              platform::SaveLocations& saveLocations, QWidget* mainWindow) {
    configurationwindow::FileSaving saving{
        {title, QStringLiteral("Répertoire:"), QStringLiteral("Fichiers enregistrés"),
         QStringLiteral("ENREGISTRER"), QStringLiteral("*") + extension},
        extension,
        initialName,
        {},
        [content = std::move(content)](const QString& path) {
            const std::optional<QByteArray> bytes = content ? content() : std::nullopt;
            if (!bytes) return false;
            return configuration::writeFileAtomically(
                path.toStdU16String(),
                std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(bytes->constData()),
                                               static_cast<std::size_t>(bytes->size())));
        },
        false};
    auto* dialog =
        new configurationwindow::SaveDialog(messageBoxes, saveLocations, std::move(saving), mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

QHBoxLayout* okCancelButtons(QDialog& dialog, std::function<void()> choose) {
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Annuler"), &dialog);
    cancel->setObjectName(QStringLiteral("annuler"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    QObject::connect(ok, &QPushButton::clicked, &dialog, std::move(choose));
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    return buttons;
}

}  // namespace measurementwindows
