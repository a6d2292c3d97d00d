#pragma once

#include "core/analysis/PointsTable.h"

#include <QDialog>

#include <array>
#include <vector>

class CTableSettingsDlg;
class QComboBox;
class QListWidget;
class QPushButton;

// "Make Points Table": x and f(x) of one function over the confirmed
// settings, one line per point.
class CPointsTableDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CPointsTableDlg(CTableSettingsDlg &settings, QWidget *parent = nullptr);

    // The settings first; Cancel there ends everything without a table.
    int DoModal();
    // The function list: the non-empty texts in slot order, the one of slot
    // m_nCurrent selected.
    void OnInitDialog();
    // Rebuilds the whole list for the selected function.
    void OnCalculate();
    // The settings again; they apply at the next Calculate.
    void OnSettings();
    // The table shown, to the clipboard as tab-separated text.
    void OnCopy();
    // The table shown, into a comma-separated file the user names.
    void OnSaveCsv();

    QComboBox *FunctionList() const { return m_pFunctions; }
    QListWidget *Table() const { return m_pTable; }

    static const char *const kHeading;

    int m_nCurrent = -1;
    std::array<QString, 5> m_strFunctions;
    std::array<SParameterValues, 5> m_parameters;  // each slot's parameter values
    QString m_strFunction;

private:
    CTableSettingsDlg &m_settings;
    QComboBox *m_pFunctions = nullptr;
    QListWidget *m_pTable = nullptr;
    QPushButton *m_pCopy = nullptr;
    QPushButton *m_pSave = nullptr;
    std::vector<STableRow> m_rows;  // of the table shown, at full precision
};
