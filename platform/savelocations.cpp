#include "platform/savelocations.h"

#include <QDir>
#include <QFileInfo>
#include <filesystem>
#include <system_error>

#include "platform/folders.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// The absolute path with its links and ".." resolved as far as it exists, without a trailing
// separator; what does not exist yet is cleaned as written.
QString resolved(const QString& path) {
    const QString absolute = QDir::current().absoluteFilePath(QDir::fromNativeSeparators(path));
    std::error_code error;
    fs::path result = fs::weakly_canonical(fs::path(absolute.toStdU16String()), error);
    if (error) result = fs::path(absolute.toStdU16String()).lexically_normal();
    return QDir::cleanPath(QDir::fromNativeSeparators(QString::fromStdU16String(result.u16string())));
}

Qt::CaseSensitivity fileNameCase() {
#ifdef Q_OS_WIN
    return Qt::CaseInsensitive;
#else
    return Qt::CaseSensitive;
#endif
}

}  // namespace

SaveLocations::SaveLocations(const QString& dataFolder)
    : m_dataFolder(dataFolder.trimmed().isEmpty() ? QString() : resolved(dataFolder)) {}

QString SaveLocations::startFolder() const {
    for (const QString& candidate : {m_lastFolder, m_userFolders.documents, m_userFolders.home}) {
        if (const auto folder = readableFolder(candidate)) return QDir::toNativeSeparators(*folder);
    }
    return QDir::toNativeSeparators(m_userFolders.home);
}

void SaveLocations::noteSaved(const QString& filePath) {
    m_lastFolder = QFileInfo(QDir::fromNativeSeparators(filePath)).absolutePath();
}

bool SaveLocations::isInDataFolder(const QString& path) const {
    if (m_dataFolder.isEmpty() || path.trimmed().isEmpty()) return false;
    const QString target = resolved(path);
    if (target.compare(m_dataFolder, fileNameCase()) == 0) return true;
    // "/data" holds "/data/x", not "/data2/x".
    const QString inside = m_dataFolder.endsWith(QLatin1Char('/')) ? m_dataFolder : m_dataFolder + '/';
    return target.startsWith(inside, fileNameCase());
}

}  // namespace platform
