#pragma once

#include "harvest/window.h"
#include "search/harvest_state.h"

namespace gleaner {

// Collect: reads the shown result page, waits while it shows a captcha
// notice, and appends the link of every result heading to the harvest list,
// resolved, filtered and optionally cut to the domain and de-duplicated. In a
// one-click run it ends by turning to the next page.
void collectPage(HarvestState& state, HarvestWindow& window);

// The link as it is appended: the part before its first "/" from byte 10 on,
// which leaves scheme and host of an ordinary address.
Text domainOf(std::string_view link);

} // namespace gleaner
