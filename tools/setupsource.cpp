#include "tools/setupsource.h"

#include <algorithm>
#include <string>
#include <vector>

#include "chemistry/catalogue.h"
#include "chemistry/indicators.h"
#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "chemistry/titration.h"
#include "numbers/decimalreader.h"
#include "numbers/picture.h"
#include "state/conductimetrycodec.h"
#include "state/glasswaretext.h"
#include "state/redoxcodec.h"
#include "state/secondsolutecodec.h"

namespace tools {

namespace {

using chemistry::Situation;

std::optional<bool> yesNo(std::string_view word) {
    if (word == "oui") return true;
    if (word == "non") return false;
    return std::nullopt;
}

// One line's reading, which reports its first fault.
class LineReader {
  public:
    explicit LineReader(std::string& error) : m_error(error) {}

    bool failed() const { return !m_error.empty(); }

    // A number with the decimal comma, within the bounds the panel keeps it to.
    std::optional<double> number(std::string_view key, std::string_view text, double low, double high) {
        if (text.find('.') != std::string_view::npos)
            return fail(std::string(key) + ": write the decimal comma");
        const auto value = numbers::readTypedNumber(text);
        if (!value) return fail(std::string(key) + ": \"" + std::string(text) + "\" is not a number");
        if (*value < low || *value > high) {
            return fail(std::string(key) + " = " + std::string(text) + " is outside " +
                        numbers::formatPicture(low, "0.0#######") + " to " +
                        numbers::formatPicture(high, "###0.0#"));
        }
        return value;
    }

    std::optional<bool> flag(std::string_view key, std::string_view text) {
        const auto value = yesNo(text);
        if (!value) return fail(std::string(key) + " is oui or non");
        return value;
    }

    std::nullopt_t fail(std::string message) {
        if (m_error.empty()) m_error = std::move(message);
        return std::nullopt;
    }

  private:
    std::string& m_error;
};

using chemistry::SpeciesCatalogue;

// The list index of a solute named as the catalogue names it in the list of that nature.
std::optional<std::int16_t> findInList(std::string_view name, bool acid) {
    const SpeciesCatalogue catalogue;
    for (int index = 0; index < SpeciesCatalogue::count(acid); ++index) {
        if (catalogue.speciesName(acid, index) == name) return static_cast<std::int16_t>(index);
    }
    return std::nullopt;
}

// The nature and list index of the first solute; the free two-pKa solute starts from its own
// two pKa, as the panel gives them.
bool findSolute(std::string_view name, Situation& situation) {
    for (const bool acid : {true, false}) {
        if (const auto index = findInList(name, acid)) {
            situation.beakerIsAcid = acid;
            situation.speciesIndex = *index;
            if (SpeciesCatalogue::isFreeDiprotic(acid, *index)) {
                situation.otherPKaText = "4,0";
                situation.secondPKaText = "9,0";
            }
            return true;
        }
    }
    return false;
}

// The second solute: of the first one's nature, and not a free one, as the panel's list offers.
void readSecondSolute(std::string_view name, Situation& s, LineReader& in) {
    const auto index = findInList(name, s.beakerIsAcid);
    if (!index)
        in.fail("\"" + std::string(name) + "\" is not " + (s.beakerIsAcid ? "an acid" : "a base") +
                " of the catalogue: the second solute is of the first one's nature");
    else if (SpeciesCatalogue::isFree(s.beakerIsAcid, *index))
        in.fail("the second solute is not a free one");
    else
        s.secondSpeciesIndex = *index;
}

// An indicator by its label, with or without its turning zone ("Phénolphtaléine").
std::optional<std::int16_t> findIndicator(std::string_view name) {
    for (int index = 0; index < chemistry::IndicatorTable::kCount; ++index) {
        const std::string_view label = chemistry::IndicatorTable::at(index).label;
        if (label == name || label.substr(0, label.find(" (")) == name)
            return static_cast<std::int16_t>(index);
    }
    return std::nullopt;
}

// Volumes as the panel writes them once validated.
std::string volumeText(double mL) {
    return numbers::formatPicture(mL, "###0.0#");
}

void readField(std::string_view key, std::string_view value, Situation& s, LineReader& in) {
    if (key == "c" || key == "cb" || key == "c2") {
        if (in.number(key, value, 1e-8, 0.1)) {
            (key == "c"    ? s.beakerConcentrationText
             : key == "c2" ? s.secondConcentrationText
                           : s.titrantConcentrationText) = value;
        }
    } else if (key == "soluté2") {
        readSecondSolute(value, s, in);
    } else if (key == "V") {
        if (const auto v = in.number(key, value, 1, 200)) s.beakerVolumeText = volumeText(*v);
    } else if (key == "eau") {
        if (const auto v = in.number(key, value, 0, 199)) s.waterVolumeText = volumeText(*v);
    } else if (key == "versé") {
        if (const auto v = in.number(key, value, 0, chemistry::kBuretteCapacity))
            s.pouredVolumeText = volumeText(*v);
    } else if (key == "pKa") {
        if (!SpeciesCatalogue::isFree(s.beakerIsAcid, s.speciesIndex))
            in.fail("pKa is given only for a free solute (\"autre acide\", \"autre diacide\"...)");
        else if (in.number(key, value, 0, 13.9))
            s.otherPKaText = value;
    } else if (key == "pKa2") {
        if (!SpeciesCatalogue::isFreeDiprotic(s.beakerIsAcid, s.speciesIndex))
            in.fail("pKa2 is given only for \"autre diacide\" or \"autre dibase\"");
        else if (in.number(key, value, 0, 13.9))
            s.secondPKaText = value;
    } else if (key == "indicateur") {
        if (const auto index = findIndicator(value))
            s.indicatorIndex = *index;
        else
            in.fail("unknown indicator \"" + std::string(value) + "\"");
    } else if (key == "masquée") {
        if (const auto v = in.flag(key, value)) s.concentrationMasked = *v;
    } else if (key == "burette") {
        if (const auto v = in.flag(key, value)) s.showBurette = *v;
    } else if (key == "pH-mètre") {
        if (const auto v = in.flag(key, value)) s.showPhMeter = *v;
    } else {
        in.fail("unknown setting \"" + std::string(key) +
                "\" (c, V, eau, cb, versé, pKa, pKa2, soluté2, c2, indicateur, masquée, burette, "
                "pH-mètre)");
    }
}

// An entry of a redox list by its name, as the panel's list shows it.
template <typename Entry>
std::optional<std::int16_t> findRedoxEntry(std::span<const Entry> list, std::string_view name) {
    for (std::size_t index = 0; index < list.size(); ++index) {
        if (list[index].name == name) return static_cast<std::int16_t>(index);
    }
    return std::nullopt;
}

// The names of a redox list, for a message: "a", "b", "c".
template <typename Entry>
std::string namesOf(std::span<const Entry> list) {
    std::string names;
    for (const Entry& entry : list) names += (names.empty() ? "\"" : ", \"") + std::string(entry.name) + "\"";
    return names;
}

// What follows the titration: the colour alone, or the platinum electrode against a reference.
std::optional<std::int16_t> findFollowUp(std::string_view word) {
    if (word == "couleur") return -1;
    if (word == "calomel") return 0;
    if (word == "Ag/AgCl") return 1;
    return std::nullopt;
}

// A setting of an oxidation-reduction situation; the volumes and concentrations read as for an
// acid-base one.
void readRedoxField(std::string_view key, std::string_view value, Situation& s, LineReader& in) {
    if (key == "titrant") {
        if (const auto index = findRedoxEntry(chemistry::redoxSpecies(), value))
            s.redoxTitrantSpecies = *index;
        else
            in.fail("unknown titrant \"" + std::string(value) + "\" (" + namesOf(chemistry::redoxSpecies()) +
                    ")");
    } else if (key == "acide") {
        if (const auto v = in.number(key, value, 0, 5))
            s.sulfuricAcidText = numbers::formatPicture(*v, "###0.0## ### ### ###");
    } else if (key == "indicateur") {
        if (const auto index = findRedoxEntry(chemistry::redoxIndicators(), value))
            s.redoxIndicator = *index;
        else
            in.fail("unknown redox indicator \"" + std::string(value) + "\" (" +
                    namesOf(chemistry::redoxIndicators()) + ")");
    } else if (key == "suivi") {
        if (const auto reference = findFollowUp(value))
            s.redoxReference = *reference;
        else
            in.fail("the follow-up is \"suivi = couleur\", \"suivi = calomel\" or \"suivi = Ag/AgCl\"");
    } else if (key == "pKa" || key == "pKa2" || key == "soluté2" || key == "c2") {
        in.fail(std::string(key) + " is not a setting of an oxidation-reduction titration");
    } else if (key == "c" || key == "cb" || key == "V" || key == "eau" || key == "versé" ||
               key == "masquée" || key == "burette" || key == "pH-mètre") {
        readField(key, value, s, in);
    } else {
        in.fail("unknown setting \"" + std::string(key) +
                "\" (c, V, eau, cb, versé, titrant, acide, indicateur, suivi, masquée, burette, pH-mètre)");
    }
}

// The titrant the panel takes with the beaker's species unless one is named, and the checks the
// bench would otherwise answer with a message on its hint line.
void checkRedoxTitration(bool titrantNamed, Situation& s, LineReader& in) {
    const auto titrants = chemistry::titrantsFor(s.redoxBeakerSpecies);
    if (!titrantNamed && !titrants.empty() &&
        !chemistry::titrationHappens(s.redoxBeakerSpecies, s.redoxTitrantSpecies))
        s.redoxTitrantSpecies = static_cast<std::int16_t>(titrants.front());
    const auto species = chemistry::redoxSpecies();
    if (!chemistry::titrationHappens(s.redoxBeakerSpecies, s.redoxTitrantSpecies)) {
        std::string allowed;
        for (const int t : titrants)
            allowed += (allowed.empty() ? "\"" : ", \"") + std::string(species[t].name) + "\"";
        in.fail("\"" + std::string(species[s.redoxTitrantSpecies].name) + "\" does not titrate \"" +
                std::string(species[s.redoxBeakerSpecies].name) + "\"; its titrants are " + allowed);
        return;
    }
    const auto setUp = chemistry::redoxSetUp(chemistry::specOf(s));
    const std::string problem = setUp ? chemistry::redoxProblem(*setUp) : "the set-up cannot be solved";
    if (!problem.empty()) in.fail(problem);
}

// A setting of a precipitation situation; the volumes and concentrations read as for an
// acid-base one, c2 being the second salt's.
void readPrecipitationField(std::string_view key, std::string_view value, Situation& s, LineReader& in) {
    if (key == "titrant") {
        if (const auto index = findRedoxEntry(chemistry::precipitationTitrants(), value))
            s.precipitationTitrant = *index;
        else
            in.fail("unknown titrant \"" + std::string(value) + "\" (" +
                    namesOf(chemistry::precipitationTitrants()) + ")");
    } else if (key == "sel2") {
        const auto index = findRedoxEntry(chemistry::precipitationSalts(), value);
        if (!index)
            in.fail("unknown salt \"" + std::string(value) + "\" (" +
                    namesOf(chemistry::precipitationSalts()) + ")");
        else if (!chemistry::secondSaltAllowed(s.precipitationSalt, *index))
            in.fail("the second salt is a halide beside a halide, not the first one again");
        else
            s.precipitationSecondSalt = *index;
    } else if (key == "chromate") {
        if (in.number(key, value, 0, 0.1)) s.chromateText = value;
    } else if (key == "suivi") {
        // The silver electrode against a reference; "argent" against the saturated calomel one.
        const auto reference = value == "argent" ? std::optional<std::int16_t>(0) : findFollowUp(value);
        if (reference)
            s.precipitationReference = *reference;
        else
            in.fail(
                "the follow-up is \"suivi = couleur\", \"suivi = argent\" (against the calomel "
                "electrode), \"suivi = calomel\" or \"suivi = Ag/AgCl\"");
    } else if (key == "c" || key == "cb" || key == "c2" || key == "V" || key == "eau" || key == "versé" ||
               key == "masquée" || key == "burette" || key == "pH-mètre") {
        readField(key, value, s, in);
    } else {
        in.fail("unknown setting \"" + std::string(key) +
                "\" (c, V, eau, cb, versé, titrant, sel2, c2, chromate, suivi, masquée, burette, pH-mètre)");
    }
}

// The burette's salt the panel takes unless one is named: the first that precipitates the beaker's
// anion; and the checks the bench would otherwise answer on its hint line.
void checkPrecipitationTitration(bool titrantNamed, Situation& s, LineReader& in) {
    const auto titrants = chemistry::precipitationTitrants();
    const int count = static_cast<int>(titrants.size());
    for (int t = 0; !titrantNamed && t < count; ++t) {
        if (chemistry::precipitationHappens(s.precipitationSalt, t)) {
            s.precipitationTitrant = static_cast<std::int16_t>(t);
            break;
        }
    }
    const auto salts = chemistry::precipitationSalts();
    if (!chemistry::precipitationHappens(s.precipitationSalt, s.precipitationTitrant)) {
        in.fail("\"" + std::string(titrants[static_cast<std::size_t>(s.precipitationTitrant)].name) +
                "\" does not precipitate \"" +
                std::string(salts[static_cast<std::size_t>(s.precipitationSalt)].name) + "\"");
        return;
    }
    const auto setUp = chemistry::precipitationSetUp(chemistry::specOf(s));
    if (!setUp) {
        in.fail("the precipitation set-up cannot be solved");
        return;
    }
    if (s.precipitationReference >= 0 && !chemistry::silverTitrant(*setUp))
        in.fail("the silver electrode follows a titration by silver nitrate only");
}

// "situation n : solute ; key = value ; ..."
void readSituation(std::string_view line, configuration::ConfigurationFile& file, std::vector<bool>& seen,
                   LineReader& in) {
    const auto colon = line.find(':');
    const auto number = colon == std::string_view::npos
                            ? std::nullopt
                            : numbers::readTypedNumber(trimBlanks(line.substr(9, colon - 9)));
    if (!number || *number < 1 || *number > 10 || *number != static_cast<int>(*number)) {
        in.fail("a situation line reads \"situation <1 to 10> : <solute> ; ...\"");
        return;
    }
    const auto slot = static_cast<std::size_t>(*number - 1);
    if (seen[slot]) {
        in.fail("situation " + std::to_string(slot + 1) + " is described twice");
        return;
    }
    seen[slot] = true;
    Situation s = chemistry::defaultSituation();
    const auto fields = splitTrimmed(line.substr(colon + 1), ';');
    if (const auto redox = findRedoxEntry(chemistry::redoxSpecies(), fields[0])) {
        s.kind = chemistry::TitrationKind::Redox;
        s.redoxBeakerSpecies = *redox;
    } else if (const auto salt = findRedoxEntry(chemistry::precipitationSalts(), fields[0])) {
        s.kind = chemistry::TitrationKind::Precipitation;
        s.precipitationSalt = *salt;
    } else if (!findSolute(fields[0], s)) {
        in.fail("unknown solute \"" + std::string(fields[0]) + "\"");
        return;
    }
    const bool redox = s.kind == chemistry::TitrationKind::Redox;
    const bool precipitation = s.kind == chemistry::TitrationKind::Precipitation;
    bool titrantNamed = false;
    for (std::size_t i = 1; i < fields.size() && !in.failed(); ++i) {
        if (fields[i].empty()) continue;  // a line may end with ";"
        const auto pair = splitTrimmed(fields[i], '=');
        if (pair.size() != 2) {
            in.fail("a setting reads <name> = <value>, not \"" + std::string(fields[i]) + "\"");
            return;
        }
        titrantNamed = titrantNamed || pair[0] == "titrant";
        if (redox) {
            readRedoxField(pair[0], pair[1], s, in);
        } else if (precipitation) {
            readPrecipitationField(pair[0], pair[1], s, in);
        } else {
            readField(pair[0], pair[1], s, in);
        }
    }
    if (redox && !in.failed()) checkRedoxTitration(titrantNamed, s, in);
    if (precipitation && !in.failed()) checkPrecipitationTitration(titrantNamed, s, in);
    const double total =
        numbers::readTypedNumberOr(s.beakerVolumeText, 0) + numbers::readTypedNumberOr(s.waterVolumeText, 0);
    if (total < 20 || total > 200) in.fail("V + eau must make 20 to 200 mL, for the probe to be immersed");
    s.completed =
        s.showPhMeter && numbers::readTypedNumberOr(s.pouredVolumeText, 0) >= chemistry::kBuretteCapacity;
    file.situations[slot] = s;
}

}  // namespace

std::optional<configuration::ConfigurationFile> parseSetup(std::span<const SourceLine> lines,
                                                           SourceError& error) {
    // Continuation lines joined to the line they go on.
    std::vector<SourceLine> joined;
    for (const auto& line : lines) {
        if (trimBlanks(line.text).empty()) continue;
        const bool continues = line.text.front() == ' ' || line.text.front() == '\t';
        if (continues && !joined.empty())
            joined.back().text += " " + std::string(trimBlanks(line.text));
        else
            joined.push_back({line.number, std::string(trimBlanks(line.text))});
    }
    configuration::ConfigurationFile file;
    std::vector<bool> seen(configuration::kSituationCount, false);
    state::ConductimetrySwitches conductimetry;
    int graphLine = 0;  // the line that chose σ = f(V), which needs the conductimeter
    for (const auto& line : joined) {
        std::string message;
        LineReader in(message);
        const std::string_view text = line.text;
        const auto pair = splitTrimmed(text, '=');
        if (text.starts_with("situation ")) {
            readSituation(text, file, seen, in);
        } else if (pair.size() > 1 && pair[0] == "verrerie") {
            // The glassware's own line holds '=' signs: everything after the first is it.
            const auto glassware = state::readGlasswareText(trimBlanks(text.substr(text.find('=') + 1)));
            if (!glassware || glassware->exact)
                in.fail("the glassware reads as the program saves it: \"verrerie = graine=7;v0=2:0,03;...\"");
            else
                file.extensions.set("verrerie", state::glasswareText(*glassware));
        } else if (pair.size() == 2 && (pair[0] == "superposer" || pair[0] == "gras")) {
            if (const auto v = in.flag(pair[0], pair[1]))
                (pair[0] == "gras" ? file.boldStrokes : file.superposeCurves) = *v;
        } else if (pair.size() == 2 && pair[0] == "conductimètre") {
            if (const auto v = in.flag(pair[0], pair[1])) conductimetry.showConductimeter = *v;
        } else if (pair.size() == 2 && pair[0] == "graphe") {
            if (pair[1] != "sigma" && pair[1] != "pH" && pair[1] != "E")
                in.fail("the graph is \"graphe = pH\", \"graphe = sigma\" or \"graphe = E\"");
            conductimetry.conductivityGraph = pair[1] == "sigma";
            conductimetry.potentialGraph = pair[1] == "E";
            graphLine = line.number;
        } else {
            in.fail(
                "a set-up line is \"superposer = oui\", \"gras = oui\", \"conductimètre = oui\", "
                "\"graphe = sigma\", \"graphe = E\", \"verrerie = ...\" or \"situation <n> : ...\"");
        }
        if (in.failed()) {
            error = {line.number, message};
            return std::nullopt;
        }
    }
    if (conductimetry.conductivityGraph && !conductimetry.showConductimeter) {
        error = {graphLine, "\"graphe = sigma\" needs \"conductimètre = oui\""};
        return std::nullopt;
    }
    // E = f(V) is drawn for a situation whose electrodes are on the bench.
    const auto followedByElectrodes = [](const chemistry::Situation& s) {
        if (s.kind == chemistry::TitrationKind::Precipitation) return s.precipitationReference >= 0;
        return s.kind == chemistry::TitrationKind::Redox && s.redoxReference >= 0;
    };
    if (conductimetry.potentialGraph &&
        std::none_of(file.situations.begin(), file.situations.end(), followedByElectrodes)) {
        error = {graphLine,
                 "\"graphe = E\" needs a situation followed by \"suivi = calomel\", \"suivi = Ag/AgCl\" or "
                 "\"suivi = argent\""};
        return std::nullopt;
    }
    state::writeConductimetryEntries(conductimetry, file.extensions);
    file.concentrationMasked = file.situations[0].concentrationMasked;
    // The second solutes travel in the file's extension records, as the program saves them.
    state::writeSecondSolutes(file);
    state::writeRedoxChoices(file);
    return file;
}

}  // namespace tools
