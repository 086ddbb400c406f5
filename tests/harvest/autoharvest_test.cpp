// One-click harvesting with the real Collect and page commands over a fake
// browser whose page loads arrive while the commands process events.

#include "common/fake_window.h"

#include "harvest/collect.h"
#include "search/autoharvest.h"
#include "search/literals.h"

#include <gtest/gtest.h>

using namespace gleaner;
using gleaner::testing::FakeWindow;

namespace {

const Text kNext = literals::cp936("<a href=\"#\">下一页&gt;</a>");

std::string address(int page) { return "http://www.sogou.com/web?query=kw&page=" + std::to_string(page) + "&num=10"; }

std::string resultPage(int page, bool last)
{
    std::string html = "<html>";
    for (int i = 1; i <= 2; ++i)
        html += "<h3><a href=\"http://p" + std::to_string(page) + "-" + std::to_string(i) + ".com/\">r</a></h3>";
    if (!last)
        html += kNext;
    return html + "</html>";
}

class AutoHarvestTest : public ::testing::Test {
protected:
    AutoHarvestTest()
    {
        initHarvestState(state);
        state.searchEngine = 3; // Sougou: links pass unchanged
        state.pageNumber = 1;
        window.engine = 3;
        window.autoCaption = literals::autoHarvestIdle();
        window.html = resultPage(1, false);
        window.pages[address(2)] = resultPage(2, false);
        window.pages[address(3)] = resultPage(3, true);
        window.onDocumentComplete = [this] { onPageLoaded(state, window, collect); };
        // Collect must stay disabled for as long as a run is on.
        window.onWait = [this](std::int32_t) {
            if (state.autoHarvest == 1) {
                EXPECT_FALSE(window.collectEnabled);
            }
            if (onWait)
                onWait();
        };
    }

    void click() { toggleAutoHarvest(state, window, collect); }
    // The main loop: deliver what is due after the click returned.
    void runEvents() { window.deliverLoads(); }
    bool idle() const
    {
        return state.autoHarvest == 0 && window.collectEnabled && window.autoCaption == literals::autoHarvestIdle();
    }

    HarvestState state;
    FakeWindow window;
    std::function<void()> collect = [this] { collectPage(state, window); };
    std::function<void()> onWait;
};

TEST_F(AutoHarvestTest, RunsToTheLastPageCollectingEachPageOnce)
{
    window.loadsPerPage = 3; // frames: several document-complete events a page
    click();
    EXPECT_EQ(window.autoCaption, literals::autoHarvestRunning());
    runEvents();
    EXPECT_EQ(window.list, (std::vector<Text>{"http://p1-1.com/", "http://p1-2.com/", "http://p2-1.com/",
                                              "http://p2-2.com/", "http://p3-1.com/", "http://p3-2.com/"}));
    EXPECT_EQ(window.navigations, (std::vector<Text>{address(2), address(3)}));
    EXPECT_TRUE(idle());
    EXPECT_EQ(state.pageNumber, 3);
    EXPECT_EQ(state.pageLoads, 0); // reset by the last page's Collect
}

TEST_F(AutoHarvestTest, StartingOnTheLastPageEndsAfterOnePause)
{
    window.html = resultPage(9, true);
    click();
    EXPECT_EQ(window.list.size(), 2u);
    EXPECT_EQ(window.waits, (std::vector<std::int32_t>{500}));
    EXPECT_TRUE(idle());
    EXPECT_TRUE(window.navigations.empty());
}

TEST_F(AutoHarvestTest, CaptchaInTheMiddleIsToldOnceThenHarvested)
{
    const Text captcha = literals::cp936("<html>请输入以下验证码</html>");
    window.pages[address(2)] = captcha;
    int looks = 0;
    onWait = [&] {
        if (window.html == captcha && ++looks == 3)
            window.html = resultPage(2, false); // the user answered it
    };
    click();
    runEvents();
    EXPECT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.list.size(), 6u);
    EXPECT_EQ(window.navigations, (std::vector<Text>{address(2), address(3)}));
    EXPECT_TRUE(idle());

    // A captcha on a later run tells again: starting resets the count.
    window.html = captcha;
    looks = 0;
    window.pages.clear();
    click();
    EXPECT_EQ(window.messages.size(), 2u);
}

TEST_F(AutoHarvestTest, StopWhileCollectingFinishesThePageAndTurnsNone)
{
    window.onProcessEvents = [this] {
        if (window.list.size() == 1 && state.autoHarvest == 1)
            click(); // stop between two links
    };
    click();
    runEvents();
    EXPECT_EQ(window.list.size(), 2u);
    EXPECT_TRUE(window.navigations.empty());
    EXPECT_TRUE(idle());
}

TEST_F(AutoHarvestTest, StopWhileTurningStillTurnsOnceAndIgnoresTheLoad)
{
    onWait = [this] {
        if (state.autoHarvest == 1 && window.waits.back() == 500 && state.pageLoads == 0)
            click();
    };
    click();
    runEvents();
    EXPECT_EQ(window.navigations, (std::vector<Text>{address(2)}));
    EXPECT_EQ(window.list.size(), 2u); // page 2 is opened, not collected
    EXPECT_TRUE(idle());
}

TEST_F(AutoHarvestTest, StopInLoadPauseCollectsOnceMore)
{
    onWait = [this] {
        if (state.autoHarvest == 1 && state.pageLoads == 1)
            click(); // during the pause after page 2 loaded
    };
    click();
    runEvents();
    EXPECT_EQ(window.list.size(), 4u);
    EXPECT_EQ(window.navigations, (std::vector<Text>{address(2)}));
    EXPECT_TRUE(idle());
}

TEST_F(AutoHarvestTest, StopThenStartCollectsTheShownPageAtOnce)
{
    window.onProcessEvents = [this] {
        if (window.list.size() == 2 && state.autoHarvest == 1)
            click();
    };
    click();
    runEvents();
    window.onProcessEvents = nullptr;
    ASSERT_TRUE(idle());
    click(); // page 1 again: collected at once, then the run goes on
    runEvents();
    EXPECT_EQ(window.list.size(), 8u);
    EXPECT_TRUE(idle());
}

TEST_F(AutoHarvestTest, LoadsWithoutARunAreNotCounted)
{
    onPageLoaded(state, window, collect);
    EXPECT_EQ(state.pageLoads, 0);
    EXPECT_TRUE(window.list.empty());
}

} // namespace
