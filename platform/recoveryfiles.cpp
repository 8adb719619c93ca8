#include "platform/recoveryfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <atomic>
#include <filesystem>

#include "configuration/atomicfile.h"

#ifdef Q_OS_WIN
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace platform {

namespace {

const QString kPrefix = QStringLiteral("bench-");
const QString kCopyEnd = QStringLiteral(".recovery");
const QString kLockEnd = QStringLiteral(".lock");
// Far more than a user's programs leave: the search at start-up stays short.
constexpr int kMaxCopiesSearched = 1000;

// The program's number, the millisecond it asked, and a count: unique among the programs running.
QString uniqueName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("%1-%2-%3")
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch())
        .arg(counter.fetch_add(1));
}

std::filesystem::path fileSystemPath(const QString& path) {
    return std::filesystem::path(path.toStdU16String());
}

// A rename survives a power cut only once the file's content and then its folder are on disk.
bool syncFile(QFile& file) {
#ifdef Q_OS_WIN
    return ::_commit(file.handle()) == 0;
#else
    return ::fsync(file.handle()) == 0;
#endif
}

void syncFolder(const QString& folder) {
#ifndef Q_OS_WIN
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
#else
    Q_UNUSED(folder);  // NTFS journals the rename itself
#endif
}

std::unique_ptr<QLockFile> lockFor(const QString& path) {
    auto lock = std::make_unique<QLockFile>(path);
    // Held for the program's whole run: only a lock whose program is gone is stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return nullptr;
    return lock;
}

// The copy, and what a write of it killed half-way left beside it.
void removeCopy(const QString& path) {
    QFile::remove(path);
    const QFileInfo info(path);
    const QStringList temporaries = info.dir().entryList(
        {QLatin1Char('.') + info.fileName() + QStringLiteral(".*.tmp")}, QDir::Files | QDir::Hidden);
    for (const QString& name : temporaries) QFile::remove(info.dir().filePath(name));
}

}  // namespace

RecoveryFiles::RecoveryFiles(const QString& folder) : m_folder(QDir::cleanPath(folder)) {
    const bool existed = QFileInfo(m_folder).isDir();
    if (!QDir().mkpath(m_folder)) return;
    // What the pupil was doing is no one else's business.
    if (!existed)
        QFile::setPermissions(m_folder,
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    // Bounded: a name is taken only by a program of the same number in the same millisecond.
    for (int attempt = 0; attempt < 10 && !m_usable; ++attempt) {
        const QString copy = QDir(m_folder).filePath(kPrefix + uniqueName() + kCopyEnd);
        if (QFileInfo::exists(copy)) continue;
        m_lock = lockFor(lockPathOf(copy));
        if (!m_lock) continue;
        m_copyPath = copy;
        m_usable = true;
    }
}

RecoveryFiles::~RecoveryFiles() = default;

QString RecoveryFiles::lockPathOf(const QString& copyPath) const {
    QString lock = copyPath;
    lock.chop(kCopyEnd.size());
    return lock + kLockEnd;
}

bool RecoveryFiles::write(std::span<const unsigned char> bytes) const {
    if (!m_usable) return false;
    const bool written = configuration::replaceFileAtomically(
        fileSystemPath(m_copyPath), [bytes](const std::filesystem::path& temporary) {
            QFile file(QString::fromStdU16String(temporary.u16string()));
            if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
            const auto size = static_cast<qint64>(bytes.size());
            return file.write(reinterpret_cast<const char*>(bytes.data()), size) == size && file.flush() &&
                   syncFile(file);
        });
    if (written) syncFolder(m_folder);
    return written;
}

std::optional<RecoveryFiles::LeftCopy> RecoveryFiles::takeLeftCopy() {
    if (!m_usable) return std::nullopt;
    const QFileInfoList copies =
        QDir(m_folder).entryInfoList({kPrefix + QLatin1Char('*') + kCopyEnd}, QDir::Files, QDir::Time);
    int searched = 0;
    for (const QFileInfo& info : copies) {
        if (++searched > kMaxCopiesSearched) break;
        const QString path = info.absoluteFilePath();
        if (path == m_copyPath) continue;
        bool taken = false;
        for (const Taken& t : m_taken) taken = taken || t.path == path;
        if (taken) continue;
        auto lock = lockFor(lockPathOf(path));
        // Its program runs, or it closed normally since the listing and took its copy away.
        if (!lock || !QFileInfo::exists(path)) continue;
        m_taken.push_back({path, std::move(lock)});
        return LeftCopy{path, info.lastModified()};
    }
    return std::nullopt;
}

std::optional<std::vector<unsigned char>> RecoveryFiles::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const qint64 size = file.size();
    if (size < 0 || size > kMaxCopyBytes) return std::nullopt;
    std::vector<unsigned char> bytes(static_cast<std::size_t>(size));
    if (file.read(reinterpret_cast<char*>(bytes.data()), size) != size) return std::nullopt;
    return bytes;
}

void RecoveryFiles::removeAll() {
    // Each copy goes before its lock: a program that takes the lock then finds no copy.
    for (Taken& taken : m_taken) {
        removeCopy(taken.path);
        taken.lock->unlock();
    }
    m_taken.clear();
    if (m_usable) removeCopy(m_copyPath);
}

}  // namespace platform
