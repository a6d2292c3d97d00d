#include "gui/common/UserPrompts.h"

#include "gui/common/QtPrompts.h"

namespace {
CUserPrompts *g_pInstalled = nullptr;
}  // namespace

CUserPrompts &CUserPrompts::Current()
{
    static CQtPrompts real;
    return g_pInstalled ? *g_pInstalled : real;
}

CUserPrompts *CUserPrompts::Install(CUserPrompts *pPrompts)
{
    CUserPrompts *pPrevious = g_pInstalled;
    g_pInstalled = pPrompts;
    return pPrevious;
}
