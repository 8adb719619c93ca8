#pragma once
// The chemistry engine: species and indicators, the solution model, the pH solver, titration
// points and theoretical curves and the distribution diagram; the general solver of mixtures and
// polyacids, its curves, and the conductivity. Plain C++, no user interface, no pixels.
#include "chemistry/beakermixture.h"
#include "chemistry/catalogue.h"
#include "chemistry/conductivity.h"
#include "chemistry/distribution.h"
#include "chemistry/indicators.h"
#include "chemistry/mixture.h"
#include "chemistry/mixturecurves.h"
#include "chemistry/phsolver.h"
#include "chemistry/precipitation.h"
#include "chemistry/redox.h"
#include "chemistry/situationreport.h"
#include "chemistry/solution.h"
#include "chemistry/substances.h"
#include "chemistry/titration.h"
#include "chemistry/titrationmodel.h"
