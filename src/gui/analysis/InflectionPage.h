#pragma once

#include "gui/analysis/AnalysisPage.h"

// "Points of Inflextion": x and y of each inflection point in two columns.
class CInflex : public CAnalysisPage
{
    Q_OBJECT
public:
    explicit CInflex(QWidget *parent = nullptr);
};
