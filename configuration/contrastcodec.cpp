#include "configuration/contrastcodec.h"

namespace configuration {

namespace {

constexpr std::string_view kKey = "contraste";

}  // namespace

void writeHighContrast(ExtensionEntries& entries, bool highContrast) {
    if (highContrast) {
        entries.set(kKey, "1");
    } else {
        entries.remove(kKey);
    }
}

bool readHighContrast(const ExtensionEntries& entries) {
    const auto value = entries.value(kKey);
    return value && *value == "1";
}

}  // namespace configuration
