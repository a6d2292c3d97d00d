#pragma once

#include "gui/analysis/NumberFields.h"

#include <QDialog>

#include <array>

class CTableSettingsDlg;
class QComboBox;
class QListWidget;

// "Make Points Table": x and f(x) of one function over the confirmed
// settings, one line per point.
class CPointsTableDlg : public QDialog
{
    Q_OBJECT
public:
    // run is how the settings and this dialog are run modally.
    CPointsTableDlg(CTableSettingsDlg &settings, QWidget *parent = nullptr, DialogRunner run = {});

    // The settings first; Cancel there ends everything without a table.
    int DoModal();
    // The function list: the non-empty texts in slot order, the one of slot
    // m_nCurrent selected.
    void OnInitDialog();
    // Rebuilds the whole list for the selected function.
    void OnCalculate();
    // The settings again; they apply at the next Calculate.
    void OnSettings();

    QComboBox *FunctionList() const { return m_pFunctions; }
    QListWidget *Table() const { return m_pTable; }

    static const char *const kHeading;

    int m_nCurrent = -1;
    std::array<QString, 5> m_strFunctions;
    QString m_strFunction;

private:
    CTableSettingsDlg &m_settings;
    DialogRunner m_run;
    QComboBox *m_pFunctions = nullptr;
    QListWidget *m_pTable = nullptr;
};
