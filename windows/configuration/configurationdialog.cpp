#include "windows/configuration/configurationdialog.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/folderbrowser.h"

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

ConfigurationDialog::ConfigurationDialog(platform::MessageBoxes& messageBoxes, const Captions& captions,
                                         QWidget* mainWindow)
    : QDialog(mainWindow), m_messageBoxes(messageBoxes) {
    setWindowTitle(captions.title);
    setFixedSize(kSize);
    if (mainWindow != nullptr) move(mainWindow->pos() + kOffset);

    auto* browser = new platform::FolderBrowser(this);
    m_drives = browser->drives();
    m_folders = browser->folders();
    m_files = browser->files();
    m_files->setPattern(captions.pattern);
    m_actionButton = new QPushButton(captions.command1, this);
    m_actionButton->setObjectName(QStringLiteral("Command1"));
    m_cancelButton = new QPushButton(QStringLiteral("ANNULER"), this);
    m_cancelButton->setObjectName(QStringLiteral("Command2"));
    // Enter belongs to the lists and to the name box, never to a default button.
    for (QPushButton* button : {m_actionButton, m_cancelButton}) {
        button->setAutoDefault(false);
        button->setDefault(false);
        button->setMinimumSize(110, 30);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(labelFor(QStringLiteral("Lecteur:"), m_drives, this));
    left->addWidget(m_drives);
    left->addSpacing(6);
    left->addWidget(labelFor(captions.directory, m_folders, this));
    left->addWidget(m_folders, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(labelFor(captions.files, m_files, this));
    right->addWidget(m_files, 1);
    auto* lists = new QHBoxLayout;
    lists->addLayout(left, 1);
    lists->addSpacing(8);
    lists->addLayout(right, 1);

    m_nameRow = new QGridLayout;
    m_nameRow->setColumnStretch(0, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_actionButton);
    buttons->addWidget(m_cancelButton);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(12, 10, 12, 12);
    layout->addLayout(lists, 1);
    layout->addSpacing(4);
    layout->addLayout(m_nameRow);
    layout->addSpacing(4);
    layout->addLayout(buttons);

    // The drive follows the folder without moving it: under the home folder, a drive of its own,
    // the lists would otherwise jump to the top of the home folder.
    browser->showFolder();
    connect(m_cancelButton, &QPushButton::clicked, this, &ConfigurationDialog::cancel);
}

void ConfigurationDialog::setNameBox(QWidget* box, const QString& label) {
    if (label.isEmpty()) {
        m_nameRow->addWidget(box, 1, 0);
        return;
    }
    m_nameRow->addWidget(labelFor(label, box, this), 0, 0);
    m_nameRow->addWidget(box, 1, 0);
}

void ConfigurationDialog::cancel() {
    close();
}

}  // namespace configurationwindow
