#include "windows/uncertainty/resultswindow.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "numbers/picture.h"
#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/singlewindow.h"
#include "platform/utf8text.h"
#include "state/benchstate.h"
#include "windows/measurements/savedfile.h"
#include "workbench/benchcontroller.h"

namespace uncertaintywindows {

using platform::fromUtf8;

namespace {

QTableWidgetItem* cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

QString glasswareText(const chemistry::Glassware& glassware) {
    if (glassware.exact) {
        return QStringLiteral(
            "Titrage exact : chaque titrage redonne le même volume. Choisissez la verrerie "
            "(« Verrerie… ») pour que les titrages varient comme au laboratoire.");
    }
    return QStringLiteral("Volumes mesurés avec la verrerie (tirage n° %1).").arg(glassware.seed);
}

}  // namespace

QComboBox* methodList(const char* name, QWidget* parent) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    for (const uncertainty::EquivalenceMethod method : uncertainty::kEquivalenceMethods) {
        list->addItem(fromUtf8(std::string(uncertainty::methodName(method))));
    }
    platform::setAccessibleName(*list, QStringLiteral("Méthode de repérage de l'équivalence"));
    return list;
}

uncertainty::EquivalenceMethod chosenMethod(const QComboBox& list) {
    const int i =
        std::clamp(list.currentIndex(), 0, static_cast<int>(uncertainty::kEquivalenceMethods.size()) - 1);
    return uncertainty::kEquivalenceMethods[static_cast<std::size_t>(i)];
}

ResultsWindow::ResultsWindow(workbench::BenchController& bench, platform::MessageBoxes& messageBoxes,
                             platform::SaveLocations& saveLocations, QWidget* mainWindow)
    : QDialog(mainWindow),
      m_bench(bench),
      m_messageBoxes(messageBoxes),
      m_saveLocations(saveLocations),
      m_mainWindow(mainWindow) {
    setObjectName(QStringLiteral("resultats"));
    setWindowTitle(QStringLiteral("Résultats"));
    setAccessibleName(QStringLiteral("Résultats des titrages"));
    setModal(false);
    setFont(platform::pixelFont(QStringLiteral("Arial"), 9));

    auto* layout = new QVBoxLayout(this);
    auto* methodRow = new QHBoxLayout;
    auto* methodLabel = new QLabel(QStringLiteral("Équivalence repérée par :"), this);
    m_method = methodList("methoderesultats", this);
    methodLabel->setBuddy(m_method);
    methodRow->addWidget(methodLabel);
    methodRow->addWidget(m_method, 1);
    layout->addLayout(methodRow);
    m_glassware = new QLabel(this);
    m_glassware->setObjectName(QStringLiteral("verrerieresultats"));
    m_glassware->setWordWrap(true);
    layout->addWidget(m_glassware);

    m_table = new QTableWidget(0, 3, this);
    m_table->setObjectName(QStringLiteral("tableauresultats"));
    m_table->setAccessibleName(QStringLiteral("Résultats des situations titrées"));
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Situation"), QStringLiteral("V_E (mL)"), QStringLiteral("c (mol · L-1)")});
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(m_table, 1);

    m_volumes = new QLabel(this);
    m_volumes->setObjectName(QStringLiteral("statistiquesvolume"));
    m_volumes->setWordWrap(true);
    m_volumes->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_volumes);
    m_concentration = new QLabel(this);
    m_concentration->setObjectName(QStringLiteral("concentrationresultats"));
    m_concentration->setWordWrap(true);
    m_concentration->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_concentration);

    auto* buttons = new QHBoxLayout;
    auto* exportButton = new QPushButton(QStringLiteral("Exporter…"), this);
    exportButton->setObjectName(QStringLiteral("exporterresultats"));
    exportButton->setAutoDefault(false);
    platform::setAccessibleDescription(*exportButton,
                                       QStringLiteral("Enregistre le tableau et ses statistiques en CSV"));
    auto* close = new QPushButton(QStringLiteral("Fermer"), this);
    close->setObjectName(QStringLiteral("fermerresultats"));
    close->setAutoDefault(false);
    buttons->addStretch(1);
    buttons->addWidget(exportButton);
    buttons->addWidget(close);
    layout->addLayout(buttons);

    connect(exportButton, &QPushButton::clicked, this, &ResultsWindow::exportResults);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_method, &QComboBox::currentIndexChanged, this, &ResultsWindow::refresh);
    // A situation finishes, or its set-up or the glassware changes, through any action.
    connect(&m_bench, &workbench::BenchController::changed, this, [this](state::Changes) { refresh(); });
    resize(460, 420);
    refresh();
}

void ResultsWindow::refresh() {
    m_results = uncertainty::repeatedResults(m_bench.state(), chosenMethod(*m_method));
    const std::string warning = uncertainty::setUpWarning(m_results);
    m_glassware->setText(glasswareText(m_bench.state().glassware) +
                         (warning.empty() ? QString() : QStringLiteral("\n") + fromUtf8(warning)));
    m_table->setRowCount(static_cast<int>(m_results.rows.size()));
    int row = 0;
    for (const uncertainty::TitrationResult& r : m_results.rows) {
        m_table->setItem(row, 0, cell(QString::number(r.slot + 1)));
        m_table->setItem(row, 1, cell(fromUtf8(numbers::formatPicture(r.volumeRead, "#0.000"))));
        m_table->setItem(
            row, 2,
            cell(r.concentration ? fromUtf8(numbers::formatPicture(*r.concentration, "0.0000E+00"))
                                 : QStringLiteral("masquée")));
        ++row;
    }
    QString volumes = fromUtf8(uncertainty::volumeLine(m_results));
    if (m_results.unread > 0) {
        volumes +=
            QStringLiteral(" %1 situation(s) terminée(s) sans équivalence repérable par cette méthode.")
                .arg(m_results.unread);
    }
    m_volumes->setText(volumes);
    m_concentration->setText(fromUtf8(uncertainty::concentrationLine(m_results)));
}

void ResultsWindow::exportResults() {
    measurementwindows::ContentMaker content = [tables = uncertainty::resultsTables(m_results)] {
        const std::string text = measurements::writeCsv(tables, measurements::CsvConvention::French);
        return std::optional<QByteArray>(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    };
    measurementwindows::openFileSave(QStringLiteral("Exporter les résultats"), QStringLiteral(".csv"),
                                     QStringLiteral("resultats"), std::move(content), m_messageBoxes,
                                     m_saveLocations, m_mainWindow);
}

ResultsWindow* openResultsWindow(workbench::BenchController& bench, platform::MessageBoxes& messageBoxes,
                                 platform::SaveLocations& saveLocations, QWidget* mainWindow) {
    return platform::showOnce<ResultsWindow>(mainWindow, QStringLiteral("resultats"), [&] {
        return new ResultsWindow(bench, messageBoxes, saveLocations, mainWindow);
    });
}

}  // namespace uncertaintywindows
