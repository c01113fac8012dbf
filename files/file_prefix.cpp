// The bounded reader's steps, the same on every system: a regular file is
// read as it is, a pipe or device through the platform's wait for data. The
// system calls are in system_file_*.cpp.

#include "files/file_prefix.h"

#include "system_file.h"

#include <algorithm>

namespace tavo {

namespace {

// Reads until `wanted` bytes or the end; false on a read error. The buffer
// grows by what the file is expected to hold (its size when it was opened,
// and one byte more to see its end), not to `wanted` at once: a small file
// costs no large zero-filled buffer.
bool readRegular(system_file::Handle file, std::string &out, std::size_t wanted, std::size_t expected)
{
    while (out.size() < wanted) {
        const std::size_t start = out.size();
        const std::size_t room = expected + 1 > start ? expected + 1 - start : std::size_t{4096};
        out.resize(start + std::min(wanted - start, room));
        const std::ptrdiff_t n = system_file::readSome(file, out.data() + start, out.size() - start);
        out.resize(start + (n > 0 ? std::size_t(n) : 0));
        if (n == 0)
            return true;
        if (n < 0)
            return false;
    }
    return true;
}

} // namespace

std::optional<FilePrefix> readFilePrefix(const std::filesystem::path &path, std::size_t limit,
                                         std::chrono::milliseconds quiet)
{
    if (path.empty())
        return std::nullopt;
    system_file::File file;
    const auto source = system_file::openForReading(path, file);
    if (!source)
        return std::nullopt;

    FilePrefix prefix;
    const std::size_t wanted = limit + 1;
    const bool complete = source->regular ? readRegular(file.get(), prefix.bytes, wanted, source->size)
                                          : system_file::readStream(file.get(), prefix.bytes, wanted, quiet);
    if (!complete)
        return std::nullopt;
    if (prefix.bytes.size() > limit) {
        prefix.bytes.resize(limit);
        prefix.more = true;
    }
    return prefix;
}

} // namespace tavo
