#include "state/buretteactions.h"

#include <cmath>

#include "numbers/decimalreader.h"
#include "numbers/picture.h"
#include "numbers/single.h"
#include "state/apparatusgeometry.h"
#include "state/change.h"

namespace state {

namespace {

void closeTap(Change& c) {
    if (!c.bench.burette.tapOpen) return;
    c.bench.burette.tapOpen = false;
    c.result.add(Changed::Tap);
}

void pressTap(Change& c) {
    lockFields(c, true);
    if (pouredVolume(c.bench) >= chemistry::kBuretteCapacity) {
        c.result.question = Question::RestartTitration;
        return;
    }
    c.bench.burette.tapOpen = true;
    c.bench.burette.pouring = true;
    c.result.add(Changed::Tap);
    c.result.add(Changed::PouringStarted);
}

// The last tick of the tap: the burette is empty.
void finishPouring(Change& c) {
    stopPouring(c);
    lockFields(c, false);
    closeTap(c);
    drawLiquidLevels(c);
    traceCurrentCurve(c);
    if (c.bench.situations.current >= 0) switchSituation(c, c.bench.situations.current);
}

void pourTick(Change& c) {
    BenchState& b = c.bench;
    lockFields(c, true);
    float v = numbers::toSingle(pouredVolume(b));
    const bool last = v + BuretteState::kTickVolume > chemistry::kBuretteCapacity;
    // Less than a tick left (after drops, or a volume typed): the tick pours what is left and the
    // titration ends with it, so that the tap can always finish it.
    if (last && v >= chemistry::kBuretteCapacity) {
        finishPouring(c);
        return;
    }
    // The volume goes through its texts so that it advances in exact tenths.
    const double next =
        last ? chemistry::kBuretteCapacity : static_cast<double>(v) + BuretteState::kTickVolume;
    v = numbers::toSingle(numbers::readTypedNumberOr(numbers::formatPicture(next, "#0.00"), next));
    setPouredVolumeText(c, numbers::formatPicture(v, "####0.0"));
    updateReadings(c);
    drawLiquidLevels(c);
    const double step = b.stepTenths / 10.0;
    const double q =
        numbers::toSingle(numbers::readTypedNumberOr(numbers::formatPicture(v / step, "0.0000E+00"), 0.0));
    if (q - std::floor(q) < 0.001) recordMeasurement(c);
    if (last) finishPouring(c);
}

void pourDrop(Change& c) {
    BenchState& b = c.bench;
    b.burette.dropFalling = false;
    const double v = pouredVolume(b) + BuretteState::kDropVolume;
    if (v > BuretteState::kLastDropVolume) return;
    setPouredVolumeText(c, numbers::formatPicture(v, "####0.0#"));
    updateReadings(c);
    drawLiquidLevels(c);
    // Drops record a point at each whole millilitre, and at each tenth within 1 mL of the
    // equivalence volume.
    const double e = b.engine.equivalenceVolume;
    const char* pattern = (e - 1 <= v && v <= e + 1) ? "##0.000" : "##0.00";
    if (numbers::formatPicture(v, pattern).ends_with("00")) recordMeasurement(c);
    if (v >= chemistry::kBuretteCapacity) {
        lockFields(c, false);
        closeTap(c);
        drawLiquidLevels(c);
        updateReadings(c);
        traceCurrentCurve(c);
    }
}

void dropTick(Change& c) {
    BenchState& b = c.bench;
    stopPouring(c);
    ++b.burette.dropFrame;
    if (b.burette.dropFrame <= BuretteState::kDropFrames) {
        if (b.burette.dropFrame > 1) drawLiquidLevels(c);
        const double landing = ApparatusGeometry::dropSurface(liquidSurface(b), b.switches.showBurette);
        c.result.paint({ApparatusPaint::Kind::Drop, apparatusScene(b),
                        ApparatusGeometry::dropTop(b.burette.dropFrame, landing)});
        // The drop lands and pours at once. A drop let fall meanwhile starts its own fall after
        // this frame.
        if (b.burette.dropFrame == BuretteState::kDropFrames) pourDrop(c);
    }
    c.result.paint({ApparatusPaint::Kind::BuretteTip, apparatusScene(b), 0});
}

void restartTitration(Change& c) {
    restartDisplay(c);
    setCurrentCompleted(c, false);
    drawLiquidLevels(c);
    resetToZero(c);
    setToolbarVisible(c, false);
}

void toggleEmptying(Change& c) {
    if (c.bench.burette.pouring) {
        releaseTap(c);
        drawLiquidLevels(c);
    } else {
        lockFields(c, false);
        pressTap(c);
    }
}

void letDropFall(Change& c) {
    BenchState& b = c.bench;
    const double v = pouredVolume(b) + BuretteState::kDropVolume;
    closeTap(c);
    stopPouring(c);
    // The tap is closed: the entries are no longer locked by the pouring.
    lockFields(c, false);
    if (v <= BuretteState::kLastDropVolume) {
        b.burette.dropFrame = 0;
        b.burette.dropFalling = true;
        c.result.add(Changed::DropStarted);
    }
}

void quickTrace(Change& c) {
    setPouredVolumeText(c, "25");
    validateField(c, Field::PouredVolume);
    if (c.bench.situations.current >= 0) switchSituation(c, c.bench.situations.current);
}

}  // namespace

void releaseTap(Change& c) {
    stopPouring(c);
    closeTap(c);
    lockFields(c, false);
    drawLiquidLevels(c);
}

void resetToZero(Change& c) {
    setCurrentCompleted(c, false);
    stopPouring(c);
    setPouredVolumeText(c, "0");
    validateField(c, Field::PouredVolume);
    setToolbarVisible(c, false);
}

void stopPouring(Change& c) {
    c.bench.burette.pouring = false;
}

void endDrop(Change& c) {
    c.bench.burette.dropFalling = false;
    c.bench.burette.dropFrame = 0;
}

ActionResult pressTap(BenchState& bench) {
    return act(bench, [](Change& c) { pressTap(c); });
}

ActionResult restartTitration(BenchState& bench) {
    return act(bench, [](Change& c) { restartTitration(c); });
}

ActionResult releaseTap(BenchState& bench) {
    return act(bench, [](Change& c) { releaseTap(c); });
}

ActionResult pourTick(BenchState& bench) {
    return act(bench, [](Change& c) { pourTick(c); });
}

ActionResult toggleEmptying(BenchState& bench) {
    return act(bench, [](Change& c) { toggleEmptying(c); });
}

ActionResult letDropFall(BenchState& bench) {
    return act(bench, [](Change& c) { letDropFall(c); });
}

ActionResult dropTick(BenchState& bench) {
    return act(bench, [](Change& c) { dropTick(c); });
}

ActionResult resetToZero(BenchState& bench) {
    return act(bench, [](Change& c) { resetToZero(c); });
}

ActionResult quickTrace(BenchState& bench) {
    return act(bench, [](Change& c) { quickTrace(c); });
}

}  // namespace state
