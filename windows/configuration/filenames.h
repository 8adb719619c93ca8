#pragma once
// The names the open and save dialogs build: a file in a folder, the bare name of a path, and
// the cleaning of a name typed to save under. Separators are the platform's: "/" on Unix, "\"
// and "/" on Windows.
#include <QString>

namespace configurationwindow {

// The extension of configuration files, ".C13".
QString extension();

bool isSeparator(QChar c);
// Where the last separator stands, -1 when there is none.
qsizetype lastSeparator(const QString& text);
bool holdsSeparator(const QString& text);
// What follows the last separator: the file name of a path, the text itself when it holds none.
QString fileNamePart(const QString& text);
// The folder, a separator unless it already ends with one, and the name.
QString inFolder(const QString& folder, const QString& name);

// A name typed to save under, cleaned: spaces around it removed and the file name cut before its
// last "." again and again, so that "essai.C13" gives "essai" and "a.b.c" gives "a". Only the
// file name is cut: the dot of a folder ("TP.chimie/essai") stays. `named` is false when no file
// name is left (empty text, ".C13", "dossier/"); `text` is then what the box keeps.
struct CleanedName {
    QString text;
    bool named = false;
};
CleanedName cleanName(const QString& typed);

// The full path a cleaned name is saved at: in `folder` unless the name holds a folder of its
// own (taken from `folder` when relative), with the extension (".C13" unless given) added.
QString savePath(const QString& cleaned, const QString& folder);
QString savePath(const QString& cleaned, const QString& folder, const QString& extension);

// The file a save at `path` replaces: the file itself, else one of its folder whose name differs
// only by the letter case of the extension ("travail.c13" for "travail.C13"), which the file list
// shows among the configurations; `path` when there is neither.
QString replacedFile(const QString& path);
QString replacedFile(const QString& path, const QString& extension);

}  // namespace configurationwindow
