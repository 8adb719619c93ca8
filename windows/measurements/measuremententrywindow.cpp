#include "windows/measurements/measuremententrywindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <functional>
#include <set>
#include <string>

#include "measurements/measuremententry.h"
#include "measurements/measurementreader.h"
#include "platform/clipboard.h"
#include "platform/utf8text.h"
#include "state/meters.h"

namespace measurementwindows {

namespace {

using measurements::LabReading;
using platform::fromUtf8;

constexpr int kInitialEmptyRows = 1;
// The grid's width with the volume and the pH, and what each other column adds.
constexpr int kNarrowWidth = 330;
constexpr int kColumnWidth = 90;

// The grid's columns: the volume, then the readings in the list's order.
const LabReading& columnQuantity(int column) {
    const auto readings = state::labReadings();
    if (column <= 0 || column > static_cast<int>(readings.size())) return measurements::volumeReading();
    return readings[static_cast<std::size_t>(column - 1)];
}
// A value put in the grid from outside, kept with all its digits while the cell shows it.
constexpr int kKeptValue = Qt::UserRole;

}  // namespace

// A grid that goes on as a spreadsheet does: Tab from a row's last cell goes to the next row,
// Enter to the cell below, and either adds a row from the last one instead of going back to the
// first.
class EntryGrid : public QTableWidget {
  public:
    EntryGrid(std::function<bool()> appendRow, QWidget* parent)
        : QTableWidget(0, static_cast<int>(state::labReadings().size()) + 1, parent),
          m_appendRow(std::move(appendRow)) {}

    void moveDown() {
        const int row = currentRow();
        const int column = std::max(currentColumn(), 0);
        if (row + 1 >= rowCount() && !m_appendRow()) return;
        setCurrentCell(row + 1, column);
    }

  protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override {
        const QModelIndex current = currentIndex();
        if (action != MoveNext || !current.isValid()) return QTableWidget::moveCursor(action, modifiers);
        for (int column = current.column() + 1; column < columnCount(); ++column) {
            if (!isColumnHidden(column)) return model()->index(current.row(), column);
        }
        if (current.row() + 1 >= rowCount() && !m_appendRow()) return current;
        return model()->index(current.row() + 1, 0);
    }

    void keyPressEvent(QKeyEvent* event) override {
        if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
            !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            moveDown();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }

  private:
    std::function<bool()> m_appendRow;
};

namespace {

// The keys of the parameter panel's fields: digits, the comma, the minus sign; a full stop becomes
// a comma. Enter validates the cell and goes to the one below; keys that move or edit pass.
class NumberDelegate : public QStyledItemDelegate {
  public:
    explicit NumberDelegate(EntryGrid* grid) : QStyledItemDelegate(grid), m_grid(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->installEventFilter(const_cast<NumberDelegate*>(this));
        return editor;
    }

  protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QLineEdit*>(object);
        if (editor != nullptr && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            const QString text = key->text();
            const bool command = key->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
            if (!command && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)) {
                emit commitData(editor);
                emit closeEditor(editor, QAbstractItemDelegate::NoHint);
                m_grid->moveDown();
                return true;
            }
            if (!command && text.size() == 1 && text[0].isPrint()) {
                if (text == QStringLiteral(".")) {
                    editor->insert(QStringLiteral(","));
                    return true;
                }
                if (!text[0].isDigit() && text != QStringLiteral(",") && text != QStringLiteral("-"))
                    return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

  private:
    EntryGrid* m_grid;
};

}  // namespace

MeasurementEntryWindow::MeasurementEntryWindow(const std::vector<measurements::MeasuredPoint>& points,
                                               ShownReadings shown, platform::Clipboard& clipboard,
                                               platform::MessageBoxes& messageBoxes, PointsHandler entered,
                                               QWidget* parent)
    : QDialog(parent),
      m_clipboard(clipboard),
      m_messageBoxes(messageBoxes),
      m_entered(std::move(entered)),
      // Every point the situation holds, and one empty row to type the next in.
      m_rowLimit(static_cast<int>(std::max(points.size(), measurements::kMaxPoints)) + kInitialEmptyRows) {
    setObjectName(QStringLiteral("saisir"));
    setWindowTitle(QStringLiteral("Saisir des mesures"));

    m_grid = new EntryGrid([this] { return appendRow(); }, this);
    m_grid->setObjectName(QStringLiteral("grille"));
    m_grid->setAccessibleName(QStringLiteral("Mesures saisies"));
    QStringList titles{fromUtf8(measurements::volumeReading().title)};
    QString columnsPasted = fromUtf8(measurements::volumeReading().column);
    int width = kNarrowWidth - kColumnWidth;
    for (int column = 1; column < m_grid->columnCount(); ++column) {
        const LabReading& reading = columnQuantity(column);
        titles.push_back(fromUtf8(reading.title));
        // Without its meter, a reading measured before stays in its row, out of sight.
        const bool visible = reading.required || shown.test(reading.slot);
        m_grid->setColumnHidden(column, !visible);
        if (!visible) continue;
        width += kColumnWidth;
        columnsPasted += QStringLiteral(", ") + fromUtf8(reading.column);
    }
    m_grid->setHorizontalHeaderLabels(titles);
    resize(width, 420);
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grid->setItemDelegate(new NumberDelegate(m_grid));
    m_grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    m_grid->setRowCount(static_cast<int>(points.size()) + kInitialEmptyRows);
    {
        // Tens of thousands of cells: the view hears of them once, when it first paints.
        const QSignalBlocker quiet(m_grid->model());
        for (std::size_t row = 0; row < points.size(); ++row) {
            setRow(static_cast<int>(row), points[row]);
        }
    }
    // Typing starts on the empty row, never over a measurement.
    m_grid->setCurrentCell(static_cast<int>(points.size()), 0);

    auto* paste = new QPushButton(QStringLiteral("Coller"), this);
    paste->setObjectName(QStringLiteral("coller"));
    paste->setToolTip(QStringLiteral("Colle des colonnes copiées d'un tableur : ") + columnsPasted);
    auto* add = new QPushButton(QStringLiteral("Ajouter une ligne"), this);
    add->setObjectName(QStringLiteral("ajouterligne"));
    auto* remove = new QPushButton(QStringLiteral("Supprimer la ligne"), this);
    remove->setObjectName(QStringLiteral("supprimerligne"));
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("ok"));
    auto* cancel = new QPushButton(QStringLiteral("Annuler"), this);
    cancel->setObjectName(QStringLiteral("annuler"));
    // Enter validates a cell, never the whole window.
    for (QPushButton* button : {paste, add, remove, ok, cancel}) button->setAutoDefault(false);

    auto* rowButtons = new QHBoxLayout;
    rowButtons->addWidget(paste);
    rowButtons->addWidget(add);
    rowButtons->addWidget(remove);
    auto* closing = new QHBoxLayout;
    closing->addStretch(1);
    closing->addWidget(ok);
    closing->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(rowButtons);
    layout->addLayout(closing);

    auto* pasteKey = new QShortcut(QKeySequence::Paste, m_grid);
    pasteKey->setContext(Qt::WidgetWithChildrenShortcut);
    connect(pasteKey, &QShortcut::activated, this, &MeasurementEntryWindow::pasteFromClipboard);
    connect(m_grid, &QTableWidget::itemChanged, this, &MeasurementEntryWindow::checkCell);
    connect(paste, &QPushButton::clicked, this, &MeasurementEntryWindow::pasteFromClipboard);
    connect(add, &QPushButton::clicked, this, &MeasurementEntryWindow::addRow);
    connect(remove, &QPushButton::clicked, this, &MeasurementEntryWindow::removeRows);
    connect(ok, &QPushButton::clicked, this, &MeasurementEntryWindow::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void MeasurementEntryWindow::tell(platform::MessageIcon icon, const QString& text, const QString& title) {
    m_messageBoxes.show(icon, text, title, platform::MessageButtons::Ok);
}

void MeasurementEntryWindow::setRow(int row, const measurements::MeasuredPoint& point) {
    m_checking = true;
    for (int column = 0; column < m_grid->columnCount(); ++column) {
        const LabReading& kind = columnQuantity(column);
        // A reading not measured stays empty, not written as 0.
        if (column > 0 && !point.has(kind.slot)) continue;
        const double value = column == 0 ? point.volume : point.reading(kind.slot);
        auto* item = new QTableWidgetItem(fromUtf8(measurements::cellText(kind, value)));
        item->setData(kKeptValue, value);
        m_grid->setItem(row, column, item);
    }
    m_checking = false;
}

void MeasurementEntryWindow::checkCell(QTableWidgetItem* item) {
    if (m_checking || item == nullptr) return;
    const measurements::CheckedValue checked =
        measurements::checkTypedValue(columnQuantity(item->column()), item->text().toStdString());
    m_checking = true;
    item->setText(fromUtf8(checked.text));
    // Typed over: the value is what the cell now shows.
    item->setData(kKeptValue, QVariant());
    m_checking = false;
    if (checked.message.empty()) return;
    // A corrected value is told as the panel tells it; a text that is no number is refused.
    tell(checked.value ? platform::MessageIcon::Information : platform::MessageIcon::Exclamation,
         fromUtf8(checked.message), fromUtf8(checked.title));
}

bool MeasurementEntryWindow::roomForARow() {
    if (m_grid->rowCount() < m_rowLimit) return true;
    tell(platform::MessageIcon::Exclamation,
         QStringLiteral(
             "Un titrage ne compte pas plus de 60 000 mesures : le tableau ne prend pas de ligne de "
             "plus."),
         QStringLiteral("Saisie des mesures"));
    return false;
}

bool MeasurementEntryWindow::appendRow() {
    if (!roomForARow()) return false;
    m_grid->insertRow(m_grid->rowCount());
    return true;
}

int MeasurementEntryWindow::lastFilledRow() const {
    for (int row = m_grid->rowCount() - 1; row >= 0; --row) {
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            const QTableWidgetItem* item = m_grid->item(row, column);
            if (item != nullptr && !item->text().trimmed().isEmpty()) return row;
        }
    }
    return -1;
}

void MeasurementEntryWindow::pasteFromClipboard() {
    const QString text = m_clipboard.plainText();
    if (text.trimmed().isEmpty()) {
        tell(platform::MessageIcon::Exclamation,
             QStringLiteral("Le presse-papiers ne contient pas de texte."),
             QStringLiteral("Collage impossible"));
        return;
    }
    const measurements::ReadResult read =
        measurements::readMeasurements(std::string_view(text.toStdString()), state::labReadings());
    if (!read.ok()) {
        tell(platform::MessageIcon::Stop, fromUtf8(read.error), QStringLiteral("Collage impossible"));
        return;
    }
    const int first = lastFilledRow() + 1;
    if (static_cast<std::size_t>(first) + read.points.size() > measurements::kMaxPoints) {
        tell(platform::MessageIcon::Stop,
             QStringLiteral(
                 "Avec les mesures collées, il y aurait plus de 60 000 mesures : c'est trop pour un "
                 "titrage."),
             QStringLiteral("Collage impossible"));
        return;
    }
    // A reading pasted while its column is not shown is kept with its row, as one measured before is.
    m_grid->setRowCount(first + static_cast<int>(read.points.size()) + kInitialEmptyRows);
    for (std::size_t i = 0; i < read.points.size(); ++i) {
        setRow(first + static_cast<int>(i), read.points[i]);
    }
    m_grid->setCurrentCell(m_grid->rowCount() - 1, 0);
}

void MeasurementEntryWindow::addRow() {
    if (!roomForARow()) return;
    const int row = m_grid->currentRow() < 0 ? m_grid->rowCount() : m_grid->currentRow() + 1;
    m_grid->insertRow(row);
    m_grid->setCurrentCell(row, 0);
}

void MeasurementEntryWindow::removeRows() {
    // From the bottom, so that the rows still to go keep their numbers.
    std::set<int, std::greater<>> rows;
    for (const QTableWidgetSelectionRange& range : m_grid->selectedRanges()) {
        for (int row = range.topRow(); row <= range.bottomRow(); ++row) rows.insert(row);
    }
    if (rows.empty() && m_grid->currentRow() >= 0) rows.insert(m_grid->currentRow());
    for (const int row : rows) m_grid->removeRow(row);
    if (m_grid->rowCount() == 0) m_grid->setRowCount(kInitialEmptyRows);
}

void MeasurementEntryWindow::confirm() {
    std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(m_grid->rowCount()));
    for (int row = 0; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            const QTableWidgetItem* item = m_grid->item(row, column);
            cells[static_cast<std::size_t>(row)].push_back(item ? item->text().toStdString() : std::string());
        }
    }
    measurements::EnteredPoints entered = measurements::collectPoints(cells, state::labReadings());
    if (!entered.ok()) {
        m_grid->setCurrentCell(entered.errorRow - 1, 0);
        tell(platform::MessageIcon::Stop, fromUtf8(entered.error), QStringLiteral("Saisie incomplète"));
        return;
    }
    // Cells left as they were give back their points' own digits, not the grid's rounding.
    for (std::size_t i = 0; i < entered.points.size(); ++i) {
        measurements::MeasuredPoint& point = entered.points[i];
        for (int column = 0; column < m_grid->columnCount(); ++column) {
            const QTableWidgetItem* item = m_grid->item(entered.rows[i], column);
            const QVariant kept = item ? item->data(kKeptValue) : QVariant();
            if (!kept.isValid()) continue;
            const LabReading& kind = columnQuantity(column);
            if (column == 0) {
                point.volume = kept.toDouble();
            } else if (point.has(kind.slot)) {
                point.set(kind.slot, kept.toDouble());
            }
        }
    }
    if (m_entered) m_entered(std::move(entered.points));
    accept();
}

MeasurementEntryWindow* openMeasurementEntry(const std::vector<measurements::MeasuredPoint>& points,
                                             ShownReadings shown, platform::Clipboard& clipboard,
                                             platform::MessageBoxes& messageBoxes, QWidget* mainWindow,
                                             PointsHandler entered) {
    auto* window =
        new MeasurementEntryWindow(points, shown, clipboard, messageBoxes, std::move(entered), mainWindow);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
    return window;
}

}  // namespace measurementwindows
