#pragma once
// An exercise as a teacher fills it in the program: what is refused, in French, before anything is
// written, and the content its files then hold.
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "configuration/configurationfile.h"
#include "exercises/exercisewriter.h"
#include "rtf/document.h"

namespace exercises {

inline constexpr int kMinLevel = 1;
inline constexpr int kMaxLevel = kLevelIcons;
inline constexpr int kMinHourglasses = 1;
inline constexpr int kMaxHourglasses = 10;

// How the beaker concentration shows to the pupil: as each situation of the set-up has it, hidden
// in every situation, or shown in every one.
enum class Masking { AsSetUp, All, None };

struct ExerciseDraft {
    std::string title;
    int level = kMinLevel;
    int hourglasses = kMinHourglasses;
    std::array<std::string, kMaxNotions> notions;  // as typed; blank ones are left out
    rtf::Document statement;
    configuration::ConfigurationFile setUp;
    Masking masking = Masking::AsSetUp;
    std::optional<rtf::Document> correction;  // nothing: no correction
    // The correction's own set-up; nothing: the statement's set-up titrated to the end.
    std::optional<configuration::ConfigurationFile> correctionSetUp;
};

// A message box's text and title, shown with the exclamation icon.
struct Refusal {
    std::string text;
    std::string title;
};

// The first fault that keeps the draft from being written: no title, a level or a duration out of
// range, a title or a notion too long for its record or holding a character the files cannot keep,
// an empty statement or correction. Nothing when it can be written.
std::optional<Refusal> checkDraft(const ExerciseDraft& draft);
// Names are plain (see isPlainFileName).
std::optional<Refusal> checkFileName(std::string_view name);

// The files' content, named `name`: the title and notions without surrounding blanks, the
// notions with their separators, the masking applied to the set-up.
ExerciseContent contentOf(const ExerciseDraft& draft, std::string name);

// Hides or shows the beaker concentration in every situation; the file's own mask follows
// Situation 1, as the workbench leaves it after a load.
void applyMasking(configuration::ConfigurationFile& file, Masking masking);
// Every situation poured to the end of the burette with the pH-meter shown, so completed: its
// curve is drawn when the configuration loads.
configuration::ConfigurationFile titratedToTheEnd(configuration::ConfigurationFile file);

}  // namespace exercises
