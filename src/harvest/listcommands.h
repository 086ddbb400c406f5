#pragma once

#include "harvest/window.h"
#include "search/harvest_state.h"

#include <functional>
#include <string>

namespace gleaner {

// Puts the selected link on the clipboard; nothing without a selection.
void copyLink(HarvestWindow& window);
// Opens the selected link in the browser; nothing without a selection.
void openLink(HarvestWindow& window);
// Empties the list and the de-duplication set; the count label shows "0".
void clearLinks(HarvestState& state, HarvestWindow& window);
// Writes every link, each followed by CR LF, to a file the user chooses.
// The file is replaced only once every byte is written: the links go to a
// temporary file in the same folder, which then takes the chosen name.
void exportLinks(HarvestWindow& window);

// The bytes an export writes for these links.
std::string exportBytes(HarvestWindow& window);

// Tests make writing fail through this seam: it stands in for write(2).
using WriteFunction = std::function<long(int fd, const void* data, std::size_t size)>;
void setExportWriteFunction(WriteFunction write);

} // namespace gleaner
