#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

#include "modaldialogs.h"
#include "platform/qtmessageboxes.h"
#include "platform/scriptedmessageboxes.h"

using platform::MessageAnswer;
using platform::MessageButtons;
using platform::MessageIcon;
using platform::QtMessageBoxes;
using platform::ScriptedMessageBoxes;

TEST(ScriptedMessageBoxes, AnswersFromTheQueueInOrderAndRecordsEachCall) {
    ScriptedMessageBoxes boxes;
    boxes.queueAnswer(MessageAnswer::Cancel);
    boxes.queueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(
        boxes.show(MessageIcon::Question, "Quitter vraiment Vireltra ?", "Fermer", MessageButtons::OkCancel),
        MessageAnswer::Cancel);
    EXPECT_EQ(boxes.show(MessageIcon::Question, "Burette vide", "Titre", MessageButtons::YesNo),
              MessageAnswer::Yes);
    ASSERT_EQ(boxes.calls().size(), 2u);
    EXPECT_EQ(boxes.calls()[0].icon, MessageIcon::Question);
    EXPECT_EQ(boxes.calls()[0].text, QStringLiteral("Quitter vraiment Vireltra ?"));
    EXPECT_EQ(boxes.calls()[0].title, QStringLiteral("Fermer"));
    EXPECT_EQ(boxes.calls()[0].buttons, MessageButtons::OkCancel);
    EXPECT_EQ(boxes.calls()[1].answer, MessageAnswer::Yes);
    EXPECT_FALSE(boxes.hasFailures());
    EXPECT_EQ(boxes.pendingAnswers(), 0u);
}

struct UnexpectedCase {
    const char* name;
    MessageButtons buttons;
    MessageAnswer answer;
};

void PrintTo(const UnexpectedCase& c, std::ostream* out) {
    *out << c.name;
}

class ScriptedUnexpected : public testing::TestWithParam<UnexpectedCase> {};

TEST_P(ScriptedUnexpected, AnUnexpectedBoxIsAFailureAnsweredWithTheRefusal) {
    ScriptedMessageBoxes boxes;
    EXPECT_EQ(boxes.show(MessageIcon::Stop, "Lecture impossible", "Erreur", GetParam().buttons),
              GetParam().answer);
    ASSERT_TRUE(boxes.hasFailures());
    EXPECT_TRUE(boxes.failures().first().contains("Lecture impossible"));
    EXPECT_EQ(boxes.calls().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Buttons, ScriptedUnexpected,
    testing::Values(UnexpectedCase{"OkCancel", MessageButtons::OkCancel, MessageAnswer::Cancel},
                    UnexpectedCase{"YesNo", MessageButtons::YesNo, MessageAnswer::No},
                    UnexpectedCase{"Ok", MessageButtons::Ok, MessageAnswer::Ok},
                    UnexpectedCase{"RestoreIgnore", MessageButtons::RestoreIgnore, MessageAnswer::Ignore}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScriptedMessageBoxes, AnAnswerTheButtonsDoNotOfferIsAFailure) {
    ScriptedMessageBoxes boxes;
    boxes.queueAnswer(MessageAnswer::Yes);
    EXPECT_EQ(boxes.show(MessageIcon::Question, "t", "T", MessageButtons::OkCancel), MessageAnswer::Cancel);
    EXPECT_TRUE(boxes.hasFailures());
    boxes.reset();
    EXPECT_FALSE(boxes.hasFailures());
    EXPECT_TRUE(boxes.calls().empty());
}

namespace {

QStringList buttonTexts(QMessageBox* box) {
    QStringList texts;
    for (QAbstractButton* b : box->buttons()) texts << b->text();
    texts.sort();
    return texts;
}

QAbstractButton* buttonNamed(QMessageBox* box, const QString& text) {
    for (QAbstractButton* b : box->buttons()) {
        if (b->text() == text) return b;
    }
    return nullptr;
}

}  // namespace

TEST(QtMessageBoxes, ShowsFrenchButtonsAndReportsTheOneClicked) {
    QtMessageBoxes boxes;
    QStringList seen;
    QString title;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenShown<QMessageBox>([&](QMessageBox* box) {
        seen = buttonTexts(box);
        title = box->windowTitle();
        icon = box->icon();
        buttonNamed(box, QStringLiteral("Annuler"))->click();
    });
    EXPECT_EQ(
        boxes.show(MessageIcon::Question, "Quitter vraiment Vireltra ?", "Fermer", MessageButtons::OkCancel),
        MessageAnswer::Cancel);
    EXPECT_EQ(seen, (QStringList{"Annuler", "OK"}));
    EXPECT_EQ(title, QStringLiteral("Fermer"));
    EXPECT_EQ(icon, QMessageBox::Question);

    whenShown<QMessageBox>([&](QMessageBox* box) {
        seen = buttonTexts(box);
        icon = box->icon();
        buttonNamed(box, QStringLiteral("Oui"))->click();
    });
    EXPECT_EQ(boxes.show(MessageIcon::Exclamation, "Recommencer ?", "Burette vide", MessageButtons::YesNo),
              MessageAnswer::Yes);
    EXPECT_EQ(seen, (QStringList{"Non", "Oui"}));
    EXPECT_EQ(icon, QMessageBox::Warning);

    whenShown<QMessageBox>([&](QMessageBox* box) {
        seen = buttonTexts(box);
        buttonNamed(box, QStringLiteral("Restaurer"))->click();
    });
    EXPECT_EQ(
        boxes.show(MessageIcon::Question, "Restaurer ?", "Travail retrouvé", MessageButtons::RestoreIgnore),
        MessageAnswer::Restore);
    EXPECT_EQ(seen, (QStringList{"Ignorer", "Restaurer"}));
}

TEST(QtMessageBoxes, EscapeChoosesTheRefusal) {
    QtMessageBoxes boxes;
    whenShown<QMessageBox>([](QMessageBox* box) { box->reject(); });
    EXPECT_EQ(boxes.show(MessageIcon::Question, "?", "T", MessageButtons::YesNo), MessageAnswer::No);
    whenShown<QMessageBox>([](QMessageBox* box) { box->reject(); });
    EXPECT_EQ(boxes.show(MessageIcon::Question, "?", "T", MessageButtons::RestoreIgnore),
              MessageAnswer::Ignore);
    whenShown<QMessageBox>([](QMessageBox* box) { buttonNamed(box, QStringLiteral("OK"))->click(); });
    EXPECT_EQ(boxes.show(MessageIcon::Stop, "Erreur", "T", MessageButtons::Ok), MessageAnswer::Ok);
}
