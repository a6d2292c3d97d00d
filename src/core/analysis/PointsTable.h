#pragma once

#include "core/expr/Program.h"

#include <cstdint>
#include <string>
#include <vector>

// The domain and increment of a points table.
struct STableSettings
{
    double from = -20.0;
    double to = 20.0;
    double increment = 0.5;
};

// A refusal of the settings, to be shown with the stop icon.
struct STableMessage
{
    std::string text;
    std::string caption;
};

constexpr int kMaxTableSteps = 10000;

// The messages the settings earn, in the order they are shown; none means the
// settings are good: increment > 0, From < To, at most 10,000 steps, and an
// increment that still changes From when added to it. A bad increment and a
// reversed domain earn two messages.
std::vector<STableMessage> CheckTableSettings(const STableSettings &settings);

// Number of rows of good settings: i = 0 .. floor((To - From) / Increment +
// 1e-9), so To itself is listed when the steps land on it.
std::int64_t TableRowCount(const STableSettings &settings);

// One line of the table for a substituted x and its value.
std::string TableLine(double xr, double yr);

// One row: the substituted x and the value there, both exact.
struct STableRow
{
    double x;
    double y;
};

// The rows of the table of a function text over good settings, its
// parameter letters at the given values; none for an empty text or refused
// settings.
std::vector<STableRow> PointsTableRows(const std::string &function, const STableSettings &settings,
                                       const SParameterValues &parameters = {});

// The lines of the table of a function text over good settings. Row i
// substitutes x_i = From + i * Increment worked out on the decimals of From
// and Increment and rounded once (0.1 + 2 * 0.1 is 0.3). An empty text gives no lines.
std::vector<std::string> ComputePointsTable(const std::string &function, const STableSettings &settings,
                                            const SParameterValues &parameters = {});

// The rows as text for other programs: the head line "x<separator>f(x)", then
// one line per row, each line ended by '\n'. Every value is the shortest text
// that reads back to the same double, with '.' as the decimal point whatever
// the locale. Where the table says "NOT DEFINE" or "INFINTY" the field is
// left empty, so a spreadsheet reads a missing value rather than a word.
std::string TableText(const std::vector<STableRow> &rows, char separator);
