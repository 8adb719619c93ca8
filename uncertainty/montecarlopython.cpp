#include "uncertainty/montecarlopython.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chemistry/solution.h"
#include "state/glasswarebench.h"

namespace uncertainty {

namespace {

// A number as Python reads it.
std::string py(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.10g", value);
    return text;
}

std::string pieceName(const chemistry::MeasuredInput& input, const char* otherwise) {
    const auto pieces = chemistry::glasswarePieces();
    if (input.piece < 0 || input.piece >= static_cast<int>(pieces.size())) return otherwise;
    return std::string(pieces[static_cast<std::size_t>(input.piece)].name);
}

// What the program is, and the generator it draws with.
std::string preamble(int runs, std::uint64_t seed) {
    std::string p;
    p += "# Simulation de Monte-Carlo du résultat d'un titrage, écrite par Vireltra.\n";
    p += "# Chaque grandeur mesurée est tirée au hasard selon sa loi : rectangulaire pour une\n";
    p += "# tolérance ± a (incertitude-type a/√3), normale pour une incertitude-type annoncée.\n";
    p += "# Pour chaque tirage, on calcule c = k · cB · VE / V0 ; l'écart type des N résultats\n";
    p += "# est l'incertitude-type u(c).\n";
    p += "import numpy as np\nimport matplotlib.pyplot as plt\n\n";
    p += "N = " + std::to_string(runs) + "  # nombre de titrages simulés\n";
    p += "rng = np.random.default_rng(" + std::to_string(seed) + ")\n\n";
    p += "def rectangulaire(a):\n    \"\"\"N tirages uniformes entre -a et +a.\"\"\"\n";
    p += "    return rng.uniform(-a, a, N)\n\n";
    return p;
}

// The values read or stated, and each input drawn around them.
std::string draws(const chemistry::Glassware& g, const chemistry::NominalValues& n, double k) {
    std::string p;
    p += "# Les valeurs lues ou annoncées\n";
    p += "V0 = " + py(n.beakerVolume) + "  # mL, " + pieceName(g.beaker, "volume prélevé") + " : ± " +
         py(g.beaker.halfWidth) + " mL\n";
    p += "cB = " + py(n.titrantConcentration) + "  # mol/L, incertitude-type annoncée " +
         py(g.titrantUncertainty) + " mol/L\n";
    p += "VE = " + py(n.equivalenceVolume) + "  # mL, volume versé à l'équivalence\n";
    p += "k = " + py(k) + "  # coefficient de l'équation de la réaction (c = k · cB · VE / V0)\n\n";
    p += "V0_tire = V0 + rectangulaire(" + py(g.beaker.halfWidth) + ")\n";
    p += "cB_tire = cB + rng.normal(0, " + py(g.titrantUncertainty) + ", N)\n";
    p += "# " + pieceName(g.burette, "burette") + " : son étalonnage (± " + py(g.burette.halfWidth) +
         " mL) et deux lectures à la demi-graduation (± " + py(g.readingHalfWidth) + " mL chacune)\n";
    p += "VE_tire = VE + rectangulaire(" + py(g.burette.halfWidth) + ") + rectangulaire(" +
         py(g.readingHalfWidth) + ") - rectangulaire(" + py(g.readingHalfWidth) + ")\n";
    p += "c = k * cB_tire * VE_tire / V0_tire\n";
    if (g.diluted) {
        p += "# La dilution : " + pieceName(g.dilutionPipette, "pipette") + " (± " +
             py(g.dilutionPipette.halfWidth) + " mL) dans une " + pieceName(g.dilutionFlask, "fiole") +
             " (± " + py(g.dilutionFlask.halfWidth) + " mL)\n";
        p += "Vp, Vf = " + py(n.dilutionPipette) + ", " + py(n.dilutionFlask) + "\n";
        p += "c = c * ((Vp + rectangulaire(" + py(g.dilutionPipette.halfWidth) +
             ")) / Vp) / ((Vf + rectangulaire(" + py(g.dilutionFlask.halfWidth) + ")) / Vf)\n";
    }
    return p;
}

// The results' statistics, and u(c) by the propagation formula beside them.
std::string statistics(const chemistry::Glassware& g) {
    std::string p;
    p += "\nmoyenne = np.mean(c)\nu = np.std(c, ddof=1)\nbas, haut = np.percentile(c, [2.5, 97.5])\n";
    p += "print(f\"c moyenne = {moyenne:.4e} mol/L\")\n";
    p += "print(f\"u(c) = {u:.2e} mol/L, soit {100 * u / moyenne:.2f} %\")\n";
    p += "print(f\"intervalle à 95 % : [{bas:.4e} ; {haut:.4e}] mol/L\")\n\n";
    p += "# La formule de propagation, pour comparer\n";
    p += "u_V0 = " + py(g.beaker.halfWidth) + " / np.sqrt(3)\n";
    p += "u_VE = np.sqrt((" + py(g.burette.halfWidth) + " / np.sqrt(3))**2 + 2 * (" + py(g.readingHalfWidth) +
         " / np.sqrt(3))**2)\n";
    p += "relative = np.sqrt((u_VE / VE)**2 + (u_V0 / V0)**2 + (" + py(g.titrantUncertainty) + " / cB)**2";
    if (g.diluted) {
        p += " + (" + py(g.dilutionPipette.halfWidth) + " / np.sqrt(3) / Vp)**2 + (" +
             py(g.dilutionFlask.halfWidth) + " / np.sqrt(3) / Vf)**2";
    }
    p += ")\nprint(f\"propagation : u(c) = {relative * k * cB * VE / V0:.2e} mol/L\")\n";
    return p;
}

std::string agreement(double reference) {
    std::string p = "\nc_ref = " + py(reference) + "  # mol/L, la valeur de référence\n";
    p += "z = abs(moyenne - c_ref) / u\n";
    p += "print(f\"z = {z:.2f} :\", \"compatible avec la référence (z ≤ 2)\" if z <= 2 else "
         "\"non compatible avec la référence (z > 2)\")\n";
    return p;
}

std::string histogram() {
    std::string p = "\nplt.hist(c, bins=50, color=\"steelblue\", edgecolor=\"white\")\n";
    p += "plt.axvline(moyenne, color=\"black\", label=\"moyenne\")\n";
    p += "plt.axvline(bas, color=\"red\", linestyle=\"--\", label=\"intervalle à 95 %\")\n";
    p += "plt.axvline(haut, color=\"red\", linestyle=\"--\")\n";
    p += "plt.xlabel(\"c (mol/L)\")\nplt.ylabel(\"nombre de titrages\")\n";
    p += "plt.title(\"Monte-Carlo : \" + str(N) + \" titrages simulés\")\nplt.legend()\nplt.show()\n";
    return p;
}

}  // namespace

std::string monteCarloProgram(const SimulationRequest& request, std::optional<double> reference) {
    const chemistry::Glassware& g = request.glassware;
    chemistry::SolutionSpec typed = request.solution;
    typed.delivery = {};
    const chemistry::NominalValues n = state::nominalValuesOf(g, typed);
    const std::optional<double> c = chemistry::setUpQuantities(typed).beakerConcentration;
    if (g.exact || !c || !(*c > 0) || !(n.equivalenceVolume > 0) || !(n.beakerVolume > 0) ||
        !(n.titrantConcentration > 0)) {
        return {};
    }
    // The reaction's coefficients: c = k · c_B · V_E / V₀ gives back the typed concentration.
    const double k = *c * n.beakerVolume / (n.titrantConcentration * n.equivalenceVolume);
    std::string program = preamble(std::clamp(request.runs, kFewestRuns, kMostRuns), request.seed) +
                          draws(g, n, k) + statistics(g);
    if (reference && std::isfinite(*reference) && *reference > 0) program += agreement(*reference);
    return program + histogram();
}

}  // namespace uncertainty
