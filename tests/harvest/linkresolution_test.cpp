#include "common/fixture_server.h"

#include "harvest/linkresolution.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

using namespace gleaner;

namespace {

struct DecodeCase {
    const char* name;
    std::string in;
    std::string out;
};
void PrintTo(const DecodeCase& c, std::ostream* os) { *os << c.name; }

class PercentDecodeTest : public ::testing::TestWithParam<DecodeCase> { };

TEST_P(PercentDecodeTest, Decodes) { EXPECT_EQ(percentDecode(GetParam().in), GetParam().out); }

INSTANTIATE_TEST_SUITE_P(
    Cases, PercentDecodeTest,
    ::testing::Values(DecodeCase{"chinese", "%E4%B8%AD", "\xD6\xD0"},
                      DecodeCase{"lower_case_digits", "%e4%b8%ad", "\xD6\xD0"},
                      DecodeCase{"slash_both_cases", "a%2fb%2Fc", "a/b/c"},
                      DecodeCase{"zero_adds_nothing", "a%00b", "ab"},
                      DecodeCase{"no_escape", "http://x.com/a+b?c=d", "http://x.com/a+b?c=d"},
                      DecodeCase{"escaped_percent_once", "%2541", "%41"},
                      DecodeCase{"invalid_utf8", "a%FFb", "a?b"},
                      DecodeCase{"outside_code_page", "%F0%9F%98%80!", "?!"},
                      DecodeCase{"combining_mark_composes", "e%CC%81", "\xA8\xA6"},
                      DecodeCase{"escape_at_the_very_end", "ab%4", "ab"},
                      DecodeCase{"lone_percent_at_the_end", "100%", "100"},
                      DecodeCase{"invalid_escape_dropped", "a%zzb", "ab"},
                      DecodeCase{"empty", "", ""}),
    [](const ::testing::TestParamInfo<DecodeCase>& info) { return std::string(info.param.name); });

TEST(PercentDecode, TwiceUnwrapsAnEscapedEscape) { EXPECT_EQ(percentDecode(percentDecode("%2541")), "A"); }

TEST(Conversions, Utf8ToUtf16AndBack)
{
    const ByteBuffer utf16 = utf8ToUtf16(textToBytes("a\xE4\xB8\xAD"));
    EXPECT_EQ(utf16, ByteBuffer("a\0\x2d\x4e", 4)); // little-endian code units
    EXPECT_EQ(utf16ToGbk(utf16), "a\xD6\xD0");
    EXPECT_EQ(utf8ToGbk(ByteBuffer()), "");
    EXPECT_EQ(utf8ToUtf16(ByteBuffer()).length(), 0);
    EXPECT_EQ(utf16ToGbk(ByteBuffer("\x00\xD8" "a\0", 4)), "?a"); // lone surrogate
    EXPECT_EQ(utf16ToGbk(ByteBuffer("a\0\0\0b\0", 6)), "a");       // ends at a zero character
}

class RedirectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.handle("/abs", [](const httplib::Request&, httplib::Response& res) {
            res.status = 302;
            res.set_header("Location", "http://target.example/page?x=1");
        });
        server.handle("/rel", [](const httplib::Request&, httplib::Response& res) {
            res.status = 301;
            res.set_header("Location", "/elsewhere");
        });
        server.page("/plain", "<html></html>");
        port = server.start();
        saved = redirectSettings();
    }
    void TearDown() override { redirectSettings() = saved; }

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port) + path; }

    gleaner::testing::FixtureServer server;
    int port = 0;
    RedirectSettings saved;
};

TEST_F(RedirectTest, ReadsTheLocationHeaderWithoutFollowingIt)
{
    EXPECT_EQ(resolveRedirect(url("/abs")), "http://target.example/page?x=1");
    EXPECT_EQ(resolveRedirect(url("/rel")), "/elsewhere");
    EXPECT_EQ(resolveRedirect(url("/plain")), "");
    EXPECT_EQ(server.requests(),
              (std::vector<std::string>{"127.0.0.1/abs", "127.0.0.1/rel", "127.0.0.1/plain"}));
}

TEST_F(RedirectTest, RefusesWhatIsNotAWebAddress)
{
    EXPECT_EQ(resolveRedirect(""), "");
    EXPECT_EQ(resolveRedirect("file:///etc/hostname"), "");
    EXPECT_EQ(resolveRedirect("ftp://127.0.0.1:" + std::to_string(port) + "/abs"), "");
    EXPECT_EQ(resolveRedirect("gopher://127.0.0.1:" + std::to_string(port) + "/abs"), "");
    EXPECT_EQ(resolveRedirect("/link?url=abc"), "");
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(RedirectTest, ConnectToSendsAHostToTheLocalServer)
{
    redirectSettings().connectTo = {"www.baidu.com:80:127.0.0.1:" + std::to_string(port)};
    EXPECT_EQ(resolveRedirect("http://www.baidu.com/abs"), "http://target.example/page?x=1");
    EXPECT_EQ(server.requests(), (std::vector<std::string>{"www.baidu.com/abs"}));
}

TEST_F(RedirectTest, ClosedPortAndSilentServerGiveTheEmptyText)
{
    // A port nobody listens on.
    const int closed = [] {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in addr{};
        addr.sin_family = AF_INET;
        addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
        socklen_t len = sizeof addr;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len);
        ::close(fd);
        return ntohs(addr.sin_port);
    }();
    EXPECT_EQ(resolveRedirect("http://127.0.0.1:" + std::to_string(closed) + "/abs"), "");

    // A server that accepts connections and never answers.
    const int silent = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(silent, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ASSERT_EQ(::listen(silent, 4), 0);
    socklen_t len = sizeof addr;
    ::getsockname(silent, reinterpret_cast<sockaddr*>(&addr), &len);
    redirectSettings().connectTimeout = std::chrono::milliseconds(200);
    redirectSettings().totalTimeout = std::chrono::milliseconds(400);
    EXPECT_EQ(resolveRedirect("http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/abs"), "");
    ::close(silent);
}

TEST(ResolveResultLink, ByEngine)
{
    HarvestState state;
    initHarvestState(state);
    const std::string escaped = "http://x.com/a%20b?q=%E4%B8%AD";
    for (EngineIndex engine : {1, 2, 3, 7}) {
        state.searchEngine = engine;
        EXPECT_EQ(resolveResultLink(state, escaped), escaped) << engine;
    }
    state.searchEngine = 4;
    EXPECT_EQ(resolveResultLink(state, "/url?q=http://t.com/%E4%B8%AD&sa=U&ved=1"), "http://t.com/\xD6\xD0");
    EXPECT_EQ(resolveResultLink(state, "http://g.test/url?q=http://t.com/%2541&sa=U"), "http://t.com/A");
    EXPECT_EQ(resolveResultLink(state, "/url?q=http://t.com/"), ""); // no "&sa="
    EXPECT_EQ(resolveResultLink(state, escaped), escaped);           // not a wrapper: not decoded
    state.searchEngine = 0;
    EXPECT_EQ(resolveResultLink(state, ""), "");
    EXPECT_EQ(resolveResultLink(state, "/s?wd=x"), "");
}

} // namespace
