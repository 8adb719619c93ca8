#include "platform/qttranslations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

namespace platform {

bool installQtTranslations(QCoreApplication& application, const QString& folder) {
    // The application owns it, so that it lives as long as the texts it translates.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"),
                          QStringLiteral("_"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return false;
    }
    return true;
}

void useFrenchLocale() {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
}

}  // namespace platform
