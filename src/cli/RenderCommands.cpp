#include "cli/Cli.h"
#include "cli/FigureOptions.h"
#include "cli/ParamOption.h"

#include "core/doc/CvaFormat.h"
#include "core/doc/DocumentFile.h"
#include "core/doc/DocumentSync.h"
#include "core/expr/Expression.h"
#include "core/expr/NumberText.h"
#include "core/expr/ShownNumber.h"
#include "graph/model/Graph.h"
#include "graph/render/GraphPicture.h"

#include <CLI/CLI.hpp>

#include <QFileInfo>
#include <QGuiApplication>
#include <QPalette>

#include <iostream>
#include <map>
#include <memory>
#include <optional>

namespace {

using nlohmann::json;

// The window has no fixed graph size (it follows the screen), so pictures
// default to this.
constexpr int kDefaultWidth = 640;
constexpr int kDefaultHeight = 480;
// 8192 x 8192 is already a quarter of a gigabyte per picture.
constexpr int kMaxSide = 8192;

// Standard error carries this program's messages; Qt's notes about its
// surroundings (no runtime directory, say) would only bury them. Why a
// platform asked for cannot start is kept.
void QuietQt(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool platform = context.category && qstrncmp(context.category, "qt.qpa", 6) == 0;
    if (type == QtCriticalMsg || type == QtFatalMsg || (type == QtWarningMsg && platform))
        Warn(message.toStdString());
}

// Qt starts only for the pictures, without widgets; without a display it
// draws off screen.
std::unique_ptr<QGuiApplication> StartGui()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(&QuietQt);
    static int argc = 1;
    static char name[] = "corvanta-cli";
    static char *argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// A message the window would show means it refused something: so does the command.
void ThrowIfAny(const std::vector<SViewMessage> &messages)
{
    if (messages.empty())
        return;
    for (std::size_t i = 1; i < messages.size(); ++i)
        Warn(messages[i - 1].text);
    throw CInputError(messages.back().text);
}

// One curve of text for each value of letter, in slots 0, 1, ... with their
// own pens: the graph plots a text once, so slot 0 is copied into the others.
void MakeFamily(CGraph &graph, char letter, const std::vector<double> &values)
{
    const CViewState &s = graph.State();
    EqStore store;
    CDocumentSync::CopyViewIntoRecord(s, store);
    const int n = static_cast<int>(values.size());
    for (int i = 1; i < n; ++i) {
        store.m_aFunctions[i] = store.m_aFunctions[0];
        store.m_aColor[i] = s.m_aColor[i];
        store.m_aWidth[i] = s.m_aWidth[i];
    }
    store.m_nLast = n - 1;
    graph.Load(store);
    for (int i = 0; i < n; ++i)
        graph.SetSlotValue(i, letter, values[static_cast<std::size_t>(i)]);
}

// What render and plot share: the picture's size and where it goes.
struct SPicture
{
    SOutput output;
    std::string path;
    std::string format;
    int width = kDefaultWidth;
    int height = kDefaultHeight;

    void AddOptions(CLI::App &cmd)
    {
        cmd.add_option("-o,--output", path,
                       "The picture file; its suffix gives the format (png, svg, pdf or bmp). - writes to "
                       "standard output")
            ->type_name("OUT")
            ->required();
        cmd.add_option("--format", format, "The format, whatever the suffix (png for standard output otherwise)")
            ->check(CLI::IsMember({"png", "svg", "pdf", "bmp"}, CLI::ignore_case))
            ->type_name("FORMAT");
        cmd.add_option_function<std::string>(
               "--size", [this](const std::string &text) { ReadSize(text); },
               "The picture's size in pixels, WIDTHxHEIGHT, or N for a square of N x N (1 to 8192 a side)")
            ->type_name("SIZE")
            ->default_str(std::to_string(kDefaultWidth) + "x" + std::to_string(kDefaultHeight));
        output.AddFlag(cmd);
    }

    void ReadSize(const std::string &text)
    {
        const std::size_t cross = text.find_first_of("xX");
        const int w = ReadSide(text, text.substr(0, cross));
        const int h = cross == std::string::npos ? w : ReadSide(text, text.substr(cross + 1));
        width = w;
        height = h;
    }

    // One side of a --size: a whole number of pixels, 1 to kMaxSide.
    static int ReadSide(const std::string &size, const std::string &side)
    {
        const std::optional<int> n = ReadWholeInteger(side);
        // Digits that do not fit an int are still a whole number, just far too large.
        static constexpr const char *kBlanks = " \t\r\n\f\v";
        const std::size_t first = side.find_first_not_of(kBlanks);
        const std::string number =
            first == std::string::npos ? std::string() : side.substr(first, side.find_last_not_of(kBlanks) + 1 - first);
        const std::size_t digits = !number.empty() && (number[0] == '+' || number[0] == '-') ? 1 : 0;
        const bool bWhole =
            n || (number.size() > digits && number.find_first_not_of("0123456789", digits) == std::string::npos);
        if (!bWhole)
            throw CLI::ValidationError("--size", "'" + size + "' is not a size: give WIDTHxHEIGHT or N");
        if (!n || *n < 1 || *n > kMaxSide)
            throw CLI::ValidationError("--size", "'" + size + "': each side must be 1 to " +
                                                     std::to_string(kMaxSide) + " pixels");
        return *n;
    }

    EExportFormat Format() const
    {
        if (!format.empty())
            return *ExportFormatOfSuffix(QString::fromStdString(format));
        if (path == "-")
            return EExportFormat::Png;
        const QString suffix = QFileInfo(QString::fromStdString(path)).suffix();
        if (const std::optional<EExportFormat> known = ExportFormatOfSuffix(suffix))
            return *known;
        throw CLI::ValidationError("--output", "'" + path +
                                                   "': the suffix must be .png, .svg, .pdf or .bmp (or give --format)");
    }

    // Checked before any work, so bad usage costs nothing.
    void CheckUsage() const
    {
        Format();
        if (output.json && path == "-")
            throw CLI::ValidationError("--json", "the picture already goes to standard output");
    }

    void Write(CGraph &graph) const
    {
        const EExportFormat kind = Format();
        const SGraphPicture picture =
            graph.Picture(QSize(width, height), QGuiApplication::palette().color(QPalette::Base));
        if (path == "-") {
            QString why;
            const QByteArray bytes = EncodeGraph(picture, kind, why);
            if (bytes.isEmpty())
                throw CInputError("standard output\n\n" + why.toStdString());
            std::cout.write(bytes.constData(), bytes.size());
            std::cout.flush();
            if (!std::cout)
                throw CInputError("standard output: the picture could not be written");
            return;
        }
        const QString failure = WriteGraph(picture, QString::fromStdString(path), kind);
        if (!failure.isEmpty())
            throw CInputError(failure.toStdString());
        output.Print({}, {{"output", path},
                          {"format", ExportSuffix(kind).toStdString()},
                          {"width", width},
                          {"height", height}});
    }
};

struct SRender
{
    SPicture picture;
    SFigureOptions figure;
    SParamOption params;
    std::string file;

    void Run()
    {
        picture.CheckUsage();
        figure.CheckUsage();
        EqStore store;
        // The same reading and refusals as File Open.
        if (file == "-") {
            const std::string bytes = ReadInput("-");
            const CCvaFormat::Result result =
                CCvaFormat::Decode(reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size(), store);
            if (!result.Ok())
                throw CInputError(OpenFailureText("standard input", result.message));
        } else if (const std::string problem = ReadDocumentFile(file, store); !problem.empty()) {
            throw CInputError(OpenFailureText(file, problem));
        }

        const std::unique_ptr<QGuiApplication> app = StartGui();
        CGraph graph;
        graph.SetClientSize(picture.width, picture.height);
        if (!store.m_bBadFile)
            graph.Load(store);  // as File Open does
        params.SetInto(graph);
        figure.Apply(graph);
        picture.Write(graph);
    }
};

struct SPlot
{
    SPicture picture;
    SFigureOptions figure;
    SParamOption params;
    std::vector<std::string> expressions;
    std::vector<std::string> domain, range;

    void Run()
    {
        picture.CheckUsage();
        figure.CheckUsage();
        std::vector<std::string> functions;
        for (const std::string &argument : expressions)
            for (const std::string &text : ExpressionArguments(argument))
                functions.push_back(text);
        if (functions.size() > SGraphState::kSlots)
            throw CInputError("At most " + std::to_string(SGraphState::kSlots) + " functions can be plotted at once; " +
                              std::to_string(functions.size()) + " were given.");
        if (functions.empty())
            throw CInputError("There is no function to work on.");
        for (std::string &function : functions)
            function = CheckedFunction(function);
        const auto [letter, family] = params.Family();
        if (!family.empty() && functions.size() > 1)
            throw CInputError("A list of values draws a family of one function: give one function with it.");

        const std::unique_ptr<QGuiApplication> app = StartGui();
        CGraph graph;
        graph.SetClientSize(picture.width, picture.height);
        // Typed into the range fields: the first plot applies them.
        std::array<std::string, 4> fields;
        for (std::size_t i = 0; i < domain.size() && i < 2; ++i)
            fields[i] = domain[i];
        for (std::size_t i = 0; i < range.size() && i < 2; ++i)
            fields[2 + i] = range[i];
        if (!domain.empty() || !range.empty())
            graph.MarkRangeEdited();
        params.SetInto(graph);  // before plotting: autoscale sees the values
        std::vector<SViewMessage> messages;
        for (const std::string &function : functions) {
            graph.Plot(function, fields, &messages);
            fields = graph.RangeFieldTexts();  // the fields show the view after each plot
        }
        ThrowIfAny(messages);
        if (!family.empty()) {
            MakeFamily(graph, letter, family);
            graph.SetShowLegend(true);  // the legend names each curve's value
        }
        figure.Apply(graph);
        picture.Write(graph);
    }
};

// A --domain or --range pair: numbers or constant expressions, typed into the
// fields as the shortest text of their value.
void AddPairOption(CLI::App &cmd, const std::string &name, std::vector<std::string> &texts, const std::string &help)
{
    cmd.add_option_function<std::vector<std::string>>(
           name,
           [&texts, name](const std::vector<std::string> &values) {
               texts.clear();
               for (const std::string &value : values)
                   texts.push_back(ShownExact(ReadValue(value, name)));
           },
           help + " (" + AngleUnitNote(EAngleUnit::Radians) + ")")
        ->expected(2)
        ->allow_extra_args(false)
        ->type_name("NUMBER");
}

}  // namespace

void AddRenderCommands(CLI::App &app)
{
    auto render = std::make_shared<SRender>();
    CLI::App *cmd = app.add_subcommand("render", "Draws the graph of a .cva document into a picture, as the window "
                                                 "exports it");
    FileArgument(cmd->add_option("FILE", render->file, "The .cva document (- for standard input)"))->required();
    render->picture.AddOptions(*cmd);
    render->figure.AddOptions(*cmd);
    render->params.AddOption(*cmd, false);
    cmd->callback([render] { render->Run(); });

    auto plot = std::make_shared<SPlot>();
    cmd = app.add_subcommand("plot", "Plots up to five functions into a picture, as the Plot command does");
    cmd->add_option("EXPR", plot->expressions,
                    "Functions of x as typed in the window (- for one a line from standard input)")
        ->required();
    AddPairOption(*cmd, "--domain", plot->domain, "The x range shown, from A to B, as the domain fields take it");
    AddPairOption(*cmd, "--range", plot->range, "The y range shown, from C to D, as the range fields take it");
    plot->picture.AddOptions(*cmd);
    plot->figure.AddOptions(*cmd);
    plot->params.AddOption(*cmd, true);
    cmd->callback([plot] { plot->Run(); });
}
