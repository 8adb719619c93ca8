#include "workbench/redoxpanel.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QWidget>
#include <algorithm>

#include "chemistry/redox.h"
#include "platform/fonts.h"
#include "state/redoxbench.h"
#include "workbench/benchcontroller.h"

namespace workbench {

namespace {

constexpr int kListWidth = 220;

}  // namespace

PanelLayout layOutRedoxPanel(const PanelMetrics& metrics, const PanelControlSizes& sizes, bool masked,
                             const QString& equation) {
    PanelLayout layout;
    layout.redox = true;
    layout.concentrationVisible = !masked;
    layout.revealLabelVisible = masked;
    layout.dieButtonVisible = !masked;

    Flow flow(metrics, layout.texts);
    flow.y = 14;
    flow.bulletAt(kBulletX, QStringLiteral(" Espèce titrée (bécher) : "));
    flow.x = 170;
    layout.redoxBeakerList = flow.place(sizes.redoxBeakerList, 4);
    flow.newLine();
    flow.y += 12;
    flow.bulletAt(kBulletX, QStringLiteral(" Espèce titrante (burette) : "));
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
    for (const chemistry::RedoxSpecies& species : chemistry::redoxSpecies())
        m_beaker->addItem(
            QString::fromUtf8(species.name.data(), static_cast<qsizetype>(species.name.size())));
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

    connect(m_beaker, &QComboBox::activated, this,
            [this](int position) { m_bench.perform(state::chooseRedoxBeakerSpecies, position); });
    connect(m_titrant, &QComboBox::activated, this, [this](int position) {
        if (position >= 0 && position < static_cast<int>(m_titrants.size()))
            m_bench.perform(state::chooseRedoxTitrant, m_titrants[static_cast<std::size_t>(position)]);
    });
    connect(m_indicator, &QComboBox::activated, this,
            [this](int position) { m_bench.perform(state::chooseRedoxIndicator, position); });
    connect(m_reference, &QComboBox::activated, this,
            [this](int position) { m_bench.perform(state::chooseReferenceElectrode, position - 1); });
}

void RedoxLists::take(const state::BenchState& bench) {
    const chemistry::RedoxChoice& choice = bench.solution.redox;
    if (m_titrantsOf != choice.beakerSpecies) {
        const QSignalBlocker blocker(m_titrant);
        m_titrant->clear();
        m_titrants = chemistry::titrantsFor(choice.beakerSpecies);
        const auto species = chemistry::redoxSpecies();
        for (const int index : m_titrants) {
            const std::string_view name = species[static_cast<std::size_t>(index)].name;
            m_titrant->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
        }
        m_titrantsOf = choice.beakerSpecies;
    }
    const QSignalBlocker beaker(m_beaker);
    const QSignalBlocker titrant(m_titrant);
    const QSignalBlocker indicator(m_indicator);
    const QSignalBlocker reference(m_reference);
    m_beaker->setCurrentIndex(choice.beakerSpecies);
    const auto found = std::find(m_titrants.begin(), m_titrants.end(), choice.titrantSpecies);
    m_titrant->setCurrentIndex(found == m_titrants.end() ? -1 : static_cast<int>(found - m_titrants.begin()));
    m_indicator->setCurrentIndex(choice.indicator);
    m_reference->setCurrentIndex(choice.reference + 1);
    for (QComboBox* list : {m_beaker, m_titrant, m_indicator, m_reference})
        list->setEnabled(!bench.controls.fieldsLocked);
}

void RedoxLists::place(const PanelLayout& layout) {
    m_beaker->setGeometry(layout.redoxBeakerList);
    m_titrant->setGeometry(layout.titrantList);
    m_indicator->setGeometry(layout.redoxIndicatorList);
    m_reference->setGeometry(layout.referenceList);
    for (QComboBox* list : {m_beaker, m_titrant, m_indicator, m_reference}) list->setVisible(layout.redox);
}

void RedoxLists::setSizes(PanelControlSizes& sizes) const {
    const int height = m_beaker->sizeHint().height();
    sizes.redoxBeakerList = QSize(kListWidth, height);
    sizes.titrantList = QSize(kListWidth, height);
    sizes.redoxIndicatorList = QSize(150, height);
    sizes.referenceList = QSize(170, height);
}

}  // namespace workbench
