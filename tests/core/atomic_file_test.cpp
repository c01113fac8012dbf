// The checked writer: a file gets its whole new content or stays as it was,
// whichever step fails, on a real full disk as through the test hook. The
// steps are the same on every system; what stands at the target (links,
// FIFOs and devices here, attributes and NUL on Windows) differs.

#include "files/atomic_file.h"
#include "files/file_messages.h"
#include "result_samples.h"

#include <gtest/gtest.h>

#include <set>

#ifdef _WIN32
#include <windows.h>
#else
#include "../full_disk.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

using namespace tavo;
using namespace tavo::testing_support;

namespace {

std::set<std::string> entries(const std::filesystem::path &folder)
{
    std::set<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

#ifndef _WIN32
mode_t modeOf(const std::filesystem::path &path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}
#endif

const std::error_code kNoSpace = std::make_error_code(std::errc::no_space_on_device);

} // namespace

TEST(AtomicFile, WritesNewFilesAndReplacesOldOnesWhole)
{
    TempDir dir;
    const auto file = dir.path() / "report.rtf";
    ASSERT_FALSE(writeFileAtomically(file, std::string(5000, 'z')));
    EXPECT_EQ(readFile(file), std::string(5000, 'z'));
    ASSERT_FALSE(writeFileAtomically(file, "new"));
    EXPECT_EQ(readFile(file), "new");
    ASSERT_FALSE(writeFileAtomically(file, ""));
    EXPECT_EQ(readFile(file), "");
    EXPECT_EQ(entries(dir.path()), std::set<std::string>{"report.rtf"}) << "a temporary file was left";

#ifdef _WIN32
    // The temporary file is hidden; the file that takes its place is not.
    EXPECT_EQ(GetFileAttributesW(file.c_str()) & FILE_ATTRIBUTE_HIDDEN, 0u);
    // A Cyrillic name is written as it is, not through the ANSI code page.
    const auto cyrillic = dir.path() / L"Иванова Анна 12Fmod.rtf";
    ASSERT_FALSE(writeFileAtomically(cyrillic, "report"));
    EXPECT_EQ(readFile(cyrillic), "report");
#else
    // A replaced file keeps its permissions; a symbolic link stays a link.
    std::filesystem::permissions(file, std::filesystem::perms(0640));
    ASSERT_FALSE(writeFileAtomically(file, "again"));
    EXPECT_EQ(modeOf(file) & 07777, 0640u);
    const auto link = dir.path() / "link.rtf";
    std::filesystem::create_symlink("report.rtf", link);
    ASSERT_FALSE(writeFileAtomically(link, "through the link"));
    EXPECT_TRUE(S_ISLNK(modeOf(link)));
    EXPECT_EQ(readFile(file), "through the link");
#endif
}

// Whichever step fails, the old file keeps every byte, nothing else is left
// in its folder, and the message names the file and the system's reason.
TEST(AtomicFile, AFailedStepLeavesTheOldFileAsItWas)
{
    const struct {
        const char *name;
        WriteStep step;
        std::error_code error;
        std::string message; // after the path
    } cases[] = {
        {"create", WriteStep::Create, std::make_error_code(std::errc::permission_denied), ""},
        {"write, disk full", WriteStep::Write, kNoSpace, ": No space left on device"},
        {"write, I/O error", WriteStep::Write, std::make_error_code(std::errc::io_error), ": Input/output error"},
        {"flush", WriteStep::Flush, kNoSpace, ": No space left on device"},
        {"close", WriteStep::Close, std::make_error_code(std::errc::io_error), ": Input/output error"},
        {"replace", WriteStep::Replace, std::make_error_code(std::errc::read_only_file_system),
         ": Read-only file system"},
    };
    TempDir dir;
    const auto file = dir.path() / "old.gif";
    const std::string old = "GIF89a old picture";
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_FALSE(writeFileAtomically(file, old));
        std::vector<WriteStep> steps;
        std::optional<FileError> error;
        {
            ScopedWriteFault fault([&](WriteStep step) {
                steps.push_back(step);
                return step == c.step ? c.error : std::error_code();
            });
            error = writeFileAtomically(file, std::string(100000, 'n'));
        }
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->code, c.error);
        EXPECT_EQ(error->message,
                  (c.message.empty() ? "Cannot create file " : "Cannot write file ") + file.string() + c.message);
        EXPECT_EQ(steps.back(), c.step) << "the writer went on after a failed step";
        EXPECT_EQ(readFile(file), old);
        EXPECT_EQ(entries(dir.path()), std::set<std::string>{"old.gif"});
    }
    // Without the hook the same write goes through.
    ASSERT_FALSE(writeFileAtomically(file, "fine"));
    EXPECT_EQ(readFile(file), "fine");
}

// A folder, a FIFO or a device of the target's name is never replaced, nor
// a file its owner made read-only.
TEST(AtomicFile, OnlyAWritableRegularFileIsReplaced)
{
    TempDir dir;
    const auto folder = dir.path() / "folder";
    std::filesystem::create_directory(folder);
    std::vector<std::filesystem::path> targets{folder};
#ifdef _WIN32
    targets.emplace_back("NUL");
    const auto locked = dir.write("locked.rtf", "old");
    ASSERT_TRUE(SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    targets.push_back(locked);
#else
    const auto fifo = dir.path() / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    targets.push_back(fifo);
    // A twin of /dev/null, where root may make one.
    const auto device = dir.path() / "null";
    if (::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        targets.push_back(device);
#endif
    const auto before = entries(dir.path());
    for (const auto &target : targets) {
        SCOPED_TRACE(target.string());
        std::error_code ignored;
        const auto type = std::filesystem::symlink_status(target, ignored).type();
        const auto error = writeFileAtomically(target, "text");
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->message, "Cannot create file " + target.string());
        EXPECT_EQ(std::filesystem::symlink_status(target, ignored).type(), type);
    }
    EXPECT_TRUE(std::filesystem::is_empty(folder));
    EXPECT_EQ(entries(dir.path()), before);
#ifdef _WIN32
    SetFileAttributesW(locked.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(readFile(locked), "old");
#endif

    const auto missing = dir.path() / "absent" / "x 12Fmod.rtf";
    const auto error = writeFileAtomically(missing, "text");
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->message, "Cannot create file " + missing.string());
    EXPECT_FALSE(std::filesystem::exists(missing.parent_path()));
}

#ifndef _WIN32
// The real thing: a file system with no room left. Small contents as well as
// large ones fail at the write, before anything is replaced.
TEST(AtomicFile, FullDiskKeepsTheOldFileAndSaysSo)
{
    const FullDisk disk;
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot();
    const std::string old = "old report\r\n";
    ASSERT_TRUE(disk.placeAndFill("OLD", old));
    const auto file = disk.folder() / "OLD";
    for (const std::size_t size : {std::size_t(1), std::size_t(300), std::size_t(200000)}) {
        SCOPED_TRACE(size);
        const auto error = writeFileAtomically(file, std::string(size, 'r'));
        ASSERT_TRUE(error.has_value());
        EXPECT_EQ(error->message, "Cannot write file " + file.string() + ": No space left on device");
        EXPECT_EQ(readFile(file), old);
        EXPECT_EQ(entries(disk.folder()), (std::set<std::string>{"OLD", "filler"}));
    }
}
#endif

TEST(FileMessages, NameWhatWasGivenOnOneLine)
{
    const struct {
        const char *name;
        std::string path;
        std::string shown;
    } cases[] = {
        {"plain", "/data/a b.cry", "/data/a b.cry"},
        {"empty", "", "''"},
        {"line breaks", "/tmp/a\nb\r.cry", "/tmp/a\\nb\\r.cry"},
        {"tab and other controls", "x\ty\x01z\x7f", "x\\ty\\x01z\\x7F"},
        {"backslashes and UTF-8 kept", "C:\\Data\\Иванов.cry", "C:\\Data\\Иванов.cry"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(pathForMessage(c.path), c.shown);
        EXPECT_EQ(cannotOpenFileMessage(c.path), "Cannot open file " + c.shown);
        EXPECT_EQ(cannotCreateFileMessage(c.path), "Cannot create file " + c.shown);
        EXPECT_EQ(cannotWriteFileMessage(c.path, "Disk full"), "Cannot write file " + c.shown + ": Disk full");
    }
}
