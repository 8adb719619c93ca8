#pragma once
// The recovery copies in the user's state folder. Each running program writes a copy of its own,
// named after it and guarded by a lock file it holds while it runs, so that two programs never
// write the same copy. A copy whose lock no running program holds was left by a program that was
// killed or lost its power; the next program to start takes it over (its lock) and offers it.
#include <QDateTime>
#include <QString>
#include <memory>
#include <optional>
#include <span>
#include <vector>

class QLockFile;

namespace platform {

class RecoveryFiles {
  public:
    // A copy larger than this is not read: the bench and a statement take a few megabytes.
    static constexpr qint64 kMaxCopyBytes = 256ll << 20;

    // Makes the folder (for this user only) and takes a name no other program has.
    explicit RecoveryFiles(const QString& folder);
    // The locks are given back; the copies stay, for the next start to offer.
    ~RecoveryFiles();
    RecoveryFiles(const RecoveryFiles&) = delete;
    RecoveryFiles& operator=(const RecoveryFiles&) = delete;

    // False when the folder cannot be made or locked: nothing is written then.
    bool usable() const { return m_usable; }
    QString copyPath() const { return m_copyPath; }

    // Replaces this program's copy whole, and waits until the disk holds it, or leaves the
    // previous one as it was. It touches nothing else: it may run on another thread.
    bool write(std::span<const unsigned char> bytes) const;

    struct LeftCopy {
        QString path;
        QDateTime written;
    };
    // The most recent copy left by a program no longer running, now this program's to keep
    // aside: no other program offers it while this one runs. Each call takes another.
    std::optional<LeftCopy> takeLeftCopy();
    // Nothing for a copy that cannot be read or is larger than kMaxCopyBytes.
    static std::optional<std::vector<unsigned char>> read(const QString& path);

    // The program closes normally: its copy and those it took over go.
    void removeAll();

  private:
    QString lockPathOf(const QString& copyPath) const;

    QString m_folder;
    QString m_copyPath;
    std::unique_ptr<QLockFile> m_lock;
    struct Taken {
        QString path;
        std::unique_ptr<QLockFile> lock;
    };
    std::vector<Taken> m_taken;
    bool m_usable = false;
};

}  // namespace platform
