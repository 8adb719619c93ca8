#include "windows/uncertainty/simulationwindow.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "numbers/decimalreader.h"
#include "numbers/picture.h"
#include "numbers/uncertaintytext.h"
#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/singlewindow.h"
#include "platform/utf8text.h"
#include "state/benchstate.h"
#include "uncertainty/montecarlopython.h"
#include "windows/measurements/savedfile.h"
#include "windows/uncertainty/histogramview.h"
#include "windows/uncertainty/resultswindow.h"
#include "workbench/benchcontroller.h"

namespace uncertaintywindows {

using platform::fromUtf8;

namespace {

constexpr int kProgressMilliseconds = 100;

QLabel* resultLabel(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QString concentration(double value) {
    return fromUtf8(numbers::scientific(value, 2)) + QStringLiteral(" mol · L-1");
}

QString percent(double relative) {
    return fromUtf8(numbers::formatPicture(100 * relative, "#0.00")) + QStringLiteral(" %");
}

}  // namespace

SimulationWindow::SimulationWindow(workbench::BenchController& bench, platform::MessageBoxes& messageBoxes,
                                   platform::SaveLocations& saveLocations, QWidget* mainWindow)
    : QDialog(mainWindow),
      m_bench(bench),
      m_messageBoxes(messageBoxes),
      m_saveLocations(saveLocations),
      m_mainWindow(mainWindow),
      m_runner([this](unsigned, uncertainty::SimulationOutcome outcome) { finish(std::move(outcome)); }) {
    setObjectName(QStringLiteral("simulation"));
    setWindowTitle(QStringLiteral("Simulation de Monte-Carlo"));
    setAccessibleName(QStringLiteral("Simulation de Monte-Carlo"));
    setModal(false);
    setFont(platform::pixelFont(QStringLiteral("Arial"), 9));

    auto* layout = new QVBoxLayout(this);
    auto* settings = new QGridLayout;
    m_method = methodList("methodesimulation", this);
    m_runs = new QSpinBox(this);
    m_runs->setObjectName(QStringLiteral("tirages"));
    m_runs->setRange(uncertainty::kFewestRuns, uncertainty::kMostRuns);
    m_runs->setSingleStep(1000);
    m_runs->setValue(uncertainty::kDefaultRuns);
    m_runs->setLocale(QLocale(QLocale::French));
    m_runs->setGroupSeparatorShown(true);
    platform::setAccessibleName(*m_runs, QStringLiteral("Nombre de titrages simulés"));
    m_reference = new QLineEdit(this);
    m_reference->setObjectName(QStringLiteral("Text1(10)"));
    m_reference->setPlaceholderText(QStringLiteral("par exemple 0,0100"));
    platform::setAccessibleName(*m_reference, QStringLiteral("Valeur de référence, en mol par litre"));
    const auto addRow = [&](int row, const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        settings->addWidget(label, row, 0);
        settings->addWidget(field, row, 1);
    };
    addRow(0, QStringLiteral("Équivalence repérée par :"), m_method);
    addRow(1, QStringLiteral("Nombre de titrages N :"), m_runs);
    addRow(2, QStringLiteral("Valeur de référence (mol · L-1) :"), m_reference);
    layout->addLayout(settings);

    auto* run = new QHBoxLayout;
    m_start = button("lancer", QStringLiteral("Lancer"), this);
    m_cancel = button("annulersimulation", QStringLiteral("Annuler"), this);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("progressionsimulation"));
    m_progress->setAccessibleName(QStringLiteral("Progression de la simulation"));
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    run->addWidget(m_start);
    run->addWidget(m_cancel);
    run->addWidget(m_progress, 1);
    layout->addLayout(run);

    m_histogram = new HistogramView(this);
    layout->addWidget(m_histogram, 1);
    m_summary = resultLabel("resultatsimulation", this);
    m_propagation = resultLabel("propagation", this);
    m_agreement = resultLabel("zscore", this);
    layout->addWidget(m_summary);
    layout->addWidget(m_propagation);
    layout->addWidget(m_agreement);

    auto* buttons = new QHBoxLayout;
    m_exportDraws = button("exportertirages", QStringLiteral("Exporter les tirages…"), this);
    m_exportPython = button("exportersimulationpython", QStringLiteral("Exporter en Python…"), this);
    QPushButton* close = button("fermersimulation", QStringLiteral("Fermer"), this);
    buttons->addWidget(m_exportDraws);
    buttons->addWidget(m_exportPython);
    buttons->addStretch(1);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    m_progressTimer = new QTimer(this);
    m_progressTimer->setInterval(kProgressMilliseconds);
    connect(m_progressTimer, &QTimer::timeout, this, &SimulationWindow::showProgress);
    connect(m_start, &QPushButton::clicked, this, &SimulationWindow::start);
    connect(m_cancel, &QPushButton::clicked, this, &SimulationWindow::cancel);
    connect(m_exportDraws, &QPushButton::clicked, this, &SimulationWindow::exportDraws);
    connect(m_exportPython, &QPushButton::clicked, this, &SimulationWindow::exportPython);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_reference, &QLineEdit::textChanged, this, &SimulationWindow::showAgreement);
    m_summary->setText(
        QStringLiteral("Réglez la verrerie, puis « Lancer » : chaque titrage simulé tire les "
                       "volumes délivrés et les lectures de la burette selon leurs tolérances."));
    resize(520, 560);
    enableButtons();
}

uncertainty::SimulationRequest SimulationWindow::request() const {
    const state::BenchState& b = m_bench.state();
    uncertainty::SimulationRequest r;
    r.solution = b.solution;
    r.glassware = b.glassware;
    r.method = chosenMethod(*m_method);
    r.runs = m_runs->value();
    r.seed = b.glassware.seed;
    return r;
}

void SimulationWindow::start() {
    m_lastRequest = request();
    m_done->store(0);
    m_progress->setValue(0);
    m_progress->setRange(0, std::clamp(m_lastRequest.runs, uncertainty::kFewestRuns, uncertainty::kMostRuns));
    m_outcome.reset();
    m_summaryValues.reset();
    m_histogram->clear();
    m_summary->setText(QStringLiteral("Simulation en cours…"));
    m_propagation->clear();
    m_agreement->clear();
    m_runner.start(++m_serial, [request = m_lastRequest, done = m_done](const std::stop_token& stop) {
        return uncertainty::simulate(request, stop, [&done](int count, int) { done->store(count); });
    });
    m_progressTimer->start();
    enableButtons();
}

void SimulationWindow::cancel() {
    if (!running()) return;
    m_runner.cancel();
    m_progressTimer->stop();
    m_progress->setValue(0);
    m_summary->setText(QStringLiteral("Simulation annulée."));
    enableButtons();
}

void SimulationWindow::showProgress() {
    m_progress->setValue(m_done->load());
}

void SimulationWindow::finish(uncertainty::SimulationOutcome outcome) {
    m_progressTimer->stop();
    m_progress->setValue(m_progress->maximum());
    m_outcome = std::move(outcome);
    m_summaryValues = uncertainty::summarizeSimulation(*m_outcome);
    if (!m_summaryValues) {
        m_summary->setText(fromUtf8(m_outcome->message.empty()
                                        ? "Trop peu de titrages simulés ont pu être lus."
                                        : m_outcome->message));
        m_histogram->clear();
        enableButtons();
        return;
    }
    std::vector<double> values;
    values.reserve(m_outcome->runs.size());
    for (const uncertainty::SimulatedRun& r : m_outcome->runs) values.push_back(r.concentration);
    m_histogram->showResults(uncertainty::histogramOf(values, kHistogramBins), m_summaryValues);
    const uncertainty::SimulationSummary& s = *m_summaryValues;
    QString summary =
        QStringLiteral(
            "c = %1 mol · L-1 (moyenne ± u(c), soit %2) ; intervalle à 95 % : [%3 ; %4] mol · L-1 (%5 "
            "titrages)")
            .arg(fromUtf8(numbers::scientificWithUncertainty(s.mean, s.standardUncertainty)),
                 percent(s.standardUncertainty / s.mean), fromUtf8(numbers::scientific(s.low95, 4)),
                 fromUtf8(numbers::scientific(s.high95, 4)), QLocale(QLocale::French).toString(s.count));
    if (m_outcome->unread > 0) {
        summary += QStringLiteral(" ; %1 courbe(s) sans équivalence repérable laissée(s) de côté")
                       .arg(m_outcome->unread);
    }
    m_summary->setText(summary);
    if (m_outcome->propagatedRelative) {
        const double u = *m_outcome->propagatedRelative * m_outcome->typedConcentration;
        m_propagation->setText(QStringLiteral("Formule de propagation : u(c) = %1 (%2)")
                                   .arg(concentration(u), percent(*m_outcome->propagatedRelative)));
    } else {
        m_propagation->setText(QStringLiteral("Formule de propagation : incertitude non calculable."));
    }
    showAgreement();
    enableButtons();
}

void SimulationWindow::showAgreement() {
    const std::string typed = m_reference->text().trimmed().toStdString();
    if (typed.empty() || !m_summaryValues) {
        m_agreement->setText(typed.empty()
                                 ? QStringLiteral("Tapez une valeur de référence pour calculer le z-score.")
                                 : QString());
        return;
    }
    const std::optional<double> reference = numbers::readTypedNumber(typed);
    const std::optional<uncertainty::Agreement> agreement =
        reference ? uncertainty::agreementOf(m_summaryValues->mean, m_summaryValues->standardUncertainty,
                                             *reference)
                  : std::nullopt;
    m_agreement->setText(agreement ? fromUtf8(agreement->reading)
                                   : QStringLiteral("La valeur de référence n'est pas un nombre."));
}

void SimulationWindow::enableButtons() {
    const bool busy = running();
    m_start->setEnabled(!busy);
    m_cancel->setEnabled(busy);
    m_exportDraws->setEnabled(!busy && m_outcome && !m_outcome->runs.empty());
    m_exportPython->setEnabled(!busy);
}

void SimulationWindow::exportDraws() {
    if (!m_outcome || m_outcome->runs.empty()) return;
    measurementwindows::ContentMaker content = [table = uncertainty::simulationTable(*m_outcome)] {
        const std::string text = measurements::writeCsv({&table, 1}, measurements::CsvConvention::French);
        return std::optional<QByteArray>(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    };
    measurementwindows::openFileSave(QStringLiteral("Exporter les tirages"), QStringLiteral(".csv"),
                                     QStringLiteral("tirages"), std::move(content), m_messageBoxes,
                                     m_saveLocations, m_mainWindow);
}

void SimulationWindow::exportPython() {
    const std::optional<double> reference =
        numbers::readTypedNumber(m_reference->text().trimmed().toStdString());
    const std::string program = uncertainty::monteCarloProgram(request(), reference);
    if (program.empty()) {
        m_summary->setText(
            QStringLiteral("Choisissez d'abord la verrerie d'un titrage qui a une équivalence : "
                           "le programme n'aurait rien à tirer."));
        return;
    }
    measurementwindows::ContentMaker content = [program] {
        return std::optional<QByteArray>(QByteArray(program.data(), static_cast<qsizetype>(program.size())));
    };
    measurementwindows::openFileSave(QStringLiteral("Exporter la simulation en Python"),
                                     QStringLiteral(".py"),
                                     QString::fromLatin1(uncertainty::kMonteCarloFileName),
                                     std::move(content), m_messageBoxes, m_saveLocations, m_mainWindow);
}

SimulationWindow* openSimulationWindow(workbench::BenchController& bench,
                                       platform::MessageBoxes& messageBoxes,
                                       platform::SaveLocations& saveLocations, QWidget* mainWindow) {
    return platform::showOnce<SimulationWindow>(mainWindow, QStringLiteral("simulation"), [&] {
        return new SimulationWindow(bench, messageBoxes, saveLocations, mainWindow);
    });
}

}  // namespace uncertaintywindows
