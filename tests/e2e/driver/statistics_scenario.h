#pragma once
// The statistics window of the real program: its figures read back from the labels after a
// game of the computer alone, its three tabs through their access keys, and the graph.

#include "scenario.h"

namespace quillon::e2e {

void StatisticsWindow(Scenario& s);

}  // namespace quillon::e2e
