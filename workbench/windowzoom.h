#pragma once
// The zoom of the bench for a projector or a large screen: 100 % to 200 % by steps, or "Ajuster à
// l'écran", the largest that fits the screen's available area. The main window keeps its
// designed size in the bench's own units, so that on the screen it is 800 × 600 times the zoom,
// placed again as after any resize; every window of the program follows (platform/screenzoom).
// Ctrl++ and Ctrl+− step the zoom, Ctrl+0 brings back 100 %; the options page offers the choice.
// The program starts at 100 % and keeps the zoom until it closes.
#include <QObject>
#include <QSize>
#include <array>
#include <functional>
#include <vector>

class QComboBox;
class QWidget;

namespace workbench {

inline constexpr std::array<int, 5> kZoomSteps{100, 125, 150, 175, 200};  // %
inline constexpr int kLargestZoom = 400;                                  // %

// The largest zoom (%) at which a window of the designed size and its frame fit in `available`
// (both measured at `zoom` %); 100 % at least, kLargestZoom at most.
int fittingZoom(QSize available, QSize frameMargins, int zoom);
// The steps and the fitting zoom, in order, each once.
std::vector<int> zoomChoices(int fitting);
// The choice after `zoom` (upwards) or before it; `zoom` itself at either end.
int nextZoom(int zoom, int fitting, bool upwards);

class WindowZoom : public QObject {
    Q_OBJECT

  public:
    // Keys on `window`; `place` puts the window back at its size once the zoom changed.
    WindowZoom(QWidget& window, std::function<void()> place);

    bool available() const;
    int percent() const;
    // The zoom that fits the screen the window is on.
    int fittingPercent() const;

    void setPercent(int percent);
    void zoomIn();
    void zoomOut();
    void fitToScreen();

    // The options page's choice, `optzoom`, with its caption, following the zoom.
    QWidget* makeChoice(QWidget* parent);

  signals:
    void changed(int percent);

  private:
    void addKeys();
    void showIn(QComboBox& box) const;

    QWidget& m_window;
    std::function<void()> m_place;
    bool m_fitted = false;  // the zoom was set by "Ajuster à l'écran"
};

}  // namespace workbench
