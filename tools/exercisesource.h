#pragma once
// One exercise as a teacher writes it: a UTF-8 text file of directives and sections.
//
//   @titre Titrage de l'acide éthanoïque par la soude
//   @niveau 1                          difficulty, 1 to 3
//   @sabliers 2                        duration, in hourglasses
//   @notion Titrage pH-métrique        up to four; each notions line ends with "; " and the last
//   @notion Volume à l'équivalence     with ".", since the program shows them one after the other
//   @prise-en-main                     the getting-started exercise ("Qelvo.PEM"), no correction
//   @configuration                     the set-up before pouring (see setupsource.h), up to the
//   ...                                next line that starts with "@"
//   @énoncé                            the statement, in markup (see markup.h)
//   @configuration-corrigé             the set-up that goes with the correction
//   @corrigé                           the correction, in markup
//
// A line that starts with "@@" is a comment.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "configuration/configurationfile.h"
#include "tools/markup.h"

namespace tools {

struct ExerciseSource {
    std::string name;  // the source file's stem, which names the shipped files
    bool gettingStarted = false;
    std::string title;
    int level = 0;
    int hourglasses = 0;
    std::vector<std::string> notions;  // as shown, separators included
    std::optional<configuration::ConfigurationFile> configuration;
    MarkedText statement;
    std::optional<configuration::ConfigurationFile> correctionConfiguration;
    std::optional<MarkedText> correction;
};

// Nothing, and the first error, when the source is malformed; every tag's quantity is checked
// to be one that can be computed.
std::optional<ExerciseSource> parseExerciseSource(std::string_view text, std::string name,
                                                  SourceError& error);

}  // namespace tools
