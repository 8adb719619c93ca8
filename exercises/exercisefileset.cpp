// An exercise's files replaced as one set: the new set is written beside the old one and the
// index, renamed over the old index, switches from one to the other.
#include <cmath>
#include <string_view>
#include <system_error>

#include "configuration/atomicfile.h"
#include "configuration/recordbuffer.h"
#include "exercises/exercisewriter.h"
#include "platform/files/systemfiles.h"
#include "rtf/writer.h"

namespace exercises {

namespace fs = std::filesystem;

namespace {

// The least a file takes on a disk: the room a save needs is counted in such blocks.
constexpr std::uintmax_t kBlock = 4096;

using Step = std::function<void()>;

struct Part {
    std::string name;  // relative to the exercise's folder
    std::string bytes;
};

std::optional<std::string> recordBytes(const std::function<bool(configuration::RecordWriter&)>& write) {
    configuration::RecordBuffer buffer;
    if (!write(buffer)) return std::nullopt;
    return std::string(buffer.bytes().begin(), buffer.bytes().end());
}

// Every file of the set with its content, the index last; nothing when one cannot be written
// (a text too long for its record), its name in `failed`.
std::optional<std::vector<Part>> render(const ExerciseContent& content, FileSet set, std::string& failed) {
    const ExerciseFile index = indexOf(content, set);
    std::vector<Part> parts{{index.statement, rtf::write(content.statement)}};
    const auto configurationPart = [&parts, &failed](const std::string& name,
                                                     const configuration::ConfigurationFile& file) {
        auto bytes =
            recordBytes([&file](auto& records) { return configuration::writeConfiguration(records, file); });
        if (!bytes) failed = name;
        parts.push_back({name, bytes.value_or("")});
        return bytes.has_value();
    };
    if (content.configuration && !configurationPart(index.configuration, *content.configuration))
        return std::nullopt;
    if (content.correction) parts.push_back({index.correction, rtf::write(*content.correction)});
    if (content.correctionConfiguration &&
        !configurationPart(index.correctionConfiguration, *content.correctionConfiguration))
        return std::nullopt;
    auto indexBytes = recordBytes([&index](auto& records) { return writeExercise(records, index); });
    if (!indexBytes) {
        failed = indexFileName(content);
        return std::nullopt;
    }
    parts.push_back({indexFileName(content), std::move(*indexBytes)});
    return parts;
}

// The set the index names now: the folder when its statement lies there, beside it otherwise (an
// index another program made included). Nothing without an index.
std::optional<FileSet> setInUse(const fs::path& index, std::string_view name) {
    std::error_code error;
    if (!fs::exists(index, error)) return std::nullopt;
    const auto records = readExerciseFile(index);
    if (records && records->statement.starts_with(setFolderName(name) + "/")) return FileSet::InFolder;
    return FileSet::Beside;
}

// Writes the bytes to the file and waits until they are on the disk.
bool writeFile(const fs::path& path, platform::files::WriteMode mode, std::string_view bytes,
               const Step& step, bool& lackOfRoom) {
    const platform::files::WriteOutcome outcome = platform::files::writeDurably(path, mode, bytes, step);
    lackOfRoom = outcome == platform::files::WriteOutcome::NoRoom;
    return outcome == platform::files::WriteOutcome::Written;
}

// A folder's entries on the disk, so that the renamed index never names files a power cut lost.
void syncFolder(const fs::path& folder) {
    platform::files::syncFolder(folder);
}

// Removes the files of a set, and the temporaries that saves killed while writing them left; the
// folder of the set goes too, unless something else was put in it.
void removeSet(const fs::path& folder, std::string_view name, FileSet set, const Step& step) {
    std::error_code error;
    for (const std::string& part : partNamesOf(name, set)) {
        const fs::path path = folder / part;
        configuration::removeStaleTemporaries(path);
        // Only files: a folder of that name is not the exercise's to remove.
        const fs::file_status status = fs::symlink_status(path, error);
        if (fs::exists(status) && !fs::is_directory(status)) {
            step();
            fs::remove(path, error);
        }
    }
    const fs::path own = folder / setFolderName(name);
    if (set == FileSet::InFolder && fs::is_directory(fs::symlink_status(own, error))) {
        step();
        fs::remove(own, error);
    }
}

std::uintmax_t roomTaken(const std::vector<Part>& parts, FileSet set) {
    std::uintmax_t blocks = set == FileSet::InFolder ? 1 : 0;
    for (const Part& part : parts) blocks += (part.bytes.size() + kBlock - 1) / kBlock;
    return blocks * kBlock;
}

std::optional<std::uintmax_t> roomLeft(const fs::path& folder, const WriteHooks& hooks) {
    if (hooks.availableBytes) return hooks.availableBytes(folder);
    std::error_code error;
    const fs::space_info space = fs::space(folder, error);
    if (error) return std::nullopt;
    return space.available;
}

// The first file of the exercise, either set or the index, whose permissions forbid replacing it.
std::optional<std::string> protectedFile(const fs::path& folder, const ExerciseContent& content) {
    std::vector<std::string> names{indexFileName(content)};
    for (const FileSet set : {FileSet::Beside, FileSet::InFolder}) {
        for (const std::string& part : partNamesOf(content.name, set)) names.push_back(part);
    }
    for (const std::string& name : names) {
        if (!configuration::permissionsAllowReplacing(folder / name)) return name;
    }
    return std::nullopt;
}

class SetWriter {
  public:
    SetWriter(const ExerciseContent& content, const fs::path& folder, WriteFailure& failure,
              const WriteHooks& hooks)
        : m_content(content), m_folder(folder), m_failure(failure), m_hooks(hooks) {}

    bool write() {
        const fs::path index = m_folder / indexFileName(m_content);
        const std::optional<FileSet> old = setInUse(index, m_content.name);
        const FileSet set = old == FileSet::Beside ? FileSet::InFolder : FileSet::Beside;
        auto parts = render(m_content, set, m_failure.file);
        if (!parts) return false;
        if (const auto locked = protectedFile(m_folder, m_content)) return fail(*locked);
        m_failure.bytesNeeded = roomTaken(*parts, set);
        if (const auto left = roomLeft(m_folder, m_hooks); left && *left < m_failure.bytesNeeded) {
            m_failure.lackOfRoom = true;
            m_failure.bytesAvailable = *left;
            return fail(parts->back().name);
        }

        // What a killed save left in the place of the new set goes first.
        removeSet(m_folder, m_content.name, set, m_step);
        const Part indexPart = std::move(parts->back());
        parts->pop_back();
        if (!writeSet(*parts, set)) return false;

        m_step();
        const bool switched =
            configuration::replaceFileAtomically(index, [this, &indexPart](const fs::path& temporary) {
                m_step();
                return writeFile(temporary, platform::files::WriteMode::Truncate, indexPart.bytes, m_step,
                                 m_lackOfRoom);
            });
        if (!switched) {
            removeSet(m_folder, m_content.name, set, m_step);
            return fail(indexPart.name);
        }
        m_step();
        syncFolder(m_folder);
        if (old) removeSet(m_folder, m_content.name, *old, m_step);
        return true;
    }

  private:
    bool writeSet(const std::vector<Part>& parts, FileSet set) {
        std::error_code error;
        const fs::path own = m_folder / setFolderName(m_content.name);
        if (set == FileSet::InFolder) {
            m_step();
            fs::create_directory(own, error);
            if (error) return fail(parts.front().name);
        }
        for (const Part& part : parts) {
            m_step();
            if (!writeFile(m_folder / part.name, platform::files::WriteMode::CreateNew, part.bytes, m_step,
                           m_lackOfRoom)) {
                removeSet(m_folder, m_content.name, set, m_step);
                return fail(part.name);
            }
        }
        if (set == FileSet::InFolder) syncFolder(own);
        syncFolder(m_folder);
        return true;
    }

    bool fail(const std::string& file) {
        m_failure.file = file;
        if (m_lackOfRoom) {
            m_failure.lackOfRoom = true;
            m_failure.bytesAvailable = roomLeft(m_folder, m_hooks).value_or(0);
        }
        return false;
    }

    const ExerciseContent& m_content;
    const fs::path& m_folder;
    WriteFailure& m_failure;
    const WriteHooks& m_hooks;
    const Step m_step = [this] {
        if (m_hooks.beforeStep) m_hooks.beforeStep();
    };
    bool m_lackOfRoom = false;
};

// "420 Ko", "1,3 Mo", "2,1 Go": rounded up or down to the digit shown.
std::string sizeText(std::uintmax_t bytes, bool roundUp) {
    constexpr double kKilo = 1024;
    const double kilo = static_cast<double>(bytes) / kKilo;
    const auto rounded = [roundUp](double value) { return roundUp ? std::ceil(value) : std::floor(value); };
    if (kilo < kKilo) return std::to_string(static_cast<long long>(rounded(kilo))) + " Ko";
    const bool giga = kilo >= kKilo * kKilo;
    const auto tenths = static_cast<long long>(rounded(kilo / (giga ? kKilo * kKilo : kKilo) * 10));
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10) + (giga ? " Go" : " Mo");
}

}  // namespace

bool writeExerciseFiles(const ExerciseContent& content, const fs::path& folder, WriteFailure* failure,
                        const WriteHooks& hooks) {
    WriteFailure ignored;
    WriteFailure& told = failure ? *failure : ignored;
    told = {};
    return SetWriter(content, folder, told, hooks).write();
}

std::string roomText(std::uintmax_t bytesNeeded, std::uintmax_t bytesAvailable) {
    return "Il faut " + sizeText(bytesNeeded, true) +
           " libres sur le disque pour l'enregistrer ; il en reste " + sizeText(bytesAvailable, false) + ".";
}

}  // namespace exercises
