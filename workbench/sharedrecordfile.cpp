#include "workbench/sharedrecordfile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "configuration/recordfile.h"

namespace workbench {

namespace {

constexpr const char* kRecordFileName = "TEMPKV.TMP";

// Whether a file can be created or changed in that folder.
bool writable(const QString& folder) {
    if (!QFileInfo(folder).isDir()) return false;
    const QString existing = QDir(folder).filePath(QString::fromLatin1(kRecordFileName));
    if (QFileInfo::exists(existing)) return QFileInfo(existing).isWritable();
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral("vireltra-XXXXXX")));
    return probe.open();
}

std::filesystem::path fsPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

}  // namespace

SharedRecordFile::SharedRecordFile(const QString& folder) {
    QString chosen = folder;
    if (!writable(chosen)) {
        // The user's own, never roaming, folder: %LOCALAPPDATA% on Windows.
        chosen = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
        QDir().mkpath(chosen);
    }
    m_path = QDir(chosen).filePath(QString::fromLatin1(kRecordFileName));
}

void SharedRecordFile::markRunning(bool running) const {
    configuration::RecordFile file;
    if (!file.open(fsPath(m_path), configuration::RecordFile::Mode::ReadWrite)) return;
    file.write(kRunningRecord, running ? "OUI" : "NON");
    file.close();
}

QString SharedRecordFile::takeExerciseRequest() const {
    configuration::RecordFile file;
    if (!file.open(fsPath(m_path), configuration::RecordFile::Mode::ReadWrite)) return {};
    const auto request = file.read(kExerciseRecord);
    file.write(kExerciseRecord, "");
    file.close();
    return request ? QString::fromStdString(*request) : QString();
}

}  // namespace workbench
