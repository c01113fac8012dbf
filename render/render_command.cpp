// `render`: the chart picture that Save > Plot writes, or the whole result
// panel, made without a window. The result panel is the one the program
// shows, filled and toggled through the same operations as the window's
// handlers, so the picture cannot drift from the screen.

#include "render/render_command.h"

#include "cli/cli_commands.h"
#include "cli/cli_output.h"

#include "display/bar_chart.h"
#include "display/look.h"
#include "display/profile_chart.h"
#include "display/result_panel.h"
#include "display/result_sheet.h"
#include "display/threshold_field.h"
#include "export/gif_file.h"
#include "export/png_file.h"
#include "files/file_messages.h"
#include "resultfile/result_load.h"

#include <QApplication>
#include <QMessageLogContext>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPlainTextEdit>
#include <QString>

#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace tavo::cli {

namespace {

// GIF and PNG are pictures of the chart or the panel; a PDF holds the result
// sheet of every file it is given.
enum class PictureFormat { Gif, Png, Pdf };

std::optional<PictureFormat> formatNamed(QString name)
{
    name = name.toLower();
    if (name == QLatin1String("gif"))
        return PictureFormat::Gif;
    if (name == QLatin1String("png"))
        return PictureFormat::Png;
    if (name == QLatin1String("pdf"))
        return PictureFormat::Pdf;
    return std::nullopt;
}

const char *extensionOf(PictureFormat format)
{
    switch (format) {
    case PictureFormat::Gif: return "gif";
    case PictureFormat::Png: return "png";
    case PictureFormat::Pdf: break;
    }
    return "pdf";
}

constexpr const char *kFormats = "gif, png or pdf";

struct RenderSettings {
    std::optional<QString> threshold; // typed into the threshold field
    bool marks = false;
    bool sheet = false;
};

// One output file and what goes into it: one input for a picture, one or
// more for a PDF.
struct RenderJob {
    std::vector<std::string> inputs;
    std::string output;
    PictureFormat format;
};

// A result panel laid out as the window shows it, before any load; for
// pictures of the chart alone, with its report and diagram out of sight, and
// so out of the work of every load.
std::unique_ptr<ResultPanel> newPanel(const RenderSettings &settings, bool chartAlone = false)
{
    auto panel = ResultPanel::offScreen(settings.sheet ? ResultPanel::kContentSize : ResultPanel::kDesignSize);
    if (chartAlone) {
        panel->meInfo->hide();
        panel->paPlot->hide();
    }
    return panel;
}

// The panel showing the result as the window would after the settings'
// clicks and typing. The panel may have shown other results before with the
// same settings: a load replaces the chart's series and title, the threshold
// is run again, and the marks are clicked only where their flag is not yet
// what the settings ask, so what the chart shows does not depend on what it
// showed before.
void showIn(ResultPanel &panel, const LoadedResult &result, const RenderSettings &settings)
{
    ThresholdField *field = panel.Chart->thresholdField();
    panel.showResult(result);

    if (settings.threshold) {
        // Typing the text the field already holds still ends in threshold
        // colours in the window (the old text has to go first), so the
        // change is run here whether or not the text differs.
        if (field->text() == *settings.threshold)
            panel.seDeltaChange();
        else
            field->setText(*settings.threshold);
    }
    const int marksFlag = settings.marks ? 1 : 0;
    for (const ProfileSeries series : {ProfileSeries::Series1, ProfileSeries::Series2, ProfileSeries::Series3})
        if (panel.profileChart().marksFlag(series) != marksFlag)
            panel.profileChart().seriesClicked(series, Qt::LeftButton);
}

QImage renderPicture(ResultPanel &panel, const RenderSettings &settings)
{
    if (!settings.sheet)
        return panel.Chart->picture();
    QImage sheet(ResultPanel::kContentSize, QImage::Format_RGB32);
    sheet.fill(panel.palette().color(QPalette::Window));
    panel.render(&sheet);
    return sheet;
}

// Paths pass between the command line and Qt in the system's file-name
// encoding: UTF-8 on Windows, where the arguments come from the wide command line.
QString qtPath(const std::string &path)
{
#ifdef _WIN32
    return QString::fromStdString(path);
#else
    return QFile::decodeName(QByteArray::fromStdString(path));
#endif
}

std::string commandLinePath(const QString &path)
{
#ifdef _WIN32
    return path.toStdString();
#else
    return QFile::encodeName(path).toStdString();
#endif
}

// The picture written whole to its file or to standard output; false, with
// the message on stderr, when it failed.
bool writePicture(const QImage &picture, const std::string &path, PictureFormat format)
{
    const auto bytes = format == PictureFormat::Gif ? gifBytes(picture) : pngBytes(picture);
    if (!bytes) {
        reportFileError(outputName(path), "cannot write: the picture could not be encoded");
        return false;
    }
    return writeResult(path, *bytes);
}

// The pictures to write, or a usage error (empty jobs and the message set).
std::vector<RenderJob> planJobs(const Arguments &args, std::string &usage)
{
    const auto out = args.option("-o");
    if (!out || out->empty()) {
        usage = "render: -o OUT is missing";
        return {};
    }
    const std::string outPath(*out);
    const auto formatOption = args.option("--format");
    std::vector<RenderJob> jobs;

    if (outPath == kStandardOutput) {
        const auto format = formatNamed(QString::fromStdString(std::string(formatOption.value_or("gif"))));
        if (!format) {
            usage = "render: unknown format " + std::string(*formatOption) + " (" + kFormats + ")";
            return {};
        }
        if (args.operands.size() > 1 && format != PictureFormat::Pdf) {
            usage = "render: standard output takes one picture, or one PDF of several files";
            return {};
        }
        jobs.push_back({args.operands, outPath, *format});
        return jobs;
    }

    std::error_code ec;
    if (std::filesystem::is_directory(filePath(outPath), ec)) {
        PictureFormat format = PictureFormat::Gif;
        if (formatOption) {
            const auto named = formatNamed(QString::fromStdString(std::string(*formatOption)));
            if (!named) {
                usage = "render: unknown format " + std::string(*formatOption) + " (" + kFormats + ")";
                return {};
            }
            format = *named;
        }
        std::set<std::string> names;
        for (const auto &input : args.operands) {
            const QString base = QFileInfo(qtPath(input)).completeBaseName();
            const std::string name = commandLinePath(base) + "." + extensionOf(format);
            // Two inputs of one name would silently leave only the last picture.
            if (!names.insert(name).second) {
                usage = "render: two files would both be written as " + name;
                return {};
            }
            jobs.push_back({{input}, displayPath(filePath(outPath) / filePath(name)), format});
        }
        return jobs;
    }

    if (formatOption) {
        usage = "render: --format is for a folder or -; a file's picture format follows its extension";
        return {};
    }
    const auto format = formatNamed(QFileInfo(qtPath(outPath)).suffix());
    if (!format) {
        usage = "render: OUT must end in .gif, .png or .pdf";
        return {};
    }
    if (args.operands.size() > 1 && format != PictureFormat::Pdf) {
        usage = "render: several files need -o to name an existing folder, or a .pdf file";
        return {};
    }
    jobs.push_back({args.operands, outPath, *format});
    return jobs;
}

// The outputs that are one of the inputs, each with that input. Every output
// checked against every input would be a square number of file look-ups for
// a folder of pictures; two names of one file have the same size and time of
// writing, so only such pairs are asked whether they are the same file.
std::vector<std::pair<std::string, std::string>> outputsThatAreInputs(const std::vector<RenderJob> &jobs,
                                                                      const std::vector<std::string> &inputs)
{
    struct Stamp {
        std::uintmax_t size;
        std::filesystem::file_time_type written;
        bool operator==(const Stamp &) const = default;
    };
    const auto stampOf = [](const std::string &path) -> std::optional<Stamp> {
        std::error_code ec;
        const auto size = std::filesystem::file_size(filePath(path), ec);
        if (ec)
            return std::nullopt;
        const auto written = std::filesystem::last_write_time(filePath(path), ec);
        if (ec)
            return std::nullopt;
        return Stamp{size, written};
    };
    std::vector<std::pair<std::string, Stamp>> stamped;
    for (const std::string &input : inputs)
        if (input != kStandardStream)
            if (const auto stamp = stampOf(input))
                stamped.emplace_back(input, *stamp);

    std::vector<std::pair<std::string, std::string>> found;
    for (const RenderJob &job : jobs) {
        if (job.output == kStandardOutput)
            continue;
        std::error_code ec;
        const auto status = std::filesystem::status(filePath(job.output), ec);
        if (!std::filesystem::exists(status))
            continue;
        std::vector<std::string> candidates;
        if (!std::filesystem::is_regular_file(status)) {
            candidates = inputs; // not a file of data: asked of every input
        } else if (const auto stamp = stampOf(job.output)) {
            for (const auto &[input, inputStamp] : stamped)
                if (inputStamp == *stamp)
                    candidates.push_back(input);
        } else {
            candidates = inputs;
        }
        if (const auto input = inputThatIs(job.output, candidates))
            found.emplace_back(job.output, *input);
    }
    return found;
}

bool endsInSeparator(std::string_view path)
{
#ifdef _WIN32
    return path.ends_with('/') || path.ends_with('\\');
#else
    return path.ends_with('/');
#endif
}

QtMessageHandler platformHandler = nullptr;

// Without a desktop session Qt notes on every start that XDG_RUNTIME_DIR is
// unset; that is expected here and would bury the command's own messages.
void quietWithoutSession(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    platformHandler(type, context, message);
}

} // namespace

int renderPictures(const Arguments &args)
{
    RenderSettings settings;
    if (const auto threshold = args.option("--threshold"))
        settings.threshold = QString::fromStdString(std::string(*threshold));
    settings.marks = args.option("--marks").has_value();
    settings.sheet = args.option("--sheet").has_value();

    // "-o pictures/" names a folder: one that is not there is said so, not
    // taken for the name of a picture.
    if (const auto out = args.option("-o"); out && endsInSeparator(*out)) {
        std::string folder(*out);
        while (folder.size() > 1 && endsInSeparator(folder))
            folder.pop_back();
        std::error_code ec;
        const auto status = std::filesystem::status(filePath(folder), ec);
        if (!std::filesystem::is_directory(status)) {
            reportFileError(outputName(*out),
                            std::filesystem::exists(status) ? "cannot write: it is not a folder"
                                                            : "cannot write: no such folder");
            return kExitFileFailed;
        }
    }

    std::string usage;
    const std::vector<RenderJob> jobs = planJobs(args, usage);
    if (jobs.empty())
        return usageError(usage);
    // A picture written over one of the inputs would destroy it.
    if (const auto clashes = outputsThatAreInputs(jobs, args.operands); !clashes.empty()) {
        const auto &[output, input] = clashes.front();
        reportFileError(outputName(output), "cannot write: it is the input file " + inputName(input));
        return kExitFileFailed;
    }

    // Widgets need an application; this is the only command that makes one.
    // No display is needed unless the caller asks for a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    useSystemFontsOffscreen();
    platformHandler = qInstallMessageHandler(quietWithoutSession);
    static int argc = 1;
    static char name[] = "tavo12f-cli";
    static char *argv[] = {name, nullptr};
    QApplication application(argc, argv);
    installFontSubstitutions();

    int status = kExitOk;
    // The chart pictures of a batch all come from one panel (see showIn), so
    // that its widgets are made and first painted once. A sheet shows the
    // report as well, which grows with every load, so every sheet and every
    // page of a PDF has a panel of its own.
    std::unique_ptr<ResultPanel> chartPanel;
    for (const RenderJob &job : jobs) {
        if (job.format != PictureFormat::Pdf && !settings.sheet && job.inputs.size() == 1) {
            const auto loaded = loadInput(job.inputs.front());
            if (!loaded) {
                status = kExitFileFailed;
                continue;
            }
            if (!chartPanel)
                chartPanel = newPanel(settings, true);
            showIn(*chartPanel, *loaded, settings);
            if (!writePicture(chartPanel->Chart->picture(), job.output, job.format))
                status = kExitFileFailed;
            continue;
        }
        std::vector<std::unique_ptr<ResultPanel>> panels;
        for (const std::string &input : job.inputs) {
            const auto loaded = loadInput(input);
            if (!loaded) {
                status = kExitFileFailed;
                continue;
            }
            panels.push_back(newPanel(settings));
            showIn(*panels.back(), *loaded, settings);
        }
        // Nothing loaded: nothing is created or replaced.
        if (panels.empty())
            continue;
        if (job.format == PictureFormat::Pdf) {
            std::vector<ResultPanel *> sheets;
            sheets.reserve(panels.size());
            for (const auto &panel : panels)
                sheets.push_back(panel.get());
            const QByteArray pdf = resultSheetPdf(sheets);
            if (!writeResult(job.output, std::string_view(pdf.constData(), std::size_t(pdf.size()))))
                status = kExitFileFailed;
        } else if (!writePicture(renderPicture(*panels.front(), settings), job.output, job.format)) {
            status = kExitFileFailed;
        }
    }
    return status;
}

} // namespace tavo::cli
