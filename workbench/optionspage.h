#pragma once
// The options page `Picture3`: which apparatus the illustration shows, the graph options, the
// masking of the beaker concentration and the measuring step of the table, laid out as flowing
// text; the mouse reads an abscissa of the graph's volume axis.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <vector>

#include "platform/surfaceview.h"
#include "state/actionresult.h"

namespace workbench {

class BenchController;

// A pair of arrows that steps a whole number between two bounds, like a spinner whose value is
// shown elsewhere (here by the step label).
class UpDown : public QWidget {
    Q_OBJECT

  public:
    explicit UpDown(const QString& name, QWidget* parent = nullptr);

    int value() const { return m_value; }
    int minimum() const { return m_minimum; }
    int maximum() const { return m_maximum; }
    // The value is kept inside the range; a change is reported.
    void setValue(int value);
    void setRange(int minimum, int maximum);
    void stepUp() { setValue(m_value + 1); }
    void stepDown() { setValue(m_value - 1); }

  signals:
    void valueChanged(int value);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void enableArrows();

    QToolButton* m_up;
    QToolButton* m_down;
    int m_minimum = 1;
    int m_maximum = 10;
    int m_value = 1;
};

class OptionsPage : public platform::SurfaceView {
    Q_OBJECT

  public:
    // The page of the tab strip: 473 x 274 px.
    static constexpr int kWidth = 473;
    static constexpr int kHeight = 274;

    explicit OptionsPage(BenchController& bench, QWidget* parent = nullptr);

    // Clears the page, writes the headings and places the controls in the text's flow.
    void paintPage();
    // The volume under the pointer, "V = 12,5 mL", or nothing off the volume axis.
    static QString readOut(int x, int y);
    // The controls from the top of the page down.
    std::vector<QWidget*> tabOrder() const;
    // The window's zoom, beside "Contraste élevé"; the page takes it as its child.
    void setZoomChoice(QWidget* choice);

  signals:
    void hint(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QCheckBox* addCheck(const QString& name, const QString& caption);
    void follow(state::Changes changes);
    void takeControls();
    void takeStep();

    BenchController& m_bench;
    std::array<QCheckBox*, 2> m_apparatusParts{};
    QCheckBox* m_conductimeterBox;  // `optscema(2)`, on the pH-meter's line
    QCheckBox* m_superposeBox;
    QCheckBox* m_boldBox;
    QCheckBox* m_maskBox;
    QCheckBox* m_contrastBox;  // "Contraste élevé"
    QWidget* m_zoomChoice = nullptr;
    QComboBox* m_kindList = nullptr;  // typetitrage
    QLabel* m_stepLabel;
    UpDown* m_stepSpinner;
};

}  // namespace workbench
