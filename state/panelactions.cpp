#include "state/panelactions.h"

#include <cmath>
#include <random>

#include "chemistry/indicators.h"
#include "numbers/picture.h"
#include "state/amountgraph.h"
#include "state/change.h"

namespace state {

namespace {

constexpr const char* kVolumeCorrected = "Volume corrigé";
constexpr const char* kFreeDiproticPKa1 = "4,0";
constexpr const char* kFreeDiproticPKa2 = "9,0";

bool isVolume(Field which) {
    return which == Field::BeakerVolume || which == Field::WaterVolume || which == Field::PouredVolume;
}

void revealConcentration(Change& c) {
    setConcentrationMasked(c, false);
    c.bench.switches.maskEnabled = true;
    c.result.add(Changed::Controls);
}

void drawRandomConcentration(Change& c) {
    BenchState& b = c.bench;
    setConcentrationMasked(c, true);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const double r = uniform(b.random);
    const double concentration = std::floor(r * 999 + 1) / 10000;
    setField(c, Field::BeakerConcentration, numbers::formatPicture(concentration, "0.0#######"));
    validateField(c, Field::BeakerConcentration);
    // The second solute's concentration is hidden and drawn with the first's.
    if (b.solution.secondSpeciesIndex >= 0) {
        const double second = std::floor(uniform(b.random) * 999 + 1) / 10000;
        setField(c, Field::SecondConcentration, numbers::formatPicture(second, "0.0#######"));
        validateField(c, Field::SecondConcentration);
    }
    b.switches.maskEnabled = false;
    c.result.add(Changed::Controls);
}

void showApparatusPart(Change& c, ApparatusPart part, bool shown) {
    BenchState& b = c.bench;
    if (part == ApparatusPart::Burette) b.switches.showBurette = shown;
    if (part == ApparatusPart::PhMeter) b.switches.showPhMeter = shown;
    // The tap disappears with the burette: the pouring ends as when the tap is released.
    if (part == ApparatusPart::Burette && !shown) {
        endDrop(c);
        if (b.burette.pouring || b.burette.tapOpen) releaseTap(c);
    }
    drawBackground(c);
    drawLiquidLevels(c);
    updateReadings(c);
    c.result.add(Changed::Controls);
}

// The situation shown again, for a display switch that changes how it is drawn.
void showCurrentAgain(Change& c) {
    c.result.add(Changed::Controls);
    if (c.bench.situations.current >= 0) switchSituation(c, c.bench.situations.current);
}

}  // namespace

void validateField(Change& c, Field which) {
    BenchState& b = c.bench;
    const Field other = which == Field::BeakerVolume ? Field::WaterVolume : Field::BeakerVolume;
    const chemistry::ValidatedField validated =
        chemistry::validateField(which, field(b, which).text(), fieldValue(b, other));
    if (validated.notice != chemistry::VolumeNotice::None)
        c.result.inform(MessageIcon::Information, chemistry::noticeText(validated.notice), kVolumeCorrected);
    setField(c, which, validated.text);
    if (isVolume(which)) drawLiquidLevels(c);
    if (which == Field::PouredVolume) {
        const std::string kept = field(b, Field::PouredVolume).text();
        restartDisplay(c);
        // The pH-meter follows the pouring by tenths up to the last tenth not above the volume.
        // Counting whole tenths keeps 0,3 mL from stopping at 0,2 through the rounding of a
        // running sum; the volume is at most 25 mL.
        const long tenths = static_cast<long>(std::floor(validated.value * 10 + 1e-9));
        for (long k = 1; k <= tenths; ++k) {
            setPouredVolumeText(c, numbers::formatPicture(static_cast<double>(k) / 10.0, "#0.0"));
            updateReadings(c);
        }
        setPouredVolumeText(c, kept);
    } else {
        restartDisplay(c);
    }
    drawLiquidLevels(c);
    c.result.add(Changed::Controls);
    c.result.add(Changed::Readings);
}

void setConcentrationMasked(Change& c, bool masked) {
    BenchState& b = c.bench;
    b.switches.concentrationMasked = masked;
    // The history and the printed report read the records: the shown situation's follows the box
    // at once, so that they hide the concentration as the panel does, and show it once revealed.
    if (b.situations.current >= 0)
        b.situations.records[static_cast<std::size_t>(b.situations.current)].concentrationMasked = masked;
    if (masked) {
        validateField(c, Field::BeakerConcentration);
        if (b.solution.secondSpeciesIndex >= 0) validateField(c, Field::SecondConcentration);
    }
    c.result.add(Changed::Controls);
    c.result.add(Changed::History);
    // n = f(V) reads the concentration at 0 mL: it is drawn again with the mask.
    if (amountGraphShown(b) && b.situations.current >= 0 && !b.burette.pouring)
        switchSituation(c, b.situations.current);
}

ActionResult setFieldText(BenchState& bench, Field which, std::string text) {
    return act(bench, [&](Change& c) {
        if (!c.bench.controls.fieldsLocked) setField(c, which, std::move(text));
    });
}

ActionResult validateField(BenchState& bench, Field which) {
    return act(bench, [which](Change& c) { validateField(c, which); });
}

ActionResult clickField(BenchState& bench, Field) {
    return act(bench, [](Change& c) { restartDisplay(c); });
}

ActionResult chooseNature(BenchState& bench, bool beakerIsAcid) {
    return act(bench, [beakerIsAcid](Change& c) {
        c.bench.solution.beakerIsAcid = beakerIsAcid;
        resetToZero(c);
        stopPouring(c);
        drawBackground(c);
        refillSoluteList(c);
        restartDisplay(c);
        updateReadings(c);
    });
}

ActionResult chooseSolute(BenchState& bench, int position) {
    return act(bench, [position](Change& c) {
        BenchState& b = c.bench;
        if (!chemistry::SpeciesCatalogue::isKnown(b.solution.beakerIsAcid, position)) return;
        // The free two-pKa solute starts from its own two pKa.
        if (chemistry::SpeciesCatalogue::isFreeDiprotic(b.solution.beakerIsAcid, position) &&
            position != b.solution.speciesIndex) {
            setField(c, Field::OtherPKa, kFreeDiproticPKa1);
            setField(c, Field::SecondPKa, kFreeDiproticPKa2);
        }
        b.solution.speciesIndex = position;
        resetToZero(c);
        b.controls.distributionEnabled =
            !chemistry::SpeciesCatalogue::isStrong(b.solution.beakerIsAcid, position);
        restartDisplay(c);
        updateReadings(c);
        drawLiquidLevels(c);
        c.result.add(Changed::Controls);
    });
}

ActionResult chooseSecondSolute(BenchState& bench, int speciesIndex) {
    return act(bench, [speciesIndex](Change& c) {
        BenchState& b = c.bench;
        const bool none = speciesIndex == -1;
        if (!none && (!chemistry::SpeciesCatalogue::isKnown(b.solution.beakerIsAcid, speciesIndex) ||
                      chemistry::SpeciesCatalogue::isFree(b.solution.beakerIsAcid, speciesIndex)))
            return;
        b.solution.secondSpeciesIndex = speciesIndex;
        // A hidden concentration hides the second one as soon as there is one.
        if (!none && b.switches.concentrationMasked) validateField(c, Field::SecondConcentration);
        resetToZero(c);
        restartDisplay(c);
        updateReadings(c);
        drawLiquidLevels(c);
        c.result.add(Changed::Controls);
    });
}

ActionResult chooseIndicator(BenchState& bench, int position) {
    return act(bench, [position](Change& c) {
        if (position < 0 || position >= chemistry::IndicatorTable::kCount) return;
        c.bench.solution.indicatorIndex = position;
        if (c.bench.situations.current != -1) resetToZero(c);
        drawLiquidLevels(c);
        c.result.add(Changed::Controls);
    });
}

ActionResult setConcentrationMasked(BenchState& bench, bool masked) {
    return act(bench, [masked](Change& c) { setConcentrationMasked(c, masked); });
}

ActionResult revealConcentration(BenchState& bench) {
    return act(bench, [](Change& c) { revealConcentration(c); });
}

ActionResult drawRandomConcentration(BenchState& bench) {
    return act(bench, [](Change& c) { drawRandomConcentration(c); });
}

ActionResult showApparatusPart(BenchState& bench, ApparatusPart part, bool shown) {
    return act(bench, [part, shown](Change& c) { showApparatusPart(c, part, shown); });
}

ActionResult setSuperposeCurves(BenchState& bench, bool superpose) {
    return act(bench, [superpose](Change& c) {
        c.bench.switches.superposeCurves = superpose;
        showCurrentAgain(c);
    });
}

ActionResult setBoldStrokes(BenchState& bench, bool bold) {
    return act(bench, [bold](Change& c) {
        c.bench.switches.boldStrokes = bold;
        showCurrentAgain(c);
    });
}

namespace {

// The look changes: the illustration and the situation shown are drawn again.
void drawAgain(Change& c) {
    drawBackground(c);
    drawLiquidLevels(c);
    showCurrentAgain(c);
}

}  // namespace

ActionResult setHighContrast(BenchState& bench, bool highContrast) {
    return act(bench, [highContrast](Change& c) {
        c.bench.switches.highContrast = highContrast;
        drawAgain(c);
    });
}

ActionResult setThemeHighContrast(BenchState& bench, bool highContrast) {
    return act(bench, [highContrast](Change& c) {
        if (c.bench.switches.themeHighContrast == highContrast) return;
        c.bench.switches.themeHighContrast = highContrast;
        drawAgain(c);
    });
}

ActionResult setMeasuringStep(BenchState& bench, int tenths) {
    return act(bench, [tenths](Change& c) {
        if (tenths < 1 || tenths > 10) return;
        c.bench.stepTenths = tenths;
        c.result.add(Changed::Step);
    });
}

}  // namespace state
