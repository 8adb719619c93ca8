#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "tests/chemistry/mixturereference.h"
#include "tests/chemistry/printcase.h"

using namespace chemistry;
using reference::Beaker;

namespace {

// The poured volume as the panel holds it, "12,5".
std::string pouredText(int tenths) {
    return std::to_string(tenths / 10) + "," + std::to_string(tenths % 10);
}

double relativeGap(double value, double expected) {
    return std::abs(value - expected) / std::abs(expected);
}

}  // namespace

// --- σ against the reference ----------------------------------------------------------------

struct SigmaCase {
    const char* why;
    const char* species;
    int catalogueIndex;  // in the monoprotic catalogue, −1 for a polyacid
};

class ConductivityAgainstReference : public ::testing::TestWithParam<SigmaCase> {};

TEST_P(ConductivityAgainstReference, MeterTableAndCurveStayWithinHalfAPercent) {
    const SigmaCase& c = GetParam();
    const Beaker beaker{{{c.species, 0.01}}, 0.01, 20};
    const Mixture mixture = reference::mixtureOf(beaker);
    const SpeciesData& species = *findSpecies(c.species);
    SpeciesCatalogue catalogue;

    for (int tenths = 0; tenths <= 250; tenths += 5) {
        const double V = tenths / 10.0;
        const double expected = static_cast<double>(reference::solve(beaker, V).conductivity);
        const auto meter = mixtureConductivity(mixture, V);
        ASSERT_TRUE(meter) << c.why;
        EXPECT_LT(relativeGap(*meter, expected), 0.005) << c.why << " at " << V << " mL";

        if (c.catalogueIndex < 0) continue;
        // A row of the monoprotic table, from the present solver's point.
        SolutionSpec solution;
        solution.beakerIsAcid = species.isAcid;
        solution.speciesIndex = c.catalogueIndex;
        solution.pouredVolume = pouredText(tenths);
        EngineState state;
        computeCurrentPoint(solution, catalogue, state);
        const TitrationPoint point = makeTitrationPoint(state, species.isAcid);
        const auto row = monoproticConductivity(point, species, species.pKa[0], state.initialVolume,
                                                state.titrantConcentration);
        ASSERT_TRUE(row) << c.why;
        EXPECT_LT(relativeGap(*row, expected), 0.005) << c.why << " row at " << V << " mL";
    }

    const auto curve = conductivityCurve(mixture);
    ASSERT_GE(curve.size(), 251u) << c.why;
    for (const ConductivityPoint& p : curve) {
        const double expected = static_cast<double>(reference::solve(beaker, p.volume).conductivity);
        EXPECT_LT(relativeGap(p.conductivity, expected), 0.005) << c.why << " curve at " << p.volume << " mL";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Titrations, ConductivityAgainstReference,
    ::testing::Values(SigmaCase{"hydrochloric acid", "acide chlorhydrique", 2},
                      SigmaCase{"ethanoic acid", "acide éthanoïque", 4}, SigmaCase{"ammonia", "ammoniac", 1},
                      SigmaCase{"sodium ethanoate brings its sodium", "éthanoate de sodium", 6},
                      SigmaCase{"phosphoric acid", "acide phosphorique", -1},
                      SigmaCase{"sodium carbonate", "carbonate de sodium", -1}));

// --- The conductimetric titrations pupils draw --------------------------------------------------

struct DroitesCase {
    const char* why;
    const char* species;
    double sigmaAlone;    // mS/cm, the meter before pouring, three digits
    bool fallsThenRises;  // a strong acid: the V; a weak one: a change of slope
};

class ConductimetricTitration : public ::testing::TestWithParam<DroitesCase> {};

TEST_P(ConductimetricTitration, TwoStraightLinesMeetAtTheEquivalence) {
    const DroitesCase& c = GetParam();
    const Mixture mixture = reference::mixtureOf(Beaker{{{c.species, 0.01}}, 0.01});
    const auto curve = conductivityCurve(mixture);
    ASSERT_FALSE(curve.empty());
    EXPECT_NEAR(curve.front().conductivity, c.sigmaAlone, 0.005) << c.why;

    const auto lowest = std::min_element(curve.begin(), curve.end(), [](const auto& a, const auto& b) {
        return a.conductivity < b.conductivity;
    });
    if (c.fallsThenRises) {
        EXPECT_NEAR(lowest->volume, 20.0, 1e-9) << c.why;
    }

    // On the curve, and on the marks a pupil records every 0,5 mL.
    std::vector<ConductivityPoint> marks;
    for (int tenths = 0; tenths <= 250; tenths += 5) {
        marks.push_back({tenths / 10.0, *mixtureConductivity(mixture, tenths / 10.0)});
    }
    for (const auto& points : {curve, marks}) {
        const StraightLines lines = straightLines(points, 20);
        ASSERT_TRUE(lines.found) << c.why;
        EXPECT_NEAR(lines.volume, 20.0, 0.2) << c.why;
        EXPECT_NEAR(lines.conductivity, *mixtureConductivity(mixture, lines.volume), 0.05) << c.why;
        EXPECT_GT(lines.after.slope, 0) << c.why;
        if (c.fallsThenRises) {
            EXPECT_LT(lines.before.slope, 0) << c.why;
        } else {
            EXPECT_GT(lines.before.slope, 0) << c.why;
            EXPECT_GT(lines.after.slope, 2 * lines.before.slope) << c.why;
        }
    }
    // Marks every 5 mL leave no point beside the equivalence; one line has no corner.
    EXPECT_FALSE(straightLines(std::vector<ConductivityPoint>{{15, 1}, {20, 0.6}, {25, 1.2}}, 20).found);
    EXPECT_FALSE(
        straightLines(std::vector<ConductivityPoint>{{18, 9}, {19, 9.5}, {21, 10.5}, {22, 11}}, 20).found);
}

INSTANTIATE_TEST_SUITE_P(
    Exercises, ConductimetricTitration,
    ::testing::Values(DroitesCase{"hydrochloric acid: a V", "acide chlorhydrique", 4.26, true},
                      DroitesCase{"ethanoic acid: a change of slope", "acide éthanoïque", 0.161, false}));

// --- Lines on σ corrected for the dilution ---------------------------------------------------------

// Hydrochloric acid (V₀ = 20 mL at ca) by sodium hydroxide (cb), written out: Kohlrausch's law
// over H₃O⁺, HO⁻, Na⁺ and Cl⁻, the water's autoprotolysis solved exactly, λ° of the school tables
// in mS · m² · mol-1.
double strongByStrong(double ca, double cb, double poured) {
    const double total = 20 + poured;
    const double sodium = cb * poured / total;
    const double chloride = ca * 20 / total;
    const double excess = chloride - sodium;
    const double h = (excess + std::sqrt(excess * excess + 4e-14)) / 2;
    return 10 * (34.98 * h + 19.86 * 1e-14 / h + 5.01 * sodium + 7.63 * chloride);
}

struct DilutedTitration {
    const char* why;
    double ca;  // mol · L-1
    double cb;  // mol · L-1
    int step;   // tenths of a mL between the points
};

class CorrectedStraightLines : public ::testing::TestWithParam<DilutedTitration> {};

TEST_P(CorrectedStraightLines, MeetAtTheEquivalenceWhereMeasuredOnesComeEarly) {
    const DilutedTitration& t = GetParam();
    const double Ve = t.ca * 20 / t.cb;
    std::vector<ConductivityPoint> points;
    for (int tenths = 0; tenths <= 250; tenths += t.step)
        points.push_back({tenths / 10.0, strongByStrong(t.ca, t.cb, tenths / 10.0)});
    const StraightLinesWindow window = windowAround(Ve, 0, INFINITY);

    const std::vector<ConductivityPoint> corrected = dilutionCorrected(points, 20);
    ASSERT_EQ(corrected.size(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_DOUBLE_EQ(corrected[i].conductivity, points[i].conductivity * (20 + points[i].volume) / 20);
    }
    const StraightLines lines = straightLines(corrected, Ve, window);
    ASSERT_TRUE(lines.found) << t.why;
    EXPECT_NEAR(lines.volume, Ve, 0.002 * Ve) << t.why;
    EXPECT_NEAR(lines.conductivity, strongByStrong(t.ca, t.cb, Ve) * (20 + Ve) / 20, 0.02) << t.why;
    EXPECT_GE(lines.pointsBefore, kLeastLinePoints) << t.why;
    EXPECT_GE(lines.pointsAfter, kLeastLinePoints) << t.why;
    // No point fitted lies within 5 % of the equivalence volume, or past the burette's 25 mL.
    EXPECT_LE(lines.lastBefore, 0.95 * Ve + 1e-9) << t.why;
    EXPECT_GE(lines.firstAfter, 1.05 * Ve - 1e-9) << t.why;

    // The same points as the meter reads them: the dilution bends both branches, E comes early.
    const StraightLines measured = straightLines(points, Ve, window);
    ASSERT_TRUE(measured.found) << t.why;
    EXPECT_LT(measured.volume, lines.volume - 0.001 * Ve) << t.why;
}

INSTANTIATE_TEST_SUITE_P(EquivalenceVolumes, CorrectedStraightLines,
                         ::testing::Values(DilutedTitration{"TwoMillilitresEveryHalf", 0.001, 0.01, 5},
                                           DilutedTitration{"TwoMillilitresEveryTenth", 0.01, 0.1, 1},
                                           DilutedTitration{"TenMillilitres", 0.01, 0.02, 5},
                                           DilutedTitration{"SixteenMillilitresEveryMillilitre", 0.01, 0.0125,
                                                            10},
                                           DilutedTitration{"TwentyMillilitres", 0.01, 0.01, 5}),
                         [](const auto& info) { return std::string(info.param.why); });

// Two equivalences keep their windows apart: neither reaches past halfway to the other.
TEST(StraightLinesWindow, ScalesWithTheTitrantEachEquivalenceTakes) {
    const StraightLinesWindow first = windowAround(10, 0, 12);
    EXPECT_DOUBLE_EQ(first.margin, 0.5);
    EXPECT_DOUBLE_EQ(first.before, 3);
    EXPECT_DOUBLE_EQ(first.after, 1);
    EXPECT_LE(first.reachAfter, 2);
    const StraightLinesWindow second = windowAround(12, 10, INFINITY);
    EXPECT_DOUBLE_EQ(second.margin, 0.1);
    EXPECT_DOUBLE_EQ(second.before, 0.6);
    EXPECT_LE(second.reachBefore, 2);
}

// --- The data behind σ ----------------------------------------------------------------------------

TEST(SpeciesData, EveryChargedFormConductsAndEveryEstimateSaysFromWhat) {
    for (const SpeciesData& species : speciesTable()) {
        for (int j = 0; j < species.formCount(); ++j) {
            const std::string_view form = species.forms[j];
            ASSERT_FALSE(form.empty()) << species.name;
            if (species.formCharge(j) == 0) continue;
            const IonData* ion = findIon(form);
            ASSERT_NE(ion, nullptr) << species.name << ": " << form;
            EXPECT_EQ(ion->charge, species.formCharge(j)) << form;
            EXPECT_GT(species.formConductivity(j), 0) << form;
        }
        for (int j = 1; j < species.pairCount; ++j)
            EXPECT_LT(species.pKa[j - 1], species.pKa[j]) << species.name;
    }
    for (const IonData& ion : ionTable()) EXPECT_FALSE(ion.source.empty()) << ion.name;
}
