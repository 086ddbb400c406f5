#pragma once

#include "search/harvest_state.h"
#include "search/window.h"

#include <functional>

namespace gleaner {

// One-click harvesting is a chain of three steps: Collect ends by turning the
// page, the first page load after the turn starts the next Collect, and next
// page ends the run when there is no next page. `collect` runs Collect.

// The one-click button: its caption tells whether a run is on.
void toggleAutoHarvest(HarvestState& state, SearchWindow& window, const std::function<void()>& collect);
// The browser finished loading a document.
void onPageLoaded(HarvestState& state, SearchWindow& window, const std::function<void()>& collect);

} // namespace gleaner
