// What the painter draws for the analyses of a polyacid or a mixture and for the corrected σ: the
// forms dashed in both looks with their samples in the legend, the read-out of every form's share
// at the pointed volume, the numbered points of the tangent method, the corrected σ's dots.
#include <gtest/gtest.h>

#include <QRect>
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "chemistry/chemistry.h"
#include "state/drawingpalette.h"
#include "state/graphcontent.h"
#include "tests/chemistry/mixturereference.h"
#include "testsupport.h"
#include "workbench/graphpainter.h"

using namespace workbench;
using platform::Colour;
using state::PlotFrame;

namespace {

// 20 mL of phosphoric acid at 0,01 mol · L-1, sodium hydroxide at 0,02 mol · L-1.
const reference::Beaker kPhosphoric{{{"acide phosphorique", 0.01}}, 0.02};
const std::vector<std::string> kPhosphates{"H₃PO₄", "H₂PO₄⁻", "HPO₄²⁻", "PO₄³⁻"};

state::FormsOverlay phosphoricForms() {
    const chemistry::Mixture mixture = reference::mixtureOf(kPhosphoric);
    return {chemistry::mixtureDistribution(mixture), kPhosphates, 1, mixture};
}

class AnalysisDrawing : public ::testing::TestWithParam<bool> {
  protected:
    AnalysisDrawing()
        : app(testsupport::application()),
          surface(473, 270),
          palette(state::drawingPalette(GetParam())),
          painter(surface, palette) {
        painter.drawDistributionFrame();
    }
    int columnsWith(int left, int right, int top, int bottom, const Colour& colour) const {
        int columns = 0;
        for (int x = left; x <= right; ++x) {
            bool found = false;
            for (int y = top; y <= bottom && !found; ++y) found = surface.pixel(x, y) == colour;
            columns += found ? 1 : 0;
        }
        return columns;
    }

    QApplication& app;
    platform::Surface surface;
    state::DrawingPalette palette;
    GraphPainter painter;
};

}  // namespace

// H₂PO₄⁻ rises from 56 % to 99 % over the first 10 mL: dashed, some columns of that stretch miss
// its colour; solid, none would. Its legend starts with a sample of the same dashes.
TEST_P(AnalysisDrawing, FormsAreDashedWithTheirDashesInTheLegend) {
    painter.drawItem(phosphoricForms());
    const Colour green = palette.onGraph(palette.secondForm);
    const int inked = columnsWith(60, 160, 30, 250, green);
    EXPECT_GT(inked, 50);
    EXPECT_LT(inked, 95) << "gaps between the dashes";
    const int sample = columnsWith(40, 400, 5, 20, green);
    EXPECT_GT(sample, 8) << "a dashed sample and the name in the legend";
}

// A monoacid's two forms keep their usual whole lines in the usual look, where the pH
// curves fade under them; in high contrast, where they do not fade, the forms are dashed.
TEST_P(AnalysisDrawing, MonoacidFormsAreDashedOnlyWithoutTheFading) {
    std::vector<chemistry::DistributionVertex> vertices;
    for (int v = 0; v <= 25; ++v) vertices.push_back({static_cast<float>(v), 7, 100.0f - 4.0f * v, 4.0f * v});
    painter.drawItem(state::DistributionOverlay{vertices, 1});
    const Colour acid = palette.onGraph(palette.acidForm);
    // Left of the crossing at 12,5 mL, where the basic form is drawn over it.
    const int inked = columnsWith(41, 200, 30, 250, acid);
    if (GetParam()) {
        EXPECT_LT(inked, 140) << "dashed";
        EXPECT_GT(columnsWith(75, 97, 5, 20, acid), 8) << "its sample before « forme acide »";
    } else {
        EXPECT_EQ(inked, 160) << "a whole line";
        EXPECT_EQ(columnsWith(75, 97, 5, 20, acid), 0) << "the usual legend";
    }
}

INSTANTIATE_TEST_SUITE_P(BothLooks, AnalysisDrawing, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "HighContrast" : "Usual"; });

// Over the forms, the read-out gives each form's share at the pointed volume whatever the
// pointer's height, as the reference's fractions give them at the reference's pH.
TEST(FormsReadout, GivesTheShareOfEachFormAtThePointedVolume) {
    testsupport::application();
    state::GraphContent content;
    content.restart();
    content.clearToDistributionFrame();
    content.add(phosphoricForms());
    const reference::Species phosphoric = reference::speciesOf(kPhosphoric.parts.front(), true);
    for (const int x : {40, 110, 180, 250, 320, 390}) {
        const double volume = PlotFrame::volumeAt(x);
        const long double h = std::pow(10.0L, -reference::solve(kPhosphoric, volume).pH);
        const std::vector<long double> shares = reference::fractions(phosphoric, h);
        for (const int y : {40, 140, 240}) {
            const std::string text = GraphPainter::readoutText(x, y, content).toStdString();
            std::string expected = "V = " + std::to_string(static_cast<int>(volume)) + ",0 mL";
            for (std::size_t f = 0; f < kPhosphates.size(); ++f) {
                const std::string name = kPhosphates[f] + " : ";
                const std::size_t at = text.find(name);
                ASSERT_NE(at, std::string::npos) << text;
                std::string number = text.substr(at + name.size(), text.find(" %", at) - at - name.size());
                std::replace(number.begin(), number.end(), ',', '.');
                EXPECT_NEAR(std::stod(number), 100 * static_cast<double>(shares[f]), 0.06)
                    << kPhosphates[f] << " at " << volume << " mL: " << text;
            }
            EXPECT_EQ(text.rfind(expected, 0), 0u) << text;
        }
    }
    // At the first equivalence nearly all of it is H₂PO₄⁻, wherever the pointer stands.
    EXPECT_NE(GraphPainter::readoutText(180, 140, content).toStdString().find("H₂PO₄⁻ : 99,"),
              std::string::npos);
    EXPECT_TRUE(GraphPainter::readoutText(391, 140, content).isEmpty());
}

// A numbered point: "E", then its number lowered, inside the box its placement reserved for it.
TEST(NumberedPoint, IsDrawnInsideTheBoxItWasPlacedFor) {
    testsupport::application();
    platform::Surface surface(473, 270);
    GraphPainter painter(surface);
    painter.drawFrame();
    state::TangentConstruction t;
    t.outcome = state::TangentConstruction::Outcome::Drawn;
    t.labelE = {300, 200};
    painter.drawItem(state::TangentOverlay{t, 1, 2, state::PlotPoint{150, 60}});
    QRect ink;
    for (int y = 40; y <= 100; ++y) {
        for (int x = 130; x <= 190; ++x) {
            if (testsupport::isDark(surface.pixel(x, y))) ink |= QRect(x, y, 1, 1);
        }
    }
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(QRect(150, 60, 14, 19).contains(ink))
        << ink.x() << "," << ink.y() << " " << ink.width() << "×" << ink.height();
    EXPECT_GE(ink.height(), 12) << "the number sits lower than the E";
    EXPECT_FALSE(testsupport::isDark(surface.pixel(301, 205))) << "not at the single solute's place";
}

// The corrected σ: a ring round each point in the situation's colour, and its legend.
TEST(CorrectedConductivity, RingsEachPointAndNamesThemInTheLegend) {
    testsupport::application();
    platform::Surface surface(473, 270);
    GraphPainter painter(surface);
    painter.setMeter(state::conductivityMeter(), {2, 0.2});
    painter.drawMeterFrame();
    const Colour blue{0, 0, 255};
    painter.drawItem(state::CorrectedConductivity{{{10, 1.0}, {20, 1.5}}, blue, 1});
    for (const auto& [volume, sigma] : {std::pair{10.0, 1.0}, std::pair{20.0, 1.5}}) {
        const int x = static_cast<int>(PlotFrame::x(volume));
        const int y = static_cast<int>(std::lround(state::MeterAxis{2, 0.2}.y(sigma)));
        EXPECT_EQ(surface.pixel(x + 2, y), blue) << volume;
        EXPECT_EQ(surface.pixel(x - 2, y), blue) << volume;
        EXPECT_NE(surface.pixel(x, y), blue) << volume << ": a ring, which the line through it shows in";
    }
    // Its text is smoothed: blue enough, not only the pure colour.
    int legend = 0;
    for (int x = 120; x <= 300; ++x) {
        for (int y = 0; y <= 18; ++y) {
            const Colour c = surface.pixel(x, y);
            legend += c.blue > 150 && c.red < 150 && c.green < 150 ? 1 : 0;
        }
    }
    EXPECT_GT(legend, 60);
}
