#pragma once
// The chemistry engine: species and indicators, the solution model, the pH solver, titration
// points and theoretical curves. Plain C++, no user interface.
#include "chemistry/catalogue.h"
#include "chemistry/colour.h"
#include "chemistry/indicators.h"
#include "chemistry/phsolver.h"
#include "chemistry/situationreport.h"
#include "chemistry/solution.h"
#include "chemistry/titration.h"
