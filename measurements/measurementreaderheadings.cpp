#include "measurements/measurementreaderheadings.h"

#include <string>

#include "measurements/measuredpoint.h"
#include "measurements/measurementreaderfields.h"

namespace measurements {

namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

constexpr LabUnit kVolumeUnits[] = {
    {"ml", 1}, {"cm3", 1}, {"cm³", 1}, {"l", 1000}, {"ul", 0.001},
};

constexpr std::string_view kVolumeNames[] = {
    "v",
    "va",
    "vb",
    "v1",
    "v2",
    "v₁",
    "v₂",
    "v_a",
    "v_b",
    "vol",
    "volume",
    "volume versé",
    "volume verse",
    "volume ajouté",
    "volume ajoute",
    "v versé",
    "v verse",
};

constexpr LabReading kVolume{
    .id = "V",
    .names = kVolumeNames,
    .units = kVolumeUnits,
    .title = "V (mL)",
    .named = "le volume versé",
    .missing = "le volume",
    .valueNamed = "le volume",
    .column = "volume en mL",
    .listed = "le volume en mL",
    .unitsKnown = "le volume en mL, cm³ ou L",
    .least = 0,
    .most = kMaxVolume,
    .outOfRange = " n'est pas dans la burette (de 0 à 25 mL).",
    .correction = "La contenance de la burette est de 25 mL.",
    .correctionTitle = "Volume corrigé",
    .entryPicture = "#0.0##",
    .required = true,
    .positional = true,
};

// The volume first, then the readings in their order.
template <typename Visit>
const LabReading* firstOf(std::span<const LabReading> readings, Visit matches) {
    if (matches(kVolume)) return &kVolume;
    for (const LabReading& reading : readings) {
        if (matches(reading)) return &reading;
    }
    return nullptr;
}

}  // namespace

const LabReading& volumeReading() {
    return kVolume;
}

std::optional<Unit> unitNamed(std::string_view text, std::span<const LabReading> readings) {
    std::string unit = folded(trim(text));
    for (const std::string_view dropped : {" ", "\xC2\xA0", "\xC2\xB7", "\xE2\x8B\x85", ".", "*", "^"})
        replaceAll(unit, dropped, "");
    replaceAll(unit, "\xE2\x81\xBB\xC2\xB9", "-1");  // ⁻¹
    replaceAll(unit, "\xCE\xBC", "u");               // μ, which the micro sign folds to
    if (unit.ends_with("cm-1")) {
        unit.replace(unit.size() - 4, 4, "/cm");
    } else if (unit.ends_with("m-1")) {
        unit.replace(unit.size() - 3, 3, "/m");
    }
    double factor = 1;
    const LabReading* quantity = firstOf(readings, [&](const LabReading& reading) {
        for (const LabUnit& known : reading.units) {
            if (unit == known.name) {
                factor = known.factor;
                return true;
            }
        }
        return false;
    });
    if (!quantity) return std::nullopt;
    return Unit{quantity, factor};
}

Heading readHeading(std::string_view text, std::span<const LabReading> readings) {
    Heading heading;
    text = trim(text);
    if (text.empty()) return heading;
    if (const auto unit = unitNamed(text, readings)) {
        heading.quantity = unit->quantity;
        heading.factor = unit->factor;
        heading.unitGiven = true;
        return heading;
    }
    // The unit in brackets, or after the first slash: "V (mL)", "σ [mS/cm]", "V/mL".
    std::string_view name = text;
    std::string_view unit;
    if (const std::size_t open = text.find_first_of("(["); open != std::string_view::npos && open > 0) {
        name = text.substr(0, open);
        unit = text.substr(open + 1);
        if (const std::size_t close = unit.find_first_of(")]"); close != std::string_view::npos)
            unit = unit.substr(0, close);
    } else if (const std::size_t slash = text.find('/'); slash != std::string_view::npos && slash > 0) {
        name = text.substr(0, slash);
        unit = text.substr(slash + 1);
    }
    const std::string bare = folded(trim(name));
    heading.quantity = firstOf(readings, [&](const LabReading& reading) {
        for (const std::string_view known : reading.names) {
            if (bare == known) return true;
        }
        return false;
    });
    // A quantity without units (the pH) takes its heading's brackets as words.
    if (!heading.quantity || trim(unit).empty() || heading.quantity->units.empty()) return heading;
    heading.unitGiven = true;
    const auto converted = unitNamed(unit, readings);
    if (converted && converted->quantity == heading.quantity) {
        heading.factor = converted->factor;
    } else {
        heading.unknownUnit = true;
    }
    return heading;
}

}  // namespace measurements
