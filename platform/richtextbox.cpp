#include "platform/richtextbox.h"

#include <QFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
#include <utility>
#include <vector>

#include "configuration/atomicfile.h"
#include "platform/fonts.h"
#include "platform/richtextconversion.h"
#include "platform/textheight.h"
#include "rtf/html.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

namespace platform {
namespace {

constexpr int kBreakLength = 2;  // a paragraph break counts as CR LF

// Qt's layout of a text box never ends for a document taller than 2^23 pixels (8.4 million); this
// leaves room for the rounding of each line's height.
constexpr qreal kTallestLayout = 6'000'000.0;

QString blockText(const QTextBlock& block) {
    QString text = block.text();
    text.replace(QChar(QChar::LineSeparator), QLatin1Char('\v'));
    return text;
}

}  // namespace

SelectionFormat RichTextBox::selection() {
    return SelectionFormat(*this);
}

const SelectionFormat RichTextBox::selection() const {
    // The const proxy offers the getters only.
    return SelectionFormat(const_cast<RichTextBox&>(*this));
}

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    installFontSubstitutes();
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(10.0);
    document()->setDefaultFont(font);
    m_currentFormat = toQtFormat(rtf::CharFormat{}, font.family(), font);
    setCurrentCharFormat(m_currentFormat);
}

int RichTextBox::documentPosition(int position) const {
    int counted = 0;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        const int length = block.length() - 1;
        if (position <= counted + length) return block.position() + (position - counted);
        counted += length;
        if (!block.next().isValid()) return block.position() + length;
        // Inside the CR LF pair: the end of the paragraph.
        if (position < counted + kBreakLength) return block.position() + length;
        counted += kBreakLength;
    }
    return 0;
}

int RichTextBox::textPosition(int position) const {
    const QTextBlock found = document()->findBlock(position);
    int counted = 0;
    for (QTextBlock block = document()->begin(); block.isValid() && block != found; block = block.next()) {
        counted += block.length() - 1 + kBreakLength;
    }
    if (!found.isValid()) return counted > 0 ? counted - kBreakLength : 0;
    return counted + std::clamp(position - found.position(), 0, found.length() - 1);
}

QTextCharFormat RichTextBox::formatAt(int position) const {
    const QTextBlock block = document()->findBlock(position);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.isValid() && fragment.contains(position)) return fragment.charFormat();
    }
    return block.charFormat();
}

void RichTextBox::clearText() {
    const QTextBlockFormat blockFormat = textCursor().blockFormat();
    document()->clear();
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    QTextCursor cursor(document());
    cursor.setBlockFormat(blockFormat);
    cursor.setBlockCharFormat(m_currentFormat);
    setTextCursor(cursor);
}

void RichTextBox::appendText(const QString& text) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    normalised.replace(QLatin1Char('\v'), QChar(QChar::LineSeparator));
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    const QStringList paragraphs = normalised.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < paragraphs.size(); ++i) {
        // A new paragraph inherits the format of the one it follows.
        if (i > 0) cursor.insertBlock(cursor.blockFormat(), m_currentFormat);
        if (!paragraphs[i].isEmpty()) cursor.insertText(paragraphs[i], m_currentFormat);
    }
    setTextCursor(cursor);
}

void RichTextBox::select(int start, int length) {
    const int total = static_cast<int>(text().size());
    const int from = std::clamp(start, 0, total);
    const int to = std::clamp(
        static_cast<int>(std::min<long long>(static_cast<long long>(from) + std::max(length, 0), total)),
        from, total);
    QTextCursor cursor(document());
    cursor.setPosition(documentPosition(from));
    cursor.setPosition(documentPosition(to), QTextCursor::KeepAnchor);
    setTextCursor(cursor);
}

int RichTextBox::selStart() const {
    return textPosition(textCursor().selectionStart());
}

int RichTextBox::selLength() const {
    return textPosition(textCursor().selectionEnd()) - selStart();
}

QString RichTextBox::selText() const {
    return text().mid(selStart(), selLength());
}

void RichTextBox::mergeSelection(const QTextCharFormat& change) {
    const QFont defaultFont = document()->defaultFont();
    QTextCursor cursor = textCursor();
    if (!cursor.hasSelection()) {
        m_currentFormat.merge(change);
        refreshOffsetLook(m_currentFormat, defaultFont);
        setCurrentCharFormat(m_currentFormat);
        // An empty paragraph takes the format at once: its mark gives it its height.
        if (cursor.block().length() == 1) cursor.setBlockCharFormat(m_currentFormat);
        return;
    }
    cursor.mergeCharFormat(change);
    // A change of font or size moves the base line of raised characters: recompute it.
    const int start = cursor.selectionStart();
    const int end = cursor.selectionEnd();
    std::vector<std::pair<std::pair<int, int>, QTextCharFormat>> looks;
    for (QTextBlock block = document()->findBlock(start); block.isValid() && block.position() < end;
         block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.isValid() || fragment.position() + fragment.length() <= start ||
                fragment.position() >= end) {
                continue;
            }
            QTextCharFormat format = fragment.charFormat();
            if (offsetTwips(format) == 0 && format.verticalAlignment() != QTextCharFormat::AlignBaseline)
                continue;
            refreshOffsetLook(format, defaultFont);
            QTextCharFormat look;
            look.setVerticalAlignment(format.verticalAlignment());
            look.setBaselineOffset(format.baselineOffset());
            looks.push_back({{std::max(start, fragment.position()),
                              std::min(end, fragment.position() + fragment.length())},
                             look});
        }
    }
    for (const auto& [range, look] : looks) {
        QTextCursor part(document());
        part.setPosition(range.first);
        part.setPosition(range.second, QTextCursor::KeepAnchor);
        part.mergeCharFormat(look);
    }
}

// A selection that ends at the start of a paragraph (just after a paragraph break) does not
// reach into that paragraph.
void RichTextBox::mergeParagraphs(const QTextBlockFormat& change) {
    const QTextCursor cursor = textCursor();
    const int start = cursor.selectionStart();
    int end = cursor.selectionEnd();
    if (end > start && document()->findBlock(end).position() == end) --end;
    QTextCursor range(document());
    range.setPosition(start);
    range.setPosition(end, QTextCursor::KeepAnchor);
    range.mergeBlockFormat(change);
}

QTextCharFormat RichTextBox::selectedFormat() const {
    const QTextCursor cursor = textCursor();
    return cursor.hasSelection() ? formatAt(cursor.selectionStart()) : m_currentFormat;
}

QString RichTextBox::text() const {
    QString out;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin()) out += QStringLiteral("\r\n");
        out += blockText(block);
    }
    return out;
}

QString RichTextBox::plainText() const {
    QString out;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block != document()->begin()) out += QLatin1Char('\n');
        out += block.text();
    }
    out.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    out.replace(QChar(QChar::Nbsp), QLatin1Char(' '));
    return out;
}

rtf::Document RichTextBox::richDocument() const {
    return toRtfDocument(*document());
}

bool RichTextBox::setRichDocument(const rtf::Document& rich) {
    // Filled apart and handed over whole: the shown document is laid out again after each change,
    // run after run, and a new document is laid out a page at a time as it is shown.
    QTextDocument* const previous = document();
    auto filled = std::make_unique<QTextDocument>();
    filled->setDefaultFont(previous->defaultFont());
    filled->setDocumentMargin(previous->documentMargin());
    filled->setUndoRedoEnabled(previous->isUndoRedoEnabled());
    // No page size: not laid out before the box gives it the width of its lines.
    filled->setPageSize(QSizeF(0.0, 0.0));
    fillTextDocument(*filled, rich);
    // Qt lays a word wider than the line out again from each line it spans, which costs the square
    // of its length: minutes for a few hundred kilobytes without a break. Such a stretch, wider
    // than any page, is broken anywhere all the same; a document that holds one has all its lines
    // broken anywhere, which costs their length.
    const QTextOption::WrapMode wrap = longestUnbreakableStretch(*filled) > kLongestStretchWrappedAtWords
                                           ? QTextOption::WrapAnywhere
                                           : QTextOption::WrapAtWordBoundaryOrAnywhere;
    QTextOption option = previous->defaultTextOption();
    option.setWrapMode(wrap);
    filled->setDefaultTextOption(option);
    // Measured as if the scroll bar showed, which narrows the lines.
    const qreal width =
        viewport()->width() - 2.0 * filled->documentMargin() - verticalScrollBar()->sizeHint().width();
    if (!fitsHeight(*filled, width, kTallestLayout)) return false;
    // Read while the document has no layout: a cursor placed in a laid-out document lays out
    // everything before it.
    QTextCursor end(filled.get());
    end.movePosition(QTextCursor::End);
    m_currentFormat = end.charFormat();
    // The box's first document belongs to the editor, which deletes it; later ones are the box's.
    const bool ownPrevious = previous->parent() == this;
    if (wrap != wordWrapMode()) {
        // Emptied first, the document going is not laid out again in the new mode.
        previous->clear();
        setWordWrapMode(wrap);
    }
    QTextDocument* const shown = filled.release();
    shown->setParent(this);
    setDocument(shown);
    setTextCursor(QTextCursor(shown));
    if (ownPrevious) delete previous;
    return true;
}

QByteArray RichTextBox::textRtf() const {
    return QByteArray::fromStdString(rtf::write(richDocument()));
}

QString RichTextBox::html() const {
    return QString::fromStdString(rtf::toHtml(richDocument()));
}

bool RichTextBox::setRtf(const QByteArray& bytes) {
    const auto rich = rtf::read(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
    return rich && setRichDocument(*rich);
}

bool RichTextBox::loadRtfFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    if (file.size() > kMaxRtfFileBytes) return false;
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) return false;
    return setRtf(bytes);
}

bool RichTextBox::saveRtfFile(const QString& path) const {
    // The same all-or-nothing write as the configuration files: a pupil's previous text stays
    // whole when the new one cannot be written to the end.
    const QByteArray bytes = textRtf();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    return configuration::writeFileAtomically(std::filesystem::path(path.toStdU16String()),
                                              std::span(data, static_cast<std::size_t>(bytes.size())));
}

}  // namespace platform
