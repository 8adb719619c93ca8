// The text copy of the table: its heading row names every column with its unit, whatever the
// solutes and meters set up.
#include <gtest/gtest.h>

#include <string>

#include "chemistry/chemistry.h"
#include "state/actions.h"
#include "state/benchstate.h"
#include "state/conductimetry.h"

using namespace state;

namespace {

struct HeadingCase {
    const char* why;
    bool acid;
    int solute;
    int second;  // -1: none
    bool conductimeter;
    std::string headings;
};

class CopiedHeadings : public ::testing::TestWithParam<HeadingCase> {};

const std::string kMolar = " (mol · L⁻¹)";
const std::string kFirstFour = "V₁ (mL)\tpH\t[H₃O⁺]" + kMolar + "\t[HO⁻]" + kMolar;

}  // namespace

TEST_P(CopiedHeadings, NameEveryColumnWithItsUnit) {
    const HeadingCase& c = GetParam();
    BenchState bench;
    setDefaults(bench);
    switchSituation(bench, 0);
    chooseNature(bench, c.acid);
    chooseSolute(bench, c.solute);
    if (c.second >= 0) chooseSecondSolute(bench, c.second);
    showConductimeter(bench, c.conductimeter);
    quickTrace(bench);
    const std::string text = bench.rows.contentsText();
    ASSERT_EQ(bench.rows.count(), 51) << c.why;
    EXPECT_EQ(text.substr(0, text.find('\n')), c.headings) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    SetUps, CopiedHeadings,
    ::testing::Values(HeadingCase{"weak monoacid", true, 4, -1, false,
                                  kFirstFour + "\t[acide]" + kMolar + "\t[base]" + kMolar},
                      HeadingCase{"strong acid", true, chemistry::SpeciesCatalogue::kStrongAcidIndex, -1,
                                  false, kFirstFour},
                      HeadingCase{"weak base with the conductimeter", false, 1, -1, true,
                                  kFirstFour + "\t[acide]" + kMolar + "\t[base]" + kMolar + "\tσ (mS/cm)"},
                      HeadingCase{"phosphoric acid with the conductimeter", true, 15, -1, true,
                                  kFirstFour + "\t[H₃PO₄]" + kMolar + "\t[H₂PO₄⁻]" + kMolar + "\t[HPO₄²⁻]" +
                                      kMolar + "\t[PO₄³⁻]" + kMolar + "\tσ (mS/cm)"}));
