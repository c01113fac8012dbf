#pragma once
// Building result texts and files for the loading tests.

#include "resultfile/pc1_cipher.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <random>
#include <string_view>

namespace tavo::testing_support {

// Twelve "%3d" fields that add up to total (0..108).
inline std::string answerLine(int total)
{
    std::string line;
    for (int j = 0; j < 12; ++j) {
        const int v = total / 12 + (j < total % 12 ? 1 : 0);
        line += "  " + std::to_string(v);
    }
    return line;
}

// A result text of 37 CR LF lines: the given header lines and answer lines
// for the given totals.
inline std::string resultText(const std::map<int, std::string> &header, const std::array<int, 12> &ideal,
                              const std::array<int, 12> &real)
{
    std::array<std::string, 37> lines;
    for (const auto &[n, text] : header)
        lines[std::size_t(n)] = text;
    for (std::size_t k = 0; k < 12; ++k) {
        lines[10 + k] = answerLine(ideal[k]);
        lines[25 + k] = answerLine(real[k]);
    }
    std::string text;
    for (const auto &line : lines)
        text += line + "\r\n";
    return text;
}

inline std::string encrypt(std::string_view plain) { return resultFileCipher().PC1EncryptHexText(plain); }

// A file in a fresh folder under the system's temporary folder, removed with it.
class TempDir {
public:
    TempDir()
    {
        // A new folder of its own: creating it fails while the name is taken.
        std::random_device seed;
        std::mt19937 random(seed());
        for (;;) {
            m_path = std::filesystem::temp_directory_path() / ("tavo-test-" + std::to_string(random()));
            std::error_code ec;
            if (std::filesystem::create_directory(m_path, ec))
                break;
            if (ec)
                throw std::filesystem::filesystem_error("cannot make a temporary folder", m_path, ec);
        }
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(m_path, ec);
    }
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    std::filesystem::path write(const std::string &name, std::string_view bytes) const
    {
        const auto file = m_path / name;
        std::ofstream(file, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
        return file;
    }

private:
    std::filesystem::path m_path;
};

inline std::filesystem::path plainSamplesDir()
{
    return std::filesystem::path(TAVO_TEST_DATA).parent_path() / "tests" / "data";
}

inline std::string readFile(const std::filesystem::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace tavo::testing_support
