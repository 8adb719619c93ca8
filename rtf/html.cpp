#include "rtf/html.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "numbers/windows1252.h"

namespace rtf {
namespace {

// Written with a point whatever the C library's locale, which Qt sets from the environment (a
// French desktop would otherwise give "10,5pt", which no reader of the HTML understands).
std::string points(double value) {
    if (!std::isfinite(value)) value = 0.0;
    value = std::clamp(value, -1e6, 1e6);
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2);
    std::string text(buffer, written.ptr);
    // "10.00" -> "10", "22.50" -> "22.5"
    const auto dot = text.find('.');
    std::size_t end = text.size();
    while (end > dot + 1 && text[end - 1] == '0') --end;
    if (end == dot + 1) end = dot;
    return text.substr(0, end) + "pt";
}

std::string hexColour(Colour c) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", std::clamp(c.red, 0, 255),
                  std::clamp(c.green, 0, 255), std::clamp(c.blue, 0, 255));
    return buffer;
}

std::string escapeAttribute(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\'' || c == '"' || c == '<' || c == '>' || c == '&' || c == ';') continue;
        out += c;
    }
    return out;
}

std::string escapeText(const std::string& text) {
    std::string out;
    for (char32_t cp : numbers::decodeUtf8(text)) {
        switch (cp) {
            case U'<':
                out += "&lt;";
                break;
            case U'>':
                out += "&gt;";
                break;
            case U'&':
                out += "&amp;";
                break;
            case U'"':
                out += "&quot;";
                break;
            case U'\n':
            case U'\v':
            case U'\u2028':
                out += "<br>";
                break;
            case U'\t':
                out += "&#9;";
                break;
            case U'\r':
                break;
            default:
                numbers::appendUtf8(out, cp);
                break;
        }
    }
    return out;
}

// Fonts are named once, in the style sheet, as classes f0, f1...: a long name is not repeated in
// every paragraph and run.
std::string fontClass(const Document& document, int font) {
    const bool known = font >= 0 && static_cast<std::size_t>(font) < document.fonts.size();
    return "f" + std::to_string(known ? font : 0);
}

std::string spanStyle(const CharFormat& format) {
    std::string style = "font-size:" + points(format.pointSize) + ";color:" + hexColour(format.colour);
    style += format.bold ? ";font-weight:bold" : ";font-weight:normal";
    if (format.italic) style += ";font-style:italic";
    if (format.underline) style += ";text-decoration:underline";
    return style;
}

}  // namespace

std::string toHtml(const Document& document) {
    std::string out = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><style>\n";
    for (std::size_t i = 0; i < std::max<std::size_t>(document.fonts.size(), 1); ++i) {
        out += ".f" + std::to_string(i) + "{font-family:'" +
               escapeAttribute(document.fontName(static_cast<int>(i))) + "'}\n";
    }
    out += "</style></head><body style=\"white-space:pre-wrap\">\n";
    for (const Paragraph& paragraph : document.paragraphs) {
        out += "<p class=\"" + fontClass(document, paragraph.markFormat.font) +
               "\" style=\"margin-top:0;margin-bottom:0";
        out += ";margin-left:" + points(paragraph.leftIndentTwips / static_cast<double>(kTwipsPerPoint));
        out += ";margin-right:" + points(paragraph.rightIndentTwips / static_cast<double>(kTwipsPerPoint));
        if (paragraph.firstLineIndentTwips != 0) {
            out += ";text-indent:" +
                   points(paragraph.firstLineIndentTwips / static_cast<double>(kTwipsPerPoint));
        }
        switch (paragraph.alignment) {
            case Alignment::Left:
                break;
            case Alignment::Centre:
                out += ";text-align:center";
                break;
            case Alignment::Right:
                out += ";text-align:right";
                break;
            case Alignment::Justify:
                out += ";text-align:justify";
                break;
        }
        out += ";font-size:" + points(paragraph.markFormat.pointSize) + "\">";
        bool empty = true;
        for (const Run& run : paragraph.runs) {
            if (run.text.empty()) continue;
            empty = false;
            out += "<span class=\"" + fontClass(document, run.format.font) + "\" style=\"" +
                   spanStyle(run.format) + "\">";
            // Raised and lowered characters: <sup>/<sub> are what word processors understand.
            if (run.format.offsetTwips > 0) out += "<sup>";
            if (run.format.offsetTwips < 0) out += "<sub>";
            out += escapeText(run.text);
            if (run.format.offsetTwips > 0) out += "</sup>";
            if (run.format.offsetTwips < 0) out += "</sub>";
            out += "</span>";
        }
        if (empty) out += "<br>";
        out += "</p>\n";
    }
    out += "</body></html>\n";
    return out;
}

}  // namespace rtf
