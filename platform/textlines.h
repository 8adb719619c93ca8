#pragma once
// The lines of a text printed at a pen, on a surface or on paper: CRLF, CR and LF each end a line.
#include <QString>
#include <QStringList>

namespace platform {

inline QStringList splitTextLines(const QString& text) {
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalised.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return normalised.split(QLatin1Char('\n'));
}

}  // namespace platform
