// Loading a configuration into the bench: what the reader leaves in place around the ten
// situations it reads.
#include <gtest/gtest.h>

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
