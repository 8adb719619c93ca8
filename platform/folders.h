#pragma once
// Folder paths as the drive, directory and file lists take and show them.
#include <QString>
#include <QStringList>
#include <optional>

namespace platform {

// The absolute, cleaned form (with "/") of a folder that exists and can be listed; nothing
// otherwise. A relative path is taken from the current directory; on Windows "\" and "/"
// are both accepted.
std::optional<QString> readableFolder(const QString& path);

// The folder of this user's state that the program keeps for itself (its recovery copies): the
// XDG state folder, $XDG_STATE_HOME when it is an absolute path, else ~/.local/state, then
// "vireltra". It may not exist yet.
QString userStateFolder();

// The user's documents and home folders. Windows names them from the account (the documents may
// be redirected to a network share), Linux from $HOME and the user-dirs file.
struct UserFolders {
    QString documents;
    QString home;
};
UserFolders systemUserFolders();

// Whether the character separates folders in a path: "/", and "\\" on Windows.
bool isPathSeparator(QChar c);

// The program's data folder of an installed program, from the folder its executable lies in:
// "../share/vireltra" on Linux, "data" beside the program on Windows (the portable folder and the
// installer's alike).
QString installedDataFolder(const QString& programFolder);

// Names in the order a user expects: letter case ignored, accents in their place, "essai2"
// before "essai10".
void sortNames(QStringList& names);

}  // namespace platform
