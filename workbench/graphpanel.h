#pragma once
// The graph page: `Picture1` showing the graph canvas, its tool bar `outils` and the label
// `labout` naming the current curve.
#include <QWidget>
#include <vector>

#include "platform/surfaceview.h"
#include "state/actionresult.h"
#include "state/amountgraph.h"
#include "state/conductimetry.h"
#include "workbench/graphcanvas.h"

class QFrame;
class QLabel;
class QToolButton;

namespace workbench {

class BenchController;

class GraphPanel : public QWidget {
    Q_OBJECT

  public:
    static constexpr int kPageWidth = GraphCanvas::kWidth;
    static constexpr int kPageHeight = GraphCanvas::kHeight;

    explicit GraphPanel(BenchController& bench, QWidget* parent = nullptr);

    platform::SurfaceView& picture() { return *m_picture; }
    const platform::SurfaceView& picture() const { return *m_picture; }

    // The tool bar's buttons, top to bottom.
    std::vector<QWidget*> tabOrder() const;

    // The read-out under the mouse, in surface pixels.
    void showReadoutAt(int x, int y);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  signals:
    void hint(const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    // The tool bar shows with a finished titration; the distribution diagram is disabled while
    // the beaker holds a strong acid or base.
    void refresh();
    void placeChildren();
    QToolButton* addToolButton(const QString& name, const QString& caption, const QIcon& icon);
    QToolButton* addSwitchButton(const QString& name, const QString& caption);
    void addStraightLinesMenu();

    BenchController& m_bench;
    platform::SurfaceView* m_picture;
    QFrame* m_toolbar;
    QToolButton* m_erase;
    QToolButton* m_restore;
    QToolButton* m_distribution;
    QToolButton* m_tangents;
    QToolButton* m_derivative;
    QToolButton* m_straightLines;  // "Droites", in place of the tangents on the σ graph
    state::StraightLinesFit m_straightLinesFit = state::StraightLinesFit::DilutionCorrected;
    // The switch between pH = f(V), n = f(V) and, while the conductimeter is shown, σ = f(V).
    QFrame* m_graphSwitch;
    QToolButton* m_phGraph;
    QToolButton* m_conductivityGraph;
    QToolButton* m_amountGraph;
    QToolButton* m_potentialGraph;
    QLabel* m_curveLabel;
};

}  // namespace workbench
