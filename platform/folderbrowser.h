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

    DriveList* drive1() const { return m_drive1; }
    DirectoryList* dir1() const { return m_dir1; }
    FileList* file1() const { return m_file1; }

    // A drive that cannot be read puts back the drive of the folder shown, without a word.
    void Drive1_Change();
    void Dir1_Change();

  private:
    void showDriveOfDirectory();

    DriveList* m_drive1;
    DirectoryList* m_dir1;
    FileList* m_file1;
    bool m_followingDirectory = false;
};

}  // namespace platform
