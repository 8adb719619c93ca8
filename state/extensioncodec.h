#pragma once
// One feature's part of a configuration file: the entries it writes after the 154 records, and
// what it reads back from them. Each feature (the second solute, the conductimeter, the contrast,
// the measurements, and the next ones) has its own codec; extensionCodecs() lists them all.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "configuration/configurationfile.h"
#include "state/benchstate.h"

namespace state {

class ExtensionCodec {
  public:
    virtual ~ExtensionCodec() = default;

    // Writes the feature's entries for the bench; `file` already holds the bench's switches and
    // situations as they are stored.
    virtual void write(const BenchState& bench, configuration::ConfigurationFile& file) const = 0;
    // Right after the file is read, before anything is shown: the entries that belong to the
    // situations go into them. False refuses the file, which names what this program does not know.
    virtual bool accept(configuration::ConfigurationFile& file) const;
    // Whether loading the entries brings a value back within its limits or leaves one out.
    virtual bool corrects(const configuration::ConfigurationFile& file) const;
    // The bench takes the feature's values from the entries; the situations are already in place.
    virtual void load(const configuration::ConfigurationFile& file, BenchState& bench) const;
};

// A list index as an entry writes it: a whole number and nothing else.
std::optional<std::int16_t> entryIndex(std::string_view text);

// A situation's entry written only when its value differs from what a situation starts with, so
// that a file without the feature keeps its bytes.
void keepSituationEntry(configuration::ConfigurationFile& file, int slot, std::string_view name,
                        const std::string& value, const std::string& initial);

// Every feature's codec, in the order their entries are written: files saved before a feature
// existed keep their bytes.
std::span<const ExtensionCodec* const> extensionCodecs();

}  // namespace state
