#include <gtest/gtest.h>

#include "tests/support/childprocess.h"

#include <filesystem>
#include <set>
#include <string>

#include "configuration/configurationfile.h"
#include "exercises/exercisefile.h"
#include "tools/exercisebuilder.h"
#include "tools/exercisesource.h"

using namespace tools;
namespace fs = std::filesystem;

namespace {

const std::string kExercise = R"(@@ A comment
@titre  Titrage de l'acide éthanoïque
@niveau 2
@sabliers 3
@notion Titrage pH-métrique
@notion Volume à l'équivalence

@configuration
superposer = oui
situation 1 : acide éthanoïque ; c = 0,01 ; V = 20 ; cb = 0,0125
situation 3 : ammoniac ; eau = 80 ; indicateur = Hélianthine (3,2 - 4,4) ; masquée = oui
    ; burette = non

@énoncé
# Titrage
Versez la soude.
...

@configuration-corrigé
situation 1 : acide éthanoïque ; c = 0,01 ; V = 20 ; cb = 0,0125 ; versé = 25 ; masquée = oui
situation 2 : autre acide ; pKa = 4,0 ; versé = 25 ; pH-mètre = non ; indicateur = Bleu de thymol
@corrigé
V_E = [[16,0 | Ve S1]] mL.
)";

ExerciseSource parsedSource(const std::string& text, const std::string& name = "AcideFaible") {
    SourceError error;
    auto source = parseExerciseSource(text, name, error);
    EXPECT_TRUE(source.has_value()) << error.line << ": " << error.message;
    return source.value_or(ExerciseSource{});
}

TEST(ExerciseSource, ReadsItsDirectivesAndSections) {
    const auto source = parsedSource(kExercise);
    EXPECT_EQ(source.name, "AcideFaible");
    EXPECT_EQ(source.title, "Titrage de l'acide éthanoïque");
    EXPECT_EQ(source.level, 2);
    EXPECT_EQ(source.hourglasses, 3);
    // The notions box shows them with no separator of its own.
    EXPECT_EQ(source.notions,
              (std::vector<std::string>{"Titrage pH-métrique ; ", "Volume à l'équivalence."}));
    EXPECT_FALSE(source.gettingStarted);
    EXPECT_EQ(source.statement.blocks.size(), 3u);
    ASSERT_TRUE(source.correction.has_value());
    ASSERT_EQ(source.correction->tags.size(), 1u);
    EXPECT_EQ(source.correction->tags[0].line, 23);
}

TEST(ExerciseSource, DescribesTheSituationsAsThePanelHoldsThem) {
    const auto source = parsedSource(kExercise);
    ASSERT_TRUE(source.configuration.has_value());
    const auto& file = *source.configuration;
    EXPECT_TRUE(file.superposeCurves);
    EXPECT_FALSE(file.boldStrokes);
    const auto& s1 = file.situations[0];
    EXPECT_EQ(s1.speciesIndex, 4);
    EXPECT_TRUE(s1.beakerIsAcid);
    EXPECT_EQ(s1.titrantConcentrationText, "0,0125");  // as written
    EXPECT_EQ(s1.beakerVolumeText, "20,0");            // as the panel writes a volume
    EXPECT_EQ(s1.pouredVolumeText, "0,0");
    EXPECT_FALSE(s1.completed);
    const auto& s3 = file.situations[2];
    EXPECT_FALSE(s3.beakerIsAcid);  // ammonia is a base
    EXPECT_EQ(s3.speciesIndex, 1);
    EXPECT_EQ(s3.waterVolumeText, "80,0");
    EXPECT_EQ(s3.indicatorIndex, 8);
    EXPECT_TRUE(s3.concentrationMasked);
    EXPECT_FALSE(s3.showBurette);  // from the continuation line
    EXPECT_EQ(file.situations[1], chemistry::defaultSituation());
    EXPECT_FALSE(file.concentrationMasked);  // follows Situation 1 only
}

TEST(ExerciseSource, APouredBuretteWithThePhMeterIsCompleted) {
    const auto source = parsedSource(kExercise);
    ASSERT_TRUE(source.correctionConfiguration.has_value());
    const auto& s = source.correctionConfiguration->situations;
    EXPECT_EQ(s[0].pouredVolumeText, "25,0");
    EXPECT_TRUE(s[0].completed);
    EXPECT_FALSE(s[1].completed);  // the pH-meter is hidden
    EXPECT_EQ(s[1].speciesIndex, 14);
    EXPECT_EQ(s[1].otherPKaText, "4,0");
    EXPECT_EQ(s[1].indicatorIndex, 9);  // named without its zone
    EXPECT_FALSE(source.correctionConfiguration->superposeCurves);
    EXPECT_TRUE(source.correctionConfiguration->concentrationMasked);  // Situation 1 is masked
}

TEST(ExerciseSource, SavesTheConductimeterOnlyWhereItIsTicked) {
    EXPECT_TRUE(parsedSource(kExercise).configuration->extensions.empty());
    std::string text = kExercise;
    text.replace(text.find("superposer = oui"), 16, "superposer = oui\nconductimètre = oui\ngraphe = sigma");
    const auto source = parsedSource(text);
    const auto& entries = source.configuration->extensions;
    EXPECT_EQ(entries.value("conductimètre"), "1");
    EXPECT_EQ(entries.value("graphe"), "sigma");
    EXPECT_TRUE(source.correctionConfiguration->extensions.empty()) << "each set-up has its own switches";
}

struct Fault {
    const char* why;
    std::string replaced;  // a line of kExercise
    std::string by;
    int line;
};

class MalformedSource : public ::testing::TestWithParam<Fault> {};

TEST_P(MalformedSource, IsReportedAtItsLine) {
    std::string text = kExercise;
    const auto at = text.find(GetParam().replaced);
    ASSERT_NE(at, std::string::npos) << GetParam().replaced;
    text.replace(at, GetParam().replaced.size(), GetParam().by);
    SourceError error;
    EXPECT_FALSE(parseExerciseSource(text, "AcideFaible", error).has_value()) << GetParam().why;
    EXPECT_EQ(error.line, GetParam().line) << GetParam().why << ": " << error.message;
    EXPECT_FALSE(error.message.empty());
}

const std::string kSituation1 = "situation 1 : acide éthanoïque ; c = 0,01 ; V = 20 ; cb = 0,0125\n";

INSTANTIATE_TEST_SUITE_P(
    Faults, MalformedSource,
    ::testing::Values(
        Fault{"text before any section", "@@ A comment", "Bonjour", 1},
        Fault{"unknown directive", "@sabliers 3", "@durée 3", 4},
        Fault{"level beyond 3", "@niveau 2", "@niveau 4", 3},
        Fault{"level beyond any whole number", "@niveau 2", "@niveau 1e10", 3},
        Fault{"level far below", "@niveau 2", "@niveau -1e10", 3},
        Fault{"level not whole", "@niveau 2", "@niveau 1,5", 3},
        Fault{"hourglasses beyond any whole number", "@sabliers 3", "@sabliers 1e10", 4},
        Fault{"title beyond Windows-1252", "@titre  Titrage de l'acide éthanoïque", "@titre Titrage ≈", 2},
        Fault{"notion too long for its record", "@notion Titrage pH-métrique",
              "@notion " + std::string(125, 'x'), 5},
        Fault{"section given twice", "@corrigé", "@énoncé", 22},
        Fault{"no statement", "@énoncé\n# Titrage\nVersez la soude.\n...\n", "", 1},
        Fault{"getting started with a correction", "@niveau 2", "@prise-en-main", 1},
        Fault{"malformed markup", "Versez la soude.", "Versez la **soude.", 16},
        Fault{"tag of no quantity", "[[16,0 | Ve S1]]", "[[16,0 | Ve S12]]", 23},
        Fault{"unknown solute", kSituation1, "situation 1 : vinaigre\n", 10},
        Fault{"concentration the panel would correct", kSituation1, "situation 1 : phénol ; cb = 0,5\n", 10},
        Fault{"probe not immersed", kSituation1, "situation 1 : phénol ; V = 10\n", 10},
        Fault{"pKa of a catalogue solute", kSituation1, "situation 1 : phénol ; pKa = 4\n", 10},
        Fault{"unknown setting", kSituation1, "situation 1 : phénol ; couleur = rouge\n", 10},
        Fault{"situation described twice", kSituation1, "situation 3 : phénol\n", 11},
        Fault{"not a set-up line", "superposer = oui", "superposer", 9},
        Fault{"graph of no quantity", "superposer = oui", "conductimètre = oui\ngraphe = σ", 10},
        Fault{"σ graph without the conductimeter", "superposer = oui", "graphe = sigma", 9}));

TEST(ExerciseSource, NamesTheShippedFilesOnlyWithPlainCharacters) {
    SourceError error;
    EXPECT_FALSE(parseExerciseSource(kExercise, "acide faible", error).has_value());
    EXPECT_FALSE(parseExerciseSource(kExercise, "", error).has_value());
    EXPECT_FALSE(parseExerciseSource(kExercise, "éthanoïque", error).has_value());
    EXPECT_TRUE(parseExerciseSource(kExercise, "Acide_faible-2", error).has_value());
}

class Builder : public ::testing::Test {
  protected:
    void SetUp() override {
        m_folder =
            fs::temp_directory_path() / ("vireltra-builder-" + std::to_string(testsupport::processId()));
        fs::create_directories(m_folder);
    }
    void TearDown() override { fs::remove_all(m_folder); }
    fs::path m_folder;
};

TEST_F(Builder, WritesAnExerciseAndItsFourFiles) {
    const auto source = parsedSource(kExercise);
    std::string error;
    ASSERT_TRUE(buildExercise(source, m_folder, error)) << error;
    const fs::path folder = m_folder / "exercises";
    const auto index = exercises::readExerciseFile(folder / "AcideFaible.E36");
    ASSERT_TRUE(index.has_value());
    EXPECT_EQ(index->statement, "AcideFaible.RTF");
    EXPECT_EQ(index->configuration, "AcideFaible.C13");
    EXPECT_EQ(index->correction, "AcideFaible-corrige.RTF");
    EXPECT_EQ(index->correctionConfiguration, "AcideFaible-corrige.C13");
    EXPECT_EQ(index->title, source.title);
    EXPECT_EQ(index->level, 2);
    EXPECT_EQ(index->hourglassCount, 3);
    EXPECT_EQ(index->notions(), "Titrage pH-métrique ; Volume à l'équivalence.");
    configuration::ConfigurationFile loaded;
    ASSERT_EQ(configuration::loadConfigurationFile(folder / index->correctionConfiguration, loaded),
              configuration::LoadResult::Loaded);
    EXPECT_EQ(loaded, *source.correctionConfiguration);
    EXPECT_TRUE(fs::exists(folder / index->statement));
    EXPECT_TRUE(fs::exists(folder / index->correction));
}

TEST_F(Builder, BuildingAgainMakesTheSameFilesBesideTheIndex) {
    const auto source = parsedSource(kExercise);
    std::string error;
    ASSERT_TRUE(buildExercise(source, m_folder, error)) << error;
    const auto names = [this] {
        std::set<std::string> found;
        for (const auto& entry : fs::recursive_directory_iterator(m_folder))
            found.insert(fs::relative(entry.path(), m_folder).string());
        return found;
    };
    const auto first = names();
    ASSERT_TRUE(buildExercise(source, m_folder, error)) << error;
    EXPECT_EQ(names(), first);
    EXPECT_EQ(exercises::readExerciseFile(m_folder / "exercises" / "AcideFaible.E36")->statement,
              "AcideFaible.RTF");
}

TEST_F(Builder, PutsTheGettingStartedExerciseAtTheRootAndLeavesAbsentPartsBlank) {
    const auto source =
        parsedSource("@titre Prise en main\n@prise-en-main\n@énoncé\nBonjour\n", "PriseEnMain");
    std::string error;
    ASSERT_TRUE(buildExercise(source, m_folder, error)) << error;
    const auto index = exercises::readExerciseFile(m_folder / "Qelvo.PEM");
    ASSERT_TRUE(index.has_value());
    EXPECT_EQ(index->statement, "PriseEnMain.RTF");
    EXPECT_FALSE(index->hasConfiguration());
    EXPECT_FALSE(index->isCorrected());
    EXPECT_TRUE(fs::exists(m_folder / "PriseEnMain.RTF"));
}

TEST_F(Builder, ReportsAFolderItCannotWriteTo) {
    const auto source = parsedSource(kExercise);
    fs::create_directories(m_folder / "exercises" / "AcideFaible.RTF");  // a folder where a file goes
    std::string error;
    EXPECT_FALSE(buildExercise(source, m_folder, error));
    EXPECT_NE(error.find("AcideFaible.RTF"), std::string::npos);
    EXPECT_FALSE(fs::exists(m_folder / "exercises" / "AcideFaible.E36"));
}

}  // namespace
