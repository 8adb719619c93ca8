#include "app/applicationfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "platform/folders.h"

QString applicationFolder() {
    const QString program = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
    const QString buildTree = QDir(QStringLiteral(VIRELTRA_BUILD_DIR)).canonicalPath();
    if (!buildTree.isEmpty() && (program == buildTree || program.startsWith(buildTree + QLatin1Char('/')))) {
        return QStringLiteral(VIRELTRA_DATA_DIR_BUILD);
    }
    // Installed: the data in the usual place relative to the program, wherever the prefix (a
    // package installs in /usr, a build in /usr/local or a folder of the user's, a portable copy).
    QString beside = platform::installedDataFolder(program);
    if (QFileInfo(beside).isDir()) return beside;
    QString installed = QStringLiteral(VIRELTRA_DATA_DIR_INSTALL);
    if (QFileInfo(installed).isDir()) return installed;
    return beside;
}
