#pragma once
// The working state of the titration bench and the procedures that change it: the ten
// situations, the panel's parameters and switches, the engine state, the measurement rows, and
// the pictures of the graph and of the apparatus, drawn by direct calls. The panels read the
// state, call the handlers when the pupil acts, and follow the signals that say what changed.
#include <QObject>
#include <QString>
#include <array>
#include <random>
#include <vector>

#include "chemistry/chemistry.h"
#include "workbench/apparatuscanvas.h"
#include "workbench/burette.h"
#include "workbench/graphcanvas.h"
#include "workbench/measurementrows.h"
#include "workbench/situationcolours.h"

namespace platform {
class MessageBoxes;
}

namespace workbench {

using chemistry::kSituationCount;

// Indices of the entry fields `Text1`; 3 is not used.
enum Field {
    BeakerConcentration = 0,
    TitrantConcentration = 1,
    OtherPKa = 2,
    BeakerVolume = 4,
    PouredVolume = 5,
    WaterVolume = 6,
};
inline constexpr int kFieldCount = 7;

class Workbench : public QObject {
    Q_OBJECT

  public:
    explicit Workbench(platform::MessageBoxes& messageBoxes,
                       const SituationColours& colours = SituationColours(), QObject* parent = nullptr);

    // --- What the bench owns -----------------------------------------------------------------
    GraphCanvas& graph() { return m_graph; }
    const GraphCanvas& graph() const { return m_graph; }
    ApparatusCanvas& apparatus() { return m_apparatus; }
    const ApparatusCanvas& apparatus() const { return m_apparatus; }
    MeasurementRows& rows() { return m_rows; }
    const MeasurementRows& rows() const { return m_rows; }
    Burette& burette() { return m_burette; }
    const Burette& burette() const { return m_burette; }

    // --- State read by the panels ---------------------------------------------------------
    const chemistry::SpeciesCatalogue& catalogue() const { return m_catalogue; }
    const chemistry::EngineState& engine() const { return m_engine; }
    const std::array<chemistry::Situation, kSituationCount>& situations() const { return m_situations; }
    int currentSituation() const { return m_currentSituation; }

    QString fieldText(int index) const;
    bool beakerIsAcid() const { return m_spec.beakerIsAcid; }
    int speciesIndex() const { return m_spec.speciesIndex; }
    int indicatorIndex() const { return m_spec.indicatorIndex; }
    // The panel's parameters as the engine reads them.
    const chemistry::SolutionSpec& solution() const { return m_spec; }
    // The number a field holds, 0 when its text is not a number.
    double fieldValue(int index) const;
    double pouredVolume() const { return fieldValue(PouredVolume); }

    bool showBurette() const { return m_showBurette; }
    bool showPhMeter() const { return m_showPhMeter; }
    bool concentrationMasked() const { return m_masked; }
    bool maskEnabled() const { return m_maskEnabled; }
    bool superposeCurves() const { return m_superpose; }
    bool boldStrokes() const { return m_bold; }
    int stepTenths() const { return m_stepTenths; }

    bool fieldsLocked() const { return m_fieldsLocked; }
    bool toolbarVisible() const { return m_toolbarVisible; }
    bool distributionEnabled() const { return m_distributionEnabled; }
    // `LabelpH` and `Labelbur`.
    QString phText() const { return m_phText; }
    QString pouredText() const { return m_pouredText; }
    platform::Colour situationColour(int slot) const { return m_colours.colour(slot); }
    platform::Colour currentColour() const { return situationColour(m_currentSituation); }
    // What the apparatus shows, from the state.
    ApparatusScene apparatusScene() const;
    // The ordinate of the liquid surface in the beaker, px.
    int liquidSurface() const;

    // --- Start-up --------------------------------------------------------------------------
    // Default texts of the fields and default situations.
    void setDefaults();
    // The step control `UpDown1`, 1 to 10 tenths of a millilitre.
    void UpDown1_Change(int value);

    // --- The named procedures --------------------------------------------------------------
    void majaff();
    void placepoint();
    void recatab();
    void reinitialise();
    void redrawSituationCurves();
    // The curves of the finished situations shown, drawn on the graph as it is; true when the
    // current situation's curve is among them.
    bool drawFinishedCurves();
    void rebuildMeasurements();
    void traceCurrentCurve();
    // The apparatus drawn again for the state: its background layer, its drawing layer.
    void imafond();
    void niveaubecher();
    // The values shown by the controls laid over the illustration written into its drawing
    // layer, for a copy or a printout.
    void prepaima();
    // The illustration as copied and printed: composed with `prepaima`, taken, then drawn again
    // for the screen (`imafond`, `niveaubecher`, `majaff`), where the controls show the values.
    QImage composedIllustration();

    // --- Parameter panel ---------------------------------------------------------------------
    // Typing in a field changes its text without validating it.
    void setFieldText(int index, const QString& text);
    void Text1_LostFocus(int index);
    void Text1_Click(int index);
    void Option1_Click(int index);
    void lbecher_Click(int position);
    void lindic_Click(int position);
    void masquer_Click(bool ticked);
    void Label1_Click();
    void Command5_Click();
    void seedRandom(unsigned seed) { m_random.seed(seed); }

    // --- Options and graph tools -------------------------------------------------------------
    void optscema_Click(int index, bool ticked);
    void Check1_Click(bool ticked);
    void Check2_Click(bool ticked);
    void Command9_Click();   // "Restaurer"
    void Command12_Click();  // "Effacer"

    // --- What the burette changes -------------------------------------------------------------
    // The poured volume `Text1(5)` and its reading `Labelbur`.
    void setPouredVolumeText(const QString& text);
    void lockFields(bool locked);
    void setCurrentCompleted(bool completed);
    void setToolbarVisible(bool visible);

    // --- Situations -------------------------------------------------------------------------
    void Option2_Click(int index);
    // The load half of the switch alone, for a configuration just read: nothing is stored.
    void showSituation(int index);
    // Replaces the ten records wholesale (the configuration loader).
    void replaceSituations(const std::array<chemistry::Situation, kSituationCount>& situations);
    // The three display switches of a configuration, each as a click of its box would set it.
    void setDisplaySwitches(bool masked, bool superpose, bool bold);

  signals:
    // Fields, lists, options, labels, visibility: the panels take their state again.
    void controlsChanged();
    // The pH-meter reading and the poured volume shown on the illustration.
    void readingsChanged();
    // The measuring step changed.
    void stepChanged();
    // The completed situations changed or were redrawn: the history is written again.
    void historyChanged();

  private:
    void setField(int index, const QString& text);
    int tableColumns() const;
    void recordRow(bool withMark);
    void storeCurrentSituation();
    // A completed current situation whose panel no longer gives its titration is completed no more.
    void endCompletionIfReshaped();
    void loadControls(int index);
    void refillSoluteList();
    void informVolume(const char* message);

    platform::MessageBoxes& m_messageBoxes;
    SituationColours m_colours;
    chemistry::SpeciesCatalogue m_catalogue;
    chemistry::EngineState m_engine;
    std::array<chemistry::Situation, kSituationCount> m_situations;
    // Situations whose concentration the die drew: the mask cannot be cleared there.
    std::array<bool, kSituationCount> m_drawnConcentrationHidden{};
    int m_currentSituation = -1;

    chemistry::SolutionSpec m_spec;  // the panel's texts and choices
    bool m_showBurette = true;
    bool m_showPhMeter = true;
    bool m_masked = false;
    bool m_maskEnabled = true;
    bool m_superpose = false;
    bool m_bold = false;
    int m_stepTenths = 5;

    bool m_fieldsLocked = false;
    bool m_validating = false;  // a validation shows message boxes: it must not run inside itself
    bool m_toolbarVisible = false;
    bool m_distributionEnabled = true;
    QString m_phText;
    QString m_pouredText = QStringLiteral("0,0 mL");

    GraphCanvas m_graph;
    ApparatusCanvas m_apparatus;
    MeasurementRows m_rows;
    Burette m_burette;
    std::mt19937 m_random;
};

}  // namespace workbench
