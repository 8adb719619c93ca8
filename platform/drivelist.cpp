#include "platform/drivelist.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <algorithm>
#include <array>

namespace platform {
namespace {

constexpr std::array kUserMountFolders{"/media/", "/run/media/", "/mnt/", "/Volumes/"};

// File systems that hold no user files, even when mounted where users look.
constexpr std::array kPseudoFileSystems{
    "autofs",   "binfmt_misc", "bpf",        "cgroup",     "cgroup2",  "configfs", "debugfs", "devpts",
    "devtmpfs", "efivarfs",    "fusectl",    "hugetlbfs",  "mqueue",   "nsfs",     "overlay", "proc",
    "pstore",   "ramfs",       "rpc_pipefs", "securityfs", "squashfs", "sysfs",    "tmpfs",   "tracefs"};

bool isPseudo(const QByteArray& type) {
    return std::any_of(kPseudoFileSystems.begin(), kPseudoFileSystems.end(),
                       [&type](const char* pseudo) { return type == pseudo; });
}

bool isUserMount(const QString& root) {
    return std::any_of(kUserMountFolders.begin(), kUserMountFolders.end(), [&root](const char* folder) {
        const QString prefix = QString::fromLatin1(folder);
        return root.startsWith(prefix) && root.size() > prefix.size();
    });
}

// The folder below `root`, or `root` itself, in the platform's letter case rules.
bool holds(const QString& root, const QString& path) {
#ifdef Q_OS_WIN
    constexpr Qt::CaseSensitivity kCase = Qt::CaseInsensitive;
#else
    constexpr Qt::CaseSensitivity kCase = Qt::CaseSensitive;
#endif
    if (root.endsWith(QLatin1Char('/'))) return path.startsWith(root, kCase) || path + '/' == root;
    return path.compare(root, kCase) == 0 || path.startsWith(root + '/', kCase);
}

}  // namespace

std::vector<Drive> userDrives(const std::vector<MountedVolume>& mounted, const QString& home) {
    std::vector<Drive> drives{Drive{QStringLiteral("/"), QStringLiteral("/")}};
    const QString homeRoot = QDir::cleanPath(home);
    if (!home.isEmpty() && homeRoot != QStringLiteral("/"))
        drives.push_back(Drive{homeRoot, QStringLiteral("Dossier personnel")});
    std::vector<Drive> volumes;
    for (const MountedVolume& volume : mounted) {
        const QString root = QDir::cleanPath(volume.rootPath);
        if (!volume.ready || !isUserMount(root) || isPseudo(volume.fileSystemType)) continue;
        if (root == homeRoot) continue;
        const bool listed =
            std::any_of(volumes.begin(), volumes.end(), [&root](const Drive& d) { return d.root == root; });
        if (listed) continue;
        const QString name = volume.name.trimmed().isEmpty() ? root.section('/', -1) : volume.name.trimmed();
        volumes.push_back(Drive{root, name});
    }
    std::sort(volumes.begin(), volumes.end(), [](const Drive& a, const Drive& b) { return a.root < b.root; });
    drives.insert(drives.end(), volumes.begin(), volumes.end());
    return drives;
}

std::vector<Drive> systemDrives() {
#ifdef Q_OS_WIN
    std::vector<Drive> drives;
    for (const QFileInfo& root : QDir::drives()) {
        const QString path = root.absoluteFilePath();
        const QStorageInfo storage(path);
        QString label = path.left(2).toLower();
        if (storage.isReady() && !storage.name().isEmpty())
            label += QStringLiteral(" [%1]").arg(storage.name());
        drives.push_back(Drive{QDir::toNativeSeparators(path), label});
    }
    return drives;
#else
    std::vector<MountedVolume> mounted;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid()) continue;
        mounted.push_back(
            MountedVolume{storage.rootPath(), storage.fileSystemType(), storage.name(), storage.isReady()});
    }
    return userDrives(mounted, QDir::homePath());
#endif
}

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    setMinimumContentsLength(12);
    connect(this, &QComboBox::currentIndexChanged, this, &DriveList::onCurrentIndexChanged);
    setDrives(systemDrives());
}

void DriveList::setDrives(const std::vector<Drive>& drives) {
    const QString previous = m_current;
    {
        const QSignalBlocker blocker(this);
        m_drives = drives;
        clear();
        int kept = -1;
        for (const Drive& d : m_drives) {
            addItem(d.label, d.root);
            setItemData(count() - 1, d.root, Qt::ToolTipRole);
            if (d.root == previous) kept = count() - 1;
        }
        setCurrentIndex(kept >= 0 ? kept : (m_drives.empty() ? -1 : 0));
        m_current = drive();
    }
    if (m_current != previous) emit driveChanged(m_current);
}

void DriveList::refresh() {
    std::vector<Drive> drives = systemDrives();
    // The drive of the folder shown stays listed even if it is gone, so the list never jumps
    // while it is open.
    const auto current = currentIndex();
    if (current >= 0 &&
        std::none_of(drives.begin(), drives.end(), [this](const Drive& d) { return d.root == m_current; }))
        drives.push_back(m_drives[static_cast<std::size_t>(current)]);
    if (drives != m_drives) setDrives(drives);
}

QString DriveList::drive() const {
    const int index = currentIndex();
    return index < 0 ? QString() : m_drives[static_cast<std::size_t>(index)].root;
}

bool DriveList::setDrive(const QString& path) {
    const QString wanted = QDir::cleanPath(QDir::fromNativeSeparators(path));
    if (wanted.isEmpty()) return false;
    int best = -1;
    qsizetype bestLength = -1;
    for (std::size_t i = 0; i < m_drives.size(); ++i) {
        const QString root = QDir::fromNativeSeparators(m_drives[i].root);
        if (holds(root, wanted) && root.size() > bestLength) {
            best = static_cast<int>(i);
            bestLength = root.size();
        }
    }
    if (best < 0) return false;
    setCurrentIndex(best);
    return true;
}

void DriveList::showPopup() {
    refresh();
    QComboBox::showPopup();
}

void DriveList::onCurrentIndexChanged(int) {
    const QString root = drive();
    if (root == m_current) return;
    m_current = root;
    emit driveChanged(root);
}

}  // namespace platform
