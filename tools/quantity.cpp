#include "tools/quantity.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "chemistry/chemistry.h"
#include "chemistry/titrationreaction.h"
#include "numbers/decimalreader.h"
#include "numbers/picture.h"
#include "numbers/single.h"
#include "state/conductimetry.h"
#include "state/progresstable.h"
#include "tools/precipitationquantity.h"
#include "tools/redoxquantity.h"
#include "tools/uncertaintyquantity.h"

namespace tools {

std::optional<std::string> writtenValue(std::optional<double> value, std::string_view picture,
                                        std::string& error) {
    const std::string shown =
        value && std::isfinite(*value) ? numbers::formatPicture(*value, picture) : std::string();
    if (shown.empty()) {
        if (error.empty()) error = "the engine gives no finite value";
        return std::nullopt;
    }
    return shown;
}

std::string tangentOutcomeWord(state::TangentConstruction::Outcome outcome) {
    switch (outcome) {
        case state::TangentConstruction::Outcome::Nothing:
            return "sans effet";
        case state::TangentConstruction::Outcome::Refused:
            return "refusée";
        case state::TangentConstruction::Outcome::Drawn:
            return "acceptée";
    }
    return "sans effet";
}

namespace {

using chemistry::EngineState;

constexpr std::array<std::pair<std::string_view, QuantityKind>, 13> kKinds{
    {{"pH", QuantityKind::PH},
     {"E", QuantityKind::Potential},
     {"Ve", QuantityKind::EquivalenceVolume},
     {"C", QuantityKind::Concentration},
     {"C2", QuantityKind::SecondConcentration},
     {"%acide", QuantityKind::AcidShare},
     {"%base", QuantityKind::BasicShare},
     {"tangentes", QuantityKind::TangentMethod},
     {"sigma", QuantityKind::Conductivity},
     {"n0", QuantityKind::InitialAmount},
     {"xmax", QuantityKind::MaximalAdvancement},
     {"rouge", QuantityKind::RedAppears},
     {"u(c)/c", QuantityKind::RelativeUncertainty}}};

// The measuring step the workbench starts with, tenths of a millilitre: the "Droites" points.
constexpr int kStartingStep = 5;

// The pictures the program shows numbers with.
constexpr std::array<std::string_view, 9> kPictures{"0.000",    "#0.00",      "#0.0",
                                                    "#0.0#",    "###0.0#",    "####0.0",
                                                    "0.00E+00", "0.0#######", "###0.0## ### ### ###"};

std::string_view ownPicture(QuantityKind kind) {
    switch (kind) {
        case QuantityKind::PH:
            return "#0.00";  // the pH-meter
        case QuantityKind::Potential:
            return "0.000";  // the millivoltmeter
        case QuantityKind::EquivalenceVolume:
        case QuantityKind::StraightLines:
        case QuantityKind::RedAppears:
        case QuantityKind::AcidShare:
        case QuantityKind::BasicShare:
            return "#0.0";  // the graph's read-out
        case QuantityKind::Concentration:
        case QuantityKind::SecondConcentration:
            return "0.0#######";  // a drawn concentration
        case QuantityKind::RelativeUncertainty:
            return "#0.00";
        case QuantityKind::TangentMethod:
        case QuantityKind::Conductivity:   // three significant digits, as the meter
        case QuantityKind::InitialAmount:  // as the progress table writes amounts
        case QuantityKind::MaximalAdvancement:
            break;
    }
    return {};
}

bool takesPoint(QuantityKind kind) {
    return kind == QuantityKind::PH || kind == QuantityKind::Potential || kind == QuantityKind::AcidShare ||
           kind == QuantityKind::BasicShare || kind == QuantityKind::Conductivity ||
           kind == QuantityKind::MaximalAdvancement;
}

// Splits at blanks.
std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> out;
    for (std::size_t pos = 0; pos < text.size();) {
        const auto start = text.find_first_not_of(' ', pos);
        if (start == std::string_view::npos) break;
        const auto end = std::min(text.find(' ', start), text.size());
        out.push_back(text.substr(start, end - start));
        pos = end;
    }
    return out;
}

// The number after a stem: 1 for the stem alone, n for the stem followed by one digit 1 to 6.
std::optional<int> numberedAfter(std::string_view word, std::string_view stem) {
    if (!word.starts_with(stem)) return std::nullopt;
    const std::string_view rest = word.substr(stem.size());
    if (rest.empty()) return 1;
    if (rest.size() == 1 && rest[0] >= '1' && rest[0] <= '6') return rest[0] - '0';
    return std::nullopt;
}

bool parsePoint(std::string_view word, Quantity& quantity, std::string& error) {
    const bool half = word.ends_with("/2");
    if (const auto n = numberedAfter(half ? word.substr(0, word.size() - 2) : word, "V=Ve")) {
        quantity.point = half ? PointKind::HalfEquivalence : PointKind::Equivalence;
        quantity.equivalence = *n;
        return true;
    }
    const bool volume = word.starts_with("V=");
    if (!volume && !word.starts_with("pH=")) {
        error = "the point reads V=<mL>, V=Ve, V=Ve/2 or pH=<value>, not \"" + std::string(word) + "\"";
        return false;
    }
    const auto value = numbers::readTypedNumber(word.substr(volume ? 2 : 3));
    if (!value) {
        error = "\"" + std::string(word) + "\" is not a number";
        return false;
    }
    quantity.point = volume ? PointKind::Volume : PointKind::PH;
    quantity.value = *value;
    if (volume) {
        // The burette pours by tenths of a millilitre and holds 25 mL.
        const double tenths = *value * 10;
        if (*value < 0 || *value > chemistry::kBuretteCapacity ||
            std::abs(tenths - std::round(tenths)) > 1e-9) {
            error = "a poured volume is a multiple of 0,1 mL from 0 to 25 mL";
            return false;
        }
    } else if (*value < 0 || *value > 14) {
        error = "a pH lies between 0 and 14";
        return false;
    }
    return true;
}

// The set-up of one situation as the workbench holds it when the situation is shown.
struct Setup {
    chemistry::SolutionSpec solution;
    chemistry::SpeciesCatalogue catalogue;
};

Setup setupOf(const chemistry::Situation& situation) {
    return Setup{chemistry::specOf(situation), {}};
}

// The state with the beaker solved alone, which sets the equivalence volume.
EngineState beakerAlone(const Setup& setup) {
    EngineState state = chemistry::deriveEngineState(setup.solution, setup.catalogue);
    chemistry::solveBeakerAlone(state);
    return state;
}

// The state solved after pouring `volume` mL straight from the model, as the tangent method does.
EngineState solvedAt(EngineState state, double volume, bool beakerIsAcid) {
    state.pouredVolume = numbers::toSingle(volume);
    chemistry::solveAtVolume(state, beakerIsAcid);
    return state;
}

// The state of the point the quantity names: a volume as the pupil pours it, shown by the
// pH-meter, or a point of the model around the equivalence.
EngineState pointState(const Quantity& quantity, Setup& setup) {
    const bool acid = setup.solution.beakerIsAcid;
    if (quantity.point == PointKind::Volume) {
        setup.solution.pouredVolume = numbers::formatPicture(quantity.value, "#0.0");
        EngineState state;
        chemistry::computeCurrentPoint(setup.solution, setup.catalogue, state);
        return state;
    }
    const EngineState state = beakerAlone(setup);
    const double ve = state.equivalenceVolume;
    return solvedAt(state, quantity.point == PointKind::HalfEquivalence ? ve / 2 : ve, acid);
}

// The share, in %, of the acid form (or of the basic form) of the beaker's pair.
std::optional<double> share(const Quantity& quantity, Setup& setup, std::string& error) {
    const bool acid = setup.solution.beakerIsAcid;
    if (chemistry::SpeciesCatalogue::isStrong(acid, setup.solution.speciesIndex)) {
        error = "a strong species has no distribution diagram";
        return std::nullopt;
    }
    double acidShare = 0;
    if (quantity.point == PointKind::PH) {
        const double k = chemistry::deriveEngineState(setup.solution, setup.catalogue).constantK;
        const double ka = acid ? k : chemistry::kKe / k;
        const double h = std::pow(10.0, -quantity.value);
        acidShare = h / (h + ka);
    } else {
        const auto point = chemistry::makeTitrationPoint(pointState(quantity, setup), acid);
        acidShare = point.acidForm / (point.acidForm + point.basicForm);
    }
    const double percent = 100 * (quantity.kind == QuantityKind::AcidShare ? acidShare : 1 - acidShare);
    if (!std::isfinite(percent)) {
        error = "the forms of the pair cannot be told apart";
        return std::nullopt;
    }
    return percent;
}

// What the tangent method of the graph does with the set-up.
std::string tangentMethod(const Setup& setup) {
    EngineState state = beakerAlone(setup);
    return tangentOutcomeWord(state::tangentConstruction(state, setup.solution.beakerIsAcid).outcome);
}

// The situation as the general charge balance walks it, when its model solves that balance.
std::optional<chemistry::Mixture> mixtureOf(const Setup& setup) {
    const auto model = chemistry::makeTitrationModel(setup.solution, setup.catalogue);
    if (const chemistry::Mixture* mixture = model->chargeBalance()) return *mixture;
    return std::nullopt;
}

// The constructions the tangent method draws whole, in the order of the equivalences.
std::vector<state::TangentConstruction> drawnTangents(const std::vector<state::TangentConstruction>& all) {
    std::vector<state::TangentConstruction> drawn;
    for (const auto& t : all) {
        if (t.outcome == state::TangentConstruction::Outcome::Drawn) drawn.push_back(t);
    }
    return drawn;
}

// The volume the hint line shows for an equivalence, read back as the pupil reads it.
double shownVolume(const state::TangentConstruction& t) {
    return numbers::readTypedNumberOr(numbers::formatPicture(t.constructedVolume, "#0.0"), 0);
}

// A quantity of a polyacid, a polybase or two solutes, from the mixture engine and the tangent
// method at each jump, as the graph shows them: Ve2 is the second equivalence the titrant reaches,
// as the graph numbers it, and needs its construction; C and C2 read the first constructions made.
std::optional<double> mixtureValue(const Quantity& quantity, const chemistry::Mixture& mixture, Setup& setup,
                                   std::string& error) {
    if (quantity.kind == QuantityKind::AcidShare || quantity.kind == QuantityKind::BasicShare) {
        error = "the shares of several forms are read on the distribution diagram";
        return std::nullopt;
    }
    if (quantity.kind == QuantityKind::PH && quantity.point == PointKind::Volume)
        return pointState(quantity, setup).pH;
    const auto all = state::mixtureTangents(mixture);
    const auto drawn = drawnTangents(all);
    const auto& cb = setup.solution.titrantConcentration.value();
    const auto& va = setup.solution.beakerVolume.value();
    if (quantity.kind == QuantityKind::Concentration || quantity.kind == QuantityKind::SecondConcentration) {
        const std::size_t needed = quantity.kind == QuantityKind::SecondConcentration ? 2 : 1;
        if (drawn.size() < needed) {
            error = "the tangent method draws fewer than " + std::to_string(needed) + " constructions";
            return std::nullopt;
        }
        if (cb && va && *va > 0) {
            return quantity.kind == QuantityKind::Concentration
                       ? *cb * shownVolume(drawn[0]) / *va
                       : *cb * (shownVolume(drawn[1]) - shownVolume(drawn[0])) / *va;
        }
        error = "the engine gives no finite value";
        return std::nullopt;
    }
    const int needed = quantity.equivalence;
    if (needed < 1 || needed > static_cast<int>(all.size()) ||
        all[static_cast<std::size_t>(needed - 1)].outcome != state::TangentConstruction::Outcome::Drawn) {
        error = "the tangent method finds no equivalence E" + std::to_string(needed);
        return std::nullopt;
    }
    const auto& e = all[static_cast<std::size_t>(needed - 1)];
    switch (quantity.kind) {
        case QuantityKind::EquivalenceVolume:
            return e.constructedVolume;
        case QuantityKind::PH: {
            if (quantity.point == PointKind::Equivalence) return e.pHE;
            // Halfway from the previous equivalence (from the start for the first).
            const double from =
                needed > 1 ? all[static_cast<std::size_t>(needed - 2)].equivalenceVolume : 0.0;
            if (const auto point = chemistry::solveMixture(mixture, (from + e.equivalenceVolume) / 2))
                return point->pH;
            break;
        }
        default:
            break;
    }
    error = "the engine gives no finite value";
    return std::nullopt;
}

// What the tangent method does at the n-th jump of a mixture.
std::string mixtureTangentMethod(const chemistry::Mixture& mixture, int equivalence) {
    const auto all = state::mixtureTangents(mixture);
    if (equivalence > static_cast<int>(all.size())) return "sans effet";
    return tangentOutcomeWord(all[static_cast<std::size_t>(equivalence - 1)].outcome);
}

// The conductimeter's reading or the "Droites" intersection, the same for every set-up: the
// mixture engine gives σ for one solute as for two.
std::optional<std::string> conductimetryValue(const Quantity& quantity, std::string_view picture,
                                              const Setup& setup, std::string& error) {
    std::optional<double> value;
    if (quantity.kind == QuantityKind::Conductivity) {
        if (const auto mixture = chemistry::beakerMixture(setup.solution, setup.catalogue))
            value = chemistry::mixtureConductivity(*mixture, quantity.value);
        if (value && std::isfinite(*value) && picture.empty()) return state::conductivityNumber(*value);
    } else {
        for (const auto& found : state::straightLinesOf(setup.solution, kStartingStep).found) {
            if (found.number == quantity.equivalence) value = found.lines.volume;
        }
        if (!value) {
            error = "the straight lines find no equivalence E" + std::to_string(quantity.equivalence);
            return std::nullopt;
        }
    }
    const std::string shown =
        value ? numbers::formatPicture(*value, picture.empty() ? "#0.0" : picture) : std::string();
    if (shown.empty()) {
        error = "the engine gives no finite value";
        return std::nullopt;
    }
    return shown;
}

// n₀ or x_max of the first reaction, from the progress table the window shows at that volume.
std::optional<std::string> progressValue(const Quantity& quantity, std::string_view picture,
                                         const Setup& setup, std::string& error) {
    const auto reactions = chemistry::titrationReactions(setup.solution, setup.catalogue);
    if (!reactions || reactions->steps.empty()) {
        error = "the set-up has no total titration reaction";
        return std::nullopt;
    }
    double volume = 0;
    if (quantity.kind == QuantityKind::MaximalAdvancement) {
        volume = quantity.value;
        if (quantity.point == PointKind::Equivalence) volume = reactions->equivalenceVolume(0);
        if (quantity.point == PointKind::HalfEquivalence) volume = reactions->equivalenceVolume(0) / 2;
    }
    const state::ProgressTable table = state::progressTable(setup.solution, volume, false);
    if (table.steps.empty()) {
        error = "the progress table cannot be written";
        return std::nullopt;
    }
    const state::ProgressStep& first = table.steps.front();
    const double value =
        quantity.kind == QuantityKind::InitialAmount ? reactions->steps.front().amount : first.xMax;
    const std::string shown =
        picture.empty() ? state::amountText(value) : numbers::formatPicture(value, picture);
    if (shown.empty()) {
        error = "the engine gives no finite value";
        return std::nullopt;
    }
    return shown;
}

}  // namespace

std::optional<Quantity> parseQuantity(std::string_view text, std::string_view picture, std::string& error) {
    const auto parts = words(text);
    Quantity quantity;
    const auto kind = parts.empty() ? kKinds.end()
                                    : std::find_if(kKinds.begin(), kKinds.end(),
                                                   [&](const auto& k) { return k.first == parts[0]; });
    // Ve and tangentes may name their equivalence: "Ve2", "tangentes2".
    const auto ve = parts.empty() ? std::nullopt : numberedAfter(parts[0], "Ve");
    const auto tangents = parts.empty() ? std::nullopt : numberedAfter(parts[0], "tangentes");
    const auto lines = parts.empty() ? std::nullopt : numberedAfter(parts[0], "droites");
    if (kind != kKinds.end()) {
        quantity.kind = kind->second;
    } else if (ve || tangents) {
        quantity.kind = ve ? QuantityKind::EquivalenceVolume : QuantityKind::TangentMethod;
        quantity.equivalence = ve ? *ve : *tangents;
    } else if (lines) {
        quantity.kind = QuantityKind::StraightLines;
        quantity.equivalence = *lines;
    } else {
        error =
            "a quantity starts with pH, E, Ve, C, C2, %acide, %base, tangentes, sigma, droites, n0, xmax, "
            "rouge or u(c)/c";
        return std::nullopt;
    }
    const auto situation = parts.size() > 1 && parts[1].starts_with('S')
                               ? numbers::readTypedNumber(parts[1].substr(1))
                               : std::nullopt;
    if (!situation || *situation != std::floor(*situation) || *situation < 1 || *situation > 10) {
        error = "the situation reads S1 to S10";
        return std::nullopt;
    }
    quantity.situation = static_cast<int>(*situation);
    const std::size_t expected = takesPoint(quantity.kind) ? 3 : 2;
    if (parts.size() != expected) {
        error = expected == 3 ? "this quantity needs a point: V=<mL>, V=Ve, V=Ve/2 or pH=<value>"
                              : "this quantity takes nothing after its situation";
        return std::nullopt;
    }
    if (expected == 3 && !parsePoint(parts[2], quantity, error)) return std::nullopt;
    if ((quantity.kind == QuantityKind::PH || quantity.kind == QuantityKind::Potential) &&
        quantity.point == PointKind::PH) {
        error = quantity.kind == QuantityKind::PH ? "the pH is asked at a volume" : "E is asked at a volume";
        return std::nullopt;
    }
    if (quantity.kind == QuantityKind::MaximalAdvancement && quantity.point == PointKind::PH) {
        error = "x_max is asked at a poured volume: V=<mL> or V=Ve";
        return std::nullopt;
    }
    if (quantity.kind == QuantityKind::Conductivity && quantity.point != PointKind::Volume) {
        error = "σ is asked at a poured volume: V=<mL>";
        return std::nullopt;
    }
    if (!picture.empty() && (quantity.kind == QuantityKind::TangentMethod ||
                             std::find(kPictures.begin(), kPictures.end(), picture) == kPictures.end())) {
        error = "\"" + std::string(picture) + "\" is not a picture the program shows this number with";
        return std::nullopt;
    }
    return quantity;
}

std::optional<std::string> evaluateQuantity(const Quantity& quantity, std::string_view picture,
                                            const configuration::ConfigurationFile& configuration,
                                            std::string& error) {
    if (quantity.situation < 1 || quantity.situation > configuration::kSituationCount) {
        error = "the situation reads S1 to S10";
        return std::nullopt;
    }
    Setup setup = setupOf(configuration.situations[static_cast<std::size_t>(quantity.situation - 1)]);
    if (quantity.kind == QuantityKind::RelativeUncertainty)
        return relativeUncertaintyValue(picture.empty() ? ownPicture(quantity.kind) : picture, setup.solution,
                                        configuration, error);
    if (setup.solution.kind == chemistry::TitrationKind::Redox)
        return evaluateRedoxQuantity(quantity, picture, setup.solution, error);
    if (setup.solution.kind == chemistry::TitrationKind::Precipitation)
        return evaluatePrecipitationQuantity(quantity, picture, setup.solution, error);
    if (quantity.kind == QuantityKind::RedAppears) {
        error = "the red of Mohr's method appears in a precipitation titration";
        return std::nullopt;
    }
    if (quantity.kind == QuantityKind::Potential) {
        error = "E is read in an oxidation-reduction or a precipitation titration";
        return std::nullopt;
    }
    if (quantity.kind == QuantityKind::Conductivity || quantity.kind == QuantityKind::StraightLines)
        return conductimetryValue(quantity, picture, setup, error);
    if (quantity.kind == QuantityKind::InitialAmount || quantity.kind == QuantityKind::MaximalAdvancement)
        return progressValue(quantity, picture, setup, error);
    const std::string_view shownWith = picture.empty() ? ownPicture(quantity.kind) : picture;
    std::optional<double> value;
    if (const auto mixture = mixtureOf(setup)) {
        if (quantity.kind == QuantityKind::TangentMethod)
            return mixtureTangentMethod(*mixture, quantity.equivalence);
        value = mixtureValue(quantity, *mixture, setup, error);
        if (!value) return std::nullopt;
        const std::string shown = numbers::formatPicture(*value, shownWith);
        if (!shown.empty()) return shown;
        error = "the engine gives no finite value";
        return std::nullopt;
    }
    if (quantity.equivalence > 1 || quantity.kind == QuantityKind::SecondConcentration) {
        error = "a single monoprotic solute has one equivalence";
        return std::nullopt;
    }
    switch (quantity.kind) {
        case QuantityKind::SecondConcentration:
        case QuantityKind::Conductivity:
        case QuantityKind::StraightLines:
        case QuantityKind::InitialAmount:
        case QuantityKind::MaximalAdvancement:
        case QuantityKind::Potential:
        case QuantityKind::RedAppears:
        case QuantityKind::RelativeUncertainty:
            break;
        case QuantityKind::TangentMethod:
            return tangentMethod(setup);
        case QuantityKind::PH:
            value = pointState(quantity, setup).pH;
            break;
        case QuantityKind::EquivalenceVolume:
            value = beakerAlone(setup).equivalenceVolume;
            break;
        case QuantityKind::Concentration: {
            // The pupil's c_A = c_B · V_E / V_A, with V_E as the program shows it.
            const std::string ve = numbers::formatPicture(beakerAlone(setup).equivalenceVolume, "#0.0");
            const auto& cb = setup.solution.titrantConcentration.value();
            const auto& va = setup.solution.beakerVolume.value();
            if (cb && va && *va > 0) value = *cb * numbers::readTypedNumberOr(ve, 0) / *va;
            break;
        }
        case QuantityKind::AcidShare:
        case QuantityKind::BasicShare:
            value = share(quantity, setup, error);
            if (!value) return std::nullopt;
            break;
    }
    std::string shown = value ? numbers::formatPicture(*value, shownWith) : std::string();
    if (shown.empty()) {
        error = "the engine gives no finite value";
        return std::nullopt;
    }
    return shown;
}

}  // namespace tools
