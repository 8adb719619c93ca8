#include "windows/configuration/filenames.h"

#include <QDir>
#include <QFileInfo>

#include "configuration/configurationfile.h"
#include "platform/folders.h"

namespace configurationwindow {

QString extension() {
    const std::string_view text = configuration::kConfigurationExtension;
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool isSeparator(QChar c) {
    return platform::isPathSeparator(c);
}

qsizetype lastSeparator(const QString& text) {
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        if (isSeparator(text[i])) return i;
    }
    return -1;
}

bool holdsSeparator(const QString& text) {
    return lastSeparator(text) >= 0;
}

QString fileNamePart(const QString& text) {
    return text.mid(lastSeparator(text) + 1);
}

QString inFolder(const QString& folder, const QString& name) {
    if (folder.isEmpty() || isSeparator(folder.back())) return folder + name;
    return folder + QDir::separator() + name;
}

CleanedName cleanName(const QString& typed) {
    QString text = typed;
    // Each pass removes at least one character.
    for (qsizetype pass = 0; pass <= typed.size(); ++pass) {
        text = text.trimmed();
        const qsizetype nameStart = lastSeparator(text) + 1;
        if (nameStart >= text.size()) return {text, false};
        const qsizetype dot = text.lastIndexOf(QLatin1Char('.'));
        if (dot < nameStart) return {text, true};
        text.truncate(dot);
    }
    return {text, false};
}

QString savePath(const QString& cleaned, const QString& folder) {
    return savePath(cleaned, folder, extension());
}

QString savePath(const QString& cleaned, const QString& folder, const QString& extension) {
    const QString path = holdsSeparator(cleaned) ? cleaned : inFolder(folder, cleaned);
    // A relative folder in the name is taken from the folder shown, and the path kept whole, so
    // that the caption and the next save dialog name the file wherever the current directory goes.
    const QString absolute = QDir(folder).absoluteFilePath(QDir::fromNativeSeparators(path));
    return QDir::toNativeSeparators(QDir::cleanPath(absolute) + extension);
}

QString replacedFile(const QString& path) {
    return replacedFile(path, extension());
}

QString replacedFile(const QString& path, const QString& extension) {
    const QFileInfo target(QDir::fromNativeSeparators(path));
    const QString name = target.fileName();
    if (target.isDir() || !name.endsWith(extension, Qt::CaseInsensitive)) return path;
    const QString stem = name.chopped(extension.size());
    const QDir folder = target.dir();
    // Sorted with the letter case, so that the same file is chosen each time.
    const QStringList entries = folder.entryList(QDir::Files | QDir::Hidden, QDir::Name);
    // Where names ignore the letter case (Windows) the file exists under the name it is listed by.
    if (entries.contains(name)) return path;
    for (const QString& entry : entries) {
        if (entry.size() == name.size() && entry.startsWith(stem) &&
            entry.endsWith(extension, Qt::CaseInsensitive)) {
            return QDir::toNativeSeparators(folder.filePath(entry));
        }
    }
    return path;
}

}  // namespace configurationwindow
