#include "platform/richtextconversion.h"

#include <QFontMetricsF>
#include <QHash>
#include <QTextBlock>
#include <QTextBoundaryFinder>
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

bool sameBlockFormat(const rtf::Paragraph& a, const rtf::Paragraph& b) {
    return a.alignment == b.alignment && a.leftIndentTwips == b.leftIndentTwips &&
           a.rightIndentTwips == b.rightIndentTwips && a.firstLineIndentTwips == b.firstLineIndentTwips;
}

// The Qt format of each character format of a document, converted once. Qt finds a format it
// already holds sooner when it is handed the same object again, which keeps its hash.
class QtFormats {
  public:
    QtFormats(const rtf::Document& rich, const QFont& defaultFont)
        : m_rich(rich), m_defaultFont(defaultFont), m_families(rich.fonts.size()) {}

    const QTextCharFormat& of(rtf::CharFormat format) {
        // The same key for the formats that convert alike: an unknown font is the default one.
        if (format.font < 0 || static_cast<std::size_t>(format.font) >= m_families.size()) format.font = 0;
        if (!std::isfinite(format.pointSize) || format.pointSize <= 0.0) format.pointSize = 10.0;
        auto [known, added] = m_formats.try_emplace(format);
        if (added) known->second = toQtFormat(format, family(format.font), m_defaultFont);
        return known->second;
    }

  private:
    struct Hash {
        std::size_t operator()(const rtf::CharFormat& format) const {
            std::size_t hash = std::hash<double>{}(format.pointSize);
            for (const int part :
                 {format.font, format.colour.red, format.colour.green, format.colour.blue, format.offsetTwips,
                  (format.bold ? 1 : 0) | (format.italic ? 2 : 0) | (format.underline ? 4 : 0)}) {
                hash = hash * 1000003u ^ std::hash<int>{}(part);
            }
            return hash;
        }
    };

    QString family(int font) {
        if (m_families.empty()) return {};
        QString& family = m_families[static_cast<std::size_t>(font)];
        if (family.isNull()) {
            // Qt matches every family it shows through the system's font list, which takes seconds
            // for thousands of them; a statement needs a handful, so the rest show in the default.
            if (m_familiesShown >= kMostFamiliesShown) return {};
            family = QString::fromStdString(m_rich.fonts[static_cast<std::size_t>(font)]);
            ++m_familiesShown;
        }
        return family;
    }

    static constexpr int kMostFamiliesShown = 64;

    const rtf::Document& m_rich;
    QFont m_defaultFont;
    std::vector<QString> m_families;
    int m_familiesShown = 0;
    std::unordered_map<rtf::CharFormat, QTextCharFormat, Hash> m_formats;
};

}  // namespace

QString familyOf(const QTextCharFormat& format, const QFont& defaultFont) {
    const QStringList families = format.fontFamilies().toStringList();
    if (!families.isEmpty() && !families.first().isEmpty()) return families.first();
    QString family = format.property(QTextFormat::FontFamily).toString();
    if (!family.isEmpty()) return family;
    return defaultFont.family();
}

void setFamily(QTextCharFormat& format, const QString& family) {
    format.setFontFamilies(QStringList{family});
    format.setProperty(kFamilyHashProperty, static_cast<int>(qHash(family)));
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
    out.colour = foreground.style() != Qt::NoBrush ? colourOf(foreground.color()) : rtf::Colour{};
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
    setFamily(out, family.isEmpty() ? defaultFont.family() : family);
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
    // No undo history of the filling, and one edit: the document's layout, when it has one, is
    // told of the change once instead of after each run.
    const bool undo = document.isUndoRedoEnabled();
    document.setUndoRedoEnabled(false);
    document.clear();
    QtFormats formats(rich, document.defaultFont());
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    QTextBlockFormat blockFormat;
    const rtf::Paragraph* previous = nullptr;
    for (const rtf::Paragraph& paragraph : rich.paragraphs) {
        if (previous == nullptr || !sameBlockFormat(*previous, paragraph)) {
            blockFormat = toQtBlockFormat(paragraph);
        }
        if (previous == nullptr) {
            cursor.setBlockFormat(blockFormat);
            cursor.setBlockCharFormat(formats.of(paragraph.markFormat));
        } else {
            cursor.insertBlock(blockFormat, formats.of(paragraph.markFormat));
        }
        previous = &paragraph;
        for (const rtf::Run& run : paragraph.runs) {
            if (run.text.empty()) continue;
            cursor.insertText(toQtText(run.text), formats.of(run.format));
        }
    }
    cursor.endEditBlock();
    document.setUndoRedoEnabled(undo);
}

qsizetype longestUnbreakableStretch(const QTextDocument& document) {
    qsizetype longest = 0;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.length() - 1 <= longest) continue;
        const QString text = block.text();
        QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
        qsizetype previous = 0;
        for (qsizetype next = breaks.toNextBoundary(); next > previous; next = breaks.toNextBoundary()) {
            // Spaces before the break are not laid out as part of the word.
            qsizetype end = next;
            while (end > previous && text[end - 1].isSpace()) --end;
            longest = std::max(longest, end - previous);
            previous = next;
        }
    }
    return longest;
}

}  // namespace platform
