#include "harvest/listcommands.h"

#include "search/literals.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace gleaner {

namespace {

long systemWrite(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }

WriteFunction& writeFunction()
{
    static WriteFunction write = systemWrite;
    return write;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const long n = writeFunction()(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// The mode a newly created file would get: the temporary file starts private.
mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

std::string folderOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

void setExportWriteFunction(WriteFunction write)
{
    writeFunction() = write ? std::move(write) : WriteFunction(systemWrite);
}

void copyLink(HarvestWindow& window)
{
    const std::int32_t selected = window.selectedLink();
    if (selected < 0)
        return;
    window.setClipboardText(window.linkText(selected));
}

void openLink(HarvestWindow& window)
{
    const std::int32_t selected = window.selectedLink();
    if (selected < 0)
        return;
    window.navigate(window.linkText(selected));
}

void clearLinks(HarvestState& state, HarvestWindow& window)
{
    auto fresh = std::make_unique<LinkSet>();
    fresh->copyFrom(*state.emptyLinkSet);
    state.seenLinks = std::move(fresh);
    window.clearLinkList();
    window.setLinkCountLabel(intToText(window.linkCount()));
}

std::string exportBytes(HarvestWindow& window)
{
    std::string bytes;
    const std::int32_t count = window.linkCount();
    for (std::int32_t i = 0; i < count; ++i) {
        bytes += window.linkText(i);
        bytes += "\r\n";
    }
    return bytes;
}

void exportLinks(HarvestWindow& window)
{
    if (window.linkCount() == 0)
        return;
    const std::optional<std::string> path = window.askSavePath("Good", window.programFolder());
    if (!path)
        return;

    std::string temporary = folderOf(*path) + "/.export-XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        window.showMessage(literals::cp936("导出失败,请确认磁盘有写权限"), true);
        return;
    }
    const bool written = writeAll(fd, exportBytes(window));
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::chmod(temporary.c_str(), newFileMode()) != 0 ||
        std::rename(temporary.c_str(), path->c_str()) != 0) {
        ::unlink(temporary.c_str());
        window.showMessage(literals::cp936("保存失败,请重试！"), true);
    }
}

} // namespace gleaner
