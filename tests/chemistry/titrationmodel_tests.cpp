// The models behind the titration interface against the charge balance written apart in the
// tests: their readings, their equivalences, and points that hold every ion the balance counts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "chemistry/chemistry.h"
#include "tests/chemistry/mixturereference.h"

using namespace chemistry;

namespace {

struct Solid {
    const char* name;
    int index;  // in the list of its nature
    double concentration;
    std::vector<double> pKa;   // of its pairs
    std::vector<int> charges;  // of the forms its points give, in their order
    int sodium = 0;            // counter-ions per formula unit
    int chloride = 0;
};

struct ModelCase {
    const char* why;
    bool acid;
    std::vector<Solid> solutes;
    double titrant;
};

// "0,01" from 0.01.
std::string decimalComma(double value) {
    std::string text = std::to_string(value);
    text[text.find('.')] = ',';
    return text;
}

SolutionSpec panelOf(const ModelCase& c) {
    SolutionSpec s;
    s.beakerIsAcid = c.acid;
    s.speciesIndex = c.solutes[0].index;
    s.beakerConcentration = decimalComma(c.solutes[0].concentration);
    s.titrantConcentration = decimalComma(c.titrant);
    if (c.solutes.size() > 1) {
        s.secondSpeciesIndex = c.solutes[1].index;
        s.secondConcentration = decimalComma(c.solutes[1].concentration);
    }
    return s;
}

reference::Beaker beakerOf(const ModelCase& c, double firstConcentration) {
    reference::Beaker beaker{{}, c.titrant, 20};
    for (const Solid& s : c.solutes) beaker.parts.push_back({s.name, s.concentration});
    beaker.parts[0].concentration = firstConcentration;
    return beaker;
}

const ModelCase kCases[] = {
    {"OneWeakAcid", true, {{"acide éthanoïque", 4, 0.01, {4.75}, {0, -1}}}, 0.01},
    {"OneWeakBase", false, {{"ammoniac", 1, 0.008, {9.2}, {1, 0}}}, 0.01},
    {"ASodiumSalt", false, {{"éthanoate de sodium", 6, 0.01, {4.75}, {0, -1}, 1}}, 0.02},
    {"ATriacid", true, {{"acide phosphorique", 15, 0.004, {2.15, 7.2, 12.35}, {0, -1, -2, -3}}}, 0.01},
    {"TwoAcids",
     true,
     {{"acide éthanoïque", 4, 0.006, {4.75}, {0, -1}}, {"acide méthanoïque", 7, 0.003, {3.75}, {0, -1}}},
     0.01},
};

void PrintTo(const ModelCase& c, std::ostream* os) {
    *os << c.why;
}

class TitrationModels : public ::testing::TestWithParam<ModelCase> {};

}  // namespace

namespace {

// Each pair holds one proton per formula unit; the titrant reaches them by pKa, ascending for
// acids, descending for bases. `amountFactor` scales the beaker's amounts over the titrant's.
std::vector<double> expectedEquivalences(const ModelCase& c, double amountFactor = 1) {
    std::vector<std::pair<double, double>> pairs;  // pKa, mmol
    for (const Solid& s : c.solutes) {
        for (double pKa : s.pKa) pairs.emplace_back(pKa, s.concentration * 20);
    }
    std::sort(pairs.begin(), pairs.end());
    if (!c.acid) std::reverse(pairs.begin(), pairs.end());
    std::vector<double> expected;
    double taken = 0;
    for (const auto& pair : pairs) expected.push_back((taken += pair.second) * amountFactor / c.titrant);
    return expected;
}

void expectVolumes(const std::vector<double>& volumes, const std::vector<double>& expected, const char* why) {
    ASSERT_EQ(volumes.size(), expected.size()) << why;
    for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_NEAR(volumes[k], expected[k], 1e-4) << why;
}

}  // namespace

TEST_P(TitrationModels, EquivalencesComeWhenTheTitrantHasTakenThePairsProtons) {
    const ModelCase& c = GetParam();
    expectVolumes(makeTitrationModel(panelOf(c), SpeciesCatalogue())->equivalenceVolumes(),
                  expectedEquivalences(c), c.why);
}

TEST_P(TitrationModels, EquivalencesMoveWithWhatTheGlasswareDelivered) {
    const ModelCase& c = GetParam();
    SolutionSpec spec = panelOf(c);
    spec.delivery = {0.2, 1.3, 0.985, 0.0002, 0.04};
    // Water changes no amount and the reading error is the pupil's, not the beaker's.
    const double factor = 20.2 / 20 * 0.985 * c.titrant / (c.titrant + 0.0002);
    expectVolumes(makeTitrationModel(spec, SpeciesCatalogue())->equivalenceVolumes(),
                  expectedEquivalences(c, factor), c.why);
}

TEST_P(TitrationModels, ReadingsFollowTheChargeBalanceAlsoWithTheFirstSoluteChanged) {
    const ModelCase& c = GetParam();
    const auto model = makeTitrationModel(panelOf(c), SpeciesCatalogue());
    const double first = c.solutes[0].concentration;
    const auto changed = model->withSolute({first / 2});
    // The single-pair solver works in single precision: its pH is good to a few thousandths.
    const double pHTolerance = c.solutes.size() == 1 && c.solutes[0].pKa.size() == 1 ? 2e-3 : 1e-4;
    for (double volume : {0.0, 4.0, 12.5, 24.0}) {
        for (const auto& [m, concentration] :
             {std::pair{model.get(), first}, std::pair{changed.get(), first / 2}}) {
            const reference::Result expected = reference::solve(beakerOf(c, concentration), volume);
            const auto pH = m->reading(kPhMeter, volume);
            const auto sigma = m->reading(kConductivityMeter, volume);
            ASSERT_TRUE(pH && sigma) << c.why << " at " << volume << " mL";
            EXPECT_NEAR(*pH, static_cast<double>(expected.pH), pHTolerance) << c.why << " at " << volume;
            EXPECT_NEAR(*sigma, static_cast<double>(expected.conductivity), 1e-4 * *sigma)
                << c.why << " at " << volume;
        }
        EXPECT_FALSE(model->reading("E", volume)) << c.why;
    }
}

TEST_P(TitrationModels, APointHoldsEveryIonTheChargeBalanceCounts) {
    const ModelCase& c = GetParam();
    const SpeciesCatalogue catalogue;
    SolutionSpec panel = panelOf(c);
    for (const char* poured : {"3,0", "11,5", "21,0"}) {
        panel.pouredVolume = poured;
        EngineState state;
        computeCurrentPoint(panel, catalogue, state);
        const TitrationPoint p = makeTitrationModel(panel, catalogue)->point(state);
        // The forms in the order the point gives them: one pair's two, or every form of each solute.
        std::vector<double> forms(p.forms.begin(), p.forms.begin() + p.formCount);
        if (p.formCount == 0) forms = {p.acidForm, p.basicForm};
        double charge = p.hydronium - p.hydroxide + p.sodium - p.chloride;
        double total = 0;
        std::size_t k = 0;
        for (const Solid& s : c.solutes) {
            for (int z : s.charges) {
                ASSERT_LT(k, forms.size()) << c.why;
                charge += z * forms[k];
                total += forms[k++];
            }
        }
        ASSERT_EQ(k, forms.size()) << c.why;
        const double volume = std::stod(std::string(poured).replace(std::string(poured).find(','), 1, "."));
        double introduced = 0;
        for (const Solid& s : c.solutes) introduced += s.concentration * 20 / (20 + volume);
        EXPECT_NEAR(total, introduced, 1e-6 * introduced) << c.why << " at " << poured;
        EXPECT_NEAR(charge, 0, 1e-5 * introduced) << c.why << " at " << poured;
    }
}

INSTANTIATE_TEST_SUITE_P(Kinds, TitrationModels, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.why); });
