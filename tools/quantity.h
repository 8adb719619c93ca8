#pragma once
// The quantities an exercise text states, computed with the engine as the workbench computes them
// and written with the pictures it shows them with. A quantity reads "<kind> S<n> [<point>]":
//
//   pH S2 V=10        the pH-meter after pouring 10 mL in Situation 2 ("#0.00"); the volume is
//                     one the burette reaches, a multiple of 0,1 mL
//   pH S1 V=Ve        the pH at the model's equivalence point, which the tangent method marks;
//                     V=Ve/2 at half equivalence
//   Ve S1             the equivalence volume the tangent method finds, mL ("#0.0")
//   C S1              the beaker's concentration deduced from it, c_B · V_E / V_A ("0.0#####")
//   %acide S1 V=5     the share of the acid form of the beaker's pair, in %, after 5 mL, or
//   %base S1 pH=4,2   of the basic form at a pH (the distribution diagram's read-out, "#0.0")
//   tangentes S1      what the tangent method does: "acceptée", "refusée" (its error message)
//                     or "sans effet" (an equivalence volume outside 2 to 23 mL)
//   sigma S1 V=10     the conductimeter after pouring 10 mL, mS/cm (three significant digits)
//   droites S1        the volume of E the "Droites" tool finds on the σ graph at the measuring
//                     step of 0,5 mL, mL ("#0.0"); "droites2 S1" the second one
//   n0 S1             the amount of the first reactant put in the beaker, mmol, as the progress
//                     table writes it ("2,00 × 10⁻¹")
//   xmax S1 V=10      x_max of the first titration reaction after 10 mL, mmol, likewise; V=Ve at
//                     the equivalence the reactions give, n₀ / c_B
//
// An oxidation-reduction titration states:
//
//   E S1 V=10         the millivoltmeter after pouring 10 mL, V against the situation's reference
//                     electrode ("0.000"); V=Ve and V=Ve/2 at the stoichiometric equivalence and
//                     half of it (E at half equivalence of Fe²⁺ is E°(Fe³⁺/Fe²⁺) − E(reference))
//   Ve S1             the stoichiometric equivalence volume, mL ("#0.0"): where the colour changes
//                     and where the tangent method on E = f(V) marks E
//   C S1              the beaker's concentration deduced from it with the balanced equation,
//                     c_B · V_E · a / (b · V_A) for a beaker's species and b titrant's
//   tangentes S1      what the tangent method does on E = f(V)
//
// A precipitation titration states sigma, droites and droites2 as above; E (the silver electrode
// against the situation's reference) at V=<mL>, V=Ve or V=Ve/2; Ve and Ve2 (stoichiometric, "#0.0");
// C and C2 (the beaker's salt and the second one, from the volumes shown); and
//
//   rouge S1          the first volume the tap pours, each 0,1 mL, at which the red silver
//                     chromate of Mohr's method is present, mL ("#0.0")
//
// A polyacid, a polybase or two solutes have several equivalences, numbered as the hint line
// names them: "Ve2 S1" is E₂, the second the tangent method draws; "V=Ve2" its point, "V=Ve2/2"
// halfway between E₁ and E₂; "tangentes2 S1" what the method does at the second jump; "C2 S1"
// the second solute's concentration, c_B · (V_E2 − V_E1) / V_A. "Ve" alone is "Ve1". The shares
// of the forms are read on the diagram of a single-pair solute only.
//
// With the set-up's glassware ("verrerie = ..."), any titration states
//
//   u(c)/c S1         the relative standard uncertainty of the concentration found, in %, by the
//                     propagation formula from the glassware's tolerances ("#0.00")
//
// A tag may give another picture for the number; it must be one of the program's pictures.
#include <optional>
#include <string>
#include <string_view>

#include "configuration/configurationfile.h"
#include "state/equivalenceplot.h"

namespace tools {

enum class QuantityKind {
    PH,
    Potential,
    EquivalenceVolume,
    Concentration,
    SecondConcentration,
    AcidShare,
    BasicShare,
    TangentMethod,
    Conductivity,
    StraightLines,
    InitialAmount,
    MaximalAdvancement,
    RedAppears,
    RelativeUncertainty
};

enum class PointKind {
    None,
    Volume,           // a poured volume, `value` mL
    Equivalence,      // V = Ve
    HalfEquivalence,  // V = Ve / 2
    PH,               // a pH, `value`
};

struct Quantity {
    QuantityKind kind = QuantityKind::PH;
    int situation = 1;  // 1 to 10
    PointKind point = PointKind::None;
    double value = 0;
    int equivalence = 1;  // which equivalence Ve, V=Ve, V=Ve/2 and tangentes name, from 1
};

// Nothing, and the reason in `error`, when the text is not a quantity or its picture is not one
// the program shows numbers with.
std::optional<Quantity> parseQuantity(std::string_view text, std::string_view picture, std::string& error);

// The text the program shows for the quantity with that configuration; nothing, and the reason,
// when it cannot be computed.
std::optional<std::string> evaluateQuantity(const Quantity& quantity, std::string_view picture,
                                            const configuration::ConfigurationFile& configuration,
                                            std::string& error);

// A value written with its picture; nothing, with the reason in `error` unless one is there, when
// there is no value or it is not finite.
std::optional<std::string> writtenValue(std::optional<double> value, std::string_view picture,
                                        std::string& error);

// What the tangent method did, in the words of the exercise sources: "acceptée", "refusée",
// "sans effet".
std::string tangentOutcomeWord(state::TangentConstruction::Outcome outcome);

}  // namespace tools
