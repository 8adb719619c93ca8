#pragma once
// The page `Frame2` of the tab "Dans le bécher": the beaker's solution described as flowing
// text, its controls placed right after their labels.
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "platform/surfaceview.h"
#include "state/actionresult.h"
#include "state/benchstate.h"
#include "workbench/panelflow.h"

class QComboBox;
class QLabel;
class QRadioButton;
class QToolButton;

namespace workbench {

class BenchController;
class EntryField;
class RedoxLists;

struct PanelControlSizes {
    QSize acidOption;
    QSize baseOption;
    QSize soluteList;
    QSize otherPKa;             // Text1(2)
    QSize secondPKa;            // Text1(3)
    QSize secondList;           // lbecher2
    QSize secondConcentration;  // Text1(7)
    QSize concentration;        // Text1(0)
    QSize beakerVolume;         // Text1(4)
    QSize waterVolume;          // Text1(6)
    QSize revealLabel;
    QSize dieButton{16, 16};
    QSize indicatorList;
    // An oxidation-reduction titration's.
    QSize redoxBeakerList;     // loxred
    QSize titrantList;         // ltitrant
    QSize sulfuricAcid;        // Text1(8)
    QSize redoxIndicatorList;  // lindicredox
    QSize referenceList;       // lreference
    QSize secondSaltList;      // lsel2
    QSize chromate;            // Text1(9)

    bool operator==(const PanelControlSizes&) const = default;
};

struct PanelLayout {
    std::vector<PanelText> texts;
    QRect acidOption, baseOption, soluteList, otherPKa, concentration, revealLabel, dieButton, beakerVolume,
        waterVolume, indicatorList, secondList, secondPKa, secondConcentration;
    bool otherPKaVisible = false;
    bool secondPKaVisible = false;
    bool secondConcentrationVisible = false;
    bool concentrationVisible = true;
    bool revealLabelVisible = false;
    bool dieButtonVisible = true;
    // An oxidation-reduction titration's panel: its lists and the acid in place of the acid-base
    // controls, which are then hidden.
    bool redox = false;
    QRect redoxBeakerList, titrantList, sulfuricAcid, redoxIndicatorList, referenceList;
    // A precipitation titration: the redox layout's lists hold salts, with a second salt's list
    // and Mohr's chromate in place of the indicator and the sulfuric acid.
    bool precipitation = false;
    QRect secondSaltList, chromate;
};

// Where each label and control of the panel goes, for the free solute chosen or not and the
// concentration masked or not.
// The free solute's pKa (two for the free two-pKa solute) follow the solute list on its row; the
// second solute's list follows "Deuxième soluté :" under it, with its concentration c₂' and unit
// once a second solute is chosen and the concentrations are shown.
PanelLayout layOutParameterPanel(const PanelMetrics& metrics, const PanelControlSizes& sizes,
                                 bool otherSolute, bool masked, bool freeDiprotic = false,
                                 bool secondSolute = false);

// The concentration c₂ with its unit and die, then the volumes V₂ and V₃, the first section
// `firstGap` px below the print position and the others `gap` px apart: both kinds of titration
// lay them out alike.
void layOutConcentrationAndVolumes(Flow& flow, const PanelControlSizes& sizes, PanelLayout& layout,
                                   int firstGap, int gap);

// Prints the texts of a layout on the panel's surface, over its background.
void paintParameterPanel(platform::Surface& surface, const PanelLayout& layout);

// Measures with the fonts a Surface draws with.
class SurfaceMetrics : public PanelMetrics {
  public:
    double textWidth(const PanelFont& font, const QString& text) const override;
    double lineHeight(const PanelFont& font) const override;

  private:
    void use(const PanelFont& font) const;
    mutable platform::Surface m_surface;
};

class ParameterPanel : public platform::SurfaceView {
    Q_OBJECT

  public:
    static constexpr platform::Colour kBackColour{240, 235, 230};

    explicit ParameterPanel(BenchController& bench, QWidget* parent = nullptr);

    // Draws the labels and places the controls.
    void paintPanel();
    const PanelLayout& panelLayout() const { return m_layout; }
    const std::array<QRadioButton*, 2>& natureButtons() const { return m_natureButtons; }
    // The controls in the order the panel is drawn, top to bottom and left to right.
    std::vector<QWidget*> tabOrder() const;

  signals:
    void hint(const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void follow(state::Changes changes);
    void takeControls();
    void takeReadings();
    void fillSoluteList();
    void fillSecondList();
    EntryField* addField(state::Field which, int width);
    PanelControlSizes controlSizes() const;
    EntryField* field(state::Field which) const;

    BenchController& m_bench;
    std::array<QRadioButton*, 2> m_natureButtons{};
    QComboBox* m_soluteList = nullptr;
    QComboBox* m_indicatorList = nullptr;
    QComboBox* m_secondList = nullptr;  // "aucun", then the solutes of the nature but the free ones
    std::vector<int> m_secondIndices;   // the catalogue index of each entry after "aucun"
    std::vector<EntryField*> m_fields;  // Text1(0), (2), (3), (4), (6), (7), (8)
    QLabel* m_revealLabel = nullptr;
    QToolButton* m_dieButton = nullptr;
    RedoxLists* m_redox = nullptr;
    int m_listNature = -1;  // 1 when soluteList holds the acids, 0 the bases, -1 not filled
    SurfaceMetrics m_metrics;
    PanelLayout m_layout;
    // What the last picture was drawn from: the panel is drawn again only when one of them moves.
    struct PaintedFrom {
        PanelControlSizes sizes;
        bool otherSolute = false;
        bool masked = false;
        bool freeDiprotic = false;
        bool secondSolute = false;
        bool redox = false;
        bool precipitation = false;
        QString equation;
        bool operator==(const PaintedFrom&) const = default;
    };
    PaintedFrom paintInputs() const;
    std::optional<PaintedFrom> m_paintedFrom;
};

}  // namespace workbench
