#include "windows/exercises/exerciseeditor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/filedialogs.h"
#include "platform/richtextbox.h"
#include "platform/savelocations.h"
#include "platform/utf8text.h"
#include "windows/exercises/browserpictures.h"
#include "windows/exercises/browserwidgets.h"
#include "windows/exercises/exerciseauthoring.h"
#include "windows/exercises/exercisetext.h"
#include "windows/exercises/textformatbar.h"
#include "workbench/document.h"
#include "workbench/exercisesession.h"
#include "workbench/services.h"

namespace exercisewindow {
namespace {

using CorrectionSetUp = ExerciseEditor::CorrectionSetUp;

QVariant dataOf(CorrectionSetUp choice) {
    return static_cast<int>(choice);
}

using platform::fromUtf8;

// Whether the pupil sees the beaker concentration: hidden in every situation, shown in every one,
// or, partly checked, as each situation of the set-up has it.
Qt::CheckState maskState(const configuration::ConfigurationFile& setUp) {
    const auto masked = std::count_if(setUp.situations.begin(), setUp.situations.end(),
                                      [](const chemistry::Situation& s) { return s.concentrationMasked; });
    if (masked == 0) return Qt::Unchecked;
    return masked == static_cast<long>(setUp.situations.size()) ? Qt::Checked : Qt::PartiallyChecked;
}

template <typename Widget>
Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

}  // namespace

ExerciseEditor::ExerciseEditor(const ExerciseContext& context, exercises::ExerciseDraft draft,
                               const QString& editedPath)
    : QDialog(&context.window), m_context(context), m_draft(std::move(draft)), m_editedPath(editedPath) {
    setObjectName(QStringLiteral("creerexo"));
    setWindowTitle(editedPath.isEmpty() ? QStringLiteral("Créer un exercice")
                                        : QStringLiteral("Modifier l'exercice"));
    m_ownCorrectionSetUp = m_draft.correctionSetUp;
    auto* page = new QVBoxLayout(this);
    auto* band = new TitleBand(this);
    band->setObjectName(QStringLiteral("tito"));
    band->setTitle(windowTitle());
    band->setFixedHeight(40);
    page->addWidget(band);
    buildFields();
    buildCorrection();

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* saveButton =
        named(new QPushButton(QStringLiteral("Enregistrer…"), this), QStringLiteral("enregistrer"));
    auto* cancelButton = named(new QPushButton(QStringLiteral("Annuler"), this), QStringLiteral("annuler"));
    saveButton->setDefault(true);
    saveButton->setAutoDefault(true);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancelButton);
    page->addLayout(buttons);
    connect(saveButton, &QPushButton::clicked, this, &ExerciseEditor::save);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    resize(640, 620);
}

void ExerciseEditor::buildFields() {
    auto* form = new QFormLayout;
    m_fields.title = named(new QLineEdit(fromUtf8(m_draft.title), this), QStringLiteral("titre"));
    form->addRow(QStringLiteral("Titre :"), m_fields.title);

    // The level and the duration show as the browser will show them.
    auto* levelRow = new QHBoxLayout;
    m_fields.level = named(new QSpinBox(this), QStringLiteral("niveau"));
    m_fields.level->setRange(exercises::kMinLevel, exercises::kMaxLevel);
    m_fields.level->setAccessibleName(QStringLiteral("Niveau de difficulté"));
    levelRow->addWidget(m_fields.level);
    for (std::size_t k = 0; k < m_fields.levelIcons.size(); ++k) {
        m_fields.levelIcons[k] = named(new QLabel(this), QStringLiteral("Image4(%1)").arg(k));
        m_fields.levelIcons[k]->setFixedSize(kLevelIconSize, kLevelIconSize);
        levelRow->addWidget(m_fields.levelIcons[k]);
    }
    levelRow->addStretch();
    form->addRow(QStringLiteral("Niveau de difficulté :"), levelRow);
    connect(m_fields.level, &QSpinBox::valueChanged, this, &ExerciseEditor::showLevel);
    m_fields.level->setValue(m_draft.level);
    showLevel(m_fields.level->value());

    auto* durationRow = new QHBoxLayout;
    m_fields.hourglasses = named(new QSpinBox(this), QStringLiteral("sabliers"));
    m_fields.hourglasses->setRange(exercises::kMinHourglasses, exercises::kMaxHourglasses);
    m_fields.hourglasses->setAccessibleName(QStringLiteral("Durée, en sabliers"));
    m_fields.hourglassBox = named(new HourglassBox(this), QStringLiteral("Text2"));
    m_fields.hourglassBox->setMinimumSize(exercises::kMaxHourglasses * 22, 32);
    durationRow->addWidget(m_fields.hourglasses);
    durationRow->addWidget(m_fields.hourglassBox, 1);
    form->addRow(QStringLiteral("Durée :"), durationRow);
    connect(m_fields.hourglasses, &QSpinBox::valueChanged, m_fields.hourglassBox, &HourglassBox::setCount);
    m_fields.hourglasses->setValue(m_draft.hourglasses);
    m_fields.hourglassBox->setCount(m_fields.hourglasses->value());

    auto* notions = new QGridLayout;
    for (std::size_t i = 0; i < m_fields.notions.size(); ++i) {
        m_fields.notions[i] =
            named(new QLineEdit(fromUtf8(m_draft.notions[i]), this), QStringLiteral("notion(%1)").arg(i));
        m_fields.notions[i]->setPlaceholderText(QStringLiteral("Notion %1").arg(i + 1));
        m_fields.notions[i]->setAccessibleName(QStringLiteral("Notion abordée %1").arg(i + 1));
        notions->addWidget(m_fields.notions[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    form->addRow(QStringLiteral("Notions abordées :"), notions);

    m_fields.mask =
        named(new QCheckBox(QStringLiteral("Masquer la concentration"), this), QStringLiteral("masquer"));
    m_fields.mask->setToolTip(QStringLiteral("Cacher à l'élève la concentration de la solution du bécher"));
    const Qt::CheckState mask = maskState(m_draft.setUp);
    m_fields.mask->setTristate(mask == Qt::PartiallyChecked);
    m_fields.mask->setCheckState(mask);
    // Once clicked, the box hides or shows the concentration in every situation.
    connect(m_fields.mask, &QCheckBox::clicked, this, [this] { m_fields.mask->setTristate(false); });
    form->addRow(QString(), m_fields.mask);

    auto* source =
        new QLabel(QStringLiteral("Énoncé : le texte de la fenêtre principale. Configuration : les dix "
                                  "situations du simulateur, telles qu'elles sont."),
                   this);
    source->setWordWrap(true);
    form->addRow(QString(), source);
    static_cast<QVBoxLayout*>(layout())->addLayout(form);
}

void ExerciseEditor::buildCorrection() {
    auto* choice = new QHBoxLayout;
    choice->addWidget(new QLabel(QStringLiteral("Corrigé :"), this));
    m_correctionControls.without =
        named(new QRadioButton(QStringLiteral("Pas de corrigé"), this), QStringLiteral("sanscorrige"));
    m_correctionControls.with =
        named(new QRadioButton(QStringLiteral("Avec un corrigé"), this), QStringLiteral("aveccorrige"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_correctionControls.without);
    group->addButton(m_correctionControls.with);
    choice->addWidget(m_correctionControls.without);
    choice->addWidget(m_correctionControls.with);
    choice->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(choice);

    m_correctionControls.part = new QWidget(this);
    auto* part = new QVBoxLayout(m_correctionControls.part);
    part->setContentsMargins(0, 0, 0, 0);
    m_correctionControls.text =
        named(new platform::RichTextBox(m_correctionControls.part), QStringLiteral("corrige"));
    m_correctionControls.text->setAcceptRichText(true);
    m_correctionControls.text->setAccessibleName(QStringLiteral("Texte de la correction"));
    part->addWidget(new TextFormatBar(*m_correctionControls.text, m_correctionControls.part));
    part->addWidget(m_correctionControls.text, 1);
    if (m_draft.correction) m_correctionControls.text->setRichDocument(*m_draft.correction);

    auto* setUpRow = new QHBoxLayout;
    setUpRow->addWidget(new QLabel(QStringLiteral("Configuration du corrigé :"), m_correctionControls.part));
    m_correctionControls.setUp =
        named(new QComboBox(m_correctionControls.part), QStringLiteral("configcorrige"));
    m_correctionControls.setUp->addItem(QStringLiteral("L'énoncé titré jusqu'au bout"),
                                        dataOf(CorrectionSetUp::Titrated));
    if (m_ownCorrectionSetUp)
        m_correctionControls.setUp->addItem(QStringLiteral("Celle de l'exercice"),
                                            dataOf(CorrectionSetUp::ExerciseOwn));
    m_correctionControls.setUp->addItem(QStringLiteral("Lue dans un fichier…"),
                                        dataOf(CorrectionSetUp::FromFile));
    setUpRow->addWidget(m_correctionControls.setUp);
    m_correctionControls.setUpFile =
        named(new QLabel(m_correctionControls.part), QStringLiteral("fichiercorrige"));
    setUpRow->addWidget(m_correctionControls.setUpFile, 1);
    part->addLayout(setUpRow);
    static_cast<QVBoxLayout*>(layout())->addWidget(m_correctionControls.part, 1);
    connect(m_correctionControls.setUp, &QComboBox::activated, this, [this](int index) {
        chooseCorrectionSetUp(
            static_cast<CorrectionSetUp>(m_correctionControls.setUp->itemData(index).toInt()));
    });
    if (m_ownCorrectionSetUp) {
        m_correctionChoice = CorrectionSetUp::ExerciseOwn;
        m_correctionControls.setUp->setCurrentIndex(
            m_correctionControls.setUp->findData(dataOf(m_correctionChoice)));
    }

    connect(m_correctionControls.with, &QRadioButton::toggled, this, &ExerciseEditor::showCorrection);
    (m_draft.correction ? m_correctionControls.with : m_correctionControls.without)->setChecked(true);
    showCorrection(m_correctionControls.with->isChecked());
}

void ExerciseEditor::showLevel(int level) {
    for (std::size_t k = 0; k < m_fields.levelIcons.size(); ++k)
        m_fields.levelIcons[k]->setPixmap(levelPicture(level > static_cast<int>(k)));
}

void ExerciseEditor::showCorrection(bool shown) {
    m_correctionControls.part->setEnabled(shown);
}

void ExerciseEditor::chooseCorrectionSetUp(CorrectionSetUp choice) {
    if (choice == CorrectionSetUp::FromFile) {
        const QString start = QDir(m_context.saveLocations.startFolder()).filePath(QStringLiteral("*.C13"));
        const auto chosen = m_context.services.fileDialogs.openFile(
            this, QStringLiteral("Configuration du corrigé"), QStringLiteral("Configuration|*.C13"), start);
        auto read = chosen ? m_context.session.document().readConfiguration(*chosen) : std::nullopt;
        if (!read) {
            m_correctionControls.setUp->setCurrentIndex(
                m_correctionControls.setUp->findData(dataOf(m_correctionChoice)));
            return;
        }
        m_readCorrectionSetUp = std::move(read);
        m_correctionControls.setUpFile->setText(QFileInfo(*chosen).fileName());
    } else {
        m_correctionControls.setUpFile->clear();
    }
    m_correctionChoice = choice;
    m_correctionControls.setUp->setCurrentIndex(m_correctionControls.setUp->findData(dataOf(choice)));
}

exercises::ExerciseDraft ExerciseEditor::draft() const {
    exercises::ExerciseDraft draft = m_draft;
    draft.title = m_fields.title->text().toStdString();
    draft.level = m_fields.level->value();
    draft.hourglasses = m_fields.hourglasses->value();
    for (std::size_t i = 0; i < m_fields.notions.size(); ++i)
        draft.notions[i] = m_fields.notions[i]->text().toStdString();
    switch (m_fields.mask->checkState()) {
        case Qt::Checked:
            draft.masking = exercises::Masking::All;
            break;
        case Qt::Unchecked:
            draft.masking = exercises::Masking::None;
            break;
        case Qt::PartiallyChecked:
            draft.masking = exercises::Masking::AsSetUp;
            break;
    }
    draft.correction.reset();
    draft.correctionSetUp.reset();
    if (m_correctionControls.with->isChecked()) {
        draft.correction = m_correctionControls.text->richDocument();
        if (m_correctionChoice == CorrectionSetUp::ExerciseOwn) draft.correctionSetUp = m_ownCorrectionSetUp;
        if (m_correctionChoice == CorrectionSetUp::FromFile) draft.correctionSetUp = m_readCorrectionSetUp;
    }
    return draft;
}

void ExerciseEditor::save() {
    const exercises::ExerciseDraft filled = draft();
    const QString initial =
        m_editedPath.isEmpty() ? withSeparator(m_context.saveLocations.startFolder()) : m_editedPath;
    const auto written = saveExercise(m_context, filled, initial);
    if (!written) return;
    // The exercise saved is the one open now: it can be changed again, and its correction shown.
    workbench::ExerciseSession& session = m_context.session;
    session.setFolder(folderOf(*written));
    session.setName(*written);
    session.setCorrectionAvailable(filled.correction.has_value());
    session.setModified(false);
    accept();
}

void openExerciseCreation(const ExerciseContext& context) {
    ExerciseEditor editor(context, draftOfWorkbench(context), QString());
    editor.exec();
}

void openExerciseEditing(const ExerciseContext& context) {
    auto draft = draftOfOpenExercise(context);
    if (!draft) return;
    ExerciseEditor editor(context, std::move(*draft), context.session.name());
    editor.exec();
}

}  // namespace exercisewindow
