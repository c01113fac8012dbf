// Opening whatever a path names: pipes, FIFOs and devices give what their
// writer supplies or fail promptly, and never more is read than the limit.

#include "files/file_prefix.h"
#include "resultfile/result_load.h"
#include "result_samples.h"

#include <gtest/gtest.h>

#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include "../fifo_writers.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#endif

using namespace tavo;
using namespace tavo::testing_support;
using namespace std::chrono_literals;

namespace {

std::string sampleBytes() { return readFile(std::filesystem::path(TAVO_TEST_DATA) / "ivanova.cry"); }

bool cannotOpen(const LoadOutcome &outcome)
{
    const auto *error = std::get_if<LoadError>(&outcome);
    return error && error->kind == LoadError::Kind::CannotOpen;
}

bool loadsAsSample(const LoadOutcome &outcome)
{
    const auto *result = std::get_if<LoadedResult>(&outcome);
    return result && *result == std::get<LoadedResult>(loadResultText(sampleBytes()));
}

#ifdef _WIN32
// A named pipe whose one writer, on a thread of its own, waits for the
// reader, writes `bytes`, holds the pipe open for `silence` and closes it.
// The reader must open it, or the writer waits for ever.
class PipeWriter {
public:
    PipeWriter(std::string bytes, std::chrono::milliseconds silence)
        : name_(L"\\\\.\\pipe\\tavo-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++count_))
    {
        const HANDLE pipe = CreateNamedPipeW(name_.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 65536,
                                             65536, 0, nullptr);
        made_ = pipe != INVALID_HANDLE_VALUE;
        if (!made_)
            return;
        thread_ = std::thread([pipe, bytes = std::move(bytes), silence] {
            if (ConnectNamedPipe(pipe, nullptr) || GetLastError() == ERROR_PIPE_CONNECTED) {
                DWORD written = 0;
                WriteFile(pipe, bytes.data(), DWORD(bytes.size()), &written, nullptr);
                Sleep(DWORD(silence.count()));
            }
            CloseHandle(pipe);
        });
    }
    ~PipeWriter()
    {
        if (thread_.joinable())
            thread_.join();
    }
    bool made() const { return made_; }
    std::filesystem::path path() const { return name_; }

private:
    static inline int count_ = 0;
    std::wstring name_;
    bool made_ = false;
    std::thread thread_;
};
#else
class FifoLoad : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0); }
    TempDir dir;
    std::filesystem::path fifo = dir.path() / "fifo.cry";
};
#endif

} // namespace

#ifdef _WIN32
// A pipe gives what its writer supplies, to its end; a writer falling silent
// ends the read with nothing; a console or NUL gives nothing.
TEST(FileLoad, PipesAndDevices)
{
    {
        const PipeWriter writer(sampleBytes(), 0ms);
        ASSERT_TRUE(writer.made());
        EXPECT_TRUE(loadsAsSample(loadResultFile(writer.path())));
    }
    {
        const PipeWriter writer("abcdef", 1000ms);
        ASSERT_TRUE(writer.made());
        EXPECT_FALSE(readFilePrefix(writer.path(), 100, 200ms).has_value());
    }
    EXPECT_FALSE(readFilePrefix("NUL", 10).has_value());
    EXPECT_TRUE(cannotOpen(loadResultFile("NUL")));
}
#else
// No writer ever comes: the load says the file cannot be opened instead of
// waiting. (A writer that comes after 20 s frees a reader that would block.)
TEST_F(FifoLoad, WithoutAWriterCannotBeOpened)
{
    const LateFifoWriter late(fifo, sampleBytes(), 20s);
    EXPECT_TRUE(cannotOpen(loadResultFile(fifo)));
}

TEST_F(FifoLoad, GivesWhatItsWriterSupplies)
{
    const FifoWriter writer(fifo, sampleBytes());
    EXPECT_TRUE(loadsAsSample(loadResultFile(fifo)));
}

// A writer that supplies a part and then holds the FIFO open without a word.
TEST_F(FifoLoad, AWriterFallingSilentEndsTheRead)
{
    const FifoWriter writer(fifo, "abcdef", 1s);
    EXPECT_FALSE(readFilePrefix(fifo, 100, 200ms).has_value());
}

// /dev/stdin and process substitution name a pipe: read to its end.
TEST(FileLoad, PipeIsReadToItsEnd)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    std::thread writer([fd = ends[1]] {
        writeAll(fd, sampleBytes());
        ::close(fd);
    });
    const LoadOutcome outcome = loadResultFile("/dev/fd/" + std::to_string(ends[0]));
    writer.join();
    ::close(ends[0]);
    EXPECT_TRUE(loadsAsSample(outcome));
}

// An endless device gives the limit and says there is more; a socket cannot
// be opened.
TEST(FileLoad, DevicesAndSockets)
{
    const auto zeros = readFilePrefix("/dev/zero", 33000);
    ASSERT_TRUE(zeros.has_value());
    EXPECT_EQ(zeros->bytes, std::string(33000, '\0'));
    EXPECT_TRUE(zeros->more);
    EXPECT_EQ(readResultFileText("/dev/zero"), std::string(kUsefulTextChars, '\0'));
    const auto empty = readFilePrefix("/dev/null", 10);
    ASSERT_TRUE(empty.has_value());
    EXPECT_EQ(empty->bytes, "");
    EXPECT_FALSE(empty->more);

    TempDir dir;
    const auto socketPath = dir.path() / "socket.cry";
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.string().copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0);
    EXPECT_TRUE(cannotOpen(loadResultFile(socketPath)));
    ::close(fd);
}

#endif

TEST(FileLoad, RegularFilesUpToTheLimit)
{
    TempDir dir;
    const struct {
        const char *name;
        std::string bytes;
        std::size_t limit;
        std::string expected;
        bool more;
    } cases[] = {
        {"shorter", "abc", 5, "abc", false},      {"exactly the limit", "abcde", 5, "abcde", false},
        {"one past", "abcdef", 5, "abcde", true}, {"empty", "", 5, "", false},
        {"nothing wanted", "abc", 0, "", true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const auto prefix = readFilePrefix(dir.write("f", c.bytes), c.limit);
        ASSERT_TRUE(prefix.has_value());
        EXPECT_EQ(prefix->bytes, c.expected);
        EXPECT_EQ(prefix->more, c.more);
    }
    EXPECT_FALSE(readFilePrefix(dir.path(), 5).has_value()) << "a folder";
    EXPECT_FALSE(readFilePrefix(dir.path() / "missing", 5).has_value());
    EXPECT_FALSE(readFilePrefix("", 5).has_value());
}
