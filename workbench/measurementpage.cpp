#include "workbench/measurementpage.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/fonts.h"
#include "state/labmeasurements.h"
#include "workbench/benchcontroller.h"
#include "workbench/measurementtable.h"

namespace workbench {

namespace {

std::size_t indexOf(LabCommand command) {
    return static_cast<std::size_t>(command);
}

const char* const kFitCaption = "Ajuster la concentration";
const char* const kCancelCaption = "Annuler l'ajustement";

}  // namespace

MeasurementPage::MeasurementPage(BenchController& bench, MeasurementTable& table, QWidget* parent)
    : QWidget(parent), m_bench(bench), m_fitRunner([this](unsigned serial, measurements::FitResult result) {
          m_bench.perform(state::finishFit, serial, std::move(result));
      }) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 2);
    layout->setSpacing(2);
    table.setParent(this);
    layout->addWidget(&table, 1);

    auto* buttons = new QGridLayout;
    buttons->setContentsMargins(2, 0, 2, 0);
    buttons->setSpacing(2);
    layout->addLayout(buttons);
    m_commandButtons[indexOf(LabCommand::Import)] =
        addButton("importer", QStringLiteral("Importer des mesures…"));
    m_commandButtons[indexOf(LabCommand::Enter)] =
        addButton("boutonsaisir", QStringLiteral("Saisir des mesures"));
    m_commandButtons[indexOf(LabCommand::Export)] = addButton("exporter", QStringLiteral("Exporter…"));
    m_commandButtons[indexOf(LabCommand::SaveGraph)] =
        addButton("enregistrergraphe", QStringLiteral("Enregistrer le graphe…"));
    m_commandButtons[indexOf(LabCommand::ExportPython)] =
        addButton("exporterpython", QStringLiteral("Exporter en Python…"));
    m_commandButtons[indexOf(LabCommand::ProgressTable)] =
        addButton("boutonavancement", QStringLiteral("Tableau d'avancement"));
    m_commandButtons[indexOf(LabCommand::Glassware)] =
        addButton("boutonverrerie", QStringLiteral("Verrerie…"));
    m_commandButtons[indexOf(LabCommand::Results)] =
        addButton("boutonresultats", QStringLiteral("Résultats…"));
    m_commandButtons[indexOf(LabCommand::MonteCarlo)] =
        addButton("montecarlo", QStringLiteral("Monte-Carlo…"));
    m_fitButton = addButton("ajuster", QString::fromUtf8(kFitCaption));
    m_useButton = addButton("utiliser", QStringLiteral("Utiliser cette valeur"));
    // The two exports side by side; the fit above the use of its value.
    buttons->addWidget(m_commandButtons[indexOf(LabCommand::Import)], 0, 0);
    buttons->addWidget(m_commandButtons[indexOf(LabCommand::Enter)], 0, 1);
    buttons->addWidget(m_fitButton, 0, 2, 1, 2);
    buttons->addWidget(m_commandButtons[indexOf(LabCommand::Export)], 1, 0);
    buttons->addWidget(m_commandButtons[indexOf(LabCommand::ExportPython)], 1, 1);
    buttons->addWidget(m_commandButtons[indexOf(LabCommand::SaveGraph)], 1, 2);
    buttons->addWidget(m_useButton, 1, 3);
    buttons->addWidget(m_commandButtons[indexOf(LabCommand::ProgressTable)], 2, 0);
    buttons->addWidget(m_commandButtons[indexOf(LabCommand::Glassware)], 2, 1);
    buttons->addWidget(m_commandButtons[indexOf(LabCommand::Results)], 2, 2);
    buttons->addWidget(m_commandButtons[indexOf(LabCommand::MonteCarlo)], 2, 3);

    m_fitLabel = new QLabel(this);
    m_fitLabel->setObjectName(QStringLiteral("resultatajustement"));
    m_fitLabel->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    m_fitLabel->setWordWrap(true);
    m_fitLabel->setContentsMargins(4, 0, 4, 0);
    m_busy = new QProgressBar(this);
    m_busy->setObjectName(QStringLiteral("ajustementencours"));
    m_busy->setAccessibleName(QStringLiteral("Ajustement en cours"));
    m_busy->setRange(0, 0);  // busy: no share of the work to show
    m_busy->setTextVisible(false);
    m_busy->setFixedSize(80, 10);
    m_busy->hide();
    auto* outcome = new QHBoxLayout;
    outcome->setContentsMargins(0, 0, 0, 0);
    outcome->addWidget(m_fitLabel, 1);
    outcome->addWidget(m_busy, 0, Qt::AlignVCenter);
    layout->addLayout(outcome);

    for (std::size_t i = 0; i < m_commandButtons.size(); ++i) {
        connect(m_commandButtons[i], &QPushButton::clicked, this, [this, i] {
            if (m_actions[i]) m_actions[i]();
        });
    }
    connect(m_fitButton, &QPushButton::clicked, this, &MeasurementPage::startOrCancelFit);
    connect(m_useButton, &QPushButton::clicked, this,
            [this] { m_bench.perform(state::useFittedConcentration); });
    connect(&m_bench, &BenchController::changed, this, [this](state::Changes changes) {
        if (changes.has(state::Changed::Controls) || changes.has(state::Changed::Graph)) refresh();
    });
    refresh();
}

QPushButton* MeasurementPage::addButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    button->setEnabled(false);
    return button;
}

void MeasurementPage::setAction(LabCommand command, std::function<void()> action) {
    const std::size_t i = indexOf(command);
    m_actions[i] = std::move(action);
    m_commandButtons[i]->setEnabled(static_cast<bool>(m_actions[i]));
}

std::vector<QWidget*> MeasurementPage::tabOrder() const {
    return {m_commandButtons[indexOf(LabCommand::Import)],
            m_commandButtons[indexOf(LabCommand::Enter)],
            m_fitButton,
            m_commandButtons[indexOf(LabCommand::Export)],
            m_commandButtons[indexOf(LabCommand::ExportPython)],
            m_commandButtons[indexOf(LabCommand::SaveGraph)],
            m_useButton,
            m_commandButtons[indexOf(LabCommand::ProgressTable)]};
}

void MeasurementPage::startOrCancelFit() {
    if (m_bench.state().lab.runningFit) {
        m_bench.perform(state::cancelFit);
        return;
    }
    m_bench.perform(state::startFit);
    if (std::optional<state::FitJob> job = state::runningFitJob(m_bench.state()))
        m_fitRunner.start(std::move(*job));
}

void MeasurementPage::refresh() {
    const state::BenchState& bench = m_bench.state();
    // A fit the bench no longer waits for (cancelled, or its situation shown again) stops.
    if (m_fitRunner.running() && m_fitRunner.running() != bench.lab.runningFit) m_fitRunner.cancel();
    const bool fitting = bench.lab.runningFit.has_value();
    m_fitButton->setText(QString::fromUtf8(fitting ? kCancelCaption : kFitCaption));
    m_busy->setVisible(fitting);
    m_fitButton->setEnabled(bench.situations.current >= 0);
    m_useButton->setEnabled(bench.lab.fit.has_value() && !bench.controls.fieldsLocked);
    m_fitLabel->setText(QString::fromStdString(bench.lab.fitText));
}

}  // namespace workbench
