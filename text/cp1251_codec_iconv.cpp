#include "text/cp1251_codec.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <stdexcept>

namespace tavo {

namespace {

// One conversion descriptor per direction and thread: iconv_t carries shift
// state, so it is not shared between threads.
class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    // Converts the whole input; on a sequence the target cannot take, calls
    // onInvalid(remaining input, output) which appends a stand-in and returns
    // how many input bytes it stands for.
    template <typename OnInvalid>
    std::string convert(std::string_view in, std::size_t outPerInByte, OnInvalid onInvalid)
    {
        std::string out;
        out.resize(in.size() * outPerInByte);
        auto *inPtr = const_cast<char *>(in.data());
        std::size_t inLeft = in.size();
        std::size_t written = 0;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char *outPtr = out.data() + written;
            std::size_t outLeft = out.size() - written;
            const std::size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            written = std::size_t(outPtr - out.data());
            if (rc != std::size_t(-1))
                break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2 + 16);
                continue;
            }
            // EILSEQ or EINVAL (a sequence cut off at the end).
            out.resize(written);
            const std::size_t used = onInvalid(std::string_view(inPtr, inLeft), out);
            inPtr += used;
            inLeft -= used;
            written = out.size();
            out.resize(written + inLeft * outPerInByte);
        }
        out.resize(written);
        return out;
    }

private:
    iconv_t cd_;
};

// The length of the UTF-8 sequence that starts with lead, at least one byte.
std::size_t utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    return 1;
}

} // namespace

std::string cp1251ToUtf8(std::string_view cp1251)
{
    thread_local Converter decoder("UTF-8", "CP1251");
    return decoder.convert(cp1251, 3, [](std::string_view rest, std::string &out) {
        // The unassigned byte: its C1 control character, two UTF-8 bytes.
        const auto byte = static_cast<unsigned char>(rest.front());
        out.push_back(char(0xC0 | (byte >> 6)));
        out.push_back(char(0x80 | (byte & 0x3F)));
        return std::size_t{1};
    });
}

std::string utf8ToCp1251(std::string_view utf8)
{
    thread_local Converter encoder("CP1251", "UTF-8");
    return encoder.convert(utf8, 1, [](std::string_view rest, std::string &out) {
        if (rest.starts_with("\xC2\x98")) { // back to the unassigned byte it came from
            out.push_back('\x98');
            return std::size_t{2};
        }
        out.push_back('?');
        // Skip the whole character, but never past a byte that starts the next one.
        const std::size_t length = std::min(utf8SequenceLength(static_cast<unsigned char>(rest.front())), rest.size());
        std::size_t used = 1;
        while (used < length && (static_cast<unsigned char>(rest[used]) & 0xC0) == 0x80)
            ++used;
        return used;
    });
}

} // namespace tavo
