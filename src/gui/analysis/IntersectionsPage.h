#pragma once

#include "gui/analysis/AnalysisPage.h"

// "Intersections": where two of the plotted functions are equal, x and y in
// two columns.
class CIntersect : public CAnalysisPage
{
    Q_OBJECT
public:
    explicit CIntersect(QWidget *parent = nullptr);
};
