#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "measurements/measurementreader.h"
#include "tests/labpoints.h"

using namespace measurements;

namespace {

std::vector<unsigned char> bytesOf(const std::string& text) {
    return {text.begin(), text.end()};
}

enum class Wide { Utf16Little, Utf16Big, Utf32Little, Utf32Big };

// Latin-1 text as UTF-16 or UTF-32, as a spreadsheet saves "Unicode text", with its byte-order
// mark or without.
std::vector<unsigned char> wide(const std::string& latin1, Wide form, bool mark = true) {
    const bool utf32 = form == Wide::Utf32Little || form == Wide::Utf32Big;
    const bool little = form == Wide::Utf16Little || form == Wide::Utf32Little;
    const std::size_t width = utf32 ? 4 : 2;
    std::vector<unsigned char> bytes;
    const auto put = [&](unsigned value) {
        for (std::size_t i = 0; i < width; ++i) {
            const std::size_t shift = 8 * (little ? i : width - 1 - i);
            bytes.push_back(static_cast<unsigned char>((value >> shift) & 0xFF));
        }
    };
    if (mark) put(0xFEFF);
    for (const char c : latin1) put(static_cast<unsigned char>(c));
    return bytes;
}

struct ShapeCase {
    const char* why;
    std::vector<unsigned char> bytes;
    std::vector<testing_points::PhPoint> points;
    bool hasConductivity = false;
    std::vector<std::string> skipped = {};
    std::vector<int> unordered = {};
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.why;
}

const std::vector<testing_points::PhPoint> kTwoPoints = {{0, 2.9}, {12.5, 4.75}};

}  // namespace

class RealWorldShapes : public ::testing::TestWithParam<ShapeCase> {};

TEST_P(RealWorldShapes, GiveTheirPoints) {
    const ShapeCase& c = GetParam();
    const ReadResult result = readMeasurements(c.bytes, state::labReadings());
    ASSERT_TRUE(result.ok()) << c.why << ": " << result.error;
    EXPECT_EQ(result.points, testing_points::labPoints(c.points)) << c.why;
    EXPECT_EQ(result.has(state::conductivityReading()), c.hasConductivity) << c.why;
    EXPECT_EQ(result.skippedColumns, c.skipped) << c.why;
    EXPECT_EQ(result.unorderedLines, c.unordered) << c.why;
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
        ShapeCase{"named columns in another order, the others skipped and named",
                  bytesOf("t (s);pH;T (°C);V/mL\n0;2,9;21,5;0\n30;4,75;21,6;12,5\n"),
                  kTwoPoints,
                  false,
                  {"t (s)", "T (°C)"}},
        ShapeCase{"an unknown third column is not taken for sigma",
                  bytesOf("V;pH;T\n0;2,9;21\n12,5;4,75;21\n"),
                  kTwoPoints,
                  false,
                  {"T"}},
        ShapeCase{"lines where the named columns are empty are skipped",
                  bytesOf("V (mL);pH;V théorique (mL);pH théorique\n0;2,9;0;2,88\n;;0,5;3,1\n12,5;4,75;;\n"),
                  kTwoPoints,
                  false,
                  {"V théorique (mL)", "pH théorique"}},
        ShapeCase{"Windows-1252 names", bytesOf("Volume vers\xE9 (mL);pH\n0;2,9\n12,5;4,75\n"), kTwoPoints},
        ShapeCase{"UTF-16 with its mark", wide("V\tpH\r\n0\t2,9\r\n12,5\t4,75\r\n", Wide::Utf16Little),
                  kTwoPoints},
        ShapeCase{
            "the burette's and the meter's limits themselves", bytesOf("0;0\n25;14\n"), {{0, 0}, {25, 14}}},
        // A comma-separated file with decimal commas: the reading where every row has the
        // heading's two fields.
        ShapeCase{"decimal commas between commas under a heading",
                  bytesOf("V (mL),pH\n0,0,2,90\n12,5,4,75\n"), kTwoPoints},
        ShapeCase{"decimal commas between commas without a heading", bytesOf("0,0,2,90\r\n12,5,4,75\r\n"),
                  kTwoPoints},
        ShapeCase{"a reading where every row has the heading's count wins",
                  bytesOf("V,pH,a,b\n0,2,9,1\n"),
                  {{0, 2}},
                  false,
                  {"a", "b"}},
        ShapeCase{"a time column first is skipped and named, never the volume",
                  bytesOf("t (s);V (mL);pH\n0;0;2,9\n30;12,5;4,75\n"),
                  kTwoPoints,
                  false,
                  {"t (s)"}},
        ShapeCase{"a heading in another language",
                  bytesOf("Zeit\tV\tpH\n0\t0\t2.9\n9\t12.5\t4.75\n"),
                  kTwoPoints,
                  false,
                  {"Zeit"}},
        ShapeCase{"headings and units in capitals",
                  bytesOf("VOLUME (ML);PH;CONDUCTIVIT\xC3\x89 (MS/CM)\n0;2,9;0,12\n12,5;4,75;0,15\n"),
                  {{0, 2.9, 0.12}, {12.5, 4.75, 0.15}},
                  true},
        ShapeCase{"sigma in microsiemens brought to mS/cm",
                  bytesOf("Vb/mL;pH;\xCF\x83 [\xC2\xB5S/cm]\n0;2,9;120\n12,5;4,75;150\n"),
                  {{0, 2.9, 0.12}, {12.5, 4.75, 0.15}},
                  true},
        ShapeCase{"the units on a line of their own",
                  bytesOf("V;pH;sigma\ncm3;;S.m-1\n0;2,9;0,5\n12,5;4,75;2\n"),
                  {{0, 2.9, 5}, {12.5, 4.75, 20}},
                  true},
        ShapeCase{
            "volumes in litres", bytesOf("V (L);pH\n0;2,9\n0,015625;4,75\n"), {{0, 2.9}, {15.625, 4.75}}},
        ShapeCase{"sigma left out of a row under a heading was not measured there",
                  bytesOf("V;pH;\xCF\x83\n0;2,9;0,12\n12,5;4,75\n"),
                  {{0, 2.9, 0.12}, {12.5, 4.75, 0}},
                  true},
        ShapeCase{"equal and decreasing volumes kept and their lines given",
                  bytesOf("V;pH\n0;2,9\n5;3,5\n5;3,6\n\n4;3,4\n12,5;4,75\n"),
                  {{0, 2.9}, {5, 3.5}, {5, 3.6}, {4, 3.4}, {12.5, 4.75}},
                  false,
                  {},
                  {4, 6}},
        ShapeCase{"equal volumes without a heading",
                  bytesOf("0;2,9\n0;2,95\n12,5;4,75\n"),
                  {{0, 2.9}, {0, 2.95}, {12.5, 4.75}},
                  false,
                  {},
                  {2}},
        ShapeCase{"UTF-16 without its mark", wide("V;pH\n0;2,9\n12,5;4,75\n", Wide::Utf16Little, false),
                  kTwoPoints},
        ShapeCase{"big-endian UTF-16 without its mark",
                  wide("Volume vers\xE9;pH\n0;2,9\n12,5;4,75\n", Wide::Utf16Big, false), kTwoPoints},
        ShapeCase{"UTF-32 with its mark", wide("V;pH\n0;2,9\n12,5;4,75\n", Wide::Utf32Little), kTwoPoints},
        ShapeCase{"UTF-32 without its mark", wide("V;pH\n0;2,9\n12,5;4,75\n", Wide::Utf32Big, false),
                  kTwoPoints}));

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
    const ReadResult result = readMeasurements(c.text, state::labReadings());
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
        RefusalCase{"a decimal comma between decimal points", "0,2.9\n12,5,4.75\n", 2,
                    "Ligne 2 : « 12,5,4.75 » n'est pas une mesure (volume en mL puis pH)."},
        RefusalCase{"commas that neither reading separates into the heading's fields",
                    "V (mL),pH\n0,0,2,90\n1,3,10\n", 3,
                    "Ligne 3 : « 1,3,10 » : la virgule y sépare les colonnes et sert aussi de virgule "
                    "décimale, on ne peut pas savoir où finit chaque nombre. Enregistrez le fichier avec des "
                    "points-virgules entre les colonnes."},
        RefusalCase{"more fields than the heading names", "V;pH\n0;2,9\n2;5;3\n", 3,
                    "Ligne 3 : « 2;5;3 » a plus de colonnes que la ligne de titres (3 au lieu de 2)."},
        RefusalCase{"a time column is never the volume", "t (s);pH\n0;2,9\n30;3,5\n", 1,
                    "Ligne 1 : aucune colonne ne donne le volume versé : donnez-lui le titre « V (mL) »."},
        RefusalCase{"headings it knows none of", "Zeit;Wert\n0;2,9\n", 1,
                    "Ligne 1 : aucune colonne ne donne le volume versé : donnez-lui le titre « V (mL) »."},
        RefusalCase{"two volume columns", "V;pH;Vb\n0;2,9;0\n", 1,
                    "Ligne 1 : les colonnes « V » et « Vb » donnent toutes deux le volume versé : gardez-en "
                    "une seule."},
        RefusalCase{"a unit it cannot convert", "V (gal);pH\n0;2,9\n", 1,
                    "Ligne 1 : l'unité de « V (gal) » n'est pas connue (le volume en mL, cm³ ou L)."},
        RefusalCase{
            "without headings, a first column that goes down is not the volumes", "2,9;0\n3,5;5\n2,1;12,5\n",
            3,
            "Ligne 3 : le volume « 2,1 » est plus petit que celui de la mesure précédente. Sans ligne "
            "de titres, la première colonne doit donner les volumes versés, en croissant : ajoutez en "
            "tête une ligne de titres qui nomme les colonnes, par exemple « V (mL) » et « pH »."},
        RefusalCase{
            "zero bytes where no wide encoding puts them", std::string("V;pH\0\0\0\n\0\0;2\0\0\0,9\n", 17), 0,
            "Le fichier contient des octets nuls sans être un texte en UTF-16 ni en UTF-32 : ce n'est "
            "pas un fichier de mesures. Enregistrez-le depuis le tableur au format « CSV UTF-8 » ou "
            "« Texte »."},
        RefusalCase{"two decimal marks", "0;2,9\n1,2.5;3\n", 2,
                    "Ligne 2 : « 1,2.5;3 » n'est pas une mesure (volume en mL puis pH)."},
        RefusalCase{"an infinite number", "0;2,9\n1;1e999\n", 2,
                    "Ligne 2 : « 1;1e999 » n'est pas une mesure (volume en mL puis pH)."},
        RefusalCase{"four columns without names", "0;2,9;1;1\n", 1,
                    "Ligne 1 : « 0;2,9;1;1 » a trop de colonnes : il faut le volume en mL, le pH et, s'il y "
                    "en a, σ en mS/cm."},
        RefusalCase{"names that give no pH column", "Titrage\nV;sigma\n0;0,12\n", 2,
                    "Ligne 2 : aucune colonne ne donne le pH : donnez-lui le titre « pH »."},
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
    EXPECT_TRUE(readMeasurements(thousands, state::labReadings()).ok()) << "exactly the largest count";
    EXPECT_EQ(readMeasurements(thousands, state::labReadings()).points.size(), kMaxPoints);

    const ReadResult tooMany = readMeasurements(thousands + "12,5;7\n", state::labReadings());
    EXPECT_EQ(tooMany.error, "Le fichier contient plus de 60 000 mesures : c'est trop pour un titrage.");
    EXPECT_EQ(tooMany.errorLine, static_cast<int>(kMaxPoints) + 1);
    EXPECT_TRUE(tooMany.points.empty());

    std::string large = "0;2,9\n";
    large.resize(kMaxFileBytes, ' ');  // blanks at the end of the last line: still a sound file
    EXPECT_TRUE(readMeasurements(large, state::labReadings()).ok());
    const ReadResult tooLarge = readMeasurements(large + " ", state::labReadings());
    EXPECT_EQ(tooLarge.error, "Le fichier dépasse 4 Mo : c'est trop pour un fichier de mesures.");
    EXPECT_TRUE(tooLarge.points.empty());
}

TEST(MeasurementReaderMessages, SayWhatWasReadAndWhatWasLeftAside) {
    struct Case {
        std::size_t points;
        std::vector<std::string> skipped;
        std::vector<int> unordered;
        std::string summary;
        std::string warning;
    };
    const std::string kKept = " : le volume n'est pas plus grand que celui de la mesure précédente. ";
    const Case cases[] = {
        {34, {}, {}, "34 mesures importées", ""},
        {1,
         {"t (s)"},
         {3},
         "1 mesure importée ; colonne ignorée : « t (s) »",
         "Ligne 3" + kKept + "La mesure est gardée telle qu'elle a été prise."},
        {1234,
         {"a", "b"},
         {4, 9},
         "1\u00A0234 mesures importées ; colonnes ignorées : « a », « b »",
         "Lignes 4 et 9" + kKept + "Ces mesures sont gardées telles qu'elles ont été prises."},
        {10,
         {"a", "b", "c", "d", "e", "f"},
         {2, 3, 4, 5, 6, 7, 8},
         "10 mesures importées ; colonnes ignorées : « a », « b », « c », « d », « e », …",
         "Lignes 2, 3, 4, 5, 6, 7… (7 lignes)" + kKept +
             "Ces mesures sont gardées telles qu'elles ont été prises."},
    };
    for (const Case& c : cases) {
        ReadResult read;
        read.points.resize(c.points);
        read.skippedColumns = c.skipped;
        read.unorderedLines = c.unordered;
        EXPECT_EQ(importSummary(read), c.summary);
        EXPECT_EQ(orderWarning(read), c.warning);
    }
}

namespace {

// A reading the program does not ship, given to the reader as the meters' table gives its own:
// the reader knows it by its entry alone.
constexpr std::string_view kTemperatureNames[] = {"t", "θ", "température"};
constexpr LabUnit kTemperatureUnits[] = {{"°c", 1}};

std::vector<LabReading> withTemperature() {
    std::vector<LabReading> readings(state::labReadings().begin(), state::labReadings().end());
    LabReading temperature;
    temperature.id = "temperature";
    temperature.slot = readings.size();
    temperature.names = kTemperatureNames;
    temperature.units = kTemperatureUnits;
    temperature.named = "la température";
    temperature.valueNamed = "la température";
    temperature.column = "θ en °C";
    temperature.unitsKnown = "θ en °C";
    temperature.least = -20;
    temperature.most = 100;
    temperature.outOfRange = " n'est pas entre -20 et 100 °C.";
    temperature.entryPicture = "#0.0";
    readings.push_back(temperature);
    return readings;
}

struct ReadingCase {
    const char* why;
    std::string text;
    // The temperature of each point read; nothing where it was not measured.
    std::vector<std::optional<double>> temperatures;
    std::string error;
};

}  // namespace

TEST(MeasurementReader, ReadsAReadingItIsGivenAsData) {
    const std::vector<LabReading> readings = withTemperature();
    const std::size_t slot = readings.back().slot;
    const ReadingCase cases[] = {
        {"its column, left out of a row", "V (mL);pH;T (°C)\n0;2,9;21,5\n1;3,1;\n", {21.5, std::nullopt}, ""},
        {"beside sigma, in any order", "θ;σ (µS/cm);V;pH\n22;120;0;2,9\n", {22}, ""},
        {"beyond its range",
         "V;pH;température\n0;2,9;150\n",
         {},
         "Ligne 2 : la température « 150 » n'est pas entre -20 et 100 °C."},
        {"a unit it does not know",
         "V;pH;T (K)\n0;2,9;295\n",
         {},
         "Ligne 1 : l'unité de « T (K) » n'est pas connue (θ en °C)."},
        {"never by position", "0;2,9;0,12\n", {std::nullopt}, ""},
    };
    for (const ReadingCase& c : cases) {
        SCOPED_TRACE(c.why);
        const ReadResult read = readMeasurements(c.text, readings);
        EXPECT_EQ(read.error, c.error);
        ASSERT_EQ(read.points.size(), c.temperatures.size());
        for (std::size_t i = 0; i < read.points.size(); ++i) {
            EXPECT_EQ(read.points[i].has(slot), c.temperatures[i].has_value());
            if (c.temperatures[i]) {
                EXPECT_DOUBLE_EQ(read.points[i].reading(slot), *c.temperatures[i]);
            }
            EXPECT_TRUE(read.points[i].has(state::phReading().slot));
        }
    }
    // Without its entry, the same column is one the reader leaves aside.
    const ReadResult without = readMeasurements(std::string_view("V;pH;θ\n0;2,9;21\n"), state::labReadings());
    EXPECT_EQ(without.skippedColumns, std::vector<std::string>{"θ"});
}
