#include "measurements/measurementreaderheadings.h"

#include <string>

#include "measurements/measurementreaderfields.h"

namespace measurements {

namespace {

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

struct NamedUnit {
    std::string_view text;  // as unitNamed reduces it
    Unit unit;
};

constexpr NamedUnit kUnits[] = {
    {"ml", {Quantity::Volume, 1}},
    {"cm3", {Quantity::Volume, 1}},
    {"cm³", {Quantity::Volume, 1}},
    {"l", {Quantity::Volume, 1000}},
    {"ul", {Quantity::Volume, 0.001}},
    {"ms/cm", {Quantity::Conductivity, 1}},
    {"us/cm", {Quantity::Conductivity, 0.001}},
    {"s/cm", {Quantity::Conductivity, 1000}},
    {"s/m", {Quantity::Conductivity, 10}},
    {"ms/m", {Quantity::Conductivity, 0.01}},
};

struct NamedQuantity {
    std::string_view name;  // folded
    Quantity quantity;
};

constexpr NamedQuantity kNames[] = {
    {"v", Quantity::Volume},
    {"va", Quantity::Volume},
    {"vb", Quantity::Volume},
    {"v1", Quantity::Volume},
    {"v2", Quantity::Volume},
    {"v₁", Quantity::Volume},
    {"v₂", Quantity::Volume},
    {"v_a", Quantity::Volume},
    {"v_b", Quantity::Volume},
    {"vol", Quantity::Volume},
    {"volume", Quantity::Volume},
    {"volume versé", Quantity::Volume},
    {"volume verse", Quantity::Volume},
    {"volume ajouté", Quantity::Volume},
    {"volume ajoute", Quantity::Volume},
    {"v versé", Quantity::Volume},
    {"v verse", Quantity::Volume},
    {"ph", Quantity::PH},
    {"σ", Quantity::Conductivity},
    {"sigma", Quantity::Conductivity},
    {"conductivité", Quantity::Conductivity},
    {"conductivite", Quantity::Conductivity},
    {"conductivity", Quantity::Conductivity},
    {"cond", Quantity::Conductivity},
    {"κ", Quantity::Conductivity},
    {"kappa", Quantity::Conductivity},
};

}  // namespace

std::optional<Unit> unitNamed(std::string_view text) {
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
    for (const NamedUnit& known : kUnits) {
        if (unit == known.text) return known.unit;
    }
    return std::nullopt;
}

Heading readHeading(std::string_view text) {
    Heading heading;
    text = trim(text);
    if (text.empty()) return heading;
    if (const auto unit = unitNamed(text)) {
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
    for (const NamedQuantity& known : kNames) {
        if (bare == known.name) heading.quantity = known.quantity;
    }
    if (!heading.quantity || trim(unit).empty() || heading.quantity == Quantity::PH) return heading;
    heading.unitGiven = true;
    const auto converted = unitNamed(unit);
    if (converted && converted->quantity == *heading.quantity) {
        heading.factor = converted->factor;
    } else {
        heading.unknownUnit = true;
    }
    return heading;
}

}  // namespace measurements
