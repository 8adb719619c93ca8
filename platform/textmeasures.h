#pragma once
// How wide and how tall a text is in a pixel font: one rule for the screen's pixels and for the
// drawings kept as vectors, so that both lay a picture out alike.
#include <QFont>
#include <QFontMetrics>
#include <QString>
#include <algorithm>

#include "platform/textlines.h"

namespace platform {

// The widest line, in pixels.
inline double textWidthIn(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& line : splitTextLines(text))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

// The line height times the number of lines (one for an empty text), in pixels.
inline double textHeightIn(const QFont& font, const QString& text) {
    const QFontMetrics metrics(font);
    return static_cast<double>(metrics.height()) * static_cast<double>(splitTextLines(text).size());
}

}  // namespace platform
