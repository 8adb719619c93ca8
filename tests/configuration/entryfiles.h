#pragma once
// Configurations with entries after their 154 records, as the program writes them now and as it
// wrote them before the entries had their check, for the tests of damaged entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "configuration/configurationfile.h"
#include "configuration/recordbuffer.h"

namespace entryfiles {

// 100 measured points in Situation 1 over `base`: 32 KB on disk.
inline configuration::ConfigurationFile withPoints(configuration::ConfigurationFile base = {}) {
    for (int i = 0; i < 100; ++i)
        base.extensions.add(configuration::situationKey(0, "mesure"), std::to_string(i) + ",5;4,76");
    return base;
}

inline std::vector<unsigned char> written(const configuration::ConfigurationFile& c) {
    configuration::RecordBuffer buffer;
    EXPECT_TRUE(configuration::writeConfiguration(buffer, c));
    return buffer.bytes();
}

// The marker, the entries, an empty record: no check entry.
inline std::vector<unsigned char> writtenWithoutCheck(const configuration::ConfigurationFile& c) {
    configuration::ConfigurationFile base = c;
    base.extensions = {};
    configuration::RecordBuffer buffer(written(base));
    std::int64_t n = configuration::kConfigurationRecords + 1;
    EXPECT_TRUE(buffer.write(n++, configuration::kExtensionMarker));
    for (const auto& entry : c.extensions.entries())
        EXPECT_TRUE(buffer.write(n++, entry.key + "=" + entry.value));
    EXPECT_TRUE(buffer.write(n, ""));
    return buffer.bytes();
}

}  // namespace entryfiles
