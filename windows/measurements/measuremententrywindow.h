#pragma once
// "Saisir des mesures" (`saisir`): a grid where the pupil types or pastes the points measured in
// the lab, a volume in mL and a column for each reading the lab measures (state::labReadings():
// the pH, σ in mS/cm…), the readings whose meter is not used hidden. Each value is checked as it
// is typed; OK hands the points over, Cancel nothing. Every point of the situation is shown, and a
// reading measured before is kept when its column is not shown.
#include <QDialog>
#include <bitset>
#include <functional>
#include <vector>

#include "measurements/measuredpoint.h"
#include "platform/messageboxes.h"

class QTableWidgetItem;

namespace platform {
class Clipboard;
}

namespace measurementwindows {

class EntryGrid;

using PointsHandler = std::function<void(std::vector<measurements::MeasuredPoint>)>;
// By slot: the readings whose column shows (the required ones show anyway).
using ShownReadings = std::bitset<measurements::kMaxReadings>;

class MeasurementEntryWindow : public QDialog {
    Q_OBJECT

  public:
    MeasurementEntryWindow(const std::vector<measurements::MeasuredPoint>& points, ShownReadings shown,
                           platform::Clipboard& clipboard, platform::MessageBoxes& messageBoxes,
                           PointsHandler entered, QWidget* parent);

    // The clipboard's text (tab- or semicolon-separated lines) after the rows already filled; text
    // the reader refuses changes nothing and is explained.
    void pasteFromClipboard();
    // An empty row below the current one.
    void addRow();
    // The rows of the selected cells.
    void removeRows();
    // "OK": the points of the filled rows, unless a row lacks a value.
    void confirm();

  private:
    void checkCell(QTableWidgetItem* item);
    void setRow(int row, const measurements::MeasuredPoint& point);
    int lastFilledRow() const;
    // Room for one more row; told when there is none.
    bool roomForARow();
    bool appendRow();
    void tell(platform::MessageIcon icon, const QString& text, const QString& title);

    platform::Clipboard& m_clipboard;
    platform::MessageBoxes& m_messageBoxes;
    PointsHandler m_entered;
    EntryGrid* m_grid = nullptr;
    int m_rowLimit = 0;
    bool m_checking = false;  // a cell being rewritten by its own check
};

// Shows the window, modal over `mainWindow`, and returns at once; the window is destroyed when it
// closes. `points` fill the grid first.
MeasurementEntryWindow* openMeasurementEntry(const std::vector<measurements::MeasuredPoint>& points,
                                             ShownReadings shown, platform::Clipboard& clipboard,
                                             platform::MessageBoxes& messageBoxes, QWidget* mainWindow,
                                             PointsHandler entered);

}  // namespace measurementwindows
