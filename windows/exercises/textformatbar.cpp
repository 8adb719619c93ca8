#include "windows/exercises/textformatbar.h"

#include <QHBoxLayout>
#include <QMenu>
#include <QPixmap>
#include <QShortcut>
#include <QToolButton>

#include "platform/richtextbox.h"

namespace exercisewindow {
namespace {

constexpr int kScriptTwips = 50;
constexpr double kScriptPoints = 8.0;
constexpr double kTextPoints = 10.0;

struct NamedColour {
    const char* name;
    QColor colour;
};

// The colours of the shipped texts, black first.
const NamedColour kColours[] = {{"Noir", QColor(0, 0, 0)},       {"Rouge", QColor(200, 0, 0)},
                                {"Bleu", QColor(0, 0, 200)},     {"Vert", QColor(0, 128, 0)},
                                {"Violet", QColor(192, 0, 192)}, {"Orange", QColor(230, 120, 0)},
                                {"Gris", QColor(100, 100, 100)}};

struct NamedSize {
    const char* name;
    double points;
};

const NamedSize kSizes[] = {{"Titre (14)", 14.0}, {"Intertitre (11)", 11.0}, {"Texte (10)", kTextPoints}};

QIcon swatch(const QColor& colour) {
    QPixmap picture(14, 14);
    picture.fill(colour);
    return QIcon(picture);
}

}  // namespace

TextFormatBar::TextFormatBar(platform::RichTextBox& box, QWidget* parent) : QWidget(parent), m_box(box) {
    setObjectName(QStringLiteral("miseenforme"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);

    const auto styled = [this](bool bold, bool italic, bool underline) {
        QFont look = font();
        look.setBold(bold);
        look.setItalic(italic);
        look.setUnderline(underline);
        return look;
    };
    addButton("gras", QStringLiteral("G"), QStringLiteral("Gras (Ctrl+B)"))
        ->setFont(styled(true, false, false));
    addButton("italique", QStringLiteral("I"), QStringLiteral("Italique (Ctrl+I)"))
        ->setFont(styled(false, true, false));
    addButton("souligne", QStringLiteral("S"), QStringLiteral("Souligné (Ctrl+U)"))
        ->setFont(styled(false, false, true));
    connect(addButton("indice", QStringLiteral("x₂"), QStringLiteral("Indice : H₂O")), &QToolButton::clicked,
            this, &TextFormatBar::toggleLowered);
    connect(addButton("exposant", QStringLiteral("x²"), QStringLiteral("Exposant : H₃O⁺")),
            &QToolButton::clicked, this, &TextFormatBar::toggleRaised);
    QToolButton* centreButton =
        addButton("centrer", QStringLiteral("≡"), QStringLiteral("Centrer le paragraphe"));
    centreButton->setCheckable(true);
    connect(centreButton, &QToolButton::clicked, this, &TextFormatBar::centre);
    connect(&m_box, &QTextEdit::cursorPositionChanged, this, [this, centreButton] {
        centreButton->setChecked(m_box.selection().alignment() == rtf::Alignment::Centre);
    });

    auto* sizes = new QMenu(this);
    for (const NamedSize& size : kSizes) {
        connect(sizes->addAction(QString::fromUtf8(size.name)), &QAction::triggered, this,
                [this, points = size.points] { setSize(points); });
    }
    QToolButton* sizeButton =
        addButton("taille", QStringLiteral("Taille"), QStringLiteral("Taille des caractères"));
    sizeButton->setMenu(sizes);
    sizeButton->setPopupMode(QToolButton::InstantPopup);

    auto* colours = new QMenu(this);
    for (const NamedColour& colour : kColours) {
        connect(colours->addAction(swatch(colour.colour), QString::fromUtf8(colour.name)),
                &QAction::triggered, this, [this, value = colour.colour] { setColour(value); });
    }
    QToolButton* colourButton =
        addButton("couleur", QStringLiteral("Couleur"), QStringLiteral("Couleur des caractères"));
    colourButton->setMenu(colours);
    colourButton->setPopupMode(QToolButton::InstantPopup);
    row->addStretch();

    // The three switches, from their buttons and from the keyboard.
    const std::tuple<const char*, QKeySequence, void (TextFormatBar::*)()> switches[] = {
        {"gras", QKeySequence::Bold, &TextFormatBar::toggleBold},
        {"italique", QKeySequence::Italic, &TextFormatBar::toggleItalic},
        {"souligne", QKeySequence::Underline, &TextFormatBar::toggleUnderline}};
    for (const auto& [name, sequence, command] : switches) {
        connect(findChild<QToolButton*>(QString::fromLatin1(name)), &QToolButton::clicked, this, command);
        auto* shortcut = new QShortcut(sequence, &m_box);
        shortcut->setContext(Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, this, command);
    }
}

QToolButton* TextFormatBar::addButton(const char* name, const QString& text, const QString& hint) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);  // the box keeps its selection and caret
    static_cast<QHBoxLayout*>(layout())->addWidget(button);
    return button;
}

void TextFormatBar::toggleBold() {
    m_box.selection().setBold(!m_box.selection().bold());
}

void TextFormatBar::toggleItalic() {
    m_box.selection().setItalic(!m_box.selection().italic());
}

void TextFormatBar::toggleUnderline() {
    m_box.selection().setUnderline(!m_box.selection().underline());
}

void TextFormatBar::toggleOffset(int twips) {
    const bool back = m_box.selection().charOffset() == twips;
    m_box.selection().setFontSize(back ? kTextPoints : kScriptPoints);
    m_box.selection().setCharOffset(back ? 0 : twips);
}

void TextFormatBar::toggleLowered() {
    toggleOffset(-kScriptTwips);
}

void TextFormatBar::toggleRaised() {
    toggleOffset(kScriptTwips);
}

void TextFormatBar::setSize(double points) {
    m_box.selection().setFontSize(points);
}

void TextFormatBar::setColour(QColor colour) {
    m_box.selection().setColour(platform::colourOf(colour));
}

void TextFormatBar::centre(bool centred) {
    m_box.selection().setAlignment(centred ? rtf::Alignment::Centre : rtf::Alignment::Left);
}

}  // namespace exercisewindow
