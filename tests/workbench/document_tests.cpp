// Loading a configuration into the bench: what the reader leaves in place around the ten
// situations it reads.
#include <gtest/gtest.h>

#include <algorithm>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "configuration/configurationfile.h"
#include "measurements/measuredpoint.h"
#include "platform/scriptedmessageboxes.h"
#include "state/actions.h"
#include "state/conductimetry.h"
#include "tests/labpoints.h"
#include "testsupport.h"
#include "workbench/benchcontroller.h"
#include "workbench/document.h"

using namespace workbench;

namespace {

class DocumentTest : public ::testing::Test {
  protected:
    DocumentTest() : app(testsupport::application()), bench(boxes), document(bench, boxes) {
        bench.perform(state::setDefaults);
        bench.perform(state::switchSituation, 0);
    }
    ~DocumentTest() override { EXPECT_TRUE(boxes.calls().empty()); }

    bool load(const configuration::ConfigurationFile& file) {
        const std::string path = folder.filePath(QStringLiteral("essai.C13")).toStdString();
        EXPECT_TRUE(configuration::saveConfigurationFile(path, file));
        document.setConfigurationPath(QString::fromStdString(path));
        return document.openConfigurationPath();
    }

    // What the pupil sees of a situation once it is chosen: the fields, the pH-meter, the burette's
    // reading and the table.
    QString shown(int situation) {
        bench.perform(state::switchSituation, situation);
        QStringList seen;
        for (const state::Field field :
             {state::Field::BeakerConcentration, state::Field::TitrantConcentration, state::Field::OtherPKa,
              state::Field::BeakerVolume, state::Field::PouredVolume, state::Field::WaterVolume})
            seen << bench.fieldText(field);
        seen << QString::fromStdString(bench.state().readings.pH)
             << QString::fromStdString(bench.state().readings.pouredVolume)
             << QString::number(bench.state().rows.count());
        return seen.join(QLatin1Char('|'));
    }

    QApplication& app;
    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    BenchController bench;
    Document document;
};

}  // namespace

TEST_F(DocumentTest, LoadingWhileTheBuretteEmptiesClosesTheTapFirst) {
    bench.toggleEmptying(workbench::Input::Mouse);  // "Vider la burette": pours until told to stop
    for (int tick = 0; tick < 30; ++tick) bench.perform(state::pourTick);
    ASSERT_TRUE(bench.state().burette.pouring);

    const configuration::ConfigurationFile file;
    ASSERT_TRUE(load(file));
    EXPECT_FALSE(bench.state().burette.pouring);
    EXPECT_FALSE(bench.state().burette.tapOpen);
    EXPECT_FALSE(bench.state().controls.fieldsLocked);
    QTest::qWait(3 * BenchController::kTapInterval);  // a timer left running would pour now
    EXPECT_EQ(bench.fieldText(state::Field::PouredVolume), QStringLiteral("0,0"));
    EXPECT_EQ(bench.state().situations.records, file.situations);
}

struct MaskCase {
    const char* name;
    bool record2;
    bool situation1Masked;
};

class MaskAfterLoad : public DocumentTest, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(MaskAfterLoad, EndsWithTheSettingOfSituationOne) {
    configuration::ConfigurationFile file;
    file.concentrationMasked = GetParam().record2;
    file.situations[0].concentrationMasked = GetParam().situation1Masked;
    ASSERT_TRUE(load(file));
    EXPECT_EQ(bench.state().switches.concentrationMasked, GetParam().situation1Masked);
}

INSTANTIATE_TEST_SUITE_P(, MaskAfterLoad,
                         ::testing::Values(MaskCase{"TickedFileUnmaskedSituation", true, false},
                                           MaskCase{"UntickedFileMaskedSituation", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentTest, ValuesOutsideTheLimitsShowAsCorrectedInEverySituationAfterOneMessage) {
    configuration::ConfigurationFile damaged, corrected;
    const struct {
        int situation;
        std::string chemistry::Situation::*field;
        const char* read;
        const char* shown;  // as the panel corrects what is typed
    } values[] = {
        {0, &chemistry::Situation::titrantConcentrationText, "-5", "0,000 000 01"},
        {0, &chemistry::Situation::beakerVolumeText, "NaN", "20,0"},
        {0, &chemistry::Situation::pouredVolumeText, "99,9", "25,0"},
        {1, &chemistry::Situation::beakerConcentrationText, "1e30", "0,1"},
        {1, &chemistry::Situation::pouredVolumeText, "-25", "0,0"},
    };
    for (const auto& v : values) {
        damaged.situations[v.situation].*v.field = v.read;
        corrected.situations[v.situation].*v.field = v.shown;
    }
    boxes.queueAnswer(platform::MessageAnswer::Ok);
    ASSERT_TRUE(load(damaged));
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text,
              QStringLiteral("Certaines valeurs du fichier étaient incorrectes : elles ont été corrigées."));
    boxes.reset();
    const QStringList seen{shown(1), shown(0)};
    // The pH-meter, the table and the fields are those of the corrected values.
    ASSERT_TRUE(load(corrected));
    EXPECT_EQ((QStringList{shown(1), shown(0)}), seen);
}

TEST_F(DocumentTest, CutFileIsRefusedWithTheReadersMessageAndChangesNothing) {
    configuration::ConfigurationFile before;
    before.situations[0].beakerConcentrationText = "0,05";
    ASSERT_TRUE(load(before));
    const QString caption = document.caption();
    const QString shownBefore = shown(0);
    const QString cut = document.configurationPath();
    ASSERT_TRUE(QFile::resize(cut, 572));  // inside record 5
    boxes.queueAnswer(platform::MessageAnswer::Ok);
    EXPECT_FALSE(document.openConfigurationPath());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Lecture impossible sur disque"));
    boxes.reset();
    EXPECT_EQ(document.caption(), caption);
    EXPECT_EQ(bench.state().situations.records, before.situations);
    EXPECT_EQ(shown(0), shownBefore);
}

// The pupil's measurements cut off with the end of the file are never lost without a word: those
// that are whole come back, and the loader says that some values were not.
TEST_F(DocumentTest, MeasurementsCutOffWithTheFileComeBackWholeAndTheLoaderSaysSo) {
    ASSERT_TRUE(load(configuration::ConfigurationFile{}));
    std::vector<measurements::MeasuredPoint> points;
    for (int i = 0; i < 100; ++i) points.push_back(testing_points::labPoint(i * 0.25, 2 + i * 0.1, 0));
    bench.perform(state::setMeasurements, points);
    const QString saved = folder.filePath(QStringLiteral("coupe.C13"));
    ASSERT_TRUE(document.saveBenchTo(saved));
    ASSERT_TRUE(QFile::resize(saved, 25 * 1024));
    bench.perform(state::setMeasurements, std::vector<measurements::MeasuredPoint>{});
    boxes.queueAnswer(platform::MessageAnswer::Ok);
    document.setConfigurationPath(saved);
    ASSERT_TRUE(document.openConfigurationPath());
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].text,
              QStringLiteral("Certaines valeurs du fichier étaient incorrectes : elles ont été corrigées."));
    boxes.reset();
    // Records 157 to 200 of the 25 KB hold the first 44 points.
    const auto& kept = bench.state().lab.points[0];
    ASSERT_EQ(kept.size(), 44u);
    EXPECT_TRUE(std::equal(kept.begin(), kept.end(), points.begin()));
}

struct SavedMeasurementsCase {
    const char* name;
    std::vector<testing_points::PhPoint> first;  // Situation 1's, set before the save
    std::vector<testing_points::PhPoint> third;  // Situation 3's
};

class SavedMeasurements : public DocumentTest, public ::testing::WithParamInterface<SavedMeasurementsCase> {};

TEST_P(SavedMeasurements, ComeBackOnReopeningAndAFileWithoutThemIsUnchanged) {
    configuration::ConfigurationFile original;
    original.superposeCurves = true;
    original.situations[2].beakerConcentrationText = "0,05";
    ASSERT_TRUE(load(original));
    const QString opened = document.configurationPath();
    bench.perform(state::setMeasurements, testing_points::labPoints(GetParam().first));
    bench.perform(state::switchSituation, 2);
    bench.perform(state::setMeasurements, testing_points::labPoints(GetParam().third));
    bench.perform(state::switchSituation, 0);
    const QString saved = folder.filePath(QStringLiteral("mesures.C13"));
    ASSERT_TRUE(document.saveBenchTo(saved));

    const bool none = GetParam().first.empty() && GetParam().third.empty();
    QFile before(opened), after(saved);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly) && after.open(QIODevice::ReadOnly));
    EXPECT_EQ(before.readAll() == after.readAll(), none);

    bench.perform(state::setDefaults);
    bench.perform(state::switchSituation, 0);
    ASSERT_TRUE(bench.state().lab.points[0].empty() && bench.state().lab.points[2].empty());
    document.setConfigurationPath(saved);
    ASSERT_TRUE(document.openConfigurationPath());
    EXPECT_EQ(bench.state().lab.points[0], testing_points::labPoints(GetParam().first));
    EXPECT_EQ(bench.state().lab.points[2], testing_points::labPoints(GetParam().third));
    EXPECT_EQ(bench.state().situations.records[2].beakerConcentrationText, "0,05");
}

INSTANTIATE_TEST_SUITE_P(
    Files, SavedMeasurements,
    ::testing::Values(SavedMeasurementsCase{"none", {}, {}},
                      SavedMeasurementsCase{
                          "firstAndThird", {{0, 2.88, 0}, {12.5, 4.76, 0}}, {{24.95, 11.5, 1.25}}},
                      SavedMeasurementsCase{"thirdOnly", {}, {{3, 4, 0}}},
                      SavedMeasurementsCase{"moreDigitsThanTheTableShows",
                                            {{12.5, 2.9123, 0.00004}, {12.75, 3.0001, 0}},
                                            {{0.333, 7.0049, 1.23456}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct SavedConductimeterCase {
    const char* name;
    bool meter;
    bool sigmaGraph;
};

class SavedConductimeter : public DocumentTest,
                           public ::testing::WithParamInterface<SavedConductimeterCase> {};

// Off, the file is the one opened, byte for byte; on, the switches come back on reopening.
TEST_P(SavedConductimeter, ComesBackOnReopeningAndOffLeavesTheFileUnchanged) {
    const SavedConductimeterCase& c = GetParam();
    ASSERT_TRUE(load(configuration::ConfigurationFile{}));
    const QString opened = document.configurationPath();
    bench.perform(state::showConductimeter, c.meter);
    bench.perform(state::showConductivityGraph, c.sigmaGraph);
    const QString saved = folder.filePath(QStringLiteral("conductimetre.C13"));
    ASSERT_TRUE(document.saveBenchTo(saved));
    QFile before(opened), after(saved);
    ASSERT_TRUE(before.open(QIODevice::ReadOnly) && after.open(QIODevice::ReadOnly));
    EXPECT_EQ(before.readAll() == after.readAll(), !c.meter);

    bench.perform(state::showConductimeter, !c.meter);
    document.setConfigurationPath(saved);
    ASSERT_TRUE(document.openConfigurationPath());
    EXPECT_EQ(bench.state().switches.showConductimeter, c.meter);
    EXPECT_EQ(state::conductivityGraphShown(bench.state()), c.meter && c.sigmaGraph);
    EXPECT_EQ(bench.state().graph.showsMeter(state::conductivityMeter()), c.meter && c.sigmaGraph);
    EXPECT_EQ(bench.state().readings.conductivity.empty(), !c.meter);
}

INSTANTIATE_TEST_SUITE_P(Files, SavedConductimeter,
                         ::testing::Values(SavedConductimeterCase{"off", false, false},
                                           SavedConductimeterCase{"meter", true, false},
                                           SavedConductimeterCase{"sigmaGraph", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });
