#pragma once

#include "support/linkset.h"
#include "support/text.h"

#include <cstdint>
#include <memory>

namespace gleaner {

// Index of an engine in the engine list: 0 Baidu, 1 Bing, 2 Soso, 3 Sougou,
// 4 google. Any other value (-1: nothing selected) names no engine.
using EngineIndex = std::int32_t;

// The one program-wide record of a harvest, shared by the commands of the
// search, harvest and shell code. Everything starts at zero or empty.
struct HarvestState {
    Text captionText;                 // the deciphered window caption
    std::int32_t autoHarvest = 0;     // 1 while one-click harvesting runs
    std::int32_t captchaPrompts = 0;  // captcha detections since the last reset
    EngineIndex searchEngine = 0;     // engine taken at the last Search
    std::unique_ptr<LinkSet> seenLinks;     // links appended while de-duplicating
    std::int32_t pageLoads = 0;       // page loads seen since the last page turn
    std::int32_t pageNumber = 0;      // 1-based result page
    std::int32_t resultOffset = 0;    // offset in the last Baidu address
    std::int32_t pageSize = 0;        // results per page taken at Search
    std::unique_ptr<LinkSet> emptyLinkSet;  // never filled; template for clearing
};

// Resets every field and creates the two link sets.
void initHarvestState(HarvestState& state);
// Releases the caption and both link sets. Safe to call more than once.
void releaseHarvestState(HarvestState& state);

} // namespace gleaner
