#pragma once
// What this program saves beyond the 154 records of a configuration: a marker record, then one
// "key=value" text per record, ended by an empty record. A file that needs none of it ends at
// record 154, exactly as before, and older programs of the family, which read 154 records, still
// open the files that have it. Each capability owns its keys and reads and writes them through
// these entries: "conductimètre=1", "s3.mesure=12,5;4,76" (situation 3), and so on.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "configuration/records.h"

namespace configuration {

inline constexpr std::string_view kExtensionMarker = "Vireltra";
// Beyond any file the program writes (ten situations of a few thousand measured points each):
// a damaged file cannot make the reader run through a million records.
inline constexpr int kMaxExtensionEntries = 60000;

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
    None,     // no marker after the last record: nothing to read
    Read,     // the entries up to the empty record or the end of the file
    Damaged,  // a record that is not "key=value", or more entries than any file holds
};

// Reads from record `first` (the one after the configuration's last).
ExtensionRead readExtensionEntries(RecordReader& records, std::int64_t first, ExtensionEntries& entries);

// Writes the marker, the entries and the closing empty record from record `first`; writes nothing
// when there are no entries. Fails when a record fails or an entry does not fit in a record.
bool writeExtensionEntries(RecordWriter& records, std::int64_t first, const ExtensionEntries& entries);

}  // namespace configuration
