#include "platform/folderbrowser.h"

namespace platform {

FolderBrowser::FolderBrowser(QWidget* parent)
    : QObject(parent),
      m_drive1(new DriveList(parent)),
      m_dir1(new DirectoryList(parent)),
      m_file1(new FileList(parent)) {
    m_drive1->setObjectName(QStringLiteral("Drive1"));
    m_dir1->setObjectName(QStringLiteral("Dir1"));
    m_file1->setObjectName(QStringLiteral("File1"));
    connect(m_drive1, &DriveList::driveChanged, this, &FolderBrowser::Drive1_Change);
    connect(m_dir1, &DirectoryList::pathChanged, this, &FolderBrowser::Dir1_Change);
}

void FolderBrowser::Drive1_Change() {
    if (m_followingDirectory) return;
    if (!m_dir1->setPath(m_drive1->drive())) showDriveOfDirectory();
    m_file1->setPath(m_dir1->path());
}

void FolderBrowser::Dir1_Change() {
    showDriveOfDirectory();
    m_file1->setPath(m_dir1->path());
}

void FolderBrowser::showDriveOfDirectory() {
    // Not by blocking the list's signals: the list would no longer know its own current drive.
    m_followingDirectory = true;
    m_drive1->setDrive(m_dir1->path());
    m_followingDirectory = false;
}

}  // namespace platform
