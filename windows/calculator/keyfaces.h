#pragma once
// Key faces that are pictures rather than captions, drawn with QPainter: a base with a raised
// exponent (e to the x, 10 to the x, x to the y, x squared) and the square root of x.
#include <QColor>
#include <QIcon>
#include <QSize>
#include <QString>

namespace calculatorwindow {

// The logical size of every pictured face; the pictures are drawn at twice that for sharp
// screens.
inline constexpr QSize kFaceSize{44, 26};

// `base` with `exponent` raised after it; single letters other than "e" are set in italics,
// as a variable is in a textbook.
QIcon exponentFace(const QString& base, const QString& exponent, const QColor& ink);

// A radical sign whose bar covers an italic x.
QIcon rootFace(const QColor& ink);

}  // namespace calculatorwindow
