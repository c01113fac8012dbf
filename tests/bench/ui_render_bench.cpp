// One file of a batch `render -o DIR/`, in process: the load, a new result
// panel filled as the render command fills it, the chart's picture and its
// GIF bytes; the same with one panel for every file, as the command does; and
// the parts apart.
#include "display/bar_chart.h"
#include "display/result_panel.h"
#include "export/colour_reduction.h"
#include "export/gif_file.h"
#include "resultfile/result_load.h"

#include <QImage>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <utility>
#include <variant>

namespace {

const std::filesystem::path kSample = std::filesystem::path(TAVO_TEST_DATA) / "ivanova.cry";

// The sample's result, or nothing with the benchmark marked as skipped.
std::optional<tavo::LoadedResult> loadSample(benchmark::State &state)
{
    tavo::LoadOutcome outcome = tavo::loadResultFile(kSample);
    if (auto *result = std::get_if<tavo::LoadedResult>(&outcome))
        return std::move(*result);
    state.SkipWithError("sample result file missing");
    return std::nullopt;
}

// A result panel at the window's size, shown but never mapped.
std::unique_ptr<tavo::ResultPanel> shownPanel() { return tavo::ResultPanel::offScreen(tavo::ResultPanel::kDesignSize); }

QImage chartPictureOf(const tavo::LoadedResult &result)
{
    const auto panel = shownPanel();
    panel->showResult(result);
    return panel->Chart->picture();
}

void BM_RenderFileToGif(benchmark::State &state)
{
    for (auto _ : state) {
        const auto result = loadSample(state);
        if (!result)
            return;
        const auto bytes = tavo::gifBytes(chartPictureOf(*result));
        benchmark::DoNotOptimize(bytes->data());
    }
}
BENCHMARK(BM_RenderFileToGif)->Unit(benchmark::kMillisecond);

void BM_RenderChartPicture(benchmark::State &state)
{
    const auto result = loadSample(state);
    if (!result)
        return;
    for (auto _ : state) {
        const QImage picture = chartPictureOf(*result);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_RenderChartPicture)->Unit(benchmark::kMillisecond);

void BM_GifOfRenderedChart(benchmark::State &state)
{
    const auto result = loadSample(state);
    if (!result)
        return;
    const QImage picture = chartPictureOf(*result);
    for (auto _ : state) {
        const auto bytes = tavo::gifBytes(picture);
        benchmark::DoNotOptimize(bytes->data());
    }
    state.counters["exact"] = tavo::indexPicture(picture).exact ? 1 : 0;
}
BENCHMARK(BM_GifOfRenderedChart)->Unit(benchmark::kMillisecond);

// One file of a batch as the render command does it: one panel, set up once
// with its report and diagram out of sight, shows file after file.
void BM_RenderNextFileToGif(benchmark::State &state)
{
    const auto panel = shownPanel();
    panel->meInfo->hide();
    panel->paPlot->hide();
    std::chrono::steady_clock::duration painting{};
    for (auto _ : state) {
        const auto result = loadSample(state);
        if (!result)
            return;
        panel->showResult(*result);
        const auto paintStart = std::chrono::steady_clock::now();
        const QImage picture = panel->Chart->picture();
        painting += std::chrono::steady_clock::now() - paintStart;
        const auto bytes = tavo::gifBytes(picture);
        benchmark::DoNotOptimize(bytes->data());
    }
    // The chart's picture alone, in milliseconds a file.
    state.counters["picture_ms"] = benchmark::Counter(std::chrono::duration<double, std::milli>(painting).count(),
                                                      benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_RenderNextFileToGif)->Unit(benchmark::kMillisecond);

// The colour reduction alone: the rendered chart has more than 256 colours.
void BM_IndexRenderedChart(benchmark::State &state)
{
    const auto result = loadSample(state);
    if (!result)
        return;
    const QImage picture = chartPictureOf(*result);
    for (auto _ : state) {
        const tavo::IndexedPicture indexed = tavo::indexPicture(picture);
        benchmark::DoNotOptimize(indexed.indices.data());
    }
    state.counters["colours"] = double(tavo::colourRuns(picture, std::size_t(-1)).colours.size());
}
BENCHMARK(BM_IndexRenderedChart)->Unit(benchmark::kMillisecond);

} // namespace
