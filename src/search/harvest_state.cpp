#include "search/harvest_state.h"

namespace gleaner {

void initHarvestState(HarvestState& state)
{
    state = HarvestState{};
    state.seenLinks = std::make_unique<LinkSet>();
    state.emptyLinkSet = std::make_unique<LinkSet>();
}

void releaseHarvestState(HarvestState& state)
{
    state.captionText = Text();
    state.seenLinks.reset();
    state.emptyLinkSet.reset();
}

} // namespace gleaner
