#include "cli/Batch.h"
#include "cli/Cli.h"

#include "core/calc/CalcEvaluator.h"
#include "core/calc/CalcText.h"
#include "core/expr/NumberText.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <memory>
#include <regex>

namespace {

using nlohmann::json;

// The display's text without its padding: "4. " is 4 on the command line.
std::string BareValue(std::string shown)
{
    while (!shown.empty() && shown.back() == ' ')
        shown.pop_back();
    if (shown.size() > 1 && shown.back() == '.')
        shown.pop_back();
    return shown;
}

// The window's base fields take 2..36; anything else is a usage error here.
std::string CheckBaseField(const std::string &text)
{
    return BaseFieldValue(text) == 0 ? std::string(kBaseFieldText) : std::string();
}

struct SCalc
{
    SOutput output;
    std::string expression;
    bool radians = false;
    std::string base = "10";
    std::string toBase = "10";

    void Run()
    {
        const int tokenBase = TokenBase(base);
        const int shownBase = BaseFieldValue(toBase);
        RunBatch(output, expression, false, [&](const std::string &text) {
            if (text.size() > kMaxCalcTextLength)
                throw CInputError(kCalcTooLongText);
            const SCalcResult result = EvaluateCalcText(text, radians, tokenBase);
            if (!result.Ok())
                throw CInputError(RefusalText(result));
            const double value = result.dValue;
            const std::string shown = EqualsText(value, shownBase);
            return SItem{{BareValue(shown)}, {{"expression", text}, {"value", value}, {"text", shown}}, {shown}};
        });
    }
};

// A D°M'S" text as the calculator's display shows one, blanks allowed.
bool IsDmsText(const std::string &text)
{
    std::string s = text;
    std::erase(s, ' ');
    static const std::regex dms(R"(-?\d+(\.\d+)?\xC2\xB0\d+(\.\d+)?'(\d+(\.\d+)?"?)?)");
    return std::regex_match(s, dms);
}

struct SDms
{
    SOutput output;
    std::string value;

    void Run()
    {
        std::string shown;
        double degrees = 0.0;
        if (value.find('\'') != std::string::npos) {
            if (!IsDmsText(value))
                throw CInputError("VALUE: '" + value + "' is not an angle such as 30\xC2\xB0 15' 10\"");
            shown = ConvertDms(value);
            degrees = ReadNumberText(shown);
        } else {
            // As the display shows the value after "=", then D°M'S".
            const SCalcResult result = EvaluateCalcText(value, false, -1);
            if (!result.Ok())
                throw CInputError("VALUE: '" + value + "' is not a number: " + RefusalText(result));
            if (!std::isfinite(result.dValue))
                throw CInputError("VALUE: '" + value + "' is not a number");
            degrees = result.dValue;
            shown = ConvertDms(EqualsText(degrees, 10));
        }
        output.Print({shown}, {{"expression", value}, {"degrees", degrees}, {"text", shown}});
    }
};

struct SCoordinates
{
    bool toPolar = true;
    SOutput output;
    double first = 0.0;
    double second = 0.0;

    void Run()
    {
        const auto [a, b] = toPolar ? RectToPolar(first, second) : PolarToRect(first, second);
        const auto [textA, textB] = toPolar ? RectToPolarTexts(first, second) : PolarToRectTexts(first, second);
        json value;
        if (toPolar)
            value = {{"x", first}, {"y", second}, {"radius", a}, {"angle", b}};
        else
            value = {{"radius", first}, {"angle", second}, {"x", a}, {"y", b}};
        value["lines"] = {textA, textB};
        output.Print({textA, textB}, value);
    }
};

}  // namespace

void AddCalcCommands(CLI::App &app)
{
    auto calc = std::make_shared<SCalc>();
    CLI::App *cmd = app.add_subcommand("calc", "An expression for the calculator and its result, a bare value "
                                               "(4, 2.5, -FF); --json also gives the display's own text after \"=\", "
                                               "point and blanks included (\"4. \")");
    cmd->add_option("EXPR", calc->expression,
                    "The calculator's expression (sin 30, 5!, 6ncr2, 2*10^3, ...), or - for one a line from "
                    "standard input")
        ->required();
    cmd->add_flag("--radians", calc->radians, "Angles in radians (the calculator starts in degrees)");
    cmd->add_option("--base", calc->base, "Base of the numbers in EXPR, 2 to 36 (\"Base System: From\")")
        ->type_name("N")
        ->default_val("10")
        ->check(CheckBaseField);
    cmd->add_option("--to-base", calc->toBase, "Base the result is shown in, 2 to 36 (\"Base System: To\")")
        ->type_name("M")
        ->default_val("10")
        ->check(CheckBaseField);
    calc->output.AddFlag(*cmd);
    cmd->callback([calc] { calc->Run(); });

    auto dms = std::make_shared<SDms>();
    cmd = app.add_subcommand("dms", "Decimal degrees to degrees, minutes and seconds and back, as the "
                                    "calculator's D\xC2\xB0M'S\" key converts its display");
    cmd->add_option("VALUE", dms->value,
                    "Decimal degrees (a number or a calculator expression), or an angle such as 30\xC2\xB0 15' 10.5\"")
        ->required();
    dms->output.AddFlag(*cmd);
    cmd->callback([dms] { dms->Run(); });

    const struct
    {
        const char *name, *description, *first, *firstHelp, *second, *secondHelp;
        bool toPolar;
    } conversions[] = {
        {"polar", "Rectangular to polar coordinates, as the calculator's \"Rect => Angl\" shows them: radius, "
                  "then angle in degrees",
         "X", "x coordinate (polar -pi 1)", "Y", "y coordinate", true},
        {"rect", "Polar to rectangular coordinates, as the calculator's \"Angl => Rect\" shows them: x, then y",
         "R", "Radius (rect -pi 90)", "THETA", "Angle in degrees", false},
    };
    for (const auto &c : conversions) {
        auto conversion = std::make_shared<SCoordinates>();
        conversion->toPolar = c.toPolar;
        cmd = app.add_subcommand(c.name, c.description);
        AddNumberOption(*cmd, c.first, conversion->first, c.firstHelp, true, EAngleUnit::Degrees);
        AddNumberOption(*cmd, c.second, conversion->second, c.secondHelp, true, EAngleUnit::Degrees);
        conversion->output.AddFlag(*cmd);
        cmd->callback([conversion] { conversion->Run(); });
    }
}
