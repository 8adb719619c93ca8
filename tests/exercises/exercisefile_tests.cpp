#include <gtest/gtest.h>

#include "tests/support/childprocess.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "configuration/recordbuffer.h"
#include "configuration/recordfile.h"
#include "configuration/recordview.h"
#include "exercises/exercisefile.h"
#include "tests/configuration/allocationcounter.h"

using namespace exercises;
using configuration::RecordBuffer;
namespace fs = std::filesystem;

namespace {

// An exercise file built record by record, as an authoring tool would write it.
RecordBuffer exerciseRecords(const std::vector<std::string>& records) {
    RecordBuffer buffer;
    for (std::size_t i = 0; i < records.size(); ++i)
        EXPECT_TRUE(buffer.write(static_cast<std::int64_t>(i + 1), records[i]));
    return buffer;
}

const std::vector<std::string> kTitration = {"dosage.rtf",
                                             "dosage.C13",
                                             "corrige.rtf",
                                             "corrige.C13",
                                             "2",
                                             "inutilisé",
                                             "Acide faible. ",
                                             "  ",
                                             "Base forte.",
                                             "",
                                             "  Dosage de l'acide éthanoïque  ",
                                             "3"};

ExerciseFile readRecords(const std::vector<std::string>& records) {
    auto buffer = exerciseRecords(records);
    const auto exercise = readExercise(buffer);
    EXPECT_TRUE(exercise.has_value());
    return exercise.value_or(ExerciseFile{});
}

// Records 1 to 12 as given, with record `n` replaced.
std::vector<std::string> with(std::size_t n, std::string text) {
    auto records = kTitration;
    records[n - 1] = std::move(text);
    return records;
}

class FailingReader : public configuration::RecordReader {
  public:
    FailingReader(RecordBuffer& inner, std::int64_t failing) : m_inner(inner), m_failing(failing) {}
    std::optional<std::string> read(std::int64_t n) override {
        return n == m_failing ? std::nullopt : m_inner.read(n);
    }

  private:
    RecordBuffer& m_inner;
    std::int64_t m_failing;
};

}  // namespace

TEST(Blank, OnlySurroundingSpacesAreRemoved) {
    EXPECT_TRUE(isBlank(""));
    EXPECT_TRUE(isBlank("    "));
    EXPECT_FALSE(isBlank(" a "));
    EXPECT_FALSE(isBlank("\t"));  // a tab is not a space
    EXPECT_EQ(trimSpaces("  Dosage  de l'acide "), "Dosage  de l'acide");
    EXPECT_EQ(trimSpaces("   "), "");
    EXPECT_EQ(trimSpaces("\tx\t"), "\tx\t");
}

TEST(ExerciseReader, GivesEveryRecordItsMeaning) {
    const auto exercise = readRecords(kTitration);
    EXPECT_EQ(exercise.statement, "dosage.rtf");
    EXPECT_EQ(exercise.configuration, "dosage.C13");
    EXPECT_EQ(exercise.correction, "corrige.rtf");
    EXPECT_EQ(exercise.correctionConfiguration, "corrige.C13");
    EXPECT_EQ(exercise.level, 2);
    EXPECT_EQ(exercise.notions(), "Acide faible. Base forte.");  // blanks skipped, no separator added
    EXPECT_EQ(exercise.title, "Dosage de l'acide éthanoïque");
    EXPECT_EQ(exercise.hourglassCount, 3);
    EXPECT_TRUE(exercise.isCorrected());
    EXPECT_TRUE(exercise.hasConfiguration());
}

TEST(ExerciseReader, FileNamesAreKeptAsStored) {
    const auto exercise = readRecords(with(1, " énoncé 1.rtf "));
    EXPECT_EQ(exercise.statement, " énoncé 1.rtf ");
}

TEST(ExerciseReader, EitherCorrectionRecordMarksTheExerciseCorrected) {
    const struct {
        const char* why;
        std::string correction;
        std::string correctionConfiguration;
        bool corrected;
    } cases[] = {
        {"both blank", "   ", "", false},
        {"both empty", "", "", false},
        {"text only", "c.rtf", " ", true},
        {"configuration only", "  ", "c.C13", true},
    };
    for (const auto& c : cases) {
        auto records = with(3, c.correction);
        records[3] = c.correctionConfiguration;
        EXPECT_EQ(readRecords(records).isCorrected(), c.corrected) << c.why;
    }
    EXPECT_FALSE(readRecords(with(2, "   ")).hasConfiguration());
}

// Read and written back as the icons the browser lights: icon k when the stored level is greater
// than k.
TEST(ExerciseReader, LevelIsTheNumberOfIconsItLightsAndIsWrittenSo) {
    const struct {
        const char* level;
        int icons;
    } cases[] = {
        {"2", 2},      {"0", 0},
        {"facile", 0}, {"5", 3},
        {"1.5", 2},    {"2,9", 2},
        {" 3", 3},     {"-1", 0},
        {"", 0},       {"1", 1},
        {"1E400", 3},  {"1E999", 3},
        {"-1E999", 0}, {"2.0000000000000004", 3},
        {"1E-300", 1},
    };
    for (const auto& c : cases) {
        const auto exercise = readRecords(with(5, c.level));
        EXPECT_EQ(exercise.level, c.icons) << c.level;
        for (int k = 0; k < kLevelIcons; ++k)
            EXPECT_EQ(exercise.isLevelIconLit(k), k < c.icons) << c.level << " icon " << k;
        RecordBuffer written;
        ASSERT_TRUE(writeExercise(written, exercise));
        EXPECT_EQ(written.read(5), std::to_string(c.icons)) << c.level;
    }
}

TEST(ExerciseReader, CountIsRoundedHalfToEvenAndNeverNegative) {
    const struct {
        const char* count;
        int expected;
    } cases[] = {
        {"3", 3},
        {"2.5", 2},
        {"3.5", 4},
        {"0", 0},
        {"-2", 0},
        {"abc", 0},
        {"4,6", 4},
        {"0.4", 0},
        {" 1", 1},
        {"32767", 32767},
        {"1E9", 0},  // more symbols than any box holds:
                     // ignored like an unreadable
                     // record
        {"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readRecords(with(12, c.count)).hourglassCount, c.expected) << c.count;
}

TEST(ExerciseReader, ShortFileLikeTheGettingStartedOneReadsItsFirstRecords) {
    const auto exercise = readRecords({"prise en main.rtf", "depart.C13"});
    EXPECT_EQ(exercise.statement, "prise en main.rtf");
    EXPECT_EQ(exercise.configuration, "depart.C13");
    EXPECT_FALSE(exercise.isCorrected());
    EXPECT_EQ(exercise.level, 0);
    EXPECT_EQ(exercise.notions(), "");
    EXPECT_EQ(exercise.title, "");
    EXPECT_EQ(exercise.hourglassCount, 0);
    RecordBuffer empty;
    const auto nothing = readExercise(empty);
    ASSERT_TRUE(nothing.has_value());
    EXPECT_TRUE(isBlank(nothing->statement));
}

TEST(ExerciseReader, UnreadableNamesFailButLaterRecordsAreOptional) {
    auto buffer = exerciseRecords(kTitration);
    for (std::int64_t n = 1; n <= 4; ++n) {
        FailingReader failing(buffer, n);
        EXPECT_FALSE(readExercise(failing).has_value()) << "record " << n;
    }
    FailingReader failsTitle(buffer, 11);
    const auto exercise = readExercise(failsTitle);
    ASSERT_TRUE(exercise.has_value());
    EXPECT_EQ(exercise->title, "");
    EXPECT_EQ(exercise->hourglassCount, 3);
}

TEST(ExerciseReader, ReadsFilesOnDisk) {
    const fs::path folder =
        fs::temp_directory_path() / ("vireltra-exercises-" + std::to_string(testsupport::processId()));
    fs::create_directories(folder);
    {
        configuration::RecordFile file;
        ASSERT_TRUE(file.open(folder / kGettingStartedFileName, configuration::RecordFile::Mode::ReadWrite));
        ASSERT_TRUE(file.write(1, "Prise en main.rtf"));
        ASSERT_TRUE(file.write(2, " "));
    }
    const auto started = readExerciseFile(folder / kGettingStartedFileName);
    ASSERT_TRUE(started.has_value());
    EXPECT_EQ(started->statement, "Prise en main.rtf");
    EXPECT_FALSE(started->hasConfiguration());
    EXPECT_FALSE(readExerciseFile(folder / "absent.E36").has_value());
    EXPECT_FALSE(readExerciseFile(folder).has_value());
    fs::remove_all(folder);
}

// Whatever it reads writes back and reads again the same. Real files: one whose files lie beside
// it, one whose files lie in their folder, as an exercise written again has them.
TEST(ExerciseReaderRobustness, ArbitraryBytesNeverCrashNorOverallocate) {
    const std::vector<unsigned char> real[] = {
        exerciseRecords(kTitration).bytes(),
        exerciseRecords({"Vinaigre.fichiers/enonce.RTF", "Vinaigre.fichiers/enonce.C13",
                         "Vinaigre.fichiers/corrige.RTF", "Vinaigre.fichiers/corrige.C13", "3", "", "pH.", "",
                         "", "", "Dosage du vinaigre", "10"})
            .bytes()};
    std::mt19937 random(36);
    for (int round = 0; round < 3000; ++round) {
        std::vector<unsigned char> bytes;
        if (round % 3 == 0) {  // random bytes of any length
            bytes.resize(random() % 2000);
            for (auto& b : bytes) b = static_cast<unsigned char>(random());
        } else {  // a real file, damaged, cut or lengthened
            bytes = real[round % 2];
            for (int i = 0; i < 4; ++i) bytes[random() % bytes.size()] = static_cast<unsigned char>(random());
            if (round % 3 == 1)
                bytes.resize(random() % (bytes.size() + 1));
            else
                bytes.resize(bytes.size() + random() % 300, static_cast<unsigned char>(random()));
        }
        // Exactly the bytes of the file in their own heap block, so a read past them is caught.
        auto* block = static_cast<unsigned char*>(std::malloc(bytes.empty() ? 1 : bytes.size()));
        if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
        std::size_t peak = 0;
        {
            testing_support::AllocationScope scope;
            configuration::RecordView view({block, bytes.size()});
            const auto exercise = readExercise(view);
            peak = scope.peakBytes();
            ASSERT_TRUE(exercise.has_value());
            EXPECT_GE(exercise->hourglassCount, 0);
            EXPECT_LE(exercise->hourglassCount, 32767);
            RecordBuffer again;
            ASSERT_TRUE(writeExercise(again, *exercise)) << "round " << round;
            EXPECT_EQ(readExercise(again), exercise) << "round " << round;
        }
        std::free(block);
        EXPECT_LE(peak, 3 * bytes.size()) << "round " << round;
    }
}

TEST(ExerciseWriter, WritesWhatTheReaderReadsBack) {
    ExerciseFile exercise;
    exercise.statement = "Acide.RTF";
    exercise.configuration = "Acide.C13";
    exercise.correctionConfiguration = "Acide-corrige.C13";
    exercise.level = 3;
    exercise.notionLines = {"Équivalence ; ", "", "pKa.", ""};
    exercise.title = "Dosage de l'acide éthanoïque";
    exercise.hourglassCount = 2;
    RecordBuffer buffer;
    ASSERT_TRUE(writeExercise(buffer, exercise));
    EXPECT_EQ(buffer.read(5), "3");
    EXPECT_EQ(buffer.read(6), "");
    EXPECT_EQ(buffer.read(12), "2");
    const auto back = readExercise(buffer);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->statement, exercise.statement);
    EXPECT_EQ(back->correction, "");
    EXPECT_EQ(back->correctionConfiguration, exercise.correctionConfiguration);
    EXPECT_EQ(back->level, 3);
    EXPECT_EQ(back->notionLines, exercise.notionLines);
    EXPECT_EQ(back->title, exercise.title);
    EXPECT_EQ(back->hourglassCount, 2);
    EXPECT_TRUE(back->isCorrected());
}

TEST(ExerciseWriter, ATooLongTextLeavesThePreviousFile) {
    const fs::path folder =
        fs::temp_directory_path() / ("vireltra-exercise-writer-" + std::to_string(testsupport::processId()));
    fs::create_directories(folder);
    const fs::path path = folder / "Acide.E36";
    ExerciseFile exercise;
    exercise.statement = "Acide.RTF";
    exercise.title = "Premier";
    ASSERT_TRUE(saveExerciseFile(path, exercise));
    exercise.title = "Second";
    exercise.notionLines[3] = std::string(127, 'x');  // one byte more than a record holds
    EXPECT_FALSE(saveExerciseFile(path, exercise));
    const auto kept = readExerciseFile(path);
    ASSERT_TRUE(kept.has_value());
    EXPECT_EQ(kept->title, "Premier");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()),
              1);  // no temporary left
    fs::remove_all(folder);
}
