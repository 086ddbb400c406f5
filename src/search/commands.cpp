#include "search/commands.h"

#include "search/addresses.h"
#include "search/literals.h"
#include "support/numbers.h"
#include "support/regexobject.h"

#include <array>

namespace gleaner {

namespace {

constexpr EngineIndex kBing = 1;

struct Paging {
    std::array<Text, 3> markers; // any one is enough, ASCII case ignored
    Text bingPattern;
    Text bingMatchTail;          // removed from the match with "first="
    Text bingSuffix;             // passed on to the address
};

const Paging& nextPaging()
{
    static const Paging p{{literals::cp936(">下一页&gt"), literals::cp936(">下一页</b>"), literals::cp936(">下一页</a>")},
                          "first=([0-9]{2,3})&amp;FORM=PORE", "&amp;FORM=PORE", "&FORM=PORE"};
    return p;
}

const Paging& previousPaging()
{
    static const Paging p{{literals::cp936("&lt;上一页<"), literals::cp936(">上一页</a>"), literals::cp936("<b>上一页</b>")},
                          "first=([0-9]{2,3})&amp;FORM=PQRE", "&amp;FORM=PQRE", "&FORM=PQRE"};
    return p;
}

bool hasPagingLink(std::string_view html, const Paging& paging)
{
    for (const Text& marker : paging.markers) {
        if (findText(html, marker, 1, true) >= 1)
            return true;
    }
    return false;
}

// The first-result value of the last Bing paging link in the page; 0 when
// there is none.
std::int32_t bingFirstFromPage(std::string_view html, const Paging& paging)
{
    RegexObject re;
    re.create(paging.bingPattern);
    const std::int32_t n = re.execute(html);
    Text value = re.matchText(n);
    value = replaceText(value, "first=");
    value = replaceText(value, paging.bingMatchTail);
    return textToInt(value);
}

void turnPage(HarvestState& state, SearchWindow& window, std::string_view html, const Paging& paging)
{
    const EngineIndex engine = window.engineSelection();
    if (engine == kBing)
        navigateEngine(state, window, kBing, bingFirstFromPage(html, paging), paging.bingSuffix);
    else
        navigateEngine(state, window, engine, state.pageNumber);
}

} // namespace

std::int32_t bingFirstForPage(std::int32_t page, std::string_view countText)
{
    const std::int32_t count = textToInt(countText);
    if (count <= 0)
        return 1;
    return wrapAdd(wrapMul(wrapSub(page, 1), count), 1);
}

void runSearch(HarvestState& state, SearchWindow& window)
{
    state.resultOffset = 0;
    state.pageNumber = 1;
    state.searchEngine = window.engineSelection();
    if (window.keyword().empty())
        window.setKeyword(literals::defaultKeyword());
    if (textToInt(window.countText()) == 0)
        window.selectFirstCount();
    state.pageSize = textToInt(window.countText());
    navigateEngine(state, window, state.searchEngine, state.pageNumber);
}

void goToPage(HarvestState& state, SearchWindow& window)
{
    state.pageNumber = textToInt(window.pageBoxText());
    const EngineIndex engine = window.engineSelection();
    if (engine == kBing)
        navigateEngine(state, window, kBing, bingFirstForPage(state.pageNumber, window.countText()));
    else
        navigateEngine(state, window, engine, state.pageNumber);
}

void nextPage(HarvestState& state, SearchWindow& window)
{
    const Text html = window.pageHtml();
    window.processEvents();
    if (!hasPagingLink(html, nextPaging())) {
        endAutoHarvest(state, window);
        return;
    }
    state.captchaPrompts = 0;
    state.pageNumber = wrapAdd(state.pageNumber, 1);
    turnPage(state, window, html, nextPaging());
}

void previousPage(HarvestState& state, SearchWindow& window)
{
    const Text html = window.pageHtml();
    if (!hasPagingLink(html, previousPaging()))
        return;
    state.pageNumber = wrapSub(state.pageNumber, 1);
    turnPage(state, window, html, previousPaging());
}

void endAutoHarvest(HarvestState& state, SearchWindow& window)
{
    if (state.autoHarvest != 1)
        return;
    state.autoHarvest = 0;
    window.setCollectEnabled(true);
    window.setAutoHarvestCaption(literals::autoHarvestIdle());
}

} // namespace gleaner
