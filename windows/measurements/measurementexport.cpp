#include "windows/measurements/measurementexport.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "windows/measurements/savedfile.h"

namespace measurementwindows {

MeasurementExportDialog::MeasurementExportDialog(measurements::CsvTable table,
                                                 std::vector<measurements::CurvePoint> curve,
                                                 platform::MessageBoxes& messageBoxes,
                                                 platform::SaveLocations& saveLocations, QWidget* mainWindow)
    : QDialog(mainWindow),
      m_table(std::move(table)),
      m_curve(std::move(curve)),
      m_messageBoxes(messageBoxes),
      m_saveLocations(saveLocations),
      m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("exporter"));
    setWindowTitle(QStringLiteral("Exporter les mesures"));

    auto* conventions = new QGroupBox(QStringLiteral("Format du fichier CSV"), this);
    m_french = new QRadioButton(QStringLiteral("Français : « ; » entre les colonnes, virgule décimale"),
                                conventions);
    m_french->setObjectName(QStringLiteral("francais"));
    m_french->setToolTip(QStringLiteral("Pour un tableur réglé en français"));
    m_french->setChecked(true);
    auto* international = new QRadioButton(
        QStringLiteral("International : « , » entre les colonnes, point décimal"), conventions);
    international->setObjectName(QStringLiteral("international"));
    international->setToolTip(QStringLiteral("Pour Python, Regressi ou un tableur réglé en anglais"));
    auto* conventionLayout = new QVBoxLayout(conventions);
    conventionLayout->addWidget(m_french);
    conventionLayout->addWidget(international);

    m_withCurve = new QCheckBox(QStringLiteral("Ajouter les points de la courbe théorique"), this);
    m_withCurve->setObjectName(QStringLiteral("courbetheorique"));
    m_withCurve->setEnabled(!m_curve.empty());

    QHBoxLayout* buttons = okCancelButtons(*this, [this] { chooseFile(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(conventions);
    layout->addWidget(m_withCurve);
    layout->addLayout(buttons);
}

measurements::CsvConvention MeasurementExportDialog::convention() const {
    return m_french->isChecked() ? measurements::CsvConvention::French
                                 : measurements::CsvConvention::International;
}

bool MeasurementExportDialog::withCurve() const {
    return m_withCurve->isEnabled() && m_withCurve->isChecked();
}

void MeasurementExportDialog::chooseFile() {
    std::vector<measurements::CurvePoint> curve =
        withCurve() ? m_curve : std::vector<measurements::CurvePoint>{};
    ContentMaker content = [table = m_table, curve = std::move(curve),
                            convention = convention()]() -> std::optional<QByteArray> {
        const std::string text = measurements::writeCsv(table, curve, convention);
        return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    };
    accept();
    openFileSave(QStringLiteral("Exporter les mesures"), QStringLiteral(".csv"), QStringLiteral("mesures"),
                 std::move(content), m_messageBoxes, m_saveLocations, m_mainWindow);
}

MeasurementExportDialog* openMeasurementExport(measurements::CsvTable table,
                                               std::vector<measurements::CurvePoint> curve,
                                               platform::MessageBoxes& messageBoxes,
                                               platform::SaveLocations& saveLocations, QWidget* mainWindow) {
    auto* dialog = new MeasurementExportDialog(std::move(table), std::move(curve), messageBoxes,
                                               saveLocations, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace measurementwindows
