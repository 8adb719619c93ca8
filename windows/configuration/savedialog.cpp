#include "windows/configuration/savedialog.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "configuration/configurationfile.h"
#include "platform/directorylist.h"
#include "platform/filelist.h"
#include "platform/messageboxes.h"
#include "platform/savelocations.h"
#include "state/situationactions.h"
#include "windows/configuration/filenames.h"
#include "workbench/document.h"

namespace configurationwindow {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

SaveDialog::SaveDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                       platform::SaveLocations& saveLocations, QWidget* mainWindow)
    : SaveDialog(messageBoxes, saveLocations,
                 {{QStringLiteral("Enregistrer les paramètres."), QStringLiteral("Répertoire:"),
                   QStringLiteral("Fichiers enregistrés"), QStringLiteral("ENREGISTRER"),
                   QStringLiteral("*") + extension()},
                  extension(),
                  document.configurationPath(),
                  [&document](const QString& path) { document.setConfigurationPath(path); },
                  [&document](const QString& path) { return document.saveBenchTo(path); },
                  true},
                 mainWindow) {
    // The pointer is back to normal before the write failure is shown.
    connect(&document, &workbench::Document::saveFailed, this, &SaveDialog::stayOpen);
}

SaveDialog::SaveDialog(platform::MessageBoxes& messageBoxes, platform::SaveLocations& saveLocations,
                       FileSaving saving, QWidget* mainWindow)
    : ConfigurationDialog(messageBoxes, saving.captions, mainWindow),
      m_saveLocations(saveLocations),
      m_saving(std::move(saving)) {
    setObjectName(QStringLiteral("enregistrer"));
    m_nameBox = new QLineEdit(this);
    m_nameBox->setObjectName(QStringLiteral("Text1"));
    setNameBox(m_nameBox, QStringLiteral("Nom du fichier:"));
    // Not the current directory: clicking an exercise or a configuration moves it, into the
    // program's data too.
    m_folders->setPath(m_saveLocations.startFolder());
    const QString last = m_saving.initialName;
    m_nameBox->setText(m_saveLocations.isInDataFolder(last) ? fileNamePart(last) : last);

    connect(m_files, &platform::FileList::pathChanged, this, &SaveDialog::keepOnlyFileName);
    connect(m_files, &platform::FileList::fileDoubleClicked, this, &SaveDialog::saveOverListedFile);
    connect(m_nameBox, &QLineEdit::returnPressed, this, &SaveDialog::saveTypedName);
    connect(m_actionButton, &QPushButton::clicked, this, &SaveDialog::saveTypedName);
}

void SaveDialog::keepOnlyFileName() {
    if (holdsSeparator(m_nameBox->text())) m_nameBox->setText(fileNamePart(m_nameBox->text()));
}

void SaveDialog::saveOverListedFile(const QString& name) {
    m_nameBox->setText(name);
    save(name);
}

void SaveDialog::stayOpen() {
    unsetCursor();
}

void SaveDialog::showWriteFailure() {
    stayOpen();
    const auto& message = configuration::kWriteFailedMessage;
    m_messageBoxes.show(MessageIcon::Stop,
                        QString::fromUtf8(message.text.data(), static_cast<qsizetype>(message.text.size())),
                        QString::fromUtf8(message.title.data(), static_cast<qsizetype>(message.title.size())),
                        MessageButtons::Ok);
}

void SaveDialog::saveTypedName() {
    save(QString());
}

void SaveDialog::save(const QString& listedName) {
    setCursor(Qt::WaitCursor);
    if (listedName.isEmpty()) {
        const CleanedName name = cleanName(m_nameBox->text());
        m_nameBox->setText(name.text);
        if (!name.named) {
            stayOpen();
            m_messageBoxes.show(MessageIcon::Stop, QStringLiteral("Il faut donner un nom au fichier!"),
                                QStringLiteral("Enregistrement impossible"), MessageButtons::Ok);
            return;
        }
        m_nameBox->setText(
            replacedFile(savePath(name.text, m_folders->path(), m_saving.extension), m_saving.extension));
    } else {
        // Cleaning "essai.v2.c13" would name another file than the one the pupil pointed at.
        m_nameBox->setText(inFolder(m_files->path(), listedName));
    }
    const QString path = m_nameBox->text();
    if (m_saving.notePath) m_saving.notePath(path);
    QDir::setCurrent(m_files->path());
    // The shipped data is never written, even where the system allows it: a failed write.
    if (m_saveLocations.isInDataFolder(path)) {
        showWriteFailure();
        return;
    }
    // Any file counts here, a hidden one too: it would be replaced without a word otherwise.
    if (QFileInfo(path).isFile()) {
        const MessageAnswer answer =
            m_messageBoxes.show(MessageIcon::Exclamation, QStringLiteral("Ecraser le fichier existant?"),
                                QStringLiteral("Ce fichier existe déjà!"), MessageButtons::YesNo);
        if (answer != MessageAnswer::Yes) {
            stayOpen();
            return;
        }
    }
    if (!m_saving.write || !m_saving.write(path)) {
        if (m_saving.writerReportsFailure) {
            stayOpen();
        } else {
            showWriteFailure();
        }
        return;
    }
    m_saveLocations.noteSaved(path);
    close();
}

SaveDialog* openSaveDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                           platform::SaveLocations& saveLocations, QWidget* mainWindow) {
    auto* dialog = new SaveDialog(document, messageBoxes, saveLocations, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace configurationwindow
