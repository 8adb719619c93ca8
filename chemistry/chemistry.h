#pragma once
// The chemistry engine: species and indicators, the solution model, the pH solver, titration
// points and theoretical curves, the distribution diagram and the equivalence analysis; the
// general solver of mixtures and polyacids, its curves, and the conductivity. Plain C++, no user
// interface.
#include "chemistry/beakermixture.h"
#include "chemistry/catalogue.h"
#include "chemistry/conductivity.h"
#include "chemistry/distribution.h"
#include "chemistry/equivalence.h"
#include "chemistry/indicators.h"
#include "chemistry/mixture.h"
#include "chemistry/mixturecurves.h"
#include "chemistry/phsolver.h"
#include "chemistry/plotframe.h"
#include "chemistry/situationreport.h"
#include "chemistry/solution.h"
#include "chemistry/substances.h"
#include "chemistry/titration.h"
#include "chemistry/titrationmodel.h"
