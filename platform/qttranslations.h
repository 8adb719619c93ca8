#pragma once
// Qt's own dialogs and tool tips (printing, preview, files, their buttons) in French, from the
// translations Qt keeps beside itself.
#include <QLibraryInfo>
#include <QString>

class QCoreApplication;

namespace platform {

// Installs Qt's French translations found in `folder` on the application. False when they
// cannot be read there: Qt's texts then stay in English, and nothing else changes.
bool installQtTranslations(QCoreApplication& application,
                           const QString& folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

}  // namespace platform
