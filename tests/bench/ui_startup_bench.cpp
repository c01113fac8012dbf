// Start-up cost of the program's own work: building the main window with all
// its controls and menus and the About box, and showing the window, on the
// offscreen platform.
#include "app/about_box.h"
#include "app/application_setup.h"
#include "app/file_chooser.h"
#include "app/main_window.h"
#include "platform/platform.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

// The real desktop services, except that the taskbar is never touched.
class QuietPlatform final : public tavo::Platform {
public:
    void addAboutItem(QWidget &window, CommandHandler onCommand) override
    {
        real_->addAboutItem(window, std::move(onCommand));
    }
    void fixWindowBorder(QWidget &window) override { real_->fixWindowBorder(window); }
    std::optional<tavo::TaskbarHandle> findTaskbar() override { return std::nullopt; }
    void setTaskbarVisible(tavo::TaskbarHandle, bool) override {}
    tavo::ScreenSize screenSize() override { return real_->screenSize(); }
    std::optional<tavo::ScreenRect> workArea() override { return std::nullopt; }
    void setWorkArea(const tavo::ScreenRect &) override {}
    bool openDocument(const QString &) override { return true; }

private:
    std::unique_ptr<tavo::Platform> real_ = tavo::createPlatform();
};

void BM_CreateAndShowMainWindow(benchmark::State &state)
{
    QuietPlatform platform;
    tavo::QtFileChooser chooser;
    for (auto _ : state) {
        tavo::TForm1 form(platform, chooser);
        tavo::TAboutBox about(&form);
        form.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(form.winId());
    }
}
BENCHMARK(BM_CreateAndShowMainWindow)->Unit(benchmark::kMillisecond);

void BM_FirstPaintOfTheWindow(benchmark::State &state)
{
    QuietPlatform platform;
    tavo::QtFileChooser chooser;
    for (auto _ : state) {
        tavo::TForm1 form(platform, chooser);
        form.setWindowState(Qt::WindowNoState);
        const QPixmap frame = form.grab();
        benchmark::DoNotOptimize(frame.cacheKey());
    }
}
BENCHMARK(BM_FirstPaintOfTheWindow)->Unit(benchmark::kMillisecond);

} // namespace
