#include "windows/measurements/measurementexport.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/utf8text.h"
#include "windows/measurements/savedfile.h"

namespace measurementwindows {

namespace {

using platform::fromUtf8;

// "1 point", "34 points".
QString counted(std::size_t count, const QString& one, const QString& many) {
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

QCheckBox* part(const QString& objectName, const QString& text, bool available, bool ticked,
                QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(objectName);
    box->setEnabled(available);
    box->setChecked(available && ticked);
    return box;
}

}  // namespace

MeasurementExportDialog::MeasurementExportDialog(state::ExportSources sources,
                                                 platform::MessageBoxes& messageBoxes,
                                                 platform::SaveLocations& saveLocations, QWidget* mainWindow)
    : QDialog(mainWindow),
      m_sources(std::move(sources)),
      m_messageBoxes(messageBoxes),
      m_saveLocations(saveLocations),
      m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("exporter"));
    const state::ExportChoice first = state::defaultChoice(m_sources);

    auto* parts = new QGroupBox(QStringLiteral("Ce que contient le fichier"), this);
    const std::size_t measured = m_sources.measured.rows.size();
    const bool sigma = m_sources.measured.headers.size() > 2;
    m_measured =
        part(QStringLiteral("mesureslabo"),
             QStringLiteral("Les mesures du laboratoire (%1 : V, pH%2)")
                 .arg(measured == 0 ? QStringLiteral("aucune")
                                    : counted(measured, QStringLiteral("point"), QStringLiteral("points")))
                 .arg(sigma ? QStringLiteral(", σ") : QString()),
             measured > 0, first.measured, parts);
    m_table = part(
        QStringLiteral("tableau"),
        QStringLiteral("Le tableau de valeurs simulé (%1)")
            .arg(counted(m_sources.table.rows.size(), QStringLiteral("ligne"), QStringLiteral("lignes"))),
        !m_sources.table.rows.empty(), first.table, parts);
    m_curve = part(
        QStringLiteral("courbetheorique"),
        m_sources.curve.empty()
            ? QStringLiteral("Les points de la courbe théorique (tracée quand la burette est vide)")
            : QStringLiteral("Les points de la courbe théorique (%1)")
                  .arg(counted(m_sources.curve.size(), QStringLiteral("point"), QStringLiteral("points"))),
        !m_sources.curve.empty(), first.curve, parts);
    auto* partLayout = new QVBoxLayout(parts);
    for (QCheckBox* box : {m_measured, m_table, m_curve}) {
        partLayout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, &MeasurementExportDialog::followChoice);
    }

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

    QHBoxLayout* buttons = okCancelButtons(*this, [this] { chooseFile(); });
    m_ok = findChild<QPushButton*>(QStringLiteral("ok"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(parts);
    layout->addWidget(conventions);
    layout->addLayout(buttons);
    followChoice();
}

measurements::CsvConvention MeasurementExportDialog::convention() const {
    return m_french->isChecked() ? measurements::CsvConvention::French
                                 : measurements::CsvConvention::International;
}

state::ExportChoice MeasurementExportDialog::choice() const {
    const auto ticked = [](const QCheckBox* box) { return box->isEnabled() && box->isChecked(); };
    return {ticked(m_measured), ticked(m_table), ticked(m_curve)};
}

void MeasurementExportDialog::followChoice() {
    const state::ExportChoice chosen = choice();
    setWindowTitle(fromUtf8(state::exportNames(chosen).title));
    if (m_ok) m_ok->setEnabled(chosen.any());
}

void MeasurementExportDialog::chooseFile() {
    const state::ExportChoice chosen = choice();
    if (!chosen.any()) return;
    ContentMaker content = [blocks = state::exportedBlocks(m_sources, chosen),
                            convention = convention()]() -> std::optional<QByteArray> {
        const std::string text = measurements::writeCsv(blocks, convention);
        return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
    };
    const state::ExportNames names = state::exportNames(chosen);
    accept();
    openFileSave(fromUtf8(names.title), QStringLiteral(".csv"), fromUtf8(names.fileName), std::move(content),
                 m_messageBoxes, m_saveLocations, m_mainWindow);
}

MeasurementExportDialog* openMeasurementExport(state::ExportSources sources,
                                               platform::MessageBoxes& messageBoxes,
                                               platform::SaveLocations& saveLocations, QWidget* mainWindow) {
    auto* dialog = new MeasurementExportDialog(std::move(sources), messageBoxes, saveLocations, mainWindow);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

}  // namespace measurementwindows
