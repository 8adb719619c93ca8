#pragma once
// Where the pupil's files go. The save dialogs start in the folder of the file last saved, else in
// the user's documents folder; the program's own data folder (the shipped exercises and texts)
// is never written, even where the system would allow it (the build tree, a portable copy).
#include <QString>

#include "platform/folders.h"

namespace platform {

class SaveLocations {
  public:
    explicit SaveLocations(const QString& dataFolder);

    // The folder of the last file saved while it can still be listed, else the user's documents
    // folder, else the home folder: absolute, with the platform's separators.
    QString startFolder() const;
    void noteSaved(const QString& filePath);
    // Whether `path` lies in the data folder or below it, however it is written: relative, with
    // "..", through a link, or in a folder that does not exist yet.
    bool isInDataFolder(const QString& path) const;
    // The documents and home folders the dialogs fall back on (the system's by default).
    void setUserFolders(const UserFolders& folders) { m_userFolders = folders; }

  private:
    QString m_dataFolder;  // resolved; empty when there is none
    QString m_lastFolder;
    UserFolders m_userFolders = systemUserFolders();
};

}  // namespace platform
