#include "workbench/welcometext.h"

#include "platform/richtextbox.h"

namespace workbench {

namespace {
constexpr platform::Colour kBlue{0, 0, 200};
const QString kCrLf = QStringLiteral("\r\n");
}  // namespace

const std::vector<TextPiece>& welcomePieces() {
    static const std::vector<TextPiece> pieces = [] {
        const QString& n = kCrLf;
        using S = TextStyle;
        return std::vector<TextPiece>{
            {QStringLiteral("Vireltra") + n, S::Title},
            {n + QStringLiteral("Ce "), S::Plain},
            {QStringLiteral("simulateur permet de déterminer le pH de solutions aqueuses et de "), S::Plain},
            {QStringLiteral("réaliser un titrage acido-basique "), S::Blue},
            {QStringLiteral("à une température de"), S::Plain},
            {QStringLiteral(" 25 °C"), S::BlueBold},
            {QStringLiteral(".") + n + n + QStringLiteral("Pour simuler un titrage :") + n, S::Plain},
            {QStringLiteral("- définir les deux solutions aqueuses (bécher et burette),") + n +
                 QStringLiteral(
                     "- effectuer le titrage en tournant le robinet de la burette (directement sur "
                     "l'illustration).") +
                 n + n,
             S::Blue},
            {QStringLiteral("Le graphe et le tableau indiquent l'évolution du pH dans le mélange "),
             S::Plain},
            {QStringLiteral("au cours du titrage. ") + n + n, S::Blue},
            {QStringLiteral("Les concentrations des solutions en soluté apporté doivent être comprises entre "
                            "0,1 mol · L"),
             S::Plain},
            {QStringLiteral("-1"), S::Superscript},
            {QStringLiteral(" et") + n + QStringLiteral("10"), S::Plain},
            {QStringLiteral("-8"), S::Superscript},
            {QStringLiteral(" mol · L"), S::Plain},
            {QStringLiteral("-1"), S::Superscript},
            {QStringLiteral(".") + n + n +
                 QStringLiteral(
                     "Les images obtenues peuvent être imprimées ou placées dans le presse-papiers ") +
                 QStringLiteral("(bouton Copier) pour les coller dans une autre application.") + n + n,
             S::Plain},
            {QStringLiteral("Vous pouvez obtenir l'énoncé d'un exercice "), S::Plain},
            {QStringLiteral("dans cette fenêtre en appuyant sur l'onglet "), S::Plain},
            {QStringLiteral("Exercices"), S::Blue},
            {QStringLiteral(".") + n + n, S::Plain},
            {QStringLiteral("Pour vous familiariser avec ce simulateur, choisissez d'abord l'activité "),
             S::Plain},
            {QStringLiteral("Prise en main "), S::Blue},
            {QStringLiteral("dans le menu Exercices."), S::Plain},
        };
    }();
    return pieces;
}

void applyTextStyle(platform::RichTextBox& box, TextStyle style) {
    if (style != TextStyle::Title) box.selection().setIndent(20);
    switch (style) {
        case TextStyle::Plain:
            break;
        case TextStyle::Blue:
        case TextStyle::Blue2:
            box.selection().setColour(kBlue);
            break;
        case TextStyle::Centred:
            box.selection().setAlignment(rtf::Alignment::Centre);
            break;
        case TextStyle::Subscript:
            box.selection().setCharOffset(-50);
            break;
        case TextStyle::Superscript:
            box.selection().setCharOffset(50);
            box.selection().setFontSize(8);
            break;
        case TextStyle::Symbol:
            box.selection().setFontName(QStringLiteral("symbol"));
            break;
        case TextStyle::Italic:
            box.selection().setItalic(true);
            break;
        case TextStyle::Underlined:
            box.selection().setUnderline(true);
            break;
        case TextStyle::Title:
            box.selection().setFontName(QStringLiteral("Arial"));
            box.selection().setFontSize(18);
            box.selection().setAlignment(rtf::Alignment::Centre);
            box.selection().setColour(kBlue);
            break;
        case TextStyle::BlueBold:
            box.selection().setColour(kBlue);
            box.selection().setBold(true);
            break;
    }
}

void writeWelcomeText(platform::RichTextBox& box) {
    box.hide();
    box.clearText();
    box.select(0, 0);
    box.selection().setFontName(QStringLiteral("Arial"));
    box.selection().setFontSize(10);
    box.selection().setColour(platform::kBlack);
    box.selection().setBold(false);
    box.selection().setItalic(false);
    box.selection().setUnderline(false);
    box.selection().setCharOffset(0);
    box.selection().setAlignment(rtf::Alignment::Left);
    const auto& pieces = welcomePieces();
    for (const auto& piece : pieces) box.appendText(piece.text);
    int start = 0;
    for (const auto& piece : pieces) {
        const int length = static_cast<int>(piece.text.size());
        box.select(start, length);
        applyTextStyle(box, piece.style);
        start += length;
    }
    box.select(0, 0);
    box.show();
}

}  // namespace workbench
