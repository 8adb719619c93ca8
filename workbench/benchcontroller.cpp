#include "workbench/benchcontroller.h"

#include <chrono>

#include "platform/messageboxes.h"
#include "state/buretteactions.h"
#include "state/panelactions.h"
#include "state/potentiometry.h"
#include "state/situationactions.h"

namespace workbench {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using state::Changed;

BenchController::BenchController(platform::MessageBoxes& messageBoxes, const state::SituationColours& colours,
                                 QObject* parent)
    : QObject(parent), m_messageBoxes(messageBoxes), m_graph(m_state.graph) {
    m_state.colours = colours;
    m_state.random.seed(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    m_state.situations.records.fill(chemistry::defaultSituation());
    m_tapTimer.setInterval(kTapInterval);
    m_dropTimer.setInterval(kDropInterval);
    connect(&m_tapTimer, &QTimer::timeout, this, [this] { perform(state::pourTick); });
    connect(&m_dropTimer, &QTimer::timeout, this, [this] { perform(state::dropTick); });
    m_packTimer.setSingleShot(true);
    connect(&m_packTimer, &QTimer::timeout, this, &BenchController::packApparatusIfIdle);
}

void BenchController::apply(state::ActionResult result) {
    if (m_apparatusHold == ApparatusHold::Free) {
        for (const state::ApparatusPaint& step : result.apparatus) m_apparatus.paint(step);
        if (!result.apparatus.empty()) noteApparatusDrawn();
    } else if (!result.apparatus.empty()) {
        m_apparatusHold = ApparatusHold::HeldAndStale;
    }
    m_graph.update();
    followTimers(result.changes);
    if (!result.changes.none()) emit changed(result.changes);
    if (result.hint) emit hint(QString::fromStdString(*result.hint));
    showMessages(result.messages);
    if (result.question == state::Question::RestartTitration) {
        const auto answer =
            m_messageBoxes.show(MessageIcon::Question, QStringLiteral("Voulez-vous recommencer le titrage"),
                                QStringLiteral("Burette vide"), MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes) perform(state::restartTitration);
    }
}

void BenchController::followTimers(state::Changes changes) {
    const state::BuretteState& burette = m_state.burette;
    if (!burette.pouring) {
        m_tapTimer.stop();
    } else if (changes.has(Changed::PouringStarted) || !m_tapTimer.isActive()) {
        m_tapTimer.start();
    }
    if (!burette.dropFalling) {
        m_dropTimer.stop();
    } else if (changes.has(Changed::DropStarted) || !m_dropTimer.isActive()) {
        m_dropTimer.start();
    }
}

void BenchController::showMessages(const std::vector<state::Message>& messages) {
    if (messages.empty()) return;
    const bool nested = m_showingMessages;
    m_showingMessages = true;
    for (const state::Message& m : messages) {
        m_messageBoxes.show(m.icon == state::MessageIcon::Stop ? MessageIcon::Stop : MessageIcon::Information,
                            QString::fromStdString(m.text), QString::fromStdString(m.title),
                            MessageButtons::Ok);
    }
    m_showingMessages = nested;
}

void BenchController::setFieldText(state::Field field, const QString& text) {
    perform(state::setFieldText, field, text.toStdString());
}

void BenchController::validateField(state::Field field) {
    if (m_showingMessages) return;
    const numbers::TypedNumber typed = state::field(m_state, field);
    perform(state::validateField, field);
    // A new layout of the same number ("20" shown "20,0") is not a correction.
    const numbers::TypedNumber& shown = state::field(m_state, field);
    if (shown.value() && (!typed.value() || *typed.value() != *shown.value()))
        emit valueCorrected(QString::fromStdString(shown.text()));
}

QString BenchController::fieldText(state::Field field) const {
    return QString::fromStdString(state::field(m_state, field).text());
}

void BenchController::pressTap(Input input) {
    emit entryCommitRequested(input);
    perform(state::pressTap);
}

void BenchController::clickTap(Input input) {
    emit entryCommitRequested(input);
    perform(state::pourTick);
}

void BenchController::toggleEmptying(Input input) {
    // Only the opening of the tap commits the entry being edited.
    if (!m_state.burette.pouring) emit entryCommitRequested(input);
    perform(state::toggleEmptying);
}

void BenchController::redrawApparatus() {
    if (m_apparatusHold != ApparatusHold::Free) {
        m_apparatusHold = ApparatusHold::HeldAndStale;
        return;
    }
    const state::ApparatusScene scene = state::apparatusScene(m_state);
    m_apparatus.drawBackground(scene);
    m_apparatus.drawLiquidLevels(scene);
    noteApparatusDrawn();
}

void BenchController::noteApparatusDrawn() {
    m_sinceApparatusDrawn.start();
    if (!m_packTimer.isActive()) m_packTimer.start(kPackDelay);
}

void BenchController::packApparatusIfIdle() {
    const qint64 left = kPackDelay - m_sinceApparatusDrawn.elapsed();
    if (left > 0) {
        m_packTimer.start(static_cast<int>(left));
    } else {
        m_apparatus.surface().compact();
    }
}

void BenchController::releaseApparatus() {
    const bool stale = m_apparatusHold == ApparatusHold::HeldAndStale;
    m_apparatusHold = ApparatusHold::Free;
    if (stale) redrawApparatus();
    // What the window first shows stays as it is until the pupil acts.
    m_packTimer.stop();
    m_apparatus.surface().compact();
}

QImage BenchController::composedIllustration() {
    ApparatusReadings readings;
    if (m_state.switches.showPhMeter) readings.pH = QString::fromStdString(m_state.readings.pH);
    if (m_state.switches.showConductimeter && !state::redoxTitration(m_state))
        readings.conductivity = QString::fromStdString(m_state.readings.conductivity);
    // The millivoltmeter's display is where the conductimeter's is.
    if (state::electrodesShown(m_state))
        readings.conductivity = QString::fromStdString(m_state.readings.potential);
    if (m_state.switches.showBurette) {
        readings.pouredVolume = QString::fromStdString(m_state.readings.pouredVolume);
        readings.titrantConcentration =
            QString::fromStdString(state::field(m_state, state::Field::TitrantConcentration).text());
        readings.pouredField =
            QString::fromStdString(state::field(m_state, state::Field::PouredVolume).text());
    }
    m_apparatus.writeReadingsIntoPicture(readings);
    QImage picture = m_apparatus.image().copy();
    perform(state::refreshApparatus);
    return picture;
}

}  // namespace workbench
