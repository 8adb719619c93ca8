#pragma once
// What the headings of a measurement file's columns name: the poured volume or one of the
// readings the reader is given, with the unit the values are in.
#include <optional>
#include <span>
#include <string_view>

#include "measurements/labreading.h"

namespace measurements {

// A unit the reader converts: the quantity it measures and the factor that brings its values to
// that quantity's own unit.
struct Unit {
    const LabReading* quantity = nullptr;
    double factor = 1;
};

// "mL", "cm3", "L"; "mS/cm", "µS.cm-1", "S/m": in any case, with or without blanks and dots; the
// volume's units, then those of the readings.
std::optional<Unit> unitNamed(std::string_view text, std::span<const LabReading> readings);

struct Heading {
    const LabReading* quantity = nullptr;  // none: a heading the reader does not know
    double factor = 1;                     // of its unit; 1 when it gives none
    bool unitGiven = false;
    bool unknownUnit = false;  // a unit the reader cannot bring to the quantity's own
};

// "V (mL)", "Vb/mL", "volume versé", "pH", "σ [µS/cm]", "Conductivité (mS·cm⁻¹)"; a unit alone
// ("mL") names the quantity it measures.
Heading readHeading(std::string_view text, std::span<const LabReading> readings);

}  // namespace measurements
