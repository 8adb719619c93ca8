#pragma once
// The bench taken down as a recovery copy holds it, and shown again from one: the situations,
// the switches, the panel, the measurements, and the table's rows and graph's marks recorded
// again at the volumes they were recorded at.
#include "state/actionresult.h"
#include "state/benchstate.h"
#include "state/recoverycopy.h"

namespace state {

BenchSnapshot snapshotBench(const BenchState& bench);

// The bench shows what it showed when the snapshot was taken, the tap closed. A titration being
// poured stops first.
ActionResult restoreBench(BenchState& bench, const BenchSnapshot& snapshot);

}  // namespace state
