#pragma once
// The font a surface or a page writes with, set piece by piece as the drawing code goes: a blank
// name or a size that is not a plausible number of points keeps the previous one.
#include <QString>
#include <cmath>

namespace platform {

struct FontSettings {
    QString name = QStringLiteral("Arial");
    double points = 8.0;
    bool bold = false;
    bool italic = false;
    bool underline = false;

    // False, with nothing changed, when the value is refused.
    bool setName(const QString& newName) {
        if (newName.trimmed().isEmpty()) return false;
        name = newName;
        return true;
    }
    bool setPoints(double newPoints) {
        if (!std::isfinite(newPoints) || newPoints <= 0.0 || newPoints > 1638.0) return false;
        points = newPoints;
        return true;
    }
};

}  // namespace platform
