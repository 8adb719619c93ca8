#pragma once
// The fixed parts of the Python program that "Exporter en Python…" writes (state/pythonexport.cpp
// fills the "@KEY@" marks). The program is for pupils: French comments, short functions named after
// the chemistry, numpy and matplotlib only.

namespace state {

inline constexpr const char* kHeaderTemplate =
    R"py(# Titrage pH-métrique simulé par Vireltra, refait en Python 3 avec le même modèle, à 25 °C.
# Bécher : @BEAKER@ ; burette : @TITRANT@.
# Le programme écrit le pH à chaque pas de mesure, puis trace pH = f(V), n = f(V) et la distribution.
# Lancer : python3 titrage.py (ou dans Thonny, Capytale…), avec numpy et matplotlib ;
# « python3 titrage.py graphes.png » enregistre aussi les graphes dans graphes.png.
import sys

import matplotlib.pyplot as plt
import numpy as np

)py";

inline constexpr const char* kCommonDataTemplate =
    R"py(V0 = @V0@  # volume de solution introduit dans le bécher (mL)
V_eau = @WATER@  # volume d'eau distillée ajouté dans le bécher (mL)
c_titrant = @CB@  # concentration de l'@TITRANT@ dans la burette (mol/L)
Ke = 1e-14  # produit ionique de l'eau à 25 °C
pas = @STEP@  # pas de mesure (mL)
)py";

inline constexpr const char* kMonoproticTemplate = R"py(
# ---- Le calcul du pH, comme dans Vireltra ----
# Avec x = @X@, le bilan des charges et la conservation de la matière donnent le volume
# versé qui amène le bécher à x : V(x) = N(x) / D(x). On cherche x par dichotomie.
Ka = 10 ** -pKa
@K@
C = V0 + V_eau  # volume du bécher avant de verser (mL)
A = c0 * V0 / C  # concentration du soluté après l'ajout d'eau (mol/L)


def @SOLVE@(V):
    """@X@ (mol/L) après V mL versés, par dichotomie."""
    bas = Ke / (c_titrant + 1e-7)  # les bornes de Vireltra
    haut = A + 1e-7
    for etape in range(100):  # 100 divisions par deux : au-delà de la précision des nombres
        x = (bas + haut) / 2
        N = C * (K * x * A - (x + K) * (x * x - Ke))
        D = (x + K) * (x * x + c_titrant * x - Ke)
        # V(x) = N / D diminue quand x augmente : x est trop grand quand N / D < V,
        # c'est-à-dire quand (V × D − N) × D > 0 (on a multiplié par D², positif).
        if (V * D - N) * D > 0:
            haut = x
        else:
            bas = x
    return (bas + haut) / 2


def ph_apres_versement(V):
    """pH du bécher après V mL versés."""
    return @PH@
)py";

inline constexpr const char* kChargeBalanceTemplate = R"py(

# ---- Le bilan des charges ----
# Avec h = [H₃O⁺] et w = [HO⁻] = Ke / h, l'électroneutralité du bécher multipliée par son
# volume total s'écrit (en mmol) :
#     (h − w) × (V0 + V_eau + V) + Σ cᵢ × V0 × (dᵢ − n̄ᵢ(h)) @SIGN@ c_titrant × V = 0
# où n̄ᵢ(h) est le nombre moyen de protons perdus par le soluté i et dᵢ celui de la forme
# introduite (les ions du sel compensent sa charge). Le membre de gauche croît avec h : la
# solution est unique, on la cherche par dichotomie sur log10(h).


def constante_acidite(pKa):
    """Ka d'un couple."""
    @STRONG@
    return 10 ** -pKa


for s in solutes:
    s["K"] = [constante_acidite(p) for p in s["pKa"]]


def fractions(h, K):
    """Proportions des formes d'un soluté à [H₃O⁺] = h, de la plus protonée à la moins protonée."""
    termes = [1.0]
    for Kj in K:
        termes.append(termes[-1] * Kj / h)
    total = sum(termes)
    return [t / total for t in termes]


def bilan_des_charges(h, V):
    """Le membre de gauche de l'équation ci-dessus (mmol), après V mL versés."""
    w = Ke / h
    bilan = (h - w) * (V0 + V_eau + V) @TITRANT@
    for s in solutes:
        n_moyen = sum(j * a for j, a in enumerate(fractions(h, s["K"])))
        bilan += s["c"] * V0 * (s["perdus"] - n_moyen)
    return bilan


def dichotomie(V):
    """[H₃O⁺] (mol/L) après V mL versés : log10(h) cherché entre -20 et 3."""
    bas, haut = -20.0, 3.0  # le bilan est négatif en bas, positif en haut
    for etape in range(100):  # 100 divisions par deux : au-delà de la précision des nombres
        milieu = (bas + haut) / 2
        if bilan_des_charges(10 ** milieu, V) > 0:
            haut = milieu  # h trop grand
        else:
            bas = milieu
    return 10 ** ((bas + haut) / 2)
)py";

inline constexpr const char* kMixturePhTemplate = R"py(

def ph_apres_versement(V):
    """pH du bécher après V mL versés."""
    return -np.log10(dichotomie(V))
)py";

inline constexpr const char* kConductivityTemplate = R"py(

# ---- La conductivité σ (loi de Kohlrausch), écrite parce que le conductimètre est affiché ----
# σ = Σ λ°ᵢ × [Xᵢ] sur tous les ions du bécher, sans correction d'activité : avec λ° en
# mS·m²/mol et [X] en mol/L, σ = 10 × Σ λ°ᵢ × [Xᵢ] en mS/cm.
lambda_h3o = @H3O@  # λ°(H₃O⁺) en mS·m²/mol
lambda_ho = @HO@  # λ°(HO⁻)
lambda_na = @NA@  # λ°(Na⁺)
lambda_cl = @CL@  # λ°(Cl⁻)


def conductivite(V):
    """σ (mS/cm) après V mL versés."""
    h = dichotomie(V)
    total = V0 + V_eau + V
    somme = lambda_h3o * h + lambda_ho * Ke / h + @TITRANT@
    for s in solutes:
        c = s["c"] * V0 / total  # le soluté, sous toutes ses formes (mol/L)
        somme += (lambda_na * s["sodium"] + lambda_cl * s["chlorure"]) * c
        for lam, a in zip(s["lambda"], fractions(h, s["K"])):
            somme += lam * c * a
    return 10 * somme
)py";

inline constexpr const char* kMonoproticAmountsTemplate = R"py(

def quantites(V):
    """Quantités de matière (mmol) dans le bécher : concentration (mol/L) × volume (mL)."""
    total = C + V
    h = 10 ** -ph_apres_versement(V)
    c = A * C / total  # le soluté, sous ses deux formes (mol/L)
    acide = c * h / (h + Ka)
    return [acide * total, (c - acide) * total, h * total, Ke / h * total]


noms_quantites = formes + ["H₃O⁺", "HO⁻"]
especes = @SPECIES@  # réactifs et produits du titrage, tracés dans n = f(V)


def distribution(ph):
    """Proportions des formes acide et basique en fonction du pH."""
    h = 10 ** -ph
    return [h / (h + Ka), Ka / (h + Ka)]
)py";

inline constexpr const char* kMixtureAmountsTemplate = R"py(

def quantites(V):
    """Quantités de matière (mmol) dans le bécher : concentration (mol/L) × volume (mL)."""
    total = V0 + V_eau + V
    h = dichotomie(V)
    n = []
    for s in solutes:
        c = s["c"] * V0 / total  # le soluté, sous toutes ses formes (mol/L)
        n += [c * a * total for a in fractions(h, s["K"])]
    return n + [h * total, Ke / h * total]


noms_quantites = [nom for s in solutes for nom in s["formes"]] + ["H₃O⁺", "HO⁻"]
especes = @SPECIES@  # réactifs et produits du titrage, tracés dans n = f(V)
formes = solutes[0]["formes"]


def distribution(ph):
    """Proportions des formes du premier soluté en fonction du pH."""
    return fractions(10 ** -ph, solutes[0]["K"])
)py";

inline constexpr const char* kTableTemplate = R"py(

# ---- Le tableau de valeurs : un point à chaque pas, de 0 à 25 mL ----
volumes = np.arange(0, 25 + pas / 2, pas)
print("V (mL)      pH@SIGMA_HEADING@")
for V in volumes:
    print(f"{V:6.1f}  {ph_apres_versement(V):6.2f}@SIGMA@")

if mesures:
    print()
    print("Mesures du laboratoire : V (mL), pH mesuré, pH calculé")
    for V, ph in mesures:
        print(f"{V:6.2f}  {ph:6.2f}  {ph_apres_versement(V):6.2f}")
)py";

inline constexpr const char* kPlotStartTemplate = R"py(
# ---- Les graphes ----
V_courbe = np.linspace(0, 25, 251)  # un point tous les 0,1 mL
fig, graphes = plt.subplots(@ROWS@, @COLUMNS@, figsize=@SIZE@)
@GRAPHS@ = np.ravel(graphes)

g_ph.plot(V_courbe, [ph_apres_versement(V) for V in V_courbe], label="pH calculé")
if mesures:
    g_ph.plot([v for v, ph in mesures], [ph for v, ph in mesures], "+", markersize=9, label="mesures")
g_ph.set(xlabel="V versé (mL)", ylabel="pH", title="pH = f(V)", xlim=(0, 25), ylim=(0, 14))
g_ph.legend()
)py";

inline constexpr const char* kSigmaPlotTemplate = R"py(
g_sigma.plot(V_courbe, [conductivite(V) for V in V_courbe], label="σ calculée")
if mesures_sigma:
    g_sigma.plot([v for v, s in mesures_sigma], [s for v, s in mesures_sigma], "+", markersize=9,
                 label="mesures")
g_sigma.set(xlabel="V versé (mL)", ylabel="σ (mS/cm)", title="σ = f(V)", xlim=(0, 25))
g_sigma.legend()
)py";

inline constexpr const char* kAmountsPlotTemplate = R"py(
n = np.array([quantites(V) for V in V_courbe])
for j, nom in enumerate(noms_quantites):
    if nom in especes:
        g_n.plot(V_courbe, n[:, j], label=nom)
g_n.set(xlabel="V versé (mL)", ylabel="n (mmol)", title="Quantités de matière", xlim=(0, 25))
g_n.legend()
)py";

inline constexpr const char* kDistributionPlotTemplate = R"py(
ph_axe = np.linspace(0, 14, 281)
for part, nom in zip(distribution(ph_axe), formes):
    if nom is not None:
        g_distribution.plot(ph_axe, 100 * part, label=nom)
g_distribution.set(xlabel="pH", ylabel="proportion (%)", title="Diagramme de distribution", xlim=(0, 14))
g_distribution.legend()
)py";

inline constexpr const char* kPlotEndTemplate = R"py(
plt.tight_layout()
if len(sys.argv) > 1:  # « python3 titrage.py graphes.png » : les graphes aussi dans un fichier
    plt.savefig(sys.argv[1], dpi=100)
plt.show()
)py";

}  // namespace state
