#include "workbench/burette.h"

#include <cmath>

#include "numbers/numbers.h"
#include "platform/messageboxes.h"
#include "workbench/apparatusgeometry.h"
#include "workbench/workbench.h"

namespace workbench {

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;

namespace {

QString picture(double value, const char* pattern) {
    return QString::fromStdString(numbers::formatPicture(value, pattern));
}

}  // namespace

Burette::Burette(Workbench& workbench, platform::MessageBoxes& messageBoxes)
    : m_workbench(workbench), m_messageBoxes(messageBoxes) {
    m_timer1.setInterval(kTapInterval);
    m_timer2.setInterval(kDropInterval);
    connect(&m_timer1, &QTimer::timeout, this, &Burette::Timer1_Timer);
    connect(&m_timer2, &QTimer::timeout, this, &Burette::Timer2_Timer);
}

void Burette::stopPouring() {
    m_timer1.stop();
}

void Burette::closeTap() {
    if (!m_tapOpen) return;
    m_tapOpen = false;
    emit tapChanged();
}

void Burette::Image3_MouseDown() {
    pressTap(Input::Mouse);
}

void Burette::Image3_KeyDown() {
    pressTap(Input::Keyboard);
}

void Burette::pressTap(Input input) {
    emit entryCommitRequested(input);
    m_workbench.lockFields(true);
    if (m_workbench.pouredVolume() >= chemistry::kBuretteCapacity) {
        const auto answer =
            m_messageBoxes.show(MessageIcon::Question, QStringLiteral("Voulez-vous recommencer le titrage"),
                                QStringLiteral("Burette vide"), MessageButtons::YesNo);
        if (answer == MessageAnswer::Yes) {
            m_workbench.reinitialise();
            m_workbench.setCurrentCompleted(false);
            m_workbench.niveaubecher();
            Command14_Click();
            m_workbench.setToolbarVisible(false);
        }
        return;
    }
    m_tapOpen = true;
    m_timer1.start();
    emit tapChanged();
}

void Burette::Image3_MouseUp() {
    m_timer1.stop();
    closeTap();
    m_workbench.lockFields(false);
    m_workbench.niveaubecher();
}

void Burette::Image3_Click() {
    clickTap(Input::Mouse);
}

void Burette::Image3_KeyUp() {
    // The release's tick locks the entries, so it runs before the tap closes and gives them back.
    clickTap(Input::Keyboard);
    Image3_MouseUp();
}

void Burette::clickTap(Input input) {
    emit entryCommitRequested(input);
    Timer1_Timer();
}

void Burette::Timer1_Timer() {
    m_workbench.lockFields(true);
    float v = numbers::toSingle(m_workbench.pouredVolume());
    const bool last = v + kTickVolume > chemistry::kBuretteCapacity;
    // Less than a tick left (after drops, or a volume typed): the tick pours what is left and the
    // titration ends with it, so that the tap can always finish it.
    if (last && v >= chemistry::kBuretteCapacity) {
        finishPouring();
        return;
    }
    // The volume goes through its texts so that it advances in exact tenths.
    const double next = last ? chemistry::kBuretteCapacity : static_cast<double>(v) + kTickVolume;
    v = numbers::toSingle(numbers::readTypedNumberOr(numbers::formatPicture(next, "#0.00"), next));
    m_workbench.setPouredVolumeText(picture(v, "####0.0"));
    m_workbench.majaff();
    m_workbench.niveaubecher();
    const double s = m_workbench.stepTenths() / 10.0;
    const double q =
        numbers::toSingle(numbers::readTypedNumberOr(numbers::formatPicture(v / s, "0.0000E+00"), 0.0));
    if (q - std::floor(q) < 0.001) m_workbench.placepoint();
    if (last) finishPouring();
}

void Burette::finishPouring() {
    m_timer1.stop();
    m_workbench.lockFields(false);
    closeTap();
    m_workbench.niveaubecher();
    m_workbench.traceCurrentCurve();
    if (m_workbench.currentSituation() >= 0) m_workbench.Option2_Click(m_workbench.currentSituation());
}

void Burette::endDrop() {
    m_timer2.stop();
    m_dropFrame = 0;
}

void Burette::Command6_Click(Input input) {
    if (m_timer1.isActive()) {
        Image3_MouseUp();
        m_workbench.niveaubecher();
    } else {
        m_workbench.lockFields(false);
        pressTap(input);
    }
}

void Burette::Image1_Click() {
    const double v = m_workbench.pouredVolume() + kDropVolume;
    closeTap();
    m_timer1.stop();
    // The tap is closed: the entries are no longer locked by the pouring.
    m_workbench.lockFields(false);
    if (v <= kLastDropVolume) {
        m_dropFrame = 0;
        m_timer2.start();
    }
}

void Burette::Timer2_Timer() {
    m_timer1.stop();
    ++m_dropFrame;
    ApparatusCanvas& canvas = m_workbench.apparatus();
    if (m_dropFrame <= kDropFrames) {
        if (m_dropFrame > 1) m_workbench.niveaubecher();
        const double landing =
            ApparatusGeometry::dropSurface(m_workbench.liquidSurface(), m_workbench.showBurette());
        canvas.paintDrop(ApparatusGeometry::dropTop(m_dropFrame, landing));
        // The drop lands and pours at once. A drop clicked meanwhile is handled by the event loop
        // right after this tick: it restarts the animation and falls in its turn.
        if (m_dropFrame == kDropFrames) pourDrop();
    }
    canvas.redrawBuretteTip();
}

void Burette::pourDrop() {
    m_timer2.stop();
    const double v = m_workbench.pouredVolume() + kDropVolume;
    if (v > kLastDropVolume) return;
    m_workbench.setPouredVolumeText(picture(v, "####0.0#"));
    m_workbench.majaff();
    m_workbench.niveaubecher();
    // Drops record a point at each whole millilitre, and at each tenth within 1 mL of the
    // equivalence volume.
    const double e = m_workbench.engine().equivalenceVolume;
    const char* pattern = (e - 1 <= v && v <= e + 1) ? "##0.000" : "##0.00";
    if (picture(v, pattern).endsWith(QStringLiteral("00"))) m_workbench.placepoint();
    if (v >= chemistry::kBuretteCapacity) {
        m_workbench.lockFields(false);
        closeTap();
        m_workbench.niveaubecher();
        m_workbench.majaff();
        m_workbench.traceCurrentCurve();
    }
}

void Burette::Command14_Click() {
    m_workbench.setCurrentCompleted(false);
    m_timer1.stop();
    m_workbench.setPouredVolumeText(QStringLiteral("0"));
    m_workbench.Text1_LostFocus(PouredVolume);
    m_workbench.setToolbarVisible(false);
}

void Burette::retablir() {
    Command14_Click();
}

void Burette::Command13_Click() {
    m_workbench.setPouredVolumeText(QStringLiteral("25"));
    m_workbench.Text1_LostFocus(PouredVolume);
    if (m_workbench.currentSituation() >= 0) m_workbench.Option2_Click(m_workbench.currentSituation());
}

}  // namespace workbench
