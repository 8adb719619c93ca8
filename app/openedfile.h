#pragma once
// The file the program was started with: a configuration (".C13") or an exercise (".E36"), as a
// file manager passes it when one is double-clicked (the Windows installer's associations, a
// desktop entry's %f).
#include <QString>
#include <QStringList>

enum class OpenedKind { None, Configuration, Exercise };

struct OpenedFile {
    OpenedKind kind = OpenedKind::None;
    QString path;
};

// The first argument after the program's name that names a configuration or an exercise, by its
// extension in any case; options (starting with "-") and other files are passed over.
OpenedFile fileToOpen(const QStringList& arguments);
