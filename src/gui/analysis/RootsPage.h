#pragma once

#include "gui/analysis/AnalysisPage.h"

// "Function Roots": the roots of the chosen function, one line each.
class CSolve : public CAnalysisPage
{
    Q_OBJECT
public:
    explicit CSolve(QWidget *parent = nullptr);
};
