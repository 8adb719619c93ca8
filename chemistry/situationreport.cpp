#include "chemistry/situationreport.h"

#include "chemistry/catalogue.h"
#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "numbers/decimalreader.h"

namespace chemistry {

std::string titrantName(bool beakerIsAcid) {
    return beakerIsAcid ? "hydroxyde de sodium" : "acide chlorhydrique";
}

std::vector<SituationReport> completedSituationReports(
    const std::array<Situation, kSituationCount>& situations, const SpeciesCatalogue& catalogue) {
    std::vector<SituationReport> reports;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        const Situation& s = situations[static_cast<std::size_t>(slot)];
        if (!s.completed) continue;
        SituationReport report;
        report.slot = slot;
        report.beakerVolume = s.beakerVolumeText;
        report.speciesName = catalogue.speciesName(s.beakerIsAcid, s.speciesIndex);
        report.concentrationHidden = s.concentrationMasked;
        if (!s.concentrationMasked) report.beakerConcentration = s.beakerConcentrationText;
        if (s.secondSpeciesIndex >= 0) {
            report.secondSpeciesName = catalogue.speciesName(s.beakerIsAcid, s.secondSpeciesIndex);
            if (!s.concentrationMasked) report.secondConcentration = s.secondConcentrationText;
        }
        // The water is mentioned only when some was added.
        if (numbers::readTypedNumberOr(s.waterVolumeText, 0.0) != 0.0) report.waterVolume = s.waterVolumeText;
        report.titrantName = titrantName(s.beakerIsAcid);
        // An oxidation-reduction titration names its species as its lists do.
        const auto redox = redoxSpecies();
        const auto named = [&redox](int index) {
            return index >= 0 && index < static_cast<int>(redox.size())
                       ? std::string(redox[static_cast<std::size_t>(index)].name)
                       : std::string();
        };
        if (s.kind == TitrationKind::Redox) {
            report.speciesName = named(s.redoxBeakerSpecies);
            report.titrantName = named(s.redoxTitrantSpecies);
        }
        if (s.kind == TitrationKind::Precipitation) {
            const auto salts = precipitationSalts();
            const auto titrants = precipitationTitrants();
            const auto inList = [](int index, std::size_t size) {
                return index >= 0 && static_cast<std::size_t>(index) < size;
            };
            report.speciesName = inList(s.precipitationSalt, salts.size())
                                     ? std::string(salts[static_cast<std::size_t>(s.precipitationSalt)].name)
                                     : std::string();
            report.titrantName =
                inList(s.precipitationTitrant, titrants.size())
                    ? std::string(titrants[static_cast<std::size_t>(s.precipitationTitrant)].name)
                    : std::string();
            report.secondSpeciesName.clear();
            report.secondConcentration.clear();
            if (inList(s.precipitationSecondSalt, salts.size())) {
                report.secondSpeciesName =
                    std::string(salts[static_cast<std::size_t>(s.precipitationSecondSalt)].name);
                if (!s.concentrationMasked) report.secondConcentration = s.secondConcentrationText;
            }
        }
        report.titrantConcentration = s.titrantConcentrationText;
        reports.push_back(std::move(report));
    }
    return reports;
}

}  // namespace chemistry
