#include "common/fake_window.h"

#include "search/commands.h"
#include "search/literals.h"

#include <gtest/gtest.h>

using namespace gleaner;
using gleaner::testing::FakeWindow;

namespace {

const Text kNext = literals::cp936("<a href=\"/s?pn=10\">下一页&gt;</a>");
const Text kPrevious = literals::cp936("<a href=\"/s?pn=0\">&lt;上一页</a>");

class CommandsTest : public ::testing::Test {
protected:
    CommandsTest() { initHarvestState(state); }
    HarvestState state;
    FakeWindow window;
};

TEST_F(CommandsTest, SearchTakesEngineAndPageSize)
{
    state.pageNumber = 7;
    state.resultOffset = 60;
    window.engine = 3;
    window.count = "25";
    runSearch(state, window);
    EXPECT_EQ(state.searchEngine, 3);
    EXPECT_EQ(state.pageSize, 25);
    EXPECT_EQ(state.pageNumber, 1);
    EXPECT_EQ(state.resultOffset, 0);
    EXPECT_EQ(window.lastAddress(), "http://www.sogou.com/web?query=kw&page=1&num=25");
    EXPECT_EQ(window.pageBox, "1");
}

TEST_F(CommandsTest, SearchFillsAnEmptyKeywordOnly)
{
    window.keywordBox = "";
    runSearch(state, window);
    EXPECT_EQ(window.keywordBox, "Orvel's blog");
    EXPECT_EQ(window.lastAddress(), "http://www.baidu.com/s?wd=Orvel's blog&pn=0&rn=10");

    window.keywordBox = " ";
    runSearch(state, window);
    EXPECT_EQ(window.keywordBox, " ");
}

TEST_F(CommandsTest, SearchCountText)
{
    struct Case {
        Text count;
        Text countAfter;
        std::int32_t pageSize;
    };
    for (const Case& c : {Case{"abc", "10", 10}, Case{"0", "10", 10}, Case{"", "10", 10}, Case{"25", "25", 25},
                          Case{"-5", "-5", -5}, Case{"\xA3\xB3\xA3\xB0", "\xA3\xB3\xA3\xB0", 30}}) {
        window.count = c.count;
        runSearch(state, window);
        EXPECT_EQ(window.count, c.countAfter) << c.count;
        EXPECT_EQ(state.pageSize, c.pageSize) << c.count;
    }
}

TEST_F(CommandsTest, SearchOnBingAndWithoutEngine)
{
    window.engine = 1;
    runSearch(state, window);
    EXPECT_EQ(window.lastAddress(), "http://cn.bing.com/search?q=kw&first=1&count=10");
    EXPECT_EQ(window.pageBox, "1");

    window.navigations.clear();
    window.engine = -1;
    window.count = "20";
    runSearch(state, window);
    EXPECT_TRUE(window.navigations.empty());
    EXPECT_EQ(state.searchEngine, -1);
    EXPECT_EQ(state.pageSize, 20);
    EXPECT_EQ(state.pageNumber, 1);
}

TEST_F(CommandsTest, GoToPageReadsThePageBox)
{
    struct Case {
        EngineIndex engine;
        Text box;
        Text address;
        Text boxAfter;
    };
    const Case cases[] = {
        {0, "abc", "http://www.baidu.com/s?wd=kw&pn=0&rn=10", "1"},
        {2, "abc", "http://www.soso.com/q?w=kw&pg=0", "0"},
        {0, " 7", "http://www.baidu.com/s?wd=kw&pn=60&rn=10", "7"},
        {0, "7x", "http://www.baidu.com/s?wd=kw&pn=60&rn=10", "7"},
        {3, "\xA3\xB7", "http://www.sogou.com/web?query=kw&page=7&num=10", "7"}, // full-width 7
        {1, "3", "http://cn.bing.com/search?q=kw&first=21&count=10", "3"},
        {2, "99999999999", "http://www.soso.com/q?w=kw&pg=1215752191", "1215752191"}, // wraps, no overflow
    };
    runSearch(state, window); // Baidu, 10 a page
    for (const Case& c : cases) {
        window.engine = c.engine;
        window.pageBox = c.box;
        goToPage(state, window);
        EXPECT_EQ(window.lastAddress(), c.address) << c.box;
        EXPECT_EQ(window.pageBox, c.boxAfter) << c.box;
    }
}

TEST(BingFirstForPage, FollowsBingPaging)
{
    EXPECT_EQ(bingFirstForPage(1, "10"), 1);
    EXPECT_EQ(bingFirstForPage(3, "10"), 21);
    EXPECT_EQ(bingFirstForPage(2, "50"), 51);
    EXPECT_EQ(bingFirstForPage(3, "abc"), 1);
    EXPECT_EQ(bingFirstForPage(3, "-5"), 1);
    EXPECT_EQ(bingFirstForPage(0, "10"), -9);
}

TEST_F(CommandsTest, NextPageMarkers)
{
    const Text forms[] = {
        literals::cp936(">下一页&gt;"),
        literals::cp936("<b>x</b><span>>下一页</b>"),
        literals::cp936(">下一页</a>"),
        literals::cp936(">下一页</A>"),
    };
    for (const Text& marker : forms) {
        state.pageNumber = 1;
        state.captchaPrompts = 3;
        window.html = "<html>" + marker + "</html>";
        nextPage(state, window);
        EXPECT_EQ(state.pageNumber, 2) << marker;
        EXPECT_EQ(state.captchaPrompts, 0) << marker;
        EXPECT_EQ(window.lastAddress(), "http://www.baidu.com/s?wd=kw&pn=0&rn=10") << marker; // pageSize 0
    }
    EXPECT_EQ(window.processed, 4); // events handled once per call
}

TEST_F(CommandsTest, NextPageOnTheLastPage)
{
    state.pageNumber = 4;
    state.captchaPrompts = 2;
    window.html = literals::cp936("<a>上一页</a> 下一页");
    nextPage(state, window);
    EXPECT_TRUE(window.navigations.empty());
    EXPECT_EQ(state.pageNumber, 4);
    EXPECT_EQ(state.captchaPrompts, 2);
    EXPECT_EQ(window.autoCaption, ""); // no run was on: nothing ends

    state.autoHarvest = 1;
    window.collectEnabled = false;
    window.autoCaption = literals::autoHarvestRunning();
    nextPage(state, window);
    EXPECT_EQ(state.autoHarvest, 0);
    EXPECT_TRUE(window.collectEnabled);
    EXPECT_EQ(window.autoCaption, literals::autoHarvestIdle());
}

TEST_F(CommandsTest, NextPageFollowsTheEngineListNotTheSearch)
{
    runSearch(state, window); // Baidu
    window.engine = 3;
    window.html = kNext;
    nextPage(state, window);
    EXPECT_EQ(state.pageNumber, 2);
    EXPECT_EQ(state.searchEngine, 0);
    EXPECT_EQ(window.lastAddress(), "http://www.sogou.com/web?query=kw&page=2&num=10");
}

TEST_F(CommandsTest, BingPagingUsesTheLastLink)
{
    window.engine = 1;
    window.html = kNext + "<a href=\"/search?q=kw&amp;first=11&amp;FORM=PORE\">2</a>"
                          "<a href=\"/search?q=kw&amp;first=21&amp;FORM=PORE\">3</a>";
    nextPage(state, window);
    EXPECT_EQ(window.lastAddress(), "http://cn.bing.com/search?q=kw&first=21&FORM=PORE&count=10");

    window.html = kNext; // a next link, but none in Bing's form
    nextPage(state, window);
    EXPECT_EQ(window.lastAddress(), "http://cn.bing.com/search?q=kw&first=0&FORM=PORE&count=10");

    window.html = kPrevious + "<a href=\"/search?q=kw&amp;first=1&amp;FORM=PQRE\">1</a>"
                              "<a href=\"/search?q=kw&amp;first=11&amp;FORM=PQRE\">2</a>";
    previousPage(state, window);
    EXPECT_EQ(window.lastAddress(), "http://cn.bing.com/search?q=kw&first=11&FORM=PQRE&count=10");
}

TEST_F(CommandsTest, PreviousPage)
{
    struct Case {
        EngineIndex engine;
        Text address;
        Text box;
    };
    for (const Case& c : {Case{0, "http://www.baidu.com/s?wd=kw&pn=0&rn=10", "1"},
                          Case{4, "http://g.test/search?hl=zh-CN&q=kw&start=0&num=10", "1"},
                          Case{2, "http://www.soso.com/q?w=kw&pg=0", "0"},
                          Case{3, "http://www.sogou.com/web?query=kw&page=0&num=10", "0"}}) {
        window.engine = 0;
        runSearch(state, window); // page 1, 10 a page
        state.captchaPrompts = 5;
        window.engine = c.engine;
        window.html = kPrevious;
        previousPage(state, window);
        EXPECT_EQ(window.lastAddress(), c.address);
        EXPECT_EQ(window.pageBox, c.box);
        EXPECT_EQ(state.captchaPrompts, 5);
    }
    for (const Text& marker : {literals::cp936("&lt;上一页<"), literals::cp936(">上一页</A>"),
                               literals::cp936("<B>上一页</b>")}) {
        state.pageNumber = 3;
        window.html = marker;
        previousPage(state, window);
        EXPECT_EQ(state.pageNumber, 2) << marker;
    }
}

TEST_F(CommandsTest, PreviousPageWithoutALinkDoesNothing)
{
    runSearch(state, window);
    window.navigations.clear();
    window.html = kNext;
    previousPage(state, window);
    EXPECT_TRUE(window.navigations.empty());
    EXPECT_EQ(state.pageNumber, 1);
}

} // namespace
