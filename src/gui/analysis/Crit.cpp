#include "gui/analysis/Crit.h"

#include "core/analysis/ExtremaFinder.h"

#include <memory>

namespace {

const SPageTexts kTexts = {
    "Function's Extremas",
    "2- Searching for critical points :",
    {1000, 1002, 1003},
    1004, 1005, 1007, 1041, 1001,
    "3- Specify domain :     From",
    "Critical point(s) in this domain :",
    "Critical point(s) in that domain :",
    "Critical point(s) near that point :",
    false,
    false,
    nullptr,
    50000.0,
    "The domain which you specified is too large,and may take a lot of time for searching or some of critical "
    "points may not be displayed. Would you like to change it?",
    "This domain which you specfied contains too much critical points ,so there are some of critical points may "
    "not be displayed.\n\nNote: if you decrease domain, result will be better.",
    "Too much Critical Points",
};

}  // namespace

CCrit::CCrit(QWidget *parent) : CAnalysisPage(kTexts, parent) {}

std::optional<CAnalysisPage::SResult> CCrit::Search(bool bNear, double t, const ProgressCallback &progress)
{
    const auto finder = std::make_unique<CExtremaFinder>();
    const std::string function = m_strFunction.toStdString();
    if (!(bNear ? finder->SearchNear(function, m_dFrom, t, progress)
                : finder->SearchDomain(function, m_dFrom, m_dTo, t, progress)))
        return std::nullopt;
    SResult result;
    for (int i = 0; i < finder->m_nCount; ++i)
        if (finder->IsListed(i))
            for (int k = 1; k <= 4; ++k)
                result.lines << QString::fromStdString(finder->FormatLine(i, k));
    result.truncated = finder->IsTruncated() || finder->m_nCount > 598;
    return result;
}
