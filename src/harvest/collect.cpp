#include "harvest/collect.h"

#include "harvest/linkresolution.h"
#include "search/commands.h"
#include "search/engines.h"
#include "search/literals.h"
#include "support/regexobject.h"

namespace gleaner {

namespace {

const Text& captchaNotice()
{
    static const Text text = literals::cp936("请输入以下验证码");
    return text;
}

const Text& captchaMessage()
{
    static const Text text = literals::cp936("貌似要验证码,输入验证码后将继续.");
    return text;
}

// Reads the page until it no longer shows the captcha notice; the user
// answers the captcha in the browser meanwhile.
Text readPageWithoutCaptcha(HarvestState& state, HarvestWindow& window)
{
    for (;;) {
        window.processEvents();
        const Text html = replaceText(window.pageHtml(), "amp;");
        if (findText(html, captchaNotice()) < 1)
            return html;
        state.captchaPrompts += 1;
        if (state.captchaPrompts == 1)
            window.showMessage(captchaMessage(), false);
        window.wait(2000);
    }
}

} // namespace

Text domainOf(std::string_view link)
{
    const std::int32_t slash = findText(link, "/", 10);
    return slash >= 1 ? textLeft(link, slash - 1) : Text(link);
}

void collectPage(HarvestState& state, HarvestWindow& window)
{
    const Text html = readPageWithoutCaptcha(state, window);

    RegexObject headings;
    headings.create("<h3(.*?)</h3>");
    const std::int32_t n = headings.execute(html);
    for (std::int32_t i = 1; i <= n; ++i) {
        const Text heading = headings.subMatchText(i, 1);
        Text link = resolveResultLink(state, textBetween(heading, "href=\"", "\""));
        // The engine's own pages and relative links are not results.
        if (findText(link, engines::kSosoDomainSuffix, 1, true) >= 1 || textLeft(link, 1) == "/")
            continue;
        if (window.domainOnly())
            link = domainOf(link);
        if (!link.empty()) {
            if (!window.deduplicate() || state.seenLinks->insert(link) == 1)
                window.appendLink(link);
        }
        window.setLinkCountLabel(intToText(window.linkCount()));
        window.processEvents();
    }

    if (state.autoHarvest == 1) {
        state.pageLoads = 0;
        window.wait(500);
        window.processEvents();
        nextPage(state, window);
    }
}

} // namespace gleaner
