#include "core/analysis/AnalysisWording.h"

namespace {

const SAnalysisTexts kRootTexts = {
    "Function Roots",
    "2- Searching for roots :",
    "3- Specify a domain :   From",
    "Root(s) in that domain :",
    "Root(s) in that domain :",
    "Root(s) near that point :",
    nullptr,
    "The domain which you specified is too large,and may take a lot of time for searching or some of roots may "
    "not be displayed. Would you like to change it?",
    "This domain which you specfied contains too much roots ,so there are some of roots may not be displayed.\n\n"
    "Note: if you decrease domain, result will be better.",
    "Too much Roots",
};

const SAnalysisTexts kExtremaTexts = {
    "Function's Extremas",
    "2- Searching for critical points :",
    "3- Specify domain :     From",
    "Critical point(s) in this domain :",
    "Critical point(s) in that domain :",
    "Critical point(s) near that point :",
    nullptr,
    "The domain which you specified is too large,and may take a lot of time for searching or some of critical "
    "points may not be displayed. Would you like to change it?",
    "This domain which you specfied contains too much critical points ,so there are some of critical points may "
    "not be displayed.\n\nNote: if you decrease domain, result will be better.",
    "Too much Critical Points",
};

const SAnalysisTexts kInflectionTexts = {
    "Points of Inflextion",
    "2- Searching for inflection points :",
    "3- Specify domain :    From",
    "Inflection point(s) in this domain :",
    "Inflection point(s) in that domain :",
    "Inflection point(s) near that point :",
    "          x                                    y",
    "The domain which you specified is too large,and may take a lot of time for searching or some of inflection "
    "points may not be displayed. Would you like to change it?",
    "This domain which you specfied contains too much inflection points ,so there are some of inflection points "
    "may not be displayed.\n\nNote: if you decrease domain, result will be better.",
    "Too much Inflection Points",
};

const SAnalysisTexts kIntersectionTexts = {
    "Intersections",
    "2- Searching for intersections :",
    "3- Specify a domain :   From",
    "Intersection(s) in that domain :",
    "Intersection(s) in that domain :",
    "Intersection(s) near that point :",
    "          x                                    y",
    "The domain which you specified is too large,and may take a lot of time for searching or some of "
    "intersections may not be displayed. Would you like to change it?",
    "This domain contains too many intersections, so some of them may not be displayed.\n\n"
    "Note: if you decrease domain, result will be better.",
    "Too many Intersections",
};

}  // namespace

const SAnalysisTexts &AnalysisTexts(EAnalysisKind kind)
{
    switch (kind) {
    case EAnalysisKind::Extrema: return kExtremaTexts;
    case EAnalysisKind::Inflection: return kInflectionTexts;
    case EAnalysisKind::Intersections: return kIntersectionTexts;
    case EAnalysisKind::Roots: break;
    }
    return kRootTexts;
}

std::string PlacesRangeText()
{
    return "Please enter an integer between " + std::to_string(kMinPlaces) + " and " + std::to_string(kMaxPlaces) +
           ".";
}

const char *CheckText(const SAnalysisRequest &r, EAnalysisCheck check)
{
    switch (check) {
    case EAnalysisCheck::DomainOrder: return kDomainOrderText;
    case EAnalysisCheck::TooFar: return r.near ? kFarPointText : kFarDomainText;
    case EAnalysisCheck::LargeDomain: return AnalysisTexts(r.kind).largeQuestion;
    case EAnalysisCheck::Ok: break;
    }
    return "";
}

const char *IntersectionRefusalText(EIntersectionRefusal refusal)
{
    switch (refusal) {
    case EIntersectionRefusal::NoSecondFunction: return kNoSecondFunctionText;
    case EIntersectionRefusal::SameFunctions: return kSameFunctionsText;
    case EIntersectionRefusal::None: break;
    }
    return nullptr;
}
