// Loading a configuration into the bench: what the reader leaves in place around the ten
// situations it reads.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "configuration/configurationfile.h"
#include "platform/scriptedmessageboxes.h"
#include "testsupport.h"
#include "workbench/document.h"
#include "workbench/workbench.h"

using namespace workbench;

namespace {

class DocumentTest : public ::testing::Test {
  protected:
    DocumentTest() : app(testsupport::application()), bench(boxes), document(bench, boxes) {
        bench.setDefaults();
        bench.Option2_Click(0);
    }
    ~DocumentTest() override { EXPECT_TRUE(boxes.calls().empty()); }

    bool load(const configuration::ConfigurationFile& file) {
        const std::string path = folder.filePath(QStringLiteral("essai.C13")).toStdString();
        EXPECT_TRUE(configuration::saveConfigurationFile(path, file));
        document.setConfigurationPath(QString::fromStdString(path));
        return document.LoadConfiguration();
    }

    // What the pupil sees of a situation once it is chosen: the fields, the pH-meter, the burette's
    // reading and the table.
    QString shown(int situation) {
        bench.Option2_Click(situation);
        QStringList seen;
        for (int field : {0, 1, 2, 4, 5, 6}) seen << bench.fieldText(field);
        seen << bench.phText() << bench.pouredText() << QString::number(bench.rows().count());
        return seen.join(QLatin1Char('|'));
    }

    QApplication& app;
    QTemporaryDir folder;
    platform::ScriptedMessageBoxes boxes;
    Workbench bench;
    Document document;
};

}  // namespace

TEST_F(DocumentTest, LoadingWhileTheBuretteEmptiesClosesTheTapFirst) {
    bench.burette().Command6_Click();  // "Vider la burette": pours until told to stop
    for (int tick = 0; tick < 30; ++tick) bench.burette().Timer1_Timer();
    ASSERT_TRUE(bench.burette().pouring());

    const configuration::ConfigurationFile file;
    ASSERT_TRUE(load(file));
    EXPECT_FALSE(bench.burette().pouring());
    EXPECT_FALSE(bench.burette().tapOpen());
    EXPECT_FALSE(bench.fieldsLocked());
    QTest::qWait(3 * Burette::kTapInterval);  // a timer left running would pour now
    EXPECT_EQ(bench.fieldText(PouredVolume), QStringLiteral("0,0"));
    EXPECT_EQ(bench.situations(), file.situations);
}

struct MaskCase {
    const char* name;
    bool record2;
    bool situation1Masked;
};

class MaskAfterLoad : public DocumentTest, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(MaskAfterLoad, EndsWithTheSettingOfSituationOne) {
    configuration::ConfigurationFile file;
    file.masquerTicked = GetParam().record2;
    file.situations[0].concentrationMasked = GetParam().situation1Masked;
    ASSERT_TRUE(load(file));
    EXPECT_EQ(bench.concentrationMasked(), GetParam().situation1Masked);
}

INSTANTIATE_TEST_SUITE_P(, MaskAfterLoad,
                         ::testing::Values(MaskCase{"TickedFileUnmaskedSituation", true, false},
                                           MaskCase{"UntickedFileMaskedSituation", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentTest, ValuesOutsideTheLimitsAreCorrectedInEverySituationAndSaidOnceAfterLoading) {
    configuration::ConfigurationFile damaged;
    damaged.situations[0].titrantConcentrationText = "-5";
    damaged.situations[0].beakerVolumeText = "NaN";
    damaged.situations[0].beakerConcentrationText = "1E+30";
    damaged.situations[0].pouredVolumeText = "99,9";
    damaged.situations[1].beakerConcentrationText = "1e30";
    damaged.situations[1].pouredVolumeText = "-25";
    damaged.situations[2].otherPKaText = "abc";
    damaged.situations[2].speciesIndex = 99;
    // The same file as the panel would have corrected it.
    configuration::ConfigurationFile corrected = damaged;
    corrected.situations[0].titrantConcentrationText = "0,000 000 01";
    corrected.situations[0].beakerVolumeText = "20,0";
    corrected.situations[0].beakerConcentrationText = "0,1";
    corrected.situations[0].pouredVolumeText = "25,0";
    corrected.situations[1].beakerConcentrationText = "0,1";
    corrected.situations[1].pouredVolumeText = "0,0";
    corrected.situations[2].otherPKaText = "0,0";
    corrected.situations[2].speciesIndex = 0;

    boxes.queueAnswer(platform::MessageAnswer::Ok);
    ASSERT_TRUE(load(damaged));
    ASSERT_EQ(boxes.calls().size(), 1u);
    EXPECT_EQ(boxes.calls()[0].icon, platform::MessageIcon::Information);
    EXPECT_EQ(boxes.calls()[0].text,
              QStringLiteral("Certaines valeurs du fichier étaient incorrectes : elles ont été corrigées."));
    EXPECT_EQ(bench.situations(), corrected.situations);
    EXPECT_EQ(document.caption(), QStringLiteral("Vireltra - ") + document.configurationPath());
    QStringList seen;
    for (int situation : {1, 2, 0}) seen << shown(situation);
    boxes.reset();

    ASSERT_TRUE(load(corrected));
    EXPECT_TRUE(boxes.calls().empty()) << "a sound file loads without a word";
    QStringList expected;
    for (int situation : {1, 2, 0}) expected << shown(situation);
    EXPECT_EQ(seen, expected);
}

TEST_F(DocumentTest, CutFileIsRefusedWithTheReadersMessageAndChangesNothing) {
    configuration::ConfigurationFile before;
    before.situations[0].beakerConcentrationText = "0,05";
    ASSERT_TRUE(load(before));
    const QString caption = document.caption();
    const QString shownBefore = shown(0);

    configuration::ConfigurationFile other;
    other.situations[0].beakerIsAcid = false;
    const QString cutPath = folder.filePath(QStringLiteral("coupe.C13"));
    for (const qint64 size : {qint64{4 * 128}, qint64{5 * 128}, qint64{572}, qint64{153 * 128 + 2}}) {
        ASSERT_TRUE(configuration::saveConfigurationFile(cutPath.toStdString(), other));
        ASSERT_TRUE(QFile::resize(cutPath, size));
        boxes.queueAnswer(platform::MessageAnswer::Ok);
        document.setConfigurationPath(cutPath);
        EXPECT_FALSE(document.LoadConfiguration()) << size;
        ASSERT_EQ(boxes.calls().size(), 1u) << size;
        EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Lecture impossible sur disque")) << size;
        EXPECT_EQ(boxes.calls()[0].title, QStringLiteral("Erreur lors du chargement du fichier")) << size;
        boxes.reset();
        EXPECT_EQ(document.caption(), caption) << size;
        EXPECT_EQ(bench.situations(), before.situations) << size;
        EXPECT_EQ(shown(0), shownBefore) << size;
    }
}
