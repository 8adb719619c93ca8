#include "workbench/historypanel.h"

#include "chemistry/chemistry.h"
#include "platform/clipboard.h"
#include "platform/utf8text.h"
#include "workbench/benchcontroller.h"

namespace workbench {

namespace {

const QString kBreak = QStringLiteral("\r\n");
constexpr int kExponentRaiseTwips = 45;
// In place of a concentration the pupil is to find.
const QString kUnknown = QStringLiteral("inconnue");

using platform::fromUtf8;

}  // namespace

HistoryPanel::HistoryPanel(BenchController& bench, QWidget* parent)
    : platform::RichTextBox(parent), m_bench(bench) {
    setObjectName(QStringLiteral("Histo"));
    setReadOnly(true);
    connect(&m_bench, &BenchController::changed, this, [this](state::Changes changes) {
        if (changes.has(state::Changed::History)) writeHistory();
    });
    writeHistory();
}

void HistoryPanel::insertExponent() {
    selection().setCharOffset(kExponentRaiseTwips);
    appendText(QStringLiteral("-1"));
    selection().setCharOffset(0);
}

void HistoryPanel::writeHistory() {
    clearText();
    selection().setIndent(30);
    selection().setRightIndent(45);
    // Every character format is set, so nothing of the previous text's last format is kept.
    selection().setFontName(QStringLiteral("Arial"));
    selection().setFontSize(10);
    selection().setBold(true);
    selection().setItalic(false);
    selection().setUnderline(false);
    selection().setColour(platform::kBlack);
    selection().setCharOffset(0);
    appendText(kBreak);

    for (const chemistry::SituationReport& report :
         chemistry::completedSituationReports(m_bench.state().situations.records, state::catalogue())) {
        selection().setIndent(30);
        appendText(kBreak);
        selection().setFontSize(8);
        selection().setBold(true);
        selection().setColour(state::situationColour(m_bench.state(), report.slot));
        appendText(QStringLiteral("Courbe n° %1").arg(report.slot + 1));

        appendText(kBreak);
        selection().setFontSize(8);
        selection().setColour(platform::kBlack);
        selection().setIndent(45);
        appendText(QStringLiteral("Solution dans le bécher : "));
        selection().setBold(false);
        appendText(fromUtf8(report.beakerVolume) + QStringLiteral(" mL "));
        appendText(fromUtf8(report.speciesName));
        appendText(QStringLiteral(" de") + kBreak + QStringLiteral("concentration "));
        if (report.concentrationHidden) {
            appendText(kUnknown);
        } else {
            appendText(fromUtf8(report.beakerConcentration) + QStringLiteral(" mol · L"));
            insertExponent();
        }
        if (!report.secondSpeciesName.empty()) {
            appendText(QStringLiteral(" et ") + fromUtf8(report.secondSpeciesName) + QStringLiteral(" de") +
                       kBreak + QStringLiteral("concentration "));
            if (report.concentrationHidden) {
                appendText(kUnknown);
            } else {
                appendText(fromUtf8(report.secondConcentration) + QStringLiteral(" mol · L"));
                insertExponent();
            }
        }
        if (!report.waterVolume.empty()) {
            appendText(QStringLiteral(" avec ") + fromUtf8(report.waterVolume) + QStringLiteral(" mL d'eau"));
        }
        appendText(QStringLiteral(".") + kBreak);

        selection().setBold(true);
        appendText(QStringLiteral("Solution dans la burette : "));
        selection().setBold(false);
        appendText(fromUtf8(report.titrantName));
        appendText(QStringLiteral(" de") + kBreak + QStringLiteral("concentration "));
        appendText(fromUtf8(report.titrantConcentration) + QStringLiteral(" mol · L"));
        insertExponent();
        appendText(QStringLiteral(".") + kBreak);
        writeMeasurementCount(report.slot);
    }
    appendText(kBreak);
}

void HistoryPanel::writeMeasurementCount(int slot) {
    if (slot < 0 || slot >= state::kSituationCount) return;
    const auto count = m_bench.state().lab.points[static_cast<std::size_t>(slot)].size();
    if (count == 0) return;
    appendText(QString::number(count) +
               (count == 1 ? QStringLiteral(" mesure") : QStringLiteral(" mesures")) + kBreak);
}

void HistoryPanel::copyHistory(platform::Clipboard& clipboard) {
    clipboard.clear();
    clipboard.setRichText(textRtf(), html(), plainText());
}

}  // namespace workbench
