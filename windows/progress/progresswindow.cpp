#include "windows/progress/progresswindow.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTableWidget>
#include <QVBoxLayout>

#include "platform/accessibility.h"
#include "platform/clipboard.h"
#include "platform/fonts.h"
#include "platform/page.h"
#include "platform/printer.h"
#include "platform/singlewindow.h"
#include "windows/progress/progresspicture.h"
#include "workbench/benchcontroller.h"

namespace progresswindow {

namespace {

QString joined(const std::vector<std::string>& lines) {
    QStringList all;
    for (const std::string& line : lines) all << shownText(line);
    return all.join(QLatin1Char('\n'));
}

// The grids' shape follows the reactions: it changes with the set-up, not with the pour.
bool sameShape(const state::ProgressTable& a, const state::ProgressTable& b) {
    if (a.steps.size() != b.steps.size()) return false;
    for (std::size_t k = 0; k < a.steps.size(); ++k)
        if (a.steps[k].species != b.steps[k].species) return false;
    return true;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& description) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    b->setAutoDefault(false);
    platform::setAccessibleDescription(*b, description);
    return b;
}

}  // namespace

ProgressWindow::ProgressWindow(workbench::BenchController& bench, platform::Clipboard& clipboard,
                               platform::Printer& printer, QWidget* mainWindow)
    : QDialog(mainWindow), m_bench(bench), m_clipboard(clipboard), m_printer(printer) {
    setObjectName(QStringLiteral("avancement"));
    setWindowTitle(QStringLiteral("Tableau d'avancement"));
    setAccessibleName(QStringLiteral("Tableau d'avancement"));
    setAccessibleDescription(QStringLiteral(
        "Les quantités de matière des réactifs et des produits de chaque réaction de titrage, en mmol, "
        "pour le volume versé ; le tableau suit le versement."));
    setModal(false);
    setFont(platform::pixelFont(QStringLiteral("Arial"), 9));

    auto* layout = new QVBoxLayout(this);
    m_situation = new QLabel(this);
    m_situation->setObjectName(QStringLiteral("situationavancement"));
    m_situation->setWordWrap(true);
    layout->addWidget(m_situation);
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("messageavancement"));
    m_message->setWordWrap(true);
    layout->addWidget(m_message);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("reactionsavancement"));
    scroll->setAccessibleName(QStringLiteral("Réactions de titrage"));
    scroll->setWidgetResizable(true);
    auto* steps = new QWidget(scroll);
    m_stepsLayout = new QVBoxLayout(steps);
    m_stepsLayout->addStretch(1);
    scroll->setWidget(steps);
    layout->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    m_copyButton =
        button(this, "copier", QStringLiteral("Copier"),
               QStringLiteral("Copie le tableau en texte (pour un traitement de texte ou un tableur) "
                              "et en image"));
    m_printButton =
        button(this, "imprimer", QStringLiteral("Imprimer"), QStringLiteral("Imprime le tableau"));
    QPushButton* close = button(this, "fermer", QStringLiteral("Fermer"), QStringLiteral("Ferme la fenêtre"));
    buttons->addStretch(1);
    buttons->addWidget(m_copyButton);
    buttons->addWidget(m_printButton);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(m_copyButton, &QPushButton::clicked, this, &ProgressWindow::copy);
    connect(m_printButton, &QPushButton::clicked, this, &ProgressWindow::print);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // Every action may change the set-up or the poured volume; the table is cheap to rebuild.
    connect(&m_bench, &workbench::BenchController::changed, this, [this](state::Changes) { refresh(); });
    resize(620, 460);
    m_table.title.clear();  // differs from any table: the first refresh shows everything
    refresh();
}

void ProgressWindow::refresh() {
    state::ProgressTable table = state::progressTable(m_bench.state());
    if (table == m_table) return;
    const bool rebuild = !sameShape(table, m_table) || m_table.title.empty();
    m_table = std::move(table);
    m_situation->setText(shownText(m_table.situation));
    platform::setAccessibleName(*m_situation, shownText(m_table.situation));
    m_message->setText(shownText(m_table.message));
    m_message->setVisible(!m_table.message.empty());
    if (rebuild) buildSteps();
    for (std::size_t k = 0; k < m_steps.size(); ++k) showStep(k);
}

void ProgressWindow::buildSteps() {
    for (const StepView& view : m_steps) {
        delete view.equation;
        delete view.grid;
        delete view.details;
    }
    m_steps.clear();
    QWidget* holder = m_stepsLayout->parentWidget();
    for (std::size_t k = 0; k < m_table.steps.size(); ++k) {
        const state::ProgressStep& step = m_table.steps[k];
        const QString number = QString::number(k + 1);
        StepView view;
        view.equation = new QLabel(holder);
        view.equation->setObjectName(QStringLiteral("equation") + number);
        view.equation->setFont(platform::pixelFont(QStringLiteral("Arial"), 10, true));
        view.grid = new QTableWidget(3, static_cast<int>(step.species.size()) + 1, holder);
        view.grid->setObjectName(QStringLiteral("grille") + number);
        view.grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
        view.grid->setSelectionMode(QAbstractItemView::NoSelection);
        view.grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        view.grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        QStringList columns{QString::fromUtf8(state::kAdvancementHeader)};
        for (const std::string& s : step.species) columns << shownText(s);
        view.grid->setHorizontalHeaderLabels(columns);
        QStringList rows;
        for (const state::ProgressRow& row : step.rows) rows << shownText(row.caption);
        view.grid->setVerticalHeaderLabels(rows);
        view.grid->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        view.grid->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        view.details = new QLabel(holder);
        view.details->setObjectName(QStringLiteral("bilan") + number);
        view.details->setWordWrap(true);
        view.details->setTextInteractionFlags(Qt::TextSelectableByMouse);
        const int at = m_stepsLayout->count() - 1;  // before the stretch
        m_stepsLayout->insertWidget(at, view.equation);
        m_stepsLayout->insertWidget(at + 1, view.grid);
        m_stepsLayout->insertWidget(at + 2, view.details);
        m_steps.push_back(view);
    }
}

void ProgressWindow::showStep(std::size_t k) {
    const state::ProgressStep& step = m_table.steps[k];
    const StepView& view = m_steps[k];
    view.equation->setText(shownText(step.equation));
    platform::setAccessibleName(*view.equation, QStringLiteral("Réaction ") + QString::number(k + 1) +
                                                    QStringLiteral(" : ") + shownText(step.equation));
    for (int r = 0; r < 3; ++r) {
        const state::ProgressRow& row = step.rows[static_cast<std::size_t>(r)];
        std::vector<std::string> cells{row.advancement};
        cells.insert(cells.end(), row.cells.begin(), row.cells.end());
        for (int c = 0; c < static_cast<int>(cells.size()) && c < view.grid->columnCount(); ++c) {
            QTableWidgetItem* item = view.grid->item(r, c);
            if (!item) {
                item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignCenter);
                view.grid->setItem(r, c, item);
            }
            item->setText(shownText(cells[static_cast<std::size_t>(c)]));
        }
    }
    view.grid->setFixedHeight(view.grid->horizontalHeader()->sizeHint().height() +
                              view.grid->verticalHeader()->length() + 2 * view.grid->frameWidth() + 2);
    const QString details = joined(state::detailLines(step));
    view.details->setText(details);
    platform::setAccessibleName(
        *view.grid, QStringLiteral("Tableau d'avancement de la réaction ") + shownText(step.equation));
    platform::setAccessibleDescription(*view.grid, details);
    platform::setAccessibleName(*view.details, details);
}

void ProgressWindow::copy() {
    m_clipboard.setTextAndImage(shownText(state::progressTableText(m_table)), progressTablePicture(m_table));
}

void ProgressWindow::print() {
    std::unique_ptr<platform::Page> page =
        m_printer.beginDocument(this, QStringLiteral("Tableau d'avancement"));
    if (!page) return;
    printProgressTable(*page, m_table);
    page->endDocument();
}

ProgressWindow* openProgressWindow(workbench::BenchController& bench, platform::Clipboard& clipboard,
                                   platform::Printer& printer, QWidget* mainWindow) {
    return platform::showOnce<ProgressWindow>(mainWindow, QStringLiteral("avancement"), [&] {
        return new ProgressWindow(bench, clipboard, printer, mainWindow);
    });
}

}  // namespace progresswindow
