// An exercise's files change as one set: a save killed at any of its steps leaves either the whole
// old exercise or the whole new one, as every reader sees it through the index, and the next save
// leaves nothing else behind. The saves are killed for real, in a child process, at the writer's
// fault injection point.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "configuration/recordbuffer.h"
#include "exercises/exercisewriter.h"
#include "tests/mutator.h"

using namespace exercises;
namespace fs = std::filesystem;

namespace {

rtf::Document textOf(const std::string& words) {
    rtf::Document document;
    document.paragraphs.push_back({});
    document.paragraphs.back().runs.push_back({words, {}});
    return document;
}

// Version n of one exercise; every file differs from one version to the next.
ExerciseContent version(int n, bool withCorrection = true) {
    const std::string number = std::to_string(n);
    ExerciseContent content;
    content.name = "Vinaigre";
    content.title = "Dosage du vinaigre, version " + number;
    content.level = 1 + n % 3;
    content.hourglasses = n;
    content.notionLines = notionLinesOf({"Équivalence", "pH n° " + number});
    content.configuration = configuration::ConfigurationFile{};
    content.configuration->situations[0].beakerConcentrationText = "0,0" + number;
    content.statement = textOf("Énoncé " + number);
    if (withCorrection) {
        content.correction = textOf("Corrigé " + number);
        content.correctionConfiguration = content.configuration;
        content.correctionConfiguration->situations[0].pouredVolumeText = number + ",0";
    }
    return content;
}

std::string bytesOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return "<absent>";
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The exercise as a reader sees it through its index: the index's own records (file names left
// out, since either set may hold them) and the bytes of every file it names.
struct Seen {
    std::optional<ExerciseFile> index;
    std::vector<std::string> files;
    bool operator==(const Seen&) const = default;
};

Seen seenIn(const fs::path& folder) {
    Seen seen;
    seen.index = readExerciseFile(folder / "Vinaigre.E36");
    if (!seen.index) return seen;
    for (std::string* name : {&seen.index->statement, &seen.index->configuration, &seen.index->correction,
                              &seen.index->correctionConfiguration}) {
        seen.files.push_back(isBlank(*name) ? "" : bytesOf(folder / *name));
        name->clear();
    }
    return seen;
}

// Everything under the folder, hidden files and folders included.
std::set<std::string> namesUnder(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.insert(fs::relative(entry.path(), folder).string());
    return names;
}

// The index, the files it names and the folder that holds them: all that an exercise leaves.
std::set<std::string> namesOfTheExercise(const fs::path& folder) {
    std::set<std::string> names{"Vinaigre.E36"};
    const auto index = readExerciseFile(folder / "Vinaigre.E36");
    if (!index) return names;
    for (const std::string& name :
         {index->statement, index->configuration, index->correction, index->correctionConfiguration}) {
        if (isBlank(name)) continue;
        names.insert(name);
        if (const fs::path parent = fs::path(name).parent_path(); !parent.empty())
            names.insert(parent.string());
    }
    return names;
}

class FileSetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // In memory where the system has it: each save waits for its files to reach the disk.
        std::error_code error;
        const fs::path memory = "/dev/shm";
        const fs::path base = fs::is_directory(memory, error) ? memory : fs::temp_directory_path();
        m_root = base / ("vireltra-exercise-set-" + std::to_string(getpid()) + "-" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(m_root);
        fs::create_directories(m_root);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_root, ignored);
    }

    // A folder of its own, emptied.
    fs::path folder(const std::string& name) const {
        fs::path path = m_root / name;
        fs::remove_all(path);
        fs::create_directories(path);
        return path;
    }

    // The exercise as it is once written alone.
    Seen seenAlone(const ExerciseContent& content) const {
        const fs::path alone = folder("alone");
        EXPECT_TRUE(writeExerciseFiles(content, alone));
        return seenIn(alone);
    }

    fs::path m_root;
};

struct KillCase {
    const char* why;
    std::vector<ExerciseContent> saved;  // the saves made before, in order
    ExerciseContent killed;              // the save killed at each of its steps
    ExerciseContent next;                // the save made afterwards
};

void PrintTo(const KillCase& c, std::ostream* out) {
    *out << c.why;
}

class KilledSave : public FileSetTest, public ::testing::WithParamInterface<KillCase> {
  protected:
    fs::path prepared() const {
        fs::path exercise = folder("exercise");
        for (const ExerciseContent& content : GetParam().saved)
            EXPECT_TRUE(writeExerciseFiles(content, exercise));
        return exercise;
    }
};

TEST_P(KilledSave, LeavesTheWholeOldExerciseOrTheWholeNewOneAndTheNextSaveNothingElse) {
    const KillCase& c = GetParam();
    const Seen before = c.saved.empty() ? Seen{} : seenAlone(c.saved.back());
    const Seen after = seenAlone(c.killed);
    ASSERT_NE(before, after);

    int steps = 0;
    WriteHooks counting;
    counting.beforeStep = [&steps] { ++steps; };
    ASSERT_TRUE(writeExerciseFiles(c.killed, prepared(), nullptr, counting));
    ASSERT_GE(steps, 5);

    const Seen next = seenAlone(c.next);
    bool oldSeen = false;
    bool newSeen = false;
    for (int kill = 0; kill < steps; ++kill) {
        const fs::path exercise = prepared();
        const pid_t child = fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            int step = 0;
            WriteHooks hooks;
            hooks.beforeStep = [&step, kill] {
                if (step++ == kill) raise(SIGKILL);
            };
            writeExerciseFiles(c.killed, exercise, nullptr, hooks);
            _exit(0);
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status)) << "step " << kill;

        const Seen seen = seenIn(exercise);
        EXPECT_TRUE(seen == before || seen == after) << "killed at step " << kill << " of " << steps;
        oldSeen = oldSeen || seen == before;
        newSeen = newSeen || seen == after;

        ASSERT_TRUE(writeExerciseFiles(c.next, exercise)) << "step " << kill;
        EXPECT_EQ(seenIn(exercise), next) << "step " << kill;
        EXPECT_EQ(namesUnder(exercise), namesOfTheExercise(exercise)) << "killed at step " << kill;
    }
    EXPECT_TRUE(oldSeen && newSeen) << "the kills should fall on both sides of the switch";
}

INSTANTIATE_TEST_SUITE_P(
    Saves, KilledSave,
    ::testing::Values(
        KillCase{"a first save", {}, version(1), version(2)},
        KillCase{"over the files beside the index", {version(1)}, version(2), version(3)},
        KillCase{"over the files in their folder", {version(1), version(2)}, version(3), version(4)},
        KillCase{"dropping the correction", {version(1), version(2)}, version(3, false), version(4)},
        KillCase{"adding a correction", {version(1, false)}, version(2), version(3, false)}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(FileSetTest, SavesTakeTurnsBesideTheIndexAndInTheFolderAndEveryReaderFollows) {
    const fs::path exercise = folder("exercise");
    for (int n = 1; n <= 4; ++n) {
        ASSERT_TRUE(writeExerciseFiles(version(n), exercise));
        const auto index = readExerciseFile(exercise / "Vinaigre.E36");
        ASSERT_TRUE(index.has_value());
        const FileSet set = n % 2 == 1 ? FileSet::Beside : FileSet::InFolder;
        EXPECT_EQ(*index, indexOf(version(n), set)) << "save " << n;
        EXPECT_EQ(seenIn(exercise), seenAlone(version(n))) << "save " << n;
        EXPECT_EQ(namesUnder(exercise), namesOfTheExercise(exercise)) << "save " << n;
    }
    // The first save is the one the exercise builder makes: files beside the index.
    EXPECT_EQ(indexOf(version(1)).statement, "Vinaigre.RTF");
    EXPECT_EQ(indexOf(version(2), FileSet::InFolder).correctionConfiguration,
              "Vinaigre.fichiers/corrige.C13");
}

TEST_F(FileSetTest, NothingIsWrittenWhenTheDiskLacksRoomAndTheSaveSaysHowMuchItNeeds) {
    const fs::path exercise = folder("exercise");
    ASSERT_TRUE(writeExerciseFiles(version(1), exercise));
    const Seen before = seenIn(exercise);
    const auto names = namesUnder(exercise);
    // Statement, configuration, correction, its configuration and index: 1 + 5 + 1 + 5 + 1 blocks of
    // 4 KB, and one for the folder that holds them while the old files are kept.
    const std::uintmax_t needed = (1 + 5 + 1 + 5 + 1 + 1) * 4096;
    for (const std::uintmax_t left : {std::uintmax_t{0}, needed - 1}) {
        WriteHooks hooks;
        hooks.availableBytes = [left](const fs::path&) { return left; };
        WriteFailure failure;
        EXPECT_FALSE(writeExerciseFiles(version(2), exercise, &failure, hooks));
        EXPECT_TRUE(failure.lackOfRoom);
        EXPECT_EQ(failure.bytesNeeded, needed);
        EXPECT_EQ(failure.bytesAvailable, left);
        EXPECT_EQ(seenIn(exercise), before);
        EXPECT_EQ(namesUnder(exercise), names);
    }
    WriteHooks enough;
    enough.availableBytes = [needed](const fs::path&) { return needed; };
    EXPECT_TRUE(writeExerciseFiles(version(2), exercise, nullptr, enough));
}

TEST(RoomText, SaysTheRoomNeededRoundedUpAndTheRoomLeftRoundedDown) {
    const struct {
        std::uintmax_t needed;
        std::uintmax_t left;
        const char* text;
    } cases[] = {
        {57344, 0, "Il faut 56 Ko libres sur le disque pour l'enregistrer ; il en reste 0 Ko."},
        {1400000, 430080, "Il faut 1,4 Mo libres sur le disque pour l'enregistrer ; il en reste 420 Ko."},
        {1025, 1023, "Il faut 2 Ko libres sur le disque pour l'enregistrer ; il en reste 0 Ko."},
        {3ULL << 30, (1ULL << 30) - 1,
         "Il faut 3,0 Go libres sur le disque pour l'enregistrer ; il en reste 1023,9 Mo."},
    };
    for (const auto& c : cases) EXPECT_EQ(roomText(c.needed, c.left), c.text) << c.needed;
}

TEST_F(FileSetTest, AWriteProtectedFileOfTheExerciseIsNeverReplaced) {
    for (const std::string protectedName : {"Vinaigre.E36", "Vinaigre-corrige.RTF"}) {
        const fs::path exercise = folder("exercise");
        ASSERT_TRUE(writeExerciseFiles(version(1), exercise));
        const Seen before = seenIn(exercise);
        fs::permissions(exercise / protectedName, fs::perms::owner_read | fs::perms::group_read);
        WriteFailure failure;
        EXPECT_FALSE(writeExerciseFiles(version(2), exercise, &failure)) << protectedName;
        EXPECT_EQ(failure.file, protectedName);
        EXPECT_FALSE(failure.lackOfRoom);
        EXPECT_EQ(seenIn(exercise), before) << protectedName;
        EXPECT_EQ(namesUnder(exercise), namesOfTheExercise(exercise)) << protectedName;
    }
}

// An index damaged or written by another program, whatever its records name, never keeps a save
// from writing the whole new exercise, and never costs a file that is not the exercise's own.
TEST_F(FileSetTest, AnyIndexInThePlaceOfTheOldOneGivesWayToTheNewExercise) {
    const auto bytesOfIndex = [](const ExerciseFile& index) {
        configuration::RecordBuffer buffer;
        EXPECT_TRUE(writeExercise(buffer, index));
        return std::string(buffer.bytes().begin(), buffer.bytes().end());
    };
    const std::vector<std::string> seeds{bytesOfIndex(indexOf(version(1))),
                                         bytesOfIndex(indexOf(version(2), FileSet::InFolder))};
    const std::vector<std::string> alphabet{
        "Vinaigre", ".fichiers/",          "/", "../", "autre.RTF", ".C13", std::string(2, '\0'),
        "\xFF",     std::string(128, '\0')};
    testing_support::Mutator mutator(seeds, alphabet, 32);
    for (int round = 0; round < 40; ++round) {
        const fs::path exercise = folder("exercise");
        ASSERT_TRUE(writeExerciseFiles(version(round % 2 + 1), exercise));
        std::ofstream(exercise / "autre.RTF") << "{\\rtf1 un autre texte}";
        const std::string mutant = mutator.next();
        std::ofstream(exercise / "Vinaigre.E36", std::ios::binary | std::ios::trunc) << mutant;
        const auto before = namesUnder(exercise);

        ASSERT_TRUE(writeExerciseFiles(version(3), exercise)) << "round " << round;
        EXPECT_EQ(seenIn(exercise), seenAlone(version(3))) << "round " << round;
        EXPECT_EQ(bytesOf(exercise / "autre.RTF"), "{\\rtf1 un autre texte}") << "round " << round;
        const auto ours = namesOfTheExercise(exercise);
        for (const std::string& name : namesUnder(exercise))
            EXPECT_TRUE(ours.contains(name) || before.contains(name)) << name << ", round " << round;
    }
}

}  // namespace
