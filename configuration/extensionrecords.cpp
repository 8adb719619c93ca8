#include "configuration/extensionrecords.h"

#include <algorithm>
#include <array>
#include <charconv>

#include "numbers/windows1252.h"

namespace configuration {

// The marker, the check and the closing record come on top of the entries.
static_assert(kMaxExtensionEntries + 200 < kMaxRecordNumber);

std::optional<std::string_view> ExtensionEntries::value(std::string_view key) const {
    for (const ExtensionEntry& entry : m_entries) {
        if (entry.key == key) return entry.value;
    }
    return std::nullopt;
}

std::vector<std::string_view> ExtensionEntries::values(std::string_view key) const {
    std::vector<std::string_view> found;
    for (const ExtensionEntry& entry : m_entries) {
        if (entry.key == key) found.push_back(entry.value);
    }
    return found;
}

void ExtensionEntries::set(std::string_view key, std::string_view value) {
    remove(key);
    add(key, value);
}

void ExtensionEntries::add(std::string_view key, std::string_view value) {
    m_entries.push_back({std::string(key), std::string(value)});
}

void ExtensionEntries::remove(std::string_view key) {
    std::erase_if(m_entries, [key](const ExtensionEntry& entry) { return entry.key == key; });
}

std::string situationKey(int slot, std::string_view name) {
    return "s" + std::to_string(slot + 1) + "." + std::string(name);
}

namespace {

constexpr int kCheckDigits = 8;

constexpr std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320U ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = crcTable();

// CRC-32 of the entries' records as they lie on disk: each length, then its Windows-1252 bytes,
// so that a text moved from one record to the next changes the sum as well.
class EntrySum {
  public:
    void add(std::string_view utf8) {
        const std::string stored = numbers::utf8ToWindows1252(utf8);
        addByte(static_cast<unsigned char>(stored.size() & 0xFF));
        addByte(static_cast<unsigned char>(stored.size() >> 8));
        for (const char c : stored) addByte(static_cast<unsigned char>(c));
    }
    std::uint32_t value() const { return ~m_crc; }

  private:
    void addByte(unsigned char byte) { m_crc = kCrcTable[(m_crc ^ byte) & 0xFF] ^ (m_crc >> 8); }
    std::uint32_t m_crc = 0xFFFFFFFFU;
};

struct Check {
    int count = 0;
    std::uint32_t sum = 0;
};

std::string checkText(std::size_t count, std::uint32_t sum) {
    std::array<char, kCheckDigits> hex{};
    hex.fill('0');
    std::array<char, kCheckDigits> digits{};
    const auto end = std::to_chars(digits.data(), digits.data() + digits.size(), sum, 16).ptr;
    const auto length = static_cast<std::size_t>(end - digits.data());
    std::copy(digits.data(), end, hex.data() + (kCheckDigits - length));
    return std::string(kCheckKey) + "=" + std::to_string(count) + ";" + std::string(hex.data(), hex.size());
}

bool isCheckEntry(std::string_view text) {
    return text.starts_with(kCheckKey) && text.substr(kCheckKey.size()).starts_with('=');
}

// Nothing when the text is not a check entry the writer would have written.
std::optional<Check> checkOf(std::string_view text) {
    if (!isCheckEntry(text)) return std::nullopt;
    text.remove_prefix(kCheckKey.size() + 1);
    const std::size_t separator = text.find(';');
    if (separator == std::string_view::npos || text.size() - separator - 1 != kCheckDigits)
        return std::nullopt;
    Check check;
    const char* countEnd = text.data() + separator;
    const auto counted = std::from_chars(text.data(), countEnd, check.count);
    if (counted.ec != std::errc() || counted.ptr != countEnd || check.count < 0 ||
        check.count > kMaxExtensionEntries)
        return std::nullopt;
    const char* sumEnd = text.data() + text.size();
    const auto summed = std::from_chars(countEnd + 1, sumEnd, check.sum, 16);
    if (summed.ec != std::errc() || summed.ptr != sumEnd) return std::nullopt;
    return check;
}

bool isWholeNonEmpty(RecordReader& records, std::int64_t n) {
    if (!records.holds(n)) return false;
    const auto text = records.read(n);
    return text && !text->empty();
}

// Reads the entries of the records from `n` on, and tells whether some were lost.
class EntryReader {
  public:
    EntryReader(RecordReader& records, std::int64_t n) : m_records(records), m_next(n) {}

    // The `count` records a check entry announces, then the closing record.
    void readCounted(int count) {
        for (int slot = 0; slot < count; ++slot) {
            if (!m_records.holds(m_next)) {
                m_lost = true;  // cut short
                return;
            }
            const auto text = m_records.read(m_next++);
            // A damaged length reads as an empty record: the counted place says it is not the end.
            if (!text || text->empty()) {
                m_lost = true;
                continue;
            }
            take(*text);
        }
        // More entries than counted: the check was damaged.
        if (isWholeNonEmpty(m_records, m_next)) m_lost = true;
    }

    // Up to the closing record, in a file without a check entry.
    void readUncounted() {
        for (int slot = 0; slot <= kMaxExtensionEntries; ++slot) {
            if (!m_records.holds(m_next)) {
                m_lost = true;  // the closing record never came: the file was cut
                return;
            }
            const auto text = m_records.read(m_next++);
            if (!text) {
                m_lost = true;
                continue;
            }
            if (text->empty()) {
                // The closing record ends the file; entries after it mean a damaged length.
                if (!isWholeNonEmpty(m_records, m_next)) return;
                m_lost = true;
                continue;
            }
            take(*text);
        }
        m_lost = true;  // more entries than any file holds
    }

    void lose() { m_lost = true; }
    bool lost() const { return m_lost; }
    std::uint32_t sum() const { return m_sum.value(); }
    ExtensionEntries& entries() { return m_entries; }

  private:
    void take(const std::string& text) {
        m_sum.add(text);
        const auto equals = text.find('=');
        if (equals == std::string::npos || equals == 0 ||
            m_entries.entries().size() >= kMaxExtensionEntries) {
            m_lost = true;
            return;
        }
        m_entries.add(std::string_view(text).substr(0, equals), std::string_view(text).substr(equals + 1));
    }

    RecordReader& m_records;
    std::int64_t m_next;
    ExtensionEntries m_entries;
    EntrySum m_sum;
    bool m_lost = false;
};

}  // namespace

ExtensionRead readExtensionEntries(RecordReader& records, std::int64_t first, ExtensionEntries& entries) {
    const auto marker = records.read(first);
    const bool marked = marker && *marker == kExtensionMarker;
    // Bytes after record 154 that are not ours are ignored, but a check entry in its place tells
    // that the marker was there and was damaged.
    if (!marked && !records.holds(first + 1)) return ExtensionRead::None;
    const auto head = records.holds(first + 1) ? records.read(first + 1) : std::nullopt;
    const std::optional<Check> check = head ? checkOf(*head) : std::nullopt;
    if (!marked && !check) return ExtensionRead::None;
    const bool damagedCheck = !check && head && isCheckEntry(*head);
    EntryReader reader(records, first + (check || damagedCheck ? 2 : 1));
    if (damagedCheck || !marked) reader.lose();
    if (check) {
        reader.readCounted(check->count);
    } else {
        reader.readUncounted();
    }
    entries = std::move(reader.entries());
    if (check && !reader.lost() && reader.sum() != check->sum) {
        // Every record is whole, yet a byte changed inside one of them, and nothing tells which:
        // no entry is trusted.
        entries = {};
        return ExtensionRead::Incomplete;
    }
    return reader.lost() ? ExtensionRead::Incomplete : ExtensionRead::Read;
}

bool writeExtensionEntries(RecordWriter& records, std::int64_t first, const ExtensionEntries& entries) {
    if (entries.empty()) return true;
    if (entries.entries().size() > static_cast<std::size_t>(kMaxExtensionEntries)) return false;
    EntrySum sum;
    for (const ExtensionEntry& entry : entries.entries()) {
        if (entry.key.empty() || entry.key.find('=') != std::string::npos) return false;
        sum.add(entry.key + "=" + entry.value);
    }
    std::int64_t n = first;
    if (!records.write(n++, kExtensionMarker)) return false;
    if (!records.write(n++, checkText(entries.entries().size(), sum.value()))) return false;
    for (const ExtensionEntry& entry : entries.entries()) {
        if (!records.write(n++, entry.key + "=" + entry.value)) return false;
    }
    return records.write(n, "");
}

}  // namespace configuration
