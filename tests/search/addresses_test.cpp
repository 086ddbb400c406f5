#include "common/fake_window.h"

#include "search/addresses.h"
#include "support/codepage.h"

#include <gtest/gtest.h>

#include <climits>
#include <optional>

using namespace gleaner;
using gleaner::testing::FakeWindow;

namespace {

struct AddressCase {
    const char* name;
    EngineIndex engine;
    std::int32_t value;
    std::optional<std::string> suffix;
    std::string keyword;
    std::string count;
    std::int32_t pageSize;
    std::int32_t pageNumber;           // before the call
    std::optional<std::string> address; // none: nothing is navigated
    std::string pageBox;
    std::int32_t pageNumberAfter;
    std::int32_t resultOffsetAfter;
};

void PrintTo(const AddressCase& c, std::ostream* os) { *os << c.name; }

class NavigateEngineTest : public ::testing::TestWithParam<AddressCase> { };

TEST_P(NavigateEngineTest, BuildsAddress)
{
    const AddressCase& c = GetParam();
    HarvestState state;
    initHarvestState(state);
    state.pageSize = c.pageSize;
    state.pageNumber = c.pageNumber;
    state.resultOffset = -99;
    FakeWindow window;
    window.keywordBox = c.keyword;
    window.count = c.count;
    window.pageBox = "untouched";

    std::optional<std::string_view> suffix;
    if (c.suffix)
        suffix = *c.suffix;
    navigateEngine(state, window, c.engine, c.value, suffix);

    if (c.address) {
        ASSERT_EQ(window.navigations.size(), 1u);
        EXPECT_EQ(window.navigations[0], *c.address);
    } else {
        EXPECT_TRUE(window.navigations.empty());
    }
    EXPECT_EQ(window.pageBox, c.pageBox);
    EXPECT_EQ(state.pageNumber, c.pageNumberAfter);
    EXPECT_EQ(state.resultOffset, c.resultOffsetAfter);
}

const std::string kBaidu = "http://www.baidu.com/s?wd=";
const std::string kBing = "http://cn.bing.com/search?q=";

INSTANTIATE_TEST_SUITE_P(
    Cases, NavigateEngineTest,
    ::testing::Values(
        AddressCase{"baidu_page1", 0, 1, {}, "kw", "10", 10, 1, kBaidu + "kw&pn=0&rn=10", "1", 1, 0},
        AddressCase{"baidu_page3_size20", 0, 3, {}, "kw", "20", 20, 3, kBaidu + "kw&pn=40&rn=20", "3", 3, 40},
        AddressCase{"baidu_page0_resets_to_1", 0, 0, {}, "kw", "10", 10, 0, kBaidu + "kw&pn=0&rn=10", "1", 1, 0},
        AddressCase{"baidu_page0_before_search", 0, 0, {}, "kw", "10", 0, 0, kBaidu + "kw&pn=0&rn=10", "0", 0, 0},
        AddressCase{"baidu_count_changed_after_search", 0, 2, {}, "kw", "50", 20, 2, kBaidu + "kw&pn=20&rn=50", "2", 2,
                    20},
        AddressCase{"baidu_count_text_as_shown", 0, 1, {}, "kw", "15abc", 10, 1, kBaidu + "kw&pn=0&rn=15abc", "1", 1,
                    0},
        AddressCase{"baidu_huge_page_wraps", 0, INT32_MAX, {}, "kw", "10", 10, INT32_MAX,
                    kBaidu + "kw&pn=0&rn=10", "1", 1, 0},
        AddressCase{"google_page3", 4, 3, {}, "kw", "20", 20, 3,
                    "http://g.test/search?hl=zh-CN&q=kw&start=40&num=20", "3", 3, -99},
        AddressCase{"google_page0_resets", 4, 0, {}, "kw", "10", 10, 0,
                    "http://g.test/search?hl=zh-CN&q=kw&start=0&num=10", "1", 1, -99},
        AddressCase{"google_page0_before_search", 4, 0, {}, "kw", "10", 0, 0,
                    "http://g.test/search?hl=zh-CN&q=kw&start=0&num=10", "0", 0, -99},
        AddressCase{"soso_page0", 2, 0, {}, "kw", "10", 10, 0, "http://www.soso.com/q?w=kw&pg=0", "0", 0, -99},
        AddressCase{"sougou_page5", 3, 5, {}, "kw", "50", 10, 5, "http://www.sogou.com/web?query=kw&page=5&num=50",
                    "5", 5, -99},
        AddressCase{"bing_from_search", 1, 1, {}, "kw", "10", 10, 1, kBing + "kw&first=1&count=10", "1", 1, -99},
        AddressCase{"bing_next", 1, 11, std::string("&FORM=PORE"), "kw", "10", 10, 2,
                    kBing + "kw&first=11&FORM=PORE&count=10", "2", 2, -99},
        AddressCase{"no_engine", -1, 1, {}, "kw", "10", 10, 1, {}, "untouched", 1, -99},
        AddressCase{"engine_5", 5, 1, {}, "kw", "10", 10, 1, {}, "untouched", 1, -99},
        // Keywords that would change the address's meaning are escaped.
        AddressCase{"keyword_hash", 0, 3, {}, "C#", "10", 10, 3, kBaidu + "C%23&pn=20&rn=10", "3", 3, 20},
        AddressCase{"keyword_ampersand", 3, 1, {}, "AT&T", "10", 10, 1,
                    "http://www.sogou.com/web?query=AT%26T&page=1&num=10", "1", 1, -99},
        AddressCase{"keyword_plus", 2, 1, {}, "C++", "10", 10, 1, "http://www.soso.com/q?w=C%2B%2B&pg=1", "1", 1, -99},
        AddressCase{"keyword_percent", 4, 1, {}, "100%", "10", 10, 1,
                    "http://g.test/search?hl=zh-CN&q=100%25&start=0&num=10", "1", 1, -99},
        AddressCase{"keyword_space_and_chinese_as_typed", 0, 1, {}, "a b\xD6\xD0", "10", 10, 1,
                    kBaidu + "a b\xD6\xD0&pn=0&rn=10", "1", 1, 0},
        AddressCase{"bing_keyword_utf8", 1, 1, {}, "\x82\x83" "C#", "10", 10, 1,
                    kBing + "%E5%80%91C%23&first=1&count=10", "1", 1, -99},
        AddressCase{"bing_keyword_not_code_page_936", 1, 1, {}, "a\xFF", "10", 10, 1, kBing + "&first=1&count=10",
                    "1", 1, -99}),
    [](const ::testing::TestParamInfo<AddressCase>& info) { return std::string(info.param.name); });

TEST(BingKeyword, CarriesTheCharactersUtf8Bytes)
{
    // 們 is in code page 936 but not in GB2312.
    EXPECT_EQ(bingKeyword("\x82\x83"), "%E5%80%91");
    EXPECT_EQ(bingKeyword("\xD6\xD0 x"), "%E4%B8%AD x");
    EXPECT_EQ(bingKeyword(""), "");
    EXPECT_EQ(bingKeyword("\xD6"), ""); // a lone lead byte is no character
}

} // namespace
