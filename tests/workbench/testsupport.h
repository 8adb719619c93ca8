#pragma once
// What the GUI tests share: one offscreen application and readable test names.
#include <QApplication>
#include <QString>
#include <ostream>
#include <string>

#include "platform/surface.h"

// Test failures print texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace testsupport {

// The application, created once on the offscreen platform with the program's fonts.
QApplication& application();

// The dark pixels of a picture: text and black strokes.
bool isDark(const platform::Colour& colour);
int darkPixels(const platform::Surface& surface, const QRect& area);

// A test name from a case's description: its letters and digits, words run together.
std::string caseName(const char* description);

}  // namespace testsupport
