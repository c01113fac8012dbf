// Decryption of the longest text the 16-bit reader handled, beside the same
// text through the plain step-by-step form of the cipher (the reference its
// speed is judged against), and a whole load of a typical result file.

#include "resultfile/pc1_cipher.h"
#include "resultfile/result_load.h"
#include "pc1_plain_loop.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string sampleFileBytes()
{
    std::ifstream in(std::filesystem::path(TAVO_TEST_DATA) / "ivanova.cry", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// 65,535 hex letters of a text without zero bytes, so every pair decrypts.
const std::string &longText()
{
    static const std::string letters = [] {
        std::string plain(32767, ' ');
        for (std::size_t i = 0; i < plain.size(); ++i)
            plain[i] = char('A' + i % 26);
        return tavo::resultFileCipher().PC1EncryptHexText(plain) + "a";
    }();
    return letters;
}

// One decryption of the long text by the program's cipher, and one by the
// plain step-by-step loop: the work each benchmark below times.
void decryptFast(const std::string &letters)
{
    const std::string out = tavo::resultFileCipher().PC1DecryptHexText(letters);
    benchmark::DoNotOptimize(out.data());
}

void decryptPlain(const std::string &key, const std::string &letters)
{
    tavo::plain_pc1::PC1DecryptHexText(key.c_str(), letters.data(), letters.size());
    benchmark::DoNotOptimize(tavo::plain_pc1::decryptedArea);
    benchmark::ClobberMemory();
}

void BM_DecryptLongText(benchmark::State &state)
{
    const std::string &letters = longText();
    for (auto _ : state)
        decryptFast(letters);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(letters.size()));
}
BENCHMARK(BM_DecryptLongText)->Unit(benchmark::kMicrosecond);

void BM_DecryptLongTextPlainLoop(benchmark::State &state)
{
    const std::string &letters = longText();
    const std::string key(tavo::resultFileKey());
    for (auto _ : state)
        decryptPlain(key, letters);
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(letters.size()));
}
BENCHMARK(BM_DecryptLongTextPlainLoop)->Unit(benchmark::kMicrosecond);

// The two decryptions in turns, each iteration both in alternating order and
// timed apart, so that both meet the same moments of a busy machine: their
// ratio is the counter "ratio", the figure the goal is judged by.
void BM_DecryptLongTextBesidePlainLoop(benchmark::State &state)
{
    using Clock = std::chrono::steady_clock;
    const std::string &letters = longText();
    const std::string key(tavo::resultFileKey());
    Clock::duration fast{};
    Clock::duration plain{};
    const auto timeFast = [&] {
        const auto start = Clock::now();
        decryptFast(letters);
        fast += Clock::now() - start;
    };
    const auto timePlain = [&] {
        const auto start = Clock::now();
        decryptPlain(key, letters);
        plain += Clock::now() - start;
    };
    bool fastFirst = true;
    for (auto _ : state) {
        if (fastFirst) {
            timeFast();
            timePlain();
        } else {
            timePlain();
            timeFast();
        }
        fastFirst = !fastFirst;
    }
    state.counters["ratio"] = double(fast.count()) / double(plain.count());
}
BENCHMARK(BM_DecryptLongTextBesidePlainLoop)->Unit(benchmark::kMicrosecond);

void BM_LoadTypicalResultText(benchmark::State &state)
{
    const std::string bytes = sampleFileBytes();
    if (bytes.empty()) {
        state.SkipWithError("sample result file missing");
        return;
    }
    for (auto _ : state) {
        const tavo::LoadOutcome outcome = tavo::loadResultText(bytes);
        benchmark::DoNotOptimize(&outcome);
    }
    state.SetLabel(std::to_string(bytes.size()) + " bytes");
}
BENCHMARK(BM_LoadTypicalResultText)->Unit(benchmark::kMicrosecond);

void BM_LoadTypicalResultFile(benchmark::State &state)
{
    const auto path = std::filesystem::path(TAVO_TEST_DATA) / "ivanova.cry";
    for (auto _ : state) {
        const tavo::LoadOutcome outcome = tavo::loadResultFile(path);
        benchmark::DoNotOptimize(&outcome);
    }
}
BENCHMARK(BM_LoadTypicalResultFile)->Unit(benchmark::kMicrosecond);

} // namespace
