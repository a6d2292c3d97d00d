#pragma once

#include "gui/analysis/AnalysisPage.h"

// "Function's Extremas": local minima and maxima, four lines each.
class CCrit : public CAnalysisPage
{
    Q_OBJECT
public:
    explicit CCrit(QWidget *parent = nullptr);
};
