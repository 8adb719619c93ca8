#pragma once
// Qt's own dialogs and tool tips (printing, preview, files, their buttons) in French, from the
// translations Qt keeps beside itself, with French numbers, dates and sizes.
#include <QLibraryInfo>
#include <QString>

class QCoreApplication;

namespace platform {

// Installs Qt's French translations found in `folder` on the application. False when they
// cannot be read there: Qt's texts then stay in English, and nothing else changes.
bool installQtTranslations(QCoreApplication& application,
                           const QString& folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath));

// Qt's widgets write numbers, dates and sizes in French whatever the system's locale. The
// program's own numbers go through its own decimal-comma code and do not depend on it.
void useFrenchLocale();

}  // namespace platform
