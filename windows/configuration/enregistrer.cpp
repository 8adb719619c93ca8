#include "windows/configuration/enregistrer.h"

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
#include "workbench/mainwindow.h"

namespace configurationwindow {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

Enregistrer::Enregistrer(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                         platform::SaveLocations& saveLocations, QWidget* mainWindow)
    : ConfigurationDialog(document, messageBoxes,
                          {QStringLiteral("Enregistrer les paramètres."), QStringLiteral("Répertoire:"),
                           QStringLiteral("Fichiers enregistrés"), QStringLiteral("ENREGISTRER")},
                          mainWindow),
      m_saveLocations(saveLocations) {
    setObjectName(QStringLiteral("enregistrer"));
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    setNameBox(m_text1, QStringLiteral("Nom du fichier:"));
    // Not the current directory: clicking an exercise or a configuration moves it, into the
    // program's data too.
    m_dir1->setPath(m_saveLocations.startFolder());
    const QString last = m_document.configurationPath();
    m_text1->setText(m_saveLocations.isInDataFolder(last) ? fileNamePart(last) : last);

    connect(m_file1, &platform::FileList::pathChanged, this, &Enregistrer::File1_PathChange);
    connect(m_file1, &platform::FileList::fileDoubleClicked, this, &Enregistrer::File1_DblClick);
    connect(m_text1, &QLineEdit::returnPressed, this, &Enregistrer::Command1_Click);
    connect(m_command1, &QPushButton::clicked, this, &Enregistrer::Command1_Click);
    // The pointer is back to normal before the write failure is shown.
    connect(&m_document, &workbench::Document::saveFailed, this, &Enregistrer::stayOpen);
}

void Enregistrer::File1_PathChange() {
    if (holdsSeparator(m_text1->text())) m_text1->setText(fileNamePart(m_text1->text()));
}

void Enregistrer::File1_DblClick(const QString& name) {
    m_text1->setText(name);
    save(name);
}

void Enregistrer::stayOpen() {
    unsetCursor();
}

void Enregistrer::Command1_Click() {
    save(QString());
}

void Enregistrer::save(const QString& listedName) {
    setCursor(Qt::WaitCursor);
    if (listedName.isEmpty()) {
        const CleanedName name = cleanName(m_text1->text());
        m_text1->setText(name.text);
        if (!name.named) {
            stayOpen();
            m_messageBoxes.show(MessageIcon::Stop, QStringLiteral("Il faut donner un nom au fichier!"),
                                QStringLiteral("Enregistrement impossible"), MessageButtons::Ok);
            return;
        }
        m_text1->setText(replacedFile(savePath(name.text, m_dir1->path())));
    } else {
        // Cleaning "essai.v2.c13" would name another file than the one the pupil pointed at.
        m_text1->setText(inFolder(m_file1->path(), listedName));
    }
    const QString path = m_text1->text();
    m_document.setConfigurationPath(path);
    QDir::setCurrent(m_file1->path());
    // The shipped data is never written, even where the system allows it: a failed write.
    if (m_saveLocations.isInDataFolder(path)) {
        stayOpen();
        const auto& message = configuration::kWriteFailedMessage;
        m_messageBoxes.show(
            MessageIcon::Stop,
            QString::fromUtf8(message.text.data(), static_cast<qsizetype>(message.text.size())),
            QString::fromUtf8(message.title.data(), static_cast<qsizetype>(message.title.size())),
            MessageButtons::Ok);
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
    if (!m_document.SaveConfiguration(path)) {
        stayOpen();
        return;
    }
    m_saveLocations.noteSaved(path);
    close();
}

Enregistrer* openEnregistrer(workbench::MainWindow& window) {
    workbench::BenchController& bench = window.workbench();
    if (bench.state().situations.current >= 0)
        bench.perform(state::switchSituation, bench.state().situations.current);
    auto* dialog =
        new Enregistrer(window.document(), window.services().messageBoxes, window.saveLocations(), &window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace configurationwindow
