#pragma once
// The set-up of the workbench that goes with an exercise, written as a teacher would describe it:
//
//   superposer = oui                         "Superposer les courbes" ticked
//   gras = oui                               "Tracer en gras" ticked
//   conductimètre = oui                      "Conductimètre" ticked
//   graphe = sigma                           the graph shows σ = f(V) (with the conductimeter)
//   graphe = E                               the graph shows E = f(V) (with the electrodes)
//   verrerie = graine=7;v0=2:0,03;...        the glassware, as the configuration file saves it
//   situation 2 : acide éthanoïque ; c = 0,01 ; V = 20 ; eau = 80 ; cb = 0,01 ; versé = 25
//       ; indicateur = Phénolphtaléine ; pKa = 4,8 ; masquée = oui ; burette = non ; pH-mètre = non
//   situation 3 : acide chlorhydrique ; c = 0,005 ; soluté2 = acide éthanoïque ; c2 = 0,005
//   situation 4 : autre diacide ; pKa = 3,5 ; pKa2 = 8,5
//   situation 5 : ion fer(II) Fe²⁺ ; titrant = ion cérium(IV) Ce⁴⁺ ; acide = 1 ; suivi = calomel
//       ; c = 0,1 ; V = 20 ; cb = 0,1 ; indicateur = ferroïne
//
// A solute named as the oxidation-reduction lists name it makes an oxidation-reduction titration:
// "titrant" is the burette's species (the first that titrates the beaker's when not given),
// "acide" the sulfuric acid (mol · L-1, 0 to 5), "indicateur" one of the redox indicators and
// "suivi" couleur, calomel or Ag/AgCl (the reference electrode); a titration that does not happen
// or lacks acid is refused, as the bench would only say so on its hint line.
// A line that starts with a blank goes on with the previous one. The solute is a name of the
// catalogue (its nature follows), the second solute one of the same nature; numbers keep the decimal comma;
// what is not given keeps the value the workbench starts with. Values are refused where the parameter panel
// would correct them, so that the pupil sees them as written. A situation poured to 25 mL with the pH-meter
// shown is completed (its curve is drawn when the configuration loads), and the concentration mask of the
// file follows Situation 1, as the workbench leaves it after a load.
#include <optional>
#include <span>

#include "configuration/configurationfile.h"
#include "tools/markup.h"

namespace tools {

std::optional<configuration::ConfigurationFile> parseSetup(std::span<const SourceLine> lines,
                                                           SourceError& error);

}  // namespace tools
