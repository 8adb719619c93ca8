#include "workbench/measurementpage.h"

#include <QGridLayout>
#include <QLabel>
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

}  // namespace

MeasurementPage::MeasurementPage(BenchController& bench, MeasurementTable& table, QWidget* parent)
    : QWidget(parent), m_bench(bench) {
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
    m_fitButton = addButton("ajuster", QStringLiteral("Ajuster la concentration"));
    m_useButton = addButton("utiliser", QStringLiteral("Utiliser cette valeur"));
    buttons->addWidget(m_commandButtons[0], 0, 0);
    buttons->addWidget(m_commandButtons[1], 0, 1);
    buttons->addWidget(m_fitButton, 0, 2);
    buttons->addWidget(m_commandButtons[2], 1, 0);
    buttons->addWidget(m_commandButtons[3], 1, 1);
    buttons->addWidget(m_useButton, 1, 2);

    m_fitLabel = new QLabel(this);
    m_fitLabel->setObjectName(QStringLiteral("resultatajustement"));
    m_fitLabel->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    m_fitLabel->setWordWrap(true);
    m_fitLabel->setContentsMargins(4, 0, 4, 0);
    layout->addWidget(m_fitLabel);

    for (std::size_t i = 0; i < m_commandButtons.size(); ++i) {
        connect(m_commandButtons[i], &QPushButton::clicked, this, [this, i] {
            if (m_actions[i]) m_actions[i]();
        });
    }
    connect(m_fitButton, &QPushButton::clicked, this, [this] { m_bench.perform(state::fitMeasurements); });
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
    return {m_commandButtons[0], m_commandButtons[1], m_fitButton,
            m_commandButtons[2], m_commandButtons[3], m_useButton};
}

void MeasurementPage::refresh() {
    const state::BenchState& bench = m_bench.state();
    m_fitButton->setEnabled(bench.situations.current >= 0);
    m_useButton->setEnabled(bench.lab.fit.has_value() && !bench.controls.fieldsLocked);
    m_fitLabel->setText(QString::fromStdString(bench.lab.fitText));
}

}  // namespace workbench
