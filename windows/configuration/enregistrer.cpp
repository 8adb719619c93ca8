#include "windows/configuration/enregistrer.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>

#include "platform/directorylist.h"
#include "platform/filelist.h"
#include "platform/messageboxes.h"
#include "windows/configuration/filenames.h"
#include "workbench/document.h"
#include "workbench/mainwindow.h"

namespace configurationwindow {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

Enregistrer::Enregistrer(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                         QWidget* mainWindow)
    : ConfigurationDialog(document, messageBoxes,
                          {QStringLiteral("Enregistrer les paramètres."), QStringLiteral("Répertoire:"),
                           QStringLiteral("Fichiers enregistrés"), QStringLiteral("ENREGISTRER")},
                          mainWindow) {
    setObjectName(QStringLiteral("enregistrer"));
    m_text1 = new QLineEdit(this);
    m_text1->setObjectName(QStringLiteral("Text1"));
    setNameBox(m_text1, QStringLiteral("Nom du fichier:"));
    m_text1->setText(m_document.configurationPath());

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
    Command1_Click();
}

void Enregistrer::stayOpen() {
    unsetCursor();
}

void Enregistrer::Command1_Click() {
    setCursor(Qt::WaitCursor);
    const CleanedName name = cleanName(m_text1->text());
    m_text1->setText(name.text);
    if (!name.named) {
        stayOpen();
        m_messageBoxes.show(MessageIcon::Stop, QStringLiteral("Il faut donner un nom au fichier!"),
                            QStringLiteral("Enregistrement impossible"), MessageButtons::Ok);
        return;
    }
    m_text1->setText(savePath(name.text, m_dir1->path()));
    const QString path = m_text1->text();
    m_document.setConfigurationPath(path);
    QDir::setCurrent(m_file1->path());
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
    close();
}

Enregistrer* openEnregistrer(workbench::MainWindow& window) {
    workbench::Workbench& bench = window.workbench();
    if (bench.currentSituation() >= 0) bench.Option2_Click(bench.currentSituation());
    auto* dialog = new Enregistrer(window.document(), window.services().messageBoxes, &window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace configurationwindow
