// Support objects against plain baselines on the same data, in the same run.

#include "result_page.h"
#include "ratio_reporter.h"

#include "support/codepage.h"
#include "support/linkset.h"
#include "support/regexobject.h"
#include "support/text.h"

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <unordered_set>

using namespace gleaner;

namespace {

const std::vector<std::string>& links()
{
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> out;
        out.reserve(1'000'000);
        for (int i = 0; i < 1'000'000; ++i) {
            std::string k = "http://www.host" + std::to_string(i) + ".example.com/";
            k.resize(40, 'p');
            out.push_back(std::move(k));
        }
        return out;
    }();
    return keys;
}

const std::string& page()
{
    static const std::string p = bench::resultPage();
    return p;
}

void LinkSetInsert(benchmark::State& state)
{
    for (auto _ : state) {
        LinkSet set;
        for (const std::string& k : links())
            benchmark::DoNotOptimize(set.insert(k));
    }
}
BENCHMARK(LinkSetInsert)->Unit(benchmark::kMillisecond);

void UnorderedSetInsert(benchmark::State& state)
{
    for (auto _ : state) {
        std::unordered_set<std::string> set;
        for (const std::string& k : links())
            benchmark::DoNotOptimize(set.insert(k));
    }
}
BENCHMARK(UnorderedSetInsert)->Unit(benchmark::kMillisecond);

void RegexHeadings(benchmark::State& state)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        RegexObject re;
        re.create("<h3(.*?)</h3>");
        const std::int32_t n = re.execute(page());
        for (std::int32_t i = 1; i <= n; ++i)
            bytes += re.subMatchText(i, 1).size();
        if (n != 500)
            state.SkipWithError("wrong heading count");
    }
    benchmark::DoNotOptimize(bytes);
}
BENCHMARK(RegexHeadings)->Unit(benchmark::kMicrosecond);

void BarePcre2Headings(benchmark::State& state)
{
    const std::string utf8 = cp936ToUtf8(page());
    int error;
    PCRE2_SIZE offset;
    const char* pattern = "<h3(.*?)</h3>";
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern), PCRE2_ZERO_TERMINATED,
                                     PCRE2_UTF | PCRE2_CASELESS | PCRE2_MULTILINE, &error, &offset, nullptr);
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
    pcre2_match_data* md = pcre2_match_data_create_from_pattern(code, nullptr);
    std::size_t bytes = 0;
    for (auto _ : state) {
        PCRE2_SIZE start = 0;
        int n = 0;
        while (pcre2_jit_match(code, reinterpret_cast<PCRE2_SPTR>(utf8.data()), utf8.size(), start, 0, md, nullptr) >
               0) {
            const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(md);
            bytes += ov[3] - ov[2];
            start = ov[1];
            ++n;
        }
        if (n != 500)
            state.SkipWithError("wrong heading count");
    }
    benchmark::DoNotOptimize(bytes);
    pcre2_match_data_free(md);
    pcre2_code_free(code);
}
BENCHMARK(BarePcre2Headings)->Unit(benchmark::kMicrosecond);

// Every "/" of the page, one findText after the other, from position 10 on.
void FindSlashes(benchmark::State& state)
{
    for (auto _ : state) {
        int count = 0;
        for (std::int32_t p = findText(page(), "/", 10); p > 0; p = findText(page(), "/", p + 1))
            ++count;
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(FindSlashes)->Unit(benchmark::kMicrosecond);

void PlainScanSlashes(benchmark::State& state)
{
    for (auto _ : state) {
        const std::string& s = page();
        int count = 0;
        for (std::size_t i = 9; i < s.size(); ++i)
            count += s[i] == '/';
        benchmark::DoNotOptimize(count);
    }
}
BENCHMARK(PlainScanSlashes)->Unit(benchmark::kMicrosecond);

void ReplaceAmp(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(replaceText(page(), "amp;"));
}
BENCHMARK(ReplaceAmp)->Unit(benchmark::kMicrosecond);

void PlainScanRemoveAmp(benchmark::State& state)
{
    for (auto _ : state) {
        const std::string& s = page();
        std::string out;
        out.reserve(s.size());
        for (std::size_t i = 0; i < s.size();) {
            if (s.compare(i, 4, "amp;") == 0) {
                i += 4;
            } else {
                out.push_back(s[i]);
                ++i;
            }
        }
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(PlainScanRemoveAmp)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runWithRatios(
        argc, argv,
        {{"LinkSet insert 1M links / std::unordered_set", "LinkSetInsert", "UnorderedSetInsert", 2.0},
         {"RegexObject headings+groups / bare PCRE2 JIT loop", "RegexHeadings", "BarePcre2Headings", 3.0},
         {"findText \"/\" over 1 MB / plain byte scan", "FindSlashes", "PlainScanSlashes", 3.0},
         {"replaceText \"amp;\" over 1 MB / plain byte scan", "ReplaceAmp", "PlainScanRemoveAmp", 3.0}});
}
