// The result sheet of a hundred files in one PDF, as `render -o all.pdf`
// writes it: panels filled, then the document made.
#include "display/look.h"
#include "display/result_panel.h"
#include "display/result_sheet.h"
#include "resultfile/result_load.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

void BM_ResultSheetPdfOfAHundredFiles(benchmark::State &state)
{
    std::vector<tavo::LoadedResult> results;
    for (const char *name : {"ivanova.cry", "petrov.cry", "smith.cry", "kuznetsova.txt"})
        results.push_back(
            std::get<tavo::LoadedResult>(tavo::loadResultFile(std::filesystem::path(TAVO_TEST_DATA) / name)));
    for (auto _ : state) {
        std::vector<std::unique_ptr<tavo::ResultPanel>> panels;
        std::vector<tavo::ResultPanel *> sheets;
        for (int i = 0; i < 100; ++i) {
            panels.push_back(std::make_unique<tavo::ResultPanel>());
            tavo::applyFormLook(*panels.back());
            panels.back()->showResult(results[std::size_t(i) % results.size()]);
            sheets.push_back(panels.back().get());
        }
        const QByteArray pdf = tavo::resultSheetPdf(sheets);
        benchmark::DoNotOptimize(pdf.size());
    }
    state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_ResultSheetPdfOfAHundredFiles)->Unit(benchmark::kMillisecond)->Iterations(2);

} // namespace
