#pragma once
// The working state of the titration bench and the procedures that change it. The panels read
// the state, call the handlers when the pupil acts, and draw what the signals tell them, in the
// order the signals come.
#include <QColor>
#include <QObject>
#include <QString>
#include <QTimer>
#include <array>
#include <random>
#include <vector>

#include "chemistry/chemistry.h"

namespace platform {
class MessageBoxes;
}

namespace workbench {

enum class GraphMode { PhCurve, Distribution };

inline constexpr int kSituationCount = 10;
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
    explicit Workbench(platform::MessageBoxes& messageBoxes, QObject* parent = nullptr);

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
    chemistry::SolutionSpec solution() const;
    // The number a field holds, 0 when its text is not a number.
    double fieldValue(int index) const;

    bool showBurette() const { return m_showBurette; }
    bool showPhMeter() const { return m_showPhMeter; }
    bool concentrationMasked() const { return m_masked; }
    bool maskEnabled() const { return m_maskEnabled; }
    bool superposeCurves() const { return m_superpose; }
    bool boldStrokes() const { return m_bold; }
    int stepTenths() const { return m_stepTenths; }
    GraphMode graphMode() const { return m_graphMode; }
    void setGraphMode(GraphMode mode) { m_graphMode = mode; }
    int strokeWidth() const { return m_strokeWidth; }

    bool fieldsLocked() const { return m_fieldsLocked; }
    bool tapOpen() const { return m_tapOpen; }
    bool pouring() const { return m_timer1.isActive(); }
    bool dropFalling() const { return m_timer2.isActive(); }
    int dropFrame() const { return m_dropFrame; }
    bool toolbarVisible() const { return m_toolbarVisible; }
    bool distributionEnabled() const { return m_distributionEnabled; }
    // `LabelpH` and `Labelbur`.
    QString phText() const { return m_phText; }
    QString pouredText() const { return m_pouredText; }
    // The situation's drawing colour; situation 10 takes the system's button-text colour.
    static QColor situationColour(int slot);
    QColor currentColour() const;

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
    void rebuildMeasurements();
    void traceCurrentCurve();
    void chpk();

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

    // --- Burette ----------------------------------------------------------------------------
    void Image3_MouseDown();
    void Image3_MouseUp();
    void Image3_Click();
    void Timer1_Timer();
    void Command6_Click();
    void Image1_Click();
    void Timer2_Timer();
    void Command14_Click();
    void retablir();
    void Command13_Click();

    // --- Situations -------------------------------------------------------------------------
    void Option2_Click(int index);
    // The load half of the switch alone, for a configuration just read: nothing is stored.
    void showSituation(int index);
    // Replaces the ten records wholesale (the configuration loader).
    void replaceSituations(const std::array<chemistry::Situation, kSituationCount>& situations);
    // The three display switches of a configuration.
    void setDisplaySwitches(bool masked, bool superpose, bool bold);

  signals:
    // Fields, lists, options, labels, visibility: the panels take their state again.
    void controlsChanged();
    // The pH-meter reading and the poured volume shown on the illustration.
    void readingsChanged();
    // The measuring step changed.
    void stepChanged();
    // `Picture1` restarts: cleared, white, its frame drawn, the stroke width set.
    void graphRestarted();
    // One measurement mark, in the current situation's colour.
    void markPlaced(double volume, double pH, QColor colour, int strokeWidth);
    // A theoretical curve.
    void curveTraced(const std::vector<chemistry::CurveVertex>& curve, QColor colour, int strokeWidth);
    // The table restarts with its header only, with 4 or 6 columns.
    void tableReset(int columns);
    // A row at 0 mL starts the rows again: the header row alone is kept.
    void tableCleared();
    void rowAppended(const chemistry::TitrationPoint& point, int columns);
    // The history must be written again from the situations.
    void historyChanged();
    // `imafond` and `niveaubecher` of the illustration.
    void apparatusChanged();
    void beakerChanged();
    // A falling drop painted at that height of the illustration (frames 1 to 4).
    void dropPainted(int frame, double y);
    // The short lines at the burette tip are drawn again after every drop tick.
    void buretteTipRedrawn();
    // The entry being edited must be committed before pouring (focus to the text area).
    void commitEntryRequested();

  private:
    void setField(int index, const QString& text);
    double pouredVolume() const;
    int tableColumns() const;
    void recordRow(bool withMark);
    void storeCurrentSituation();
    void loadControls(const chemistry::Situation& situation);
    void refillSoluteList();
    void lockFields(bool locked);
    void closeTap();
    int liquidSurface() const;
    void showCurve(const std::vector<chemistry::CurveVertex>& curve, QColor colour);
    void informVolume(const char* message);

    platform::MessageBoxes& m_messageBoxes;
    chemistry::SpeciesCatalogue m_catalogue;
    chemistry::EngineState m_engine;
    std::array<chemistry::Situation, kSituationCount> m_situations;
    int m_currentSituation = -1;

    chemistry::SolutionSpec m_spec;  // the panel's texts and choices
    bool m_showBurette = true;
    bool m_showPhMeter = true;
    bool m_masked = false;
    bool m_maskEnabled = true;
    bool m_superpose = false;
    bool m_bold = false;
    int m_stepTenths = 5;
    GraphMode m_graphMode = GraphMode::PhCurve;
    int m_strokeWidth = 1;

    bool m_fieldsLocked = false;
    bool m_validating = false;  // a validation shows message boxes: it must not run inside itself
    bool m_tapOpen = false;
    int m_dropFrame = 0;
    bool m_toolbarVisible = false;
    bool m_distributionEnabled = true;
    QString m_phText;
    QString m_pouredText = QStringLiteral("0,0 mL");

    QTimer m_timer1;
    QTimer m_timer2;
    std::mt19937 m_random;
};

}  // namespace workbench
