// Qt's own texts in French once its translations are installed, as the program does at start-up.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTranslator>

#include "platform/qttranslations.h"

TEST(QtTranslations, QtsOwnDialogsSpeakFrench) {
    ASSERT_TRUE(platform::installQtTranslations(*QCoreApplication::instance()));
    const char* cases[][3] = {
        {"QPrintDialog", "Print to File (PDF)", "Imprimer dans un fichier (PDF)"},
        {"QPlatformTheme", "Cancel", "Annuler"},
        {"QFileSystemModel", "Date Modified", "Dernière modification"},
    };
    for (const auto& [context, english, french] : cases)
        EXPECT_EQ(QCoreApplication::translate(context, english), QString::fromUtf8(french)) << english;
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(translator);
}
