// What a screen reader gets from the main window as a titration goes on: the pictures described
// in words that follow the bench, the table's headings, and the announcements.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QTableWidget>

#include "chemistry/plotframe.h"
#include "configuration/configurationfile.h"
#include "state/actions.h"
#include "state/drawingpalette.h"
#include "testsupport.h"

namespace {

class ScreenReaderTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    workbench::BenchController& bench() { return window->workbench(); }
    QString description(const char* name) {
        return window->findChild<QWidget*>(QString::fromLatin1(name))->accessibleDescription();
    }
    // Holds the tap for `ticks` ticks of 0.1 mL, or until the burette is empty.
    void pour(int ticks) {
        bench().pressTap(workbench::Input::Keyboard);
        for (int i = 0; i < ticks && bench().state().burette.pouring; ++i) bench().perform(state::pourTick);
        bench().perform(state::releaseTap);
    }
    int announcementsContaining(const QString& part) const {
        int count = 0;
        for (const QString& text : announcer.texts()) count += text.contains(part) ? 1 : 0;
        return count;
    }
};

}  // namespace

TEST_F(ScreenReaderTest, PicturesAreDescribedAgainAsTheTitrationGoesOn) {
    bench().perform(state::chooseIndicator, 5);
    const QString illustrationAtStart = description("picburette");
    const QString graphAtStart = description("Picture1");
    EXPECT_TRUE(illustrationAtStart.contains(QStringLiteral("volume versé : 0,0 mL")))
        << illustrationAtStart.toStdString();
    EXPECT_TRUE(illustrationAtStart.contains(QStringLiteral("jaune : zone acide du bleu de bromothymol")));

    pour(50);
    const QString illustrationHalfway = description("picburette");
    EXPECT_TRUE(illustrationHalfway.contains(QStringLiteral("volume versé : 5,0 mL")))
        << illustrationHalfway.toStdString();
    EXPECT_NE(description("Picture1"), graphAtStart);

    pour(300);
    const QString illustrationAtEnd = description("picburette");
    EXPECT_TRUE(illustrationAtEnd.contains(QStringLiteral("bleu : zone basique du bleu de bromothymol")))
        << illustrationAtEnd.toStdString();
    const QString graphAtEnd = description("Picture1");
    EXPECT_TRUE(graphAtEnd.contains(QStringLiteral("Courbe théorique de la situation n° 1")))
        << graphAtEnd.toStdString();

    bench().perform(state::drawTangents);
    EXPECT_TRUE(description("Picture1").contains(QStringLiteral("point d'équivalence E à V = 20,0 mL")));
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("Option2(0)"))->accessibleName(),
              QStringLiteral("Situation n° 1, titrage terminé"));
}

TEST_F(ScreenReaderTest, PouringAnnouncesEachRecordedRowAndTheEnd) {
    pour(20);
    // A row every 0,5 mL: at 0,5, 1,0, 1,5 and 2,0 mL, not at each tick.
    EXPECT_EQ(announcementsContaining(QStringLiteral("mL versés, pH")), 4)
        << announcer.texts().join('|').toStdString();
    EXPECT_EQ(announcer.texts().back().left(16), QStringLiteral("2,0 mL versés, p"));
    pour(300);
    EXPECT_EQ(announcementsContaining(QStringLiteral("Titrage terminé : 25,0 mL versés")), 1)
        << announcer.texts().join(QLatin1Char('|')).toStdString();
}

TEST_F(ScreenReaderTest, CorrectedValuesAndCopiesAreAnnounced) {
    bench().setFieldText(state::Field::BeakerConcentration, QStringLiteral("5"));
    bench().validateField(state::Field::BeakerConcentration);
    bench().setFieldText(state::Field::BeakerVolume, QStringLiteral("25"));
    bench().validateField(state::Field::BeakerVolume);
    window->findChild<QAction*>(QStringLiteral("coptab"))->trigger();
    EXPECT_EQ(announcer.texts(), QStringList({QStringLiteral("Valeur corrigée : 0,1"),
                                              workbench::MainWindow::copyDoneMessage()}));
}

TEST_F(ScreenReaderTest, TableGivesItsHeadingsToScreenReaders) {
    auto* grid = window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(grid)->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->columnCount(), 6);
    EXPECT_EQ(table->columnDescription(1), QStringLiteral("pH"));
    EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("V₁, volume versé (mL)"));
    EXPECT_EQ(table->cellAt(1, 1)->text(QAccessible::Name),
              QString::fromStdString(bench().state().readings.pH));
}

TEST_F(ScreenReaderTest, HighContrastIsSavedAndDrawsEveryStrokeReadable) {
    EXPECT_TRUE(window->document().currentConfiguration().extensions.empty());
    const platform::Surface& graph = bench().graph().surface();
    const QPoint gridLine(100, static_cast<int>(chemistry::PlotFrame::y(10)));
    EXPECT_EQ(graph.pixel(gridLine.x(), gridLine.y()), (platform::Colour{192, 192, 192}));

    window->findChild<QCheckBox*>(QStringLiteral("optcontraste"))->click();
    EXPECT_TRUE(bench().state().switches.highContrast);
    EXPECT_GE(state::contrastRatio(graph.pixel(gridLine.x(), gridLine.y()), platform::kWhite), 3.0);
    EXPECT_EQ(window->document().currentConfiguration().extensions.value("contraste"),
              std::optional<std::string_view>("1"));

    // A configuration saved without it reads as unticked.
    configuration::ConfigurationFile older;
    bench().perform(state::loadConfiguration, older);
    EXPECT_FALSE(bench().state().switches.highContrast);
    EXPECT_FALSE(window->findChild<QCheckBox*>(QStringLiteral("optcontraste"))->isChecked());
}

TEST_F(ScreenReaderTest, ADarkThemeDrawsInHighContrastAndKeepsTextOnLightSurfacesDark) {
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::Window, QColor(40, 40, 40));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    QApplication::setPalette(dark);
    QCoreApplication::processEvents();
    EXPECT_TRUE(bench().state().switches.themeHighContrast);
    EXPECT_FALSE(bench().state().switches.highContrast);  // the option itself stays unticked
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("info"))->palette().color(QPalette::WindowText),
              QColor(Qt::black));
    QApplication::setPalette(saved);
    QCoreApplication::processEvents();
    EXPECT_FALSE(bench().state().switches.themeHighContrast);
    EXPECT_EQ(window->findChild<QWidget*>(QStringLiteral("info"))->palette().color(QPalette::WindowText),
              saved.color(QPalette::WindowText));
}
