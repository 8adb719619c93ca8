#include "platform/richtextconversion.h"

#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <cmath>

namespace platform {
namespace {

QFont fontOf(const QTextCharFormat& format, const QFont& defaultFont) {
    return format.font().resolve(defaultFont);
}

QString familyOf(const QTextCharFormat& format, const QFont& defaultFont) {
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) return families.first();
    const QString family = format.property(QTextFormat::FontFamily).toString();
    if (!family.isEmpty()) return family;
    return defaultFont.family();
}

QString toQtText(const std::string& text) {
    QString out = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    out.replace(QLatin1Char('\r'), QString());
    out.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
    out.replace(QLatin1Char('\v'), QChar(QChar::LineSeparator));
    return out;
}

std::string toModelText(QString text) {
    text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    text.remove(QChar(QChar::ObjectReplacementCharacter));
    text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
    return text.toStdString();
}

rtf::Alignment toRtfAlignment(Qt::Alignment alignment) {
    const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
    if (horizontal & Qt::AlignHCenter) return rtf::Alignment::Centre;
    if (horizontal & Qt::AlignJustify) return rtf::Alignment::Justify;
    if (horizontal & (Qt::AlignRight | Qt::AlignTrailing)) return rtf::Alignment::Right;
    return rtf::Alignment::Left;
}

Qt::Alignment toQtAlignment(rtf::Alignment alignment) {
    switch (alignment) {
        case rtf::Alignment::Left:
            return Qt::AlignLeft;
        case rtf::Alignment::Centre:
            return Qt::AlignHCenter;
        case rtf::Alignment::Right:
            return Qt::AlignRight;
        case rtf::Alignment::Justify:
            return Qt::AlignJustify;
    }
    return Qt::AlignLeft;
}

QTextBlockFormat toQtBlockFormat(const rtf::Paragraph& paragraph) {
    QTextBlockFormat format;
    format.setAlignment(toQtAlignment(paragraph.alignment));
    format.setLeftMargin(rtf::pixelsFromTwips(paragraph.leftIndentTwips));
    format.setRightMargin(rtf::pixelsFromTwips(paragraph.rightIndentTwips));
    format.setTextIndent(rtf::pixelsFromTwips(paragraph.firstLineIndentTwips));
    return format;
}

}  // namespace

int offsetTwips(const QTextCharFormat& format) {
    if (format.hasProperty(kOffsetTwipsProperty)) return format.intProperty(kOffsetTwipsProperty);
    return 0;
}

void setOffsetTwips(QTextCharFormat& format, int twips, const QFont& defaultFont) {
    format.setProperty(kOffsetTwipsProperty, std::clamp(twips, -32760, 32760));
    refreshOffsetLook(format, defaultFont);
}

void refreshOffsetLook(QTextCharFormat& format, const QFont& defaultFont) {
    const int twips = offsetTwips(format);
    if (twips == 0) {
        format.setVerticalAlignment(QTextCharFormat::AlignNormal);
        format.setBaselineOffset(0.0);
        return;
    }
    // The base line offset is a percentage of the font's height (ascent + descent).
    const QFontMetricsF metrics(fontOf(format, defaultFont));
    const double height = metrics.ascent() + metrics.descent();
    const double dpi = metrics.fontDpi() > 0.0 ? metrics.fontDpi() : 96.0;
    const double pixels = twips / 1440.0 * dpi;
    const double percent = height > 0.0 ? 100.0 * pixels / height : 0.0;
    format.setVerticalAlignment(QTextCharFormat::AlignBaseline);
    format.setBaselineOffset(std::isfinite(percent) ? percent : 0.0);
}

rtf::CharFormat toRtfFormat(const QTextCharFormat& format, const QFont& defaultFont) {
    rtf::CharFormat out;
    out.fontName = familyOf(format, defaultFont).toStdString();
    double size =
        format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : defaultFont.pointSizeF();
    if (!std::isfinite(size) || size <= 0.0) size = 10.0;
    out.pointSize = size;
    const QBrush foreground = format.foreground();
    out.colour = foreground.style() != Qt::NoBrush ? toRtfColour(Colour::fromQColor(foreground.color()))
                                                   : rtf::Colour{};
    out.bold = format.hasProperty(QTextFormat::FontWeight) ? format.fontWeight() >= QFont::DemiBold
                                                           : defaultFont.bold();
    out.italic = format.hasProperty(QTextFormat::FontItalic) ? format.fontItalic() : defaultFont.italic();
    const bool underlineSet =
        format.hasProperty(QTextFormat::TextUnderlineStyle) || format.hasProperty(QTextFormat::FontUnderline);
    out.underline = underlineSet ? format.fontUnderline() : defaultFont.underline();
    if (format.hasProperty(kOffsetTwipsProperty)) {
        out.offsetTwips = offsetTwips(format);
    } else if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) {
        out.offsetTwips = static_cast<int>(std::lround(size * rtf::kTwipsPerPoint / 3.0));
    } else if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) {
        out.offsetTwips = -static_cast<int>(std::lround(size * rtf::kTwipsPerPoint / 3.0));
    }
    return out;
}

QTextCharFormat toQtFormat(const rtf::CharFormat& format, const QFont& defaultFont) {
    QTextCharFormat out;
    const QString family =
        format.fontName.empty() ? defaultFont.family() : QString::fromStdString(format.fontName);
    out.setFontFamilies(QStringList{family});
    out.setFontPointSize(std::isfinite(format.pointSize) && format.pointSize > 0.0 ? format.pointSize : 10.0);
    out.setForeground(fromRtfColour(format.colour).toQColor());
    out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(format.italic);
    out.setFontUnderline(format.underline);
    setOffsetTwips(out, format.offsetTwips, defaultFont);
    return out;
}

rtf::Document toRtfDocument(const QTextDocument& document) {
    const QFont defaultFont = document.defaultFont();
    rtf::Document out;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        rtf::Paragraph paragraph;
        const QTextBlockFormat format = block.blockFormat();
        paragraph.alignment = toRtfAlignment(format.alignment());
        paragraph.leftIndentTwips = rtf::twipsFromPixels(format.leftMargin());
        paragraph.rightIndentTwips = rtf::twipsFromPixels(format.rightMargin());
        paragraph.firstLineIndentTwips = rtf::twipsFromPixels(format.textIndent());
        paragraph.markFormat = toRtfFormat(block.charFormat(), defaultFont);
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            paragraph.runs.push_back(
                rtf::Run{toModelText(fragment.text()), toRtfFormat(fragment.charFormat(), defaultFont)});
        }
        out.paragraphs.push_back(std::move(paragraph));
    }
    out.normalise();
    return out;
}

void fillTextDocument(QTextDocument& document, const rtf::Document& rich) {
    const QFont defaultFont = document.defaultFont();
    document.clear();
    QTextCursor cursor(&document);
    bool first = true;
    for (const rtf::Paragraph& paragraph : rich.paragraphs) {
        const QTextBlockFormat blockFormat = toQtBlockFormat(paragraph);
        const QTextCharFormat markFormat = toQtFormat(paragraph.markFormat, defaultFont);
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(markFormat);
            first = false;
        } else {
            cursor.insertBlock(blockFormat, markFormat);
        }
        for (const rtf::Run& run : paragraph.runs) {
            if (run.text.empty()) continue;
            cursor.insertText(toQtText(run.text), toQtFormat(run.format, defaultFont));
        }
    }
}

}  // namespace platform
