#pragma once
// The panels of the tab "Dans le bécher" are drawn as flowing text, as on a picture box: labels
// printed one after the other, each control placed at the print position.
#include <QRect>
#include <QSize>
#include <QString>
#include <algorithm>
#include <cmath>
#include <vector>

namespace workbench {

struct PanelFont {
    QString family = QStringLiteral("Arial");
    double points = 8;
    bool italic = false;
    bool operator==(const PanelFont&) const = default;
};

// One piece of text printed with its top left corner at (x, y).
struct PanelText {
    QString text;
    PanelFont font;
    double x = 0;
    double y = 0;
};

// How wide a text is and how far a line break goes down, in pixels, for a font.
class PanelMetrics {
  public:
    virtual ~PanelMetrics() = default;
    virtual double textWidth(const PanelFont& font, const QString& text) const = 0;
    virtual double lineHeight(const PanelFont& font) const = 0;
};

// The bullet that starts each section: "·" in the Symbol font, whose code 0xB7 is a bullet.
QString panelBullet();

inline const PanelFont kLabelFont{QStringLiteral("Arial"), 8, false};
inline const PanelFont kQuantityFont{QStringLiteral("Arial"), 10, true};  // the italic c and V
inline const PanelFont kSmallFont{QStringLiteral("Arial"), 8, false};     // subscripts and exponents
inline const PanelFont kUnitFont{QStringLiteral("Arial"), 10, false};
inline const PanelFont kBulletFont{QStringLiteral("Symbol"), 8, false};

inline constexpr int kBulletX = 18;
inline constexpr int kSectionGap = 27;
inline constexpr int kDieGap = 8;
inline constexpr int kFieldGap = 6;  // between a list or a field and the label that follows it

inline int pixel(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::lround(std::clamp(value, -32768.0, 32767.0)));
}

// A print position moving over the panel as text is printed, as on a picture box: printing
// moves it right by the text's width, a line break takes it back to x = 0 one line lower in the
// font last used.
class Flow {
  public:
    Flow(const PanelMetrics& metrics, std::vector<PanelText>& texts) : m_metrics(metrics), m_texts(texts) {}

    double x = 0;
    double y = 0;

    void setFont(const PanelFont& font) { m_font = font; }
    void print(const QString& text) {
        m_texts.push_back({text, m_font, x, y});
        x += m_metrics.textWidth(m_font, text);
    }
    void newLine() {
        x = 0;
        y += m_metrics.lineHeight(m_font);
    }
    // A control placed at the print position, `raise` pixels higher.
    QRect place(const QSize& size, int raise) const {
        return QRect(QPoint(pixel(x), pixel(y - raise)), size);
    }

    void bulletAt(double left, const QString& label) {
        x = left;
        setFont(kBulletFont);
        print(panelBullet());
        setFont(kLabelFont);
        print(label);
    }
    // An italic symbol with its subscript, then " = ": the symbol is raised 2 pixels, the
    // subscript 6 pixels below it, and the print position comes back to the symbol's level.
    void symbolEquals(const QString& symbol, const QString& subscript) {
        y -= 2;
        setFont(kQuantityFont);
        print(symbol);
        setFont(kSmallFont);
        y += 6;
        print(subscript);
        y -= 6;
        setFont(kUnitFont);
        print(QStringLiteral(" = "));
    }
    // " mol · L" and its exponent "-1", 4 pixels higher, in the font of the subscripts.
    void unitPerLitre() {
        print(QStringLiteral(" mol · L"));
        setFont(kSmallFont);
        y -= 4;
        print(QStringLiteral("-1"));
        y += 4;
    }
    // A field at the print position, 3 pixels higher; the print position moves past it.
    QRect field(const QSize& size) {
        const QRect placed = place(size, 3);
        x += size.width();
        return placed;
    }

  private:
    const PanelMetrics& m_metrics;
    std::vector<PanelText>& m_texts;
    PanelFont m_font = kLabelFont;
};

}  // namespace workbench
