// "Tableau d'avancement" opened from its button on the table page: it follows the pour and the
// mask, copies its table as text and picture and prints it.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

#include "app/labcommands.h"
#include "state/actions.h"
#include "testsupport.h"
#include "windows/progress/progresswindow.h"
#include "workbench/measurementpage.h"

namespace {

class ProgressWindowTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    ProgressWindowTest() {
        connectLabCommands(*window);
        window->show();
    }

    workbench::BenchController& bench() { return window->workbench(); }

    progresswindow::ProgressWindow* opened() {
        return window->findChild<progresswindow::ProgressWindow*>(QStringLiteral("avancement"));
    }

    progresswindow::ProgressWindow* openFromTheButton() {
        auto* button = window->measurementPage().findChild<QPushButton*>(QStringLiteral("boutonavancement"));
        EXPECT_TRUE(button && button->isEnabled());
        if (button) button->click();
        return opened();
    }

    // The titrant's amount at the start of the first reaction: n_B = c_B·V.
    static QString titrantCell(progresswindow::ProgressWindow* w) {
        auto* grid = w->findChild<QTableWidget*>(QStringLiteral("grille1"));
        if (!grid || !grid->item(0, 2)) return {};
        return grid->item(0, 2)->text();
    }

    void pour(int ticks) {
        bench().pressTap(workbench::Input::Mouse);
        for (int i = 0; i < ticks && bench().state().burette.pouring; ++i) bench().perform(state::pourTick);
        bench().perform(state::releaseTap);
    }
};

}  // namespace

TEST_F(ProgressWindowTest, OpensBesideTheMainWindowAndFollowsThePourAndTheMask) {
    ASSERT_EQ(opened(), nullptr);
    progresswindow::ProgressWindow* w = openFromTheButton();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(titrantCell(w), QStringLiteral("0"));
    // 0,01 mol/L of soda, 0,1 mL a tick: 40 ticks are 4,0 mL, 0,04 mmol.
    pour(40);
    ASSERT_NEAR(state::pouredVolume(bench().state()), 4.0, 1e-6);
    EXPECT_EQ(titrantCell(w), QStringLiteral("4,00 × 10⁻²"));
    EXPECT_TRUE(w->findChild<QLabel*>(QStringLiteral("bilan1"))
                    ->text()
                    .contains(QStringLiteral("x = 4,00 × 10⁻² mmol")));
    // The button again brings the same window forward.
    EXPECT_EQ(openFromTheButton(), w);
    EXPECT_EQ(window->findChildren<progresswindow::ProgressWindow*>().size(), 1);
    // n₀ = 0,01 mol/L × 20 mL, until the concentration is masked.
    auto* grid = w->findChild<QTableWidget*>(QStringLiteral("grille1"));
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("2,00 × 10⁻¹"));
    bench().perform(state::setConcentrationMasked, true);
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("inconnue"));
    // Phosphoric acid: two reactions, one grid each, the second's equation under its own.
    bench().perform(state::chooseSolute, 15);
    EXPECT_NE(w->findChild<QTableWidget*>(QStringLiteral("grille2")), nullptr);
    EXPECT_EQ(w->findChild<QLabel*>(QStringLiteral("equation2"))->text(),
              QStringLiteral("H₂PO₄⁻ + HO⁻ → HPO₄²⁻ + H₂O"));
}

TEST_F(ProgressWindowTest, CopyPutsTheTableAsTabSeparatedTextAndAsAPicture) {
    progresswindow::ProgressWindow* w = openFromTheButton();
    ASSERT_NE(w, nullptr);
    pour(50);
    w->findChild<QPushButton*>(QStringLiteral("copier"))->click();
    ASSERT_FALSE(clipboard.operations().isEmpty());
    EXPECT_EQ(clipboard.operations().back(), QStringLiteral("textAndImage"));
    const QStringList lines = clipboard.text().split(QLatin1Char('\n'));
    const QString initial = QStringLiteral("État initial\t0\t2,00 × 10⁻¹\t5,00 × 10⁻²\t0\texcès");
    EXPECT_TRUE(lines.contains(initial)) << clipboard.text().toStdString();
    const QImage& picture = clipboard.image();
    ASSERT_FALSE(picture.isNull());
    // Black text and grid lines on white.
    int dark = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) dark += qGray(picture.pixel(x, y)) < 100 ? 1 : 0;
    EXPECT_GT(dark, 500);
    EXPECT_EQ(picture.pixelColor(0, 0), QColor(Qt::white));
}

TEST_F(ProgressWindowTest, PrintSendsOneDocumentWithTheEquationAndTheRows) {
    progresswindow::ProgressWindow* w = openFromTheButton();
    ASSERT_NE(w, nullptr);
    w->findChild<QPushButton*>(QStringLiteral("imprimer"))->click();
    ASSERT_EQ(printer.documents().size(), 1u);
    const platform::PrintedDocument& document = printer.documents().front();
    EXPECT_TRUE(document.ended);
    QStringList texts;
    int lines = 0;
    for (const platform::PrintOperation& op : document.pages.front()) {
        if (op.kind == platform::PrintOperation::Kind::Text) texts << op.text;
        if (op.kind == platform::PrintOperation::Kind::Line) ++lines;
    }
    const QString equation = w->findChild<QLabel*>(QStringLiteral("equation1"))->text();
    EXPECT_TRUE(equation.contains(QStringLiteral("HO⁻")));
    EXPECT_TRUE(texts.contains(equation));
    for (const char* caption : {"État initial", "En cours (x)", "État final"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(caption))) << caption;
    // The grid: four rows' lines and a line per column edge.
    EXPECT_GE(lines, 5 + 5);
    EXPECT_FALSE(printer.hasFailures());
}
