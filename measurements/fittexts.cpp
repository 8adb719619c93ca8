#include "measurements/fittexts.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "numbers/picture.h"
#include "numbers/uncertaintytext.h"

namespace measurements {

namespace {

using numbers::scientific;
using numbers::scientificWithUncertainty;
using numbers::withUncertainty;

// A number with up to two decimals and no comma left alone: 14, 4,5, 0,1.
std::string shortDecimal(double value) {
    std::string text = numbers::formatPicture(value, "#0.##");
    if (text.ends_with(',')) text.pop_back();
    return text;
}

// A limit of the range as the panel writes it: 0,1 but 10⁻⁸.
std::string limitText(double value) {
    if (value >= 1e-2) return shortDecimal(value);
    const std::string text = scientific(value);
    return text.starts_with("1,00 × ") ? text.substr(std::string("1,00 × ").size()) : text;
}

// "pKa" for a free acid, "pKa₁" and "pKa₂" for a free diacid.
std::string pKaName(int parameter, int pKaCount) {
    if (pKaCount < 2) return "pKa";
    return parameter == 1 ? "pKa₁" : "pKa₂";
}

// "c₂", "c₂ et le pKa", "c₂, le pKa₁ et le pKa₂".
std::string fittedNames(int pKaCount) {
    if (pKaCount == 0) return "c₂";
    if (pKaCount == 1) return "c₂ et le pKa";
    return "c₂, le pKa₁ et le pKa₂";
}

const char* const kImpossible = "L'ajustement est impossible : ";

}  // namespace

namespace fittexts {

std::string tooFewPoints(int count, int needed) {
    return "Il faut au moins " + std::to_string(needed) +
           " mesures pour ajuster la concentration ; il y en a " + std::to_string(count) + ".";
}

std::string tooFewVolumes(int volumes, int needed, int pKaCount) {
    const std::string taken =
        volumes <= 1 ? "qu'à un seul volume" : "qu'à " + std::to_string(volumes) + " volumes différents";
    return kImpossible + std::string("les mesures ne sont prises ") + taken + " ; ajuster " +
           fittedNames(pKaCount) + " en demande au moins " + std::to_string(needed) +
           ", et les mesures doivent couvrir l'équivalence.";
}

std::string wrongRange() {
    return kImpossible + std::string("les limites de la recherche sont fausses.");
}

std::string cancelled() {
    return "Ajustement annulé.";
}

std::string noCurve() {
    return kImpossible + std::string("aucune courbe calculée ne passe par ces mesures.");
}

std::string notConverged() {
    return "L'ajustement n'a pas convergé.";
}

std::string undetermined(int parameter, int pKaCount) {
    if (parameter == 0) {
        return kImpossible + std::string(
                                 "c₂ n'est pas déterminé par ces points ; les mesures doivent couvrir "
                                 "l'équivalence.");
    }
    const std::string where = pKaCount < 2 ? "la demi-équivalence" : "les deux demi-équivalences";
    return kImpossible + std::string("le ") + pKaName(parameter, pKaCount) +
           " n'est pas déterminé par ces points ; les mesures doivent couvrir " + where + ".";
}

std::string beyondRange(int parameter, int pKaCount, const FitSettings& settings) {
    const std::string start = "L'ajustement n'a pas convergé : ";
    if (parameter == 0) {
        return start + "la concentration qui conviendrait sort des limites (de " +
               limitText(settings.minConcentration) + " à " + limitText(settings.maxConcentration) +
               " mol · L-1).";
    }
    return start + "le " + pKaName(parameter, pKaCount) + " qui conviendrait sort des limites (de " +
           shortDecimal(settings.minPKa) + " à " + shortDecimal(settings.maxPKa) + ").";
}

}  // namespace fittexts

std::string describeFit(const FitResult& result) {
    if (!result.converged) return result.message;
    std::string text;
    if (!result.describesPoints()) {
        text = "Le modèle ne décrit pas ces mesures : l'écart type des résidus dépasse " +
               shortDecimal(result.describedLimit) + " " + result.unit + ". ";
    }
    // The ± only when every fitted value has one: they are read together.
    const bool known = result.uncertaintyKnown();
    text += "c₂ ajustée = " +
            (known ? scientificWithUncertainty(result.concentration, *result.concentrationHalfWidth95)
                   : scientific(result.concentration)) +
            " mol · L-1";
    const auto pKa = [&](int k) {
        const auto i = static_cast<std::size_t>(k);
        return known ? withUncertainty(result.pKa[i], *result.pKaHalfWidth95[i])
                     : numbers::formatPicture(result.pKa[i], "#0.00");
    };
    if (result.fittedPKaCount == 1) text += " et pKa ajusté = " + pKa(0);
    if (result.fittedPKaCount == 2) text += ", pKa₁ ajusté = " + pKa(0) + " et pKa₂ ajusté = " + pKa(1);
    return text + (known ? " (intervalle à 95 % ; " : " (incertitude non calculable ; ") +
           "écart type des résidus " + numbers::formatPicture(result.residualDeviation, "#0.00") + ")";
}

}  // namespace measurements
