#include "gui/analysis/Solve.h"

#include "core/analysis/RootFinder.h"
#include "core/expr/NumberText.h"

namespace {

const SPageTexts kTexts = {
    "Function Roots",
    "2- Searching for roots :",
    {1000, 1001, 1002},
    1003, 1004, 1005, 1041, 1007,
    "3- Specify a domain :   From",
    "Root(s) in that domain :",
    "Root(s) in that domain :",
    "Root(s) near that point :",
    true,
    true,
    nullptr,
    5000000.0,
    "The domain which you specified is too large,and may take a lot of time for searching or some of roots may "
    "not be displayed. Would you like to change it?",
    "This domain which you specfied contains too much roots ,so there are some of roots may not be displayed.\n\n"
    "Note: if you decrease domain, result will be better.",
    "Too much Roots",
};

}  // namespace

CSolve::CSolve(QWidget *parent) : CAnalysisPage(kTexts, parent) {}

std::optional<CAnalysisPage::SResult> CSolve::Search(bool bNear, double t, const ProgressCallback &progress)
{
    CRootFinder finder;
    const std::string function = m_strFunction.toStdString();
    if (!(bNear ? finder.SearchNear(function, m_dFrom, t, progress)
                : finder.SearchDomain(function, m_dFrom, m_dTo, t, progress)))
        return std::nullopt;
    SResult result;
    for (int i = 0; i < finder.m_nCount; ++i)
        if (finder.m_bValid[i])
            result.lines << QString::fromStdString(FormatFixed(finder.m_dRoots[i], 7));
    result.truncated = finder.IsFull();
    return result;
}
