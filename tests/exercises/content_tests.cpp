// The exercises the program ships: every number a text states is the one the program shows, and
// every file reads back and loads.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "configuration/configurationfile.h"
#include "exercises/exercisefile.h"
#include "rtf/reader.h"
#include "state/benchconfiguration.h"
#include "state/potentiometry.h"
#include "state/redoxcodec.h"
#include "state/secondsolutecodec.h"
#include "state/situationactions.h"
#include "tools/exercisebuilder.h"
#include "tools/exercisesource.h"
#include "tools/quantity.h"

using namespace tools;
namespace fs = std::filesystem;

namespace {

const fs::path kSources = VIRELTRA_EXERCISE_SOURCES;
const fs::path kData = VIRELTRA_DATA_DIR_BUILD;

std::string fileText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> sourceNames() {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kSources, error)) {
        if (entry.path().extension() == ".txt") names.push_back(entry.path().stem().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<fs::path> shippedExercises() {
    std::vector<fs::path> files;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(kData / kExercisesFolder, error)) {
        if (entry.path().extension() == ".E36") files.push_back(entry.path());
    }
    return files;
}

configuration::ConfigurationFile loaded(const fs::path& path) {
    configuration::ConfigurationFile file;
    EXPECT_EQ(configuration::loadConfigurationFile(path, file), configuration::LoadResult::Loaded) << path;
    EXPECT_TRUE(state::readSecondSolutes(file)) << path;
    EXPECT_TRUE(state::readRedoxChoices(file)) << path;
    return file;
}

class ShippedExercise : public ::testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        SourceError error;
        auto source = parseExerciseSource(fileText(kSources / (GetParam() + ".txt")), GetParam(), error);
        ASSERT_TRUE(source.has_value()) << GetParam() << ".txt:" << error.line << ": " << error.message;
        m_source = std::move(*source);
        m_folder = shippedFolder(m_source, kData);
        m_index = indexOf(m_source);
    }

    // Each tag of the text against the configuration shipped with it.
    void checkTags(const MarkedText& text, const std::string& configurationName) {
        ASSERT_FALSE(exercises::isBlank(configurationName)) << GetParam() << ": tags need a configuration";
        const auto configuration = loaded(m_folder / configurationName);
        for (const Tag& tag : text.tags) {
            std::string error;
            const auto quantity = parseQuantity(tag.quantity, tag.picture, error);
            ASSERT_TRUE(quantity.has_value()) << error;
            const auto shown = evaluateQuantity(*quantity, tag.picture, configuration, error);
            EXPECT_EQ(shown.value_or("(" + error + ")"), tag.shown)
                << GetParam() << ".txt:" << tag.line << ": [[" << tag.shown << " | " << tag.quantity
                << "]] states " << tag.shown << ", the program shows " << shown.value_or(error);
        }
    }

    // The shipped rich text holds the numbers of the tags, in their order.
    void checkRichText(const MarkedText& text, const std::string& name) {
        const auto document = rtf::read(fileText(m_folder / name));
        ASSERT_TRUE(document.has_value()) << name;
        const std::string plain = document->plainText();
        std::size_t from = 0;
        for (const Tag& tag : text.tags) {
            from = plain.find(tag.shown, from);
            ASSERT_NE(from, std::string::npos) << name << " lacks " << tag.shown << " of line " << tag.line;
            from += tag.shown.size();
        }
    }

    ExerciseSource m_source;
    fs::path m_folder;
    exercises::ExerciseFile m_index;
};

TEST_P(ShippedExercise, EveryStatedNumberIsWhatTheProgramShows) {
    checkTags(m_source.statement, m_index.configuration);
    if (m_source.correction) checkTags(*m_source.correction, m_index.correctionConfiguration);
}

TEST_P(ShippedExercise, ShipsWhatItsSourceSays) {
    const auto index = exercises::readExerciseFile(m_folder / indexFileName(m_source));
    ASSERT_TRUE(index.has_value()) << indexFileName(m_source);
    EXPECT_EQ(index->statement, m_index.statement);
    EXPECT_EQ(index->configuration, m_index.configuration);
    EXPECT_EQ(index->correction, m_index.correction);
    EXPECT_EQ(index->correctionConfiguration, m_index.correctionConfiguration);
    EXPECT_EQ(index->title, m_index.title);
    EXPECT_EQ(index->notions(), m_index.notions());
    checkRichText(m_source.statement, m_index.statement);
    if (m_source.configuration) {
        EXPECT_EQ(loaded(m_folder / m_index.configuration), *m_source.configuration);
    }
    if (m_source.correction) checkRichText(*m_source.correction, m_index.correction);
    if (m_source.correctionConfiguration) {
        EXPECT_EQ(loaded(m_folder / m_index.correctionConfiguration), *m_source.correctionConfiguration);
    }
}

TEST_P(ShippedExercise, StatementIsSetUpBeforePouringAndCorrectionDrawsItsCurves) {
    if (m_source.gettingStarted) {
        EXPECT_FALSE(m_index.isCorrected());
        EXPECT_TRUE(m_source.configuration.has_value());
        return;
    }
    EXPECT_GE(m_source.level, 1);
    EXPECT_LE(m_source.level, 3);
    EXPECT_FALSE(m_source.notions.empty());
    ASSERT_TRUE(m_source.configuration && m_source.correction && m_source.correctionConfiguration)
        << GetParam() << " lacks a part";
    for (const auto& s : m_source.configuration->situations) {
        EXPECT_EQ(s.pouredVolumeText, "0,0") << GetParam();
        EXPECT_FALSE(s.completed) << GetParam();
    }
    const auto& corrected = m_source.correctionConfiguration->situations;
    EXPECT_TRUE(std::any_of(corrected.begin(), corrected.end(), [](const auto& s) { return s.completed; }))
        << GetParam() << ": the correction draws no curve";
    EXPECT_FALSE(m_source.correction->tags.empty()) << GetParam() << ": the correction states no number";
}

// A question that has the pupil compute the beaker's concentration finds it hidden, unless it has
// the result compared with the value shown; questions speak to the pupil ("Concluez", not "Conclure").
TEST_P(ShippedExercise, QuestionsHideWhatTheyAskForAndSpeakToThePupil) {
    ASSERT_TRUE(m_source.configuration);
    const auto& beaker = m_source.configuration->situations[0];
    const std::regex computed(beaker.beakerIsAcid ? "alculez.*c_A" : "alculez.*c_B");
    for (const Block& block : m_source.statement.blocks) {
        std::string q;  // "4. Calculez c_A.": the paragraph as plain text, "_" before each subscript
        for (const Span& span : block.spans) q += (span.script == Script::Sub ? "_" : "") + span.text;
        if (block.kind != BlockKind::Text || !std::regex_search(q, std::regex("^[0-9]+\\. "))) continue;
        EXPECT_TRUE(beaker.concentrationMasked || q.find("affichée") != std::string::npos ||
                    !std::regex_search(q, computed))
            << q;
        EXPECT_FALSE(std::regex_search(q, std::regex("^[0-9]+\\. \\S+(er|ir|re) "))) << q;
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, ShippedExercise, ::testing::ValuesIn(sourceNames()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

TEST(ShippedExercises, AtLeastTenAndTheGettingStartedOne) {
    EXPECT_GE(shippedExercises().size(), 10u);
    const auto started = exercises::readExerciseFile(kData / exercises::kGettingStartedFileName);
    ASSERT_TRUE(started.has_value());
    EXPECT_TRUE(fs::is_regular_file(kData / started->statement));
    EXPECT_TRUE(fs::is_regular_file(kData / started->configuration));
}

// A correction followed by the electrodes opens on the bench with the titration its text describes:
// the millivoltmeter reads what the text's quantities compute, on the graph the source names.
TEST(ShippedExercises, ElectrodesShowOnTheBenchAsTheTextsSay) {
    int followed = 0;
    for (const auto& name : sourceNames()) {
        SourceError error;
        const auto source = parseExerciseSource(fileText(kSources / (name + ".txt")), name, error);
        ASSERT_TRUE(source.has_value()) << name << ": " << error.message;
        if (!source->correctionConfiguration) continue;
        const auto file = loaded(shippedFolder(*source, kData) / indexOf(*source).correctionConfiguration);
        const auto& first = file.situations[0];
        if (first.kind != chemistry::TitrationKind::Redox || first.redoxReference < 0) continue;
        ++followed;
        state::BenchState bench;
        state::setDefaults(bench);
        state::start(bench);
        state::loadConfiguration(bench, file);
        EXPECT_TRUE(state::electrodesShown(bench)) << name;
        EXPECT_EQ(state::potentialGraphShown(bench), file.extensions.value("graphe") == "E") << name;
        std::string reason;
        const auto quantity = parseQuantity("E S1 V=25", "", reason);
        ASSERT_TRUE(quantity.has_value()) << reason;
        const auto shown = evaluateQuantity(*quantity, "", file, reason);
        ASSERT_TRUE(shown.has_value()) << name << ": " << reason;
        EXPECT_EQ(bench.readings.potential, "E = " + *shown + " V") << name;
    }
    EXPECT_GE(followed, 1);
}

TEST(ShippedExercises, EveryFileReadsBackAndNamesFilesThatLoad) {
    for (const auto& path : shippedExercises()) {
        const auto exercise = exercises::readExerciseFile(path);
        ASSERT_TRUE(exercise.has_value()) << path;
        const fs::path folder = path.parent_path();
        EXPECT_FALSE(exercise->title.empty()) << path;
        EXPECT_TRUE(exercise->isCorrected()) << path;
        for (const auto* name : {&exercise->statement, &exercise->correction}) {
            EXPECT_TRUE(rtf::read(fileText(folder / *name)).has_value()) << path << ": " << *name;
        }
        for (const auto* name : {&exercise->configuration, &exercise->correctionConfiguration}) {
            configuration::ConfigurationFile file;
            EXPECT_EQ(configuration::loadConfigurationFile(folder / *name, file),
                      configuration::LoadResult::Loaded)
                << path << ": " << *name;
            // The bench takes it as it is: every entry known, no value brought back within its limits.
            EXPECT_TRUE(state::acceptConfiguration(file)) << path << ": " << *name;
            EXPECT_FALSE(state::correctConfiguration(file).has_value()) << path << ": " << *name;
        }
    }
}

}  // namespace
