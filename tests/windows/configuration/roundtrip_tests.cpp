// A sound configuration opened and saved again is the same file, byte for byte: every
// configuration shipped with the exercises, and ten situations set up by hand.
#include <gtest/gtest.h>

#include <QDirIterator>
#include <vector>

#include "configurationscript.h"
#include "tests/configuration/filebytes.h"
#include "testsupport.h"

namespace {

const QString kData = QStringLiteral(VIRELTRA_DATA_DIR_BUILD);

std::vector<std::string> shippedConfigurations() {
    std::vector<std::string> paths;
    QDirIterator files(kData, {QStringLiteral("*.C13")}, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) paths.push_back(files.next().toStdString());
    return paths;
}

std::vector<unsigned char> bytesOf(const QString& path) {
    return filebytes::fileBytes(std::filesystem::path(path.toStdU16String()));
}

// Opens `path` in a fresh run, then saves it to `copy` as "&Enregistrer" does (the panel stored
// into the current situation first), without any message.
void reopenAndSave(const QString& path, const QString& copy) {
    testsupport::ScriptedWindow run;
    auto& document = run.window->document();
    document.setConfigurationPath(path);
    EXPECT_TRUE(document.LoadConfiguration());
    auto& bench = run.window->workbench();
    bench.Option2_Click(bench.currentSituation());
    EXPECT_TRUE(document.SaveConfiguration(copy));
    EXPECT_TRUE(run.boxes.calls().empty()) << run.boxes.calls().front().text.toStdString();
}

class ShippedConfiguration : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST(ShippedConfigurations, AreThere) {
    EXPECT_GE(shippedConfigurations().size(), 2u);
}

TEST_P(ShippedConfiguration, SavesBackByteForByte) {
    const QString original = QString::fromStdString(GetParam());
    QTemporaryDir folder;
    const QString copy = folder.filePath(QStringLiteral("copie.C13"));
    reopenAndSave(original, copy);
    EXPECT_EQ(bytesOf(copy), bytesOf(original));
}

INSTANTIATE_TEST_SUITE_P(
    DataFolder, ShippedConfiguration, ::testing::ValuesIn(shippedConfigurations()),
    [](const ::testing::TestParamInfo<std::string>& info) {
        return testsupport::caseName(
            QDir(kData).relativeFilePath(QString::fromStdString(info.param)).toUtf8().constData());
    });

TEST(TenSituations, SaveBackByteForByte) {
    testsupport::ScriptedWindow first;
    configurationscript::setUpTenSituations(*first.window);
    auto& bench = first.window->workbench();
    bench.Option2_Click(bench.currentSituation());
    const QString saved = first.folder.filePath(QStringLiteral("dix.C13"));
    ASSERT_TRUE(first.window->document().SaveConfiguration(saved));
    const QString copy = first.folder.filePath(QStringLiteral("copie.C13"));
    reopenAndSave(saved, copy);
    EXPECT_EQ(bytesOf(copy), bytesOf(saved));
    EXPECT_TRUE(first.boxes.calls().empty());
}
