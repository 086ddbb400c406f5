#pragma once

#include "search/harvest_state.h"
#include "search/window.h"

namespace gleaner {

// Search: takes the engine and page size into the state and opens page 1.
void runSearch(HarvestState& state, SearchWindow& window);
// Go>> (and Enter in the page box): opens the page typed in the page box.
void goToPage(HarvestState& state, SearchWindow& window);
// Opens the next result page when the shown page links to one; otherwise
// ends a running one-click harvest.
void nextPage(HarvestState& state, SearchWindow& window);
// Opens the previous result page when the shown page links to one.
void previousPage(HarvestState& state, SearchWindow& window);
// Ends a running one-click harvest and puts the buttons back; nothing when
// no run is on.
void endAutoHarvest(HarvestState& state, SearchWindow& window);

// Bing's first-result value for a page, as its own paging counts:
// (page - 1) x results per page + 1, or 1 when the count is not positive.
std::int32_t bingFirstForPage(std::int32_t page, std::string_view countText);

} // namespace gleaner
