// Collect over a large result page, and export of a long list, each against a
// plain baseline on the same data in the same run.

#include "result_page.h"
#include "ratio_reporter.h"

#include "common/fake_window.h"

#include "harvest/collect.h"
#include "harvest/listcommands.h"
#include "support/regexobject.h"

#include <cstdio>
#include <filesystem>
#include <unistd.h>

using namespace gleaner;

namespace {

const std::string& page()
{
    static const std::string p = bench::resultPage();
    return p;
}

// The whole Collect pass (Bing's rule: links pass unchanged, no network).
void CollectPage(benchmark::State& state)
{
    HarvestState harvest;
    initHarvestState(harvest);
    harvest.searchEngine = 1;
    for (auto _ : state) {
        gleaner::testing::FakeWindow window;
        window.html = page();
        window.domainOnlyBox = false; // every link of the page stays distinct
        window.deduplicateBox = true;
        harvest.seenLinks = std::make_unique<LinkSet>();
        collectPage(harvest, window);
        if (window.list.size() != 500)
            state.SkipWithError("wrong link count");
    }
}
BENCHMARK(CollectPage)->Unit(benchmark::kMicrosecond);

// Just the extraction: the heading expression and the href cut.
void BareExtraction(benchmark::State& state)
{
    for (auto _ : state) {
        RegexObject re;
        re.create("<h3(.*?)</h3>");
        const std::int32_t n = re.execute(page());
        std::size_t bytes = 0;
        for (std::int32_t i = 1; i <= n; ++i)
            bytes += textBetween(re.subMatchText(i, 1), "href=\"", "\"").size();
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BareExtraction)->Unit(benchmark::kMicrosecond);

constexpr int kLinks = 200'000;

gleaner::testing::FakeWindow& longList()
{
    static gleaner::testing::FakeWindow window = [] {
        gleaner::testing::FakeWindow w;
        for (int i = 0; i < kLinks; ++i)
            w.list.push_back("http://www.host" + std::to_string(i) + ".example.com");
        return w;
    }();
    return window;
}

std::string exportPath() { return (std::filesystem::temp_directory_path() / "gleaner-bench-export.txt").string(); }

void ExportLinks(benchmark::State& state)
{
    auto& window = longList();
    window.savePath = exportPath();
    for (auto _ : state)
        exportLinks(window);
    std::filesystem::remove(exportPath());
}
BENCHMARK(ExportLinks)->Unit(benchmark::kMillisecond);

// The same bytes, collected from the list, in one buffered write.
void OneBufferedWrite(benchmark::State& state)
{
    auto& window = longList();
    for (auto _ : state) {
        std::string bytes;
        for (const Text& link : window.list) {
            bytes += link;
            bytes += "\r\n";
        }
        std::FILE* f = std::fopen(exportPath().c_str(), "wb");
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }
    std::filesystem::remove(exportPath());
}
BENCHMARK(OneBufferedWrite)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runWithRatios(argc, argv,
                                {{"Collect 1 MB page / bare extraction", "CollectPage", "BareExtraction", 3.0},
                                 {"export 200,000 links / one buffered write", "ExportLinks", "OneBufferedWrite", 2.0}});
}
