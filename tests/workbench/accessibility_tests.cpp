// What a screen reader gets from the main window as a titration goes on: the descriptions the Qt
// layer keeps current, the table's headings, the announcements, and the high-contrast look.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QOperatingSystemVersion>
#include <QRegularExpression>
#include <QTableWidget>

#include "configuration/configurationfile.h"
#include "state/actions.h"
#include "state/conductimetry.h"
#include "state/drawingpalette.h"
#include "state/plotframe.h"
#include "testsupport.h"

namespace {

class ScreenReaderTest : public ::testing::Test, protected testsupport::ScriptedWindow {
  protected:
    workbench::BenchController& bench() { return window->workbench(); }
    QWidget* child(const char* name) { return window->findChild<QWidget*>(QString::fromLatin1(name)); }
    // Holds the tap for `ticks` ticks of 0.1 mL, or until the burette is empty.
    void pour(int ticks) {
        bench().pressTap(workbench::Input::Keyboard);
        for (int i = 0; i < ticks && bench().state().burette.pouring; ++i) bench().perform(state::pourTick);
        bench().perform(state::releaseTap);
    }
};

}  // namespace

TEST_F(ScreenReaderTest, DescriptionsAndAnnouncementsFollowTheTitration) {
    const QString graph = child("Picture1")->accessibleDescription();
    pour(20);
    EXPECT_TRUE(
        child("picburette")->accessibleDescription().contains(QStringLiteral("volume versé : 2,0 mL")));
    EXPECT_NE(child("Picture1")->accessibleDescription(), graph);
    // A row every 0,5 mL: four announcements, not one a tick.
    EXPECT_EQ(announcer.texts().size(), 4);
    EXPECT_TRUE(announcer.texts().back().startsWith(QStringLiteral("2,0 mL versés, pH ")));

    pour(300);
    EXPECT_TRUE(announcer.texts().back().startsWith(QStringLiteral("Titrage terminé : 25,0 mL versés")));
    EXPECT_TRUE(child("Picture1")->accessibleDescription().contains(QStringLiteral("Courbe théorique")));
    EXPECT_EQ(child("Option2(0)")->accessibleName(), QStringLiteral("Situation n° 1, titrage terminé"));
}

TEST_F(ScreenReaderTest, PictureButtonsAreButtonsThatAScreenReaderPresses) {
    QAccessibleInterface* drop = QAccessible::queryAccessibleInterface(child("Image1"));
    EXPECT_EQ(drop->role(), QAccessible::Button);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(child("Image3"))->role(), QAccessible::Button);
    drop->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(bench().state().burette.dropFalling);
}

TEST_F(ScreenReaderTest, CorrectedValuesAndCopiesAreAnnounced) {
    bench().setFieldText(state::Field::BeakerConcentration, QStringLiteral("5"));
    bench().validateField(state::Field::BeakerConcentration);
    bench().setFieldText(state::Field::BeakerVolume, QStringLiteral("25"));  // shown "25,0": no correction
    bench().validateField(state::Field::BeakerVolume);
    window->findChild<QAction*>(QStringLiteral("coptab"))->trigger();
    EXPECT_EQ(announcer.texts(), QStringList({QStringLiteral("Valeur corrigée : 0,1"),
                                              workbench::MainWindow::copyDoneMessage()}));
}

TEST_F(ScreenReaderTest, AnImportSaysWhatItReadOnTheHintLineAndAloud) {
    bench().perform(state::importMeasurements,
                    measurements::readMeasurements(std::string_view("t (s);V (mL);pH\n0;0;2,9\n30;1;3,5\n"),
                                                   state::labReadings()));
    const QString said = QStringLiteral("2 mesures importées ; colonne ignorée : « t (s) »");
    EXPECT_EQ(window->findChild<QLabel*>(QStringLiteral("info"))->text(), said);
    EXPECT_EQ(announcer.texts(), QStringList{said});
}

TEST_F(ScreenReaderTest, TableGivesItsHeadingsToScreenReaders) {
    auto* grid = window->findChild<QTableWidget*>(QStringLiteral("MSFlexGrid1"));
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(grid)->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->columnDescription(1), QStringLiteral("pH"));
    EXPECT_EQ(table->cellAt(0, 0)->text(QAccessible::Name), QStringLiteral("V₁, volume versé (mL)"));
    EXPECT_EQ(table->cellAt(1, 1)->text(QAccessible::Name),
              QString::fromStdString(bench().state().readings.pH));
}

TEST_F(ScreenReaderTest, HighContrastIsSavedAndDrawsTheGridReadable) {
    EXPECT_TRUE(window->document().storePanelAndTakeConfiguration().extensions.empty());
    const platform::Surface& graph = bench().graph().surface();
    const int gridY = static_cast<int>(state::PlotFrame::y(10));
    EXPECT_LT(state::contrastRatio(graph.pixel(100, gridY), platform::kWhite), 3.0);

    window->findChild<QCheckBox*>(QStringLiteral("optcontraste"))->click();
    EXPECT_GE(state::contrastRatio(graph.pixel(100, gridY), platform::kWhite), 3.0);
    EXPECT_EQ(window->document().storePanelAndTakeConfiguration().extensions.value("contraste"),
              std::optional<std::string_view>("1"));

    bench().perform(state::loadConfiguration, configuration::ConfigurationFile{});  // an older file
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
    EXPECT_EQ(child("info")->palette().color(QPalette::WindowText), QColor(Qt::black));
    QApplication::setPalette(saved);
    QCoreApplication::processEvents();
    EXPECT_FALSE(bench().state().switches.themeHighContrast);
}

TEST_F(ScreenReaderTest, ListsAreNamedAfterWhatTheyChooseAndMetersAfterWhatTheyRead) {
    const struct {
        const char* list;
        const char* name;
    } lists[] = {{"lbecher", "Soluté"}, {"lbecher2", "Deuxième soluté"}, {"lindic", "Indicateur coloré"}};
    for (const auto& l : lists) {
        auto* box = window->findChild<QComboBox*>(QString::fromLatin1(l.list));
        ASSERT_NE(box, nullptr) << l.list;
        QAccessibleInterface* list = QAccessible::queryAccessibleInterface(box);
        EXPECT_EQ(list->role(), QAccessible::ComboBox) << l.list;
        // The bus of Linux has no value for a list: its choice comes after its name. Windows' screen
        // readers read the value.
        const bool choiceInName = QOperatingSystemVersion::currentType() != QOperatingSystemVersion::Windows;
        EXPECT_EQ(list->text(QAccessible::Name),
                  QString::fromUtf8(l.name) +
                      (choiceInName ? QStringLiteral(" : ") + box->currentText() : QString()));
        EXPECT_EQ(list->text(QAccessible::Value), box->currentText()) << l.list;
        EXPECT_EQ(list->child(0)->object(), box->view()) << l.list;
    }
    bench().perform(state::showConductimeter, true);
    pour(300);
    const state::Readings& readings = bench().state().readings;
    EXPECT_EQ(child("LabelpH")->accessibleName(),
              QStringLiteral("pH-mètre : ") + QString::fromStdString(readings.pH));
    EXPECT_EQ(child("Labelsigma")->accessibleName(),
              QStringLiteral("Conductimètre : ") + QString::fromStdString(readings.conductivity));
}

TEST_F(ScreenReaderTest, NoDescriptionReadsOutALongRowOfDecimals) {
    // "0,00000001" is heard digit by digit: limits are said as a person says them.
    const QRegularExpression longDecimals(QStringLiteral("\\d,\\d{5,}"));
    for (QWidget* control : window->findChildren<QWidget*>()) {
        EXPECT_FALSE(longDecimals.match(control->accessibleDescription()).hasMatch())
            << control->objectName().toStdString();
    }
}
