#pragma once

#include "search/harvest_state.h"
#include "search/window.h"

#include <optional>

namespace gleaner {

// Builds the result-page address of `engine` from the keyword box, the count
// list and (google) the base-address list, navigates the browser there and
// writes the page number into the page box. For Baidu, Soso, Sougou and
// google `value` is the page number; for Bing it is the first-result value,
// followed by `suffix`. An engine outside 0 to 4 does nothing at all.
void navigateEngine(HarvestState& state, SearchWindow& window, EngineIndex engine, std::int32_t value,
                    std::optional<std::string_view> suffix = std::nullopt);

// The keyword as it goes into an address: "%", "&", "#" and "+" would change
// the address's meaning, so they are percent-encoded; everything else stays
// as typed.
Text escapeKeyword(std::string_view keyword);

// The keyword for a Bing address: its UTF-8 form, the bytes of which are
// percent-encoded so that they reach the engine unchanged whatever code page
// the address passes through. Empty when the text is not valid code page 936.
Text bingKeyword(std::string_view keyword);

} // namespace gleaner
