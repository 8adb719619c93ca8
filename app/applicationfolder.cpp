#include "app/applicationfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

QString applicationFolder() {
    const QString program = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
    const QString buildTree = QDir(QStringLiteral(VIRELTRA_BUILD_DIR)).canonicalPath();
    if (!buildTree.isEmpty() && (program == buildTree || program.startsWith(buildTree + QLatin1Char('/')))) {
        return QStringLiteral(VIRELTRA_DATA_DIR_BUILD);
    }
    const QString installed = QStringLiteral(VIRELTRA_DATA_DIR_INSTALL);
    if (QFileInfo(installed).isDir()) return installed;
    // A program moved elsewhere: its data beside it, in the usual relative place.
    return QDir(program).filePath(QStringLiteral("../share/vireltra"));
}
