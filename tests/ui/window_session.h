#pragma once
// A main window driven as a user would drive it, for the Open and Save tests:
// the file chooser answers from the test, the error box is read and closed
// without blocking, and everything the window shows can be taken as one
// comparable snapshot.

#include "app/main_window.h"
#include "display/bar_chart.h"
#include "display/diagram_image.h"
#include "geometry/grid_cells.h"
#include "display/result_panel.h"
#include "display/results_grid.h"
#include "recording_platform.h"
#include "resultfile/pc1_cipher.h"
#include "scripted_file_chooser.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace tavo::testing {

inline QString samplePath(const char *name) { return QStringLiteral(TAVO_TEST_DATA "/") + QLatin1String(name); }

// The hex-letter text that decrypts to `plain` under the result-file key.
inline std::string encryptResultText(std::string_view plain) { return resultFileCipher().PC1EncryptHexText(plain); }

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Watches for the modal error box while alive: the first one that appears is
// read and closed with OK. Polls, so the box may open at any later point.
class ErrorBoxWatcher {
public:
    ErrorBoxWatcher()
    {
        timer_.setInterval(5);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            ++count;
            text = box->text();
            caption = box->windowTitle();
            icon = box->icon();
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start();
    }

    int count = 0;
    QString text;
    QString caption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;

private:
    QTimer timer_;
};

// Everything a load may change that the user can see or that Save uses.
struct DisplaySnapshot {
    QString report;
    QStringList chartTitle;
    std::array<std::vector<std::string>, kSeriesCount> points;
    std::vector<QString> gridCells;
    QImage diagram;
    bool panelHidden = true;
    std::string subject;
    std::array<std::int32_t, 12> ideal{};
    std::array<std::int32_t, 12> real{};

    bool operator==(const DisplaySnapshot &) const = default;
};

inline std::vector<std::string> describePoints(const BarChart &chart, ProfileSeries series)
{
    std::vector<std::string> out;
    for (const BarChart::Point &p : chart.points(series))
        out.push_back(std::to_string(p.x) + "," + std::to_string(p.y) + "," + p.label.toStdString() + "," +
                      (p.colour ? p.colour->name().toStdString() : std::string("series")));
    return out;
}

// Whether the window shows no result panel: before anything has needed the
// panel there is none.
inline bool resultPanelHidden(const TForm1 &form) { return !form.paTest || form.paTest->isHidden(); }

// What the window shows; the result panel is built, hidden, if it was not yet.
inline DisplaySnapshot snapshot(TForm1 &form)
{
    form.resultPanel();
    DisplaySnapshot s;
    s.report = form.meInfo->toPlainText();
    s.chartTitle = form.Chart->title();
    for (int i = 0; i < kSeriesCount; ++i)
        s.points[std::size_t(i)] = describePoints(*form.Chart, ProfileSeries(i));
    for (int c = 0; c < kGridColumns; ++c)
        for (int r = 0; r < kGridRows; ++r)
            s.gridCells.push_back(form.sgResF->cellText(c, r));
    s.diagram = form.imPlot->picture();
    s.panelHidden = form.paTest->isHidden();
    const ProfileRecord &profile = form.paTest->profile();
    s.subject = profile.subjectName;
    std::copy(profile.ideal.begin(), profile.ideal.end(), s.ideal.begin());
    std::copy(profile.real.begin(), profile.real.end(), s.real.begin());
    return s;
}

// A window whose Open command answers with the given path.
struct WindowSession {
    RecordingPlatform platform;
    ScriptedFileChooser chooser;
    TForm1 form{platform, chooser};

    void open(const QString &path)
    {
        chooser.answer = path;
        form.mmOpenClick();
    }
};

} // namespace tavo::testing
