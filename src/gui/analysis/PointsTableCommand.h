#pragma once

class CCorvantaView;
class CTableSettingsDlg;
class QWidget;

// The domain substitution command: the settings, then the points table of
// the view's functions with the selected one chosen.
void RunPointsTableCommand(const CCorvantaView &view, CTableSettingsDlg &settings, QWidget *parent);
