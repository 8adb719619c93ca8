// The copy button and its menu on the real main window: the entries, what each puts on the
// clipboard, the values written into the copied illustration, and the confirmation on the hint
// line while the pointer moves.
#include <gtest/gtest.h>

#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <tuple>

#include "state/actions.h"
#include "testsupport.h"
#include "workbench/hintline.h"
#include "workbench/printsources.h"

using namespace workbench;

namespace {

class CopyMenuTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    ~CopyMenuTest() override { EXPECT_FALSE(boxes.hasFailures()); }

    template <typename T>
    T* child(const char* name) {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    void copy(const char* entry) {
        if (auto* action = child<QAction>(entry)) action->trigger();
    }
    BenchController& bench() { return window->workbench(); }
    QImage wholeTable() {
        const PrintSources& sources = window->printSources();
        return sources.table(0, sources.tableRowCount());
    }
};

// The entries of a menu as "name caption", separators as "-", a submenu as its title over its own.
QStringList entries(const QMenu& menu) {
    QStringList list;
    for (const QAction* action : menu.actions()) {
        if (action->isSeparator()) {
            list << QStringLiteral("-");
        } else if (const QMenu* sub = action->menu()) {
            list << sub->title() + QStringLiteral(" {") + entries(*sub).join(QStringLiteral(", ")) + "}";
        } else {
            list << action->objectName() + QLatin1Char(' ') + action->text();
        }
    }
    return list;
}

// Pixels of the region that differ between two pictures of the illustration, and how many of
// them are the pH-meter's green.
struct Difference {
    int pixels = 0;
    int green = 0;
};

Difference difference(const QImage& copied, const QImage& screen, const QRect& region) {
    Difference d;
    for (int y = region.top(); y <= region.bottom(); ++y) {
        for (int x = region.left(); x <= region.right(); ++x) {
            const QRgb c = copied.pixel(x, y);
            if (c == screen.pixel(x, y)) continue;
            ++d.pixels;
            if (qGreen(c) > 150 && qRed(c) < 100 && qBlue(c) < 100) ++d.green;
        }
    }
    return d;
}

}  // namespace

TEST_F(CopyMenuTest, TheCopyButtonPopsUpTheMenuOfTheFiveCopies) {
    auto* copyButton = child<QPushButton>("Command4");
    ASSERT_NE(copyButton, nullptr);
    EXPECT_TRUE(copyButton->isEnabled());
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    QTest::mouseClick(copyButton, Qt::LeftButton);
    auto* menu = child<QMenu>("menucopie");
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(menu->isVisible());
    EXPECT_EQ(entries(*menu), (QStringList{"coptop Copier l'illustration", "copisemidev Copier le graphe",
                                           "-", "cophisto Copier l'historique", "-",
                                           "Copier le tableau {coptab Copier le contenu du tableau, "
                                           "copima Copier une image du tableau}"}));
    menu->close();
}

TEST_F(CopyMenuTest, EachEntryPutsItsKindOfDataAndConfirmsTheCopiesItShould) {
    bench().perform(state::quickTrace);  // something in every picture, the table and the history
    struct Case {
        const char* entry;
        const char* kind;
        bool confirms;
        QSize image;  // the surface copied; none for text
    };
    const Case cases[] = {
        {"coptop", "image", true, bench().apparatus().image().size()},
        {"copisemidev", "image", true, bench().graph().image().size()},
        {"cophisto", "richText", false, QSize(0, 0)},
        {"coptab", "text", true, QSize(0, 0)},
        {"copima", "image", false, wholeTable().size()},
    };
    auto* info = child<HintLine>("info");
    for (const Case& c : cases) {
        info->showHint(MainWindow::defaultHint());
        const auto before = clipboard.operations().size();
        copy(c.entry);
        EXPECT_EQ(clipboard.operations().mid(before), (QStringList{"clear", c.kind})) << c.entry;
        EXPECT_EQ(window->hint(), c.confirms ? MainWindow::copyDoneMessage() : MainWindow::defaultHint())
            << c.entry;
        EXPECT_EQ(clipboard.image().size(), c.image) << c.entry;
    }
    EXPECT_EQ(clipboard.image(), wholeTable());
}

TEST_F(CopyMenuTest, TheCopiedIllustrationHoldsTheValuesOfTheControlsShownOverIt) {
    const ApparatusLayout legend = bench().apparatus().layout();
    const QRect regions[] = {
        ApparatusPainter::kPhDisplay,
        QRect(legend.pouredLabel, QSize(62, 17)),
        QRect(legend.titrantField, ApparatusCanvas::legendControls().titrantField),
        QRect(legend.pouredField, ApparatusCanvas::legendControls().pouredField),
    };
    struct Case {
        const char* name;
        int untick;       // optscema element unticked, -1 for none
        bool written[4];  // pH, poured volume, burette concentration, the poured-volume field
    };
    const Case cases[] = {
        {"everything shown", -1, {true, true, true, true}},
        {"without the pH-meter", 1, {false, true, true, true}},
        {"without the burette", 0, {true, false, false, false}},
    };
    for (const Case& c : cases) {
        bench().perform(state::showApparatusPart, state::ApparatusPart::Burette, c.untick != 0);
        bench().perform(state::showApparatusPart, state::ApparatusPart::PhMeter, c.untick != 1);
        const QImage before = bench().apparatus().image().copy();
        copy("coptop");
        const QImage copied = clipboard.image();
        // The screen is drawn again without the texts: the controls show them there.
        EXPECT_EQ(bench().apparatus().image(), before) << c.name;
        for (int i = 0; i < 4; ++i) {
            const Difference d = difference(copied, before, regions[i]);
            EXPECT_EQ(d.pixels > 0, c.written[i]) << c.name << ", value " << i;
            if (i == 0) {
                EXPECT_EQ(d.green > 0, c.written[0]) << c.name;
            }
        }
    }
}

TEST_F(CopyMenuTest, TheConfirmationStaysOverTheCopyButtonUntilAnotherControlGivesItsHint) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    const QString copyHint = QStringLiteral(
        "Copier pour placer l'image dans le presse- papiers puis coller depuis Word, Paint...");
    const QString printHint = QStringLiteral("Configurer l'imprimante et imprimer l'image");
    struct Step {
        const char* over;  // the control the pointer moves onto, or the copy entry triggered
        bool copies;
        QString hint;
    };
    const Step steps[] = {
        {"Command4", false, copyHint},
        {"coptab", true, MainWindow::copyDoneMessage()},
        {"Command4", false, MainWindow::copyDoneMessage()},
        {"Command10", false, printHint},
        {"Command4", false, copyHint},
        {"copisemidev", true, MainWindow::copyDoneMessage()},
        {"Command10", false, printHint},
    };
    QWindow* handle = window->windowHandle();
    int moves = 0;
    for (const Step& s : steps) {
        if (s.copies) {
            copy(s.over);
        } else if (auto* control = child<QWidget>(s.over)) {
            // A point not visited before, so that every step is a move.
            const QPoint point(4 + moves++, control->height() / 2);
            QTest::mouseMove(handle, control->mapTo(window.get(), point));
        }
        EXPECT_EQ(window->hint(), s.hint) << s.over;
    }
}

TEST_F(CopyMenuTest, TheKeyboardDropsTheMenuUnderTheButtonAndTheMouseOpensItAtThePointer) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto* copyButton = child<QPushButton>("Command4");
    auto* menu = child<QMenu>("menucopie");
    ASSERT_TRUE(copyButton && menu);
    const QPoint under = copyButton->mapToGlobal(QPoint(0, copyButton->height()));
    const QPoint over = copyButton->mapToGlobal(QPoint(copyButton->width() / 2, 10));
    // Where the pointer is, whether the mouse clicks (or Alt+P is pressed), where the menu opens.
    const std::tuple<QPoint, bool, QPoint> cases[] = {
        {window->mapToGlobal(QPoint(400, 300)), false, under}, {over, true, over}, {over, false, under}};
    for (const auto& [pointer, mouse, menuAt] : cases) {
        QCursor::setPos(pointer);
        if (mouse) {
            QTest::mouseClick(copyButton, Qt::LeftButton, {}, copyButton->mapFromGlobal(pointer));
        } else {
            QTest::keyClick(window.get(), Qt::Key_P, Qt::AltModifier);
        }
        EXPECT_TRUE(QTest::qWaitFor([menu] { return menu->isVisible(); })) << mouse;
        EXPECT_EQ(menu->pos(), menuAt) << mouse;
        menu->close();
    }
}
