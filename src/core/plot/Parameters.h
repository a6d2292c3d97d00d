#pragma once

#include "core/expr/Program.h"

#include <array>
#include <string>

// One parameter letter's value and the range its slider spans.
struct SParameter
{
    double value = 1.0;
    double min = -5.0;
    double max = 5.0;
    double step = 0.1;

    bool operator==(const SParameter &) const = default;
    // Finite, min < max, a positive step no wider than the range, the value within it.
    bool IsValid() const;
};

// The parameters of a graph, one entry for each parameter letter
// (kParameterLetters); an entry never set holds the defaults.
struct SParameterTable
{
    const SParameter &Of(char letter) const { return entries[SParameterValues::Index(letter)]; }
    SParameter &Of(char letter) { return entries[SParameterValues::Index(letter)]; }
    SParameterValues Values() const;
    // The letters whose entry differs from the defaults, alphabetically.
    std::string SetLetters() const;
    bool operator==(const SParameterTable &) const = default;

    std::array<SParameter, 26> entries{};
};

// "a = 2.5": how the legend and the command line show a value.
std::string ParameterText(char letter, double value);

// The value on the slider's grid (min + k * step) nearest v, within the
// range, written with at most 15 significant digits.
double SnapToStep(const SParameter &p, double v);
