#include "support/codepage.h"

#include <gtest/gtest.h>

#include <iconv.h>

using namespace gleaner;

namespace {

TEST(CodePage, Cp936ToUtf8)
{
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"", ""},
        {"abc", "abc"},
        {"\xD6\xD0\xCE\xC4", "\xE4\xB8\xAD\xE6\x96\x87"},  // 中文
        {"\x82\x83", "\xE5\x80\x91"},                      // 們, outside GB2312
        {"\x80", "\xE2\x82\xAC"},                          // the euro sign stands alone
        {"a\xD6", "a\xEF\xBF\xBD"},                        // lone lead byte at the end
        {"\xFF" "a", "\xEF\xBF\xBD" "a"},
        {"\xD6\x30", "\xEF\xBF\xBD" "0"},                  // no valid second byte
    };
    for (const Case& c : cases)
        EXPECT_EQ(cp936ToUtf8(c.in), c.out) << testing::PrintToString(c.in);
}

TEST(CodePage, StrictConversionRefusesUnits)
{
    EXPECT_EQ(cp936ToUtf8Strict("\x82\x83" "a"), std::optional<std::string>("\xE5\x80\x91" "a"));
    EXPECT_EQ(cp936ToUtf8Strict(""), std::optional<std::string>(""));
    EXPECT_EQ(cp936ToUtf8Strict("a\xD6"), std::nullopt);
    EXPECT_EQ(cp936ToUtf8Strict("\xFF"), std::nullopt);
}

TEST(CodePage, Utf8ToCp936)
{
    struct Case {
        std::string in, out;
    };
    const Case cases[] = {
        {"", ""},
        {"plain", "plain"},
        {"\xE4\xB8\xAD", "\xD6\xD0"},                      // 中
        {"e\xCC\x81", "\xA8\xA6"},                          // e + combining acute composes to é
        {"\xC3\xA9", "\xA8\xA6"},                           // é precomposed
        {"A\xCC\x8A", "?"},                                  // Å composes, then has no code
        {"\xF0\x9F\x98\x80", "?"},                           // emoji: outside the code page
        {"a\xC3(", "a?("},                                   // invalid sequence
        {"\xE4\xB8", "??"},                                  // truncated at the end
        {"\xED\xA0\x80", "???"},                             // encoded surrogate
        {"\xC0\xAF", "??"},                                  // overlong "/"
        {"\xE2\x82\xAC", "\x80"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(utf8ToCp936(c.in), c.out) << testing::PrintToString(c.in);
}

TEST(CodePage, Utf16RoundTrip)
{
    const std::string text = "a\xE4\xB8\xAD\xF0\x9F\x98\x80";
    const std::u16string u16 = utf8ToUtf16(text);
    EXPECT_EQ(u16, (std::u16string{u'a', u'\u4e2d', 0xD83D, 0xDE00}));
    EXPECT_EQ(utf16ToUtf8(u16), text);
    EXPECT_EQ(utf16ToUtf8(std::u16string{0xD800, u'a'}), "\xEF\xBF\xBD" "a");
    EXPECT_EQ(utf8ToUtf16("\xFF"), std::u16string(1, 0xFFFD));
}

// Every double-byte code agrees with a direct iconv call, in both directions.
TEST(CodePage, AgreesWithIconvOverTheWholeCodePage)
{
    iconv_t cd = iconv_open("UTF-8", "CP936");
    ASSERT_NE(cd, reinterpret_cast<iconv_t>(-1));
    int checked = 0;
    for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue;
            char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
            char out[8];
            char* src = in;
            char* dst = out;
            std::size_t inLeft = 2, outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &src, &inLeft, &dst, &outLeft) == static_cast<std::size_t>(-1))
                continue;
            const std::string utf8(out, sizeof out - outLeft);
            ASSERT_EQ(cp936ToUtf8(std::string(in, 2)), utf8) << std::hex << lead << trail;
            ASSERT_EQ(utf8ToCp936(utf8), std::string(in, 2)) << std::hex << lead << trail;
            ++checked;
        }
    }
    iconv_close(cd);
    EXPECT_GT(checked, 21000);
}

} // namespace
