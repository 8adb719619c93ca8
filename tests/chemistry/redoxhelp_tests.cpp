// The help page on oxidation-reduction titrations shows the engine's couples: each with its
// half-equation and its E°, and no row the engine does not hold.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "chemistry/redox.h"

namespace {

std::string helpPage() {
    std::ifstream in(std::string(VIRELTRA_HELP_DIR) + "/couples-redox.html", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// "2 Cr³⁺", "e⁻"; nothing for none.
std::string term(int count, std::string_view formula) {
    if (count == 0) return "";
    return (count == 1 ? "" : std::to_string(count) + " ") + std::string(formula);
}

std::string joined(std::string a, const std::string& b) {
    return a.empty() ? b : b.empty() ? a : a + " + " + b;
}

}  // namespace

TEST(RedoxHelpPage, ListsEveryCoupleWithItsHalfEquationAndPotential) {
    const std::string page = helpPage();
    ASSERT_FALSE(page.empty()) << VIRELTRA_HELP_DIR;
    std::size_t rows = 0;
    for (const chemistry::RedoxCouple& c : chemistry::redoxCouples()) {
        const std::string left = joined(joined(term(c.oxidantCoefficient, c.oxidant), term(c.protons, "H⁺")),
                                        term(c.electrons, "e⁻"));
        const std::string right = joined(term(c.reductantCoefficient, c.reductant), term(c.water, "H₂O"));
        std::string potential =
            std::to_string(c.standardPotential).substr(0, c.standardPotential < 0 ? 5 : 4);
        potential[potential.find('.')] = ',';
        const std::string row = "<tr><td>" + std::string(c.oxidant) + " / " + std::string(c.reductant) +
                                "</td><td>" + left + " = " + right + "</td><td>" + potential + "</td></tr>";
        EXPECT_NE(page.find(row), std::string::npos) << row;
        ++rows;
    }
    // The first table: one header and one row per couple.
    const std::string couples = page.substr(0, page.find("</table>"));
    std::size_t found = 0;
    for (std::size_t at = couples.find("<tr>"); at != std::string::npos; at = couples.find("<tr>", at + 1))
        ++found;
    EXPECT_EQ(found, rows + 1);
}
