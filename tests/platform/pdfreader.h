#pragma once
// Just enough reading of the PDF files Qt writes to check a printout: the pages in order and
// the text drawn on each, read back through the fonts' ToUnicode maps (Qt writes glyph
// numbers, not characters).
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

class PdfReader {
  public:
    explicit PdfReader(QByteArray data);

    // Objects of type /Page (not /Pages).
    int pageCount() const;
    // The text of each page; each drawn piece of text ends with a line break.
    QStringList pageTexts() const;

  private:
    QByteArray object(int number) const;
    QByteArray stream(int number) const;
    QHash<QByteArray, QHash<uint, QString>> fontMaps() const;

    QByteArray m_data;
    QHash<int, QByteArray> m_objects;
};
