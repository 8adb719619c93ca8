#include "measurements/measurementreader.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

#include "measurements/textdecoding.h"

namespace measurements {

namespace {

enum class Quantity { Volume, PH, Conductivity };

// Which field of a line holds which quantity; -1 for none.
struct Layout {
    bool named = false;  // from the column names of a title line
    int volume = 0;
    int pH = 1;
    int conductivity = -1;
    int columns = 0;  // without names: the count of every measurement, set by the first one
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string_view trim(std::string_view s) {
    // A no-break space (U+00A0), as some spreadsheets pad cells, counts as a blank.
    while (true) {
        if (!s.empty() && isBlank(s.front())) {
            s.remove_prefix(1);
        } else if (s.starts_with("\xC2\xA0")) {
            s.remove_prefix(2);
        } else if (!s.empty() && isBlank(s.back())) {
            s.remove_suffix(1);
        } else if (s.ends_with("\xC2\xA0")) {
            s.remove_suffix(2);
        } else {
            return s;
        }
    }
}

// The fields of a line, trimmed; a field in double quotes keeps the separators inside it ("" is
// a quote). Empty fields at the end (trailing separators) are dropped.
std::vector<std::string> splitFields(std::string_view line, char separator) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    while (true) {
        std::string field;
        while (i < line.size() && isBlank(line[i]) && line[i] != separator) ++i;
        if (i < line.size() && line[i] == '"') {
            for (++i; i < line.size(); ++i) {
                if (line[i] != '"') {
                    field += line[i];
                } else if (i + 1 < line.size() && line[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    ++i;
                    break;
                }
            }
        }
        const std::size_t end = std::min(line.find(separator, i), line.size());
        field += line.substr(i, end - i);
        fields.emplace_back(trim(field));
        if (end >= line.size()) break;
        i = end + 1;
    }
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    return fields;
}

// A decimal number with a comma or a point, and an optional exponent; nothing else in the field.
std::optional<double> readNumber(std::string_view field) {
    std::string text;
    std::size_t i = 0;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        if (field[i] == '-') text += '-';
        ++i;
    }
    int digits = 0;
    bool mark = false;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c >= '0' && c <= '9') {
            text += c;
            ++digits;
        } else if ((c == ',' || c == '.') && !mark) {
            text += '.';
            mark = true;
        } else {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    if (i < field.size() && (field[i] == 'e' || field[i] == 'E')) {
        text += 'e';
        ++i;
        if (i < field.size() && (field[i] == '+' || field[i] == '-')) text += field[i++];
        const std::size_t first = i;
        while (i < field.size() && field[i] >= '0' && field[i] <= '9') text += field[i++];
        if (i == first) return std::nullopt;
    }
    if (i != field.size()) return std::nullopt;
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool startsLikeNumber(std::string_view line) {
    line = trim(line);
    if (!line.empty() && line.front() == '"') line.remove_prefix(1);
    if (!line.empty() && (line.front() == '+' || line.front() == '-')) line.remove_prefix(1);
    if (!line.empty() && (line.front() == '.' || line.front() == ',')) line.remove_prefix(1);
    return !line.empty() && line.front() >= '0' && line.front() <= '9';
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

bool isIgnored(std::string_view line, char separator) {
    line = trim(line);
    if (line.empty() || line.front() == '#' || line.starts_with("//")) return true;
    if (separator != ';' && line.front() == ';') return true;
    return std::all_of(line.begin(), line.end(), [&](char c) { return c == separator || isBlank(c); });
}

std::string lowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// The quantity a column name stands for, its unit set aside: "V (mL)", "V1/mL", "pH", "σ [mS/cm]".
std::optional<Quantity> quantityNamed(std::string_view name) {
    const std::size_t unit = name.find_first_of("([/", 1);
    const std::string bare = lowerAscii(trim(name.substr(0, unit)));
    for (const char* volume :
         {"v", "v1", "v2", "v₁", "v₂", "va", "vb", "volume", "volume versé", "volume ajouté"}) {
        if (bare == volume) return Quantity::Volume;
    }
    if (bare == "ph") return Quantity::PH;
    for (const char* sigma : {"σ", "sigma", "conductivité", "conductivite", "cond", "κ", "kappa"}) {
        if (bare == sigma) return Quantity::Conductivity;
    }
    return std::nullopt;
}

// The layout a title line names, when it names one volume column, one pH column and at most one
// σ column.
std::optional<Layout> namedLayout(const std::vector<std::string>& fields) {
    Layout layout;
    layout.named = true;
    int volumes = 0;
    int pHs = 0;
    int sigmas = 0;
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        const auto quantity = quantityNamed(fields[i]);
        if (!quantity) continue;
        switch (*quantity) {
            case Quantity::Volume:
                layout.volume = i;
                ++volumes;
                break;
            case Quantity::PH:
                layout.pH = i;
                ++pHs;
                break;
            case Quantity::Conductivity:
                layout.conductivity = i;
                ++sigmas;
                break;
        }
    }
    if (volumes != 1 || pHs != 1 || sigmas > 1) return std::nullopt;
    return layout;
}

// Whether a title line names a quantity where the columns without names would read another
// ("V;sigma": the second column would be taken for the pH).
bool namesAnotherOrder(const std::vector<std::string>& fields) {
    constexpr Quantity kOrder[] = {Quantity::Volume, Quantity::PH, Quantity::Conductivity};
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto quantity = quantityNamed(fields[i]);
        if (quantity && (i >= std::size(kOrder) || *quantity != kOrder[i])) return true;
    }
    return false;
}

// A line as a message shows it: blanks at the ends dropped, controls as spaces, at most 40
// characters.
std::string shown(std::string_view text) {
    text = trim(text);
    std::string out;
    int characters = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte & 0xC0) != 0x80) {
            if (characters == 40) return out + "…";
            ++characters;
        }
        out += byte < 0x20 || byte == 0x7F ? ' ' : c;
    }
    return out;
}

std::string lineLabel(int line) {
    return "Ligne " + std::to_string(line) + " : ";
}

std::string columnsWanted(bool conductivity) {
    return conductivity ? "(volume en mL, pH puis σ en mS/cm)" : "(volume en mL puis pH)";
}

ReadResult refuse(int line, std::string message) {
    ReadResult result;
    result.error = std::move(message);
    result.errorLine = line;
    return result;
}

std::string field(const std::vector<std::string>& fields, int index) {
    return index >= 0 && index < static_cast<int>(fields.size()) ? fields[index] : std::string();
}

// The measurement of a line, or the message that refuses it.
std::optional<std::string> readPoint(const std::vector<std::string>& fields, const Layout& layout,
                                     std::string_view line, int number, MeasuredPoint& point) {
    const bool sigma = layout.conductivity >= 0;
    const auto notAMeasurement = [&] {
        return lineLabel(number) + "« " + shown(line) + " » n'est pas une mesure " + columnsWanted(sigma) +
               ".";
    };
    if (!layout.named && static_cast<int>(fields.size()) != layout.columns) return notAMeasurement();
    const std::string volumeText = field(fields, layout.volume);
    const std::string pHText = field(fields, layout.pH);
    const std::string sigmaText = field(fields, layout.conductivity);
    const auto volume = readNumber(volumeText);
    const auto pH = readNumber(pHText);
    const auto conductivity = sigma ? readNumber(sigmaText) : std::optional<double>(0.0);
    if (!volume || !pH || !conductivity) return notAMeasurement();
    if (*volume < 0 || *volume > kMaxVolume) {
        return lineLabel(number) + "le volume « " + shown(volumeText) +
               " » n'est pas dans la burette (de 0 à 25 mL).";
    }
    if (*pH < kMinPh || *pH > kMaxPh) {
        return lineLabel(number) + "le pH « " + shown(pHText) + " » n'est pas entre 0 et 14.";
    }
    if (*conductivity < 0) {
        return lineLabel(number) + "la conductivité « " + shown(sigmaText) + " » est négative (σ en mS/cm).";
    }
    point = {*volume, *pH, *conductivity};
    return std::nullopt;
}

}  // namespace

ReadResult readMeasurements(std::span<const unsigned char> bytes) {
    if (bytes.size() > kMaxFileBytes) {
        return refuse(0, "Le fichier dépasse 1 Mo : c'est trop pour un fichier de mesures.");
    }
    const std::string text = decodeText(bytes);
    const std::vector<std::string_view> lines = splitLines(text);
    const char separator = chooseSeparator(lines);

    ReadResult result;
    Layout layout;
    bool measuring = false;  // a measurement was read: no title line may follow
    int misnamed = 0;        // a title line whose names the columns without names would betray
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const int number = static_cast<int>(index) + 1;
        const std::string_view line = lines[index];
        if (isIgnored(line, separator)) continue;
        const std::vector<std::string> fields = splitFields(line, separator);
        if (fields.empty()) continue;
        if (!measuring && !readNumber(field(fields, layout.volume))) {
            if (!layout.named) {
                if (const auto named = namedLayout(fields)) {
                    layout = *named;
                } else if (misnamed == 0 && namesAnotherOrder(fields)) {
                    misnamed = number;
                }
            }
            continue;
        }
        if (layout.named && field(fields, layout.volume).empty() && field(fields, layout.pH).empty() &&
            field(fields, layout.conductivity).empty()) {
            continue;  // a row of the other columns only
        }
        if (!measuring && !layout.named) {
            if (misnamed != 0) {
                return refuse(misnamed,
                              lineLabel(misnamed) + "« " + shown(lines[misnamed - 1]) +
                                  " » ne nomme pas une colonne de volumes en mL puis une colonne de pH.");
            }
            layout.columns = static_cast<int>(fields.size());
            if (layout.columns > 3) {
                return refuse(number, lineLabel(number) + "« " + shown(line) +
                                          " » a trop de colonnes : il faut le volume en mL, le pH "
                                          "et, s'il y en a, σ en mS/cm.");
            }
            if (layout.columns == 3) layout.conductivity = 2;
        }
        measuring = true;
        MeasuredPoint point;
        if (auto message = readPoint(fields, layout, line, number, point)) {
            return refuse(number, std::move(*message));
        }
        if (result.points.size() == kMaxPoints) {
            return refuse(number, "Le fichier contient plus de 10 000 mesures : c'est trop pour un titrage.");
        }
        result.points.push_back(point);
    }
    if (result.points.empty()) {
        return refuse(0,
                      "Le fichier ne contient aucune mesure (une colonne de volumes en mL, puis une "
                      "colonne de pH).");
    }
    result.hasConductivity = layout.conductivity >= 0;
    return result;
}

ReadResult readMeasurements(std::string_view text) {
    return readMeasurements(
        std::span<const unsigned char>(reinterpret_cast<const unsigned char*>(text.data()), text.size()));
}

}  // namespace measurements
