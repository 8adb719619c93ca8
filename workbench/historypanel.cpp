#include "workbench/historypanel.h"

#include "chemistry/chemistry.h"
#include "numbers/numbers.h"
#include "platform/clipboard.h"
#include "workbench/workbench.h"

namespace workbench {

namespace {

const QString kBreak = QStringLiteral("\r\n");
constexpr int kExponentRaiseTwips = 45;

QString fromUtf8(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

HistoryPanel::HistoryPanel(Workbench& workbench, QWidget* parent)
    : platform::RichTextBox(parent), m_workbench(workbench) {
    setObjectName(QStringLiteral("Histo"));
    setReadOnly(true);
    connect(&m_workbench, &Workbench::historyChanged, this, &HistoryPanel::historique);
    historique();
}

void HistoryPanel::insertExponent() {
    setSelCharOffset(kExponentRaiseTwips);
    appendText(QStringLiteral("-1"));
    setSelCharOffset(0);
}

void HistoryPanel::historique() {
    clearText();
    setSelIndent(30);
    setSelRightIndent(45);
    // Every character format is set, so nothing of the previous text's last format is kept.
    setSelFontName(QStringLiteral("Arial"));
    setSelFontSize(10);
    setSelBold(true);
    setSelItalic(false);
    setSelUnderline(false);
    setSelColour(platform::kBlack);
    setSelCharOffset(0);
    appendText(kBreak);

    const auto& situations = m_workbench.situations();
    const chemistry::SpeciesCatalogue& catalogue = m_workbench.catalogue();
    for (int slot = 0; slot < kSituationCount; ++slot) {
        const chemistry::Situation& s = situations[static_cast<std::size_t>(slot)];
        if (!s.completed) continue;

        setSelIndent(30);
        appendText(kBreak);
        setSelFontSize(8);
        setSelBold(true);
        setSelColour(platform::Colour::fromQColor(Workbench::situationColour(slot)));
        appendText(QStringLiteral("Courbe n° %1").arg(slot + 1));

        appendText(kBreak);
        setSelFontSize(8);
        setSelColour(platform::kBlack);
        setSelIndent(45);
        appendText(QStringLiteral("Solution dans le bécher : "));
        setSelBold(false);
        appendText(fromUtf8(s.beakerVolumeText) + QStringLiteral(" mL "));
        appendText(fromUtf8(catalogue.speciesName(s.beakerIsAcid, s.speciesIndex)));
        appendText(QStringLiteral(" de") + kBreak + QStringLiteral("concentration "));
        appendText(fromUtf8(s.beakerConcentrationText) + QStringLiteral(" mol · L"));
        insertExponent();
        if (numbers::readTypedNumberOr(s.waterVolumeText, 0.0) != 0.0) {
            appendText(QStringLiteral(" avec ") + fromUtf8(s.waterVolumeText) + QStringLiteral(" mL d'eau"));
        }
        appendText(QStringLiteral(".") + kBreak);

        setSelBold(true);
        appendText(QStringLiteral("Solution dans la burette : "));
        setSelBold(false);
        appendText(s.beakerIsAcid ? QStringLiteral("hydroxyde de sodium")
                                  : QStringLiteral("acide chlorhydrique"));
        appendText(QStringLiteral(" de") + kBreak + QStringLiteral("concentration "));
        appendText(fromUtf8(s.titrantConcentrationText) + QStringLiteral(" mol · L"));
        insertExponent();
        appendText(QStringLiteral(".") + kBreak);
    }
    appendText(kBreak);
}

void HistoryPanel::cophisto_Click(platform::Clipboard& clipboard) {
    clipboard.clear();
    clipboard.setRichText(textRtf(), html(), plainText());
}

}  // namespace workbench
