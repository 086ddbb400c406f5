#include "support/bytebuffer.h"
#include "support/text.h"

#include <gtest/gtest.h>

#include <climits>

using namespace gleaner;

namespace {

// Code page 936 bytes used below: 中 D6 D0, 文 CE C4, 丂 81 40 (its second
// byte is "@"), 們 82 83.
const std::string kZhong = "\xD6\xD0";
const std::string kWen = "\xCE\xC4";
const std::string kQi = "\x81\x40";

struct FindCase {
    const char* name;
    std::string text;
    std::string sought;
    std::int32_t start;
    bool ignoreCase;
    std::int32_t expected;
};

void PrintTo(const FindCase& c, std::ostream* os) { *os << c.name; }

class FindTextTest : public testing::TestWithParam<FindCase> { };

TEST_P(FindTextTest, FindsAtCharacterStarts)
{
    const FindCase& c = GetParam();
    EXPECT_EQ(findText(c.text, c.sought, c.start, c.ignoreCase), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindTextTest,
    testing::Values(
        FindCase{"slash_from_10", "http://ab.com/x", "/", 10, false, 14},
        FindCase{"slash_short_link", "http://ab", "/", 10, false, -1},
        FindCase{"slash_at_exactly_10", "https://a/b", "/", 10, false, 10},
        FindCase{"start_zero_is_one", "abc", "a", 0, false, 1},
        FindCase{"start_negative_is_one", "abc", "a", -7, false, 1},
        FindCase{"start_past_end", "abc", "a", 4, false, -1},
        FindCase{"empty_text", "", "a", 1, false, -1},
        FindCase{"empty_sought", "abc", "", 1, false, 1},
        FindCase{"longer_than_rest", "abc", "bcd", 1, false, -1},
        FindCase{"case_folded", "see HELLO", "hello", 1, true, 5},
        FindCase{"case_exact", "see HELLO", "hello", 1, false, -1},
        FindCase{"trail_byte_is_not_a_match", kQi, "@", 1, false, -1},
        FindCase{"after_trail_byte", kQi + "@", "@", 1, false, 3},
        FindCase{"trail_byte_not_folded_match", "\x81\x61", "A", 1, true, -1},
        FindCase{"folded_after_pair", "\x81\x61" "a", "A", 1, true, 3},
        FindCase{"across_characters", kZhong + kWen, "\xD0\xCE", 1, false, -1},
        FindCase{"whole_character", "ab" + kZhong + kWen, kWen, 1, false, 5},
        FindCase{"lone_lead_at_end", "ab\xD6", "\xD6", 1, false, 3},
        FindCase{"walk_starts_on_a_trail", kZhong + "A", "\xD0" "A", 2, false, 2},
        FindCase{"odd_run_before_candidate", "x\xD6\xD0\xD6" "@@", "@", 1, false, 6},
        FindCase{"even_run_before_candidate", "x\xD6\xD0\xD6\xD0@", "@", 1, false, 6},
        FindCase{"second_occurrence_after_trail", "\x81@\x81@@", "@", 1, false, 5},
        FindCase{"double_byte_sought", "a" + kZhong + "b" + kZhong, kZhong, 3, false, 5}),
    [](const testing::TestParamInfo<FindCase>& info) { return std::string(info.param.name); });

// The fast search must agree with the plain character walk everywhere.
TEST(FindText, AgreesWithCharacterWalkOnMixedText)
{
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += (i % 3 == 0) ? kQi : (i % 5 == 0 ? std::string("@/") : kZhong);
    auto walk = [&](std::string_view sought, std::size_t from) -> std::int32_t {
        std::size_t pos = from;
        while (pos < text.size()) {
            if (text.compare(pos, sought.size(), sought) == 0)
                return static_cast<std::int32_t>(pos + 1);
            pos += static_cast<unsigned char>(text[pos]) >= 0x80 ? 2 : 1;
        }
        return -1;
    };
    for (std::size_t from = 0; from < 64; ++from) {
        for (std::string_view sought : {"@", "/", "\x40\xD6", "\xD0\x81"}) {
            EXPECT_EQ(findText(text, sought, static_cast<std::int32_t>(from + 1)), walk(sought, from))
                << "from " << from << " sought " << testing::PrintToString(std::string(sought));
        }
    }
}

struct ReplaceCase {
    const char* name;
    std::string text;
    std::string sub;
    std::string replacement;
    std::int32_t start;
    std::int32_t count;
    bool caseSensitive;
    std::string expected;
};

void PrintTo(const ReplaceCase& c, std::ostream* os) { *os << c.name; }

class ReplaceTextTest : public testing::TestWithParam<ReplaceCase> { };

TEST_P(ReplaceTextTest, Replaces)
{
    const ReplaceCase& c = GetParam();
    EXPECT_EQ(replaceText(c.text, c.sub, c.replacement, c.start, c.count, c.caseSensitive), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReplaceTextTest,
    testing::Values(
        ReplaceCase{"no_rescan", "aabb", "ab", "", 1, -1, true, "ab"},
        ReplaceCase{"remove_amp", "a&amp;b&amp;amp;c", "amp;", "", 1, -1, true, "a&b&c"},
        ReplaceCase{"from_start_position", "abab", "ab", "", 3, -1, true, "ab"},
        ReplaceCase{"count_limits", "ababab", "ab", "X", 1, 2, true, "XXab"},
        ReplaceCase{"count_zero_copies", "abab", "ab", "X", 1, 0, true, "abab"},
        ReplaceCase{"empty_sub_copies", "abab", "", "X", 1, -1, true, "abab"},
        ReplaceCase{"start_past_end_copies", "abab", "ab", "X", 5, -1, true, "abab"},
        ReplaceCase{"start_below_one", "abab", "ab", "X", -2, -1, true, "XX"},
        ReplaceCase{"empty_text", "", "ab", "X", 1, -1, true, ""},
        ReplaceCase{"case_insensitive", "AbaBab", "ab", "x", 1, -1, false, "xxx"},
        ReplaceCase{"case_sensitive", "AbaBab", "ab", "x", 1, -1, true, "AbaBx"},
        ReplaceCase{"trail_byte_kept", "\x81@@", "@", "", 1, -1, true, "\x81@"},
        ReplaceCase{"replacement_not_rescanned", "aa", "a", "aa", 1, -1, true, "aaaa"},
        ReplaceCase{"chinese", "\xD6\xD0" "amp;" "\xCE\xC4", "amp;", "", 1, -1, true, "\xD6\xD0\xCE\xC4"}),
    [](const testing::TestParamInfo<ReplaceCase>& info) { return std::string(info.param.name); });

TEST(TextSlices, LeftMidLength)
{
    EXPECT_EQ(textLeft("abc", 5), "abc");
    EXPECT_EQ(textLeft("abc", 2), "ab");
    EXPECT_EQ(textLeft("abc", 0), "");
    EXPECT_EQ(textLeft("abc", -1), "");
    EXPECT_EQ(textMid("abc", 0, 1), "");
    EXPECT_EQ(textMid("abc", 4, 1), "");
    EXPECT_EQ(textMid("abc", 2, 0), "");
    EXPECT_EQ(textMid("abc", 2, 9), "bc");
    EXPECT_EQ(textMid(kZhong, 2, 1), "\xD0"); // half a character, as asked
    EXPECT_EQ(textLength(""), 0);
    EXPECT_EQ(textLength(kZhong + "a"), 3);
}

TEST(TextBetween, Markers)
{
    struct Case {
        std::string text, start, end, expected;
    };
    const Case cases[] = {
        {" class=\"t\"><a href=\"http://x/\">t</a>", "href=\"", "\"", "http://x/"},
        {"a[b]c]d", "[", "]", "b"},     // first end marker wins
        {"abc[", "[", "]", ""},         // start marker ends the text
        {"a[bc", "[", "]", ""},         // no end marker
        {"no markers", "[", "]", ""},   // start marker absent: the empty text
        {"<a name=x>t</a>", "href=\"", "\"", ""},
        {"[]", "[", "]", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(textBetween(c.text, c.start, c.end), c.expected) << c.text;
}

TEST(TextMisc, ConcatCompareCharToUpper)
{
    EXPECT_EQ(concatText("a", "", std::string("bc"), "d"), "abcd");
    EXPECT_EQ(compareText("", std::string()), 0);
    EXPECT_EQ(compareText("a", "b"), -1);
    EXPECT_EQ(compareText("b", "a"), 1);
    EXPECT_EQ(compareText("ab", "abc"), -1);
    EXPECT_EQ(compareText("\xD6", "a"), 1); // bytes compare unsigned
    EXPECT_EQ(charFromCode(0), "");
    EXPECT_EQ(charFromCode(0x141), "A"); // low 8 bits only
    EXPECT_EQ(charFromCode(0xD6), "\xD6");
    EXPECT_EQ(toUpperText("ab\x81" "a" "c"), "AB\x81" "aC"); // the pair's second byte stays
    EXPECT_EQ(toUpperText(""), "");
}

struct ToIntCase {
    std::string text;
    std::int32_t expected;
};

class TextToIntTest : public testing::TestWithParam<ToIntCase> { };

TEST_P(TextToIntTest, Converts) { EXPECT_EQ(textToInt(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToIntTest,
    testing::Values(ToIntCase{"10", 10}, ToIntCase{"  10", 10}, ToIntCase{"10abc", 10}, ToIntCase{"", 0},
                    ToIntCase{"abc", 0}, ToIntCase{" 7", 7}, ToIntCase{"7x", 7}, ToIntCase{"\t\n\v\f\r7", 7},
                    ToIntCase{"-5", -5}, ToIntCase{"+7", 7}, ToIntCase{"- 5", 0}, ToIntCase{"--5", 0},
                    ToIntCase{"\xA3\xB1\xA3\xB0", 10},              // full-width 10
                    ToIntCase{"\xA3\xAD\xA3\xB5", -5},              // full-width minus five
                    ToIntCase{"\xA1\xA1" "8", 8},                   // ideographic space
                    ToIntCase{"\xD6\xD0" "8", 0},                   // other characters stop it
                    ToIntCase{"2147483647", INT32_MAX},
                    ToIntCase{"2147483648", INT32_MIN},              // wraps
                    ToIntCase{"-2147483648", INT32_MIN},
                    ToIntCase{"4294967297", 1},
                    ToIntCase{"99999999999999999999", 1661992959}, // (10^20 - 1) mod 2^32
                    ToIntCase{"12\xA3", 12}));                      // lone lead byte at the end

TEST(TextToInt, IntToTextRoundTrips)
{
    EXPECT_EQ(intToText(-5), "-5");
    EXPECT_EQ(intToText(0), "0");
    EXPECT_EQ(intToText(INT32_MIN), "-2147483648");
    for (std::int32_t v : {0, 1, -1, 42, 100000, INT32_MAX, INT32_MIN})
        EXPECT_EQ(textToInt(intToText(v)), v);
}

TEST(ByteBuffer, Conversions)
{
    EXPECT_EQ(bytesToText(ByteBuffer("ab\0cd", 5)), "ab");
    EXPECT_EQ(bytesToText(ByteBuffer()), "");
    EXPECT_EQ(bytesToText(ByteBuffer("\0", 1)), "");
    EXPECT_EQ(textToBytes("").length(), 0);
    EXPECT_EQ(textToBytes(kZhong), ByteBuffer(kZhong.data(), 2));
    EXPECT_EQ(blankBytes(3), ByteBuffer("\0\0\0", 3));
    EXPECT_EQ(blankBytes(0).length(), 0);
    EXPECT_EQ(blankBytes(-4).length(), 0);
    EXPECT_EQ(bytesLength(ByteBuffer("a\0b", 3)), 3);
}

} // namespace
