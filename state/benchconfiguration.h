#pragma once
// The bench and its configuration file, both ways: the file a save writes, built from the bench,
// and a file read, made fit for the bench with what to tell the pupil. Each feature's entries go
// through its own codec (extensioncodec.h); the loadConfiguration action then shows the file.
#include <optional>

#include "configuration/configurationfile.h"
#include "state/actionresult.h"
#include "state/benchstate.h"

namespace state {

// The display switches and the ten situations as they are stored, then every feature's entries.
configuration::ConfigurationFile configurationFromBench(const BenchState& bench);

// A file just read, before anything else changes: the features' entries that belong to the
// situations go into them. False when the file names a solute this program does not know: it is
// refused (configuration::kNotAConfigurationFileMessage) rather than misread as another one.
bool acceptConfiguration(configuration::ConfigurationFile& file);

// Every situation, not only the one shown first, brought within the panel's limits, so that the
// pH shown is always that of the values shown. The message to show once the file is shown when
// a value was corrected or an entry left out; nothing for a sound file.
std::optional<Message> correctConfiguration(configuration::ConfigurationFile& file);

}  // namespace state
