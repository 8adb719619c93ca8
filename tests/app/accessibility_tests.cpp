// The main window and every window it opens, walked through QAccessible as a screen reader walks
// them: no control a pupil can reach (focusable, or pressed, ticked, typed into, chosen from) is
// left without a name.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/commands.h"
#include "platform/countingbeeper.h"
#include "testsupport.h"
#include "workbench/tabstrip.h"

namespace {

bool isControl(QAccessible::Role role) {
    using R = QAccessible::Role;
    for (R control :
         {R::PushButton, R::CheckBox, R::RadioButton, R::ComboBox, R::EditableText, R::SpinBox, R::Slider,
          R::List, R::Table, R::Tree, R::PageTab, R::PageTabList, R::ButtonMenu, R::Link}) {
        if (role == control) return true;
    }
    return false;
}

void collectUnnamed(QAccessibleInterface* node, QStringList& unnamed, int depth) {
    // Qt's scroll bars are read by their orientation and value.
    if (node == nullptr || depth > 30 || node->state().invisible || node->role() == QAccessible::ScrollBar)
        return;
    if ((node->state().focusable || isControl(node->role())) &&
        node->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << (node->object() ? node->object()->objectName() : QStringLiteral("?"));
    // Lists, tables and drop-down lists are named whole; their items read their own text.
    const QAccessible::Role role = node->role();
    if (role == QAccessible::List || role == QAccessible::Table || role == QAccessible::ComboBox) return;
    for (int i = 0; i < node->childCount() && i < 500; ++i)
        collectUnnamed(node->child(i), unnamed, depth + 1);
}

QStringList unnamedControls(QWidget& window) {
    QStringList unnamed;
    collectUnnamed(QAccessible::queryAccessibleInterface(&window), unnamed, 0);
    return unnamed;
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
            QWidget* opened = QApplication::activePopupWidget();
            if (!opened) opened = QApplication::activeModalWidget();
            if (opened == nullptr || !shown.isEmpty()) return;
            if (auto* menu = qobject_cast<QMenu*>(opened); menu && menuEntry) {
                auto* entry = menu->findChild<QAction*>(QString::fromLatin1(menuEntry));
                menu->close();
                if (entry) QTimer::singleShot(0, entry, &QAction::trigger);
                menuEntry = nullptr;
                return;
            }
            shown = opened->objectName();
            unnamed = unnamedControls(*opened);
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
        EXPECT_EQ(unnamedControls(*window), QStringList()) << "tab " << tab;
    }
}

TEST_F(AccessibilityTreeTest, EveryWindowOpenedFromTheMainWindowNamesItsControls) {
    const char* cases[][3] = {
        {"Command2", nullptr, "ouvrir"},
        {"Command11", nullptr, "enregistrer"},
        {"Command10", nullptr, "confimp"},
        {"Command8", nullptr, "Machine"},
        {"btexo", nullptr, "optionexo"},
        {"btexo", "openexo", "Fichexo"},
        {"btexo", "CREEREXO", "creerexo"},
        {"boutonsaisir", nullptr, "saisir"},
        {"exporter", nullptr, "exporter"},
        {"enregistrergraphe", nullptr, "enregistrergraphe"},
        {"exporterpython", nullptr, "enregistrer"},
    };
    for (const auto& [button, menuEntry, name] : cases) {
        QString shown;
        const QStringList unnamed = unnamedInWindowOf(button, menuEntry, shown);
        EXPECT_EQ(shown, QString::fromLatin1(name)) << button;
        EXPECT_EQ(unnamed, QStringList()) << name;
    }
}

TEST_F(AccessibilityTreeTest, TheProgressTableBesideTheMainWindowNamesItsControls) {
    window->findChild<QPushButton*>(QStringLiteral("boutonavancement"))->click();
    auto* opened = window->findChild<QWidget*>(QStringLiteral("avancement"), Qt::FindDirectChildrenOnly);
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(unnamedControls(*opened), QStringList());
    opened->close();
}
