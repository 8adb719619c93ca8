// An exercise written in the program: what is refused before anything is written, and how the
// concentration shows to the pupil. What its files hold is checked against the exercise builder's
// by the exercise window's tests.
#include <gtest/gtest.h>

#include <functional>

#include "exercises/exercisedraft.h"
#include "exercises/exercisewriter.h"

using namespace exercises;

namespace {

rtf::Document textOf(const std::string& words) {
    rtf::Document document;
    document.paragraphs.push_back({});
    document.paragraphs.back().runs.push_back({words, {}});
    return document;
}

ExerciseDraft soundDraft() {
    ExerciseDraft draft;
    draft.title = "Dosage du vinaigre";
    draft.level = 2;
    draft.hourglasses = 3;
    draft.notions = {"Équivalence", "", "pH", ""};
    draft.statement = textOf("Versez la soude.");
    return draft;
}

struct RefusalCase {
    const char* why;
    std::function<void(ExerciseDraft&)> change;
    const char* text;  // nullptr: accepted
};

void PrintTo(const RefusalCase& c, std::ostream* out) {
    *out << c.why;
}

class DraftRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(DraftRefusal, IsTheFirstFaultInFrench) {
    ExerciseDraft draft = soundDraft();
    GetParam().change(draft);
    const auto refusal = checkDraft(draft);
    if (GetParam().text == nullptr) {
        EXPECT_FALSE(refusal.has_value()) << GetParam().why << ": " << refusal.value_or(Refusal{}).text;
        return;
    }
    ASSERT_TRUE(refusal.has_value()) << GetParam().why;
    EXPECT_EQ(refusal->text, GetParam().text) << GetParam().why;
    EXPECT_EQ(refusal->title, "Exercice incomplet");
}

// A notion of n characters; stored with " ; " after it, or "." when it is the last.
std::string letters(std::size_t n) {
    return std::string(n, 'x');
}

INSTANTIATE_TEST_SUITE_P(
    Drafts, DraftRefusal,
    ::testing::Values(
        RefusalCase{"sound", [](ExerciseDraft&) {}, nullptr},
        RefusalCase{"no title", [](ExerciseDraft& d) { d.title.clear(); }, "L'exercice n'a pas de titre."},
        RefusalCase{"blank title", [](ExerciseDraft& d) { d.title = " \t "; },
                    "L'exercice n'a pas de titre."},
        RefusalCase{"title of 126 characters", [](ExerciseDraft& d) { d.title = letters(126); }, nullptr},
        RefusalCase{"title of 127 characters", [](ExerciseDraft& d) { d.title = letters(127); },
                    "Le titre compte plus de 126 caractères."},
        RefusalCase{"title beyond Windows-1252", [](ExerciseDraft& d) { d.title = "pH ≈ 7"; },
                    "Le titre contient le caractère « ≈ », que le fichier de l'exercice ne peut pas garder."},
        RefusalCase{"level 0", [](ExerciseDraft& d) { d.level = 0; }, "Le niveau de difficulté va de 1 à 3."},
        RefusalCase{"level 4", [](ExerciseDraft& d) { d.level = 4; }, "Le niveau de difficulté va de 1 à 3."},
        RefusalCase{"no hourglass", [](ExerciseDraft& d) { d.hourglasses = 0; },
                    "La durée va de 1 à 10 sabliers."},
        RefusalCase{"eleven hourglasses", [](ExerciseDraft& d) { d.hourglasses = 11; },
                    "La durée va de 1 à 10 sabliers."},
        RefusalCase{"a notion and its \" ; \" fill the record",
                    [](ExerciseDraft& d) { d.notions[0] = letters(123); }, nullptr},
        RefusalCase{"a notion and its \" ; \" overflow it",
                    [](ExerciseDraft& d) { d.notions[0] = letters(124); },
                    "La notion n° 1 compte 124 caractères : 123 au plus, car le « ; » qui la sépare de la "
                    "suivante compte aussi."},
        RefusalCase{"the last notion and its \".\" fill it",
                    [](ExerciseDraft& d) { d.notions[2] = letters(125); }, nullptr},
        RefusalCase{"the last notion numbered as its box",
                    [](ExerciseDraft& d) { d.notions[3] = letters(126); },
                    "La notion n° 4 compte 126 caractères : 125 au plus, car le point qui la termine compte "
                    "aussi."},
        RefusalCase{
            "notion beyond Windows-1252", [](ExerciseDraft& d) { d.notions[2] = "pKₐ"; },
            "La notion n° 3 contient le caractère « ₐ », que le fichier de l'exercice ne peut pas garder."},
        RefusalCase{"empty statement", [](ExerciseDraft& d) { d.statement = textOf("  "); },
                    "L'énoncé est vide : écrivez-le dans la zone de texte de la fenêtre principale."},
        RefusalCase{"empty correction", [](ExerciseDraft& d) { d.correction = rtf::Document{}; },
                    "Le corrigé est vide : écrivez-le, ou choisissez « Pas de corrigé »."}),
    [](const auto& info) { return "Case" + std::to_string(info.index); });

TEST(ExerciseDraft, MaskingHidesOrShowsEverySituationAndTheFileFollowsSituationOne) {
    const struct {
        Masking masking;
        bool firstMasked;              // the set-up masks Situation 1 only
        std::array<bool, 3> expected;  // Situations 1, 2 and the file's own mask
    } cases[] = {{Masking::AsSetUp, true, {true, false, true}},
                 {Masking::AsSetUp, false, {false, false, false}},
                 {Masking::All, false, {true, true, true}},
                 {Masking::None, true, {false, false, false}}};
    for (const auto& c : cases) {
        ExerciseDraft draft = soundDraft();
        draft.setUp.situations[0].concentrationMasked = c.firstMasked;
        draft.setUp.concentrationMasked = !c.firstMasked;  // the workbench's current situation may differ
        draft.masking = c.masking;
        const auto configuration = *contentOf(draft, "Vinaigre").configuration;
        const std::array<bool, 3> masks{configuration.situations[0].concentrationMasked,
                                        configuration.situations[1].concentrationMasked,
                                        configuration.concentrationMasked};
        EXPECT_EQ(masks, c.expected) << static_cast<int>(c.masking) << " " << c.firstMasked;
    }
}

}  // namespace
