// Saving the chart picture as GIF: a chart-like picture (exact palette) and a
// photo-like one (colour reduction), each 1020 x 424 as the chart is.
#include "export/colour_reduction.h"
#include "export/gif_file.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

QImage chartPicture()
{
    QImage picture(1020, 424, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(2, 2, 1016, 420, QColor(240, 240, 240));
    for (int k = 0; k < 12; ++k) {
        const int x = 100 + k * 75;
        painter.fillRect(x, 300 - 10 * (k + 5), 20, 10 * (k + 5), QColor(255, 0, 255));
        painter.fillRect(x + 20, 300 - 8 * (k + 6), 20, 8 * (k + 6), QColor(0, 0, 255));
        painter.fillRect(x + 40, 300, 20, 4 * (k + 1), k % 2 ? QColor(0, 255, 0) : QColor(255, 0, 0));
        painter.setPen(Qt::black);
        painter.drawText(x, 330, QString::number(k + 1));
    }
    // Antialiased text, as a screen shows it.
    painter.drawText(QRect(0, 10, 1020, 20), Qt::AlignCenter,
                     QString::fromUtf8("Иванов Иван Иванович  Начало теста: 12.03.2024  Выполнение. Часть 1: 7 мин"));
    painter.drawText(885, 408, QStringLiteral("Mean = +/-"));
    return picture;
}

QImage photoPicture()
{
    QImage picture(1020, 424, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x / 4, y * 255 / 423, int(127.5 + 127.5 * std::sin(x * 0.02 + y * 0.03))));
    return picture;
}

void saveBenchmark(benchmark::State &state, const QImage &picture)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plot.gif"));
    for (auto _ : state) {
        if (auto error = tavo::saveGifFile(path, picture)) {
            state.SkipWithError(error->message.toStdString().c_str());
            break;
        }
    }
    state.counters["bytes"] = double(QFileInfo(path).size());
    state.counters["exact"] = tavo::indexPicture(picture).exact ? 1 : 0;
}

void BM_SaveChartGif(benchmark::State &state) { saveBenchmark(state, chartPicture()); }
BENCHMARK(BM_SaveChartGif)->Unit(benchmark::kMillisecond);

void BM_SavePhotoGif(benchmark::State &state) { saveBenchmark(state, photoPicture()); }
BENCHMARK(BM_SavePhotoGif)->Unit(benchmark::kMillisecond);

void BM_IndexChartPicture(benchmark::State &state)
{
    const QImage picture = chartPicture();
    for (auto _ : state)
        benchmark::DoNotOptimize(tavo::indexPicture(picture));
}
BENCHMARK(BM_IndexChartPicture)->Unit(benchmark::kMillisecond);

// Finding the runs of the chart-like picture each way the processor offers:
// 0 plain, 1 SSE2, 2 AVX2 (skipped where missing).
void BM_ColourRunsOfChart(benchmark::State &state)
{
    const auto finder = tavo::RunFinder(state.range(0));
    if (!tavo::runFinderAvailable(finder)) {
        state.SkipWithError("not offered by this processor or build");
        return;
    }
    const QImage picture = chartPicture();
    tavo::ColourRuns runs;
    for (auto _ : state) {
        tavo::colourRuns(picture, 1u << 20, finder, runs);
        benchmark::DoNotOptimize(runs.runs.data());
    }
    state.counters["runs"] = double(runs.runs.size());
}
BENCHMARK(BM_ColourRunsOfChart)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

} // namespace
