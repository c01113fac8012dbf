// The checked writer's steps, the same on every system: a new file beside
// the target, every write, the flush to the disk and the close checked, then
// one rename over the target. The system calls are in system_file_*.cpp.

#include "files/atomic_file.h"

#include "files/file_messages.h"
#include "system_file.h"

#include <utility>

namespace tavo {

namespace {

ScopedWriteFault::Fault &currentFault()
{
    static ScopedWriteFault::Fault fault;
    return fault;
}

// A name for the temporary file in the target's folder: hidden on POSIX
// systems by its dot (and by an attribute on Windows), short enough for any
// file-name limit, told apart by the process and a counter. It is created
// only where no file of that name is.
std::filesystem::path temporaryName(const std::filesystem::path &file)
{
    static unsigned long counter = 0;
    std::filesystem::path name(".");
    name += file.filename().native().substr(0, 64);
    name += "." + std::to_string(system_file::processId()) + "-" + std::to_string(++counter) + ".tmp";
    return name;
}

class TemporaryFile {
public:
    ~TemporaryFile()
    {
        if (file_.isOpen())
            (void)file_.close();
        if (!path_.empty())
            system_file::removeFile(path_);
    }

    std::error_code create(const system_file::ReplacedFile &replaced)
    {
        if (const auto fault = injectedWriteFault(WriteStep::Create))
            return fault;
        const std::filesystem::path &file = replaced.file;
        const std::filesystem::path folder = file.has_parent_path() ? file.parent_path() : ".";
        for (unsigned attempt = 0; attempt < 100; ++attempt) {
            const std::filesystem::path path = folder / temporaryName(file);
            const std::error_code error = system_file::createNewFile(path, replaced, file_);
            if (!error) {
                path_ = path;
                return {};
            }
            if (error != std::errc::file_exists)
                return error;
        }
        return std::make_error_code(std::errc::file_exists);
    }

    std::error_code write(std::string_view bytes) const
    {
        while (!bytes.empty()) {
            if (const auto fault = injectedWriteFault(WriteStep::Write))
                return fault;
            std::size_t written = 0;
            if (const auto error = system_file::writeSome(file_.get(), bytes, written))
                return error;
            if (written == 0)
                return std::make_error_code(std::errc::io_error);
            bytes.remove_prefix(written);
        }
        return {};
    }

    std::error_code flush() const
    {
        if (const auto fault = injectedWriteFault(WriteStep::Flush))
            return fault;
        return system_file::flushToDisk(file_.get());
    }

    std::error_code close()
    {
        const auto fault = injectedWriteFault(WriteStep::Close);
        const auto error = file_.close();
        return fault ? fault : error;
    }

    std::error_code replace(const std::filesystem::path &file)
    {
        if (const auto fault = injectedWriteFault(WriteStep::Replace))
            return fault;
        if (const auto error = system_file::renameOver(path_, file))
            return error;
        path_.clear();
        return {};
    }

private:
    system_file::File file_;
    std::filesystem::path path_;
};

} // namespace

std::optional<FileError> writeFileAtomically(const std::filesystem::path &target, std::string_view bytes)
{
    const std::string shown = pathText(target);
    const auto cannotCreate = [&](std::error_code code) { return FileError{cannotCreateFileMessage(shown), code}; };
    const auto cannotWrite = [&](std::error_code code) {
        return FileError{cannotWriteFileMessage(shown, code.message()), code};
    };

    if (target.empty())
        return cannotCreate(std::make_error_code(std::errc::no_such_file_or_directory));
    system_file::ReplacedFile replaced;
    if (const auto error = system_file::findReplacedFile(target, replaced))
        return cannotCreate(error);

    TemporaryFile temporary;
    if (const auto error = temporary.create(replaced))
        return cannotCreate(error);
    std::error_code error = temporary.write(bytes);
    if (!error)
        error = temporary.flush();
    if (!error)
        error = temporary.close();
    if (!error)
        error = temporary.replace(replaced.file);
    if (error)
        return cannotWrite(error);
    return std::nullopt;
}

ScopedWriteFault::ScopedWriteFault(Fault fault) : previous_(std::exchange(currentFault(), std::move(fault))) {}

ScopedWriteFault::~ScopedWriteFault() { currentFault() = std::move(previous_); }

std::error_code injectedWriteFault(WriteStep step)
{
    const auto &fault = currentFault();
    return fault ? fault(step) : std::error_code();
}

std::string pathText(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

} // namespace tavo
