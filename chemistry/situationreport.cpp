#include "chemistry/situationreport.h"

#include "chemistry/catalogue.h"
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
        report.titrantConcentration = s.titrantConcentrationText;
        reports.push_back(std::move(report));
    }
    return reports;
}

}  // namespace chemistry
