// "Contraste élevé" in a configuration's extension entries.
#include <gtest/gtest.h>

#include <string>

#include "state/contrastcodec.h"

using namespace configuration;
using namespace state;

TEST(HighContrastEntry, WrittenOnlyWhenTickedSoThatADefaultFileHasNoEntries) {
    ExtensionEntries entries;
    writeHighContrast(entries, false);
    EXPECT_TRUE(entries.empty());
    writeHighContrast(entries, true);
    EXPECT_EQ(entries.value("contraste"), std::optional<std::string_view>("1"));
    writeHighContrast(entries, false);  // unticked after a save: the entry goes
    EXPECT_TRUE(entries.empty());
}

TEST(HighContrastEntry, ReadsTrueOnlyForOne) {
    const std::pair<const char*, bool> cases[] = {{"1", true}, {"0", false}, {"oui", false}, {"-1", false}};
    EXPECT_FALSE(readHighContrast(ExtensionEntries{}));  // an older file
    for (const auto& [value, ticked] : cases) {
        ExtensionEntries entries;
        entries.set("contraste", value);
        EXPECT_EQ(readHighContrast(entries), ticked) << value;
    }
}
