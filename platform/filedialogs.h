#pragma once
// The open and save file dialogs behind an interface, so that tests answer them.
//
// Filters are written as the program writes them: description and patterns alternate,
// separated by "|", several patterns of one description by ";"
// ("Texte au format RTF|*.RTF", "Images|*.bmp;*.png|Tous les fichiers|*.*").
// Patterns match whatever the letter case of the name.
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace platform {

class FileDialogs {
  public:
    virtual ~FileDialogs() = default;
    // Modal. The chosen path with the platform's separators, or nothing when cancelled.
    // `initialName` may be a bare name, a path (its folder is shown) or a pattern such as
    // "*.rtf" (only the filter applies); a bare name starts in the current directory.
    virtual std::optional<QString> openFile(QWidget* parent, const QString& title, const QString& filter,
                                            const QString& initialName) = 0;
    // A name typed without an extension receives `defaultSuffix` (without its dot). The
    // dialog does not ask before replacing a file: the caller asks in its own words.
    virtual std::optional<QString> saveFile(QWidget* parent, const QString& title, const QString& filter,
                                            const QString& defaultSuffix, const QString& initialName) = 0;
};

// The program's filter as Qt's name filters: "Texte au format RTF (*.RTF)", one per description.
// A description without patterns is left out.
QStringList qtNameFilters(const QString& filter);

}  // namespace platform
