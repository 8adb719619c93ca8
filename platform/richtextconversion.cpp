#include "platform/richtextconversion.h"

#include <QFontMetricsF>
#include <QHash>
#include <QTextBlock>
#include <QTextCursor>
#include <algorithm>
#include <cmath>
#include <unordered_map>
#include <vector>

namespace platform {
namespace {

QFont fontOf(const QTextCharFormat& format, const QFont& defaultFont) {
    return format.font().resolve(defaultFont);
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

// The families of a document's formats, each given an index in its font table once: by the
// string's data first, since the formats of one document share it, and by value otherwise.
class FontTable {
  public:
    explicit FontTable(rtf::Document& document) : m_document(document) {
        for (std::size_t i = 0; i < document.fonts.size(); ++i) {
            m_byName.insert(QString::fromStdString(document.fonts[i]), static_cast<int>(i));
        }
    }

    int indexOf(const QString& family) {
        const auto shared = m_byData.find(family.constData());
        if (shared != m_byData.end() && shared->second.first == family.size()) return shared->second.second;
        auto known = m_byName.find(family);
        if (known == m_byName.end()) {
            known = m_byName.insert(family, static_cast<int>(m_document.fonts.size()));
            m_document.fonts.push_back(family.toStdString());
        }
        m_byData[family.constData()] = {family.size(), known.value()};
        return known.value();
    }

  private:
    rtf::Document& m_document;
    QHash<QString, int> m_byName;
    std::unordered_map<const QChar*, std::pair<qsizetype, int>> m_byData;
};

}  // namespace

QString familyOf(const QTextCharFormat& format, const QFont& defaultFont) {
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) return families.first();
    const QString family = format.property(QTextFormat::FontFamily).toString();
    if (!family.isEmpty()) return family;
    return defaultFont.family();
}

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
    double size =
        format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize() : defaultFont.pointSizeF();
    if (!std::isfinite(size) || size <= 0.0) size = 10.0;
    out.pointSize = size;
    const QBrush foreground = format.foreground();
    out.colour = foreground.style() != Qt::NoBrush ? colourOf(foreground.color())
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

QTextCharFormat toQtFormat(const rtf::CharFormat& format, const QString& family, const QFont& defaultFont) {
    QTextCharFormat out;
    out.setFontFamilies(QStringList{family.isEmpty() ? defaultFont.family() : family});
    out.setFontPointSize(std::isfinite(format.pointSize) && format.pointSize > 0.0 ? format.pointSize : 10.0);
    out.setForeground(toQColor(format.colour));
    out.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
    out.setFontItalic(format.italic);
    out.setFontUnderline(format.underline);
    setOffsetTwips(out, format.offsetTwips, defaultFont);
    return out;
}

rtf::Document toRtfDocument(const QTextDocument& document) {
    const QFont defaultFont = document.defaultFont();
    rtf::Document out;
    FontTable fonts(out);
    // By the index of the format in the document, which its fragments share.
    std::unordered_map<int, rtf::CharFormat> formats;
    const auto convert = [&](int index, const QTextCharFormat& format) {
        auto [known, added] = formats.try_emplace(index);
        if (added) {
            known->second = toRtfFormat(format, defaultFont);
            known->second.font = fonts.indexOf(familyOf(format, defaultFont));
        }
        return known->second;
    };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        rtf::Paragraph paragraph;
        const QTextBlockFormat format = block.blockFormat();
        paragraph.alignment = toRtfAlignment(format.alignment());
        paragraph.leftIndentTwips = rtf::twipsFromPixels(format.leftMargin());
        paragraph.rightIndentTwips = rtf::twipsFromPixels(format.rightMargin());
        paragraph.firstLineIndentTwips = rtf::twipsFromPixels(format.textIndent());
        paragraph.markFormat = convert(block.charFormatIndex(), block.charFormat());
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid()) continue;
            paragraph.runs.push_back(rtf::Run{toModelText(fragment.text()),
                                              convert(fragment.charFormatIndex(), fragment.charFormat())});
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
    std::vector<QString> families(rich.fonts.size());
    const auto qtFormat = [&](const rtf::CharFormat& format) {
        const auto font = static_cast<std::size_t>(
            format.font >= 0 && static_cast<std::size_t>(format.font) < families.size() ? format.font : 0);
        if (font < families.size() && families[font].isNull()) {
            families[font] = QString::fromStdString(rich.fonts[font]);
        }
        return toQtFormat(format, font < families.size() ? families[font] : QString(), defaultFont);
    };
    bool first = true;
    for (const rtf::Paragraph& paragraph : rich.paragraphs) {
        const QTextBlockFormat blockFormat = toQtBlockFormat(paragraph);
        const QTextCharFormat markFormat = qtFormat(paragraph.markFormat);
        if (first) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(markFormat);
            first = false;
        } else {
            cursor.insertBlock(blockFormat, markFormat);
        }
        for (const rtf::Run& run : paragraph.runs) {
            if (run.text.empty()) continue;
            cursor.insertText(toQtText(run.text), qtFormat(run.format));
        }
    }
}

}  // namespace platform
