#pragma once
// Conversion between Qt's text documents and the rich-text model that RTF is read into and
// written from. The vertical offset of characters, in twips, is kept in a property of the
// character format and shown by moving the base line of those characters.
#include <QFont>
#include <QTextCharFormat>
#include <QTextDocument>

#include "platform/colour.h"
#include "rtf/document.h"

namespace platform {

constexpr int kOffsetTwipsProperty = QTextFormat::UserProperty + 1;
// Qt hashes a list of font families by its type alone, so formats that differ only by their font
// would share one hash and each new one be compared with all the others: the family's own hash,
// kept beside the list, tells them apart.
constexpr int kFamilyHashProperty = QTextFormat::UserProperty + 2;

void setFamily(QTextCharFormat& format, const QString& family);

int offsetTwips(const QTextCharFormat& format);
// Records the offset and sets the base line so that the characters are raised (positive) or
// lowered by that many twips, whatever their size.
void setOffsetTwips(QTextCharFormat& format, int twips, const QFont& defaultFont);
// Recomputes the base line after a change of font or size.
void refreshOffsetLook(QTextCharFormat& format, const QFont& defaultFont);

// The font family of a format, or the default font's.
QString familyOf(const QTextCharFormat& format, const QFont& defaultFont);

// Everything but the font, which a document holds in its font table (see toRtfDocument).
rtf::CharFormat toRtfFormat(const QTextCharFormat& format, const QFont& defaultFont);
// `family` is the format's font; the default font's when empty.
QTextCharFormat toQtFormat(const rtf::CharFormat& format, const QString& family, const QFont& defaultFont);

// Each font family and each format is converted once, however many paragraphs and runs use it.
rtf::Document toRtfDocument(const QTextDocument& document);
// Replaces the content of the document; each font of the table is converted once.
void fillTextDocument(QTextDocument& document, const rtf::Document& rich);

// The length of the longest stretch of a paragraph that a line may not break, spaces aside.
qsizetype longestUnbreakableStretch(const QTextDocument& document);

}  // namespace platform
