// "Contraste élevé" in a configuration's extension entries.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "configuration/contrastcodec.h"

using namespace configuration;

namespace {

struct WrittenCase {
    const char* reason;
    bool highContrast;
    std::optional<std::string> value;  // the entry written, none when nothing is
};

class WriteHighContrast : public ::testing::TestWithParam<WrittenCase> {};

TEST_P(WriteHighContrast, WritesAnEntryOnlyWhenTicked) {
    ExtensionEntries entries;
    entries.set("contraste", "1");  // saved before: unticking takes it away
    entries.set("s1.c2", "0,02");
    writeHighContrast(entries, GetParam().highContrast);
    const auto value = entries.value("contraste");
    EXPECT_EQ(value ? std::optional<std::string>(std::string(*value)) : std::nullopt, GetParam().value);
    EXPECT_EQ(entries.value("s1.c2"), std::optional<std::string_view>("0,02"));
    ExtensionEntries fresh;
    writeHighContrast(fresh, false);
    EXPECT_TRUE(fresh.empty());
}

INSTANTIATE_TEST_SUITE_P(Switch, WriteHighContrast,
                         ::testing::Values(WrittenCase{"Ticked", true, "1"},
                                           WrittenCase{"Unticked", false, {}}),
                         [](const auto& info) { return std::string(info.param.reason); });

struct ReadCase {
    const char* reason;
    std::optional<const char*> value;
    bool highContrast;
};

class ReadHighContrast : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadHighContrast, ReadsTrueOnlyForOne) {
    ExtensionEntries entries;
    if (GetParam().value) entries.set("contraste", *GetParam().value);
    EXPECT_EQ(readHighContrast(entries), GetParam().highContrast);
}

INSTANTIATE_TEST_SUITE_P(Values, ReadHighContrast,
                         ::testing::Values(ReadCase{"AnOlderFileHasNoEntry", std::nullopt, false},
                                           ReadCase{"One", "1", true}, ReadCase{"Zero", "0", false},
                                           ReadCase{"AWordIsNotAFlag", "oui", false},
                                           ReadCase{"MinusOneIsNotAFlag", "-1", false}),
                         [](const auto& info) { return std::string(info.param.reason); });

}  // namespace
