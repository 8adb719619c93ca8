#pragma once
// The equivalence volume a pupil reads on a finished titration's curve by one of the graph's
// methods, in millilitres rather than the graph's pixels, and cheaply enough to read thousands of
// simulated titrations: each method samples the model only around the equivalence it looks for.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace chemistry {
class TitrationModel;
}

namespace uncertainty {

enum class EquivalenceMethod : std::uint8_t {
    DerivativePeak,  // the peak of dpH/dV
    Tangents,        // the parallel tangents' halfway line crossing the curve
    StraightLines,   // "Droites": the lines fitted on σ before and after the equivalence
};

inline constexpr std::array kEquivalenceMethods{
    EquivalenceMethod::DerivativePeak, EquivalenceMethod::Tangents, EquivalenceMethod::StraightLines};

// As the lists show it: "Pic de la dérivée", "Tangentes", "Droites".
std::string_view methodName(EquivalenceMethod method);

// What the reading needs besides the model: the equivalence looked for is the model's nearest to
// `expectedVolume`, and "Droites" corrects σ for the dilution with the beaker's liquid before
// pouring as the pupil typed it (V₀ + V_water).
struct ReadingSetUp {
    double expectedVolume = 10;  // mL
    double initialVolume = 20;   // mL
    bool beakerIsAcid = true;
};

// The equivalence volume read by `method`, mL; nothing when the curve gives none there (no jump,
// a meter the model does not feed, an equivalence beyond the burette).
std::optional<double> readEquivalence(const chemistry::TitrationModel& model, EquivalenceMethod method,
                                      const ReadingSetUp& setUp);

}  // namespace uncertainty
