#pragma once
// A drop-down of the drives a user sees: on Windows the drive letters; elsewhere the root,
// the home folder and the removable or extra volumes mounted for the user.
#include <QByteArray>
#include <QComboBox>
#include <QString>
#include <vector>

namespace platform {

struct Drive {
    QString root;   // with the platform's separators: "/", "/home/ana", "C:\"
    QString label;  // what the list shows

    bool operator==(const Drive&) const = default;
};

// One volume as the system reports it.
struct MountedVolume {
    QString rootPath;  // with "/"
    QByteArray fileSystemType;
    QString name;
    bool ready = true;
};

// The drives a user sees among the mounted volumes (Unix, with "/" as Unix writes paths): "/" first, then the
// home folder, then the ready volumes mounted under /media, /run/media, /mnt or /Volumes that hold a real
// file system, in the order of their paths.
std::vector<Drive> userDrives(const std::vector<MountedVolume>& mounted, const QString& home);

// The drives of this machine.
std::vector<Drive> systemDrives();

class DriveList : public QComboBox {
    Q_OBJECT

  public:
    // Lists the drives of this machine and selects the first.
    explicit DriveList(QWidget* parent = nullptr);

    // Replaces the drives; the current drive is kept when it is still listed, the first one
    // becomes current otherwise.
    void setDrives(const std::vector<Drive>& drives);
    const std::vector<Drive>& drives() const { return m_drives; }
    // Lists the drives of this machine again, keeping the current one.
    void refresh();

    // The root of the current drive, empty when there is none.
    QString drive() const;
    // Makes current the drive that holds the path (the deepest root it lies below). False,
    // with nothing changed, when no listed drive holds it.
    bool setDrive(const QString& path);

  signals:
    // The current drive changed, by the user or by setDrive(); block the signals to put the
    // drive back without a reaction.
    void driveChanged(const QString& root);

  protected:
    // A volume plugged in since the list was filled shows up when the list opens.
    void showPopup() override;

  private:
    void onCurrentIndexChanged(int index);

    std::vector<Drive> m_drives;
    QString m_current;
};

}  // namespace platform
