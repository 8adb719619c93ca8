// The help page on conductimetry shows the engine's table of ions: every ion with its λ° and its
// source, the estimated values marked "estimée", and no row the engine does not hold; and it says
// what the meter's value for hydrochloric acid is against the tables' measured one.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>
#include <string>

#include "chemistry/conductivity.h"
#include "chemistry/substances.h"

namespace {

std::string helpPage() {
    std::ifstream in(std::string(VIRELTRA_HELP_DIR) + "/conductimetrie.html", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// λ° as the page writes it: the shortest decimal text, with a comma.
std::string decimalComma(double value) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, written.ptr);
    for (char& c : text) c = c == '.' ? ',' : c;
    return text;
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

}  // namespace

TEST(ConductivityHelpPage, ListsEveryIonOfTheEngineWithItsValueAndSource) {
    const std::string page = helpPage();
    ASSERT_FALSE(page.empty()) << VIRELTRA_HELP_DIR;
    for (const chemistry::IonData& ion : chemistry::ionTable()) {
        const std::string row = "<tr><td>" + std::string(ion.name) + "</td><td>" +
                                decimalComma(ion.molarConductivity) + "</td><td>" + std::string(ion.source) +
                                "</td></tr>";
        EXPECT_EQ(occurrences(page, row), 1u) << row;
        EXPECT_EQ(ion.estimated, ion.source.starts_with("estimée")) << ion.name << ": marked as it is";
    }
    // The header row and one row per ion, nothing else.
    EXPECT_EQ(occurrences(page, "<tr>"), chemistry::ionTable().size() + 1);
}

TEST(ConductivityHelpPage, CallsTheMetersHydrochloricAcidTheLimitingValueBesideTheMeasuredOne) {
    const std::string page = helpPage();
    chemistry::Mixture beaker;
    beaker.solutes[0] = chemistry::soluteOf(*chemistry::findSpecies("acide chlorhydrique"), 0.01);
    const auto sigma = chemistry::mixtureConductivity(beaker, 0);
    ASSERT_TRUE(sigma);
    // Three significant digits with a comma, as the meter shows it.
    const std::string shown = decimalComma(std::round(*sigma * 100) / 100) + " mS/cm";
    EXPECT_EQ(shown, "4,26 mS/cm");
    const std::size_t limiting = page.find(shown + " : c'est la valeur à dilution infinie");
    EXPECT_NE(limiting, std::string::npos) << shown;
    EXPECT_NE(page.find("4,12 mS/cm mesurés", limiting), std::string::npos);
}
