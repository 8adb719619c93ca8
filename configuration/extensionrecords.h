#pragma once
// What this program saves beyond the 154 records of a configuration: a marker record, a check
// entry, then one "key=value" text per record, ended by an empty record. A file that needs none of
// it ends at record 154, exactly as before, and older programs of the family, which read 154
// records, still open the files that have it. Each capability owns its keys and reads and writes
// them through these entries: "conductimètre=1", "s3.mesure=12,5;4,76" (situation 3), and so on.
//
// The check entry ("contrôle=<count>;<CRC-32 in hex>") counts the entries after it and sums their
// bytes, so that a file cut short or a damaged record among the entries is found: records are of
// fixed size, so the whole entries around a damaged one are still read. Older copies of this
// program read it as an entry nobody asks for, and drop it when they save. Files written before
// it existed have no check entry and read as they always did; only a closing record that does not
// come, or entries after it, tell that one of them is damaged.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "configuration/records.h"

namespace configuration {

inline constexpr std::string_view kExtensionMarker = "Vireltra";
inline constexpr std::string_view kCheckKey = "contrôle";
// Beyond any file the program writes (ten situations of 60 000 measured points each, and room for
// every other entry): a damaged file cannot make the reader run through a million records.
inline constexpr int kMaxExtensionEntries = 601000;

struct ExtensionEntry {
    std::string key;
    std::string value;
    bool operator==(const ExtensionEntry&) const = default;
};

// In the order they are written; a key may come more than once (one measured point each).
class ExtensionEntries {
  public:
    bool empty() const { return m_entries.empty(); }
    const std::vector<ExtensionEntry>& entries() const { return m_entries; }

    // The first value of a key.
    std::optional<std::string_view> value(std::string_view key) const;
    // Every value of a key, in order.
    std::vector<std::string_view> values(std::string_view key) const;
    // Replaces every value of the key by this one.
    void set(std::string_view key, std::string_view value);
    void add(std::string_view key, std::string_view value);
    void remove(std::string_view key);

    bool operator==(const ExtensionEntries&) const = default;

  private:
    std::vector<ExtensionEntry> m_entries;
};

// The key of a situation's entry: "s1." to "s10." before the name.
std::string situationKey(int slot, std::string_view name);

enum class ExtensionRead {
    None,        // no marker after the last record: nothing to read
    Read,        // every entry, whole
    Incomplete,  // entries were cut off or damaged: those read whole are kept, the others left out
};

// Reads from record `first` (the one after the configuration's last).
ExtensionRead readExtensionEntries(RecordReader& records, std::int64_t first, ExtensionEntries& entries);

// Writes the marker, the check entry, the entries and the closing empty record from record
// `first`; writes nothing when there are no entries. Fails when a record fails, an entry does not
// fit in a record, or there are more than kMaxExtensionEntries.
bool writeExtensionEntries(RecordWriter& records, std::int64_t first, const ExtensionEntries& entries);

}  // namespace configuration
