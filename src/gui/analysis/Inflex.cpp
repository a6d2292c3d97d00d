#include "gui/analysis/Inflex.h"

#include "core/analysis/InflexFinder.h"

#include <memory>

namespace {

const SPageTexts kTexts = {
    "Points of Inflextion",
    "2- Searching for inflection points :",
    {1000, 1002, 1003},
    1004, 1005, 1007, 1013, 1010,
    "3- Specify domain :    From",
    "Inflection point(s) in this domain :",
    "Inflection point(s) in that domain :",
    "Inflection point(s) near that point :",
    false,
    false,
    "          x                                    y",
    50000.0,
    "The domain which you specified is too large,and may take a lot of time for searching or some of inflection "
    "points may not be displayed. Would you like to change it?",
    "This domain which you specfied contains too much inflection points ,so there are some of inflection points "
    "may not be displayed.\n\nNote: if you decrease domain, result will be better.",
    "Too much Inflection Points",
};

}  // namespace

CInflex::CInflex(QWidget *parent) : CAnalysisPage(kTexts, parent) {}

std::optional<CAnalysisPage::SResult> CInflex::Search(bool bNear, double t, const ProgressCallback &progress)
{
    const auto finder = std::make_unique<CInflexFinder>();
    const std::string function = m_strFunction.toStdString();
    if (!(bNear ? finder->SearchNear(function, m_dFrom, t, progress)
                : finder->SearchDomain(function, m_dFrom, m_dTo, t, progress)))
        return std::nullopt;
    SResult result;
    for (int i = 0; i < finder->m_nCount; ++i)
        if (finder->IsListed(i))
            result.lines << QString::fromStdString(finder->FormatLine(i));
    result.truncated = finder->IsTruncated() || finder->m_nCount > 598;
    return result;
}
