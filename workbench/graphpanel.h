#pragma once
// The graph page: `Picture1` showing the graph canvas, its tool bar `outils` and the label
// `labout` naming the current curve.
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "platform/surfaceview.h"
#include "workbench/graphcanvas.h"
#include "workbench/workbench.h"

class QFrame;
class QLabel;
class QToolButton;

namespace workbench {

class GraphPanel : public QWidget {
    Q_OBJECT

  public:
    // The analysis tools of the tool bar, which other parts of the window provide.
    enum class Tool { Distribution, Tangents, Derivative };

    static constexpr int kPageWidth = GraphCanvas::kWidth;
    static constexpr int kPageHeight = GraphCanvas::kHeight;

    explicit GraphPanel(Workbench& workbench, QWidget* parent = nullptr);

    platform::SurfaceView& picture() { return *m_picture; }
    const platform::SurfaceView& picture() const { return *m_picture; }

    // Gives a tool button its command. A tool without a command stays disabled; the distribution
    // diagram is also disabled while the beaker holds a strong acid or base.
    void setToolCommand(Tool tool, std::function<void()> command);

    // The tool bar's buttons, top to bottom.
    std::vector<QWidget*> tabOrder() const;

    // The read-out under the mouse, in surface pixels.
    void Picture1_MouseMove(int x, int y);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

  signals:
    void hint(const QString& text);

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    void refresh();
    void placeChildren();
    QToolButton* addToolButton(const QString& name, const QString& caption, const QIcon& icon);
    QToolButton* toolButton(Tool tool) const;

    Workbench& m_workbench;
    platform::SurfaceView* m_picture;
    QFrame* m_toolbar;
    QToolButton* m_erase;
    QToolButton* m_restore;
    QToolButton* m_distribution;
    QToolButton* m_tangents;
    QToolButton* m_derivative;
    QLabel* m_curveLabel;
    std::array<std::function<void()>, 3> m_toolCommands;
};

}  // namespace workbench
