#include "common/fake_window.h"

#include "harvest/listcommands.h"
#include "search/literals.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace gleaner;
using gleaner::testing::FakeWindow;
namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class ListCommandsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        initHarvestState(state);
        folder = fs::temp_directory_path() / ("gleaner-export-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
        window.list = {"http://a.com", "http://\xD6\xD0\xCE\xC4.cn/x", "http://b.com"};
    }
    void TearDown() override
    {
        setExportWriteFunction(nullptr);
        fs::remove_all(folder);
    }
    std::vector<std::string> filesInFolder() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    HarvestState state;
    FakeWindow window;
    fs::path folder;
};

const std::string kThreeLinks = "http://a.com\r\nhttp://\xD6\xD0\xCE\xC4.cn/x\r\nhttp://b.com\r\n";

TEST_F(ListCommandsTest, ExportWritesEachLinkWithCrLfAndNothingElse)
{
    window.savePath = (folder / "Good.txt").string();
    exportLinks(window);
    EXPECT_EQ(window.dialogsOpened, (std::vector<std::string>{"/program/folder"}));
    EXPECT_EQ(readFile(folder / "Good.txt"), kThreeLinks);
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"Good.txt"}));
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(ListCommandsTest, ExportOfAnEmptyListOpensNoDialog)
{
    window.list.clear();
    window.savePath = (folder / "Good.txt").string();
    exportLinks(window);
    EXPECT_TRUE(window.dialogsOpened.empty());
    EXPECT_FALSE(fs::exists(folder / "Good.txt"));
}

TEST_F(ListCommandsTest, CancelledDialogWritesNothing)
{
    exportLinks(window);
    EXPECT_EQ(window.dialogsOpened.size(), 1u);
    EXPECT_TRUE(filesInFolder().empty());
    EXPECT_TRUE(window.messages.empty());
}

TEST_F(ListCommandsTest, ExportReplacesALongerFileWhole)
{
    const fs::path target = folder / "links.txt";
    std::ofstream(target, std::ios::binary) << std::string(5000, 'x');
    window.savePath = target.string();
    exportLinks(window);
    EXPECT_EQ(readFile(target), kThreeLinks);
}

TEST_F(ListCommandsTest, FolderThatCannotTakeAFile)
{
    window.savePath = (folder / "missing" / "Good.txt").string();
    exportLinks(window);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, literals::cp936("导出失败,请确认磁盘有写权限"));
    EXPECT_TRUE(window.messages[0].error);
    EXPECT_TRUE(filesInFolder().empty());
}

TEST_F(ListCommandsTest, FailedWriteKeepsTheOldFile)
{
    const fs::path target = folder / "links.txt";
    std::ofstream(target, std::ios::binary) << "old contents\r\n";
    // The disk fills up after a few bytes.
    setExportWriteFunction([written = std::size_t{0}](int fd, const void* data, std::size_t size) mutable -> long {
        if (written >= 10) {
            errno = ENOSPC;
            return -1;
        }
        const std::size_t n = std::min<std::size_t>(size, 10 - written);
        written += n;
        return ::write(fd, data, n);
    });
    window.savePath = target.string();
    exportLinks(window);
    ASSERT_EQ(window.messages.size(), 1u);
    EXPECT_EQ(window.messages[0].text, literals::cp936("保存失败,请重试！"));
    EXPECT_TRUE(window.messages[0].error);
    EXPECT_EQ(readFile(target), "old contents\r\n");
    EXPECT_EQ(filesInFolder(), (std::vector<std::string>{"links.txt"})); // no temporary file left
}

TEST_F(ListCommandsTest, ExportsTheSameLinkAsOftenAsTheListHasIt)
{
    window.list = {"http://a.com", "http://a.com"};
    window.savePath = (folder / "Good.txt").string();
    exportLinks(window);
    EXPECT_EQ(readFile(folder / "Good.txt"), "http://a.com\r\nhttp://a.com\r\n");
}

TEST_F(ListCommandsTest, CopyAndOpenTheSelectedLink)
{
    window.clipboard = "before";
    copyLink(window);
    openLink(window);
    EXPECT_EQ(window.clipboard, "before");
    EXPECT_TRUE(window.navigations.empty());

    window.selected = 1;
    copyLink(window);
    openLink(window);
    EXPECT_EQ(window.clipboard, "http://\xD6\xD0\xCE\xC4.cn/x");
    EXPECT_EQ(window.navigations, (std::vector<Text>{"http://\xD6\xD0\xCE\xC4.cn/x"}));
    EXPECT_EQ(window.list.size(), 3u);
}

TEST_F(ListCommandsTest, ClearEmptiesListAndSet)
{
    state.seenLinks->insert("http://a.com");
    const LinkSet* before = state.seenLinks.get();
    clearLinks(state, window);
    EXPECT_TRUE(window.list.empty());
    EXPECT_EQ(window.countLabel, "0");
    EXPECT_NE(state.seenLinks.get(), before);
    EXPECT_TRUE(state.seenLinks->empty());
    EXPECT_TRUE(state.emptyLinkSet->empty());
    EXPECT_EQ(state.seenLinks->insert("http://a.com"), 1); // harvested again after a clear

    clearLinks(state, window); // an empty list still shows "0"
    EXPECT_EQ(window.countLabel, "0");
}

} // namespace
