// Painting the circular diagram and the results grid for one profile.
#include "display/circular_diagram.h"
#include "display/diagram_image.h"
#include "display/results_grid.h"
#include "../grid_sample_profile.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

using namespace tavo;

namespace {

void BM_DiagramLayout(benchmark::State &state)
{
    const ProfileRecord profile = gridSampleProfile();
    for (auto _ : state)
        benchmark::DoNotOptimize(circularDiagramLayout(319, 296, profile.ideal, profile.real));
}
BENCHMARK(BM_DiagramLayout);

void BM_DrawCircularDiagram(benchmark::State &state)
{
    const ProfileRecord profile = gridSampleProfile();
    QImage picture(319, 296, QImage::Format_RGB32);
    for (auto _ : state) {
        DrawCircularDiagram(picture, profile);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_DrawCircularDiagram)->Unit(benchmark::kMicrosecond);

// The grid's fill and a full paint of all 56 cells into an image.
void BM_ResultsGridFillAndPaint(benchmark::State &state)
{
    const ProfileRecord profile = gridSampleProfile();
    ResultsGrid grid;
    QImage image(grid.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        grid.FillResultsGrid(profile);
        grid.render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_ResultsGridFillAndPaint)->Unit(benchmark::kMicrosecond);

// Both displays as a load shows them: draw the diagram, fill the grid, and
// paint both widgets.
void BM_DiagramAndGridForOneProfile(benchmark::State &state)
{
    const ProfileRecord profile = gridSampleProfile();
    DiagramImage diagram;
    ResultsGrid grid;
    QImage diagramShown(diagram.size(), QImage::Format_RGB32);
    QImage gridShown(grid.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        diagram.drawProfile(profile);
        grid.FillResultsGrid(profile);
        diagram.render(&diagramShown);
        grid.render(&gridShown);
        benchmark::DoNotOptimize(diagramShown.constBits());
        benchmark::DoNotOptimize(gridShown.constBits());
    }
}
BENCHMARK(BM_DiagramAndGridForOneProfile)->Unit(benchmark::kMicrosecond);

} // namespace
