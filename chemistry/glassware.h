#pragma once
// The glassware a titration's volumes are measured with, each piece with its tolerance as the
// manufacturer states it, and what one titration actually delivers: the factors by which the
// volumes and concentrations the engine computes with differ from those the pupil typed. With
// "Titrage exact" every factor is 1 and every number is computed as before.
//
// Draws use their own generator arithmetic (not the standard library's distributions, whose
// results differ between libraries), so that a seed gives the same titrations on every system.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace chemistry {

// What a volume of the titration is measured with.
enum class GlasswareRole : std::uint8_t {
    BeakerVolume,     // V₀, the solution titrated: a volumetric pipette
    WaterVolume,      // the water added to the beaker: a graduated cylinder
    Burette,          // the titrant delivered
    DilutionPipette,  // the stock solution taken for a dilution
    DilutionFlask,    // the volumetric flask the dilution is made up in
};

// One piece of glassware of the catalogue, with its source.
struct GlasswarePiece {
    GlasswareRole role = GlasswareRole::BeakerVolume;
    std::string_view name;  // as the lists show it: "pipette jaugée 20 mL"
    double capacity = 0;    // mL
    double toleranceA = 0;  // ± mL, class A
    double toleranceB = 0;  // ± mL, class B
    std::string_view source;
};

// The catalogue, in the lists' order.
std::span<const GlasswarePiece> glasswarePieces();

// How a quantity's error is drawn: a tolerance ± a is a rectangular law (u = a/√3), a stated
// standard uncertainty u a normal law.
enum class ErrorLaw : std::uint8_t { Rectangular, Normal };

// One measured input of the titration's result as the glassware gives it.
struct MeasuredInput {
    GlasswareRole role = GlasswareRole::BeakerVolume;
    int piece = -1;        // index in glasswarePieces(); -1: not measured with glassware
    double halfWidth = 0;  // ± mL (rectangular): the tolerance, editable
    bool operator==(const MeasuredInput&) const = default;
};

// The pupil's choices. `exact` ("Titrage exact", the default) leaves every number as typed.
struct Glassware {
    bool exact = true;
    MeasuredInput beaker{GlasswareRole::BeakerVolume, -1, 0};
    MeasuredInput water{GlasswareRole::WaterVolume, -1, 0};
    MeasuredInput burette{GlasswareRole::Burette, -1, 0};
    // The burette is read to half a graduation at the start and at the equivalence: each reading's
    // half-width, mL (rectangular).
    double readingHalfWidth = 0.025;
    bool diluted = false;  // the beaker's solution was made by a dilution
    MeasuredInput dilutionPipette{GlasswareRole::DilutionPipette, -1, 0};
    MeasuredInput dilutionFlask{GlasswareRole::DilutionFlask, -1, 0};
    // The titrant's stated standard uncertainty, mol · L-1 ("0,100 ± 0,001"), normal law.
    double titrantUncertainty = 0;
    // The bench's seed: the systematic errors (the titrant's bottle, the burette's calibration)
    // come from it alone, each situation's own (the pipetting, the readings) from it and the
    // situation's number.
    std::uint32_t seed = 1;
    bool operator==(const Glassware&) const = default;
};

// What one titration actually delivers beyond what the pupil typed, and the error on the volume
// the pupil reads at the equivalence: the burette's calibration there and its two readings. The
// errors are absolute, so that a value typed afterwards keeps the same glassware's error.
struct Delivery {
    double beakerVolume = 0;          // mL
    double waterVolume = 0;           // mL
    double beakerConcentration = 1;   // actual / typed, from the dilution's pipette and flask
    double titrantConcentration = 0;  // mol · L-1
    double readingError = 0;          // mL, added to the volume the pupil reads
    bool operator==(const Delivery&) const = default;
};

// A small portable generator for the draws: SplitMix64.
class DrawGenerator {
  public:
    explicit DrawGenerator(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    double uniform();                         // [0, 1)
    double rectangular(double halfWidth);     // uniform on [−a, a]
    double normal(double standardDeviation);  // Box–Muller

  private:
    std::uint64_t m_state;
};

// The typed values the relative uncertainties are taken on: V₀, the water, the dilution's pipette
// and flask (mL), the titrant's concentration (mol · L-1), and the equivalence volume they give
// (mL).
struct NominalValues {
    double beakerVolume = 20;
    double waterVolume = 0;
    double titrantConcentration = 0.01;
    double dilutionPipette = 10;
    double dilutionFlask = 100;
    double equivalenceVolume = 10;
};
// One titration of situation `slot` (0 to 9) drawn from the bench's seed; identity when exact.
Delivery situationDelivery(const Glassware& glassware, const NominalValues& nominal, int slot);
// Every input drawn afresh, systematic ones included, as one run of a Monte-Carlo simulation.
Delivery drawDelivery(const Glassware& glassware, const NominalValues& nominal, DrawGenerator& generator);

// The standard uncertainties the glassware gives, for the propagation formula: u(V₀)/V₀, the
// dilution's, u(c_titrant)/c, and u(V_E) in mL (the burette's tolerance and its two readings).
struct InputUncertainties {
    double beakerVolume = 0;          // relative
    double dilution = 0;              // relative, pipette and flask composed
    double titrantConcentration = 0;  // relative
    double equivalenceVolume = 0;     // mL
};
InputUncertainties inputUncertainties(const Glassware& glassware, const NominalValues& nominal);

}  // namespace chemistry
