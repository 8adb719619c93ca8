#include "workbench/measurementrows.h"

#include "numbers/picture.h"

namespace workbench {

namespace {

QString text(const std::string& s) {
    return QString::fromStdString(s);
}

}  // namespace

MeasurementRows::MeasurementRows(QObject* parent) : QObject(parent) {}

QStringList MeasurementRows::rowTexts(const chemistry::TitrationPoint& point, int columns) {
    // Volume and pH are single-precision quantities; the concentrations are computed from them.
    QStringList cells{text(numbers::formatSingle(static_cast<float>(point.volume), "#0.0#")),
                      text(numbers::formatSingle(static_cast<float>(point.pH), "#0.00")),
                      text(numbers::formatPicture(point.hydronium, "0.00E+00")),
                      text(numbers::formatPicture(point.hydroxide, "0.00E+00"))};
    if (columns > kNarrowColumns) {
        cells << text(numbers::formatPicture(point.acidForm, "0.00E+00"))
              << text(numbers::formatPicture(point.basicForm, "0.00E+00"));
    }
    return cells;
}

QStringList MeasurementRows::texts(int index) const {
    if (index < 0 || index >= count()) return {};
    return rowTexts(m_points[static_cast<std::size_t>(index)], m_columns);
}

QString MeasurementRows::contentsText() const {
    QStringList lines{QString(m_columns - 1, QLatin1Char('\t'))};
    for (int i = 0; i < count(); ++i) lines << texts(i).join(QLatin1Char('\t'));
    return lines.join(QLatin1Char('\n'));
}

void MeasurementRows::reset(int columns) {
    m_columns = columns == kNarrowColumns ? kNarrowColumns : kWideColumns;
    m_points.clear();
    emit wasReset();
}

void MeasurementRows::clear() {
    m_points.clear();
    emit cleared();
}

void MeasurementRows::append(const chemistry::TitrationPoint& point) {
    m_points.push_back(point);
    emit appended(count() - 1);
}

}  // namespace workbench
