// The main window and every window it opens, walked as a screen reader walks them: no control a
// pupil can reach is left without a name.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/commands.h"
#include "platform/countingbeeper.h"
#include "tests/accessibletree.h"
#include "testsupport.h"
#include "workbench/tabstrip.h"

namespace {

QWidget* shownWindow() {
    if (QWidget* popup = QApplication::activePopupWidget()) return popup;
    return QApplication::activeModalWidget();
}

class AccessibilityTreeTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    AccessibilityTreeTest() {
        connectCommands(*window, run, beeper);
        window->show();
    }

    // Clicks `button` (then `menuEntry` of the menu it pops up) and walks the window that opens.
    QStringList unnamedInWindowOf(const char* button, const char* menuEntry, QString& shown) {
        QStringList unnamed;
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            QWidget* opened = shownWindow();
            if (opened == nullptr || !shown.isEmpty()) return;
            if (auto* menu = qobject_cast<QMenu*>(opened); menu && menuEntry) {
                auto* entry = menu->findChild<QAction*>(QString::fromLatin1(menuEntry));
                menu->close();
                if (entry) QTimer::singleShot(0, entry, &QAction::trigger);
                menuEntry = nullptr;
                return;
            }
            shown = opened->objectName();
            unnamed = accessibletree::unnamedControls(*opened);
            opened->close();
        });
        watch.start(10);
        window->findChild<QPushButton*>(QString::fromLatin1(button))->click();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !shown.isEmpty(); }, 5000)) << button;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return unnamed;
    }

    platform::CountingBeeper beeper;
    RunState run;
};

}  // namespace

TEST_F(AccessibilityTreeTest, MainWindowNamesEveryControlOnEveryPage) {
    auto* tabs = window->findChild<workbench::TabStrip*>();
    for (int tab = 1; tab <= workbench::kTabCount; ++tab) {
        tabs->selectTab(tab);
        EXPECT_EQ(accessibletree::unnamedControls(*window), QStringList()) << "tab " << tab;
    }
}

TEST_F(AccessibilityTreeTest, EveryWindowOpenedFromTheMainWindowNamesItsControls) {
    struct Case {
        const char* button;
        const char* menuEntry;  // for the buttons that pop up a menu first
        const char* window;
    };
    const Case cases[] = {
        {"Command2", nullptr, "ouvrir"},   {"Command11", nullptr, "enregistrer"},
        {"Command10", nullptr, "confimp"}, {"Command8", nullptr, "Machine"},
        {"btexo", nullptr, "optionexo"},   {"btexo", "openexo", "Fichexo"},
        {"btexo", "CREEREXO", "creerexo"}, {"boutonsaisir", nullptr, "saisir"},
        {"exporter", nullptr, "exporter"}, {"enregistrergraphe", nullptr, "enregistrergraphe"},
    };
    for (const Case& c : cases) {
        QString shown;
        const QStringList unnamed = unnamedInWindowOf(c.button, c.menuEntry, shown);
        EXPECT_EQ(shown, QString::fromLatin1(c.window)) << c.button;
        EXPECT_EQ(unnamed, QStringList()) << c.window;
    }
}
