#include "support/streamcipher.h"

#include <gtest/gtest.h>

#include <vector>

using namespace gleaner;

namespace {

ByteBuffer hex(std::string_view h)
{
    std::vector<std::uint8_t> out;
    for (std::size_t i = 0; i + 1 < h.size(); i += 2)
        out.push_back(static_cast<std::uint8_t>(std::stoi(std::string(h.substr(i, 2)), nullptr, 16)));
    return ByteBuffer(std::move(out));
}

std::string bytes(std::string_view h) { return std::string(hex(h).view()); }

struct Vector {
    const char* name;
    std::string key;
    ByteBuffer plain;
    ByteBuffer cipher;
};

void PrintTo(const Vector& c, std::ostream* os) { *os << c.name; }

class Rc4VectorTest : public testing::TestWithParam<Vector> { };

TEST_P(Rc4VectorTest, MatchesPublishedKeystream)
{
    StreamCipher c;
    EXPECT_EQ(c.encryptBytes(GetParam().plain, GetParam().key), GetParam().cipher);
    EXPECT_EQ(c.decryptBytes(GetParam().cipher, GetParam().key), GetParam().plain);
}

INSTANTIATE_TEST_SUITE_P(
    Published, Rc4VectorTest,
    testing::Values(
        // RFC 6229, 40-bit key, keystream bytes 0 to 31.
        Vector{"rfc6229_40bit", bytes("0102030405"), blankBytes(32),
               hex("b2396305f03dc027ccc3524a0a1118a86982944f18fc82d589c403a47a0d0919")},
        // RFC 6229, 128-bit key, keystream bytes 0 to 15.
        Vector{"rfc6229_128bit", bytes("0102030405060708090a0b0c0d0e0f10"), blankBytes(16),
               hex("9ac7cc9a609d1ef7b2932899cde41b97")},
        Vector{"key_plaintext", "Key", textToBytes("Plaintext"), hex("bbf316e8d940af0ad3")},
        Vector{"wiki_pedia", "Wiki", textToBytes("pedia"), hex("1021bf0420")},
        Vector{"secret_attack", "Secret", textToBytes("Attack at dawn"), hex("45a01f645fc35b383552544b9bf5")}),
    [](const testing::TestParamInfo<Vector>& info) { return std::string(info.param.name); });

TEST(StreamCipher, RoundTripsAndRepeats)
{
    StreamCipher c;
    const ByteBuffer data("any\0data\xff", 9);
    const ByteBuffer once = c.encryptBytes(data, "k3y");
    EXPECT_EQ(c.encryptBytes(data, "k3y"), once); // the keystream starts afresh
    EXPECT_EQ(c.decryptBytes(once, "k3y"), data);
    EXPECT_EQ(c.encryptBytes(ByteBuffer(), "k3y").length(), 0);
}

TEST(StreamCipher, KeySchedule)
{
    StreamCipher c;
    const ByteBuffer data("abcdef", 6);
    EXPECT_EQ(c.encryptBytes(data, ""), data); // never keyed: all-zero state, zero keystream

    const ByteBuffer withKey = c.encryptBytes(data, "Key");
    EXPECT_EQ(c.encryptBytes(data, ""), withKey); // empty key: the last schedule
    EXPECT_EQ(c.key(), "Key");

    const auto scheduled = c.state();
    c.setKey("Key");
    EXPECT_EQ(c.state(), scheduled);
    c.setKey("key"); // differs only in case: scheduled again
    EXPECT_EQ(c.key(), "key");
    EXPECT_NE(c.state(), scheduled);
    EXPECT_NE(c.encryptBytes(data, ""), withKey);

    StreamCipher copy = c.copy();
    copy.setKey("other");
    EXPECT_EQ(c.key(), "key");
}

TEST(StreamCipher, ProgressPercentages)
{
    StreamCipher c;
    std::vector<std::int32_t> seen;
    c.setProgressHandler([&](std::int32_t p) { seen.push_back(p); });

    c.encryptBytes(ByteBuffer("abc", 3), "k");
    EXPECT_EQ(seen, (std::vector<std::int32_t>{33, 66, 100}));

    seen.clear();
    c.encryptBytes(blankBytes(100), "k");
    std::vector<std::int32_t> expected;
    for (int i = 1; i <= 100; ++i)
        expected.push_back(i);
    EXPECT_EQ(seen, expected); // 29, 57 and 58 included

    seen.clear();
    c.encryptBytes(ByteBuffer(), "k");
    EXPECT_EQ(seen, (std::vector<std::int32_t>{100}));
}

TEST(StreamCipher, TextsStopAtTheFirstZeroByte)
{
    StreamCipher c;
    // Make the second enciphered byte zero: plaintext byte = keystream byte.
    const ByteBuffer keystream = c.encryptBytes(blankBytes(3), "Key");
    const std::string plain = {'a', static_cast<char>(keystream[1]), 'c'};
    const Text enciphered = c.encryptText(plain, "Key");
    EXPECT_EQ(enciphered.size(), 1u);
    EXPECT_EQ(c.decryptText(enciphered, "Key"), "a");
    EXPECT_EQ(c.decryptText(c.encryptText("Hello", "Key"), "Key"), "Hello");
}

TEST(StreamCipher, DecryptWithProgressInstallsHandler)
{
    StreamCipher shared;
    const ByteBuffer secret = StreamCipher().encryptBytes(textToBytes("caption"), "0123456789A");
    EXPECT_EQ(bytesToText(decryptWithProgress(shared, secret, "0123456789A", {})), "caption");

    std::int32_t last = -1;
    decryptWithProgress(shared, secret, "0123456789A", [&](std::int32_t p) { last = p; });
    EXPECT_EQ(last, 100);
}

} // namespace
