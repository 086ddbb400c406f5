#include "search/autoharvest.h"

#include "search/literals.h"

namespace gleaner {

void toggleAutoHarvest(HarvestState& state, SearchWindow& window, const std::function<void()>& collect)
{
    if (compareText(window.autoHarvestCaption(), literals::autoHarvestRunning()) == 0) {
        state.autoHarvest = 0;
        window.setCollectEnabled(true);
        window.setAutoHarvestCaption(literals::autoHarvestIdle());
        return;
    }
    window.setAutoHarvestCaption(literals::autoHarvestRunning());
    state.autoHarvest = 1;
    window.setCollectEnabled(false);
    state.captchaPrompts = 0;
    collect();
}

void onPageLoaded(HarvestState& state, SearchWindow& window, const std::function<void()>& collect)
{
    if (state.autoHarvest != 1)
        return;
    state.pageLoads += 1;
    // Only the first load after a page turn starts a Collect: frames and
    // reloads of the same page only raise the count.
    if (state.pageLoads == 1) {
        window.wait(500);
        collect();
    }
}

} // namespace gleaner
