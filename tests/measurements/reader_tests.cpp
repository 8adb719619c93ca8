#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "measurements/measurementreader.h"

using namespace measurements;

namespace {

std::vector<unsigned char> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

// UTF-16 little endian with its mark, as a spreadsheet saves "Unicode text".
std::vector<unsigned char> utf16le(const std::string& ascii) {
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    for (const char c : ascii) {
        bytes.push_back(static_cast<unsigned char>(c));
        bytes.push_back(0);
    }
    return bytes;
}

struct ShapeCase {
    const char* why;
    std::vector<unsigned char> bytes;
    std::vector<MeasuredPoint> points;
    bool hasConductivity = false;
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.why;
}

const std::vector<MeasuredPoint> kTwoPoints = {{0, 2.9}, {12.5, 4.75}};

}  // namespace

class RealWorldShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(RealWorldShapes, GiveTheirPoints) {
    const ShapeCase& c = GetParam();
    const ReadResult result = readMeasurements(c.bytes);
    ASSERT_TRUE(result.ok()) << c.why << ": " << result.error;
    EXPECT_EQ(result.points, c.points) << c.why;
    EXPECT_EQ(result.hasConductivity, c.hasConductivity) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    MeasurementReader, RealWorldShapes,
    ::testing::Values(
        ShapeCase{"semicolons and decimal commas, no header", bytesOf("0;2,9\n12,5;4,75\n"), kTwoPoints},
        ShapeCase{"tabs and decimal points with names and units, as Regressi exports",
                  bytesOf("V\tpH\nmL\t\n0\t2.9\n12.5\t4.75\n"), kTwoPoints},
        ShapeCase{"commas between decimal points", bytesOf("V (mL),pH\n0,2.9\n12.5,4.75\n"), kTwoPoints},
        ShapeCase{"quoted decimal commas between commas, as an online spreadsheet writes them",
                  bytesOf("\"V (mL)\",\"pH\"\n\"0\",\"2,9\"\n\"12,5\",\"4,75\"\n"), kTwoPoints},
        ShapeCase{"byte-order mark and CRLF", bytesOf("\xEF\xBB\xBFV;pH\r\n0;2,9\r\n12,5;4,75\r\n"),
                  kTwoPoints},
        ShapeCase{"lone CR line ends and no end on the last line", bytesOf("V;pH\r0;2,9\r12,5;4,75"),
                  kTwoPoints},
        ShapeCase{"trailing separators and blanks around fields",
                  bytesOf("V;pH;;\n 0 ; 2,9 ;\n12,5;4,75;;;\n"), kTwoPoints},
        ShapeCase{"comments, blank lines and separator-only lines",
                  bytesOf("# titrage du 12 mars\n// groupe 3\n\n;;\n0;2,9\n  \n;;;\n12,5;4,75\n# fin\n"),
                  kTwoPoints},
        ShapeCase{"a semicolon comment in a tab file", bytesOf("; essai\n0\t2.9\n12.5\t4.75\n"), kTwoPoints},
        ShapeCase{"a unit line alone", bytesOf("mL;pH\n0;2,9\n12,5;4,75\n"), kTwoPoints},
        ShapeCase{"a title then names then units",
                  bytesOf("Titrage du vinaigre\nV;pH\nmL;\n0;2,9\n12,5;4,75\n"), kTwoPoints},
        ShapeCase{"exponents", bytesOf("0;2.9E0\n1,25e1;475e-2\n"), kTwoPoints},
        ShapeCase{"a third column is sigma",
                  bytesOf("V (mL);pH;sigma (mS/cm)\n0;2,9;0,12\n12,5;4,75;1,5e-1\n"),
                  {{0, 2.9, 0.12}, {12.5, 4.75, 0.15}},
                  true},
        ShapeCase{"named columns in another order, others ignored",
                  bytesOf("t (s);pH;T (°C);V/mL\n0;2,9;21,5;0\n30;4,75;21,6;12,5\n"), kTwoPoints},
        ShapeCase{"an unknown third column is not taken for sigma",
                  bytesOf("V;pH;T\n0;2,9;21\n12,5;4,75;21\n"), kTwoPoints},
        ShapeCase{"lines where the named columns are empty are skipped",
                  bytesOf("V (mL);pH;V théorique (mL);pH théorique\n0;2,9;0;2,88\n;;0,5;3,1\n12,5;4,75;;\n"),
                  kTwoPoints},
        ShapeCase{"Windows-1252 names", bytesOf("Volume vers\xE9 (mL);pH\n0;2,9\n12,5;4,75\n"), kTwoPoints},
        ShapeCase{"UTF-16 with its mark", utf16le("V\tpH\r\n0\t2,9\r\n12,5\t4,75\r\n"), kTwoPoints},
        ShapeCase{
            "the burette's and the meter's limits themselves", bytesOf("0;0\n25;14\n"), {{0, 0}, {25, 14}}}));

struct RefusalCase {
    const char* why;
    std::string text;
    int line;
    std::string message;
};

void PrintTo(const RefusalCase& c, std::ostream* os) {
    *os << c.why;
}

class Refusals : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(Refusals, NameTheLineAndGiveNoPoint) {
    const RefusalCase& c = GetParam();
    const ReadResult result = readMeasurements(c.text);
    EXPECT_FALSE(result.ok()) << c.why;
    EXPECT_TRUE(result.points.empty()) << c.why;
    EXPECT_EQ(result.errorLine, c.line) << c.why;
    EXPECT_EQ(result.error, c.message) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    MeasurementReader, Refusals,
    ::testing::Values(
        RefusalCase{"a word where the pH goes", "V;pH\nmL;pH\n0;2,9\n\n# ok\n12;4,6\n12,5;abc\n13;5\n", 7,
                    "Ligne 7 : « 12,5;abc » n'est pas une mesure (volume en mL puis pH)."},
        RefusalCase{"a line of text after the measurements", "0;2,9\nfin du titrage\n", 2,
                    "Ligne 2 : « fin du titrage » n'est pas une mesure (volume en mL puis pH)."},
        RefusalCase{"a missing sigma in a three-column file", "0;2,9;0,1\n1;3,1\n", 2,
                    "Ligne 2 : « 1;3,1 » n'est pas une mesure (volume en mL, pH puis σ en mS/cm)."},
        RefusalCase{"a decimal comma between commas", "0,2.9\n12,5,4.75\n", 2,
                    "Ligne 2 : « 12,5,4.75 » n'est pas une mesure (volume en mL puis pH)."},
        RefusalCase{"two decimal marks", "0;2,9\n1,2.5;3\n", 2,
                    "Ligne 2 : « 1,2.5;3 » n'est pas une mesure (volume en mL puis pH)."},
        RefusalCase{"an infinite number", "0;2,9\n1;1e999\n", 2,
                    "Ligne 2 : « 1;1e999 » n'est pas une mesure (volume en mL puis pH)."},
        RefusalCase{"four columns without names", "0;2,9;1;1\n", 1,
                    "Ligne 1 : « 0;2,9;1;1 » a trop de colonnes : il faut le volume en mL, le pH et, s'il y "
                    "en a, σ en mS/cm."},
        RefusalCase{
            "names that give no pH column", "Titrage\nV;sigma\n0;0,12\n", 2,
            "Ligne 2 : « V;sigma » ne nomme pas une colonne de volumes en mL puis une colonne de pH."},
        RefusalCase{"a volume beyond the burette", "0;2,9\n25,5;11\n", 2,
                    "Ligne 2 : le volume « 25,5 » n'est pas dans la burette (de 0 à 25 mL)."},
        RefusalCase{"a negative volume", "-0,5;2,9\n", 1,
                    "Ligne 1 : le volume « -0,5 » n'est pas dans la burette (de 0 à 25 mL)."},
        RefusalCase{"a pH above 14", "0;2,9\n\n1;14,2\n", 3,
                    "Ligne 3 : le pH « 14,2 » n'est pas entre 0 et 14."},
        RefusalCase{"a negative conductivity", "V;pH;σ\n0;2,9;-0,1\n", 2,
                    "Ligne 2 : la conductivité « -0,1 » est négative (σ en mS/cm)."},
        RefusalCase{
            "a long line is cut in the message", "0;2,9\n1;" + std::string(60, 'x') + "\n", 2,
            "Ligne 2 : « 1;" + std::string(38, 'x') + "… » n'est pas une mesure (volume en mL puis pH)."},
        RefusalCase{
            "names only", "V;pH\nmL;\n", 0,
            "Le fichier ne contient aucune mesure (une colonne de volumes en mL, puis une colonne de pH)."},
        RefusalCase{
            "an empty file", "", 0,
            "Le fichier ne contient aucune mesure (une colonne de volumes en mL, puis une colonne de pH)."}));

TEST(MeasurementReaderLimits, RefuseFilesBeyondTheirSizeAndPointCount) {
    std::string thousands;
    for (std::size_t i = 0; i < kMaxPoints; ++i) thousands += "12,5;7\n";
    EXPECT_TRUE(readMeasurements(thousands).ok()) << "exactly the largest count";
    EXPECT_EQ(readMeasurements(thousands).points.size(), kMaxPoints);

    const ReadResult tooMany = readMeasurements(thousands + "12,5;7\n");
    EXPECT_EQ(tooMany.error, "Le fichier contient plus de 10 000 mesures : c'est trop pour un titrage.");
    EXPECT_EQ(tooMany.errorLine, static_cast<int>(kMaxPoints) + 1);
    EXPECT_TRUE(tooMany.points.empty());

    std::string large = "0;2,9\n";
    large.resize(kMaxFileBytes, ' ');  // blanks at the end of the last line: still a sound file
    EXPECT_TRUE(readMeasurements(large).ok());
    const ReadResult tooLarge = readMeasurements(large + " ");
    EXPECT_EQ(tooLarge.error, "Le fichier dépasse 1 Mo : c'est trop pour un fichier de mesures.");
    EXPECT_TRUE(tooLarge.points.empty());
}
