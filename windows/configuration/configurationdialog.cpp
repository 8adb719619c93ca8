#include "windows/configuration/configurationdialog.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/folderbrowser.h"
#include "windows/configuration/filenames.h"

namespace configurationwindow {

namespace {

constexpr QPoint kOffset{20, 20};
constexpr QSize kSize{540, 380};

QLabel* labelFor(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

}  // namespace

ConfigurationDialog::ConfigurationDialog(workbench::Document& document, platform::MessageBoxes& messageBoxes,
                                         const Captions& captions, QWidget* mainWindow)
    : QDialog(mainWindow), m_document(document), m_messageBoxes(messageBoxes) {
    setWindowTitle(captions.title);
    setFixedSize(kSize);
    if (mainWindow != nullptr) move(mainWindow->pos() + kOffset);

    auto* browser = new platform::FolderBrowser(this);
    m_drive1 = browser->drive1();
    m_dir1 = browser->dir1();
    m_file1 = browser->file1();
    m_file1->setPattern(QStringLiteral("*") + extension());
    m_command1 = new QPushButton(captions.command1, this);
    m_command1->setObjectName(QStringLiteral("Command1"));
    m_command2 = new QPushButton(QStringLiteral("ANNULER"), this);
    m_command2->setObjectName(QStringLiteral("Command2"));
    // Enter belongs to the lists and to the name box, never to a default button.
    for (QPushButton* button : {m_command1, m_command2}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumSize(110, 30);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(labelFor(QStringLiteral("Lecteur:"), m_drive1, this));
    left->addWidget(m_drive1);
    left->addSpacing(6);
    left->addWidget(labelFor(captions.directory, m_dir1, this));
    left->addWidget(m_dir1, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(labelFor(captions.files, m_file1, this));
    right->addWidget(m_file1, 1);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addSpacing(8);
    lists->addLayout(right, 1);

    m_nameRow = new QGridLayout;
    m_nameRow->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_command1);
    buttons->addWidget(m_command2);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->addLayout(lists, 1);
    layout->addSpacing(4);
    layout->addLayout(m_nameRow);
    layout->addSpacing(4);
    layout->addLayout(buttons);

    // The drive follows the folder without moving it: under the home folder, a drive of its own,
    // the lists would otherwise jump to the top of the home folder.
    browser->Dir1_Change();
    connect(m_command2, &QPushButton::clicked, this, &ConfigurationDialog::Command2_Click);
}

void ConfigurationDialog::setNameBox(QWidget* box, const QString& label) {
    if (label.isEmpty()) {
        m_nameRow->addWidget(box, 1, 0);
        return;
    }
    m_nameRow->addWidget(labelFor(label, box, this), 0, 0);
    m_nameRow->addWidget(box, 1, 0);
}

void ConfigurationDialog::Command2_Click() {
    close();
}

}  // namespace configurationwindow
