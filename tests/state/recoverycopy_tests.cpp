// The recovery copy: a bench taken down, written, read back and shown again shows what it showed;
// bytes it did not write whole are refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <variant>

#include "state/actions.h"
#include "state/benchrecovery.h"
#include "state/conductimetry.h"
#include "state/labmeasurements.h"
#include "state/recoverycopy.h"

using namespace state;

namespace {

void pour(BenchState& b, int ticks) {
    pressTap(b);
    for (int i = 0; i < ticks && b.burette.pouring; ++i) pourTick(b);
    releaseTap(b);
}

void drops(BenchState& b, int count) {
    for (int i = 0; i < count; ++i) {
        letDropFall(b);
        for (int frame = 0; frame < 4 && b.burette.dropFalling; ++frame) dropTick(b);
    }
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

// Everything the graph shows, item by item.
std::string describeGraph(const GraphContent& graph) {
    std::string out = "mode " + std::to_string(static_cast<int>(graph.mode()));
    for (const GraphItem& item : graph.items()) {
        out += "\n" + std::to_string(item.index()) + ":";
        if (const auto* m = std::get_if<GraphMark>(&item))
            out += number(m->volume) + " " + number(m->pH) + " " + std::to_string(m->colour.red) + " w" +
                   std::to_string(m->width);
        if (const auto* m = std::get_if<ConductivityMark>(&item))
            out += number(m->volume) + " " + number(m->conductivity);
        if (const auto* c = std::get_if<GraphCurve>(&item)) {
            double sum = 0;
            for (const auto& v : c->vertices) sum += v.volume + 3.0 * v.pH;
            out += std::to_string(c->vertices.size()) + " " + number(sum) + " w" + std::to_string(c->width);
        }
        if (const auto* c = std::get_if<MeasuredCrosses>(&item)) out += std::to_string(c->points.size());
        if (const auto* c = std::get_if<ConductivityCurve>(&item))
            out += std::to_string(c->points.size()) + (c->measured ? " measured" : "");
    }
    return out;
}

// What the pupil sees of a bench: every situation, the panel, the switches, the readings, the
// table, the graph and the measurements.
void expectSameBench(const BenchState& restored, const BenchState& original) {
    EXPECT_EQ(restored.situations.records, original.situations.records);
    EXPECT_EQ(restored.situations.current, original.situations.current);
    EXPECT_EQ(restored.situations.drawnConcentrationHidden, original.situations.drawnConcentrationHidden);
    chemistry::Situation panel, expectedPanel;
    chemistry::storeSolution(panel, restored.solution);
    chemistry::storeSolution(expectedPanel, original.solution);
    EXPECT_EQ(panel, expectedPanel);
    const auto switches = [](const BenchState& b) {
        const Switches& s = b.switches;
        return std::vector<bool>{s.showBurette,           s.showPhMeter,
                                 s.concentrationMasked,   s.maskEnabled,
                                 s.superposeCurves,       s.boldStrokes,
                                 s.showConductimeter,     s.conductivityGraph,
                                 s.highContrast,          b.controls.toolbarVisible,
                                 b.controls.fieldsLocked, b.burette.pouring};
    };
    EXPECT_EQ(switches(restored), switches(original));
    EXPECT_EQ(restored.stepTenths, original.stepTenths);
    EXPECT_EQ(restored.readings.pH, original.readings.pH);
    EXPECT_EQ(restored.readings.conductivity, original.readings.conductivity);
    EXPECT_EQ(restored.readings.pouredVolume, original.readings.pouredVolume);
    EXPECT_EQ(restored.rows.contentsText(), original.rows.contentsText());
    EXPECT_EQ(describeGraph(restored.graph), describeGraph(original.graph));
    EXPECT_EQ(restored.lab.points, original.lab.points);
}

struct RestoreCase {
    const char* name;
    std::function<void(BenchState&)> work;
};

void PrintTo(const RestoreCase& c, std::ostream* out) {
    *out << c.name;
}

const MeasuredPoints kThreeMeasurements = {{0, 2.9, 0}, {5, 4.2, 0}, {12.5, 4.9, 0}};

const RestoreCase kRestoreCases[] = {
    {"AcidPouredToTwelveAndAHalfWithThreeMeasurementsBesideAFinishedSituation",
     [](BenchState& b) {
         switchSituation(b, 2);
         chooseNature(b, false);
         chooseSolute(b, 3);
         quickTrace(b);
         switchSituation(b, 0);
         chooseSolute(b, 4);
         setMeasurements(b, kThreeMeasurements);
         pour(b, 125);
     }},
    {"DropsAroundTheEquivalenceAfterTicks",
     [](BenchState& b) {
         chooseSolute(b, 4);
         pour(b, 190);
         drops(b, 12);
     }},
    {"ConductimeterOnTheSigmaGraphWithThePhMeterHidden",
     [](BenchState& b) {
         showApparatusPart(b, ApparatusPart::PhMeter, false);
         showConductimeter(b, true);
         showConductivityGraph(b, true);
         setMeasuringStep(b, 2);
         pour(b, 37);
     }},
    {"FinishedTitrationsSuperposedInBoldThenAFieldValidatedAndNotStored",
     [](BenchState& b) {
         quickTrace(b);
         switchSituation(b, 1);
         chooseSolute(b, 4);
         quickTrace(b);
         setSuperposeCurves(b, true);
         setBoldStrokes(b, true);
         // The free solute's pKa does not shape this titration: it stays finished.
         setFieldText(b, Field::OtherPKa, "6,5");
         validateField(b, Field::OtherPKa);
     }},
    {"DrawnConcentrationHiddenInAnotherSituation",
     [](BenchState& b) {
         switchSituation(b, 4);
         drawRandomConcentration(b);
         switchSituation(b, 3);
         setHighContrast(b, true);
         pour(b, 30);
     }},
};

class RestoredBench : public testing::TestWithParam<RestoreCase> {};

BenchState startedBench() {
    BenchState b;
    setDefaults(b);
    start(b);
    return b;
}

}  // namespace

TEST_P(RestoredBench, ShowsWhatTheBenchShowedWhenItWasTakenDown) {
    BenchState original = startedBench();
    GetParam().work(original);
    RecoveryCopy copy;
    copy.savedAt = 1700000000;
    copy.bench = snapshotBench(original);
    copy.text.rtf = "{\\rtf1 \\'e9nonc\\'e9}";
    copy.text.exerciseName = "/exercices/Acide éthanoïque.E36";
    const auto read = decodeRecoveryCopy(encodeRecoveryCopy(copy));
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, copy);

    BenchState restored = startedBench();
    pour(restored, 40);  // work of its own, which the restored work replaces
    restoreBench(restored, read->bench);
    expectSameBench(restored, original);
}

INSTANTIATE_TEST_SUITE_P(Work, RestoredBench, testing::ValuesIn(kRestoreCases),
                         [](const auto& info) { return std::string(info.param.name); });

namespace {

// The check value as zip computes it, bit by bit.
std::uint32_t referenceCrc(const std::vector<unsigned char>& bytes, std::size_t size) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= bytes[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// The bytes changed by `edit`, with a check value that matches them again.
std::vector<unsigned char> resealed(std::vector<unsigned char> bytes,
                                    const std::function<void(std::vector<unsigned char>&)>& edit) {
    bytes.resize(bytes.size() - 4);
    edit(bytes);
    const std::uint32_t crc = referenceCrc(bytes, bytes.size());
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(crc >> (8 * i)));
    return bytes;
}

RecoveryCopy soundCopy() {
    BenchState b = startedBench();
    setMeasurements(b, kThreeMeasurements);
    RecoveryCopy copy;
    copy.bench = snapshotBench(b);
    copy.text.caption = "Vireltra - essai.C13";
    return copy;
}

std::vector<unsigned char> encodedWith(const std::function<void(RecoveryCopy&)>& change) {
    RecoveryCopy copy = soundCopy();
    change(copy);
    return encodeRecoveryCopy(copy);
}

struct RefusalCase {
    const char* name;
    std::function<std::vector<unsigned char>()> bytes;
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.name;
}

const std::vector<unsigned char>& sound() {
    static const std::vector<unsigned char> bytes = encodeRecoveryCopy(soundCopy());
    return bytes;
}
const std::size_t kSignatureSize = std::string_view("Vireltra copie de secours\n").size();

const RefusalCase kRefusals[] = {
    {"Empty", [] { return std::vector<unsigned char>{}; }},
    {"CutByOneByte", [] { return std::vector<unsigned char>(sound().begin(), sound().end() - 1); }},
    {"CutInHalf",
     [] { return std::vector<unsigned char>(sound().begin(), sound().begin() + sound().size() / 2); }},
    {"OneBitFlipped",
     [] {
         auto bytes = sound();
         bytes[bytes.size() - 200] ^= 0x10;
         return bytes;
     }},
    {"AByteAddedAfterTheCheckValue",
     [] {
         auto bytes = sound();
         bytes.push_back(0);
         return bytes;
     }},
    {"AnotherSignature", [] { return resealed(sound(), [](auto& bytes) { bytes[0] = 'v'; }); }},
    {"ALaterVersion", [] { return resealed(sound(), [](auto& bytes) { bytes[kSignatureSize] = 2; }); }},
    {"AByteAddedBeforeTheCheckValue",
     [] { return resealed(sound(), [](auto& bytes) { bytes.push_back(0); }); }},
    {"AFlagThatIsNeitherZeroNorOne",
     [] { return resealed(sound(), [](auto& bytes) { bytes[kSignatureSize + 4 + 8] = 2; }); }},
    {"SituationElevenShown", [] { return encodedWith([](RecoveryCopy& c) { c.bench.current = 10; }); }},
    {"ASoluteThisProgramDoesNotKnow",
     [] { return encodedWith([](RecoveryCopy& c) { c.bench.records[6].speciesIndex = 400; }); }},
    {"AMeasurementBeyondPh14",
     [] { return encodedWith([](RecoveryCopy& c) { c.bench.measurements[0][1].pH = 14.5; }); }},
    {"ARowBeyondTheBurette",
     [] { return encodedWith([](RecoveryCopy& c) {
              c.bench.rowVolumes = {0, 25.5};
          }); }},
    {"AStepOfNoTenth", [] { return encodedWith([](RecoveryCopy& c) { c.bench.stepTenths = 0; }); }},
    {"APathThatIsNotUtf8",
     [] { return encodedWith([](RecoveryCopy& c) { c.text.configurationPath = "\xE9t\xE9"; }); }},
};

class RefusedCopy : public testing::TestWithParam<RefusalCase> {};

}  // namespace

TEST_P(RefusedCopy, IsNotRead) {
    ASSERT_TRUE(decodeRecoveryCopy(sound()).has_value());
    EXPECT_FALSE(decodeRecoveryCopy(GetParam().bytes()).has_value());
}

INSTANTIATE_TEST_SUITE_P(Damage, RefusedCopy, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });
