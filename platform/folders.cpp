#include "platform/folders.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>

namespace platform {

std::optional<QString> readableFolder(const QString& path) {
    if (path.trimmed().isEmpty()) return std::nullopt;
    const QString absolute =
        QDir::cleanPath(QDir::current().absoluteFilePath(QDir::fromNativeSeparators(path)));
    const QFileInfo info(absolute);
#ifdef Q_OS_WIN
    const bool listable = info.isDir() && info.isReadable();
#else
    // Listing a folder needs the right to search it as well as to read it.
    const bool listable = info.isDir() && info.isReadable() && info.isExecutable();
#endif
    if (!listable) return std::nullopt;
    return absolute;
}

QString userStateFolder() {
#ifdef Q_OS_WIN
    // Windows keeps what a program holds for one user and one machine in its local data folder.
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                           QStringLiteral("/Vireltra"));
#else
    // A relative XDG_STATE_HOME is invalid and is to be ignored.
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = !state.isEmpty() && QDir::isAbsolutePath(state)
                             ? state
                             : QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/vireltra"));
#endif
}

UserFolders systemUserFolders() {
    return UserFolders{QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), QDir::homePath()};
}

bool isPathSeparator(QChar c) {
#ifdef Q_OS_WIN
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
#else
    return c == QLatin1Char('/');
#endif
}

QString installedDataFolder(const QString& programFolder) {
#ifdef Q_OS_WIN
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("data")));
#else
    return QDir::cleanPath(QDir(programFolder).filePath(QStringLiteral("../share/vireltra")));
#endif
}

void sortNames(QStringList& names) {
    // The "C" locale compares code points, which puts "Zinc" before "acide" and "essai10"
    // before "essai2": the program's own language orders names then.
    const QLocale system = QLocale::system();
    QCollator collator(system.language() == QLocale::C ? QLocale(QLocale::French) : system);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::stable_sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        // Names equal but for their case (possible on Linux) keep a stable, visible order.
        return order != 0 ? order < 0 : a < b;
    });
}

}  // namespace platform
