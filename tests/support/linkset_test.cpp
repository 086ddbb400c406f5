#include "support/linkset.h"

#include <gtest/gtest.h>

using namespace gleaner;

namespace {

std::vector<std::string> keysOf(const LinkSet& set)
{
    std::vector<std::string> out;
    for (std::string_view k : set.keys())
        out.emplace_back(k);
    return out;
}

TEST(LinkSet, InsertReportsNewKeysOnly)
{
    LinkSet set;
    EXPECT_EQ(set.insert("http://a"), 1);
    EXPECT_EQ(set.insert("http://a"), 0);
    EXPECT_EQ(set.insert("HTTP://A"), 1); // exact comparison
    EXPECT_EQ(set.insert("http://a/"), 1);
    EXPECT_EQ(set.insert(""), 0);
    EXPECT_EQ(set.size(), 3u);
}

TEST(LinkSet, KeepsInsertionOrderAndFirstValue)
{
    LinkSet set;
    for (const char* k : {"c", "a", "b", "a", "\xD6\xD0"})
        set.insert(k, k);
    EXPECT_EQ(keysOf(set), (std::vector<std::string>{"c", "a", "b", "\xD6\xD0"}));
    set.insert("c", "other");
    EXPECT_EQ(set.value("c"), "c");
}

TEST(LinkSet, OrderSurvivesGrowth)
{
    LinkSet set;
    std::vector<std::string> expected;
    for (int i = 0; i < 5000; ++i) {
        expected.push_back("http://host" + std::to_string((i * 7919) % 5003) + ".example");
        set.insert(expected.back());
    }
    EXPECT_EQ(keysOf(set), expected);
}

TEST(LinkSet, CopyFromReplacesAndSharesNothing)
{
    LinkSet source;
    source.insert("x");
    source.insert("y");
    LinkSet target;
    target.insert("old");
    target.copyFrom(source);
    EXPECT_EQ(keysOf(target), (std::vector<std::string>{"x", "y"}));

    target.insert("z");
    EXPECT_FALSE(source.contains("z"));
    source.clear();
    EXPECT_EQ(keysOf(target), (std::vector<std::string>{"x", "y", "z"}));

    LinkSet empty;
    target.copyFrom(empty);
    EXPECT_TRUE(target.empty());
    EXPECT_EQ(target.insert("x"), 1);
}

} // namespace
