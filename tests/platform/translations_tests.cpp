// Qt's own texts in French once its translations are installed, as the program does at start-up.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTranslator>

#include "platform/qttranslations.h"

TEST(QtTranslations, QtsOwnDialogsSpeakFrenchFromQtsTranslationsFolder) {
    // A folder without them changes nothing.
    const QTemporaryDir empty;
    EXPECT_FALSE(platform::installQtTranslations(*QCoreApplication::instance(), empty.path()));
    EXPECT_EQ(QCoreApplication::translate("QPrintDialog", "Print"), QStringLiteral("Print"));

    ASSERT_TRUE(platform::installQtTranslations(*QCoreApplication::instance()));
    struct Case {
        const char* context;
        const char* english;
        const char* french;
    };
    const Case cases[] = {
        {"QPrintDialog", "Print", "Imprimer"},
        {"QPrintDialog", "Print to File (PDF)", "Imprimer dans un fichier (PDF)"},
        {"QPrintWidget", "Printer", "Imprimante"},
        {"QPlatformTheme", "Cancel", "Annuler"},
        {"QPrintPreviewDialog", "Next page", "Page suivante"},
        {"QFileDialog", "My Computer", "Poste de travail"},
        {"QFileSystemModel", "Name", "Nom"},
        {"QFileSystemModel", "Size", "Taille"},
        {"QFileSystemModel", "Date Modified", "Dernière modification"},
        {"QFileDialog", "&Open", "&Ouvrir"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QCoreApplication::translate(c.context, c.english), QString::fromUtf8(c.french))
            << c.context << " " << c.english;
    }
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(translator);
}
