#include "exercises/exercisedraft.h"

#include <string>
#include <vector>

#include "chemistry/titration.h"
#include "numbers/picture.h"
#include "numbers/windows1252.h"

namespace exercises {

namespace {

constexpr const char* kIncomplete = "Exercice incomplet";
constexpr std::size_t kRecordCharacters = 126;  // one byte a character in Windows-1252

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::vector<std::string> typedNotions(const ExerciseDraft& draft) {
    std::vector<std::string> notions;
    for (const std::string& notion : draft.notions) {
        if (std::string text = trimmed(notion); !text.empty()) notions.push_back(std::move(text));
    }
    return notions;
}

// What keeps a text from its record: a character the code page lacks, or its length.
std::optional<Refusal> checkRecord(std::string_view stored, const std::string& what,
                                   const std::string& tooLong) {
    if (const auto character = unstorableCharacter(stored)) {
        return Refusal{what + " contient le caractère « " + *character +
                           " », que le fichier de l'exercice ne peut pas garder.",
                       kIncomplete};
    }
    if (!fitsRecord(stored)) return Refusal{what + tooLong, kIncomplete};
    return std::nullopt;
}

// A notion is kept with what follows it in the list: " ; " before the next one, a full stop after
// the last. The refusal gives the length that fits, and why.
std::string notionTooLong(const std::string& notion, bool last) {
    const std::size_t separator = last ? 1 : 3;
    return " compte " + std::to_string(numbers::decodeUtf8(notion).size()) +
           " caractères : " + std::to_string(kRecordCharacters - separator) + " au plus, car " +
           (last ? "le point qui la termine compte aussi."
                 : "le « ; » qui la sépare de la suivante compte aussi.");
}

bool isEmpty(const rtf::Document& text) {
    return trimmed(text.plainText(" ")).empty();
}

}  // namespace

std::optional<Refusal> checkDraft(const ExerciseDraft& draft) {
    const std::string title = trimmed(draft.title);
    if (title.empty()) return Refusal{"L'exercice n'a pas de titre.", kIncomplete};
    if (auto refusal = checkRecord(title, "Le titre", " compte plus de 126 caractères.")) return refusal;
    if (draft.level < kMinLevel || draft.level > kMaxLevel)
        return Refusal{"Le niveau de difficulté va de 1 à 3.", kIncomplete};
    if (draft.hourglasses < kMinHourglasses || draft.hourglasses > kMaxHourglasses)
        return Refusal{"La durée va de 1 à 10 sabliers.", kIncomplete};
    // Numbered as the boxes are, blank ones included; each checked as stored, with its separator.
    std::size_t filled = 0;
    const std::size_t count = typedNotions(draft).size();
    for (std::size_t box = 0; box < draft.notions.size(); ++box) {
        const std::string notion = trimmed(draft.notions[box]);
        if (notion.empty()) continue;
        const bool last = ++filled == count;
        const std::string stored = notion + (last ? "." : " ; ");
        const std::string what = "La notion n° " + std::to_string(box + 1);
        if (auto refusal = checkRecord(stored, what, notionTooLong(notion, last))) return refusal;
    }
    if (isEmpty(draft.statement))
        return Refusal{"L'énoncé est vide : écrivez-le dans la zone de texte de la fenêtre principale.",
                       kIncomplete};
    if (draft.correction && isEmpty(*draft.correction))
        return Refusal{"Le corrigé est vide : écrivez-le, ou choisissez « Pas de corrigé ».", kIncomplete};
    return std::nullopt;
}

std::optional<Refusal> checkFileName(std::string_view name) {
    if (isPlainFileName(name)) return std::nullopt;
    return Refusal{"Le nom « " + std::string(name) +
                       " » ne convient pas : il compte de 1 à 64 lettres sans accent, chiffres, tirets (-) "
                       "ou soulignés (_).",
                   "Nom de fichier non valide"};
}

ExerciseContent contentOf(const ExerciseDraft& draft, std::string name) {
    ExerciseContent content;
    content.name = std::move(name);
    content.title = trimmed(draft.title);
    content.level = draft.level;
    content.hourglasses = draft.hourglasses;
    content.notionLines = notionLinesOf(typedNotions(draft));
    content.statement = draft.statement;
    content.configuration = draft.setUp;
    applyMasking(*content.configuration, draft.masking);
    if (draft.correction) {
        content.correction = draft.correction;
        content.correctionConfiguration =
            draft.correctionSetUp.value_or(titratedToTheEnd(*content.configuration));
    }
    return content;
}

void applyMasking(configuration::ConfigurationFile& file, Masking masking) {
    if (masking != Masking::AsSetUp) {
        for (auto& situation : file.situations) situation.concentrationMasked = masking == Masking::All;
    }
    file.concentrationMasked = file.situations[0].concentrationMasked;
}

configuration::ConfigurationFile titratedToTheEnd(configuration::ConfigurationFile file) {
    // The volume as the panel writes it once validated.
    const std::string full = numbers::formatPicture(chemistry::kBuretteCapacity, "###0.0#");
    for (auto& situation : file.situations) {
        situation.pouredVolumeText = full;
        situation.showPhMeter = true;
        situation.completed = true;
    }
    return file;
}

}  // namespace exercises
