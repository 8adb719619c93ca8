#include "platform/selectionformat.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>

#include "platform/richtextbox.h"
#include "platform/richtextconversion.h"

namespace platform {

void SelectionFormat::setFontName(const QString& name) {
    if (name.trimmed().isEmpty()) return;
    QTextCharFormat change;
    setFamily(change, name);
    m_box.mergeSelection(change);
}

void SelectionFormat::setFontSize(double points) {
    if (!std::isfinite(points) || points <= 0.0 || points > 1638.0) return;
    QTextCharFormat change;
    change.setFontPointSize(points);
    m_box.mergeSelection(change);
}

void SelectionFormat::setColour(Colour colour) {
    QTextCharFormat change;
    change.setForeground(toQColor(colour));
    m_box.mergeSelection(change);
}

void SelectionFormat::setBold(bool bold) {
    QTextCharFormat change;
    change.setFontWeight(bold ? QFont::Bold : QFont::Normal);
    m_box.mergeSelection(change);
}

void SelectionFormat::setItalic(bool italic) {
    QTextCharFormat change;
    change.setFontItalic(italic);
    m_box.mergeSelection(change);
}

void SelectionFormat::setUnderline(bool underline) {
    QTextCharFormat change;
    change.setFontUnderline(underline);
    m_box.mergeSelection(change);
}

void SelectionFormat::setCharOffset(int twips) {
    QTextCharFormat change;
    setOffsetTwips(change, twips, m_box.document()->defaultFont());
    m_box.mergeSelection(change);
}

void SelectionFormat::setAlignment(rtf::Alignment alignment) {
    QTextBlockFormat change;
    switch (alignment) {
        case rtf::Alignment::Left:
            change.setAlignment(Qt::AlignLeft);
            break;
        case rtf::Alignment::Centre:
            change.setAlignment(Qt::AlignHCenter);
            break;
        case rtf::Alignment::Right:
            change.setAlignment(Qt::AlignRight);
            break;
        case rtf::Alignment::Justify:
            change.setAlignment(Qt::AlignJustify);
            break;
    }
    m_box.mergeParagraphs(change);
}

void SelectionFormat::setIndent(int pixels) {
    QTextBlockFormat change;
    change.setLeftMargin(std::clamp(pixels, 0, 2112));  // 2112 px = 22 inches
    m_box.mergeParagraphs(change);
}

void SelectionFormat::setRightIndent(int pixels) {
    QTextBlockFormat change;
    change.setRightMargin(std::clamp(pixels, 0, 2112));
    m_box.mergeParagraphs(change);
}

rtf::CharFormat SelectionFormat::format() const {
    return toRtfFormat(m_box.selectedFormat(), m_box.document()->defaultFont());
}

QString SelectionFormat::fontName() const {
    return familyOf(m_box.selectedFormat(), m_box.document()->defaultFont());
}
double SelectionFormat::fontSize() const {
    return format().pointSize;
}
Colour SelectionFormat::colour() const {
    return format().colour;
}
bool SelectionFormat::bold() const {
    return format().bold;
}
bool SelectionFormat::italic() const {
    return format().italic;
}
bool SelectionFormat::underline() const {
    return format().underline;
}
int SelectionFormat::charOffset() const {
    return format().offsetTwips;
}

rtf::Alignment SelectionFormat::alignment() const {
    QTextCursor cursor(m_box.document());
    cursor.setPosition(m_box.textCursor().selectionStart());
    const Qt::Alignment alignment = cursor.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (alignment & Qt::AlignHCenter) return rtf::Alignment::Centre;
    if (alignment & Qt::AlignJustify) return rtf::Alignment::Justify;
    if (alignment & (Qt::AlignRight | Qt::AlignTrailing)) return rtf::Alignment::Right;
    return rtf::Alignment::Left;
}

int SelectionFormat::indent() const {
    QTextCursor cursor(m_box.document());
    cursor.setPosition(m_box.textCursor().selectionStart());
    return static_cast<int>(std::lround(cursor.blockFormat().leftMargin()));
}

int SelectionFormat::rightIndent() const {
    QTextCursor cursor(m_box.document());
    cursor.setPosition(m_box.textCursor().selectionStart());
    return static_cast<int>(std::lround(cursor.blockFormat().rightMargin()));
}

}  // namespace platform
