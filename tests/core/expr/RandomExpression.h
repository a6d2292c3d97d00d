#pragma once

#include <random>
#include <string>

// Random, fully bracketed expressions in a syntax that both our parser and
// muParser read the same way. Function names are given per dialect.
struct RandomExpression
{
    std::string ours;
    std::string theirs;
};

// muParser computes the inverse hyperbolics by their logarithm formulas,
// which lose digits near zero; leave them out when comparing with it.
inline RandomExpression MakeRandomExpression(std::mt19937 &rng, int depth, bool inverseHyperbolics = true)
{
    static const char *const kOurs[] = {"sin", "cos", "tan", "asin", "acos", "atan", "sinh", "cosh",
                                        "tanh", "asinh", "acosh", "atanh", "ln", "log"};
    static const char *const kTheirs[] = {"sin", "cos", "tan", "asin", "acos", "atan", "sinh", "cosh",
                                          "tanh", "asinh", "acosh", "atanh", "ln", "log10"};
    static const char *const kNumbers[] = {"2", "3", "0.5", "1.25", "10", "7", "0.1", "4.75"};
    static const char kOps[] = {'+', '-', '*', '/', '^'};

    std::uniform_int_distribution<int> pick(0, 99);
    const int roll = pick(rng);
    if (depth <= 0 || roll < 20) {
        std::string leaf = roll % 2 ? "x" : kNumbers[roll % 8];
        return {leaf, leaf};
    }
    if (roll < 45) {
        int f = roll % 14;
        if (!inverseHyperbolics && f >= 9 && f <= 11)
            f -= 3;
        RandomExpression a = MakeRandomExpression(rng, depth - 1, inverseHyperbolics);
        return {std::string(kOurs[f]) + "(" + a.ours + ")", std::string(kTheirs[f]) + "(" + a.theirs + ")"};
    }
    if (roll < 52) {
        RandomExpression a = MakeRandomExpression(rng, depth - 1, inverseHyperbolics);
        return {"(-(" + a.ours + "))", "(-(" + a.theirs + "))"};
    }
    const char op = kOps[roll % 5];
    RandomExpression a = MakeRandomExpression(rng, depth - 1, inverseHyperbolics);
    RandomExpression b = MakeRandomExpression(rng, depth - 1, inverseHyperbolics);
    return {"(" + a.ours + ")" + op + "(" + b.ours + ")", "(" + a.theirs + ")" + op + "(" + b.theirs + ")"};
}
