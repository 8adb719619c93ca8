#include "configuration/extensionrecords.h"

#include <algorithm>

namespace configuration {

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

ExtensionRead readExtensionEntries(RecordReader& records, std::int64_t first, ExtensionEntries& entries) {
    const auto marker = records.read(first);
    if (!marker || *marker != kExtensionMarker) return ExtensionRead::None;
    ExtensionEntries read;
    for (int i = 1; i <= kMaxExtensionEntries + 1; ++i) {
        const std::int64_t n = first + i;
        // The end of the file ends the entries as the empty record does.
        if (!records.holds(n)) break;
        const auto text = records.read(n);
        if (!text) return ExtensionRead::Damaged;
        if (text->empty()) break;
        if (i > kMaxExtensionEntries) return ExtensionRead::Damaged;
        const auto equals = text->find('=');
        if (equals == std::string::npos || equals == 0) return ExtensionRead::Damaged;
        read.add(std::string_view(*text).substr(0, equals), std::string_view(*text).substr(equals + 1));
    }
    entries = std::move(read);
    return ExtensionRead::Read;
}

bool writeExtensionEntries(RecordWriter& records, std::int64_t first, const ExtensionEntries& entries) {
    if (entries.empty()) return true;
    if (entries.entries().size() > static_cast<std::size_t>(kMaxExtensionEntries)) return false;
    std::int64_t n = first;
    if (!records.write(n++, kExtensionMarker)) return false;
    for (const ExtensionEntry& entry : entries.entries()) {
        if (entry.key.empty() || entry.key.find('=') != std::string::npos) return false;
        if (!records.write(n++, entry.key + "=" + entry.value)) return false;
    }
    return records.write(n, "");
}

}  // namespace configuration
