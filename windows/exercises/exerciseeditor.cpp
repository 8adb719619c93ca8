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

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
    m_title = named(new QLineEdit(fromUtf8(m_draft.title), this), QStringLiteral("titre"));
    form->addRow(QStringLiteral("Titre :"), m_title);

    // The level and the duration show as the browser will show them.
    auto* levelRow = new QHBoxLayout;
    m_level = named(new QSpinBox(this), QStringLiteral("niveau"));
    m_level->setRange(exercises::kMinLevel, exercises::kMaxLevel);
    levelRow->addWidget(m_level);
    for (std::size_t k = 0; k < m_levelIcons.size(); ++k) {
        m_levelIcons[k] = named(new QLabel(this), QStringLiteral("Image4(%1)").arg(k));
        m_levelIcons[k]->setFixedSize(kLevelIconSize, kLevelIconSize);
        levelRow->addWidget(m_levelIcons[k]);
    }
    levelRow->addStretch();
    form->addRow(QStringLiteral("Niveau de difficulté :"), levelRow);
    connect(m_level, &QSpinBox::valueChanged, this, &ExerciseEditor::showLevel);
    m_level->setValue(m_draft.level);
    showLevel(m_level->value());

    auto* durationRow = new QHBoxLayout;
    m_hourglasses = named(new QSpinBox(this), QStringLiteral("sabliers"));
    m_hourglasses->setRange(exercises::kMinHourglasses, exercises::kMaxHourglasses);
    m_hourglassBox = named(new HourglassBox(this), QStringLiteral("Text2"));
    m_hourglassBox->setMinimumSize(exercises::kMaxHourglasses * 22, 32);
    durationRow->addWidget(m_hourglasses);
    durationRow->addWidget(m_hourglassBox, 1);
    form->addRow(QStringLiteral("Durée :"), durationRow);
    connect(m_hourglasses, &QSpinBox::valueChanged, m_hourglassBox, &HourglassBox::setCount);
    m_hourglasses->setValue(m_draft.hourglasses);
    m_hourglassBox->setCount(m_hourglasses->value());

    auto* notions = new QGridLayout;
    for (std::size_t i = 0; i < m_notions.size(); ++i) {
        m_notions[i] =
            named(new QLineEdit(fromUtf8(m_draft.notions[i]), this), QStringLiteral("notion(%1)").arg(i));
        m_notions[i]->setPlaceholderText(QStringLiteral("Notion %1").arg(i + 1));
        notions->addWidget(m_notions[i], static_cast<int>(i / 2), static_cast<int>(i % 2));
    }
    form->addRow(QStringLiteral("Notions abordées :"), notions);

    m_mask =
        named(new QCheckBox(QStringLiteral("Masquer la concentration"), this), QStringLiteral("masquer"));
    m_mask->setToolTip(QStringLiteral("Cacher à l'élève la concentration de la solution du bécher"));
    const Qt::CheckState mask = maskState(m_draft.setUp);
    m_mask->setTristate(mask == Qt::PartiallyChecked);
    m_mask->setCheckState(mask);
    // Once clicked, the box hides or shows the concentration in every situation.
    connect(m_mask, &QCheckBox::clicked, this, [this] { m_mask->setTristate(false); });
    form->addRow(QString(), m_mask);

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
    m_withoutCorrection =
        named(new QRadioButton(QStringLiteral("Pas de corrigé"), this), QStringLiteral("sanscorrige"));
    m_withCorrection =
        named(new QRadioButton(QStringLiteral("Avec un corrigé"), this), QStringLiteral("aveccorrige"));
    auto* group = new QButtonGroup(this);
    group->addButton(m_withoutCorrection);
    group->addButton(m_withCorrection);
    choice->addWidget(m_withoutCorrection);
    choice->addWidget(m_withCorrection);
    choice->addStretch();
    static_cast<QVBoxLayout*>(layout())->addLayout(choice);

    m_correctionPart = new QWidget(this);
    auto* part = new QVBoxLayout(m_correctionPart);
    part->setContentsMargins(0, 0, 0, 0);
    m_correction = named(new platform::RichTextBox(m_correctionPart), QStringLiteral("corrige"));
    m_correction->setAcceptRichText(true);
    part->addWidget(new TextFormatBar(*m_correction, m_correctionPart));
    part->addWidget(m_correction, 1);
    if (m_draft.correction) m_correction->setRichDocument(*m_draft.correction);

    auto* setUpRow = new QHBoxLayout;
    setUpRow->addWidget(new QLabel(QStringLiteral("Configuration du corrigé :"), m_correctionPart));
    m_correctionSetUp = named(new QComboBox(m_correctionPart), QStringLiteral("configcorrige"));
    m_correctionSetUp->addItem(QStringLiteral("L'énoncé titré jusqu'au bout"),
                               dataOf(CorrectionSetUp::Titrated));
    if (m_ownCorrectionSetUp)
        m_correctionSetUp->addItem(QStringLiteral("Celle de l'exercice"),
                                   dataOf(CorrectionSetUp::ExerciseOwn));
    m_correctionSetUp->addItem(QStringLiteral("Lue dans un fichier…"), dataOf(CorrectionSetUp::FromFile));
    setUpRow->addWidget(m_correctionSetUp);
    m_correctionSetUpFile = named(new QLabel(m_correctionPart), QStringLiteral("fichiercorrige"));
    setUpRow->addWidget(m_correctionSetUpFile, 1);
    part->addLayout(setUpRow);
    static_cast<QVBoxLayout*>(layout())->addWidget(m_correctionPart, 1);
    connect(m_correctionSetUp, &QComboBox::activated, this, [this](int index) {
        chooseCorrectionSetUp(static_cast<CorrectionSetUp>(m_correctionSetUp->itemData(index).toInt()));
    });
    if (m_ownCorrectionSetUp) {
        m_correctionChoice = CorrectionSetUp::ExerciseOwn;
        m_correctionSetUp->setCurrentIndex(m_correctionSetUp->findData(dataOf(m_correctionChoice)));
    }

    connect(m_withCorrection, &QRadioButton::toggled, this, &ExerciseEditor::showCorrection);
    (m_draft.correction ? m_withCorrection : m_withoutCorrection)->setChecked(true);
    showCorrection(m_withCorrection->isChecked());
}

void ExerciseEditor::showLevel(int level) {
    for (std::size_t k = 0; k < m_levelIcons.size(); ++k)
        m_levelIcons[k]->setPixmap(levelPicture(level > static_cast<int>(k)));
}

void ExerciseEditor::showCorrection(bool shown) {
    m_correctionPart->setEnabled(shown);
}

void ExerciseEditor::chooseCorrectionSetUp(CorrectionSetUp choice) {
    if (choice == CorrectionSetUp::FromFile) {
        const QString start = QDir(m_context.saveLocations.startFolder()).filePath(QStringLiteral("*.C13"));
        const auto chosen = m_context.services.fileDialogs.openFile(
            this, QStringLiteral("Configuration du corrigé"), QStringLiteral("Configuration|*.C13"), start);
        auto read = chosen ? m_context.session.document().readConfiguration(*chosen) : std::nullopt;
        if (!read) {
            m_correctionSetUp->setCurrentIndex(m_correctionSetUp->findData(dataOf(m_correctionChoice)));
            return;
        }
        m_readCorrectionSetUp = std::move(read);
        m_correctionSetUpFile->setText(QFileInfo(*chosen).fileName());
    } else {
        m_correctionSetUpFile->clear();
    }
    m_correctionChoice = choice;
    m_correctionSetUp->setCurrentIndex(m_correctionSetUp->findData(dataOf(choice)));
}

exercises::ExerciseDraft ExerciseEditor::draft() const {
    exercises::ExerciseDraft draft = m_draft;
    draft.title = m_title->text().toStdString();
    draft.level = m_level->value();
    draft.hourglasses = m_hourglasses->value();
    for (std::size_t i = 0; i < m_notions.size(); ++i) draft.notions[i] = m_notions[i]->text().toStdString();
    switch (m_mask->checkState()) {
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
    if (m_withCorrection->isChecked()) {
        draft.correction = m_correction->richDocument();
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
