#include "files/atomic_file.h"

#include <utility>

namespace tavo {

namespace {

ScopedWriteFault::Fault &currentFault()
{
    static ScopedWriteFault::Fault fault;
    return fault;
}

} // namespace

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
