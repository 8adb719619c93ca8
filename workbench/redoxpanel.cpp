#include "workbench/redoxpanel.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QWidget>
#include <algorithm>

#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "platform/fonts.h"
#include "state/precipitationbench.h"
#include "state/redoxbench.h"
#include "workbench/benchcontroller.h"

namespace workbench {

namespace {

constexpr int kListWidth = 220;

QString textOf(std::string_view name) {
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

// The beaker's and the burette's lists, the equation under them, then the concentration and the
// volumes as the acid-base page has them: the top of both pages.
void layOutReagents(Flow& flow, const PanelControlSizes& sizes, PanelLayout& layout, const QString& beaker,
                    const QString& titrant, const QString& equation) {
    flow.y = 14;
    flow.bulletAt(kBulletX, beaker);
    flow.x = 170;
    layout.redoxBeakerList = flow.place(sizes.redoxBeakerList, 4);
    flow.newLine();
    flow.y += 12;
    flow.bulletAt(kBulletX, titrant);
    flow.x = 170;
    layout.titrantList = flow.place(sizes.titrantList, 4);
    flow.newLine();
    flow.y += 10;
    flow.x = 30;
    flow.setFont(kUnitFont);
    flow.print(equation);
    flow.setFont(kLabelFont);
    flow.newLine();

    layOutConcentrationAndVolumes(flow, sizes, layout, kSectionGap - 10, kSectionGap - 4);
    layout.revealLabel = QRect(layout.concentration.topLeft(), sizes.revealLabel);
}

}  // namespace

PanelLayout layOutRedoxPanel(const PanelMetrics& metrics, const PanelControlSizes& sizes, bool masked,
                             const QString& equation) {
    PanelLayout layout;
    layout.redox = true;
    layout.concentrationVisible = !masked;
    layout.revealLabelVisible = masked;
    layout.dieButtonVisible = !masked;

    Flow flow(metrics, layout.texts);
    layOutReagents(flow, sizes, layout, QStringLiteral(" Espèce titrée (bécher) : "),
                   QStringLiteral(" Espèce titrante (burette) : "), equation);

    flow.y += kSectionGap - 4;
    flow.bulletAt(kBulletX, QStringLiteral(" Acide sulfurique dans le bécher : "));
    flow.print(QStringLiteral("c(H₂SO₄) = "));
    layout.sulfuricAcid = flow.field(sizes.sulfuricAcid);
    flow.unitPerLitre();
    flow.newLine();

    flow.y += kSectionGap - 4;
    flow.bulletAt(kBulletX, QStringLiteral(" Indicateur : "));
    layout.redoxIndicatorList = flow.place(sizes.redoxIndicatorList, 4);
    flow.x += sizes.redoxIndicatorList.width() + 3 * kFieldGap;
    flow.print(QStringLiteral("Suivi : "));
    layout.referenceList = flow.place(sizes.referenceList, 4);
    return layout;
}

PanelLayout layOutPrecipitationPanel(const PanelMetrics& metrics, const PanelControlSizes& sizes, bool masked,
                                     const QString& equation, bool secondSalt) {
    PanelLayout layout;
    layout.redox = true;
    layout.precipitation = true;
    layout.concentrationVisible = !masked;
    layout.revealLabelVisible = masked;
    layout.dieButtonVisible = !masked;
    layout.secondConcentrationVisible = secondSalt;

    Flow flow(metrics, layout.texts);
    layOutReagents(flow, sizes, layout, QStringLiteral(" Sel titré (bécher) : "),
                   QStringLiteral(" Réactif titrant (burette) : "), equation);
    // Three sections below the volumes, closer than the redox page's two, within the page.

    flow.y += kSectionGap - 10;
    flow.bulletAt(kBulletX, QStringLiteral(" Second sel : "));
    layout.secondSaltList = flow.place(sizes.secondSaltList, 4);
    if (secondSalt) {
        flow.x += sizes.secondSaltList.width() + 3 * kFieldGap;
        flow.symbolEquals(QStringLiteral("c"), QStringLiteral("2'"));
        layout.secondConcentration = flow.field(sizes.secondConcentration);
        flow.unitPerLitre();
    }
    flow.newLine();

    flow.y += kSectionGap - 10;
    flow.bulletAt(kBulletX, QStringLiteral(" Indicateur de Mohr : "));
    flow.print(QStringLiteral("c(K₂CrO₄) = "));
    layout.chromate = flow.field(sizes.chromate);
    flow.unitPerLitre();
    flow.newLine();

    flow.y += kSectionGap - 10;
    flow.bulletAt(kBulletX, QStringLiteral(" Suivi (électrode d'argent) : "));
    layout.referenceList = flow.place(sizes.referenceList, 4);
    return layout;
}

RedoxLists::RedoxLists(BenchController& bench, QWidget* panel) : QObject(panel), m_bench(bench) {
    const QFont font = platform::pixelFont(QStringLiteral("Arial"), 8);
    const auto makeList = [&](const char* name) {
        auto* list = new QComboBox(panel);
        list->setObjectName(QString::fromLatin1(name));
        list->setFont(font);
        list->setMaxVisibleItems(15);
        list->hide();
        return list;
    };
    m_beaker = makeList("loxred");
    m_titrant = makeList("ltitrant");
    m_indicator = makeList("lindicredox");
    m_reference = makeList("lreference");
    m_secondSalt = makeList("lsel2");
    fillBeakerList(false);
    for (const chemistry::RedoxIndicator& indicator : chemistry::redoxIndicators())
        m_indicator->addItem(
            QString::fromUtf8(indicator.name.data(), static_cast<qsizetype>(indicator.name.size())));
    // The colour alone first, then each reference electrode: the entry's position less one is the
    // reference's index.
    m_reference->addItem(QStringLiteral("la couleur seule"));
    for (const chemistry::ReferenceElectrode& electrode : chemistry::referenceElectrodes())
        m_reference->addItem(
            QStringLiteral("E avec une ") +
            QString::fromUtf8(electrode.name.data(), static_cast<qsizetype>(electrode.name.size())));

    connect(m_beaker, &QComboBox::activated, this, [this](int position) {
        if (m_precipitation) {
            m_bench.perform(state::choosePrecipitationSalt, position);
        } else {
            m_bench.perform(state::chooseRedoxBeakerSpecies, position);
        }
    });
    connect(m_titrant, &QComboBox::activated, this, [this](int position) {
        if (position < 0 || position >= static_cast<int>(m_titrants.size())) return;
        const int chosen = m_titrants[static_cast<std::size_t>(position)];
        if (m_precipitation) {
            m_bench.perform(state::choosePrecipitationTitrant, chosen);
        } else {
            m_bench.perform(state::chooseRedoxTitrant, chosen);
        }
    });
    connect(m_secondSalt, &QComboBox::activated, this, [this](int position) {
        const int entry = position - 1;
        if (entry < -1 || entry >= static_cast<int>(m_secondSalts.size())) return;
        m_bench.perform(state::chooseSecondPrecipitationSalt,
                        entry < 0 ? -1 : m_secondSalts[static_cast<std::size_t>(entry)]);
    });
    connect(m_indicator, &QComboBox::activated, this,
            [this](int position) { m_bench.perform(state::chooseRedoxIndicator, position); });
    connect(m_reference, &QComboBox::activated, this, [this](int position) {
        if (m_precipitation) {
            m_bench.perform(state::choosePrecipitationReference, position - 1);
        } else {
            m_bench.perform(state::chooseReferenceElectrode, position - 1);
        }
    });
}

void RedoxLists::fillBeakerList(bool precipitation) {
    const QSignalBlocker blocker(m_beaker);
    m_beaker->clear();
    if (precipitation) {
        for (const chemistry::PrecipitationSalt& salt : chemistry::precipitationSalts())
            m_beaker->addItem(textOf(salt.name));
    } else {
        for (const chemistry::RedoxSpecies& species : chemistry::redoxSpecies())
            m_beaker->addItem(textOf(species.name));
    }
    m_precipitation = precipitation;
    m_titrantsOf = -1;
    m_secondSaltsOf = -1;
}

void RedoxLists::fillTitrants(const state::BenchState& bench) {
    const int beaker =
        m_precipitation ? bench.solution.precipitation.salt : bench.solution.redox.beakerSpecies;
    if (m_titrantsOf == beaker) return;
    const QSignalBlocker blocker(m_titrant);
    m_titrant->clear();
    m_titrants.clear();
    if (m_precipitation) {
        const auto titrants = chemistry::precipitationTitrants();
        for (int index = 0; index < static_cast<int>(titrants.size()); ++index) {
            if (!chemistry::precipitationHappens(beaker, index)) continue;
            m_titrants.push_back(index);
            m_titrant->addItem(textOf(titrants[static_cast<std::size_t>(index)].name));
        }
    } else {
        m_titrants = chemistry::titrantsFor(beaker);
        const auto species = chemistry::redoxSpecies();
        for (const int index : m_titrants)
            m_titrant->addItem(textOf(species[static_cast<std::size_t>(index)].name));
    }
    m_titrantsOf = beaker;
}

void RedoxLists::take(const state::BenchState& bench) {
    const bool precipitation = bench.solution.kind == chemistry::TitrationKind::Precipitation;
    if (precipitation != m_precipitation) fillBeakerList(precipitation);
    fillTitrants(bench);
    const chemistry::PrecipitationChoice& salts = bench.solution.precipitation;
    if (m_secondSaltsOf != salts.salt) {
        const QSignalBlocker blocker(m_secondSalt);
        m_secondSalt->clear();
        m_secondSalt->addItem(QStringLiteral("aucun"));
        m_secondSalts.clear();
        const auto all = chemistry::precipitationSalts();
        for (int index = 0; index < static_cast<int>(all.size()); ++index) {
            if (!chemistry::secondSaltAllowed(salts.salt, index)) continue;
            m_secondSalts.push_back(index);
            m_secondSalt->addItem(textOf(all[static_cast<std::size_t>(index)].name));
        }
        m_secondSaltsOf = salts.salt;
    }
    const chemistry::RedoxChoice& choice = bench.solution.redox;
    const QSignalBlocker beaker(m_beaker);
    const QSignalBlocker titrant(m_titrant);
    const QSignalBlocker indicator(m_indicator);
    const QSignalBlocker reference(m_reference);
    const QSignalBlocker second(m_secondSalt);
    m_beaker->setCurrentIndex(precipitation ? salts.salt : choice.beakerSpecies);
    const int titrantChosen = precipitation ? salts.titrant : choice.titrantSpecies;
    const auto found = std::find(m_titrants.begin(), m_titrants.end(), titrantChosen);
    m_titrant->setCurrentIndex(found == m_titrants.end() ? -1 : static_cast<int>(found - m_titrants.begin()));
    m_indicator->setCurrentIndex(choice.indicator);
    m_reference->setCurrentIndex((precipitation ? salts.reference : choice.reference) + 1);
    const auto secondFound = std::find(m_secondSalts.begin(), m_secondSalts.end(), salts.secondSalt);
    m_secondSalt->setCurrentIndex(
        secondFound == m_secondSalts.end() ? 0 : 1 + static_cast<int>(secondFound - m_secondSalts.begin()));
    for (QComboBox* list : {m_beaker, m_titrant, m_indicator, m_reference, m_secondSalt})
        list->setEnabled(!bench.controls.fieldsLocked);
}

void RedoxLists::place(const PanelLayout& layout) {
    m_beaker->setGeometry(layout.redoxBeakerList);
    m_titrant->setGeometry(layout.titrantList);
    m_indicator->setGeometry(layout.redoxIndicatorList);
    m_reference->setGeometry(layout.referenceList);
    m_secondSalt->setGeometry(layout.secondSaltList);
    for (QComboBox* list : {m_beaker, m_titrant, m_reference}) list->setVisible(layout.redox);
    m_indicator->setVisible(layout.redox && !layout.precipitation);
    m_secondSalt->setVisible(layout.precipitation);
}

void RedoxLists::setSizes(PanelControlSizes& sizes) const {
    const int height = m_beaker->sizeHint().height();
    sizes.redoxBeakerList = QSize(kListWidth, height);
    sizes.titrantList = QSize(kListWidth, height);
    sizes.redoxIndicatorList = QSize(150, height);
    sizes.referenceList = QSize(170, height);
    sizes.secondSaltList = QSize(180, height);
}

}  // namespace workbench
