// The main window's keyboard: the Tab order in reading order, Enter on the buttons, the focus
// frame, and the option groups entered at their chosen button.
#include "workbench/mainwindow.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "workbench/benchaccessibility.h"
#include "workbench/graphpanel.h"
#include "workbench/historypanel.h"
#include "workbench/illustrationpanel.h"
#include "workbench/keyboardaccess.h"
#include "workbench/measurementpage.h"
#include "workbench/measurementtable.h"
#include "workbench/optionspage.h"
#include "workbench/parameterpanel.h"
#include "workbench/tabstrip.h"

namespace workbench {

std::vector<QWidget*> MainWindow::tabOrder() const {
    // Reading order: the command bar, the illustration on the left, then the tab strip and its
    // pages on the right, the situations, and the text area below them. A page not built yet
    // has no controls to go through.
    std::vector<QWidget*> order(m_controls.commands.begin(), m_controls.commands.end());
    const auto append = [&order](const std::vector<QWidget*>& controls) {
        order.insert(order.end(), controls.begin(), controls.end());
    };
    append(m_panels.illustration->tabOrder());
    order.push_back(m_panels.tabs);
    append(m_panels.parameters->tabOrder());
    if (m_panels.graph) append(m_panels.graph->tabOrder());
    if (m_panels.table) order.push_back(&m_panels.table->grid());
    if (m_panels.tablePage) append(m_panels.tablePage->tabOrder());
    if (m_panels.options) append(m_panels.options->tabOrder());
    if (m_panels.history) order.push_back(m_panels.history);
    order.insert(order.end(), m_situations.buttons.begin(), m_situations.buttons.end());
    order.push_back(m_controls.exerciseName);
    order.push_back(m_controls.exercises);
    order.push_back(m_controls.text);
    return order;
}

void MainWindow::watchKeyboard(QWidget& area, const std::vector<QWidget*>& controls) {
    for (QAbstractButton* button : area.findChildren<QAbstractButton*>()) {
        if (!qobject_cast<QCheckBox*>(button) && !qobject_cast<QRadioButton*>(button))
            m_keyboard.enterPresses->watch(button);
    }
    // The style's own marks are faint or missing (the grid, the text areas, the pictures): every
    // control gets the same frame. The tab strip frames its current title itself.
    for (QWidget* control : controls) {
        if (control != m_panels.tabs) m_keyboard.focusFrame->watch(control);
    }
}

void MainWindow::addToKeyboard(QWidget& page, const std::vector<QWidget*>& controls) {
    if (m_accessibility) m_accessibility->nameControls();
    // Before the window's keyboard is set up, that set-up takes the page with the rest.
    if (!m_keyboard.focusFrame) return;
    workbench::setTabOrder(tabOrder());
    watchKeyboard(page, controls);
}

void MainWindow::setUpKeyboard() {
    const std::vector<QWidget*> order = tabOrder();
    workbench::setTabOrder(order);
    m_keyboard.enterPresses = new EnterPressesButton(this);
    m_keyboard.focusFrame = new FocusFrame(this);
    watchKeyboard(*this, order);
    tabIntoCheckedOption();
    connect(&m_workbench, &BenchController::changed, this, [this](state::Changes changes) {
        if (changes.has(state::Changed::Controls)) tabIntoCheckedOption();
    });
}

void MainWindow::tabIntoCheckedOption() {
    // Tab enters a group of option buttons at the one chosen; the arrows go to the others.
    const auto fix = [](const auto& buttons) {
        for (QRadioButton* button : buttons) {
            button->setFocusPolicy(button->isChecked() ? Qt::StrongFocus : Qt::ClickFocus);
        }
    };
    fix(m_situations.buttons);
    fix(m_panels.parameters->natureButtons());
}

bool MainWindow::leaveTextArea(QKeyEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) return false;
    const bool forward = event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
    const bool backward = event->key() == Qt::Key_Backtab ||
                          (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ShiftModifier));
    if (!forward && !backward) return false;
    focusNextPrevChild(forward);
    return true;
}

}  // namespace workbench
