#include "platform/folderbrowser.h"

namespace platform {

FolderBrowser::FolderBrowser(QWidget* parent)
    : QObject(parent),
      m_drives(new DriveList(parent)),
      m_folders(new DirectoryList(parent)),
      m_files(new FileList(parent)) {
    m_drives->setObjectName(QStringLiteral("Drive1"));
    m_folders->setObjectName(QStringLiteral("Dir1"));
    m_files->setObjectName(QStringLiteral("File1"));
    m_drives->setAccessibleName(QStringLiteral("Lecteur"));
    m_folders->setAccessibleName(QStringLiteral("Dossiers"));
    m_files->setAccessibleName(QStringLiteral("Fichiers"));
    connect(m_drives, &DriveList::driveChanged, this, &FolderBrowser::showDrive);
    connect(m_folders, &DirectoryList::pathChanged, this, &FolderBrowser::showFolder);
}

void FolderBrowser::showDrive() {
    if (m_followingDirectory) return;
    if (!m_folders->setPath(m_drives->drive())) showDriveOfDirectory();
    m_files->setPath(m_folders->path());
}

void FolderBrowser::showFolder() {
    showDriveOfDirectory();
    m_files->setPath(m_folders->path());
}

void FolderBrowser::showDriveOfDirectory() {
    // Not by blocking the list's signals: the list would no longer know its own current drive.
    m_followingDirectory = true;
    m_drives->setDrive(m_folders->path());
    m_followingDirectory = false;
}

}  // namespace platform
