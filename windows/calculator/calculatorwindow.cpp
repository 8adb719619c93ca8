#include "windows/calculator/calculatorwindow.h"

#include <QFontMetricsF>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <string_view>

#include "calculator/expressionevaluator.h"
#include "numbers/generalwriter.h"
#include "platform/beeper.h"
#include "windows/calculator/calculatormemory.h"
#include "windows/calculator/keyfaces.h"

namespace calculatorwindow {

// The families of keys, each with its own colours in the style sheet.
enum class KeyStyle { Digit, Function, Operator, Prefix, Memory, Clear, Execute };
enum class Face { Caption, Exponent, Root };

struct KeyDefinition {
    const char* name;     // the control's name
    const char* caption;  // its face; the base of an exponent face
    const char* text;     // what it appends, following `rule`
    KeyRule rule;
    void (CalculatorWindow::*handler)();  // instead of appending, for the keys that do more
    KeyStyle style;
    int row;
    int column;
    const char* hint;
    Face face;
    const char* exponent;
};

namespace {

constexpr KeyRule kPlain = KeyRule::Plain;
constexpr KeyRule kTimes = KeyRule::ImplicitTimes;

// Rows 0 to 2 hold the functions and the memory, row 3 is a gap, rows 4 to 7 the number pad with
// its operators and, on the right, the unit prefixes.
constexpr int kPadRow = 4;

// clang-format off
const KeyDefinition kKeys[] = {
    {"bsin", "&SIN", "sin ", kTimes, nullptr, KeyStyle::Function, 0, 0, "Sinus", Face::Caption, nullptr},
    {"Bcos", "&COS", "cos ", kTimes, nullptr, KeyStyle::Function, 0, 1, "Cosinus", Face::Caption, nullptr},
    {"Btan", "&TAN", "tan ", kTimes, nullptr, KeyStyle::Function, 0, 2, "Tangente", Face::Caption, nullptr},
    {"Blog", "&Log", "log ", kTimes, nullptr, KeyStyle::Function, 0, 3, "Logarithme décimal", Face::Caption, nullptr},
    {"Bln", "l&n", "ln ", kTimes, nullptr, KeyStyle::Function, 0, 4, "Logarithme népérien", Face::Caption, nullptr},
    {"Bexp", "e", "exp ", kTimes, nullptr, KeyStyle::Function, 0, 5, "Exponentielle", Face::Exponent, "x"},
    {"B10x", "10", "10 ^ ", kTimes, nullptr, KeyStyle::Function, 0, 6, "Puissance de dix", Face::Exponent, "x"},
    {"invsin", "INV S&IN", "invSIN ", kTimes, nullptr, KeyStyle::Function, 1, 0, "Arc sinus", Face::Caption, nullptr},
    {"invcos", "INV C&OS", "invCOS ", kTimes, nullptr, KeyStyle::Function, 1, 1, "Arc cosinus", Face::Caption, nullptr},
    {"Btoncommande3", "INV T&AN", "invTAN ", kTimes, nullptr, KeyStyle::Function, 1, 2, "Arc tangente", Face::Caption, nullptr},
    {"racine", "", "SQR ", kTimes, nullptr, KeyStyle::Function, 1, 3, "Racine carrée", Face::Root, nullptr},
    {"btcarre", "x", " ^ 2", KeyRule::AnswerFirst, nullptr, KeyStyle::Function, 1, 4, "Carré", Face::Exponent, "2"},
    {"puissance", "x", " ^ ", KeyRule::AnswerFirst, nullptr, KeyStyle::Function, 1, 5, "Puissance", Face::Exponent, "y"},
    {"Command5", "1/x", "1 / ", kTimes, nullptr, KeyStyle::Function, 1, 6, "Inverse", Face::Caption, nullptr},
    {"Bpo", "(", "(", kTimes, nullptr, KeyStyle::Function, 2, 0, "Ouvrir une parenthèse", Face::Caption, nullptr},
    {"bpf", ")", ")", kPlain, nullptr, KeyStyle::Function, 2, 1, "Fermer la parenthèse", Face::Caption, nullptr},
    {"pi", "π", "", kTimes, &CalculatorWindow::insertPi, KeyStyle::Function, 2, 2, "Le nombre pi", Face::Caption, nullptr},
    {"Command1", "M+", "", kPlain, &CalculatorWindow::addToMemory, KeyStyle::Memory, 2, 3, "Ajouter l'affichage à la mémoire", Face::Caption, nullptr},
    {"Command2", "M-", "", kPlain, &CalculatorWindow::subtractFromMemory, KeyStyle::Memory, 2, 4, "Retrancher l'affichage de la mémoire", Face::Caption, nullptr},
    {"Command3", "RM", "", kPlain, &CalculatorWindow::recallMemory, KeyStyle::Memory, 2, 5, "Rappeler la mémoire", Face::Caption, nullptr},
    {"Command4", "CM", "", kPlain, &CalculatorWindow::clearMemory, KeyStyle::Memory, 2, 6, "Remettre la mémoire à zéro", Face::Caption, nullptr},
    {"B7", "7", "7", kPlain, nullptr, KeyStyle::Digit, kPadRow, 0, nullptr, Face::Caption, nullptr},
    {"B8", "8", "8", kPlain, nullptr, KeyStyle::Digit, kPadRow, 1, nullptr, Face::Caption, nullptr},
    {"B9", "9", "9", kPlain, nullptr, KeyStyle::Digit, kPadRow, 2, nullptr, Face::Caption, nullptr},
    {"EFFACE", "←", "", kPlain, &CalculatorWindow::backSpace, KeyStyle::Clear, kPadRow, 3, "Effacer le dernier élément", Face::Caption, nullptr},
    {"RAZ", "AC", "", kPlain, &CalculatorWindow::clearAll, KeyStyle::Clear, kPadRow, 4, "Tout effacer", Face::Caption, nullptr},
    {"kilo", "k", "E+3", kPlain, nullptr, KeyStyle::Prefix, kPadRow, 5, "kilo : × 1000", Face::Caption, nullptr},
    {"mil", "m", "E-3", kPlain, nullptr, KeyStyle::Prefix, kPadRow, 6, "milli : ÷ 1000", Face::Caption, nullptr},
    {"B4", "4", "4", kPlain, nullptr, KeyStyle::Digit, kPadRow + 1, 0, nullptr, Face::Caption, nullptr},
    {"B5", "5", "5", kPlain, nullptr, KeyStyle::Digit, kPadRow + 1, 1, nullptr, Face::Caption, nullptr},
    {"B6", "6", "6", kPlain, nullptr, KeyStyle::Digit, kPadRow + 1, 2, nullptr, Face::Caption, nullptr},
    {"multip", "x", " * ", KeyRule::WhenNotBlank, nullptr, KeyStyle::Operator, kPadRow + 1, 3, "Multiplier", Face::Caption, nullptr},
    {"div", "÷", " / ", KeyRule::WhenNotBlank, nullptr, KeyStyle::Operator, kPadRow + 1, 4, "Diviser", Face::Caption, nullptr},
    {"mega", "M", "E+6", kPlain, nullptr, KeyStyle::Prefix, kPadRow + 1, 5, "méga : × 1 000 000", Face::Caption, nullptr},
    {"micro", "µ", "E-6", kPlain, nullptr, KeyStyle::Prefix, kPadRow + 1, 6, "micro : ÷ 1 000 000", Face::Caption, nullptr},
    {"B1", "1", "1", kPlain, nullptr, KeyStyle::Digit, kPadRow + 2, 0, nullptr, Face::Caption, nullptr},
    {"B2", "2", "2", kPlain, nullptr, KeyStyle::Digit, kPadRow + 2, 1, nullptr, Face::Caption, nullptr},
    {"B3", "3", "3", kPlain, nullptr, KeyStyle::Digit, kPadRow + 2, 2, nullptr, Face::Caption, nullptr},
    {"plus", "+", "", kPlain, &CalculatorWindow::plus, KeyStyle::Operator, kPadRow + 2, 3, "Ajouter", Face::Caption, nullptr},
    {"moins", "-", "", kPlain, &CalculatorWindow::minus, KeyStyle::Operator, kPadRow + 2, 4, "Soustraire, ou nombre négatif", Face::Caption, nullptr},
    {"giga", "G", "E+9", kPlain, nullptr, KeyStyle::Prefix, kPadRow + 2, 5, "giga : × 1 000 000 000", Face::Caption, nullptr},
    {"nano", "n", "E-9", kPlain, nullptr, KeyStyle::Prefix, kPadRow + 2, 6, "nano : ÷ 1 000 000 000", Face::Caption, nullptr},
    {"B0", "0", "0", kPlain, nullptr, KeyStyle::Digit, kPadRow + 3, 0, nullptr, Face::Caption, nullptr},
    {"Bpoint", ".", ".", kPlain, nullptr, KeyStyle::Digit, kPadRow + 3, 1, "Virgule (un point)", Face::Caption, nullptr},
    {"BtoEXP", "EXP", "E", kPlain, nullptr, KeyStyle::Digit, kPadRow + 3, 2, "Puissance de dix : 2 EXP 3 donne 2000", Face::Caption, nullptr},
    {"ANS", "ANS", "", kPlain, &CalculatorWindow::insertAnswer, KeyStyle::Memory, kPadRow + 3, 3, "Dernier résultat", Face::Caption, nullptr},
    {"EXE", "EXE", "", kPlain, &CalculatorWindow::execute, KeyStyle::Execute, kPadRow + 3, 4, "Calculer", Face::Caption, nullptr},
    {"tera", "T", "E+12", kPlain, nullptr, KeyStyle::Prefix, kPadRow + 3, 5, "téra : × 1 000 000 000 000", Face::Caption, nullptr},
    {"pico", "p", "E-12", kPlain, nullptr, KeyStyle::Prefix, kPadRow + 3, 6, "pico : ÷ 1 000 000 000 000", Face::Caption, nullptr},
};
// clang-format on

const KeyDefinition* keyNamed(std::string_view name) {
    for (const KeyDefinition& key : kKeys) {
        if (name == key.name) return &key;
    }
    return nullptr;
}

// The key a typed character acts as; null for the characters the calculator ignores.
const char* keyForCharacter(char c) {
    static constexpr const char* digits[] = {"B0", "B1", "B2", "B3", "B4", "B5", "B6", "B7", "B8", "B9"};
    if (c >= '0' && c <= '9') return digits[c - '0'];
    switch (c) {
        // Every number of the program is written with a decimal comma and the multiply key is
        // labelled "x": a pupil types both.
        case '.':
        case ',':
            return "Bpoint";
        case 'd':
        case 'D':
        case 'e':
        case 'E':
            return "BtoEXP";
        case '(':
            return "Bpo";
        case ')':
            return "bpf";
        case '*':
        case 'x':
        case 'X':
            return "multip";
        case '+':
            return "plus";
        case '-':
            return "moins";
        case '/':
            return "div";
        case '^':
            return "puissance";
        default:
            return nullptr;
    }
}

const char* styleName(KeyStyle style) {
    switch (style) {
        case KeyStyle::Digit:
            return "digit";
        case KeyStyle::Function:
            return "function";
        case KeyStyle::Operator:
            return "operator";
        case KeyStyle::Prefix:
            return "prefix";
        case KeyStyle::Memory:
            return "memory";
        case KeyStyle::Clear:
            return "clear";
        case KeyStyle::Execute:
            return "execute";
    }
    return "digit";
}

// The ink of the pictured faces: they sit on the dark function keys.
const QColor kFunctionInk(255, 255, 255);

// Light to dark cyan from left to right, one vertical line per pixel column.
const QColor kGradientLeft(226, 252, 254);
const QColor kGradientRight(86, 186, 204);

constexpr int kKeyWidth = 66;
constexpr int kKeyHeight = 42;
constexpr int kDisplayHeight = 58;
constexpr int kDisplayPadding = 24;  // frame and inner margins of the display, in pixels
constexpr int kDisplayPixelSizes[] = {28, 24, 20, 17, 14, 12};

const char* const kStyleSheet = R"(
QPushButton {
    font-family: Arial; font-weight: bold; font-size: 15px;
    border-radius: 7px; border: 1px solid #30505a; padding: 2px;
}
QPushButton[keyStyle="digit"] {
    color: #14232b; font-size: 19px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #dfe6ea);
}
QPushButton[keyStyle="digit"]:pressed { background: #c4ced4; }
QPushButton[keyStyle="function"] {
    color: #ffffff; font-size: 14px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #4a6d94, stop:1 #2c4766);
}
QPushButton[keyStyle="function"]:pressed { background: #1f3550; }
QPushButton[keyStyle="operator"] {
    color: #3a2200; font-size: 30px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffd98a, stop:1 #f2aa3c);
}
QPushButton[keyStyle="operator"]:pressed { background: #d98e22; }
QPushButton[keyStyle="prefix"] {
    color: #0d3d3a; font-size: 17px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #d4f1ee, stop:1 #93d3cc);
}
QPushButton[keyStyle="prefix"]:pressed { background: #6fbdb4; }
QPushButton[keyStyle="memory"] {
    color: #2e1a57;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #e6dcf7, stop:1 #bba6e3);
}
QPushButton[keyStyle="memory"]:pressed { background: #9f86d2; }
QPushButton[keyStyle="clear"] {
    color: #ffffff; font-size: 18px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f08a7e, stop:1 #d04a3c);
}
QPushButton[keyStyle="clear"]:pressed { background: #ad3529; }
QPushButton[keyStyle="execute"] {
    color: #ffffff; font-size: 18px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #72cf78, stop:1 #3a9a42);
}
QPushButton[keyStyle="execute"]:pressed { background: #2d7c34; }
QPushButton[sign="true"] { font-size: 24px; }
QPushButton:hover { border: 2px solid #0b3a46; }
QLineEdit#z1 {
    color: #10222a; border: 2px solid #2f5d6a; border-radius: 8px; padding: 2px 10px;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #f6fbef, stop:1 #dde9d2);
}
QGroupBox {
    font-family: Arial; font-weight: bold; font-size: 13px; color: #123c48;
    background: rgba(255, 255, 255, 150); border: 1px solid #5c9aa8; border-radius: 7px;
    margin-top: 9px; padding: 6px 6px 2px 6px;
}
QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px; }
QRadioButton { font-family: Arial; font-size: 14px; color: #10222a; spacing: 5px; }
)";

}  // namespace

CalculatorWindow::CalculatorWindow(CalculatorMemory& memory, platform::Beeper& beeper, QWidget* parent)
    : QDialog(parent),
      m_beeper(beeper),
      m_state(memory, [this](const std::string& text) { showDisplay(text); }) {
    setObjectName(QStringLiteral("Machine"));
    setWindowTitle(QStringLiteral("Machine à calculer"));
    setStyleSheet(QString::fromUtf8(kStyleSheet));
    for (const int pixels : kDisplayPixelSizes) m_displayFonts.emplace_back(pixels);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->setContentsMargins(14, 14, 14, 14);
    layout->setSpacing(10);
    buildDisplay();
    layout->addWidget(m_display);
    layout->addWidget(buildOptions());
    layout->addWidget(buildKeys());
    focusDisplay();
}

void CalculatorWindow::buildDisplay() {
    m_display = new QLineEdit(this);
    m_display->setObjectName(QStringLiteral("z1"));
    m_display->setAccessibleName(QStringLiteral("Affichage de la calculatrice"));
    m_display->setFont(m_displayFonts.front().font);
    // As wide as the keys, in a large font: a whole expression is read at a glance.
    m_display->setFixedHeight(kDisplayHeight);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setContextMenuPolicy(Qt::NoContextMenu);
    m_display->setAcceptDrops(false);
    m_display->setAttribute(Qt::WA_InputMethodEnabled, false);
    m_display->installEventFilter(this);
    // Only the keys write into the display: whatever else edits it (a paste with the mouse) is
    // undone at once.
    connect(m_display, &QLineEdit::textEdited, this, [this] { showDisplay(m_state.display()); });
}

QWidget* CalculatorWindow::buildOptions() {
    auto* options = new QWidget(this);
    auto* row = new QHBoxLayout(options);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(10);
    const auto group = [&](const QString& title, const QString& name, const std::array<QString, 2>& captions,
                           std::array<QRadioButton*, 2>& buttons, int chosen,
                           void (CalculatorWindow::*handler)(int)) {
        auto* box = new QGroupBox(title, options);
        auto* inside = new QHBoxLayout(box);
        inside->setContentsMargins(8, 6, 8, 4);
        for (int i = 0; i < 2; ++i) {
            auto* button = new QRadioButton(captions[static_cast<std::size_t>(i)], box);
            button->setObjectName(QStringLiteral("%1(%2)").arg(name).arg(i));
            button->setChecked(i == chosen);
            connect(button, &QRadioButton::toggled, this, [this, handler, i](bool checked) {
                if (checked) (this->*handler)(i);
            });
            inside->addWidget(button);
            buttons[static_cast<std::size_t>(i)] = button;
        }
        row->addWidget(box, 1);
    };
    group(QStringLiteral("Angles"), QStringLiteral("angle"),
          {QStringLiteral("Degrés"), QStringLiteral("Radians")}, m_angleButtons, 0,
          &CalculatorWindow::chooseAngleUnit);
    group(QStringLiteral("Affichage"), QStringLiteral("C"),
          {QStringLiteral("Scientifique"), QStringLiteral("Standard")}, m_modeButtons, 1,
          &CalculatorWindow::chooseDisplayMode);
    return options;
}

QWidget* CalculatorWindow::buildKeys() {
    auto* keys = new QWidget(this);
    auto* grid = new QGridLayout(keys);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(7);
    grid->setVerticalSpacing(7);
    grid->setRowMinimumHeight(kPadRow - 1, 4);
    for (const KeyDefinition& key : kKeys) {
        auto* button = new QPushButton(keys);
        button->setObjectName(QString::fromUtf8(key.name));
        button->setProperty("keyStyle", QString::fromUtf8(styleName(key.style)));
        // The keys never take the focus: it stays in the display, where typing goes.
        button->setFocusPolicy(Qt::NoFocus);
        button->setAutoDefault(false);
        button->setFixedSize(kKeyWidth, kKeyHeight);
        if (key.hint != nullptr) {
            button->setToolTip(QString::fromUtf8(key.hint));
            // Read by what the key does ("sinus", "racine carrée"), not by its face.
            button->setAccessibleName(QString::fromUtf8(key.hint).toLower());
        }
        switch (key.face) {
            case Face::Caption:
                button->setText(QString::fromUtf8(key.caption));
                // A lone sign ("(", "π", "←") is set larger than the words around it.
                button->setProperty("sign", button->text().size() == 1 && key.style != KeyStyle::Digit &&
                                                key.style != KeyStyle::Prefix &&
                                                key.style != KeyStyle::Operator);
                break;
            case Face::Exponent:
                button->setIcon(exponentFace(QString::fromUtf8(key.caption), QString::fromUtf8(key.exponent),
                                             kFunctionInk));
                button->setIconSize(kFaceSize);
                break;
            case Face::Root:
                button->setIcon(rootFace(kFunctionInk));
                button->setIconSize(kFaceSize);
                break;
        }
        connect(button, &QPushButton::clicked, this, [this, &key] { activate(key); });
        grid->addWidget(button, key.row, key.column);
    }
    return keys;
}

void CalculatorWindow::activate(const KeyDefinition& key) {
    if (key.handler != nullptr) {
        (this->*key.handler)();
    } else {
        m_state.press(key.text, key.rule);
    }
    focusDisplay();
}

void CalculatorWindow::execute() {
    if (m_state.execute() != calculator::kNoError) m_beeper.beep();
}

void CalculatorWindow::insertAnswer() {
    m_state.answer();
}

void CalculatorWindow::clearAll() {
    m_state.clear();
}

void CalculatorWindow::backSpace() {
    m_state.backSpace();
}

void CalculatorWindow::addToMemory() {
    m_state.addDisplayToMemory();
    focusDisplay();
}

void CalculatorWindow::subtractFromMemory() {
    m_state.subtractDisplayFromMemory();
    focusDisplay();
}

void CalculatorWindow::recallMemory() {
    m_state.recallMemory();
}

void CalculatorWindow::clearMemory() {
    m_state.clearMemory();
}

void CalculatorWindow::plus() {
    m_state.plus();
}

void CalculatorWindow::minus() {
    m_state.minus();
}

void CalculatorWindow::insertPi() {
    m_state.press(numbers::formatGeneral(4.0 * std::atan(1.0)), KeyRule::ImplicitTimes);
}

void CalculatorWindow::chooseAngleUnit(int index) {
    const int chosen = index == 1 ? 1 : 0;
    const QSignalBlocker blocker(m_angleButtons[static_cast<std::size_t>(chosen)]);
    m_angleButtons[static_cast<std::size_t>(chosen)]->setChecked(true);
    m_state.setAngleMode(chosen == 1 ? calculator::kRadians : calculator::kDegrees);
    focusDisplay();
}

void CalculatorWindow::chooseDisplayMode(int index) {
    const int chosen = index == 0 ? 0 : 1;
    const QSignalBlocker blocker(m_modeButtons[static_cast<std::size_t>(chosen)]);
    m_modeButtons[static_cast<std::size_t>(chosen)]->setChecked(true);
    m_state.setDisplayMode(chosen == 0 ? DisplayMode::Scientific : DisplayMode::Standard);
    focusDisplay();
}

bool CalculatorWindow::handleKey(const QKeyEvent& event) {
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) return false;
    const char* name = nullptr;
    if (event.key() == Qt::Key_Backspace) {
        name = "EFFACE";
    } else if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        name = "EXE";
    } else if (event.text().size() == 1) {
        name = keyForCharacter(event.text().front().toLatin1());
    }
    const KeyDefinition* key = name != nullptr ? keyNamed(name) : nullptr;
    if (key == nullptr) return false;
    activate(*key);
    return true;
}

void CalculatorWindow::keyPressEvent(QKeyEvent* event) {
    if (handleKey(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool CalculatorWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_display) {
        if (event->type() == QEvent::KeyPress) {
            const auto& key = static_cast<const QKeyEvent&>(*event);
            if (handleKey(key)) return true;
            // Escape closes the window, Tab moves on and a result may be copied; no other key may
            // edit the display.
            const bool passes = key.key() == Qt::Key_Escape || key.key() == Qt::Key_Tab ||
                                key.key() == Qt::Key_Backtab || key.matches(QKeySequence::Copy) ||
                                key.matches(QKeySequence::SelectAll);
            return !passes;
        }
        if (event->type() == QEvent::Resize) showDisplay(m_state.display());
    }
    return QDialog::eventFilter(watched, event);
}

void CalculatorWindow::paintEvent(QPaintEvent* event) {
    // The gradient is drawn once per size; each paint copies the part asked for (a key repaints
    // itself, and the background under its round corners, at every click).
    if (m_background.size() != size()) {
        m_background = QPixmap(size());
        QPainter gradient(&m_background);
        const int w = width();
        for (int x = 0; x < w; ++x) {
            const double t = w > 1 ? static_cast<double>(x) / (w - 1) : 0.0;
            const auto mix = [t](int left, int right) {
                return static_cast<int>(std::lround(left + t * (right - left)));
            };
            gradient.setPen(QColor(mix(kGradientLeft.red(), kGradientRight.red()),
                                   mix(kGradientLeft.green(), kGradientRight.green()),
                                   mix(kGradientLeft.blue(), kGradientRight.blue())));
            gradient.drawLine(x, 0, x, height());
        }
    }
    QPainter painter(this);
    painter.drawPixmap(event->rect(), m_background, event->rect());
}

void CalculatorWindow::showDisplay(const std::string& text) {
    const QString shown = QString::fromStdString(text);
    // The largest font in which the whole text fits: messages are long, numbers short.
    const qreal room = m_display->width() - kDisplayPadding;
    std::size_t size = 0;
    while (size + 1 < m_displayFonts.size() && m_displayFonts[size].width(shown) > room) ++size;
    const QFont& chosen = m_displayFonts[size].font;
    if (m_display->font() != chosen) m_display->setFont(chosen);
    if (m_display->text() != shown) m_display->setText(shown);
    focusDisplay();
}

CalculatorWindow::DisplayFont::DisplayFont(int pixels) : font(QStringLiteral("Arial")) {
    font.setPixelSize(pixels);
    const QFontMetricsF metrics(font);
    for (std::size_t i = 0; i < advances.size(); ++i) {
        advances[i] = metrics.horizontalAdvance(QChar(static_cast<char16_t>(kFirstTabulated + i)));
    }
}

qreal CalculatorWindow::DisplayFont::width(const QString& text) const {
    qreal total = 0.0;
    for (const QChar c : text) {
        const auto code = static_cast<std::size_t>(c.unicode());
        total += code >= kFirstTabulated && code < kFirstTabulated + advances.size()
                     ? advances[code - kFirstTabulated]
                     : QFontMetricsF(font).horizontalAdvance(c);
    }
    return total;
}

void CalculatorWindow::focusDisplay() {
    if (focusWidget() != m_display) m_display->setFocus();
    if (m_display->cursorPosition() != m_display->text().size()) m_display->end(false);
}

void openCalculator(QWidget* mainWindow, CalculatorMemory& memory, platform::Beeper& beeper) {
    auto* machine = new CalculatorWindow(memory, beeper, mainWindow);
    machine->setAttribute(Qt::WA_DeleteOnClose);
    machine->setWindowModality(Qt::WindowModal);
    // exec() deletes the window when it returns, and copes with a main window that closes first.
    machine->exec();
}

}  // namespace calculatorwindow
