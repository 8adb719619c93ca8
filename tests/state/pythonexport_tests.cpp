// The Python program of "Exporter en Python…", run as a pupil runs it: it compiles, and the pH and σ
// it prints at each measuring step are the bench's table of values; a hidden concentration stays
// out of it until the pupil types it in.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "chemistry/chemistry.h"
#include "state/actions.h"
#include "state/benchstate.h"
#include "state/conductimetry.h"
#include "state/labmeasurements.h"
#include "state/pythonexport.h"
#include "tests/labpoints.h"
#include "tests/pythonrunner.h"

using namespace state;

namespace {

using testing_python::python;
using testing_python::Ran;

class PythonExportTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!python()) GTEST_SKIP() << "python3 with numpy and matplotlib is not installed";
        folder.emplace();
        setDefaults(bench);
        switchSituation(bench, 0);
    }

    void setField(Field which, const char* text) {
        setFieldText(bench, which, text);
        validateField(bench, which);
    }

    void write(const std::string& text) { folder->write("titrage.py", text); }
    Ran run(const std::string& arguments) { return folder->run(arguments); }

    std::optional<testing_python::PythonFolder> folder;
    BenchState bench;
};

// The lines that are numbers only, from the line after `heading` to the first blank line.
std::vector<std::vector<double>> printedTable(const std::string& out, const std::string& heading) {
    std::vector<std::vector<double>> rows;
    std::istringstream lines(out);
    std::string line;
    bool inside = false;
    while (std::getline(lines, line)) {
        if (!inside) {
            inside = line.rfind(heading, 0) == 0;
            continue;
        }
        if (line.empty()) break;
        std::istringstream cells(line);
        std::vector<double> values;
        double value = 0;
        while (cells >> value) values.push_back(value);
        if (!cells.eof()) return {};  // a cell that is not a number: not this table
        rows.push_back(values);
    }
    return rows;
}

struct BenchSetUp {
    const char* name;
    bool acid;
    int species;
    int second;  // -1: none
    const char* concentration;
    const char* secondConcentration;
    const char* titrant;
    const char* water;
    int stepTenths;
    bool conductimeter;
    const char* pKa = nullptr;  // typed for a free solute
    const char* secondPKa = nullptr;
    friend void PrintTo(const BenchSetUp& s, std::ostream* os) { *os << s.name; }
};

class TableOfValues : public PythonExportTest, public ::testing::WithParamInterface<BenchSetUp> {};

void setUpBench(BenchState& bench, const BenchSetUp& s, const std::function<void(Field, const char*)>& set) {
    chooseNature(bench, s.acid);
    chooseSolute(bench, s.species);
    chooseSecondSolute(bench, s.second);
    set(Field::BeakerConcentration, s.concentration);
    if (s.second >= 0) set(Field::SecondConcentration, s.secondConcentration);
    set(Field::TitrantConcentration, s.titrant);
    set(Field::WaterVolume, s.water);
    if (s.pKa) set(Field::OtherPKa, s.pKa);
    if (s.secondPKa) set(Field::SecondPKa, s.secondPKa);
    setMeasuringStep(bench, s.stepTenths);
    showConductimeter(bench, s.conductimeter);
}

// The printed rows against the rows the bench replays into its table, σ as its meter reads them.
void expectTheBenchTable(const BenchState& bench, const std::string& out) {
    chemistry::EngineState engine;
    const chemistry::Replay replay =
        chemistry::replayMeasurements(bench.solution, catalogue(), bench.stepTenths, engine);
    const std::vector<std::vector<double>> printed = printedTable(out, "V (mL)");
    ASSERT_EQ(printed.size(), replay.rows.size()) << out;
    const std::size_t columns = bench.switches.showConductimeter ? 3 : 2;
    for (std::size_t i = 0; i < printed.size(); ++i) {
        const chemistry::TitrationPoint& row = replay.rows[i];
        ASSERT_EQ(printed[i].size(), columns) << "row " << i;
        EXPECT_NEAR(printed[i][0], row.volume, 0.01) << "row " << i;
        EXPECT_NEAR(printed[i][1], row.pH, 0.01) << "at " << row.volume << " mL";
        if (columns == 3) {
            const std::optional<double> sigma = panelConductivity(bench, row.volume);
            ASSERT_TRUE(sigma) << row.volume;
            EXPECT_NEAR(printed[i][2], *sigma, 0.01 * *sigma) << "σ at " << row.volume << " mL";
        }
    }
}

}  // namespace

TEST_P(TableOfValues, PrintsTheBenchRowsAtEveryStep) {
    const BenchSetUp& s = GetParam();
    setUpBench(bench, s, [this](Field f, const char* text) { setField(f, text); });
    const PythonProgram program = pythonProgram(bench);
    ASSERT_TRUE(program.written()) << program.refusal;
    write(program.text);

    const Ran compiled = run("-m py_compile titrage.py");
    ASSERT_EQ(compiled.status, 0) << compiled.err;
    const Ran ran = run("titrage.py");
    ASSERT_EQ(ran.status, 0) << ran.err;
    expectTheBenchTable(bench, ran.out);
}

INSTANTIATE_TEST_SUITE_P(
    , TableOfValues,
    ::testing::Values(
        BenchSetUp{"EthanoicAcidBySoda", true, 4, -1, "0,01", "", "0,01", "0,0", 5, false},
        BenchSetUp{"AmmoniaByHydrochloricAcidWithWater", false, 1, -1, "0,02", "", "0,015", "10,0", 3, false},
        BenchSetUp{"HydroxideByHydrochloricAcid", false, 8, -1, "0,01", "", "0,01", "0,0", 10, false},
        BenchSetUp{"PhosphoricAcidInTwoJumps", true, 15, -1, "0,01", "", "0,02", "0,0", 5, false},
        BenchSetUp{"HydrochloricAndEthanoicAcids", true, 2, 4, "0,01", "0,005", "0,02", "0,0", 4, false},
        BenchSetUp{"HydrochloricAcidConductimetry", true, 2, -1, "0,01", "", "0,01", "0,0", 5, true},
        BenchSetUp{"AmmoniumChlorideConductimetry", true, 9, -1, "0,01", "", "0,02", "30,0", 5, true},
        BenchSetUp{"SodiumCarbonateConductimetry", false, 15, -1, "0,005", "", "0,02", "10,0", 2, true},
        BenchSetUp{"TwoAcidsConductimetry", true, 15, 7, "0,005", "0,01", "0,05", "0,0", 10, true},
        BenchSetUp{"FreeBaseWithATypedPKa", false, 14, -1, "0,01", "", "0,01", "5,0", 5, false, "8,4"},
        BenchSetUp{"FreeDiacidWithTypedPKa", true, 21, -1, "0,01", "", "0,02", "0,0", 5, true, "3,7", "8,9"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PythonExportTest, AMonoacidProgramStaysShort) {
    chooseSolute(bench, 4);
    const PythonProgram program = pythonProgram(bench);
    ASSERT_TRUE(program.written());
    const auto lines = std::count(program.text.begin(), program.text.end(), '\n');
    EXPECT_LE(lines, 120) << program.text;
}

TEST_F(PythonExportTest, TheLabPointsAreComparedWithTheModel) {
    chooseSolute(bench, 4);
    setMeasurements(bench, testing_points::labPoints({{0, 2.93, 0}, {7.5, 4.61, 0}, {21.25, 11.2, 0}}));
    write(pythonProgram(bench).text);
    const Ran ran = run("titrage.py");
    ASSERT_EQ(ran.status, 0) << ran.err;
    const std::vector<std::vector<double>> printed = printedTable(ran.out, "Mesures du laboratoire");
    const MeasuredPoints& points = currentMeasurements(bench);
    ASSERT_EQ(printed.size(), points.size()) << ran.out;
    const auto model = chemistry::makeTitrationModel(bench.solution, catalogue());
    for (std::size_t i = 0; i < points.size(); ++i) {
        ASSERT_EQ(printed[i].size(), 3u);
        EXPECT_NEAR(printed[i][0], points[i].volume, 0.005);
        EXPECT_NEAR(printed[i][1], testing_points::pHOf(points[i]), 0.005);
        const std::optional<double> pH = model->reading(chemistry::kPhMeter, points[i].volume);
        ASSERT_TRUE(pH);
        EXPECT_NEAR(printed[i][2], *pH, 0.01) << points[i].volume;
    }
}

struct MaskCase {
    const char* name;
    int second;
    const char* concentration;
    const char* secondConcentration;
    std::vector<std::pair<std::string, std::string>> typedIn;  // the None lines and what replaces them
    friend void PrintTo(const MaskCase& c, std::ostream* os) { *os << c.name; }
};

class HiddenConcentration : public PythonExportTest, public ::testing::WithParamInterface<MaskCase> {};

TEST_P(HiddenConcentration, StaysOutUntilThePupilTypesItIn) {
    const MaskCase& c = GetParam();
    chooseSolute(bench, 4);
    chooseSecondSolute(bench, c.second);
    setField(Field::BeakerConcentration, c.concentration);
    if (c.second >= 0) setField(Field::SecondConcentration, c.secondConcentration);
    setConcentrationMasked(bench, true);
    std::string text = pythonProgram(bench).text;
    for (const auto& [line, typed] : c.typedIn) {
        const std::string digits = typed.substr(typed.find('=') + 2);
        EXPECT_EQ(text.find(digits), std::string::npos) << digits;
        ASSERT_NE(text.find(line + "  #"), std::string::npos) << line;
    }
    write(text);
    const Ran refused = run("titrage.py");
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("inconnue"), std::string::npos) << refused.err;
    EXPECT_TRUE(printedTable(refused.out, "V (mL)").empty());

    for (const auto& [line, typed] : c.typedIn) text.replace(text.find(line), line.size(), typed);
    write(text);
    const Ran ran = run("titrage.py");
    ASSERT_EQ(ran.status, 0) << ran.err;
    expectTheBenchTable(bench, ran.out);
}

INSTANTIATE_TEST_SUITE_P(
    , HiddenConcentration,
    ::testing::Values(MaskCase{"OneSolute", -1, "0,0237", "", {{"c0 = None", "c0 = 0.0237"}}},
                      MaskCase{"TwoSolutes",
                               7,
                               "0,0137",
                               "0,0061",
                               {{"c1 = None", "c1 = 0.0137"}, {"c2 = None", "c2 = 0.0061"}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PythonProgram, IsRefusedWhenAParameterIsNotANumber) {
    BenchState bench;
    setDefaults(bench);
    switchSituation(bench, 0);
    setFieldText(bench, Field::BeakerVolume, "vingt");
    const PythonProgram program = pythonProgram(bench);
    EXPECT_FALSE(program.written());
    EXPECT_TRUE(program.text.empty());
    EXPECT_NE(program.refusal.find("nombre"), std::string::npos) << program.refusal;
}
