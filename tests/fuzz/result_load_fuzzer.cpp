// Loading arbitrary file bytes must end with a result or an error, never a
// crash, and a success must hold a complete report block.

#include "resultfile/result_load.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const tavo::LoadOutcome outcome = tavo::loadResultText(bytes);
    if (const auto *result = std::get_if<tavo::LoadedResult>(&outcome)) {
        if (result->reportBlock.size() != tavo::kReportBlockLines)
            std::abort();
    } else if (std::get<tavo::LoadError>(outcome).kind != tavo::LoadError::Kind::InvalidField) {
        std::abort();
    }
    // The decrypted text is also a result text of its own: parse it directly.
    const tavo::LoadOutcome direct = tavo::parseResultText(bytes);
    (void)direct;
    return 0;
}
