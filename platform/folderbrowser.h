#pragma once
// The drive, folder and file lists of a file window, kept in step: a drive shows its folders,
// a folder its files, and the drive list follows the folder shown (folders of one drive may lie
// below another drive's root, as the home folder lies below "/").
#include <QObject>

#include "platform/directorylist.h"
#include "platform/drivelist.h"
#include "platform/filelist.h"

namespace platform {

class FolderBrowser : public QObject {
    Q_OBJECT

  public:
    // The three lists as children of `parent`, named "Drive1", "Dir1" and "File1".
    explicit FolderBrowser(QWidget* parent);

    DriveList* drives() const { return m_drives; }
    DirectoryList* folders() const { return m_folders; }
    FileList* files() const { return m_files; }

    // A drive that cannot be read puts back the drive of the folder shown, without a word.
    void showDrive();
    void showFolder();

  private:
    void showDriveOfDirectory();

    DriveList* m_drives;
    DirectoryList* m_folders;
    FileList* m_files;
    bool m_followingDirectory = false;
};

}  // namespace platform
