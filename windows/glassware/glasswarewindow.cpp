#include "windows/glassware/glasswarewindow.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <utility>

#include "numbers/decimalreader.h"
#include "numbers/picture.h"
#include "platform/singlewindow.h"
#include "platform/utf8text.h"
#include "state/glasswarebench.h"
#include "state/glasswaretext.h"

namespace glasswarewindow {

using chemistry::GlasswareRole;

namespace {

QString numberText(double value) {
    return platform::fromUtf8(numbers::formatPicture(value, "0.0####"));
}

// The pieces a role may be measured with: a pipette also measures what a dilution takes.
bool servesRole(GlasswareRole own, GlasswareRole role) {
    return own == role || (own == GlasswareRole::BeakerVolume && role == GlasswareRole::DilutionPipette);
}

const chemistry::GlasswarePiece& pieceAt(int index) {
    return chemistry::glasswarePieces()[static_cast<std::size_t>(index)];
}

}  // namespace

GlasswareWindow::GlasswareWindow(const chemistry::Glassware& glassware, double titrantConcentration,
                                 ApplyGlassware apply, QWidget* parent)
    : QDialog(parent), m_apply(std::move(apply)), m_titrantConcentration(titrantConcentration) {
    setObjectName(QStringLiteral("verrerie"));
    setWindowTitle(QStringLiteral("Verrerie"));
    setAccessibleName(QStringLiteral("Verrerie"));
    auto* layout = new QVBoxLayout(this);

    m_exact = new QRadioButton(QStringLiteral("Titrage exact"), this);
    m_exact->setObjectName(QStringLiteral("titrageexact"));
    m_measured = new QRadioButton(QStringLiteral("Volumes mesurés avec la verrerie"), this);
    m_measured->setObjectName(QStringLiteral("verreriemesuree"));
    auto* choice = new QButtonGroup(this);
    choice->addButton(m_exact);
    choice->addButton(m_measured);
    layout->addWidget(m_exact);
    layout->addWidget(m_measured);

    auto* grid = new QGridLayout;
    layout->addLayout(grid);
    int line = 0;
    const auto addRow = [&](const QString& caption, InputRow& row) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(row.piece);
        grid->addWidget(label, line, 0);
        grid->addWidget(row.piece, line, 1);
        grid->addWidget(row.glassClass, line, 2);
        grid->addWidget(new QLabel(QStringLiteral("±"), this), line, 3);
        grid->addWidget(row.tolerance, line, 4);
        grid->addWidget(new QLabel(QStringLiteral("mL"), this), line, 5);
        m_measuredWidgets.insert(m_measuredWidgets.end(), {label, row.piece, row.glassClass, row.tolerance});
        ++line;
    };
    m_beaker = makeRow(GlasswareRole::BeakerVolume, "verrerie_v0", QStringLiteral("Prise d'essai V₀"));
    addRow(QStringLiteral("Prise d'essai V₀ :"), m_beaker);
    m_water = makeRow(GlasswareRole::WaterVolume, "verrerie_eau", QStringLiteral("Eau ajoutée"));
    addRow(QStringLiteral("Eau ajoutée :"), m_water);
    m_burette = makeRow(GlasswareRole::Burette, "verrerie_burette", QStringLiteral("Burette"));
    addRow(QStringLiteral("Burette :"), m_burette);

    auto* readingLabel = new QLabel(QStringLiteral("Lecture de la burette : ±"), this);
    m_reading = new QLineEdit(this);
    m_reading->setObjectName(QStringLiteral("verrerie_lecture"));
    m_reading->setAccessibleName(QStringLiteral("Lecture de la burette, demi-largeur en millilitres"));
    readingLabel->setBuddy(m_reading);
    grid->addWidget(readingLabel, line, 0, 1, 4, Qt::AlignRight);
    grid->addWidget(m_reading, line, 4);
    grid->addWidget(new QLabel(QStringLiteral("mL à chaque lecture"), this), line, 5);
    m_measuredWidgets.insert(m_measuredWidgets.end(), {readingLabel, m_reading});
    ++line;

    m_diluted = new QCheckBox(QStringLiteral("La solution titrée a été obtenue par dilution"), this);
    m_diluted->setObjectName(QStringLiteral("verrerie_dilution"));
    grid->addWidget(m_diluted, line++, 0, 1, 6);
    m_measuredWidgets.push_back(m_diluted);
    m_dilutionPipette = makeRow(GlasswareRole::DilutionPipette, "verrerie_pipette_dilution",
                                QStringLiteral("Pipette de la dilution"));
    addRow(QStringLiteral("Prélèvement :"), m_dilutionPipette);
    m_dilutionFlask = makeRow(GlasswareRole::DilutionFlask, "verrerie_fiole",
                              QStringLiteral("Fiole jaugée de la dilution"));
    addRow(QStringLiteral("Fiole jaugée :"), m_dilutionFlask);

    auto* titrantLabel = new QLabel(QStringLiteral("Concentration du titrant : ±"), this);
    m_titrant = new QLineEdit(this);
    m_titrant->setObjectName(QStringLiteral("verrerie_titrant"));
    m_titrant->setAccessibleName(QStringLiteral("Incertitude-type sur la concentration du titrant"));
    titrantLabel->setBuddy(m_titrant);
    grid->addWidget(titrantLabel, line, 0, 1, 4, Qt::AlignRight);
    grid->addWidget(m_titrant, line, 4);
    grid->addWidget(new QLabel(QStringLiteral("mol · L-1"), this), line, 5);
    m_measuredWidgets.insert(m_measuredWidgets.end(), {titrantLabel, m_titrant});
    ++line;

    auto* seedLabel = new QLabel(QStringLiteral("Tirage n° :"), this);
    m_seed = new QSpinBox(this);
    m_seed->setObjectName(QStringLiteral("verrerie_graine"));
    m_seed->setRange(1, 999999);
    m_seed->setAccessibleName(QStringLiteral("Numéro du tirage des erreurs"));
    seedLabel->setBuddy(m_seed);
    grid->addWidget(seedLabel, line, 0, 1, 4, Qt::AlignRight);
    grid->addWidget(m_seed, line, 4);
    m_measuredWidgets.insert(m_measuredWidgets.end(), {seedLabel, m_seed});

    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("verrerie_message"));
    m_message->setWordWrap(true);
    layout->addWidget(m_message);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* applyButton = buttons->addButton(QStringLiteral("Appliquer"), QDialogButtonBox::ApplyRole);
    applyButton->setObjectName(QStringLiteral("verrerie_appliquer"));
    QPushButton* closeButton = buttons->addButton(QStringLiteral("Fermer"), QDialogButtonBox::RejectRole);
    closeButton->setObjectName(QStringLiteral("verrerie_fermer"));
    layout->addWidget(buttons);
    connect(applyButton, &QPushButton::clicked, this, [this] { this->apply(); });
    connect(closeButton, &QPushButton::clicked, this, &QDialog::close);

    showGlassware(glassware);
    connect(m_measured, &QRadioButton::toggled, this, [this](bool measured) {
        // The usual glassware the first time the pupil leaves the exact titration.
        if (measured && m_beaker.piece->currentIndex() < 0) {
            chemistry::Glassware usual = state::usualGlassware(1, m_titrantConcentration);
            showGlassware(usual);
        }
        enableInputs();
    });
    connect(m_diluted, &QCheckBox::toggled, this, [this] { enableInputs(); });
    enableInputs();
}

GlasswareWindow::InputRow GlasswareWindow::makeRow(GlasswareRole role, const char* name,
                                                   const QString& spoken) {
    InputRow row{role, nullptr, nullptr, nullptr, {}};
    row.piece = new QComboBox(this);
    row.piece->setObjectName(QString::fromLatin1(name));
    row.piece->setAccessibleName(spoken);
    const auto pieces = chemistry::glasswarePieces();
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (!servesRole(pieces[i].role, role)) continue;
        row.piece->addItem(platform::fromUtf8(std::string(pieces[i].name)));
        row.pieces.push_back(static_cast<int>(i));
    }
    row.glassClass = new QComboBox(this);
    row.glassClass->setObjectName(QString::fromLatin1(name) + QStringLiteral("_classe"));
    row.glassClass->setAccessibleName(spoken + QStringLiteral(", classe"));
    row.glassClass->addItems({QStringLiteral("classe A"), QStringLiteral("classe B")});
    row.tolerance = new QLineEdit(this);
    row.tolerance->setObjectName(QString::fromLatin1(name) + QStringLiteral("_tolerance"));
    row.tolerance->setAccessibleName(spoken + QStringLiteral(", tolérance en millilitres"));
    row.tolerance->setMaximumWidth(70);
    // Choosing a piece or a class writes the manufacturer's tolerance; the pupil may change it.
    const auto writeTolerance = [this, role] {
        InputRow& r = role == GlasswareRole::BeakerVolume      ? m_beaker
                      : role == GlasswareRole::WaterVolume     ? m_water
                      : role == GlasswareRole::Burette         ? m_burette
                      : role == GlasswareRole::DilutionPipette ? m_dilutionPipette
                                                               : m_dilutionFlask;
        const int at = r.piece->currentIndex();
        if (at < 0 || at >= static_cast<int>(r.pieces.size())) return;
        const chemistry::GlasswarePiece& p = pieceAt(r.pieces[static_cast<std::size_t>(at)]);
        r.tolerance->setText(numberText(r.glassClass->currentIndex() == 0 ? p.toleranceA : p.toleranceB));
    };
    connect(row.piece, &QComboBox::activated, this, writeTolerance);
    connect(row.glassClass, &QComboBox::activated, this, writeTolerance);
    return row;
}

void GlasswareWindow::showInput(InputRow& row, const chemistry::MeasuredInput& input) {
    int at = -1;
    for (std::size_t i = 0; i < row.pieces.size(); ++i) {
        if (row.pieces[i] == input.piece) at = static_cast<int>(i);
    }
    row.piece->setCurrentIndex(at);
    // The class whose tolerance the value is; B when it is neither.
    if (at >= 0) {
        const chemistry::GlasswarePiece& p = pieceAt(input.piece);
        row.glassClass->setCurrentIndex(std::abs(input.halfWidth - p.toleranceA) < 1e-9 ? 0 : 1);
    }
    row.tolerance->setText(at >= 0 ? numberText(input.halfWidth) : QString());
}

void GlasswareWindow::showGlassware(const chemistry::Glassware& g) {
    (g.exact ? m_exact : m_measured)->setChecked(true);
    showInput(m_beaker, g.beaker);
    showInput(m_water, g.water);
    showInput(m_burette, g.burette);
    showInput(m_dilutionPipette, g.dilutionPipette);
    showInput(m_dilutionFlask, g.dilutionFlask);
    m_reading->setText(numberText(g.readingHalfWidth));
    m_diluted->setChecked(g.diluted);
    m_titrant->setText(numberText(g.titrantUncertainty));
    m_seed->setValue(static_cast<int>(std::max<std::uint32_t>(1, g.seed)));
}

void GlasswareWindow::enableInputs() {
    const bool measured = m_measured->isChecked();
    for (QWidget* w : m_measuredWidgets) w->setEnabled(measured);
    for (InputRow* row : {&m_dilutionPipette, &m_dilutionFlask}) {
        for (QWidget* w : {static_cast<QWidget*>(row->piece), static_cast<QWidget*>(row->glassClass),
                           static_cast<QWidget*>(row->tolerance)})
            w->setEnabled(measured && m_diluted->isChecked());
    }
}

bool GlasswareWindow::refuse(const QString& reason) {
    m_message->setText(reason);
    return false;
}

bool GlasswareWindow::readInput(const InputRow& row, chemistry::MeasuredInput& input, const QString& what) {
    const int at = row.piece->currentIndex();
    if (at < 0 || at >= static_cast<int>(row.pieces.size()))
        return refuse(QStringLiteral("Choisissez la verrerie : ") + what + QStringLiteral("."));
    const auto tolerance = numbers::readTypedNumber(row.tolerance->text().toStdString());
    if (!tolerance || !state::isUsableTolerance(*tolerance))
        return refuse(QStringLiteral("La tolérance doit être un nombre de 0 à 50 mL : ") + what +
                      QStringLiteral("."));
    input = {row.role, row.pieces[static_cast<std::size_t>(at)], *tolerance};
    return true;
}

bool GlasswareWindow::apply() {
    chemistry::Glassware g;
    g.exact = m_exact->isChecked();
    if (!g.exact) {
        if (!readInput(m_beaker, g.beaker, QStringLiteral("prise d'essai")) ||
            !readInput(m_water, g.water, QStringLiteral("eau ajoutée")) ||
            !readInput(m_burette, g.burette, QStringLiteral("burette")))
            return false;
        const auto reading = numbers::readTypedNumber(m_reading->text().toStdString());
        if (!reading || !state::isUsableTolerance(*reading))
            return refuse(QStringLiteral("La lecture de la burette doit être un nombre de 0 à 50 mL."));
        g.readingHalfWidth = *reading;
        g.diluted = m_diluted->isChecked();
        if (g.diluted && (!readInput(m_dilutionPipette, g.dilutionPipette, QStringLiteral("prélèvement")) ||
                          !readInput(m_dilutionFlask, g.dilutionFlask, QStringLiteral("fiole jaugée"))))
            return false;
        const auto titrant = numbers::readTypedNumber(m_titrant->text().toStdString());
        if (!titrant || !state::isUsableTitrantUncertainty(*titrant))
            return refuse(
                QStringLiteral("L'incertitude sur la concentration du titrant doit être un nombre "
                               "de 0 à 0,1 mol · L-1."));
        g.titrantUncertainty = *titrant;
        g.seed = static_cast<std::uint32_t>(m_seed->value());
    }
    m_message->setText(g.exact ? QStringLiteral("Titrage exact : chaque volume est celui qui est saisi.")
                               : QStringLiteral("Chaque titrage est réalisé avec cette verrerie."));
    if (m_apply) m_apply(g);
    return true;
}

GlasswareWindow* openGlasswareWindow(const chemistry::Glassware& glassware, double titrantConcentration,
                                     ApplyGlassware apply, QWidget* mainWindow) {
    return platform::showOnce<GlasswareWindow>(mainWindow, QStringLiteral("verrerie"), [&] {
        return new GlasswareWindow(glassware, titrantConcentration, std::move(apply), mainWindow);
    });
}

}  // namespace glasswarewindow
