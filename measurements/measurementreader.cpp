#include "measurements/measurementreader.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "measurements/measurementreaderfields.h"
#include "measurements/measurementreaderheadings.h"
#include "measurements/textdecoding.h"

namespace measurements {

namespace {

// Which field of a row holds each quantity (the volume first, then the readings in their order),
// and the factor of its unit; -1 for none.
struct Column {
    const LabReading* quantity = nullptr;
    int index = -1;
    double factor = 1;
    bool unitGiven = false;
};

struct Layout {
    bool named = false;  // from a heading row
    int fields = 0;      // the heading row's count; without one, the first measurement's
    std::vector<Column> columns;
    std::vector<std::string> skipped;

    Column& volume() { return columns.front(); }
    const Column& volume() const { return columns.front(); }
    Column* columnOf(const LabReading* quantity) {
        for (Column& column : columns) {
            if (column.quantity == quantity) return &column;
        }
        return nullptr;
    }
};

// The columns a file without headings gives: the volume, then the required readings.
Layout layoutFor(std::span<const LabReading> readings) {
    Layout layout;
    layout.columns.push_back({&volumeReading(), 0});
    int next = 1;
    for (const LabReading& reading : readings) {
        layout.columns.push_back({&reading, reading.required && reading.positional ? next++ : -1});
    }
    return layout;
}

// The fields of a comma-separated row as they stand, or paired as numbers with decimal commas.
enum class Reading { Fields, DecimalCommas };
enum class Failure { None, Count, Value };

struct Attempt {
    ReadResult result;
    Failure failure = Failure::None;
    int line = 0;       // the line that failed
    bool exact = true;  // every row has the heading row's count of fields
};

struct Preamble {
    std::size_t firstRow = 0;  // the first measurement's index in the lines
    Layout layout;
    std::string error;
    int errorLine = 0;
};

bool isIgnored(std::string_view line, char separator) {
    line = trim(line);
    if (line.empty() || line.front() == '#' || line.starts_with("//")) return true;
    if (separator != ';' && line.front() == ';') return true;
    return std::all_of(line.begin(), line.end(), [&](char c) { return c == separator || isBlank(c); });
}

// Decided once for the file, from the lines that start like a measurement.
char chooseSeparator(const std::vector<std::string_view>& lines) {
    bool semicolon = false;
    for (const std::string_view line : lines) {
        if (!startsLikeNumber(line)) continue;
        if (line.find('\t') != std::string_view::npos) return '\t';
        if (line.find(';') != std::string_view::npos) semicolon = true;
    }
    return semicolon ? ';' : ',';
}

std::string lineLabel(int line) {
    return "Ligne " + std::to_string(line) + " : ";
}

// "(volume en mL puis pH)", "(volume en mL, pH puis σ en mS/cm)": the columns a row gives.
std::string columnsWanted(const Layout& layout) {
    std::vector<std::string_view> given;
    for (const Column& column : layout.columns) {
        if (column.index >= 0) given.push_back(column.quantity->column);
    }
    std::string text = "(";
    for (std::size_t i = 0; i < given.size(); ++i) {
        if (i > 0) text += i + 1 == given.size() ? " puis " : ", ";
        text += given[i];
    }
    return text + ")";
}

// "il faut le volume en mL, le pH et, s'il y en a, σ en mS/cm": what a file without headings gives.
std::string positionalColumns(std::span<const LabReading> readings) {
    std::string text = "il faut " + std::string(volumeReading().listed);
    std::string optional;
    for (const LabReading& reading : readings) {
        if (!reading.positional) continue;
        if (reading.required) {
            text += ", " + std::string(reading.listed);
        } else {
            optional += (optional.empty() ? "" : ", ") + std::string(reading.listed);
        }
    }
    if (!optional.empty()) text += " et, s'il y en a, " + optional;
    return text;
}

int positionalCount(std::span<const LabReading> readings) {
    return 1 + static_cast<int>(std::count_if(readings.begin(), readings.end(),
                                              [](const LabReading& r) { return r.positional; }));
}

std::string field(const std::vector<std::string>& fields, int index) {
    return index >= 0 && index < static_cast<int>(fields.size()) ? fields[index] : std::string();
}

bool namesAQuantity(const std::vector<std::string>& fields, std::span<const LabReading> readings) {
    return std::any_of(fields.begin(), fields.end(),
                       [&](const std::string& f) { return readHeading(f, readings).quantity != nullptr; });
}

// The columns a heading row names; the message that refuses it otherwise.
std::optional<std::string> readHeadingRow(const std::vector<std::string>& fields, int number,
                                          std::span<const LabReading> readings, Layout& layout) {
    layout = layoutFor(readings);
    layout.named = true;
    layout.fields = static_cast<int>(fields.size());
    for (Column& column : layout.columns) column.index = -1;
    for (int i = 0; i < layout.fields; ++i) {
        const Heading heading = readHeading(fields[i], readings);
        if (!heading.quantity) {
            if (!fields[i].empty()) layout.skipped.push_back(shown(fields[i]));
            continue;
        }
        if (heading.unknownUnit) {
            return lineLabel(number) + "l'unité de « " + shown(fields[i]) + " » n'est pas connue (" +
                   std::string(heading.quantity->unitsKnown) + ").";
        }
        Column* column = layout.columnOf(heading.quantity);
        if (!column) continue;
        if (column->index >= 0) {
            return lineLabel(number) + "les colonnes « " + shown(fields[column->index]) + " » et « " +
                   shown(fields[i]) + " » donnent toutes deux " + std::string(heading.quantity->named) +
                   " : gardez-en une seule.";
        }
        column->index = i;
        column->factor = heading.factor;
        column->unitGiven = heading.unitGiven;
    }
    for (const Column& column : layout.columns) {
        if (column.quantity->required && column.index < 0) {
            return lineLabel(number) + "aucune colonne ne donne " + std::string(column.quantity->named) +
                   " : donnez-lui le titre « " + std::string(column.quantity->title) + " ».";
        }
    }
    return std::nullopt;
}

// A line of units under the headings ("mL;;µS/cm") gives the units the headings left out.
void readUnitRow(const std::vector<std::string>& fields, std::span<const LabReading> readings,
                 Layout& layout) {
    for (Column& column : layout.columns) {
        const auto unit = unitNamed(field(fields, column.index), readings);
        if (!column.unitGiven && unit && unit->quantity == column.quantity) column.factor = unit->factor;
    }
}

// The titles before the first measurement: the heading row (the first that names a quantity,
// else the last with several fields), the units under it, and where the measurements start.
Preamble readPreamble(const std::vector<std::string_view>& lines, char separator,
                      std::span<const LabReading> readings) {
    Preamble preamble;
    preamble.layout = layoutFor(readings);
    preamble.firstRow = lines.size();
    std::vector<std::string> lastWide;
    int lastWideNumber = 0;
    bool headed = false;
    bool unitsRead = false;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const int number = static_cast<int>(index) + 1;
        if (isIgnored(lines[index], separator)) continue;
        const std::vector<std::string> fields = splitFields(lines[index], separator);
        if (fields.empty()) continue;
        if (readNumber(field(fields, headed ? preamble.layout.volume().index : 0))) {
            preamble.firstRow = index;
            break;
        }
        if (headed) {
            if (!unitsRead) readUnitRow(fields, readings, preamble.layout);
            unitsRead = true;
        } else if (namesAQuantity(fields, readings)) {
            headed = true;
            if (auto error = readHeadingRow(fields, number, readings, preamble.layout)) {
                preamble.error = std::move(*error);
                preamble.errorLine = number;
                return preamble;
            }
        } else if (fields.size() > 1) {
            lastWide = fields;
            lastWideNumber = number;
        }
    }
    // Headings the reader knows none of ("Zeit;Wert") still head their columns: none is a volume.
    if (!headed && lastWideNumber > 0) {
        if (auto error = readHeadingRow(lastWide, lastWideNumber, readings, preamble.layout)) {
            preamble.error = std::move(*error);
            preamble.errorLine = lastWideNumber;
        }
    }
    return preamble;
}

// The measurement of a row, or the message that refuses it.
std::optional<std::string> readPoint(const std::vector<std::string>& fields, const Layout& layout,
                                     std::string_view line, int number, MeasuredPoint& point) {
    const auto notAMeasurement = [&] {
        return lineLabel(number) + "« " + shown(line) + " » n'est pas une mesure " + columnsWanted(layout) +
               ".";
    };
    point = MeasuredPoint{};
    // Read every field first: a row that is not numbers says so before any value is refused.
    std::vector<std::optional<double>> values;
    for (const Column& column : layout.columns) {
        const std::string text = field(fields, column.index);
        // Under a heading, an optional reading may be left out of a row: it was not measured there.
        const bool left = column.index < 0 || (layout.named && !column.quantity->required && text.empty());
        values.push_back(left ? std::nullopt : readNumber(text));
        if (!left && !values.back()) return notAMeasurement();
    }
    for (std::size_t i = 0; i < layout.columns.size(); ++i) {
        if (!values[i]) continue;
        const Column& column = layout.columns[i];
        const LabReading& quantity = *column.quantity;
        const double value = *values[i] * column.factor;
        if (!(value >= quantity.least && value <= quantity.most)) {
            return lineLabel(number) + std::string(quantity.valueNamed) + " « " +
                   shown(field(fields, column.index)) + " »" + std::string(quantity.outOfRange);
        }
        if (!std::isfinite(value)) return notAMeasurement();
        if (i == 0) {
            point.volume = value;
        } else {
            point.set(quantity.slot, value);
        }
    }
    return std::nullopt;
}

Attempt readRows(const std::vector<std::string_view>& lines, std::size_t first, char separator, Layout layout,
                 std::span<const LabReading> readings, Reading reading) {
    Attempt attempt;
    ReadResult& result = attempt.result;
    const auto fail = [&](int number, Failure failure, std::string message) {
        attempt.failure = failure;
        attempt.line = number;
        result = ReadResult{};
        result.error = std::move(message);
        result.errorLine = number;
        return attempt;
    };
    double previous = 0;
    for (std::size_t index = first; index < lines.size(); ++index) {
        const int number = static_cast<int>(index) + 1;
        const std::string_view line = lines[index];
        if (isIgnored(line, separator)) continue;
        std::vector<std::string> fields = splitFields(line, separator);
        if (fields.empty()) continue;
        const auto notAMeasurement = [&] {
            return lineLabel(number) + "« " + shown(line) + " » n'est pas une mesure " +
                   columnsWanted(layout) + ".";
        };
        if (reading == Reading::DecimalCommas) {
            auto paired = pairDecimalCommas(fields);
            if (!paired) return fail(number, Failure::Count, notAMeasurement());
            fields = std::move(*paired);
        }
        const int count = static_cast<int>(fields.size());
        if (layout.named) {
            if (count > layout.fields) {
                return fail(number, Failure::Count,
                            lineLabel(number) + "« " + shown(line) +
                                " » a plus de colonnes que la ligne de titres (" + std::to_string(count) +
                                " au lieu de " + std::to_string(layout.fields) + ").");
            }
            attempt.exact = attempt.exact && count == layout.fields;
            const bool others = std::all_of(layout.columns.begin(), layout.columns.end(),
                                            [&](const Column& c) { return field(fields, c.index).empty(); });
            if (others) continue;  // a row of the other columns only
        } else {
            if (layout.fields == 0) {
                layout.fields = count;
                if (count > positionalCount(readings)) {
                    return fail(number, Failure::Count,
                                lineLabel(number) + "« " + shown(line) +
                                    " » a trop de colonnes : " + positionalColumns(readings) + ".");
                }
                // The optional readings, in their order, as far as the first row goes.
                int next = 1;
                for (Column& column : layout.columns) next = std::max(next, column.index + 1);
                for (Column& column : layout.columns) {
                    if (column.index < 0 && column.quantity->positional && next < count)
                        column.index = next++;
                }
            }
            if (count != layout.fields) return fail(number, Failure::Count, notAMeasurement());
        }
        MeasuredPoint point;
        if (auto message = readPoint(fields, layout, line, number, point)) {
            return fail(number, Failure::Value, std::move(*message));
        }
        if (!result.points.empty() && point.volume <= previous) {
            // Without headings, volumes that go down are the sign of another first column.
            if (!layout.named && point.volume < previous) {
                return fail(
                    number, Failure::Value,
                    lineLabel(number) + "le volume « " + shown(field(fields, 0)) +
                        " » est plus petit que celui de la mesure précédente. Sans ligne de titres, la "
                        "première colonne doit donner les volumes versés, en croissant : ajoutez en tête "
                        "une ligne de titres qui nomme les colonnes, par exemple « V (mL) » et « pH ».");
            }
            result.unorderedLines.push_back(number);
        }
        previous = point.volume;
        if (result.points.size() == kMaxPoints) {
            return fail(number, Failure::Value,
                        "Le fichier contient plus de 60 000 mesures : c'est trop pour un titrage.");
        }
        result.points.push_back(point);
    }
    for (const Column& column : layout.columns) {
        if (column.index >= 0 && column.quantity != &volumeReading())
            result.columns.set(column.quantity->slot);
    }
    result.skippedColumns = layout.skipped;
    return attempt;
}

// A row where commas could be decimal marks as well as separators.
bool commaIsAmbiguous(std::string_view line) {
    return line.find(',') != std::string_view::npos && line.find_first_of(".\"") == std::string_view::npos;
}

// Of the two readings of a comma-separated file, the one that reads it; when both do, the one
// whose rows all have the heading row's count. When neither does, the one that went further
// names its line.
Attempt choose(Attempt fields, Attempt decimalCommas, const std::vector<std::string_view>& lines) {
    const bool fieldsRead = fields.failure == Failure::None;
    const bool commasRead = decimalCommas.failure == Failure::None;
    if (fieldsRead && commasRead) return fields.exact || !decimalCommas.exact ? fields : decimalCommas;
    if (fieldsRead) return fields;
    if (commasRead) return decimalCommas;
    Attempt& further = decimalCommas.line > fields.line ? decimalCommas : fields;
    const std::string_view line = lines[static_cast<std::size_t>(further.line - 1)];
    if (further.failure == Failure::Count && commaIsAmbiguous(line)) {
        further.result.error =
            lineLabel(further.line) + "« " + shown(line) +
            " » : la virgule y sépare les colonnes et sert aussi de virgule décimale, on ne "
            "peut pas savoir où finit chaque nombre. Enregistrez le fichier avec des "
            "points-virgules entre les colonnes.";
    }
    return further;
}

ReadResult refuse(int line, std::string message) {
    ReadResult result;
    result.error = std::move(message);
    result.errorLine = line;
    return result;
}

// "7, 12 et 15", the first few of them.
std::string lineList(const std::vector<int>& lines) {
    constexpr std::size_t kNamed = 6;
    std::string text;
    const std::size_t named = std::min(lines.size(), kNamed);
    for (std::size_t i = 0; i < named; ++i) {
        if (i > 0) text += i + 1 == named && lines.size() <= kNamed ? " et " : ", ";
        text += std::to_string(lines[i]);
    }
    if (lines.size() > kNamed) text += "… (" + std::to_string(lines.size()) + " lignes)";
    return text;
}

// 1234 as "1 234", with a no-break space.
std::string grouped(std::size_t count) {
    std::string digits = std::to_string(count);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), "\xC2\xA0");
    return digits;
}

}  // namespace

ReadResult readMeasurements(std::span<const unsigned char> bytes, std::span<const LabReading> readings) {
    if (bytes.size() > kMaxFileBytes) {
        return refuse(0, "Le fichier dépasse 4 Mo : c'est trop pour un fichier de mesures.");
    }
    const DecodedText decoded = decodeText(bytes);
    if (!decoded.error.empty()) return refuse(0, decoded.error);
    const std::vector<std::string_view> lines = splitLines(decoded.text);
    const char separator = chooseSeparator(lines);
    const Preamble preamble = readPreamble(lines, separator, readings);
    if (!preamble.error.empty()) return refuse(preamble.errorLine, preamble.error);

    Attempt attempt =
        readRows(lines, preamble.firstRow, separator, preamble.layout, readings, Reading::Fields);
    if (separator == ',') {
        attempt = choose(
            std::move(attempt),
            readRows(lines, preamble.firstRow, separator, preamble.layout, readings, Reading::DecimalCommas),
            lines);
    }
    if (attempt.result.ok() && attempt.result.points.empty()) {
        return refuse(0,
                      "Le fichier ne contient aucune mesure (une colonne de volumes en mL, puis une "
                      "colonne de pH).");
    }
    return std::move(attempt.result);
}

ReadResult readMeasurements(std::string_view text, std::span<const LabReading> readings) {
    return readMeasurements(
        std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(text.data()), text.size()),
        readings);
}

std::string importSummary(const ReadResult& read) {
    const std::size_t count = read.points.size();
    std::string text = count == 1 ? "1 mesure importée" : grouped(count) + " mesures importées";
    const std::vector<std::string>& skipped = read.skippedColumns;
    if (skipped.empty()) return text;
    text += skipped.size() == 1 ? " ; colonne ignorée : " : " ; colonnes ignorées : ";
    constexpr std::size_t kNamed = 5;
    for (std::size_t i = 0; i < std::min(skipped.size(), kNamed); ++i) {
        if (i > 0) text += ", ";
        text += "« " + skipped[i] + " »";
    }
    if (skipped.size() > kNamed) text += ", …";
    return text;
}

std::string orderWarning(const ReadResult& read) {
    const std::vector<int>& lines = read.unorderedLines;
    if (lines.empty()) return {};
    if (lines.size() == 1) {
        return "Ligne " + lineList(lines) +
               " : le volume n'est pas plus grand que celui de la mesure précédente. La mesure est gardée "
               "telle qu'elle a été prise.";
    }
    return "Lignes " + lineList(lines) +
           " : le volume n'est pas plus grand que celui de la mesure précédente. Ces mesures sont gardées "
           "telles qu'elles ont été prises.";
}

}  // namespace measurements
