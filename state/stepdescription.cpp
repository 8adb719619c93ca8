#include "state/stepdescription.h"

#include <array>
#include <optional>

#include "chemistry/indicators.h"
#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "numbers/picture.h"
#include "state/glasswarebench.h"

namespace state {

namespace {

struct FieldName {
    Field field;
    const char* name;
    const char* unit;
};

// The panel's symbols, in the order the panel shows them; the poured volume comes with the tap.
constexpr std::array<FieldName, 9> kFields{{
    {Field::BeakerConcentration, "c₂", ""},
    {Field::SecondConcentration, "c₂'", ""},
    {Field::OtherPKa, "pKa", ""},
    {Field::SecondPKa, "second pKa", ""},
    {Field::BeakerVolume, "V₂", " mL"},
    {Field::WaterVolume, "V₃", " mL"},
    {Field::TitrantConcentration, "c₁", ""},
    {Field::SulfuricAcid, "c(H₂SO₄)", ""},
    {Field::Chromate, "c(K₂CrO₄)", ""},
}};

struct SwitchName {
    bool Switches::*flag;
    const char* name;
};

// The options as the options page and the graph's tool bar name them.
constexpr std::array<SwitchName, 10> kSwitches{{
    {&Switches::showBurette, "Burette et agitateur magnétique"},
    {&Switches::showPhMeter, "pH-mètre"},
    {&Switches::showConductimeter, "Conductimètre"},
    {&Switches::conductivityGraph, "σ = f(V)"},
    {&Switches::amountGraph, "n = f(V)"},
    {&Switches::potentialGraph, "E = f(V)"},
    {&Switches::superposeCurves, "Superposer les courbes"},
    {&Switches::boldStrokes, "Tracer en gras"},
    {&Switches::concentrationMasked, "Masquer la concentration"},
    {&Switches::highContrast, "Contraste élevé"},
}};

std::string change(const std::string& what, const std::string& from, const std::string& to) {
    return what + " " + from + " → " + to;
}

std::string situationName(int slot) {
    return slot < 0 ? std::string("aucune situation") : "Situation n° " + std::to_string(slot + 1);
}

std::string soluteName(const chemistry::SolutionSpec& solution, int index) {
    if (index < 0) return "aucun";
    return catalogue().speciesName(solution.beakerIsAcid, index);
}

std::string nature(bool beakerIsAcid) {
    return beakerIsAcid ? "Solution acide" : "Solution basique";
}

std::string yesNo(bool on) {
    return on ? "oui" : "non";
}

std::size_t pointCount(const BenchState& bench) {
    std::size_t count = 0;
    for (const MeasuredPoints& points : bench.lab.points) count += points.size();
    return count;
}

std::string kindName(chemistry::TitrationKind kind) {
    if (kind == chemistry::TitrationKind::Precipitation) return "précipitation";
    return kind == chemistry::TitrationKind::Redox ? "oxydoréduction" : "acido-basique";
}

template <typename List>
std::string nameIn(const List& list, int index) {
    if (index < 0 || index >= static_cast<int>(list.size())) return "aucun";
    return std::string(list[static_cast<std::size_t>(index)].name);
}

std::string referenceName(int index) {
    return index < 0 ? std::string("la couleur seule") : nameIn(chemistry::referenceElectrodes(), index);
}

// The kind of titration and an oxidation-reduction titration's choices.
std::optional<std::string> redoxChange(const chemistry::SolutionSpec& a, const chemistry::SolutionSpec& b) {
    if (a.kind != b.kind) return change("type de titrage :", kindName(a.kind), kindName(b.kind));
    if (b.kind != chemistry::TitrationKind::Redox) return std::nullopt;
    const chemistry::RedoxChoice& x = a.redox;
    const chemistry::RedoxChoice& y = b.redox;
    const auto species = chemistry::redoxSpecies();
    if (x.beakerSpecies != y.beakerSpecies)
        return change("espèce titrée :", nameIn(species, x.beakerSpecies), nameIn(species, y.beakerSpecies));
    if (x.titrantSpecies != y.titrantSpecies)
        return change("espèce titrante :", nameIn(species, x.titrantSpecies),
                      nameIn(species, y.titrantSpecies));
    if (x.indicator != y.indicator)
        return change("indicateur :", nameIn(chemistry::redoxIndicators(), x.indicator),
                      nameIn(chemistry::redoxIndicators(), y.indicator));
    if (x.reference != y.reference)
        return change("suivi :", referenceName(x.reference), referenceName(y.reference));
    return std::nullopt;
}

// A precipitation titration's choices.
std::optional<std::string> precipitationChange(const chemistry::SolutionSpec& a,
                                               const chemistry::SolutionSpec& b) {
    if (a.kind != b.kind || b.kind != chemistry::TitrationKind::Precipitation) return std::nullopt;
    const chemistry::PrecipitationChoice& x = a.precipitation;
    const chemistry::PrecipitationChoice& y = b.precipitation;
    const auto salts = chemistry::precipitationSalts();
    if (x.salt != y.salt) return change("sel titré :", nameIn(salts, x.salt), nameIn(salts, y.salt));
    if (x.secondSalt != y.secondSalt)
        return change("second sel :", nameIn(salts, x.secondSalt), nameIn(salts, y.secondSalt));
    if (x.titrant != y.titrant)
        return change("réactif titrant :", nameIn(chemistry::precipitationTitrants(), x.titrant),
                      nameIn(chemistry::precipitationTitrants(), y.titrant));
    if (x.reference != y.reference)
        return change("suivi :", referenceName(x.reference), referenceName(y.reference));
    return std::nullopt;
}

// What the panel and the situations say, most telling first.
std::optional<std::string> panelChange(const BenchState& from, const BenchState& to) {
    // A switch stores the situation left; a configuration replaces the others too.
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (slot == from.situations.current || slot == to.situations.current) continue;
        const auto i = static_cast<std::size_t>(slot);
        if (from.situations.records[i] != to.situations.records[i])
            return std::string("ouverture d'une configuration");
    }
    if (from.situations.current != to.situations.current)
        return situationName(from.situations.current) + " → " + situationName(to.situations.current);
    const chemistry::SolutionSpec& a = from.solution;
    const chemistry::SolutionSpec& b = to.solution;
    if (auto said = redoxChange(a, b)) return said;
    if (auto said = precipitationChange(a, b)) return said;
    if (a.beakerIsAcid != b.beakerIsAcid)
        return change("nature :", nature(a.beakerIsAcid), nature(b.beakerIsAcid));
    if (a.speciesIndex != b.speciesIndex)
        return change("soluté :", soluteName(a, a.speciesIndex), soluteName(b, b.speciesIndex));
    if (a.secondSpeciesIndex != b.secondSpeciesIndex)
        return change("deuxième soluté :", soluteName(a, a.secondSpeciesIndex),
                      soluteName(b, b.secondSpeciesIndex));
    if (a.indicatorIndex != b.indicatorIndex)
        return change("indicateur :", chemistry::IndicatorTable::at(a.indicatorIndex).label,
                      chemistry::IndicatorTable::at(b.indicatorIndex).label);
    for (const FieldName& f : kFields) {
        const numbers::TypedNumber& x = field(from, f.field);
        const numbers::TypedNumber& y = field(to, f.field);
        if (x == y) continue;
        // The die's concentration stays hidden.
        if (f.field == Field::BeakerConcentration && (concentrationHidden(from, from.situations.current) ||
                                                      concentrationHidden(to, to.situations.current)))
            return std::string("concentration aléatoire");
        return change(f.name, x.text(), y.text() + f.unit);
    }
    return std::nullopt;
}

// What the burette, the options, the lab's points and the graph say.
std::optional<std::string> benchChange(const BenchState& from, const BenchState& to) {
    const numbers::TypedNumber& poured = field(from, Field::PouredVolume);
    const numbers::TypedNumber& pouredTo = field(to, Field::PouredVolume);
    if (poured != pouredTo) return change("V₁", poured.text(), pouredTo.text() + " mL");
    for (const SwitchName& s : kSwitches) {
        if (from.switches.*s.flag != to.switches.*s.flag)
            return change(std::string(s.name) + " :", yesNo(from.switches.*s.flag),
                          yesNo(to.switches.*s.flag));
    }
    if (from.situations.drawnConcentrationHidden != to.situations.drawnConcentrationHidden)
        return std::string("Afficher la concentration");
    if (from.glassware != to.glassware)
        return change("verrerie :", glasswareName(from.glassware), glasswareName(to.glassware));
    if (from.stepTenths != to.stepTenths)
        return change(
            "volume versé entre deux mesures :", numbers::formatPicture(from.stepTenths / 10.0, "#0.0"),
            numbers::formatPicture(to.stepTenths / 10.0, "#0.0") + " mL");
    const std::size_t points = pointCount(from);
    const std::size_t pointsTo = pointCount(to);
    if (points != pointsTo || from.lab.points != to.lab.points)
        return change("mesures :", std::to_string(points), std::to_string(pointsTo) + " points");
    if (from.lab.fit != to.lab.fit) return std::string("ajustement de la concentration");
    if (from.graph != to.graph || from.rows != to.rows) return std::string("graphe");
    return std::nullopt;
}

}  // namespace

std::string describeStep(const BenchState& from, const BenchState& to) {
    if (auto said = panelChange(from, to)) return *said;
    if (auto said = benchChange(from, to)) return *said;
    return "la dernière action";
}

}  // namespace state
