#pragma once
// How tall a text box would lay a document out, known before the box is handed it: Qt's layout of
// a text box never ends for a document taller than 2^23 pixels.
#include <QTextDocument>

namespace platform {

// Whether the document, in lines `width` pixels wide and with its default text option, is at most
// `limit` pixels tall. A generous estimate from the widest character and the tallest line of each
// paragraph settles most documents; the others are laid out, no further than the limit.
bool fitsHeight(QTextDocument& document, qreal width, qreal limit);

}  // namespace platform
