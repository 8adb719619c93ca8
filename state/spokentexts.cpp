#include "state/spokentexts.h"

#include <algorithm>
#include <array>
#include <variant>

#include "chemistry/indicators.h"
#include "numbers/picture.h"
#include "numbers/typednumber.h"
#include "state/conductimetry.h"
#include "state/potentiometry.h"

namespace state {

namespace {

struct NamedColour {
    numbers::Rgb rgb;
    const char* words;
};

// The colours the indicators and the coloured species of oxidation-reduction take, plateaus and
// the middles of their ramps.
constexpr std::array<NamedColour, 15> kColourWords{{
    {{230, 240, 250}, "incolore"},
    {{250, 250, 0}, "jaune"},
    {{230, 210, 0}, "jaune"},
    {{250, 150, 0}, "orange"},
    {{250, 150, 100}, "orange pâle"},
    {{200, 100, 0}, "orangé"},
    {{230, 0, 0}, "rouge"},
    {{0, 0, 200}, "bleu"},
    {{100, 100, 180}, "bleu pâle"},
    {{100, 200, 100}, "vert"},
    {{230, 0, 230}, "rose"},
    {{180, 100, 180}, "rose pâle"},
    {{150, 30, 160}, "violet"},
    {{200, 120, 40}, "brun"},
    {{30, 30, 70}, "bleu-noir"},
}};

const char* nearestColourWords(numbers::Rgb colour) {
    const NamedColour* nearest = &kColourWords.front();
    int best = -1;
    for (const NamedColour& named : kColourWords) {
        const int dr = colour.red - named.rgb.red;
        const int dg = colour.green - named.rgb.green;
        const int db = colour.blue - named.rgb.blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (best < 0 || distance < best) {
            best = distance;
            nearest = &named;
        }
    }
    return nearest->words;
}

// Whether "de" before the name is elided: a vowel, a mute h or an accented e comes first.
bool elides(const std::string& name) {
    if (name.empty()) return false;
    return std::string("aeiouhAEIOUH").find(name[0]) != std::string::npos || name.rfind("é", 0) == 0 ||
           name.rfind("É", 0) == 0;
}

// "d'acide éthanoïque", "de méthylamine".
std::string ofName(const std::string& name) {
    return (elides(name) ? "d'" : "de ") + name;
}

// "du bleu de bromothymol", "de la phénolphtaléine", "de l'hélianthine".
std::string ofIndicator(const chemistry::Indicator& indicator) {
    std::string name = indicator.label.substr(0, indicator.label.find(" ("));
    if (!name.empty() && name[0] >= 'A' && name[0] <= 'Z') name[0] = static_cast<char>(name[0] - 'A' + 'a');
    if (elides(name)) return "de l'" + name;
    if (name.size() >= 3 && name.compare(name.size() - 3, 3, "ine") == 0) return "de la " + name;
    return "du " + name;
}

std::string volumeText(double volume) {
    return numbers::formatPicture(volume, "#0.0#");
}

std::string pHText(double pH) {
    return numbers::formatPicture(pH, "#0.00");
}

std::string soluteNames(const BenchState& bench) {
    const chemistry::SolutionSpec& s = bench.solution;
    std::string names = ofName(catalogue().speciesName(s.beakerIsAcid, s.speciesIndex));
    if (s.secondSpeciesIndex >= 0)
        names += " et " + ofName(catalogue().speciesName(s.beakerIsAcid, s.secondSpeciesIndex));
    return names;
}

bool isShown(const BenchState& bench, int slot) {
    return bench.situations.records[static_cast<std::size_t>(slot)].completed &&
           (bench.switches.superposeCurves || slot == bench.situations.current);
}

// What the analyses added over the curves, in words.
std::string analysesWords(const GraphContent& graph) {
    std::string words;
    for (const GraphItem& item : graph.items()) {
        if (std::holds_alternative<DerivativeOverlay>(item)) {
            words += " Courbe dérivée tracée.";
        } else if (const auto* tangents = std::get_if<TangentOverlay>(&item)) {
            const state::TangentConstruction& t = tangents->construction;
            if (t.outcome == state::TangentConstruction::Outcome::Drawn) {
                words += " Méthode des tangentes : point d'équivalence " + pointName(tangents->number) +
                         " à V = " + volumeText(t.equivalenceVolume) + " mL, pH = " + pHText(t.pHE) + ".";
            } else if (t.outcome == state::TangentConstruction::Outcome::Refused) {
                words += " Méthode des tangentes : les tangentes sont trop proches, E n'est pas construit.";
            }
        } else if (const auto* series = std::get_if<GraphCurve>(&item)) {
            // The σ graph's crosses are left to the table of values.
            if (series->style == SeriesStyle::MeasuredCrosses && series->meter == &phMeter())
                words += " " + std::to_string(series->points.size()) + " points mesurés au laboratoire.";
            if (series->style == SeriesStyle::FittedDashes)
                words += " Courbe ajustée aux mesures, en tirets.";
        } else if (const auto* lines = std::get_if<StraightLinesOverlay>(&item)) {
            if (lines->lines.found) {
                words += std::string(" Méthode des droites") +
                         (lines->corrected ? " sur σ corrigée de la dilution" : "") +
                         " : point d'équivalence " + lines->label +
                         " à V = " + volumeText(lines->lines.volume) +
                         " mL, σ = " + conductivityText(lines->lines.conductivity) + ".";
            }
        } else if (std::holds_alternative<CorrectedConductivity>(item)) {
            words += " σ corrigée de la dilution, en cercles.";
        } else if (const auto* legend = std::get_if<SeriesLegend>(&item)) {
            words += " Quantités de matière :";
            for (std::size_t i = 0; i < legend->names.size(); ++i)
                words += (i == 0 ? " " : ", ") + legend->names[i];
            words += ".";
        } else if (const auto* forms = std::get_if<FormsOverlay>(&item)) {
            words += " Formes, en tirets :";
            for (std::size_t i = 0; i < forms->names.size(); ++i)
                words += (i == 0 ? " " : ", ") + forms->names[i];
            words += ".";
        }
    }
    return words;
}

}  // namespace

std::string situationButtonName(const BenchState& bench, int slot) {
    std::string name = "Situation n° " + std::to_string(slot + 1);
    if (slot < 0 || slot >= kSituationCount) return name;
    const chemistry::Situation& record = bench.situations.records[static_cast<std::size_t>(slot)];
    const bool current = slot == bench.situations.current;
    const double poured = current ? bench.solution.pouredVolume.valueOr(0)
                                  : numbers::TypedNumber(record.pouredVolumeText).valueOr(0);
    if (record.completed) return name + ", titrage terminé";
    if (poured > 0) return name + ", titrage en cours";
    return name + ", titrage non commencé";
}

std::string liquidColourWords(int indicatorIndex, double pH) {
    if (indicatorIndex <= 0 || indicatorIndex >= chemistry::IndicatorTable::kCount)
        return "incolore, sans indicateur";
    const chemistry::Indicator& indicator = chemistry::IndicatorTable::at(indicatorIndex);
    const char* zone = pH < indicator.zoneLow    ? "zone acide"
                       : pH > indicator.zoneHigh ? "zone basique"
                                                 : "zone de virage";
    return std::string(nearestColourWords(chemistry::liquidColour(indicatorIndex, pH))) + " : " + zone + " " +
           ofIndicator(indicator);
}

// What the burette and the beaker of an oxidation-reduction or precipitation titration hold, and
// the colour its species give the liquid.
std::string redoxBenchWords(const BenchState& bench) {
    const ApparatusScene scene = apparatusScene(bench);
    std::string text;
    if (bench.switches.showBurette) {
        text += "Burette : solution contenant " + scene.titrant + " à " +
                field(bench, Field::TitrantConcentration).text() +
                " mol par litre ; volume versé : " + bench.readings.pouredVolume + ". ";
    } else {
        text += "Burette non affichée. ";
    }
    const std::string titrated =
        scene.beakerSolutes.empty() ? std::string() : scene.beakerSolutes.front().name;
    text += "Bécher : " + titrated + " à " + field(bench, Field::BeakerConcentration).text() +
            " mol par litre, " + field(bench, Field::BeakerVolume).text() + " mL et " +
            field(bench, Field::WaterVolume).text() + " mL d'eau distillée, ";
    if (precipitationTitration(bench)) {
        if (scene.beakerSolutes.size() > 1)
            text += scene.beakerSolutes[1].name + " à " + field(bench, Field::SecondConcentration).text() +
                    " mol par litre, ";
        text += "chromate de potassium à " + field(bench, Field::Chromate).text() + " mol par litre";
    } else {
        text += "acide sulfurique à " + field(bench, Field::SulfuricAcid).text() + " mol par litre";
    }
    text += " ; couleur " +
            std::string(nearestColourWords(scene.liquid ? *scene.liquid : chemistry::kClearLiquid)) + ".";
    return text;
}

std::string illustrationDescription(const BenchState& bench) {
    const chemistry::SolutionSpec& s = bench.solution;
    std::string text;
    if (!acidBaseTitration(bench)) {
        text = redoxBenchWords(bench);
    } else if (bench.switches.showBurette) {
        text += std::string("Burette : solution aqueuse ") +
                (s.beakerIsAcid ? "d'hydroxyde de sodium" : "d'acide chlorhydrique") + " à " +
                field(bench, Field::TitrantConcentration).text() +
                " mol par litre ; volume versé : " + bench.readings.pouredVolume + ". ";
    } else {
        text += "Burette non affichée. ";
    }
    if (acidBaseTitration(bench))
        text += "Bécher : solution " + soluteNames(bench) + ", " + field(bench, Field::BeakerVolume).text() +
                " mL et " + field(bench, Field::WaterVolume).text() + " mL d'eau distillée ; couleur " +
                liquidColourWords(s.indicatorIndex, bench.engine.pH) + ".";
    if (bench.switches.showPhMeter) {
        text += " pH-mètre : " + bench.readings.pH + ".";
    } else {
        text += " pH-mètre non affiché.";
    }
    if (bench.switches.showConductimeter && !redoxTitration(bench))
        text += " Conductimètre : " + bench.readings.conductivity + ".";
    if (electrodesShown(bench)) text += " Millivoltmètre : " + bench.readings.potential + ".";
    return text;
}

std::string graphDescription(const BenchState& bench) {
    const GraphContent& graph = bench.graph;
    if (graph.mode() == GraphMode::Distribution) {
        return "Diagramme de distribution : pourcentage de chaque forme, de 0 à 100 %, en fonction du volume "
               "versé, de 0 à 25 mL." +
               analysesWords(graph);
    }
    std::string text = graph.meter().graphWords(graph.axis());
    std::string curves;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        if (!isShown(bench, slot)) continue;
        curves += (curves.empty() ? " Courbe théorique de la situation n° " : ", de la situation n° ") +
                  std::to_string(slot + 1);
    }
    if (!curves.empty()) text += curves + ".";
    const std::vector<GraphMark> all = graph.marks();
    const auto marks = static_cast<std::size_t>(
        std::count_if(all.begin(), all.end(), [&](const GraphMark& m) { return m.meter == &graph.meter(); }));
    if (marks > 0 && bench.situations.current >= 0) {
        text += " " + std::to_string(marks) + (marks == 1 ? " mesure" : " mesures") + " de la situation n° " +
                std::to_string(bench.situations.current + 1) + ".";
    }
    text += analysesWords(graph);
    const int rows = bench.rows.count();
    text += " Les valeurs sont dans l'onglet Tableau de valeurs (" + std::to_string(rows) +
            (rows == 1 ? " ligne)." : " lignes).");
    return text;
}

std::string measurementAnnouncement(const MeasurementRows& rows) {
    if (rows.count() == 0) return {};
    const int last = rows.count() - 1;
    const chemistry::TitrationPoint& point = rows.points().back();
    std::string text = volumeText(point.volume) + " mL versés, pH " + pHText(point.pH);
    for (const Meter* meter : rows.meterColumns()) {
        if (const std::optional<double> value = rows.reading(last, *meter))
            text += ", " + std::string(meter->symbol) + " " + meter->text(*value);
    }
    return text;
}

std::string columnHeading(const MeasurementRows& rows, int column) {
    static constexpr std::array<const char*, 4> kFirst{"V₁, volume versé (mL)", "pH", "[H₃O⁺] (mol · L⁻¹)",
                                                       "[HO⁻] (mol · L⁻¹)"};
    if (column < 0 || column >= rows.cellCount()) return {};
    if (const Meter* meter = rows.meterAt(column))
        return std::string(meter->symbol) + ", " + std::string(meter->name) + " (" +
               std::string(meter->unit) + ")";
    if (column < 4) return kFirst[static_cast<std::size_t>(column)];
    const std::vector<std::string>& forms = rows.formNames();
    const auto form = static_cast<std::size_t>(column - 4);
    if (form < forms.size()) return "[" + forms[form] + "] (mol · L⁻¹)";
    return column == 4 ? "[acide] (mol · L⁻¹)" : "[base] (mol · L⁻¹)";
}

std::string titrationEndAnnouncement(const BenchState& bench) {
    std::string text = "Titrage terminé : " + bench.readings.pouredVolume + " versés";
    if (bench.switches.showPhMeter) text += ", pH " + bench.readings.pH;
    if (bench.switches.showConductimeter) text += ", σ " + bench.readings.conductivity;
    return text + ". La courbe théorique est tracée.";
}

}  // namespace state
