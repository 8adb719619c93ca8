#pragma once
// Documents shared by the RTF tests.
#include <ostream>

#include "rtf/document.h"

namespace rtf {

// Readable failure messages.
inline void PrintTo(const CharFormat& f, std::ostream* out) {
    *out << "{font " << f.font << " " << f.pointSize << "pt rgb(" << f.colour.red << "," << f.colour.green
         << "," << f.colour.blue << ")" << (f.bold ? " bold" : "") << (f.italic ? " italic" : "")
         << (f.underline ? " underline" : "") << " offset " << f.offsetTwips << "}";
}

inline void PrintTo(const Run& r, std::ostream* out) {
    *out << "\"" << r.text << "\" ";
    PrintTo(r.format, out);
}

inline void PrintTo(const Paragraph& p, std::ostream* out) {
    *out << "[align " << static_cast<int>(p.alignment) << " li " << p.leftIndentTwips << " ri "
         << p.rightIndentTwips << " fi " << p.firstLineIndentTwips << " mark ";
    PrintTo(p.markFormat, out);
    for (const Run& r : p.runs) {
        *out << "\n    ";
        PrintTo(r, out);
    }
    *out << "]";
}

inline void PrintTo(const Document& d, std::ostream* out) {
    for (std::size_t i = 0; i < d.fonts.size(); ++i) *out << "font " << i << ": " << d.fonts[i] << "\n";
    for (const Paragraph& p : d.paragraphs) {
        PrintTo(p, out);
        *out << "\n";
    }
}

}  // namespace rtf

namespace rtfsamples {

inline rtf::CharFormat format(double size, rtf::Colour colour = {}, bool bold = false, int offset = 0) {
    rtf::CharFormat f;
    f.pointSize = size;
    f.colour = colour;
    f.bold = bold;
    f.offsetTwips = offset;
    return f;
}

// A history entry: indents, sizes, colours, bold headings, a raised "-1", accents.
inline rtf::Document styledDocument() {
    rtf::Document doc;
    rtf::Paragraph blank;
    blank.leftIndentTwips = 450;
    blank.rightIndentTwips = 675;
    blank.markFormat = format(10, {}, true);
    doc.paragraphs.push_back(blank);

    rtf::Paragraph heading = blank;
    heading.runs = {{"Courbe n° 3", format(8, {192, 0, 192}, true)}};
    heading.markFormat = format(8, {192, 0, 192}, true);
    doc.paragraphs.push_back(heading);

    rtf::Paragraph beaker;
    beaker.leftIndentTwips = 675;
    beaker.rightIndentTwips = 675;
    beaker.runs = {{"Solution dans le bécher : ", format(8, {}, true)},
                   {"20,0 mL acide éthanoïque de", format(8)}};
    beaker.markFormat = format(8);
    doc.paragraphs.push_back(beaker);

    rtf::Paragraph concentration = beaker;
    concentration.runs = {{"concentration 0,01 mol · L", format(8)},
                          {"-1", format(8, {}, false, 50)},
                          {" à 25 °C, ça va.", format(8)}};
    doc.paragraphs.push_back(concentration);

    rtf::Paragraph centred;
    centred.alignment = rtf::Alignment::Centre;
    rtf::CharFormat title = format(18, {0, 0, 200});
    title.font = doc.addFont("Times New Roman");
    title.italic = true;
    title.underline = true;
    centred.runs = {{"Titre {centré}\tet \\ fin", title}, {"bas", format(10, {0, 128, 0}, false, -50)}};
    centred.markFormat = title;
    doc.paragraphs.push_back(centred);

    rtf::Paragraph right;
    right.alignment = rtf::Alignment::Right;
    rtf::CharFormat symbol = format(10);
    symbol.font = doc.addFont("Symbol");
    right.runs = {{"\xC2\xB7", symbol}, {" ligne\nsuivante", format(10)}};
    doc.paragraphs.push_back(right);
    return doc;
}

}  // namespace rtfsamples
