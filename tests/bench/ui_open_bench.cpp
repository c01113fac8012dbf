// Opening a result file as the user sees it: from the chosen path through the
// load and every display to the painted window, on the offscreen platform.
#include "../ui/recording_platform.h"
#include "../ui/scripted_file_chooser.h"
#include "app/application_setup.h"
#include "app/main_window.h"

#include <QApplication>
#include <QPixmap>
#include <QPlainTextEdit>

#include <benchmark/benchmark.h>

namespace {

const QString kSample = QStringLiteral(TAVO_TEST_DATA "/ivanova.cry");

// The load and the displays' refill only.
void BM_OpenResultFile(benchmark::State &state)
{
    tavo::testing::RecordingPlatform platform;
    tavo::testing::ScriptedFileChooser chooser;
    tavo::TForm1 form(platform, chooser);
    form.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        form.openResultFile(kSample);
        state.PauseTiming();
        form.meInfo->clear(); // keep the report at one block
        state.ResumeTiming();
    }
}
BENCHMARK(BM_OpenResultFile)->Unit(benchmark::kMillisecond);

// The load followed by a synchronous paint of the whole maximized window.
void BM_OpenResultFileAndPaintWindow(benchmark::State &state)
{
    tavo::testing::RecordingPlatform platform;
    tavo::testing::ScriptedFileChooser chooser;
    tavo::TForm1 form(platform, chooser);
    // The offscreen screen is small; paint the window at a desktop's size.
    form.setWindowState(Qt::WindowNoState);
    form.resize(1280, 1024);
    form.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        form.openResultFile(kSample);
        const QPixmap frame = form.grab();
        benchmark::DoNotOptimize(frame.cacheKey());
        state.PauseTiming();
        form.meInfo->clear();
        state.ResumeTiming();
    }
    state.counters["width"] = form.width();
    state.counters["height"] = form.height();
}
BENCHMARK(BM_OpenResultFileAndPaintWindow)->Unit(benchmark::kMillisecond);

} // namespace
