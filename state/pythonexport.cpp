#include "state/pythonexport.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "chemistry/beakermixture.h"
#include "chemistry/catalogue.h"
#include "chemistry/mixture.h"
#include "chemistry/monoprotictitration.h"
#include "chemistry/situationreport.h"
#include "chemistry/substances.h"
#include "chemistry/titrationreaction.h"
#include "numbers/single.h"
#include "state/benchstate.h"
#include "state/labmeasurements.h"
#include "state/meters.h"
#include "state/pythontemplates.h"

namespace state {

// Named, so that the generic names of the program's parts meet no other source's in a unity batch.
namespace {
namespace pythontext {

// --- Python literals ----------------------------------------------------------------------------

// The shortest decimal that reads back as the same double, with a point or an exponent so that
// Python takes it as a float ("20.0", "0.01", "1e-14").
std::string number(double value) {
    if (!std::isfinite(value)) return "float(\"nan\")";
    std::array<char, 40> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), value);
    std::string text(digits.data(), written.ptr);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

// A value the engine keeps in single precision, written with the digits that single precision
// holds: the program's 0,01 is written 0.01, not the double nearest to the float.
std::string singleNumber(double value) {
    const float single = numbers::toSingle(value);
    if (!std::isfinite(single)) return number(value);
    std::array<char, 40> digits{};
    const auto written = std::to_chars(digits.data(), digits.data() + digits.size(), single);
    std::string text(digits.data(), written.ptr);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::string pythonString(std::string_view text) {
    std::string out = "\"";
    for (const char ch : text) {
        if (ch == '"' || ch == '\\') out += '\\';
        out += ch;
    }
    return out + "\"";
}

// A form's name, or None for a form that does not exist in water (a strong species gives it up).
std::string formLiteral(const chemistry::SpeciesData& species, const chemistry::Solute& solute,
                        bool beakerIsAcid, int form) {
    if (!chemistry::formInWater(solute, beakerIsAcid, form)) return "None";
    return pythonString(species.forms[static_cast<std::size_t>(form)]);
}

template <typename Item>
std::string listOf(int count, Item item) {
    std::string text = "[";
    for (int i = 0; i < count; ++i) text += (i > 0 ? ", " : "") + item(i);
    return text + "]";
}

// Replaces every "@KEY@" of a template by its text.
std::string filled(std::string text, std::initializer_list<std::pair<std::string_view, std::string>> keys) {
    for (const auto& [key, value] : keys) {
        const std::string marker = "@" + std::string(key) + "@";
        for (std::size_t at = text.find(marker); at != std::string::npos;
             at = text.find(marker, at + value.size())) {
            text.replace(at, marker.size(), value);
        }
    }
    return text;
}

// --- What the program is written from -----------------------------------------------------------

struct SoluteSource {
    const chemistry::SpeciesData* species = nullptr;
    std::string name;
    chemistry::Solute solute;
    std::string variable;  // "c0", "c1", "c2": its concentration's name in the program
};

struct Source {
    bool beakerIsAcid = true;
    bool monoprotic = true;
    bool masked = false;
    bool conductivity = false;
    bool distribution = true;  // the first solute has an acid and a basic form in water
    std::vector<SoluteSource> solutes;
    double beakerVolume = 0;
    double waterVolume = 0;
    double titrantConcentration = 0;
    double monoproticPKa = 7;
    double stepTenths = 5;
    std::vector<measurements::MeasuredPoint> points;
    std::vector<std::string> equations;        // the titration reactions taken as total
    std::vector<std::string> reactionSpecies;  // their reactants and products
};

std::optional<Source> sourceOf(const BenchState& bench, std::string& refusal) {
    const chemistry::SolutionSpec& solution = bench.solution;
    Source source;
    source.beakerIsAcid = solution.beakerIsAcid;
    source.monoprotic = chemistry::takesMonoprotic(solution);
    source.masked = concentrationHidden(bench, bench.situations.current);
    source.conductivity = bench.switches.showConductimeter;
    source.stepTenths = bench.stepTenths;
    source.points = currentMeasurements(bench);
    const std::optional<chemistry::Mixture> mixture = chemistry::beakerMixture(solution, catalogue());
    const auto v0 = solution.beakerVolume.value();
    const auto water = solution.waterVolume.value();
    const auto cb = solution.titrantConcentration.value();
    if (!mixture || !v0 || !water || !cb || !(*v0 > 0) || !(*water >= 0) || !(*cb > 0) ||
        bench.stepTenths < 1) {
        refusal =
            "Le programme Python ne peut pas être écrit : un paramètre de la situation n'est pas un "
            "nombre utilisable.";
        return std::nullopt;
    }
    source.beakerVolume = *v0;
    source.waterVolume = *water;
    source.titrantConcentration = *cb;
    const std::array<int, chemistry::kMaxSolutes> indices{solution.speciesIndex, solution.secondSpeciesIndex};
    for (int i = 0; i < mixture->soluteCount; ++i) {
        SoluteSource s;
        s.species = catalogue().speciesData(solution.beakerIsAcid, indices[static_cast<std::size_t>(i)]);
        if (!s.species) return std::nullopt;
        s.name = catalogue().speciesName(solution.beakerIsAcid, indices[static_cast<std::size_t>(i)]);
        s.solute = mixture->solutes[static_cast<std::size_t>(i)];
        s.variable = source.monoprotic ? "c0" : "c" + std::to_string(i + 1);
        source.solutes.push_back(std::move(s));
    }
    if (const auto reactions = chemistry::titrationReactions(solution, catalogue())) {
        for (const chemistry::ReactionStep& step : reactions->steps)
            source.equations.push_back(step.equation);
        for (const chemistry::ReactionSpecies& species : reactions->species)
            source.reactionSpecies.push_back(species.name);
    }
    const chemistry::Solute& first = source.solutes[0].solute;
    int inWater = 0;
    for (int j = 0; j <= first.pairCount; ++j)
        inWater += chemistry::formInWater(first, solution.beakerIsAcid, j) ? 1 : 0;
    source.distribution = inWater >= 2;
    if (source.monoprotic) {
        // The concentration as the panel holds it, which the single-pair solver reads.
        source.solutes[0].solute.concentration = solution.beakerConcentration.valueOr(0.0);
        source.monoproticPKa = catalogue().speciesPKa(solution.beakerIsAcid, solution.speciesIndex,
                                                      solution.otherPKa.valueOr(0.0));
    }
    return source;
}

// --- The program's parts ------------------------------------------------------------------------

std::string titrantName(const Source& s) {
    return chemistry::titrantName(s.beakerIsAcid);
}

std::string header(const Source& s) {
    std::string beaker = s.solutes[0].name;
    if (s.solutes.size() > 1) beaker += " et " + s.solutes[1].name;
    return filled(kHeaderTemplate, {{"BEAKER", beaker}, {"TITRANT", titrantName(s)}});
}

std::string concentrationLine(const Source& s, const SoluteSource& solute, const std::string& what) {
    if (s.masked) return solute.variable + " = None  # concentration inconnue : à déterminer (mol/L)\n";
    return solute.variable + " = " + singleNumber(solute.solute.concentration) + "  # concentration " + what +
           " (mol/L)\n";
}

std::string commonData(const Source& s) {
    return filled(kCommonDataTemplate, {{"V0", singleNumber(s.beakerVolume)},
                                        {"WATER", singleNumber(s.waterVolume)},
                                        {"CB", singleNumber(s.titrantConcentration)},
                                        {"TITRANT", titrantName(s)},
                                        {"STEP", number(s.stepTenths / 10.0)}});
}

std::string formsOf(const Source& s, const SoluteSource& solute) {
    return listOf(solute.solute.pairCount + 1,
                  [&](int j) { return formLiteral(*solute.species, solute.solute, s.beakerIsAcid, j); });
}

std::string monoproticData(const Source& s) {
    const SoluteSource& solute = s.solutes[0];
    const auto& forms = solute.species->forms;
    std::string text = "# ---- Les données de la situation ----\n";
    text += concentrationLine(s, solute, "de la solution introduite dans le bécher");
    text += commonData(s);
    text += "pKa = " + number(s.monoproticPKa) + "  # couple " + std::string(forms[0]) + " / " +
            std::string(forms[1]) + "\n";
    text += "formes = " + formsOf(s, solute) + "  # forme acide, forme basique\n";
    return text;
}

// A solute of the charge balance, as a dictionary; σ's values only when σ is computed.
std::string soluteDictionary(const Source& s, const SoluteSource& solute, const std::string& pKa) {
    const chemistry::Solute& data = solute.solute;
    std::string text = "{\n";
    text += "    \"c\": " + solute.variable + ",\n";
    text += "    \"pKa\": " + pKa + ",  # pKa des couples, croissants\n";
    text += "    \"formes\": " + formsOf(s, solute) + ",  # de la plus protonée à la moins protonée\n";
    text += "    \"perdus\": " + std::to_string(data.protonsLost) +
            ",  # protons perdus par la forme introduite (" +
            std::string(solute.species->forms[static_cast<std::size_t>(data.protonsLost)]) + ")\n";
    if (s.conductivity) {
        text +=
            "    \"sodium\": " + std::to_string(data.sodiumPerUnit) + ",  # ions Na⁺ apportés par le sel\n";
        text += "    \"chlorure\": " + std::to_string(data.chloridePerUnit) +
                ",  # ions Cl⁻ apportés par le sel\n";
        text += "    \"lambda\": " +
                listOf(data.pairCount + 1, [&](int j) { return number(data.formConductivity[j]); }) +
                ",  # λ° des formes (mS·m²/mol)\n";
    }
    return text + "}\n";
}

// A typed pKa is kept in single precision; the table's are written as the table has them.
std::string pKaNumber(const SoluteSource& solute, int pair) {
    const double pKa = solute.solute.pKa[static_cast<std::size_t>(pair)];
    return solute.species->freePKa ? singleNumber(pKa) : number(pKa);
}

std::string mixtureData(const Source& s) {
    std::string text = "# ---- Les données de la situation ----\n";
    text += commonData(s);
    std::string names;
    for (std::size_t i = 0; i < s.solutes.size(); ++i) {
        const SoluteSource& solute = s.solutes[i];
        const std::string index = std::to_string(i + 1);
        text += "\n# Soluté " + index + " : " + solute.name + "\n";
        text += concentrationLine(s, solute, "dans la solution introduite dans le bécher");
        const std::string pKa = listOf(solute.solute.pairCount, [&](int j) { return pKaNumber(solute, j); });
        text += "solute_" + index + " = " + soluteDictionary(s, solute, pKa);
        names += (i > 0 ? ", solute_" : "solute_") + index;
    }
    return text + "solutes = [" + names + "]\n";
}

// A list of (volume, reading) pairs: on one line when it is short, six to a line otherwise.
std::string pairList(const std::string& name, const std::vector<std::pair<double, double>>& pairs) {
    constexpr std::size_t kOneLine = 4;
    constexpr std::size_t kPerLine = 6;
    std::string text = name + " = [";
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const std::string pair = "(" + number(pairs[i].first) + ", " + number(pairs[i].second) + ")";
        if (pairs.size() <= kOneLine) {
            text += (i > 0 ? ", " : "") + pair;
        } else {
            text += (i % kPerLine == 0 ? "\n    " : " ") + pair + ",";
        }
    }
    return text + (pairs.size() > kOneLine ? "\n]\n" : "]\n");
}

std::string labPoints(const Source& s) {
    std::vector<std::pair<double, double>> pH;
    std::vector<std::pair<double, double>> sigma;
    for (const measurements::MeasuredPoint& p : s.points) {
        if (p.has(phReading().slot)) pH.emplace_back(p.volume, p.reading(phReading().slot));
        if (p.has(conductivityReading().slot))
            sigma.emplace_back(p.volume, p.reading(conductivityReading().slot));
    }
    std::string text =
        "\n# Les mesures du laboratoire : (volume versé en mL, pH)\n" + pairList("mesures", pH);
    if (s.conductivity) {
        text += "\n# Les mesures de σ au laboratoire : (volume versé en mL, σ en mS/cm)\n" +
                pairList("mesures_sigma", sigma);
    }
    return text;
}

// French quotation marks, with the no-break spaces inside them.
std::string quotedLine(const std::string& line) {
    return "\u00AB\u00A0" + line + "\u00A0\u00BB";
}

std::string maskCheck(const Source& s) {
    if (!s.masked) return {};
    std::string test;
    std::string lines;
    for (const SoluteSource& solute : s.solutes) {
        test += (test.empty() ? "" : " or ") + solute.variable + " is None";
        lines += (lines.empty() ? "" : " et ") + quotedLine(solute.variable + " = None");
    }
    const bool one = s.solutes.size() == 1;
    const std::string unknown =
        one ? "La concentration de la solution introduite dans le bécher est inconnue : "
            : "Les concentrations sont inconnues : ";
    const std::string typeIn = one ? "remplacez None par sa valeur en mol/L à la ligne "
                                   : "remplacez None par leur valeur en mol/L aux lignes ";
    // Two literals on two lines, which Python joins.
    return "\nif " + test + ":\n    sys.exit(" + pythonString(unknown) + "\n             " +
           pythonString(typeIn + lines + ".") + ")\n";
}

std::string monoproticModel(const Source& s) {
    const bool acid = s.beakerIsAcid;
    return filled(kMonoproticTemplate,
                  {{"X", acid ? "[H₃O⁺]" : "[HO⁻]"},
                   {"K", acid ? "K = Ka  # l'acide du bécher : x = [H₃O⁺]"
                              : "K = Ke / Ka  # constante de basicité Kb de la base du bécher : x = [HO⁻]"},
                   {"SOLVE", acid ? "concentration_h3o" : "concentration_ho"},
                   {"PH", acid ? "-np.log10(concentration_h3o(V))" : "14 + np.log10(concentration_ho(V))"}});
}

std::string chargeBalance(const Source& s) {
    const bool acid = s.beakerIsAcid;
    std::string text;
    if (s.monoprotic) {
        // The same solute as the charge balance takes it, for σ.
        const SoluteSource& solute = s.solutes[0];
        text += "\n\n# σ se calcule, comme dans Vireltra, avec le bilan des charges complet :\n";
        std::string dictionary = soluteDictionary(s, solute, "[pKa]");
        dictionary.pop_back();  // its line's end: the list closes on the same line
        text += "solutes = [" + dictionary + "]\n";
    }
    text += filled(
        kChargeBalanceTemplate,
        {{"STRONG", acid ? "if pKa == 0:  # acide fort : totalement dissocié\n        return 1e35"
                         : "if pKa == 14:  # base forte : totalement dissociée\n        return Ke / 1e35"},
         {"TITRANT", acid ? "+ c_titrant * V  # les ions Na⁺ apportés par la soude"
                          : "- c_titrant * V  # les ions Cl⁻ apportés par l'acide chlorhydrique"},
         {"SIGN", acid ? "+" : "−"}});
    if (!s.monoprotic) text += kMixturePhTemplate;
    return text;
}

std::string conductivity(const Source& s) {
    if (!s.conductivity) return {};
    return filled(kConductivityTemplate,
                  {{"TITRANT", s.beakerIsAcid ? "lambda_na * c_titrant * V / total  # Na⁺ de la soude"
                                              : "lambda_cl * c_titrant * V / total  # Cl⁻ de l'acide"},
                   {"H3O", number(chemistry::ionConductivity(chemistry::kHydroniumName))},
                   {"HO", number(chemistry::ionConductivity(chemistry::kHydroxideName))},
                   {"NA", number(chemistry::ionConductivity(chemistry::kSodiumName))},
                   {"CL", number(chemistry::ionConductivity(chemistry::kChlorideName))}});
}

// The reactions as a comment of the data.
std::string reactions(const Source& s) {
    if (s.equations.empty()) return {};
    std::string text = s.equations.size() == 1
                           ? "# La réaction support du titrage, totale :\n"
                           : "# Les réactions support du titrage, totales, dans l'ordre :\n";
    for (const std::string& equation : s.equations) text += "#     " + equation + "\n";
    return text;
}

std::string amounts(const Source& s) {
    // Without a total reaction, every species found in water is drawn.
    const std::string species = s.reactionSpecies.empty()
                                    ? "[nom for nom in noms_quantites if nom is not None]"
                                    : listOf(static_cast<int>(s.reactionSpecies.size()), [&](int i) {
                                          return pythonString(s.reactionSpecies[static_cast<std::size_t>(i)]);
                                      });
    return filled(s.monoprotic ? kMonoproticAmountsTemplate : kMixtureAmountsTemplate,
                  {{"SPECIES", species}});
}

std::string table(const Source& s) {
    return filled(kTableTemplate, {{"SIGMA_HEADING", s.conductivity ? "   σ (mS/cm)" : ""},
                                   {"SIGMA", s.conductivity ? "  {conductivite(V):10.4g}" : ""}});
}

std::string plots(const Source& s) {
    std::vector<std::string> graphs{"g_ph"};
    if (s.conductivity) graphs.emplace_back("g_sigma");
    graphs.emplace_back("g_n");
    if (s.distribution) graphs.emplace_back("g_distribution");
    std::string names;
    for (const std::string& g : graphs) names += (names.empty() ? "" : ", ") + g;
    const bool square = graphs.size() == 4;
    std::string text = filled(kPlotStartTemplate, {{"GRAPHS", names},
                                                   {"ROWS", square ? "2" : "1"},
                                                   {"COLUMNS", std::to_string(square ? 2 : graphs.size())},
                                                   {"SIZE", square               ? "(11, 8)"
                                                            : graphs.size() == 3 ? "(15, 4.5)"
                                                                                 : "(10, 4.5)"}});
    if (s.conductivity) text += kSigmaPlotTemplate;
    text += kAmountsPlotTemplate;
    if (s.distribution) text += kDistributionPlotTemplate;
    return text + kPlotEndTemplate;
}

}  // namespace pythontext
}  // namespace

PythonProgram pythonProgram(const BenchState& bench) {
    using namespace pythontext;
    PythonProgram program;
    if (bench.solution.kind != chemistry::TitrationKind::AcidBase) {
        program.refusal = "Le programme Python est écrit pour les titrages acido-basiques.";
        return program;
    }
    const std::optional<Source> source = sourceOf(bench, program.refusal);
    if (!source) {
        if (program.refusal.empty())
            program.refusal = "Le programme Python ne peut pas être écrit pour ce soluté.";
        return program;
    }
    const Source& s = *source;
    program.text = header(s);
    program.text += s.monoprotic ? monoproticData(s) : mixtureData(s);
    program.text += reactions(s);
    program.text += labPoints(s);
    program.text += maskCheck(s);
    if (s.monoprotic) {
        program.text += monoproticModel(s);
        if (s.conductivity) program.text += chargeBalance(s);
    } else {
        program.text += chargeBalance(s);
    }
    program.text += conductivity(s);
    program.text += amounts(s);
    program.text += table(s);
    program.text += plots(s);
    return program;
}

}  // namespace state
