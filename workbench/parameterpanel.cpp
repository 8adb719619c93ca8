#include "workbench/parameterpanel.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>
#include <cmath>

#include "chemistry/chemistry.h"
#include "platform/drawnicon.h"
#include "platform/fonts.h"
#include "state/panelactions.h"
#include "state/precipitationbench.h"
#include "state/redoxbench.h"
#include "workbench/benchcontroller.h"
#include "workbench/entryfield.h"
#include "workbench/panelflow.h"
#include "workbench/redoxpanel.h"

namespace workbench {

namespace {

// A die showing five, for the random concentration, sharp at any zoom.
void drawDie(QPainter& painter) {
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(QColor(255, 255, 255));
    painter.drawRoundedRect(QRectF(0.5, 0.5, 11, 11), 2, 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(160, 0, 0));
    for (const QPointF centre :
         {QPointF(3.5, 3.5), QPointF(8.5, 3.5), QPointF(6, 6), QPointF(3.5, 8.5), QPointF(8.5, 8.5)}) {
        painter.drawEllipse(centre, 1.3, 1.3);
    }
}

QString hintOf(state::Field field) {
    switch (field) {
        case state::Field::BeakerConcentration:
            return QStringLiteral("Concentration de la solution introduite dans le bécher");
        case state::Field::BeakerVolume:
            return QStringLiteral("Volume de la solution introduite dans le bécher");
        case state::Field::WaterVolume:
            return QStringLiteral("Volume d'eau distillée ajoutée");
        case state::Field::SulfuricAcid:
            return QStringLiteral("Concentration de l'acide sulfurique dans le bécher, avant de verser");
        case state::Field::Chromate:
            return QStringLiteral("Concentration du chromate de potassium dans le bécher, avant de verser");
        default:
            return {};
    }
}

}  // namespace

QString panelBullet() {
    return QString(QChar(0xB7));
}

void layOutConcentrationAndVolumes(Flow& flow, const PanelControlSizes& sizes, PanelLayout& layout,
                                   int firstGap, int gap) {
    flow.y += firstGap;
    flow.bulletAt(kBulletX, QStringLiteral(" Concentration en soluté apporté : "));
    flow.symbolEquals(QStringLiteral("c"), QStringLiteral("2"));
    layout.concentration = flow.field(sizes.concentration);
    flow.unitPerLitre();
    // The die goes after the unit, centred on the field.
    layout.dieButton = QRect(
        QPoint(pixel(flow.x) + kDieGap,
               layout.concentration.top() + (sizes.concentration.height() - sizes.dieButton.height()) / 2),
        sizes.dieButton);
    flow.newLine();

    const auto volumeLine = [&flow, gap](const QString& caption, const QString& subscript,
                                         const QSize& field) {
        flow.y += gap;
        flow.bulletAt(kBulletX, caption);
        flow.symbolEquals(QStringLiteral("V"), subscript);
        const QRect placed = flow.field(field);
        flow.print(QStringLiteral(" mL"));
        flow.newLine();
        return placed;
    };
    layout.beakerVolume = volumeLine(QStringLiteral(" Volume de solution introduite : "), QStringLiteral("2"),
                                     sizes.beakerVolume);
    layout.waterVolume = volumeLine(QStringLiteral(" Volume d'eau distillée ajoutée : "), QStringLiteral("3"),
                                    sizes.waterVolume);
}

PanelLayout layOutParameterPanel(const PanelMetrics& metrics, const PanelControlSizes& sizes,
                                 bool otherSolute, bool masked, bool freeDiprotic, bool secondSolute) {
    PanelLayout layout;
    layout.otherPKaVisible = otherSolute;
    layout.secondPKaVisible = otherSolute && freeDiprotic;
    layout.secondConcentrationVisible = secondSolute && !masked;
    layout.concentrationVisible = !masked;
    layout.revealLabelVisible = masked;
    layout.dieButtonVisible = !masked;

    Flow flow(metrics, layout.texts);
    flow.y = 18;
    flow.bulletAt(kBulletX, QStringLiteral(" Nature de la solution :       "));
    layout.acidOption = flow.place(sizes.acidOption, 1);
    layout.baseOption =
        QRect(QPoint(layout.acidOption.left() + sizes.acidOption.width(), layout.acidOption.top()),
              sizes.baseOption);
    flow.newLine();
    flow.newLine();

    flow.x = 81;
    flow.print(QStringLiteral("Soluté : "));
    layout.soluteList = flow.place(sizes.soluteList, 4);
    // The free solute's pKa follow the list that chooses it, on its row.
    flow.x += sizes.soluteList.width() + kFieldGap;
    if (otherSolute) flow.print(freeDiprotic ? QStringLiteral("pKa₁ = ") : QStringLiteral("pKa = "));
    layout.otherPKa = flow.field(sizes.otherPKa);
    flow.x += kFieldGap;
    if (otherSolute && freeDiprotic) flow.print(QStringLiteral("pKa₂ = "));
    layout.secondPKa = flow.field(sizes.secondPKa);
    flow.newLine();

    // The second solute's concentration c₂' and its unit follow its list; hidden with c₂, it
    // leaves nothing behind. The rows below stay where they are whatever this row holds.
    flow.x = 81;
    flow.y += 18;
    flow.print(QStringLiteral("Deuxième soluté : "));
    layout.secondList = flow.place(sizes.secondList, 4);
    flow.x += sizes.secondList.width() + kFieldGap;
    const double secondRow = flow.y;
    if (layout.secondConcentrationVisible) {
        flow.symbolEquals(QStringLiteral("c"), QStringLiteral("2'"));
        layout.secondConcentration = flow.field(sizes.secondConcentration);
        flow.unitPerLitre();
    } else {
        layout.secondConcentration = flow.field(sizes.secondConcentration);
    }
    flow.y = secondRow;
    flow.setFont(kLabelFont);
    flow.newLine();

    layOutConcentrationAndVolumes(flow, sizes, layout, kSectionGap, kSectionGap);
    layout.revealLabel = QRect(layout.concentration.topLeft(), sizes.revealLabel);

    flow.y += kSectionGap;
    flow.bulletAt(kBulletX, QStringLiteral(" Indicateur coloré : "));
    layout.indicatorList = flow.place(sizes.indicatorList, 4);
    return layout;
}

void paintParameterPanel(platform::Surface& surface, const PanelLayout& layout) {
    surface.clear();
    surface.setForeColour(platform::kBlack);
    surface.setFontBold(false);
    surface.setFontUnderline(false);
    for (const PanelText& text : layout.texts) {
        surface.setFontName(text.font.family);
        surface.setFontSize(text.font.points);
        surface.setFontItalic(text.font.italic);
        surface.moveTo(text.x, text.y);
        surface.print(text.text);
    }
}

void SurfaceMetrics::use(const PanelFont& font) const {
    m_surface.setFontName(font.family);
    m_surface.setFontSize(font.points);
    m_surface.setFontItalic(font.italic);
}

double SurfaceMetrics::textWidth(const PanelFont& font, const QString& text) const {
    use(font);
    return m_surface.textWidth(text);
}

double SurfaceMetrics::lineHeight(const PanelFont& font) const {
    use(font);
    return m_surface.textHeight();
}

// --- The panel ----------------------------------------------------------------------------------

ParameterPanel::ParameterPanel(BenchController& bench, QWidget* parent)
    : platform::SurfaceView(473, 270, parent), m_bench(bench) {
    setObjectName(QStringLiteral("Frame2"));
    surface().setBackColour(kBackColour);
    connect(this, &platform::SurfaceView::devicePixelRatioChanged, this, &ParameterPanel::paintPanel);
    const QFont controlFont = platform::pixelFont(QStringLiteral("Arial"), 8);

    // The option buttons fill their background with the button role.
    QPalette back = palette();
    back.setColor(QPalette::Window, platform::toQColor(kBackColour));
    back.setColor(QPalette::Button, platform::toQColor(kBackColour));
    const std::array<QString, 2> natures = {QStringLiteral("Solution acide"),
                                            QStringLiteral("Solution basique")};
    // The two natures are one group: the window's situation buttons are not their fellows.
    auto* natureGroup = new QButtonGroup(this);
    for (int i = 0; i < 2; ++i) {
        auto* option = new QRadioButton(natures[static_cast<std::size_t>(i)], this);
        natureGroup->addButton(option, i);
        option->setObjectName(QStringLiteral("Option1(%1)").arg(i));
        option->setFont(controlFont);
        option->setAutoFillBackground(true);
        option->setPalette(back);
        // Only a change of nature restarts: choosing the nature already shown does nothing.
        connect(option, &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked) m_bench.perform(state::chooseNature, i == 0);
        });
        m_natureButtons[static_cast<std::size_t>(i)] = option;
    }

    m_soluteList = new QComboBox(this);
    m_soluteList->setObjectName(QStringLiteral("lbecher"));
    m_soluteList->setFont(controlFont);
    m_soluteList->setMaxVisibleItems(15);
    connect(m_soluteList, &QComboBox::activated, this,
            [this](int position) { m_bench.perform(state::chooseSolute, position); });

    m_indicatorList = new QComboBox(this);
    m_indicatorList->setObjectName(QStringLiteral("lindic"));
    m_indicatorList->setFont(controlFont);
    m_indicatorList->setMaxVisibleItems(chemistry::IndicatorTable::kCount);
    for (int i = 0; i < chemistry::IndicatorTable::kCount; ++i) {
        m_indicatorList->addItem(QString::fromStdString(chemistry::IndicatorTable::at(i).label));
    }
    connect(m_indicatorList, &QComboBox::activated, this,
            [this](int position) { m_bench.perform(state::chooseIndicator, position); });

    m_secondList = new QComboBox(this);
    m_secondList->setObjectName(QStringLiteral("lbecher2"));
    m_secondList->setFont(controlFont);
    m_secondList->setMaxVisibleItems(15);
    connect(m_secondList, &QComboBox::activated, this, [this](int position) {
        const int index = position > 0 && position <= static_cast<int>(m_secondIndices.size())
                              ? m_secondIndices[static_cast<std::size_t>(position - 1)]
                              : -1;
        m_bench.perform(state::chooseSecondSolute, index);
    });

    // Narrow enough for both pKa of the free two-pKa solute beside the solute list.
    addField(state::Field::OtherPKa, 34);
    addField(state::Field::SecondPKa, 34);
    addField(state::Field::SecondConcentration, 50);
    addField(state::Field::BeakerConcentration, 84);
    addField(state::Field::BeakerVolume, 52);
    addField(state::Field::WaterVolume, 52);
    addField(state::Field::SulfuricAcid, 50);
    addField(state::Field::Chromate, 50);
    m_redox = new RedoxLists(m_bench, this);

    m_revealLabel = new QLabel(QStringLiteral("Afficher la\nconcentration"), this);
    m_revealLabel->setObjectName(QStringLiteral("Label1"));
    m_revealLabel->setFont(controlFont);
    m_revealLabel->setCursor(Qt::PointingHandCursor);
    m_revealLabel->setPalette(QPalette(QColor(0, 0, 200), platform::toQColor(kBackColour)));
    m_revealLabel->adjustSize();
    // Reached with Tab and pressed with Enter or Space, as a button.
    m_revealLabel->setFocusPolicy(Qt::TabFocus);
    m_revealLabel->installEventFilter(this);

    m_dieButton = new QToolButton(this);
    m_dieButton->setObjectName(QStringLiteral("Command5"));
    m_dieButton->setFixedSize(16, 16);
    // Taking the focus on a click validates the field being typed in before the die is thrown.
    m_dieButton->setFocusPolicy(Qt::StrongFocus);
    m_dieButton->setIcon(platform::drawnIcon(12, drawDie));
    m_dieButton->setIconSize(QSize(12, 12));
    m_dieButton->setMouseTracking(true);
    m_dieButton->installEventFilter(this);
    connect(m_dieButton, &QToolButton::clicked, this,
            [this] { m_bench.perform(state::drawRandomConcentration); });

    connect(&m_bench, &BenchController::changed, this, &ParameterPanel::follow);
    takeControls();
}

void ParameterPanel::follow(state::Changes changes) {
    if (changes.has(state::Changed::Controls)) {
        takeControls();
    } else if (changes.has(state::Changed::Readings)) {
        takeReadings();
    }
}

EntryField* ParameterPanel::addField(state::Field which, int width) {
    auto* field = new EntryField(which, this);
    field->setFont(platform::pixelFont(QStringLiteral("Arial"), 8));
    field->resize(width, 20);
    field->connectTo(m_bench, [this](const QString& text) { emit hint(text); });
    connect(field, &EntryField::mouseMoved, this, [this](state::Field moved) {
        // The pKa field has no hint: the line keeps what it showed.
        const QString text = hintOf(moved);
        if (!text.isEmpty()) emit hint(text);
    });
    m_fields.push_back(field);
    return field;
}

void ParameterPanel::fillSoluteList() {
    const bool acid = m_bench.state().solution.beakerIsAcid;
    const int nature = acid ? 1 : 0;
    if (nature == m_listNature && m_soluteList->count() == chemistry::SpeciesCatalogue::count(acid)) return;
    const QSignalBlocker blocker(m_soluteList);
    m_soluteList->clear();
    for (int i = 0; i < chemistry::SpeciesCatalogue::count(acid); ++i) {
        m_soluteList->addItem(QString::fromStdString(state::catalogue().speciesName(acid, i)));
    }
    fillSecondList();
    m_listNature = nature;
}

void ParameterPanel::fillSecondList() {
    const bool acid = m_bench.state().solution.beakerIsAcid;
    const QSignalBlocker blocker(m_secondList);
    m_secondList->clear();
    m_secondIndices.clear();
    m_secondList->addItem(QStringLiteral("aucun"));
    for (int i = 0; i < chemistry::SpeciesCatalogue::count(acid); ++i) {
        if (chemistry::SpeciesCatalogue::isFree(acid, i)) continue;
        m_secondIndices.push_back(i);
        m_secondList->addItem(QString::fromStdString(state::catalogue().speciesName(acid, i)));
    }
}

void ParameterPanel::takeReadings() {
    for (EntryField* field : m_fields) field->showFrom(m_bench);
}

void ParameterPanel::takeControls() {
    {
        const bool acid = m_bench.state().solution.beakerIsAcid;
        const QSignalBlocker first(m_natureButtons[0]);
        const QSignalBlocker second(m_natureButtons[1]);
        m_natureButtons[acid ? 0 : 1]->setChecked(true);
    }
    fillSoluteList();
    {
        const QSignalBlocker blocker(m_soluteList);
        m_soluteList->setCurrentIndex(m_bench.state().solution.speciesIndex);
    }
    {
        const QSignalBlocker blocker(m_secondList);
        const auto found = std::find(m_secondIndices.begin(), m_secondIndices.end(),
                                     m_bench.state().solution.secondSpeciesIndex);
        m_secondList->setCurrentIndex(
            found == m_secondIndices.end() ? 0 : static_cast<int>(found - m_secondIndices.begin()) + 1);
    }
    {
        const QSignalBlocker blocker(m_indicatorList);
        m_indicatorList->setCurrentIndex(m_bench.state().solution.indicatorIndex);
    }
    m_redox->take(m_bench.state());
    takeReadings();
    for (EntryField* field : m_fields) field->setReadOnly(m_bench.state().controls.fieldsLocked);
    // Every state change passes here; the picture only depends on a few of them.
    if (m_paintedFrom != paintInputs()) paintPanel();
}

PanelControlSizes ParameterPanel::controlSizes() const {
    PanelControlSizes sizes;
    sizes.acidOption = m_natureButtons[0]->sizeHint();
    sizes.baseOption = m_natureButtons[1]->sizeHint();
    sizes.soluteList = QSize(190, m_soluteList->sizeHint().height());
    sizes.secondList = QSize(150, m_secondList->sizeHint().height());
    sizes.indicatorList = QSize(230, m_indicatorList->sizeHint().height());
    for (const EntryField* field : m_fields) {
        switch (field->field()) {
            case state::Field::OtherPKa:
                sizes.otherPKa = field->size();
                break;
            case state::Field::SecondPKa:
                sizes.secondPKa = field->size();
                break;
            case state::Field::SecondConcentration:
                sizes.secondConcentration = field->size();
                break;
            case state::Field::BeakerConcentration:
                sizes.concentration = field->size();
                break;
            case state::Field::BeakerVolume:
                sizes.beakerVolume = field->size();
                break;
            case state::Field::WaterVolume:
                sizes.waterVolume = field->size();
                break;
            case state::Field::SulfuricAcid:
                sizes.sulfuricAcid = field->size();
                break;
            case state::Field::Chromate:
                sizes.chromate = field->size();
                break;
            default:
                break;
        }
    }
    sizes.revealLabel = m_revealLabel->sizeHint();
    sizes.dieButton = m_dieButton->size();
    m_redox->setSizes(sizes);
    return sizes;
}

ParameterPanel::PaintedFrom ParameterPanel::paintInputs() const {
    const chemistry::SolutionSpec& solution = m_bench.state().solution;
    return {controlSizes(),
            chemistry::SpeciesCatalogue::isFree(solution.beakerIsAcid, solution.speciesIndex),
            m_bench.state().switches.concentrationMasked,
            chemistry::SpeciesCatalogue::isFreeDiprotic(solution.beakerIsAcid, solution.speciesIndex),
            solution.kind == chemistry::TitrationKind::Precipitation ? solution.precipitation.secondSalt >= 0
                                                                     : solution.secondSpeciesIndex >= 0,
            solution.kind == chemistry::TitrationKind::Redox,
            solution.kind == chemistry::TitrationKind::Precipitation,
            QString::fromStdString(solution.kind == chemistry::TitrationKind::Precipitation
                                       ? state::precipitationEquationOf(solution)
                                       : state::redoxEquationOf(solution))};
}

void ParameterPanel::paintPanel() {
    const PaintedFrom inputs = paintInputs();
    m_layout = inputs.precipitation ? layOutPrecipitationPanel(m_metrics, inputs.sizes, inputs.masked,
                                                               inputs.equation, inputs.secondSolute)
               : inputs.redox ? layOutRedoxPanel(m_metrics, inputs.sizes, inputs.masked, inputs.equation)
                              : layOutParameterPanel(m_metrics, inputs.sizes, inputs.otherSolute,
                                                     inputs.masked, inputs.freeDiprotic, inputs.secondSolute);
    paintParameterPanel(surface(), m_layout);
    // Labels on a plain colour: kept as runs until drawn again.
    surface().compact();
    m_paintedFrom = inputs;

    m_natureButtons[0]->setGeometry(m_layout.acidOption);
    m_natureButtons[1]->setGeometry(m_layout.baseOption);
    m_soluteList->setGeometry(m_layout.soluteList);
    m_secondList->setGeometry(m_layout.secondList);
    m_indicatorList->setGeometry(m_layout.indicatorList);
    // The acid-base controls give way to the lists of an oxidation-reduction titration.
    const bool acidBase = !m_layout.redox;
    for (QWidget* control : std::initializer_list<QWidget*>{m_natureButtons[0], m_natureButtons[1],
                                                            m_soluteList, m_secondList, m_indicatorList})
        control->setVisible(acidBase);
    m_redox->place(m_layout);
    m_revealLabel->setGeometry(m_layout.revealLabel);
    m_dieButton->setGeometry(m_layout.dieButton);
    // A field the layout does not place keeps its size, which the next layout reads.
    const auto place = [](QWidget* control, const QRect& where) {
        if (!where.isEmpty()) control->setGeometry(where);
    };
    for (EntryField* field : m_fields) {
        switch (field->field()) {
            case state::Field::OtherPKa:
                place(field, m_layout.otherPKa);
                field->setVisible(acidBase && m_layout.otherPKaVisible);
                break;
            case state::Field::SecondPKa:
                place(field, m_layout.secondPKa);
                field->setVisible(acidBase && m_layout.secondPKaVisible);
                break;
            case state::Field::SecondConcentration:
                place(field, m_layout.secondConcentration);
                field->setVisible((acidBase || m_layout.precipitation) &&
                                  m_layout.secondConcentrationVisible);
                break;
            case state::Field::SulfuricAcid:
                place(field, m_layout.sulfuricAcid);
                field->setVisible(m_layout.redox && !m_layout.precipitation);
                break;
            case state::Field::Chromate:
                place(field, m_layout.chromate);
                field->setVisible(m_layout.precipitation);
                break;
            case state::Field::BeakerConcentration:
                place(field, m_layout.concentration);
                field->setVisible(m_layout.concentrationVisible);
                break;
            case state::Field::BeakerVolume:
                place(field, m_layout.beakerVolume);
                break;
            case state::Field::WaterVolume:
                place(field, m_layout.waterVolume);
                break;
            default:
                break;
        }
    }
    m_revealLabel->setVisible(m_layout.revealLabelVisible);
    m_dieButton->setVisible(m_layout.dieButtonVisible);
}

void ParameterPanel::resizeEvent(QResizeEvent* event) {
    platform::SurfaceView::resizeEvent(event);
    paintPanel();
}

EntryField* ParameterPanel::field(state::Field which) const {
    for (EntryField* field : m_fields) {
        if (field->field() == which) return field;
    }
    return nullptr;
}

std::vector<QWidget*> ParameterPanel::tabOrder() const {
    return {m_redox->beakerList(),
            m_redox->titrantList(),
            m_natureButtons[0],
            m_natureButtons[1],
            m_soluteList,
            field(state::Field::OtherPKa),
            field(state::Field::SecondPKa),
            m_secondList,
            field(state::Field::SecondConcentration),
            field(state::Field::BeakerConcentration),
            m_revealLabel,
            m_dieButton,
            field(state::Field::BeakerVolume),
            field(state::Field::WaterVolume),
            m_indicatorList,
            m_redox->secondSaltList(),
            field(state::Field::SulfuricAcid),
            field(state::Field::Chromate),
            m_redox->indicatorList(),
            m_redox->referenceList()};
}

bool ParameterPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_revealLabel && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool press =
            key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (!press) return platform::SurfaceView::eventFilter(watched, event);
        if (!key->isAutoRepeat()) {
            // The label goes: the focus goes to the concentration it reveals, not past it.
            m_revealLabel->clearFocus();
            m_bench.perform(state::revealConcentration);
            EntryField* concentration = field(state::Field::BeakerConcentration);
            if (concentration && concentration->isVisible()) concentration->setFocus(Qt::TabFocusReason);
        }
        return true;
    }
    if (watched == m_revealLabel && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            m_revealLabel->rect().contains(mouse->position().toPoint())) {
            m_bench.perform(state::revealConcentration);
        }
        return true;
    }
    if (watched == m_dieButton && (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter)) {
        emit hint(
            m_bench.state().switches.concentrationMasked
                ? QStringLiteral("Afficher la concentration en soluté apporté")
                : QStringLiteral("Ce bouton permet d'obtenir une concentration aléatoire en soluté apporté"));
    }
    return platform::SurfaceView::eventFilter(watched, event);
}

}  // namespace workbench
