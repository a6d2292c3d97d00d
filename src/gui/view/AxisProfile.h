#pragma once

class CGraph;
class CViewState;

// How the user likes the axes labelled, kept in the profile: readable
// labels unless the user turned them off, x in plain numbers unless asked.
void LoadAxisLabels(CGraph &graph);
void SaveAxisLabels(const CViewState &view);
