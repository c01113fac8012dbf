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
#include <QString>

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace tavo::cli {

namespace {

enum class PictureFormat { Gif, Png };

std::optional<PictureFormat> formatNamed(QString name)
{
    name = name.toLower();
    if (name == QLatin1String("gif"))
        return PictureFormat::Gif;
    if (name == QLatin1String("png"))
        return PictureFormat::Png;
    return std::nullopt;
}

const char *extensionOf(PictureFormat format)
{
    return format == PictureFormat::Gif ? "gif" : "png";
}

struct RenderSettings {
    std::optional<QString> threshold; // typed into the threshold field
    bool marks = false;
    bool sheet = false;
};

struct RenderJob {
    std::string input;
    std::string output;
    PictureFormat format;
};

QImage renderPicture(const LoadedResult &result, const RenderSettings &settings)
{
    // The main window's look: its form font and the button-face background.
    ResultPanel panel;
    applyFormLook(panel);
    panel.resize(settings.sheet ? ResultPanel::kContentSize : ResultPanel::kDesignSize);
    // Shown, so the children count as visible, but never mapped anywhere.
    panel.setAttribute(Qt::WA_DontShowOnScreen);
    panel.show();

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
    if (settings.marks)
        for (const ProfileSeries series : {ProfileSeries::Series1, ProfileSeries::Series2, ProfileSeries::Series3})
            panel.profileChart().seriesClicked(series, Qt::LeftButton);

    if (!settings.sheet)
        return panel.Chart->picture();
    QImage sheet(ResultPanel::kContentSize, QImage::Format_RGB32);
    sheet.fill(panel.palette().color(QPalette::Window));
    panel.render(&sheet);
    return sheet;
}

// Paths pass between the command line and Qt in the system's file-name encoding.
QString qtPath(const std::string &path)
{
    return QFile::decodeName(QByteArray::fromStdString(path));
}

// The picture written whole to its file or to standard output; false, with
// the message on stderr, when it failed.
bool writePicture(const QImage &picture, const std::string &path, PictureFormat format)
{
    const auto bytes = format == PictureFormat::Gif ? gifBytes(picture) : pngBytes(picture);
    if (!bytes) {
        reportFailure(cannotCreateFileMessage(fullPath(path)));
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
        if (args.operands.size() > 1) {
            usage = "render: standard output takes one picture";
            return {};
        }
        const auto format = formatNamed(QString::fromStdString(std::string(formatOption.value_or("gif"))));
        if (!format) {
            usage = "render: unknown format " + std::string(*formatOption) + " (gif or png)";
            return {};
        }
        jobs.push_back({args.operands.front(), outPath, *format});
        return jobs;
    }

    std::error_code ec;
    if (std::filesystem::is_directory(outPath, ec)) {
        PictureFormat format = PictureFormat::Gif;
        if (formatOption) {
            const auto named = formatNamed(QString::fromStdString(std::string(*formatOption)));
            if (!named) {
                usage = "render: unknown format " + std::string(*formatOption) + " (gif or png)";
                return {};
            }
            format = *named;
        }
        std::set<std::string> names;
        for (const auto &input : args.operands) {
            const QString base = QFileInfo(qtPath(input)).completeBaseName();
            const std::string name = QFile::encodeName(base).toStdString() + "." + extensionOf(format);
            // Two inputs of one name would silently leave only the last picture.
            if (!names.insert(name).second) {
                usage = "render: two files would both be written as " + name;
                return {};
            }
            jobs.push_back({input, (std::filesystem::path(outPath) / name).string(), format});
        }
        return jobs;
    }

    if (args.operands.size() > 1) {
        usage = "render: several files need -o to name an existing folder";
        return {};
    }
    if (formatOption) {
        usage = "render: --format is for a folder or -; a file's picture format follows its extension";
        return {};
    }
    const auto format = formatNamed(QFileInfo(qtPath(outPath)).suffix());
    if (!format) {
        usage = "render: OUT must end in .gif or .png";
        return {};
    }
    jobs.push_back({args.operands.front(), outPath, *format});
    return jobs;
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
    if (const auto threshold = args.option("--threshold")) {
        if (!parseThreshold(*threshold))
            return thresholdUsageError(*threshold);
        settings.threshold = QString::fromStdString(std::string(*threshold));
    }
    settings.marks = args.option("--marks").has_value();
    settings.sheet = args.option("--sheet").has_value();

    std::string usage;
    const std::vector<RenderJob> jobs = planJobs(args, usage);
    if (jobs.empty())
        return usageError(usage);
    // A picture written over one of the inputs would destroy it.
    for (const RenderJob &job : jobs) {
        if (job.output == kStandardOutput)
            continue;
        if (const auto input = inputThatIs(job.output, args.operands)) {
            reportFailure(cannotCreateFileMessage(fullPath(job.output)) + ": it is the input file " +
                          pathForMessage(fullPath(*input)));
            return kExitFileFailed;
        }
    }

    // Widgets need an application; this is the only command that makes one.
    // No display is needed unless the caller asks for a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    platformHandler = qInstallMessageHandler(quietWithoutSession);
    static int argc = 1;
    static char name[] = "tavo12f-cli";
    static char *argv[] = {name, nullptr};
    QApplication application(argc, argv);
    installFontSubstitutions();

    int status = kExitOk;
    for (const RenderJob &job : jobs) {
        const LoadOutcome outcome = loadResultFile(job.input);
        if (const auto *error = std::get_if<LoadError>(&outcome)) {
            reportLoadError(*error, job.input);
            status = kExitFileFailed;
            continue;
        }
        const QImage picture = renderPicture(std::get<LoadedResult>(outcome), settings);
        if (!writePicture(picture, job.output, job.format))
            status = kExitFileFailed;
    }
    return status;
}

} // namespace tavo::cli
