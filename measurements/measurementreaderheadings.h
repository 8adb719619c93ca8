#pragma once
// What the headings of a measurement file's columns name: the poured volume, the pH or the
// conductivity σ, with the unit the values are in.
#include <optional>
#include <string_view>

namespace measurements {

enum class Quantity { Volume, PH, Conductivity };

// A unit the reader converts: the quantity it measures and the factor that brings its values to
// mL or mS · cm-1.
struct Unit {
    Quantity quantity = Quantity::Volume;
    double factor = 1;
};

// "mL", "cm3", "L"; "mS/cm", "µS.cm-1", "S/m": in any case, with or without blanks and dots.
std::optional<Unit> unitNamed(std::string_view text);

struct Heading {
    std::optional<Quantity> quantity;  // nothing: a heading the reader does not know
    double factor = 1;                 // of its unit; 1 when it gives none
    bool unitGiven = false;
    bool unknownUnit = false;  // a unit the reader cannot bring to mL or mS · cm-1
};

// "V (mL)", "Vb/mL", "volume versé", "pH", "σ [µS/cm]", "Conductivité (mS·cm⁻¹)"; a unit alone
// ("mL") names the quantity it measures.
Heading readHeading(std::string_view text);

}  // namespace measurements
