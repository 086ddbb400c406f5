#include "support/regexobject.h"

#include <gtest/gtest.h>

using namespace gleaner;

namespace {

const char* const kHeading = "<h3(.*?)</h3>";
const std::string kZhong = "\xD6\xD0";
const std::string kWen = "\xCE\xC4";

struct GroupCase {
    const char* name;
    std::string pattern;
    std::string subject;
    std::vector<std::string> group1; // group 1 of each match, in order
};

void PrintTo(const GroupCase& c, std::ostream* os) { *os << c.name; }

class RegexGroupsTest : public testing::TestWithParam<GroupCase> { };

TEST_P(RegexGroupsTest, FindsEveryMatch)
{
    const GroupCase& c = GetParam();
    RegexObject re;
    ASSERT_EQ(re.create(c.pattern), 1);
    ASSERT_EQ(re.execute(c.subject), static_cast<std::int32_t>(c.group1.size()));
    for (std::size_t i = 0; i < c.group1.size(); ++i)
        EXPECT_EQ(re.subMatchText(static_cast<std::int32_t>(i + 1), 1), c.group1[i]) << "match " << i + 1;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RegexGroupsTest,
    testing::Values(
        GroupCase{"two_on_one_line", kHeading, "<h3 class=t><a href=\"x\">a</a></h3><h3>b</h3>",
                  {" class=t><a href=\"x\">a</a>", ">b"}},
        GroupCase{"capital_tags", kHeading, "<H3>A</H3><h3>b</H3>", {">A", ">b"}},
        GroupCase{"line_feed_breaks_heading", kHeading, "<h3>a\nb</h3><h3>c</h3>", {">c"}},
        GroupCase{"carriage_return_is_any_character", kHeading, "<h3>a\rb</h3>", {">a\rb"}},
        GroupCase{"chinese_text_kept_as_is", kHeading, "x" + kZhong + "<h3>" + kWen + kZhong + "</h3>" + kWen,
                  {">" + kWen + kZhong}},
        GroupCase{"invalid_bytes_kept_as_is", "a(.)b", "a\xFF" "b", {"\xFF"}},
        GroupCase{"no_match", kHeading, "<h2>a</h2>", {}},
        GroupCase{"bing_paging", "first=([0-9]{2,3})&amp;FORM=PORE",
                  "first=11&amp;FORM=PORE x first=1&amp;FORM=PORE first=21&amp;FORM=PORE first=1234&amp;FORM=PORE",
                  {"11", "21"}}), // four digits do not match
    [](const testing::TestParamInfo<GroupCase>& info) { return std::string(info.param.name); });

TEST(RegexObject, CharactersCountOnce)
{
    RegexObject re;
    ASSERT_EQ(re.create("^.{2}$"), 1);
    EXPECT_EQ(re.execute(kZhong + kWen), 1);
    EXPECT_EQ(re.matchText(1), kZhong + kWen);
    ASSERT_EQ(re.create("^.{3}$"), 1);
    EXPECT_EQ(re.execute(kZhong + kWen), 0);
    ASSERT_EQ(re.create(kZhong + "+"), 1); // a double-byte character repeats as a whole
    EXPECT_EQ(re.execute(kZhong + kZhong + kWen), 1);
    EXPECT_EQ(re.matchText(1), kZhong + kZhong);
}

TEST(RegexObject, EmptyValuesOutsideTheMatches)
{
    RegexObject fresh;
    EXPECT_EQ(fresh.execute("abc"), 0);
    EXPECT_EQ(fresh.matchText(1), "");
    EXPECT_EQ(fresh.subMatchCount(), 0);
    EXPECT_EQ(fresh.pattern(), "");
    EXPECT_EQ(fresh.replace("abc", "x"), "");

    RegexObject re;
    ASSERT_EQ(re.create(kHeading), 1);
    EXPECT_EQ(re.subMatchCount(), 0);
    EXPECT_EQ(re.execute("nothing here"), 0);
    EXPECT_EQ(re.matchText(0), "");
    EXPECT_EQ(re.execute("<h3>a</h3>"), 1);
    EXPECT_EQ(re.subMatchCount(), 1);
    EXPECT_EQ(re.matchText(1), "<h3>a</h3>");
    EXPECT_EQ(re.matchText(0), "");
    EXPECT_EQ(re.matchText(2), "");
    EXPECT_EQ(re.subMatchText(1, 2), "");
    EXPECT_EQ(re.subMatchText(1, -1), "");
    EXPECT_EQ(re.matchCount(), 1);
}

TEST(RegexObject, PatternThatDoesNotCompile)
{
    RegexObject re;
    ASSERT_EQ(re.create("a"), 1);
    EXPECT_EQ(re.execute("a"), 1);
    EXPECT_EQ(re.create("(unclosed"), 0);
    EXPECT_EQ(re.pattern(), "");
    EXPECT_EQ(re.matchCount(), 0);
    EXPECT_EQ(re.execute("(unclosed"), 0);
    EXPECT_EQ(re.matchText(1), "");
}

TEST(RegexObject, Flags)
{
    RegexObject re;
    ASSERT_EQ(re.create("<h3>", false), 1);
    EXPECT_EQ(re.execute("<H3><h3>"), 1);
    ASSERT_EQ(re.create("a", true, true, false), 1);
    EXPECT_EQ(re.execute("aaa"), 1);
    ASSERT_EQ(re.create("^b"), 1);
    EXPECT_EQ(re.execute("a\nb"), 1);
    ASSERT_EQ(re.create("^b", true, false), 1);
    EXPECT_EQ(re.execute("a\nb"), 0);
    EXPECT_EQ(re.pattern(), "^b");
}

TEST(RegexObject, EmptyMatchesStepOverWholeCharacters)
{
    RegexObject re;
    ASSERT_EQ(re.create("x*"), 1);
    EXPECT_EQ(re.execute(kZhong + "a"), 3); // before 中, before a, at the end
    EXPECT_EQ(re.matchText(2), "");
}

TEST(RegexObject, CopiesShareResults)
{
    RegexObject re;
    ASSERT_EQ(re.create("(b)"), 1);
    re.execute("abcb");
    const RegexObject copy = re.copy();
    EXPECT_EQ(copy.matchCount(), 2);
    EXPECT_EQ(copy.subMatchText(2, 1), "b");
    EXPECT_EQ(copy.pattern(), "(b)");
}

TEST(RegexObject, Replace)
{
    RegexObject re;
    ASSERT_EQ(re.create("a(\\d)"), 1);
    EXPECT_EQ(re.replace("a1" + kZhong + "a2", "<$1>"), "<1>" + kZhong + "<2>");
    ASSERT_EQ(re.create("a", true, true, false), 1);
    EXPECT_EQ(re.replace("aAa", "b"), "bAa");
}

// A long page: offsets far apart and many Chinese characters between the
// headings. The groups must be the very bytes between the markers.
TEST(RegexObject, LongPageGroupsMatchPlainExtraction)
{
    std::string page;
    std::vector<std::string> expected;
    for (int i = 0; i < 300; ++i) {
        for (int k = 0; k < (i * 37) % 200; ++k)
            page += (k % 7 == 0) ? std::string("<p>") : kZhong;
        std::string inside = " class=\"t\"><a href=\"http://h" + std::to_string(i) + "/\">" + kWen;
        for (int k = 0; k < i % 9; ++k)
            inside += kZhong + "x";
        page += "<h3" + inside + "</h3>\n";
        expected.push_back(inside);
    }
    RegexObject re;
    ASSERT_EQ(re.create(kHeading), 1);
    ASSERT_EQ(re.execute(page), 300);
    for (int i = 0; i < 300; ++i)
        ASSERT_EQ(re.subMatchText(i + 1, 1), expected[static_cast<std::size_t>(i)]) << i;
}

} // namespace

namespace {

std::vector<std::string> allGroups(const std::string& pattern, const std::string& subject)
{
    RegexObject re;
    std::vector<std::string> out;
    if (re.create(pattern) != 1)
        return {"<no pattern>"};
    const std::int32_t n = re.execute(subject);
    for (std::int32_t i = 1; i <= n; ++i) {
        out.push_back(re.matchText(i));
        for (std::int32_t g = 1; g <= re.subMatchCount(); ++g)
            out.push_back("g" + std::to_string(g) + "=" + re.subMatchText(i, g));
    }
    return out;
}

// Patterns made only of ASCII are matched over a copy in which each
// double-byte character stands in as one placeholder character. "(?i)" in
// front keeps the meaning (case is ignored anyway) but forces the full
// conversion, so the two must agree on everything.
TEST(RegexObject, PlaceholderMatchingAgreesWithFullConversion)
{
    const std::string zh = "\xD6\xD0", wen = "\xCE\xC4", qi = "\x81\x40";
    const std::vector<std::string> subjects = {
        "<h3>" + zh + "a" + wen + "</h3>x<H3 c>" + qi + "@</h3>",
        zh + wen + zh + "ab" + qi + "cd" + zh + wen + wen + wen + zh + zh + zh + zh + "end",
        "a\x80" "b" + zh,                          // a single-byte unit: falls back
        zh + "\xFF" + wen,                         // an invalid byte: falls back
        "tail" + zh + "\xD6",                      // lone lead at the end: falls back
        std::string(40, 'a') + zh + zh + zh + zh + zh + std::string(9, 'b'),
    };
    const std::vector<std::string> patterns = {"<h3(.*?)</h3>", ".", "[^a]+", "\\W+", "\\b\\w+\\b",
                                               ".{2}",          "x*", "(a|.)(.)", "^.*$", "@"};
    for (const std::string& s : subjects) {
        for (const std::string& p : patterns) {
            EXPECT_EQ(allGroups(p, s), allGroups("(?i)" + p, s))
                << "pattern " << p << " subject " << testing::PrintToString(s);
        }
    }
}

TEST(RegexObject, BackReferencesTellCharactersApart)
{
    const std::string zh = "\xD6\xD0", wen = "\xCE\xC4";
    RegexObject re;
    ASSERT_EQ(re.create("(.)\\1"), 1);
    EXPECT_EQ(re.execute(zh + wen), 0);
    EXPECT_EQ(re.execute(zh + zh), 1);
}

} // namespace
