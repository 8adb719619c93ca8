# The Debian package: `cpack -G DEB` in the build folder. Its library dependencies are computed
# from the program (dpkg-shlibdeps); the fonts are named because the drawings measure their text
# with the metrics of Arial and Symbol, which these packages give, and Qt's translations because
# its own dialogs (printing, files) would otherwise speak English. Qt's SVG library writes the graph
# as a drawing ("Enregistrer le graphe…"); it is named as well, for a build whose program does not
# link it yet.
set(CPACK_PACKAGE_NAME vireltra)
set(CPACK_PACKAGE_VENDOR "Vireltra")
set(CPACK_PACKAGE_CONTACT "Vireltra <contact@vireltra.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Simulateur de titrage acido-basique pour le lycée")
set(CPACK_PACKAGE_DESCRIPTION
    "Vireltra détermine le pH de solutions aqueuses et permet de réaliser un titrage acido-basique à 25 °C sur un montage dessiné, avec le graphe pH = f(V), le tableau de valeurs, la courbe dérivée, la méthode des tangentes, le diagramme de distribution, des exercices corrigés et une calculatrice.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation, fonts-urw-base35, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://vireltra.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
