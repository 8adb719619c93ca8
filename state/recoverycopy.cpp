#include "state/recoverycopy.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <string_view>

#include "chemistry/catalogue.h"
#include "chemistry/fieldvalidation.h"
#include "chemistry/indicators.h"
#include "chemistry/titration.h"
#include "measurements/measuredpoint.h"
#include "numbers/windows1252.h"
#include "state/glasswaretext.h"
#include "state/meters.h"

namespace state {

namespace {

// The signature names the program and the purpose; the version is the layout's.
constexpr std::string_view kSignature = "Vireltra copie de secours\n";
constexpr std::uint32_t kVersion = 6;
constexpr std::size_t kCheckSize = 4;
// Far beyond what the bench holds, yet a damaged count cannot make the reader reserve gigabytes.
constexpr std::uint32_t kMaxTextBytes = 64u << 20;
constexpr std::uint32_t kMaxRows = 100000;
constexpr std::uint32_t kMaxPointsPerSituation = 1u << 22;
constexpr std::size_t kPointBytes = (1 + measurements::kMaxReadings) * sizeof(double) + sizeof(std::uint32_t);
// The first layout's points: V, pH and σ, σ 0 when not measured; a copy left by it is still read.
constexpr std::uint32_t kFirstVersion = 1;
constexpr std::size_t kFirstPointBytes = 3 * sizeof(double);
// The second layout had no n = f(V) graph, the third no oxidation-reduction titration.
constexpr std::uint32_t kSecondVersion = 2;
constexpr std::uint32_t kThirdVersion = 3;
// The fourth had no precipitation titration, the fifth no glassware.
constexpr std::uint32_t kFourthVersion = 4;
constexpr std::uint32_t kFifthVersion = 5;

constexpr std::array<std::uint32_t, 256> crcTable() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1u) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

// CRC-32 (the one of zip and PNG): any burst of damage up to 32 bits is caught.
std::uint32_t crc32(std::span<const unsigned char> bytes) {
    static constexpr std::array<std::uint32_t, 256> kTable = crcTable();
    std::uint32_t c = 0xFFFFFFFFu;
    for (const unsigned char b : bytes) c = kTable[(c ^ b) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

// Little-endian, whatever the machine.
class Writer {
  public:
    void byte(std::uint8_t value) { m_out.push_back(value); }
    void flag(bool value) { byte(value ? 1 : 0); }
    void u32(std::uint32_t value) {
        for (int i = 0; i < 4; ++i) byte(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void u64(std::uint64_t value) {
        for (int i = 0; i < 8; ++i) byte(static_cast<std::uint8_t>(value >> (8 * i)));
    }
    void i16(std::int16_t value) {
        const auto bits = static_cast<std::uint16_t>(value);
        byte(static_cast<std::uint8_t>(bits));
        byte(static_cast<std::uint8_t>(bits >> 8));
    }
    void i32(std::int32_t value) { u32(static_cast<std::uint32_t>(value)); }
    void i64(std::int64_t value) { u64(static_cast<std::uint64_t>(value)); }
    // The exact bits: a value read back is the value written.
    void real(double value) { u64(std::bit_cast<std::uint64_t>(value)); }
    void text(std::string_view value) {
        u32(static_cast<std::uint32_t>(value.size()));
        m_out.insert(m_out.end(), value.begin(), value.end());
    }
    void raw(std::string_view value) { m_out.insert(m_out.end(), value.begin(), value.end()); }
    void reserve(std::size_t size) { m_out.reserve(size); }
    std::vector<unsigned char>& bytes() { return m_out; }

  private:
    std::vector<unsigned char> m_out;
};

// Every read checks what is left first; after the first failure every read fails.
class Reader {
  public:
    explicit Reader(std::span<const unsigned char> bytes) : m_bytes(bytes) {}

    bool ok() const { return m_ok; }
    bool atEnd() const { return m_at == m_bytes.size(); }
    std::size_t left() const { return m_bytes.size() - m_at; }

    std::uint8_t byte() {
        if (!take(1)) return 0;
        return m_bytes[m_at - 1];
    }
    bool flag() {
        const std::uint8_t value = byte();
        if (value > 1) m_ok = false;
        return value == 1;
    }
    std::uint32_t u32() {
        if (!take(4)) return 0;
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | m_bytes[m_at - 4 + static_cast<std::size_t>(i)];
        return value;
    }
    std::uint64_t u64() {
        if (!take(8)) return 0;
        std::uint64_t value = 0;
        for (int i = 7; i >= 0; --i) value = (value << 8) | m_bytes[m_at - 8 + static_cast<std::size_t>(i)];
        return value;
    }
    std::int16_t i16() {
        if (!take(2)) return 0;
        const auto bits = static_cast<std::uint16_t>(m_bytes[m_at - 2] | (m_bytes[m_at - 1] << 8));
        return static_cast<std::int16_t>(bits);
    }
    std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
    std::int64_t i64() { return static_cast<std::int64_t>(u64()); }
    double real() { return std::bit_cast<double>(u64()); }
    std::string text() {
        const std::uint32_t size = u32();
        if (size > kMaxTextBytes || size > left()) m_ok = false;
        if (!m_ok) return {};
        std::string value(reinterpret_cast<const char*>(m_bytes.data() + m_at), size);
        m_at += size;
        return value;
    }
    // A count of items of at least `itemBytes` each, no larger than what is left can hold.
    std::uint32_t count(std::uint32_t limit, std::size_t itemBytes) {
        const std::uint32_t n = u32();
        if (n > limit || n > left() / itemBytes) m_ok = false;
        return m_ok ? n : 0;
    }
    bool expect(std::string_view raw) {
        if (left() < raw.size() || std::memcmp(m_bytes.data() + m_at, raw.data(), raw.size()) != 0) {
            m_ok = false;
        } else {
            m_at += raw.size();
        }
        return m_ok;
    }
    void fail() { m_ok = false; }

  private:
    bool take(std::size_t size) {
        if (!m_ok || left() < size) {
            m_ok = false;
            return false;
        }
        m_at += size;
        return true;
    }

    std::span<const unsigned char> m_bytes;
    std::size_t m_at = 0;
    bool m_ok = true;
};

void writeSituation(Writer& w, const chemistry::Situation& s) {
    w.flag(s.completed);
    for (const std::string* text :
         {&s.otherPKaText, &s.titrantConcentrationText, &s.pouredVolumeText, &s.beakerConcentrationText,
          &s.beakerVolumeText, &s.waterVolumeText, &s.secondConcentrationText, &s.secondPKaText})
        w.text(*text);
    for (const std::int16_t value :
         {s.reservedInteger, s.speciesIndex, s.indicatorIndex, s.secondSpeciesIndex})
        w.i16(value);
    for (const bool value :
         {s.reservedFlag, s.beakerIsAcid, s.showBurette, s.showPhMeter, s.concentrationMasked})
        w.flag(value);
}

void readSituation(Reader& r, chemistry::Situation& s) {
    s.completed = r.flag();
    for (std::string* text :
         {&s.otherPKaText, &s.titrantConcentrationText, &s.pouredVolumeText, &s.beakerConcentrationText,
          &s.beakerVolumeText, &s.waterVolumeText, &s.secondConcentrationText, &s.secondPKaText}) {
        *text = r.text();
        if (!numbers::isValidUtf8(*text)) r.fail();
    }
    for (std::int16_t* value :
         {&s.reservedInteger, &s.speciesIndex, &s.indicatorIndex, &s.secondSpeciesIndex})
        *value = r.i16();
    for (bool* value :
         {&s.reservedFlag, &s.beakerIsAcid, &s.showBurette, &s.showPhMeter, &s.concentrationMasked})
        *value = r.flag();
    const bool indicatorKnown = s.indicatorIndex >= 0 && s.indicatorIndex < chemistry::IndicatorTable::kCount;
    // The bench never holds "nothing chosen" for the first solute: the panel always shows one.
    const bool firstKnown = chemistry::SpeciesCatalogue::isKnown(s.beakerIsAcid, s.speciesIndex);
    if (!firstKnown || !chemistry::knowsItsSolutes(s) || !indicatorKnown) r.fail();
}

// An oxidation-reduction titration's choices, after everything the third layout held.
void writeRedoxChoice(Writer& w, const chemistry::Situation& s) {
    w.flag(s.kind == chemistry::TitrationKind::Redox);
    for (const std::int16_t value :
         {s.redoxBeakerSpecies, s.redoxTitrantSpecies, s.redoxIndicator, s.redoxReference})
        w.i16(value);
    w.text(s.sulfuricAcidText);
}

void readRedoxChoice(Reader& r, chemistry::Situation& s) {
    s.kind = r.flag() ? chemistry::TitrationKind::Redox : chemistry::TitrationKind::AcidBase;
    for (std::int16_t* value :
         {&s.redoxBeakerSpecies, &s.redoxTitrantSpecies, &s.redoxIndicator, &s.redoxReference})
        *value = r.i16();
    s.sulfuricAcidText = r.text();
    if (!numbers::isValidUtf8(s.sulfuricAcidText) || !chemistry::knowsItsSolutes(s)) r.fail();
}

// A precipitation titration's choices, after everything the fourth layout held.
void writePrecipitationChoice(Writer& w, const chemistry::Situation& s) {
    w.flag(s.kind == chemistry::TitrationKind::Precipitation);
    for (const std::int16_t value :
         {s.precipitationSalt, s.precipitationSecondSalt, s.precipitationTitrant, s.precipitationReference})
        w.i16(value);
    w.text(s.chromateText);
}

void readPrecipitationChoice(Reader& r, chemistry::Situation& s) {
    if (r.flag()) s.kind = chemistry::TitrationKind::Precipitation;
    for (std::int16_t* value : {&s.precipitationSalt, &s.precipitationSecondSalt, &s.precipitationTitrant,
                                &s.precipitationReference})
        *value = r.i16();
    s.chromateText = r.text();
    if (!numbers::isValidUtf8(s.chromateText)) r.fail();
}

bool withinLimits(const measurements::MeasuredPoint& p) {
    if (!(p.volume >= 0 && p.volume <= measurements::kMaxVolume)) return false;
    for (const measurements::LabReading& reading : labReadings()) {
        const double value = p.reading(reading.slot);
        if (p.has(reading.slot) && !(std::isfinite(value) && value >= reading.least && value <= reading.most))
            return false;
    }
    return true;
}

void writeBench(Writer& w, const BenchSnapshot& b) {
    for (const auto& s : b.records) writeSituation(w, s);
    for (const bool hidden : b.drawnConcentrationHidden) w.flag(hidden);
    w.i32(b.current);
    writeSituation(w, b.panel);
    for (const bool value : {b.maskEnabled, b.superposeCurves, b.boldStrokes, b.showConductimeter,
                             b.conductivityGraph, b.highContrast})
        w.flag(value);
    w.i32(b.stepTenths);
    w.u32(static_cast<std::uint32_t>(b.rowVolumes.size()));
    for (const double v : b.rowVolumes) w.real(v);
    w.i32(b.curveCount);
    for (const MeasuredPoints& points : b.measurements) {
        w.u32(static_cast<std::uint32_t>(points.size()));
        for (const auto& p : points) {
            w.real(p.volume);
            w.u32(p.measured);
            for (const double value : p.readings) w.real(value);
        }
    }
}

void readBench(Reader& r, BenchSnapshot& b, std::uint32_t version) {
    for (auto& s : b.records) readSituation(r, s);
    for (bool& hidden : b.drawnConcentrationHidden) hidden = r.flag();
    b.current = r.i32();
    if (b.current < 0 || b.current >= chemistry::kSituationCount) r.fail();
    readSituation(r, b.panel);
    for (bool* value : {&b.maskEnabled, &b.superposeCurves, &b.boldStrokes, &b.showConductimeter,
                        &b.conductivityGraph, &b.highContrast})
        *value = r.flag();
    b.stepTenths = r.i32();
    if (b.stepTenths < 1 || b.stepTenths > 10) r.fail();
    const std::uint32_t rows = r.count(kMaxRows, sizeof(double));
    b.rowVolumes.reserve(rows);
    for (std::uint32_t i = 0; i < rows && r.ok(); ++i) {
        const double v = r.real();
        if (!(v >= 0 && v <= chemistry::kBuretteCapacity)) r.fail();
        b.rowVolumes.push_back(v);
    }
    b.curveCount = r.i32();
    // Each finished situation's curve, the current one's a second time.
    if (b.curveCount < 0 || b.curveCount > chemistry::kSituationCount + 1) r.fail();
    for (MeasuredPoints& points : b.measurements) {
        const bool first = version == kFirstVersion;
        const std::uint32_t n = r.count(kMaxPointsPerSituation, first ? kFirstPointBytes : kPointBytes);
        points.reserve(n);
        for (std::uint32_t i = 0; i < n && r.ok(); ++i) {
            measurements::MeasuredPoint p;
            p.volume = r.real();
            if (first) {
                p.set(phReading().slot, r.real());
                if (const double sigma = r.real(); sigma != 0) p.set(conductivityReading().slot, sigma);
                if (!withinLimits(p)) r.fail();
                points.push_back(p);
                continue;
            }
            const std::uint32_t measured = r.u32();
            if (measured >= (1U << measurements::kMaxReadings)) r.fail();
            p.measured = static_cast<std::uint8_t>(measured);
            for (double& value : p.readings) value = r.real();
            if (!withinLimits(p)) r.fail();
            points.push_back(p);
        }
    }
}

void writeText(Writer& w, const TextAreaSnapshot& t) {
    for (const std::string* value :
         {&t.rtf, &t.exerciseName, &t.exerciseFolder, &t.configurationPath, &t.caption})
        w.text(*value);
    for (const bool value : {t.correctionAvailable, t.readOnly, t.modified}) w.flag(value);
}

void readText(Reader& r, TextAreaSnapshot& t) {
    t.rtf = r.text();
    for (std::string* value : {&t.exerciseName, &t.exerciseFolder, &t.configurationPath, &t.caption}) {
        *value = r.text();
        if (!numbers::isValidUtf8(*value)) r.fail();
    }
    for (bool* value : {&t.correctionAvailable, &t.readOnly, &t.modified}) *value = r.flag();
}

}  // namespace

std::vector<unsigned char> encodeRecoveryCopy(const RecoveryCopy& copy) {
    Writer w;
    std::size_t points = 0;
    for (const auto& situation : copy.bench.measurements) points += situation.size();
    w.reserve(4096 + copy.text.rtf.size() + points * kPointBytes +
              copy.bench.rowVolumes.size() * sizeof(double));
    w.raw(kSignature);
    w.u32(kVersion);
    w.i64(copy.savedAt);
    writeBench(w, copy.bench);
    writeText(w, copy.text);
    w.flag(copy.bench.amountGraph);
    for (const auto& s : copy.bench.records) writeRedoxChoice(w, s);
    writeRedoxChoice(w, copy.bench.panel);
    w.flag(copy.bench.potentialGraph);
    for (const auto& s : copy.bench.records) writePrecipitationChoice(w, s);
    writePrecipitationChoice(w, copy.bench.panel);
    w.text(glasswareText(copy.bench.glassware));
    w.u32(crc32(w.bytes()));
    return std::move(w.bytes());
}

std::optional<RecoveryCopy> decodeRecoveryCopy(std::span<const unsigned char> bytes) {
    if (bytes.size() < kSignature.size() + kCheckSize) return std::nullopt;
    const auto content = bytes.first(bytes.size() - kCheckSize);
    Reader check(bytes.last(kCheckSize));
    if (check.u32() != crc32(content)) return std::nullopt;
    Reader r(content);
    if (!r.expect(kSignature)) return std::nullopt;
    const std::uint32_t version = r.u32();
    if (version < kFirstVersion || version > kVersion) return std::nullopt;
    RecoveryCopy copy;
    copy.savedAt = r.i64();
    readBench(r, copy.bench, version);
    readText(r, copy.text);
    if (version >= kThirdVersion) copy.bench.amountGraph = r.flag();
    if (version >= kFourthVersion) {
        for (auto& s : copy.bench.records) readRedoxChoice(r, s);
        readRedoxChoice(r, copy.bench.panel);
        copy.bench.potentialGraph = r.flag();
    }
    if (version >= kFifthVersion) {
        for (auto& s : copy.bench.records) readPrecipitationChoice(r, s);
        readPrecipitationChoice(r, copy.bench.panel);
    }
    if (version >= kVersion) {
        const auto glassware = readGlasswareText(r.text());
        if (!glassware) return std::nullopt;
        copy.bench.glassware = *glassware;
    }
    if (!r.ok() || !r.atEnd()) return std::nullopt;
    return copy;
}

}  // namespace state
