#include "chemistry/fieldvalidation.h"

#include <algorithm>
#include <cmath>

#include "chemistry/catalogue.h"
#include "chemistry/indicators.h"
#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "chemistry/titration.h"
#include "numbers/decimalreader.h"
#include "numbers/picture.h"

namespace chemistry {

namespace {

constexpr double kMinConcentration = 1e-8;  // mol · L-1
constexpr double kMaxConcentration = 0.1;   // mol · L-1
// Beyond a few mol · L-1 the medium is no longer the dilute solution the activities assume.
constexpr double kMaxSulfuricAcid = 5;  // mol · L-1
constexpr double kMaxPKa = 14;
constexpr double kPKaAboveMaximum = 13.9;
constexpr double kMinBeakerTotal = 20;  // mL: the probe must be immersed
constexpr double kMaxBeakerTotal = 200;
constexpr double kMinBeakerVolume = 1;

}  // namespace

const char* noticeText(VolumeNotice notice) {
    switch (notice) {
        case VolumeNotice::BelowMinimum:
            return "Le volume minimum pour que la sonde soit immergée est de 20 mL.";
        case VolumeNotice::AboveMaximum:
            return "Le volume maximal est de 200 mL.";
        case VolumeNotice::AboveCapacity:
            return "La contenance de la burette est de 25 mL.";
        case VolumeNotice::None:
            break;
    }
    return "";
}

ValidatedField validateField(PanelField field, std::string_view text, double otherVolume) {
    const auto typed = numbers::readTypedNumber(text);
    ValidatedField result;
    double v = std::max(typed.value_or(0.0), 0.0);
    switch (field) {
        case PanelField::BeakerConcentration:
        case PanelField::TitrantConcentration:
        case PanelField::SecondConcentration:
            v = std::clamp(v, kMinConcentration, kMaxConcentration);
            break;
        case PanelField::SulfuricAcid:
            v = std::min(v, kMaxSulfuricAcid);
            break;
        case PanelField::Chromate:
            v = std::min(v, kMaxConcentration);
            break;
        case PanelField::OtherPKa:
        case PanelField::SecondPKa:
            if (v > kMaxPKa) v = kPKaAboveMaximum;
            break;
        case PanelField::BeakerVolume:
        case PanelField::WaterVolume: {
            const double other = std::isfinite(otherVolume) ? std::max(otherVolume, 0.0) : 0.0;
            if (v + other < kMinBeakerTotal) {
                v = kMinBeakerTotal - other;
                result.notice = VolumeNotice::BelowMinimum;
            } else if (v + other > kMaxBeakerTotal) {
                v = kMaxBeakerTotal - other;
                result.notice = VolumeNotice::AboveMaximum;
            }
            v = std::max(v, field == PanelField::BeakerVolume ? kMinBeakerVolume : 0.0);
            break;
        }
        case PanelField::PouredVolume:
            if (v > kBuretteCapacity) {
                v = kBuretteCapacity;
                result.notice = VolumeNotice::AboveCapacity;
            }
            break;
    }
    result.outOfLimits = !typed || v != *typed;
    if (field == PanelField::BeakerConcentration || field == PanelField::TitrantConcentration ||
        field == PanelField::OtherPKa || field == PanelField::SecondPKa ||
        field == PanelField::SecondConcentration || field == PanelField::SulfuricAcid ||
        field == PanelField::Chromate) {
        // Three significant digits, shown with the decimals grouped by three.
        v = numbers::readTypedNumberOr(numbers::formatPicture(v, "0.00E+00"), v);
        result.text = numbers::formatPicture(v, "###0.0## ### ### ###");
    } else {
        result.text = numbers::formatPicture(v, "###0.0#");
    }
    result.value = v;
    return result;
}

bool correctSituation(Situation& s) {
    bool corrected = false;
    const auto check = [&corrected](PanelField field, std::string& text, double otherVolume) {
        ValidatedField validated = validateField(field, text, otherVolume);
        if (!validated.outOfLimits) return validated.value;
        text = std::move(validated.text);
        corrected = true;
        return validated.value;
    };
    check(PanelField::OtherPKa, s.otherPKaText, 0);
    check(PanelField::SecondPKa, s.secondPKaText, 0);
    check(PanelField::SecondConcentration, s.secondConcentrationText, 0);
    check(PanelField::TitrantConcentration, s.titrantConcentrationText, 0);
    check(PanelField::PouredVolume, s.pouredVolumeText, 0);
    check(PanelField::BeakerConcentration, s.beakerConcentrationText, 0);
    // As the panel checks one volume against the other, the beaker's first.
    const double beaker =
        check(PanelField::BeakerVolume, s.beakerVolumeText, numbers::readTypedNumberOr(s.waterVolumeText, 0));
    check(PanelField::WaterVolume, s.waterVolumeText, beaker);
    check(PanelField::SulfuricAcid, s.sulfuricAcidText, 0);
    check(PanelField::Chromate, s.chromateText, 0);
    const auto withinList = [&corrected](std::int16_t& index, int count) {
        if (index >= 0 && index < count) return;
        index = 0;
        corrected = true;
    };
    if (s.speciesIndex == -1) withinList(s.speciesIndex, 1);
    withinList(s.indicatorIndex, IndicatorTable::kCount);
    withinList(s.redoxIndicator, static_cast<int>(redoxIndicators().size()));
    if (s.redoxReference < -1 || s.redoxReference >= static_cast<int>(referenceElectrodes().size())) {
        s.redoxReference = -1;
        corrected = true;
    }
    withinList(s.precipitationSalt, static_cast<int>(precipitationSalts().size()));
    withinList(s.precipitationTitrant, static_cast<int>(precipitationTitrants().size()));
    if (s.precipitationSecondSalt != -1 &&
        !secondSaltAllowed(s.precipitationSalt, s.precipitationSecondSalt)) {
        s.precipitationSecondSalt = -1;
        corrected = true;
    }
    if (s.precipitationReference < -1 ||
        s.precipitationReference >= static_cast<int>(referenceElectrodes().size())) {
        s.precipitationReference = -1;
        corrected = true;
    }
    return corrected;
}

bool knowsItsSolutes(const Situation& s) {
    const auto known = [&s](int index) {
        return SpeciesCatalogue::isKnown(s.beakerIsAcid, index) &&
               !SpeciesCatalogue::isFree(s.beakerIsAcid, index);
    };
    if (s.kind == TitrationKind::Redox && !titrationHappens(s.redoxBeakerSpecies, s.redoxTitrantSpecies))
        return false;
    if (s.kind == TitrationKind::Precipitation &&
        (!precipitationHappens(s.precipitationSalt, s.precipitationTitrant) ||
         (s.precipitationSecondSalt != -1 &&
          !secondSaltAllowed(s.precipitationSalt, s.precipitationSecondSalt))))
        return false;
    const bool first = s.speciesIndex == -1 || SpeciesCatalogue::isKnown(s.beakerIsAcid, s.speciesIndex);
    return first && (s.secondSpeciesIndex == -1 || known(s.secondSpeciesIndex));
}

}  // namespace chemistry
