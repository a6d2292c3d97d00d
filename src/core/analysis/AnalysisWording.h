#pragma once

#include "core/analysis/AnalysisRun.h"

#include <string>

// What the analysis sheet and the command line say about a search: the
// pages' labels and every message, worded once for both. The search itself
// returns codes; only the front ends read this file.

// The texts that differ from one kind to the next.
struct SAnalysisTexts
{
    const char *title;
    const char *searchLabel;     // "2- Searching for ..."
    const char *step3Text;       // the page's first step-3 label
    const char *resultText;      // the page's first result label
    const char *inDomainText;
    const char *nearPointText;
    const char *columnHeads;     // above the list, or nullptr
    const char *largeQuestion;   // asked for a domain wider than LargeDomainLimit
    const char *tooMany;
    const char *tooManyCaption;
};

const SAnalysisTexts &AnalysisTexts(EAnalysisKind kind);

// The list after a cancelled search: the last one belonged to another text.
inline constexpr const char *kCancelledLine = "The search was cancelled.";
inline constexpr const char *kInvalidDomainCaption = "Invalid domain";
inline constexpr const char *kDomainOrderText =
    "Error 0x06:\n\nThe start of domain must be less than the end.\nPlease correct the error and try again.";
inline constexpr const char *kFarDomainText =
    "The domain is too far from zero: the search step no longer changes x there.\n"
    "Please choose a domain nearer to zero and try again.";
inline constexpr const char *kFarPointText =
    "The point is too far from zero: the search step no longer changes x there.\n"
    "Please choose a point nearer to zero and try again.";
inline constexpr const char *kLargeDomainCaption = "Large domain";
inline constexpr const char *kNoSecondFunctionText =
    "There is no second function to intersect with.\nPlease plot at least two functions and try again.";
inline constexpr const char *kSameFunctionsText =
    "The two functions are equal throughout the domain, so every point is an intersection.\n"
    "Please choose two different functions.";

// "Please enter an integer between 3 and 15."
std::string PlacesRangeText();

// What is said about a request's check: a refusal (DomainOrder, TooFar)
// captioned kInvalidDomainCaption, or the question captioned
// kLargeDomainCaption; empty for Ok.
const char *CheckText(const SAnalysisRequest &request, EAnalysisCheck check);

// The refusal of an intersection search; nullptr for none.
const char *IntersectionRefusalText(EIntersectionRefusal refusal);
