#include "charts/ChartPicture.h"
#include "charts/EstimationCharts.h"
#include "cli/CliCommand.h"
#include "cli/CliProject.h"
#include "core/SharedState.h"

#include <QRegularExpression>
#include <QSize>

namespace {

const char* const ChartHelp =
    "Usage: enervane-cli chart FILE.KSF --graph cost|hours|time --output FILE.png|.svg|.pdf\n"
    "                          [--type 1-6] [--flat] [--rotation 270-360] [--depth 1-100]\n"
    "                          [--pattern] [--size WxH]\n"
    "\n"
    "Calculates the project as `enervane-cli calc` does and writes one of its estimation\n"
    "graphs as a picture, the way the program draws it:\n"
    "  --graph cost|hours|time  the annual operating cost per control method, the annual\n"
    "                           hours or the percentage of time per flow point\n"
    "  --type N                 1 area, 2 line, 3 horizontal bar, 4 point, 5 bar (default),\n"
    "                           6 fast line\n"
    "  --flat                   2-D instead of 3-D\n"
    "  --rotation DEGREES       turn the 3-D box (270 side-on .. 360 face-on) and show it\n"
    "                           in perspective; without it the 3-D view is orthogonal\n"
    "  --depth PERCENT          3-D depth, percent of the plot width (default 15)\n"
    "  --pattern                hatch fills for black-and-white printing\n"
    "  --size WxH               picture size in pixels (PDF: points), default 800x500\n"
    "  --output FILE            .png, .svg or .pdf\n"
    "\n"
    "Exit codes: 0 written, 1 the file cannot be read (or holds no fan or pump project),\n"
    "2 the duty cycle does not add up to 100 %, 3 the picture cannot be written,\n"
    "64 wrong arguments.\n";

constexpr int CliPictureFailed = 3;

int usage(const QString& problem) {
    cliErr(QStringLiteral("enervane-cli chart: ") + problem + QStringLiteral("\n\n"));
    cliErr(QString::fromUtf8(ChartHelp));
    return CliUsageError;
}

bool wholeNumberIn(const QString& text, int low, int high, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok && value >= low && value <= high;
}

int runChart(const QStringList& args) {
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        cliOut(QString::fromUtf8(ChartHelp));
        return 0;
    }
    QString project, output, graph;
    int type = 5, depth = 15, rotation = 0;
    bool flat = false, pattern = false, rotated = false;
    QSize size(800, 500);
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        auto value = [&](QString& into) {
            if (i + 1 >= args.size())
                return false;
            into = args[++i];
            return true;
        };
        QString text;
        if (arg == QLatin1String("--graph")) {
            if (!value(graph))
                return usage(QStringLiteral("--graph needs cost, hours or time"));
        } else if (arg == QLatin1String("--output")) {
            if (!value(output))
                return usage(QStringLiteral("--output needs a file name"));
        } else if (arg == QLatin1String("--type")) {
            if (!value(text) || !wholeNumberIn(text, 1, 6, type))
                return usage(QStringLiteral("--type needs a number from 1 to 6"));
        } else if (arg == QLatin1String("--depth")) {
            if (!value(text) || !wholeNumberIn(text, 1, 100, depth))
                return usage(QStringLiteral("--depth needs a number from 1 to 100"));
        } else if (arg == QLatin1String("--rotation")) {
            if (!value(text) || !wholeNumberIn(text, 270, 360, rotation))
                return usage(QStringLiteral("--rotation needs a number from 270 to 360"));
            rotated = true;
        } else if (arg == QLatin1String("--size")) {
            static const QRegularExpression form(QStringLiteral("^(\\d{1,5})[xX](\\d{1,5})$"));
            const QRegularExpressionMatch m =
                value(text) ? form.match(text) : QRegularExpressionMatch();
            const int w = m.hasMatch() ? m.captured(1).toInt() : 0;
            const int h = m.hasMatch() ? m.captured(2).toInt() : 0;
            if (w < 100 || h < 100 || w > 10000 || h > 10000)
                return usage(QStringLiteral("--size needs WxH, each from 100 to 10000"));
            size = QSize(w, h);
        } else if (arg == QLatin1String("--flat")) {
            flat = true;
        } else if (arg == QLatin1String("--pattern")) {
            pattern = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            return usage(QStringLiteral("unknown option ") + arg);
        } else if (project.isEmpty()) {
            project = arg;
        } else {
            return usage(QStringLiteral("expects one project file"));
        }
    }
    if (project.isEmpty())
        return usage(QStringLiteral("expects a project file"));
    const int entry = GraphSelectionIndex(graph);
    if (entry < 0)
        return usage(QStringLiteral("--graph needs cost, hours or time"));
    if (output.isEmpty())
        return usage(QStringLiteral("--output needs a file name"));
    const QString suffix = output.section(QLatin1Char('.'), -1).toLower();
    if (output.indexOf(QLatin1Char('.')) < 0 ||
        !QStringList{QStringLiteral("png"), QStringLiteral("svg"), QStringLiteral("pdf")}.contains(
            suffix))
        return usage(QStringLiteral("--output must end in .png, .svg or .pdf"));

    const int status = LoadAndCalculateProject(project);
    if (status != CliProjectOk)
        return status;

    Charts = EstimationCharts{};
    Charts.Pattern = pattern;
    ApplyFillPatterns();
    Charts.SelectionGraphType = entry;
    SelectionGraphTypeChange();
    ChartModel model = Charts.Graph[type - 1];
    model.view.enabled = !flat;
    model.view.depth = depth;
    model.view.orthogonal = !rotated;
    if (rotated)
        model.view.rotation = rotation;
    const QString problem = ExportChart(model, output, size);
    if (!problem.isEmpty()) {
        cliErr(QStringLiteral("enervane-cli chart: ") + problem + QLatin1Char('\n'));
        return CliPictureFailed;
    }
    return 0;
}

const CliCommandRegistration chartCommand("chart",
                                          "Writes an estimation graph of a .KSF project "
                                          "as a PNG, SVG or PDF picture",
                                          runChart, true);

} // namespace
