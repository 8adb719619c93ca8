#pragma once
// Every action of the bench state, for the code that drives the whole bench.
#include "state/buretteactions.h"
#include "state/glasswarebench.h"
#include "state/graphtools.h"
#include "state/panelactions.h"
#include "state/potentiometry.h"
#include "state/precipitationbench.h"
#include "state/redoxbench.h"
#include "state/situationactions.h"
