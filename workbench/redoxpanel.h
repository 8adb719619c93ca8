#pragma once
// The tab "Dans le bécher" for an oxidation-reduction titration: the species titrated and the
// titrant, the balanced equation, the concentration and volumes as for an acid-base titration,
// the sulfuric acid of the medium, the indicator and what follows the titration.
#include <QObject>
#include <QString>
#include <array>

#include "state/benchstate.h"
#include "workbench/parameterpanel.h"

class QComboBox;
class QWidget;

namespace workbench {

class BenchController;

// Where each label and control goes; the equation is written under the two lists.
PanelLayout layOutRedoxPanel(const PanelMetrics& metrics, const PanelControlSizes& sizes, bool masked,
                             const QString& equation);
// The same page for a precipitation titration: the salts in the lists, a second salt with its
// concentration, Mohr's chromate and the silver electrode's reference.
PanelLayout layOutPrecipitationPanel(const PanelMetrics& metrics, const PanelControlSizes& sizes, bool masked,
                                     const QString& equation, bool secondSalt);

// The panel's lists of an oxidation-reduction or a precipitation titration, children of the panel:
// they follow the bench and send the pupil's choices to it.
class RedoxLists : public QObject {
    Q_OBJECT

  public:
    RedoxLists(BenchController& bench, QWidget* panel);

    // The lists show the bench's choices; the burette's list holds the species that titrate the
    // beaker's.
    void take(const state::BenchState& bench);
    // Placed as the layout has them, shown with an oxidation-reduction titration only.
    void place(const PanelLayout& layout);
    void setSizes(PanelControlSizes& sizes) const;
    QComboBox* beakerList() const { return m_beaker; }
    QComboBox* titrantList() const { return m_titrant; }
    QComboBox* indicatorList() const { return m_indicator; }
    QComboBox* referenceList() const { return m_reference; }
    QComboBox* secondSaltList() const { return m_secondSalt; }

  private:
    BenchController& m_bench;
    QComboBox* m_beaker = nullptr;
    QComboBox* m_titrant = nullptr;
    QComboBox* m_indicator = nullptr;
    QComboBox* m_reference = nullptr;
    QComboBox* m_secondSalt = nullptr;
    bool m_precipitation = false;    // the lists hold salts
    std::vector<int> m_titrants;     // the species (or salt) index of each entry of the burette's list
    int m_titrantsOf = -1;           // the beaker's species (or salt) they titrate
    std::vector<int> m_secondSalts;  // the salt index of each entry of the second salt's list after "aucun"
    int m_secondSaltsOf = -1;        // the beaker's salt they may join
    void fillBeakerList(bool precipitation);
    void fillTitrants(const state::BenchState& bench);
};

}  // namespace workbench
