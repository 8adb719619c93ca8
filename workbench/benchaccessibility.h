#pragma once
// What the main window gives a screen reader: its controls named from one table, the pictures
// (illustration, graph) described in words that follow the bench, the situation buttons and the
// tab strip named with their state, and announcements of what a titration does: each recorded
// row while pouring, the end of the titration, a corrected value, why an action did nothing, a
// copy's confirmation. It follows the desktop's theme: a dark or high-contrast one draws the
// pictures in high contrast, and keeps the text on the window's own light surfaces dark.
#include <QObject>
#include <QPointer>
#include <QString>
#include <array>

#include "state/actionresult.h"
#include "state/benchstate.h"

class QAbstractButton;
class QLabel;
class QWidget;

#include "platform/accessibility.h"

namespace workbench {

class BenchController;
class TabStrip;

class BenchAccessibility : public QObject {
    Q_OBJECT

  public:
    // Without an announcer of its own, the window's announcements rename a status label of it.
    BenchAccessibility(BenchController& bench, QWidget& window, platform::Announcer* announcer = nullptr);

    // Names what is built so far: the window's controls and the pages built up to now.
    void nameControls();
    void announce(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void followTheme();
    void follow(state::Changes changes);
    void describePictures();
    void nameSituations();
    void nameTabs();
    void nameMeters();
    void announceProgress();

    BenchController& m_bench;
    QWidget& m_window;
    QLabel* m_region;
    platform::StatusAnnouncer m_statusAnnouncer;
    platform::Announcer& m_announcer;
    QPointer<TabStrip> m_tabs;
    QPointer<QWidget> m_illustration;
    QPointer<QWidget> m_graph;
    std::array<QPointer<QLabel>, 3>
        m_meters;  // the pH-meter's, the conductimeter's and the millivoltmeter's displays
    std::array<QPointer<QAbstractButton>, state::kSituationCount> m_situations;
    // What was last announced of the titration: rows recorded, the tool bar of a finished one,
    // the situation.
    int m_rowsSeen = 0;
    bool m_toolbarSeen = false;
    int m_situationSeen = -1;
    bool m_followingTheme = false;
};

}  // namespace workbench
