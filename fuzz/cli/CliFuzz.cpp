// Reads arbitrary text as a number given on the command line and as a matrix
// file, and checks what comes back: a finite number, or a matrix of the shape
// asked for, its cells finite; anything else is refused with a message.
// The first byte picks the reader, the angle unit and the shape.
#include "cli/Cli.h"
#include "cli/MatrixInput.h"

#include "core/expr/FunctionText.h"
#include "core/expr/NumberText.h"

#include <CLI/CLI.hpp>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void Number(const std::string &text, bool degrees, bool option)
{
    const std::string what = option ? "--from" : "X";
    try {
        const double value = ReadValue(text, what, degrees ? EAngleUnit::Degrees : EAngleUnit::Radians);
        Require(std::isfinite(value));
        // A plain number is read as itself, whatever the angle unit.
        const SWholeNumber plain = ExamineNumber(LowerAscii(text));
        if (plain.kind == NumberKind::Number)
            Require(value == plain.value);
    } catch (const CLI::ValidationError &e) {
        Require(option && std::string(e.what()).find(what) != std::string::npos);
    } catch (const CInputError &e) {
        Require(!option && std::string(e.what()).starts_with(what + ": "));
    }
}

void Matrix(const std::string &text, int maxRows, int maxCols)
{
    const SShape shape{maxRows, maxCols, "fuzz"};
    try {
        const CMatrix m = ReadMatrixText(text, "input", shape);
        Require(m.Rows() >= 1 && m.Rows() <= maxRows && m.Cols() >= 1 && m.Cols() <= maxCols);
        Require(m.Values().size() == static_cast<std::size_t>(m.Rows()) * static_cast<std::size_t>(m.Cols()));
        for (double v : m.Values())
            Require(std::isfinite(v));
    } catch (const CInputError &e) {
        Require(std::string(e.what()).starts_with("input"));
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t control = data[0];
    const std::string text(reinterpret_cast<const char *>(data + 1), size - 1);
    if (control & 1) {
        Matrix(text, 1 + (control >> 1) % 8, 1 + (control >> 4) % 9);
    } else if (text.size() <= 4096) {
        Number(text, control & 2, control & 4);
    }
    return 0;
}
