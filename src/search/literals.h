#pragma once

// The program's own texts in code page 936. They are written here in UTF-8,
// as the source file is, and converted once on first use.

#include "support/text.h"

namespace gleaner::literals {

// The UTF-8 text in code page 936.
Text cp936(std::string_view utf8);

const Text& defaultKeyword();      // "Orvel's blog"
const Text& autoHarvestIdle();     // "一键采集"
const Text& autoHarvestRunning();  // "停止采集"

} // namespace gleaner::literals
