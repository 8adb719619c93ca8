#pragma once
// The copy button's pop-up menu `menucopie`: the illustration and the graph as pictures, the
// history as rich text, the table as text or as a picture. Each copy empties the clipboard first;
// the copies of the illustration, of the graph and of the table's contents confirm themselves on
// the hint line.
#include <QMenu>
#include <QPointer>
#include <functional>

class QAbstractButton;

namespace platform {
class Clipboard;
}

namespace workbench {

class HintLine;
class HistoryPanel;
class MeasurementTable;
class BenchController;

class CopyMenu : public QMenu {
    Q_OBJECT

  public:
    // The history and the table are pages built when first needed: the menu asks for them.
    CopyMenu(BenchController& bench, std::function<HistoryPanel&()> history,
             std::function<MeasurementTable&()> table, platform::Clipboard& clipboard, HintLine& hintLine,
             QWidget* parent = nullptr);

    // The copy button, whose clicks open the menu.
    void setButton(QAbstractButton* button);
    // Clicked with the mouse, the menu pops up at the pointer; pressed from the keyboard (its
    // accelerator, Space, Enter) it drops down under the button, as a menu button's does.
    void popUpCopyMenu();

    void copyIllustration();
    void copyGraph();
    void copyHistory();
    void copyTableText();
    void copyTablePicture();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QAction* addEntry(QMenu& menu, const char* name, const QString& caption, void (CopyMenu::*handler)());

    BenchController& m_bench;
    std::function<HistoryPanel&()> m_history;
    std::function<MeasurementTable&()> m_table;
    platform::Clipboard& m_clipboard;
    HintLine& m_hintLine;
    QPointer<QAbstractButton> m_button;
    bool m_clickedWithMouse = false;  // the button's click comes from a mouse release
};

}  // namespace workbench
