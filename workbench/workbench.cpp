#include "workbench/workbench.h"

#include <chrono>
#include <cmath>

#include "chemistry/fieldvalidation.h"
#include "numbers/numbers.h"
#include "platform/messageboxes.h"
#include "workbench/apparatusgeometry.h"

namespace workbench {

using chemistry::Situation;
using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}
std::string utf8(const QString& s) {
    return s.toStdString();
}

constexpr const char* kVolumeCorrected = "Volume corrigé";

}  // namespace

Workbench::Workbench(platform::MessageBoxes& messageBoxes, const SituationColours& colours, QObject* parent)
    : QObject(parent), m_messageBoxes(messageBoxes), m_colours(colours), m_burette(*this, messageBoxes) {
    m_random.seed(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    for (auto& s : m_situations) s = chemistry::defaultSituation();
}

// --- State ------------------------------------------------------------------------------------

namespace {

// The number of an entry field in the panel's parameters; none for an index that is no field.
template <typename Spec>
auto numberOf(Spec& spec, int index) -> decltype(&spec.otherPKa) {
    switch (index) {
        case BeakerConcentration:
            return &spec.beakerConcentration;
        case TitrantConcentration:
            return &spec.titrantConcentration;
        case OtherPKa:
            return &spec.otherPKa;
        case BeakerVolume:
            return &spec.beakerVolume;
        case PouredVolume:
            return &spec.pouredVolume;
        case WaterVolume:
            return &spec.waterVolume;
        default:
            return nullptr;
    }
}

}  // namespace

QString Workbench::fieldText(int index) const {
    const auto* number = numberOf(m_spec, index);
    return number ? text(number->text()) : QString();
}

void Workbench::setField(int index, const QString& value) {
    if (auto* number = numberOf(m_spec, index)) *number = utf8(value);
}

void Workbench::setFieldText(int index, const QString& value) {
    if (m_fieldsLocked) return;
    setField(index, value);
}

double Workbench::fieldValue(int index) const {
    const auto* number = numberOf(m_spec, index);
    return number ? number->valueOr(0.0) : 0.0;
}

int Workbench::tableColumns() const {
    return chemistry::SpeciesCatalogue::isStrong(m_spec.beakerIsAcid, m_spec.speciesIndex) ? 4 : 6;
}

int Workbench::liquidSurface() const {
    return ApparatusGeometry::liquidSurface(fieldValue(BeakerVolume), pouredVolume(),
                                            fieldValue(WaterVolume));
}

ApparatusScene Workbench::apparatusScene() const {
    ApparatusScene s;
    s.showBurette = m_showBurette;
    s.showPhMeter = m_showPhMeter;
    s.beakerIsAcid = m_spec.beakerIsAcid;
    s.indicatorIndex = m_spec.indicatorIndex;
    s.beakerVolume = fieldValue(BeakerVolume);
    s.pouredVolume = pouredVolume();
    s.waterVolume = fieldValue(WaterVolume);
    s.pH = m_engine.pH;
    s.pouring = m_burette.pouring();
    s.tapOpen = m_burette.tapOpen();
    return s;
}

void Workbench::imafond() {
    m_apparatus.imafond(apparatusScene());
}

void Workbench::niveaubecher() {
    m_apparatus.niveaubecher(apparatusScene());
}

void Workbench::prepaima() {
    ApparatusReadings readings;
    if (m_showPhMeter) readings.pH = m_phText;
    if (m_showBurette) {
        readings.pouredVolume = m_pouredText;
        readings.titrantConcentration = fieldText(TitrantConcentration);
    }
    m_apparatus.prepaima(readings);
}

QImage Workbench::composedIllustration() {
    prepaima();
    QImage picture = m_apparatus.image().copy();
    imafond();
    niveaubecher();
    majaff();
    return picture;
}

// --- Start-up ---------------------------------------------------------------------------------

void Workbench::setDefaults() {
    m_spec = chemistry::SolutionSpec{};
    m_pouredText = fieldText(PouredVolume) + QStringLiteral(" mL");
    for (auto& s : m_situations) s = chemistry::defaultSituation();
    m_currentSituation = -1;
    emit controlsChanged();
}

void Workbench::UpDown1_Change(int value) {
    if (value < 1 || value > 10) return;
    m_stepTenths = value;
    emit stepChanged();
}

// --- Current point and measurements -----------------------------------------------------------

void Workbench::majaff() {
    const float pH = chemistry::computeCurrentPoint(m_spec, m_catalogue, m_engine);
    if (m_engine.pouredVolume == 0) placepoint();
    m_phText = QString::fromStdString(numbers::formatPicture(pH, "#0.00"));
    emit readingsChanged();
}

void Workbench::recordRow(bool withMark) {
    if (m_currentSituation < 0 || !m_showPhMeter) return;
    const chemistry::TitrationPoint point = chemistry::makeTitrationPoint(m_engine, m_spec.beakerIsAcid);
    if (withMark) m_graph.placeMark(point.volume, point.pH, currentColour());
    if (point.volume == 0) m_rows.clear();
    m_rows.append(point);
}

void Workbench::placepoint() {
    recordRow(true);
}

void Workbench::recatab() {
    recordRow(false);
}

void Workbench::reinitialise() {
    // A drop still falling belongs to the run that ends here.
    m_burette.endDrop();
    endCompletionIfReshaped();
    lockFields(false);
    setPouredVolumeText(QStringLiteral("0,0"));
    m_graph.restart();
    m_rows.reset(tableColumns());
    m_graph.setStrokeWidth(m_bold ? 2 : 1);
    redrawSituationCurves();
    niveaubecher();
    majaff();
}

void Workbench::endCompletionIfReshaped() {
    if (m_currentSituation < 0) return;
    Situation& s = m_situations[static_cast<std::size_t>(m_currentSituation)];
    if (!s.completed || chemistry::sameTitration(m_spec, s)) return;
    // Its stored curve, its table and its analyses would describe a titration the panel no longer
    // shows: it starts again, as after a change of solute.
    s.completed = false;
    m_toolbarVisible = false;
}

void Workbench::traceCurrentCurve() {
    chemistry::EngineState state = m_engine;
    m_graph.drawCurve(chemistry::traceCurve(m_spec, m_catalogue, state), currentColour());
    m_engine = state;
    m_toolbarVisible = true;
    emit controlsChanged();
}

void Workbench::redrawSituationCurves() {
    emit historyChanged();
    const bool rebuild = drawFinishedCurves();
    m_engine = chemistry::deriveEngineState(m_spec, m_catalogue, m_engine);
    if (rebuild) rebuildMeasurements();
    emit controlsChanged();
}

bool Workbench::drawFinishedCurves() {
    bool currentDrawn = false;
    for (int slot = 0; slot < kSituationCount; ++slot) {
        const Situation& s = m_situations[static_cast<std::size_t>(slot)];
        if (!s.completed || !(m_superpose || slot == m_currentSituation)) continue;
        chemistry::EngineState state = m_engine;
        m_graph.drawCurve(chemistry::traceCurve(s, m_catalogue, state), situationColour(slot));
        if (slot == m_currentSituation) {
            m_toolbarVisible = true;
            currentDrawn = true;
        }
    }
    return currentDrawn;
}

void Workbench::rebuildMeasurements() {
    const chemistry::Replay replay =
        chemistry::replayMeasurements(m_spec, m_catalogue, m_stepTenths, m_engine);
    if (m_currentSituation >= 0 && m_showPhMeter) {
        for (const auto& row : replay.rows) {
            if (row.volume == 0) m_rows.clear();
            m_rows.append(row);
        }
    }
    // The panel shows again the volume the pupil poured, not the last row's.
    const std::string& poured =
        m_situations[static_cast<std::size_t>(std::max(0, m_currentSituation))].pouredVolumeText;
    const double pouredVolume = numbers::readTypedNumberOr(poured, 0.0);
    const bool pouredIsUsable = pouredVolume > 0 && pouredVolume <= chemistry::kBuretteCapacity;
    setPouredVolumeText(text(pouredIsUsable ? poured : replay.lastPouredVolumeText));
    if (!replay.rows.empty()) {
        m_phText = QString::fromStdString(numbers::formatPicture(m_engine.pH, "#0.00"));
    }
}

// --- Parameter panel --------------------------------------------------------------------------

void Workbench::informVolume(const char* message) {
    m_messageBoxes.show(MessageIcon::Information, QString::fromUtf8(message),
                        QString::fromUtf8(kVolumeCorrected), MessageButtons::Ok);
}

void Workbench::Text1_LostFocus(int index) {
    if (index < 0 || index >= kFieldCount || index == 3 || m_validating) return;
    struct Guard {
        bool& flag;
        explicit Guard(bool& f) : flag(f) { flag = true; }
        ~Guard() { flag = false; }
    } guard(m_validating);
    const double otherVolume = fieldValue(index == BeakerVolume ? WaterVolume : BeakerVolume);
    const chemistry::ValidatedField validated = chemistry::validateField(
        static_cast<chemistry::PanelField>(index), utf8(fieldText(index)), otherVolume);
    if (validated.notice != chemistry::VolumeNotice::None)
        informVolume(chemistry::noticeText(validated.notice));
    setField(index, text(validated.text));
    if (index == BeakerVolume || index == WaterVolume || index == PouredVolume) niveaubecher();
    const double v = validated.value;
    const auto picture = [](double value, const char* pic) {
        return QString::fromStdString(numbers::formatPicture(value, pic));
    };
    if (index == PouredVolume) {
        const QString kept = fieldText(PouredVolume);
        reinitialise();
        // The pH-meter follows the pouring by tenths up to the last tenth not above v. Counting
        // whole tenths keeps 0,3 mL from stopping at 0,2 through the rounding of a running sum.
        const long tenths = static_cast<long>(std::floor(v * 10 + 1e-9));
        for (long k = 1; k <= tenths; ++k) {
            setPouredVolumeText(picture(static_cast<double>(k) / 10.0, "#0.0"));
            majaff();
        }
        setPouredVolumeText(kept);
    } else {
        reinitialise();
    }
    niveaubecher();
    emit controlsChanged();
    emit readingsChanged();
}

void Workbench::Text1_Click(int) {
    reinitialise();
}

void Workbench::refillSoluteList() {
    m_spec.speciesIndex = 0;
    m_distributionEnabled = !chemistry::SpeciesCatalogue::isStrong(m_spec.beakerIsAcid, 0);
}

void Workbench::Option1_Click(int index) {
    m_spec.beakerIsAcid = index == 0;
    m_burette.retablir();
    m_burette.stopPouring();
    imafond();
    refillSoluteList();
    reinitialise();
    majaff();
}

void Workbench::lbecher_Click(int position) {
    if (position < 0 || position >= chemistry::SpeciesCatalogue::kFilled) return;
    m_spec.speciesIndex = position;
    m_burette.retablir();
    m_distributionEnabled = !chemistry::SpeciesCatalogue::isStrong(m_spec.beakerIsAcid, position);
    reinitialise();
    majaff();
    niveaubecher();
    emit controlsChanged();
}

void Workbench::lindic_Click(int position) {
    if (position < 0 || position >= chemistry::IndicatorTable::kCount) return;
    m_spec.indicatorIndex = position;
    if (m_currentSituation != -1) m_burette.Command14_Click();
    niveaubecher();
}

void Workbench::masquer_Click(bool ticked) {
    m_masked = ticked;
    // The history and the printed report read the records: the shown situation's follows the box
    // at once, so that they hide the concentration as the panel does, and show it once revealed.
    if (m_currentSituation >= 0)
        m_situations[static_cast<std::size_t>(m_currentSituation)].concentrationMasked = ticked;
    if (ticked) Text1_LostFocus(BeakerConcentration);
    emit controlsChanged();
    emit historyChanged();
}

void Workbench::Label1_Click() {
    masquer_Click(false);
    m_maskEnabled = true;
    emit controlsChanged();
}

void Workbench::Command5_Click() {
    masquer_Click(true);
    std::uniform_real_distribution<double> uniform(0.0, 1.0);
    const double r = uniform(m_random);
    const double concentration = std::floor(r * 999 + 1) / 10000;
    setField(BeakerConcentration,
             QString::fromStdString(numbers::formatPicture(concentration, "0.0#######")));
    Text1_LostFocus(BeakerConcentration);
    m_maskEnabled = false;
    emit controlsChanged();
}

// --- Options and graph tools ------------------------------------------------------------------

void Workbench::optscema_Click(int index, bool ticked) {
    if (index == 0) m_showBurette = ticked;
    if (index == 1) m_showPhMeter = ticked;
    // The tap disappears with the burette: the pouring ends as when the tap is released.
    if (index == 0 && !ticked) {
        m_burette.endDrop();
        if (m_burette.pouring() || m_burette.tapOpen()) m_burette.Image3_MouseUp();
    }
    imafond();
    niveaubecher();
    majaff();
    emit controlsChanged();
}

void Workbench::Check1_Click(bool ticked) {
    m_superpose = ticked;
    if (m_currentSituation >= 0) Option2_Click(m_currentSituation);
}

void Workbench::Check2_Click(bool ticked) {
    m_bold = ticked;
    if (m_currentSituation >= 0) Option2_Click(m_currentSituation);
}

void Workbench::Command9_Click() {
    if (m_currentSituation >= 0) Option2_Click(m_currentSituation);
}

void Workbench::Command12_Click() {
    m_burette.Command14_Click();
}

// --- What the burette changes ------------------------------------------------------------------

void Workbench::setPouredVolumeText(const QString& text) {
    setField(PouredVolume, text);
    m_pouredText = text + QStringLiteral(" mL");
}

void Workbench::lockFields(bool locked) {
    if (m_fieldsLocked == locked) return;
    m_fieldsLocked = locked;
    emit controlsChanged();
}

void Workbench::setCurrentCompleted(bool completed) {
    if (m_currentSituation < 0) return;
    m_situations[static_cast<std::size_t>(m_currentSituation)].completed = completed;
}

void Workbench::setToolbarVisible(bool visible) {
    m_toolbarVisible = visible;
    emit controlsChanged();
}

// --- Situations -------------------------------------------------------------------------------

void Workbench::storeCurrentSituation() {
    Situation& s = m_situations[static_cast<std::size_t>(m_currentSituation)];
    if (m_showPhMeter && pouredVolume() >= chemistry::kBuretteCapacity) s.completed = true;
    chemistry::storeSolution(s, m_spec);
    s.showBurette = m_showBurette;
    s.showPhMeter = m_showPhMeter;
    s.concentrationMasked = m_masked;
    // A concentration the die drew stays hidden with its situation until `Label1` shows it.
    m_drawnConcentrationHidden[static_cast<std::size_t>(m_currentSituation)] = m_masked && !m_maskEnabled;
    m_burette.stopPouring();
    setField(PouredVolume, QStringLiteral("0"));
    Text1_LostFocus(PouredVolume);
}

void Workbench::loadControls(int index) {
    const Situation& s = m_situations[static_cast<std::size_t>(index)];
    // The controls take the situation's values. The restarts their handlers would run are left
    // out: they would clear the completion of the situation being shown, and the display is
    // restarted below anyway.
    if (m_spec.beakerIsAcid != s.beakerIsAcid) {
        m_spec.beakerIsAcid = s.beakerIsAcid;
        refillSoluteList();
    }
    m_showBurette = s.showBurette;
    m_showPhMeter = s.showPhMeter;
    m_masked = s.concentrationMasked;
    m_maskEnabled = !(m_masked && m_drawnConcentrationHidden[static_cast<std::size_t>(index)]);
    if (s.speciesIndex >= 0 && s.speciesIndex < chemistry::SpeciesCatalogue::kFilled)
        m_spec.speciesIndex = s.speciesIndex;
    m_distributionEnabled = !chemistry::SpeciesCatalogue::isStrong(m_spec.beakerIsAcid, m_spec.speciesIndex);
    if (s.indicatorIndex >= 0 && s.indicatorIndex < chemistry::IndicatorTable::kCount) {
        m_spec.indicatorIndex = s.indicatorIndex;
    }
}

void Workbench::Option2_Click(int index) {
    if (index < 0 || index >= kSituationCount) return;
    m_toolbarVisible = false;
    if (m_currentSituation != -1) storeCurrentSituation();
    showSituation(index);
}

void Workbench::showSituation(int index) {
    if (index < 0 || index >= kSituationCount) return;
    m_toolbarVisible = false;
    m_currentSituation = index;
    const Situation s = m_situations[static_cast<std::size_t>(index)];
    loadControls(index);
    emit controlsChanged();
    setField(OtherPKa, text(s.otherPKaText));
    setField(TitrantConcentration, text(s.titrantConcentrationText));
    setField(BeakerConcentration, text(s.beakerConcentrationText));
    setField(BeakerVolume, text(s.beakerVolumeText));
    setField(WaterVolume, text(s.waterVolumeText));
    reinitialise();
    setPouredVolumeText(text(s.pouredVolumeText));
    emit controlsChanged();
    imafond();
    majaff();
    niveaubecher();
    if (pouredVolume() >= chemistry::kBuretteCapacity) traceCurrentCurve();
    emit controlsChanged();
}

void Workbench::replaceSituations(const std::array<Situation, kSituationCount>& situations) {
    m_situations = situations;
    m_drawnConcentrationHidden.fill(false);
}

void Workbench::setDisplaySwitches(bool masked, bool superpose, bool bold) {
    masquer_Click(masked);
    m_superpose = superpose;
    m_bold = bold;
    emit controlsChanged();
}

}  // namespace workbench
