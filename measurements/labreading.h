#pragma once
// How a quantity is measured in the lab: the names and units a file's heading gives it, the range
// its values keep to, how the entry grid writes it, the words of the messages that refuse or
// correct it, and how precisely a fit takes it. The poured volume is one; each meter the lab can
// measure has its own in the meters' table, and the reader, the entry grid and the fit take
// the list they are given.
#include <cstddef>
#include <span>
#include <string_view>

namespace measurements {

// A unit a file may give, as unitNamed folds it ("ms/cm"), and the factor that brings its values
// to the quantity's own unit.
struct LabUnit {
    std::string_view name{};
    double factor = 1;
};

struct LabReading {
    std::string_view id{};  // the meter's ("pH", "sigma"); "V" for the volume
    // Where a measured point keeps it; set from the reading's place in the list.
    std::size_t slot = 0;
    std::span<const std::string_view> names{};  // the heading names, folded: "ph"; "σ", "sigma"…
    std::span<const LabUnit> units{};           // none: a unit after its name is not read
    std::string_view title{};                   // the heading to give it: "V (mL)", "pH"
    std::string_view named{};                   // in messages: "le volume versé", "la conductivité σ"
    std::string_view missing{};                 // a grid's row without it: "le volume", "le pH"
    std::string_view valueNamed{};              // before a refused value: "le volume", "la conductivité"
    std::string_view column{};                  // what a row gives: "volume en mL", "σ en mS/cm"
    std::string_view listed{};                  // among the columns wanted: "le volume en mL", "le pH"
    std::string_view unitsKnown{};              // "σ en mS/cm, µS/cm, S/cm, S/m ou mS/m"
    double least = 0;                           // the range of its values, in its unit
    double most = 0;
    std::string_view outOfRange{};  // after a refused value: " n'est pas entre 0 et 14."
    // The grid's correction of a value beyond `most`, and its title; empty: none above.
    std::string_view correction{};
    std::string_view correctionTitle{};
    std::string_view entryPicture{};  // how the grid writes it: "#0.00#"
    bool required = false;            // every measurement gives it
    bool positional = false;          // a file without headings may give it, in the list's order
    std::string_view fitUnit{};       // a fit's messages: "pH", "mS/cm"
    double precision = 0;             // a fit: what the meter reads to
    double describedDeviation = 0;    // a fit: residuals spread wider do not describe the points
};

// The poured volume, in mL, from 0 to the burette's 25.
const LabReading& volumeReading();

}  // namespace measurements
