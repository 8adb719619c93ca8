// An exercise's files change as one set: a save killed at any of its steps (for real, in a child
// process, at the writer's fault injection point) leaves the whole old exercise or the whole new
// one, as readers see it through the index, and the next save leaves nothing else behind.
#include <gtest/gtest.h>

#include "tests/support/childprocess.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "configuration/recordbuffer.h"
#include "exercises/exercisewriter.h"

using namespace exercises;
namespace fs = std::filesystem;

namespace {

// Version n of one exercise; every file differs from one version to the next.
ExerciseContent version(int n, bool withCorrection = true) {
    const std::string number = std::to_string(n);
    const auto textOf = [](const std::string& words) {
        rtf::Document document;
        document.paragraphs.push_back({});
        document.paragraphs.back().runs.push_back({words, {}});
        return document;
    };
    ExerciseContent content;
    content.name = "Vinaigre";
    content.title = "Dosage, version " + number;
    content.level = 1 + n % 3;
    content.hourglasses = n;
    content.notionLines = {"pH n° " + number};
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
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<absent>";
}

std::set<std::string> namesUnder(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(folder))
        names.insert(fs::relative(entry.path(), folder).string());
    return names;
}

// What a reader sees through the index: its records but the file names, and the files it names.
// The second part lists everything under the folder beyond the index and the files it names.
std::pair<std::vector<std::string>, std::set<std::string>> seenIn(const fs::path& folder) {
    std::vector<std::string> seen{bytesOf(folder / "Vinaigre.E36")};
    std::set<std::string> others = namesUnder(folder);
    auto index = readExerciseFile(folder / "Vinaigre.E36");
    if (!index) return {{}, others};
    others.erase("Vinaigre.E36");
    for (std::string* name :
         {&index->statement, &index->configuration, &index->correction, &index->correctionConfiguration}) {
        seen.push_back(isBlank(*name) ? "" : bytesOf(folder / *name));
        others.erase(*name);
        others.erase(fs::path(*name).parent_path().string());
        name->clear();
    }
    configuration::RecordBuffer records;
    EXPECT_TRUE(writeExercise(records, *index));
    seen[0] = std::string(records.bytes().begin(), records.bytes().end());
    return {seen, others};
}

class FileSetTest : public ::testing::Test {
  protected:
    // In memory where the system has it: each save waits for its files to reach the disk.
    static fs::path root() {
        std::error_code error;
        const fs::path base = fs::is_directory("/dev/shm", error) ? "/dev/shm" : fs::temp_directory_path();
        return base / ("vireltra-exercise-set-" + std::to_string(testsupport::processId()));
    }
    static fs::path folder(const std::string& name) {
        fs::path path = root() / name;
        fs::remove_all(path);
        fs::create_directories(path);
        return path;
    }
    void TearDown() override { fs::remove_all(root()); }

    std::vector<std::string> seenAlone(const ExerciseContent& content) const {
        const fs::path alone = folder("alone");
        EXPECT_TRUE(writeExerciseFiles(content, alone));
        return seenIn(alone).first;
    }
};

struct KillCase {
    const char* why;
    std::vector<ExerciseContent> saved;  // before the save that is killed
    ExerciseContent killed;
};

void PrintTo(const KillCase& c, std::ostream* out) {
    *out << c.why;
}

class KilledSave : public FileSetTest, public ::testing::WithParamInterface<KillCase> {};

TEST_P(KilledSave, LeavesTheWholeOldExerciseOrTheWholeNewOneAndTheNextSaveNothingElse) {
    const KillCase& c = GetParam();
    const auto prepared = [this, &c] {
        fs::path exercise = folder("exercise");
        for (const ExerciseContent& content : c.saved) EXPECT_TRUE(writeExerciseFiles(content, exercise));
        return exercise;
    };
    const auto before = c.saved.empty() ? std::vector<std::string>{} : seenAlone(c.saved.back());
    const auto after = seenAlone(c.killed);
    const auto next = seenAlone(version(9));
    int steps = 0;
    WriteHooks counting;
    counting.beforeStep = [&steps] { ++steps; };
    ASSERT_TRUE(writeExerciseFiles(c.killed, prepared(), nullptr, counting));

    std::set<bool> sides;
    for (int kill = 0; kill < steps; ++kill) {
        const fs::path exercise = prepared();
        const auto end = testsupport::inChild([&] {
            WriteHooks hooks;
            hooks.beforeStep = [step = 0, kill]() mutable {
                if (step++ == kill) testsupport::killThisProcess();
            };
            writeExerciseFiles(c.killed, exercise, nullptr, hooks);
            return 0;
        });
        if (!end) GTEST_SKIP() << testsupport::kNoChildReason;
        ASSERT_TRUE(end->killed) << kill;
        const auto seen = seenIn(exercise).first;
        EXPECT_TRUE(seen == before || seen == after) << "killed at step " << kill << " of " << steps;
        sides.insert(seen == after);

        ASSERT_TRUE(writeExerciseFiles(version(9), exercise));
        EXPECT_EQ(seenIn(exercise), std::make_pair(next, std::set<std::string>{})) << "killed at " << kill;
    }
    EXPECT_EQ(sides.size(), 2u) << "the kills should fall on both sides of the switch";
}

INSTANTIATE_TEST_SUITE_P(Saves, KilledSave,
                         ::testing::Values(KillCase{"a first save", {}, version(1)},
                                           KillCase{
                                               "over the files beside the index", {version(1)}, version(2)},
                                           KillCase{"over the files in their folder, dropping the correction",
                                                    {version(1, false), version(2)},
                                                    version(3, false)}),
                         [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST_F(FileSetTest, NothingIsWrittenWhenTheDiskLacksRoomOrAFileIsWriteProtected) {
    const fs::path exercise = folder("exercise");
    ASSERT_TRUE(writeExerciseFiles(version(1), exercise));
    const auto before = seenIn(exercise);
    // 1 + 5 + 1 + 5 + 1 blocks of 4 KB for the new files, one for their folder.
    const std::uintmax_t needed = 14 * 4096;
    for (const std::uintmax_t left : {std::uintmax_t{0}, needed - 1}) {
        WriteHooks hooks;
        hooks.availableBytes = [left](const fs::path&) { return left; };
        WriteFailure failure;
        EXPECT_FALSE(writeExerciseFiles(version(2), exercise, &failure, hooks));
        EXPECT_TRUE(failure.lackOfRoom && failure.bytesNeeded == needed && failure.bytesAvailable == left);
        EXPECT_EQ(seenIn(exercise), before);
    }
    for (const char* locked : {"Vinaigre.E36", "Vinaigre-corrige.RTF"}) {
        fs::permissions(exercise / locked, fs::perms::owner_read);
        WriteFailure failure;
        EXPECT_FALSE(writeExerciseFiles(version(2), exercise, &failure)) << locked;
        EXPECT_EQ(failure.file, locked);
        EXPECT_EQ(seenIn(exercise), before) << locked;
        fs::permissions(exercise / locked, fs::perms::owner_read | fs::perms::owner_write);
    }
    WriteHooks enough;
    enough.availableBytes = [needed](const fs::path&) { return needed; };
    EXPECT_TRUE(writeExerciseFiles(version(2), exercise, nullptr, enough));
}

TEST(RoomText, SaysTheRoomNeededRoundedUpAndTheRoomLeftRoundedDown) {
    EXPECT_EQ(roomText(57344, 1023),
              "Il faut 56 Ko libres sur le disque pour l'enregistrer ; il en reste 0 Ko.");
    EXPECT_EQ(roomText(1400000, 430080),
              "Il faut 1,4 Mo libres sur le disque pour l'enregistrer ; il en reste 420 Ko.");
    EXPECT_EQ(roomText(3ULL << 30, (1ULL << 30) - 1),
              "Il faut 3,0 Go libres sur le disque pour l'enregistrer ; il en reste 1023,9 Mo.");
}

}  // namespace
