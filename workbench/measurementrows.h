#pragma once
// The recorded measurements of the current titration, one row each: what the table shows, what
// its copies take and what printing prints. The table widget is a view of it.
#include <QObject>
#include <QString>
#include <QStringList>
#include <vector>

#include "chemistry/titration.h"

namespace workbench {

class MeasurementRows : public QObject {
    Q_OBJECT

  public:
    // A strong acid or base has no conjugate pair to show: 4 columns instead of 6.
    static constexpr int kNarrowColumns = 4;
    static constexpr int kWideColumns = 6;

    explicit MeasurementRows(QObject* parent = nullptr);

    // 4 or 6.
    int columns() const { return m_columns; }
    int count() const { return static_cast<int>(m_points.size()); }
    const std::vector<chemistry::TitrationPoint>& points() const { return m_points; }
    // The texts of row `index` (0 is the first measurement).
    QStringList texts(int index) const;
    // The whole table as text: the header row of empty cells, then one line per row, cells
    // separated by tabs and rows by line feeds.
    QString contentsText() const;

    // The texts of one row: V, pH, [H3O+], [HO-], and with more than 4 columns the acid and basic
    // forms of the beaker's pair.
    static QStringList rowTexts(const chemistry::TitrationPoint& point, int columns);

    // The table restarts with its header only, with 4 or 6 columns.
    void reset(int columns);
    // A row at 0 mL starts the rows again: the header alone is kept.
    void clear();
    void append(const chemistry::TitrationPoint& point);

  signals:
    void wasReset();
    void cleared();
    void appended(int index);

  private:
    int m_columns = kWideColumns;
    std::vector<chemistry::TitrationPoint> m_points;
};

}  // namespace workbench
