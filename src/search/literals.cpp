#include "search/literals.h"

#include "support/codepage.h"

namespace gleaner::literals {

Text cp936(std::string_view utf8) { return utf8ToCp936(utf8); }

const Text& defaultKeyword()
{
    static const Text text = "Orvel's blog";
    return text;
}

const Text& autoHarvestIdle()
{
    static const Text text = cp936("一键采集");
    return text;
}

const Text& autoHarvestRunning()
{
    static const Text text = cp936("停止采集");
    return text;
}

} // namespace gleaner::literals
