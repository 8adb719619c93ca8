#include "configuration/configurationfile.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "configuration/atomicfile.h"
#include "configuration/recordbuffer.h"
#include "configuration/recordfile.h"
#include "configuration/recordvalues.h"
#include "configuration/recordview.h"

namespace configuration {

std::array<chemistry::Situation, kSituationCount> defaultSituations() {
    std::array<chemistry::Situation, kSituationCount> situations;
    situations.fill(chemistry::defaultSituation());
    return situations;
}

std::optional<FailureMessage> failureMessage(LoadResult result) {
    switch (result) {
        case LoadResult::Loaded:
            return std::nullopt;
        case LoadResult::NotAConfigurationFile:
            return kNotAConfigurationFileMessage;
        case LoadResult::ReadFailed:
            return kReadFailedMessage;
        case LoadResult::AccessDenied:
            return kAccessDeniedMessage;
    }
    return kReadFailedMessage;
}

namespace {

// Reads records one after the other, counting up; a record that cannot be read leaves its field.
class SequentialReader {
  public:
    SequentialReader(RecordReader& records, std::int64_t first) : m_records(records), m_next(first) {}

    void flag(bool& field) {
        if (const auto text = next()) field = flagOf(*text);
    }
    void text(std::string& field) {
        if (auto text = next()) field = std::move(*text);
    }
    void integer(std::int16_t& field) {
        if (const auto text = next()) field = integerOf(*text).value_or(field);
    }

  private:
    std::optional<std::string> next() { return m_records.read(m_next++); }

    RecordReader& m_records;
    std::int64_t m_next;
};

class SequentialWriter {
  public:
    SequentialWriter(RecordWriter& records, std::int64_t first) : m_records(records), m_next(first) {}

    void flag(bool value) { text(flagText(value)); }
    void integer(std::int16_t value) { text(integerText(value)); }
    void text(std::string_view value) {
        // Stops at the first failure: later records are not worth writing.
        if (m_ok) m_ok = m_records.write(m_next++, value);
    }
    bool ok() const { return m_ok; }

  private:
    RecordWriter& m_records;
    std::int64_t m_next;
    bool m_ok = true;
};

}  // namespace

LoadResult readConfiguration(RecordReader& records, ConfigurationFile& configuration) {
    const auto signature = records.read(1);
    if (!signature) return LoadResult::ReadFailed;
    if (*signature != kConfigurationSignature) return LoadResult::NotAConfigurationFile;
    // A cut file would give blank situations that look loaded: it is refused before anything is
    // taken from it. Record 154 holds the last text; the records before it are whole if it is.
    if (!records.holds(kConfigurationRecords)) return LoadResult::ReadFailed;

    // Read into a copy: nothing changes when the file is refused.
    ConfigurationFile read = configuration;
    SequentialReader in(records, 2);
    in.flag(read.concentrationMasked);
    in.flag(read.superposeCurves);
    in.flag(read.boldStrokes);
    for (auto& s : read.situations) {
        in.flag(s.completed);
        in.text(s.otherPKaText);
        in.text(s.titrantConcentrationText);
        in.text(s.pouredVolumeText);
        in.text(s.beakerConcentrationText);
        in.text(s.beakerVolumeText);
        in.text(s.waterVolumeText);
        in.integer(s.reservedInteger);
        in.integer(s.speciesIndex);
        in.integer(s.indicatorIndex);
        in.flag(s.reservedFlag);
        in.flag(s.beakerIsAcid);
        in.flag(s.showBurette);
        in.flag(s.showPhMeter);
        in.flag(s.concentrationMasked);
    }
    read.extensions = {};
    read.damagedEntriesLeftOut = readExtensionEntries(records, kConfigurationRecords + 1, read.extensions) ==
                                 ExtensionRead::Incomplete;
    configuration = std::move(read);
    return LoadResult::Loaded;
}

namespace {

// The records, the marker, the check, the most entries and the closing record: nothing after them
// is ever read.
constexpr std::size_t kMostBytesRead =
    static_cast<std::size_t>(kConfigurationRecords + 3 + kMaxExtensionEntries) * kRecordSize;

// The bytes of the file up to kMostBytesRead, read in large pieces: a configuration with many
// measured points holds hundreds of thousands of records. Its size is not trusted (files of the
// system's own report none).
std::optional<std::vector<unsigned char>> fileBytes(const std::filesystem::path& path) {
    constexpr std::size_t kPiece = std::size_t{1} << 20;
    std::error_code error;
    // A folder opens as a stream on some systems and then reads as an empty file.
    if (std::filesystem::is_directory(path, error)) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<unsigned char> bytes;
    // Bounded: each pass reads a piece or ends.
    while (bytes.size() < kMostBytesRead) {
        const std::size_t had = bytes.size();
        bytes.resize(had + std::min(kPiece, kMostBytesRead - had));
        in.read(reinterpret_cast<char*>(bytes.data() + had),
                static_cast<std::streamsize>(bytes.size() - had));
        if (in.bad()) return std::nullopt;
        bytes.resize(had + static_cast<std::size_t>(in.gcount()));
        if (!in) break;
    }
    return bytes;
}

}  // namespace

LoadResult loadConfigurationFile(const std::filesystem::path& path, ConfigurationFile& configuration) {
    const auto bytes = fileBytes(path);
    if (!bytes) return readingDenied(path) ? LoadResult::AccessDenied : LoadResult::ReadFailed;
    RecordView view(*bytes);
    return readConfiguration(view, configuration);
}

bool writeConfiguration(RecordWriter& records, const ConfigurationFile& configuration) {
    SequentialWriter out(records, 1);
    out.text(kConfigurationSignature);
    out.flag(configuration.concentrationMasked);
    out.flag(configuration.superposeCurves);
    out.flag(configuration.boldStrokes);
    for (const auto& s : configuration.situations) {
        out.flag(s.completed);
        out.text(s.otherPKaText);
        out.text(s.titrantConcentrationText);
        out.text(s.pouredVolumeText);
        out.text(s.beakerConcentrationText);
        out.text(s.beakerVolumeText);
        out.text(s.waterVolumeText);
        out.integer(s.reservedInteger);
        out.integer(s.speciesIndex);
        out.integer(s.indicatorIndex);
        out.flag(s.reservedFlag);
        out.flag(s.beakerIsAcid);
        out.flag(s.showBurette);
        out.flag(s.showPhMeter);
        out.flag(s.concentrationMasked);
    }
    return out.ok() && writeExtensionEntries(records, kConfigurationRecords + 1, configuration.extensions);
}

bool saveConfigurationFile(const std::filesystem::path& path, const ConfigurationFile& configuration) {
    // Built in memory and written in one go: record by record, a file of many measured points
    // would take a system call for each.
    RecordBuffer records;
    if (!writeConfiguration(records, configuration)) return false;
    return writeFileAtomically(path, records.bytes());
}

}  // namespace configuration
