#include "workbench/benchaccessibility.h"

#include <QAbstractButton>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QVariant>
#include <QWidget>
#include <array>
#include <string>
#include <utility>

#include "platform/accessibility.h"
#include "platform/colour.h"
#include "state/drawingpalette.h"
#include "state/panelactions.h"
#include "state/spokentexts.h"
#include "workbench/benchcontroller.h"
#include "workbench/hintline.h"
#include "workbench/tabstrip.h"

namespace workbench {

namespace {

// The controls whose caption is missing (pictures, fields) or says too little.
constexpr platform::AccessibleText kControlTexts[] = {
    {"Text1(0)", "Concentration en soluté apporté c₂, en mol par litre",
     "Concentration de la solution introduite dans le bécher, de 10 puissance moins 8 à 0,1. Valider avec "
     "Entrée."},
    {"Text1(1)", "Concentration en soluté apporté c₁ de la burette, en mol par litre",
     "Concentration de la solution introduite dans la burette, de 10 puissance moins 8 à 0,1. Valider avec "
     "Entrée."},
    {"Text1(2)", "pKa du soluté", "De 0 à 14. Valider avec Entrée."},
    {"Text1(3)", "Second pKa du soluté", "De 0 à 14. Valider avec Entrée."},
    {"Text1(4)", "Volume de solution introduite V₂, en millilitres",
     "Volume de la solution introduite dans le bécher ; avec l'eau, de 20 à 200 mL. Valider avec Entrée."},
    {"Text1(5)", "Volume de solution versée V₁, en millilitres",
     "Volume de solution versée, de 0 à 25 mL (vous pouvez également utiliser le robinet). Valider avec "
     "Entrée."},
    {"Text1(6)", "Volume d'eau distillée ajoutée V₃, en millilitres",
     "Avec la solution, de 20 à 200 mL. Valider avec Entrée."},
    {"Text1(7)", "Concentration en soluté apporté c₂' du second soluté, en mol par litre",
     "De 10 puissance moins 8 à 0,1. Valider avec Entrée."},
    {"lbecher", "Soluté", "Soluté de la solution introduite dans le bécher"},
    {"lbecher2", "Deuxième soluté", "Un second soluté de même nature dans le bécher, ou aucun"},
    {"lindic", "Indicateur coloré", "Indicateur ajouté au bécher, avec sa zone de virage"},
    {"typetitrage", "Type de titrage", "Titrage acido-basique, d'oxydoréduction ou par précipitation"},
    {"loxred", "Espèce titrée",
     "Réducteur ou oxydant placé dans le bécher, ou le sel titré d'un titrage par précipitation"},
    {"ltitrant", "Espèce titrante",
     "Oxydant ou réducteur placé dans la burette, qui réagit avec l'espèce titrée"},
    {"lindicredox", "Indicateur", "Indicateur d'oxydoréduction ajouté au bécher, ou aucun"},
    {"lreference", "Suivi du titrage",
     "La couleur seule, ou le potentiel d'une électrode de platine mesuré par rapport à une électrode de "
     "référence"},
    {"Text1(8)", "Concentration de l'acide sulfurique dans le bécher, en mol par litre",
     "De 0 à 5. Valider avec Entrée."},
    {"lsel2", "Second sel", "Un second halogénure dans le bécher, titré lui aussi, ou aucun"},
    {"Text1(9)", "Concentration du chromate de potassium dans le bécher, en mol par litre",
     "De 0 à 0,1 ; 0 : sans indicateur de Mohr. Valider avec Entrée."},
    {"Command5", "Concentration aléatoire",
     "Ce bouton permet d'obtenir une concentration aléatoire en soluté apporté, qui reste cachée"},
    {"Label1", "Afficher la concentration", "Montre la concentration cachée du bécher"},
    {"Image3", "Robinet de la burette",
     "Maintenir la barre d'espace enfoncée pour verser ; Entrée verse 0,1 mL"},
    {"Image1", "Ajouter une goutte", "Verse une goutte de 0,05 mL dans le bécher"},
    {"Command6", "Vider la burette", "Ouvre le robinet jusqu'à ce que la burette soit vide, ou le referme"},
    {"Command13", "Trace rapide", "Verse les 25 mL d'un coup et trace la courbe"},
    {"Command14", "Remettre le volume versé à 0", "Recommence le titrage à 0 mL"},
    {"picburette", "Illustration du titrage"},
    {"Picture1", "Graphe du titrage"},
    {"MSFlexGrid1", "Tableau de valeurs",
     "Une ligne par mesure ; la première ligne donne les titres des colonnes. Flèches pour aller de cellule "
     "en cellule."},
    {"Command12", "Effacer", "Remet le volume versé à 0 et efface les mesures"},
    {"Command9", "Restaurer", "Revient à la courbe du pH"},
    {"Command3", "Diagramme de distribution", "Pourcentages des formes acide et basique"},
    {"Image4", "Méthode des tangentes", "Trace les tangentes et place le point d'équivalence E"},
    {"Image5", "Courbe dérivée", "Trace la dérivée du pH par rapport au volume versé"},
    {"UpDown1", "Volume versé entre deux mesures", "Flèches haut et bas : de 0,1 à 1 mL par pas de 0,1 mL"},
    {"Histo", "Historique des situations terminées"},
    {"supertext", "Zone de texte", "Texte d'accueil, ou énoncé de l'exercice où écrire les réponses"},
    {"fich", "Fichier du texte affiché"},
};

// A picture that acts as a button (the tap, the drop) is read, and pressed, as a button: pressing
// it is Enter on it, one click.
class PictureButtonInterface : public QAccessibleWidget {
  public:
    explicit PictureButtonInterface(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Button) {}

    QStringList actionNames() const override { return QAccessibleWidget::actionNames() << pressAction(); }
    void doAction(const QString& name) override {
        if (name != pressAction()) {
            QAccessibleWidget::doAction(name);
            return;
        }
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QCoreApplication::sendEvent(widget(), &enter);
    }
};

QAccessibleInterface* pictureButtonInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("workbench::PictureButton") && object && object->isWidgetType())
        return new PictureButtonInterface(static_cast<QWidget*>(object));
    return nullptr;
}

}  // namespace

BenchAccessibility::BenchAccessibility(BenchController& bench, QWidget& window,
                                       platform::Announcer* announcer)
    : QObject(&window),
      m_bench(bench),
      m_window(window),
      m_region(new QLabel(&window)),
      m_statusAnnouncer(m_region),
      m_announcer(announcer ? *announcer : m_statusAnnouncer) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(pictureButtonInterface);
        return true;
    }();
    (void)factoryInstalled;
    platform::nameListsAfterWhatTheyChoose(&window);
    // Shown, so that the bus exposes it, but one pixel small and empty on screen.
    m_region->setObjectName(QStringLiteral("annonces"));
    m_region->setGeometry(0, 0, 1, 1);
    m_region->setAccessibleDescription(QStringLiteral("Annonces du titrage"));
    m_tabs = window.findChild<TabStrip*>(QStringLiteral("Onglets"));
    if (m_tabs) connect(m_tabs, &TabStrip::currentTabChanged, this, [this] { nameControls(); });
    if (auto* line = window.findChild<HintLine*>(QStringLiteral("info")))
        connect(line, &HintLine::copyConfirmed, this, &BenchAccessibility::announce);
    connect(&m_bench, &BenchController::changed, this, &BenchAccessibility::follow);
    connect(&m_bench, &BenchController::hint, this, &BenchAccessibility::announce);
    connect(&m_bench, &BenchController::valueCorrected, this,
            [this](const QString& text) { announce(QStringLiteral("Valeur corrigée : ") + text); });
    const state::BenchState& s = m_bench.state();
    m_rowsSeen = s.rows.count();
    m_toolbarSeen = s.controls.toolbarVisible;
    m_situationSeen = s.situations.current;
    nameControls();
    m_window.installEventFilter(this);
    followTheme();
}

bool BenchAccessibility::eventFilter(QObject* watched, QEvent* event) {
    // The window hears of a new theme as a change of its palette; its own change is not one.
    const bool paletteChange =
        event->type() == QEvent::ApplicationPaletteChange || event->type() == QEvent::PaletteChange;
    if (watched == &m_window && paletteChange && !m_followingTheme) followTheme();
    return QObject::eventFilter(watched, event);
}

void BenchAccessibility::followTheme() {
    const QPalette theme = QApplication::palette();
    const platform::Colour window = platform::colourOf(theme.color(QPalette::Window));
    const platform::Colour text = platform::colourOf(theme.color(QPalette::WindowText));
    const bool dark = state::relativeLuminance(window) < state::relativeLuminance(text);
    // Black on white, or nearly: a high-contrast theme rather than an ordinary light one.
    const bool stark = state::contrastRatio(window, text) >= 19.5;
    m_bench.perform(state::setThemeHighContrast, dark || stark);
    // The window's backgrounds and panels keep their usual light colours: what is written on
    // them stays dark. Buttons and the windows opened from here follow the theme.
    QPalette palette;
    if (dark) {
        palette = theme;
        palette.setColor(QPalette::WindowText, Qt::black);
        palette.setColor(QPalette::Text, Qt::black);
        palette.setColor(QPalette::Base, Qt::white);
    }
    m_followingTheme = true;
    m_window.setPalette(palette);
    m_followingTheme = false;
}

void BenchAccessibility::nameControls() {
    platform::nameControls(m_window, kControlTexts);
    // The hint a control shows on the hint line describes it, unless the table says more.
    for (QWidget* widget : m_window.findChildren<QWidget*>()) {
        if (widget->window() != &m_window) continue;
        const QVariant hint = widget->property("hint");
        if (hint.isValid() && widget->accessibleDescription().isEmpty())
            platform::setAccessibleDescription(*widget, hint.toString());
    }
    nameSituations();
    nameTabs();
    nameMeters();
    describePictures();
}

void BenchAccessibility::announce(const QString& text) {
    m_announcer.announce(text);
}

void BenchAccessibility::follow(state::Changes changes) {
    const state::BenchState& s = m_bench.state();
    // While the tap runs the pictures are described again at each recorded row, not each tick.
    if (!s.burette.pouring || changes.has(state::Changed::Rows)) describePictures();
    nameMeters();
    if (changes.has(state::Changed::Controls) || changes.has(state::Changed::History) ||
        changes.has(state::Changed::Readings))
        nameSituations();
    announceProgress();
}

void BenchAccessibility::describePictures() {
    const state::BenchState& s = m_bench.state();
    // The graph is built with its page: looked for until it is there.
    if (!m_illustration) m_illustration = m_window.findChild<QWidget*>(QStringLiteral("picburette"));
    if (!m_graph) m_graph = m_window.findChild<QWidget*>(QStringLiteral("Picture1"));
    if (m_illustration)
        platform::setAccessibleDescription(*m_illustration,
                                           QString::fromStdString(state::illustrationDescription(s)));
    if (m_graph)
        platform::setAccessibleDescription(*m_graph, QString::fromStdString(state::graphDescription(s)));
}

void BenchAccessibility::nameMeters() {
    // A display's name is what it shows, after the meter's name.
    const state::BenchState& s = m_bench.state();
    const std::array<std::pair<const char*, std::string>, 3> meters = {
        {{"LabelpH", "pH-mètre : " + s.readings.pH},
         {"Labelsigma", "Conductimètre : " + s.readings.conductivity},
         {"LabelE", "Millivoltmètre : " + s.readings.potential}}};
    for (std::size_t i = 0; i < meters.size(); ++i) {
        QPointer<QLabel>& display = m_meters[i];
        if (!display) display = m_window.findChild<QLabel*>(QString::fromLatin1(meters[i].first));
        if (display) platform::setAccessibleName(*display, QString::fromStdString(meters[i].second));
    }
}

void BenchAccessibility::nameSituations() {
    for (int slot = 0; slot < state::kSituationCount; ++slot) {
        auto& button = m_situations[static_cast<std::size_t>(slot)];
        if (!button) button = m_window.findChild<QAbstractButton*>(QStringLiteral("Option2(%1)").arg(slot));
        if (button)
            platform::setAccessibleName(
                *button, QString::fromStdString(state::situationButtonName(m_bench.state(), slot)));
    }
}

void BenchAccessibility::nameTabs() {
    if (!m_tabs) return;
    const auto& titles = TabStrip::tabTitles();
    const int current = m_tabs->currentTab();
    platform::setAccessibleName(*m_tabs, QStringLiteral("Onglet %1, %2 sur %3")
                                             .arg(titles[static_cast<std::size_t>(current - 1)])
                                             .arg(current)
                                             .arg(kTabCount));
    platform::setAccessibleDescription(
        *m_tabs, QStringLiteral("Flèches gauche et droite pour changer d'onglet : ") + titles[0] +
                     QStringLiteral(", ") + titles[1] + QStringLiteral(", ") + titles[2] +
                     QStringLiteral(", ") + titles[3] + QStringLiteral(", ") + titles[4]);
    for (std::size_t k = 0; k < kTabPages.size(); ++k) {
        if (m_tabs->hasPage(kTabPages[k]))
            platform::setAccessibleName(*m_tabs->page(kTabPages[k]), titles[k]);
    }
}

void BenchAccessibility::announceProgress() {
    const state::BenchState& s = m_bench.state();
    const int rows = s.rows.count();
    const double poured = s.solution.pouredVolume.valueOr(0);
    const bool sameSituation = s.situations.current == m_situationSeen;
    // One new row is a measurement just recorded; a table rebuilt at once is not read out.
    if (sameSituation && rows == m_rowsSeen + 1 && s.rows.points().back().volume > 0)
        announce(QString::fromStdString(state::measurementAnnouncement(s.rows)));
    // The tool bar comes with the theoretical curve once the burette is empty.
    if (sameSituation && !m_toolbarSeen && s.controls.toolbarVisible && poured >= chemistry::kBuretteCapacity)
        announce(QString::fromStdString(state::titrationEndAnnouncement(s)));
    m_rowsSeen = rows;
    m_toolbarSeen = s.controls.toolbarVisible;
    m_situationSeen = s.situations.current;
}

}  // namespace workbench
