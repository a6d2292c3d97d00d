#pragma once

#include "core/linalg/Matrix.h"
#include "gui/app/DocumentCommands.h"
#include "gui/view/ViewHost.h"

#include <QHash>
#include <QMainWindow>
#include <QList>
#include <QPointer>
#include <QRect>

#include <functional>
#include <optional>

class QAction;
class QComboBox;
class QDockWidget;
class QKeyEvent;
class QLabel;
class QMenu;
class QToolBar;
class CCorvantaView;
class CCorvantaDoc;
class CExpressionBar;
class CFloatingBars;
class CTangentBar;
class CTraceBar;
class CZoomBar;
class CParameterPanel;
class CCalcDlg;
class CTableSettingsDlg;
class COutputCommands;
class CGraphAttrDlg;

// The main window: it assembles the menus, the main toolbar, the expression,
// trace, tangent and zoom bars, the status bar and the graph view, hosts the
// view, and routes every command of the command table to the frame or the
// view. The bars and the document commands are parts of their own.
class CMainFrame : public QMainWindow, public CViewHost
{
    Q_OBJECT
public:
    explicit CMainFrame(QWidget *parent = nullptr);
    ~CMainFrame() override;

    // --- What the view asks of the frame (CViewHost) ---
    QString RangeFieldText(int nId) const override;
    void SetRangeFieldText(int nId, const QString &strText) override;
    void FocusFunctionList() override;
    void SelectFunctionListText(int nStart, int nLength) override;
    void SetBarVisible(int nCommand, bool bVisible) override;
    void OnFirstPaint() override;
    QString FunctionListText() const override;
    void SetFunctionListText(const QString &strText) override;
    int FunctionListCount() const override;
    void AppendFunctionListEntry(const QString &strText) override;
    void InsertFunctionListEntry(int nIndex, const QString &strText) override;
    void RemoveFunctionListEntry(int nIndex) override;
    void ClearFunctionList() override;
    void SelectFunctionListEntry(int nIndex) override;
    void SetDerivativeText(const QString &strText) override;
    bool IsNewDocument() const override;
    void ShowStatusText(const QString &strText) override;

    // --- Frame operations used by the view and the tools ---
    void SetTracePositionText(const QString &strText) override;  // IDC_TRACE_POSITION
    void ToggleBar(int nCommand);                       // ID_TRACE or ID_TANGENT
    void UpdateDegreeOption(const QString &strCoded) override;
    void SetIndicatorColor(const QColor &color) override;
    bool IsScientific() const override { return m_bScientific; }
    bool IsTrigonometric() const override { return m_bTrigonometric; }
    bool IsDegree() const override { return m_bDegree; }

    // The document shown in the view (none: the view keeps nothing in step).
    // The frame follows its name and modified flag in the window title and
    // carries out the file commands on it.
    void SetDocument(CCorvantaDoc *pDocument);
    CCorvantaDoc *Document() const { return m_pDocuments->Document(); }

    // A document to open (command line, drop, recent-file list). A modified
    // document is offered for saving first; a file opened becomes the newest
    // recent file, one that cannot be opened leaves everything as it was.
    // Returns whether the file is now the document.
    bool OpenDocumentFile(const QString &strPath) { return m_pDocuments->OpenDocumentFile(strPath); }
    // New, open, save, save as and the recent files (their file dialog
    // can be replaced there).
    CDocumentCommands *DocumentCommands() const { return m_pDocuments; }

    // "Save changes to ...?" before the document is replaced or the program
    // ends; false when the user cancelled or the save did not happen.
    bool SaveModified() { return m_pDocuments->SaveModified(); }
    CRecentFileList &RecentFiles() { return m_pDocuments->RecentFiles(); }
    void AddToRecentFileList(const QString &strPath) { m_pDocuments->AddToRecentFileList(strPath); }
    void RefreshRecentFileMenu();

    // --- Parts, for the view and the tools ---
    QAction *Action(int nId) const;
    QToolBar *MainToolBar() const { return m_pMainToolBar; }
    CExpressionBar *ExpressionBar() const { return m_pExpressionBar; }
    CZoomBar *ZoomBar() const { return m_pZoomBar; }
    CParameterPanel *ParameterPanel() const { return m_pParameterPanel; }
    CTraceBar *TraceBar() const { return m_pTraceBar; }
    CTangentBar *TangentBar() const { return m_pTangentBar; }
    QComboBox *FunctionList() const { return m_pFunctionList; }
    CCorvantaView *View() const { return m_pView; }
    CCalcDlg *CalcDlg() const { return m_pCalcDlg; }
    COutputCommands *Output() const { return m_pOutput; }

    // Runs a command as if chosen by the user; false when it is disabled.
    bool ExecuteCommand(int nId);
    // Brings enabled states and check marks up to date (menus do it on opening).
    void UpdateCommandStates();

    // --- Command handlers of the frame ---
    void OnFileNew(int nId);
    void OnFileOpen(int nId);
    void OnFileSave(int nId);
    void OnFileSaveAs(int nId);
    void OnRecentFile(int nId);
    void OnAppExit(int nId);
    void OnBarCheck(int nId);
    void OnExtendedTools(int nId);
    void OnAppAbout(int nId);
    void OnAnalyzeGraph(int nId);
    void OnCalculator(int nId);
    void OnLinearAlgebra(int nId);  // the three linear-algebra tools
    void OnGraphAttributes(int nId);
    // OK in Graph Attributes: the view and the colour indicator take the choice.
    void ApplyGraphAttributes(const CGraphAttrDlg &dlg);
    void OnNoAction(int nId);
    // Undo and Redo of the view's changes; their menu texts name the change.
    void OnEditUndo(int nId);
    void OnEditRedo(int nId);
    void OnNextPane(int nId);
    void OnPrevPane(int nId);
    void OnScientific(int nId);
    void OnDegree(int nId);
    // Copy, paste, export, printing, fullscreen and help.
    void OnOutputCommand(int nId);

    // --- Integration, points table, trace and tangent ---
    void OnIntegrate(int nId);
    void OnDomainSubstitution(int nId);
    void SetTraceResultText(const QString &strText) override;    // trace bar's 1046
    void SetTangentBarText(int nId, const QString &strText) override;
    // The points-table settings, kept for the whole run.
    CTableSettingsDlg *TableSettings() const { return m_pTableSettings; }

signals:
    void documentOpenRequested(const QString &strPath);
    void minimized();
    void plotRequested();
    void replotRequested();
    void functionSelected(int nIndex);
    void rangeFieldFocused(int nId);

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QMenu *Popup(int nIndex) const;
    // The window title: the document's name, "*" while modified, the program.
    void UpdateTitle();
    bool IsBarVisible(bool bTangent) const;
    void UpdateUndoActions();
    // Ctrl+Z in a text field with nothing of its own to undo undoes the graph.
    static bool FieldHasNoUndo(QObject *pField, const QKeyEvent *pKey);
    // Floats the zoom, trace and tangent bars at their places on the screen.
    void PlaceFloatingBars();
    void CreateActions();
    void CreateMenus();
    void CreateMainToolBar();
    void CreateStatusBar();
    void CreateBars();
    void AddHiddenBar(QDockWidget *pBar);
    // Floating bars at their own place move clear of the legend, the labels and the docked panel.
    void AvoidOverlays();
    void CreateGraphArea();
    void Dispatch(int nId);
    bool RouteToView(int nId, bool bExecute, bool *pbChecked);
    void UpdateIndicators();
    void CreateAnalysisParts();
    void RefreshTraceResult();
    QAction *EnabledShortcutAction(const QKeySequence &keys) const;
    static bool IsTextEditingKey(const QKeyEvent *pKey);

    // The three flags of the trace and tangent bars.
    bool m_bScientific = false;
    bool m_bTrigonometric = false;
    bool m_bDegree = false;

    QHash<int, QAction *> m_actions;
    QList<QMenu *> m_aPopups;
    QList<QAction *> m_aRecentActions;
    QAction *m_pRecentPlaceholder = nullptr;
    CDocumentCommands *m_pDocuments = nullptr;

    QComboBox *m_pFunctionList = nullptr;  // the expression bar's
    QToolBar *m_pMainToolBar = nullptr;
    CExpressionBar *m_pExpressionBar = nullptr;
    CZoomBar *m_pZoomBar = nullptr;
    CParameterPanel *m_pParameterPanel = nullptr;
    QList<QRect> m_aOverlays;  // the graph's legend and labels, on the screen
    CTraceBar *m_pTraceBar = nullptr;
    CTangentBar *m_pTangentBar = nullptr;
    CFloatingBars *m_pFloatingBars = nullptr;
    QList<QLabel *> m_aIndicators;
    CCorvantaView *m_pView = nullptr;
    CCalcDlg *m_pCalcDlg = nullptr;  // made hidden with the view, kept until the frame goes
    COutputCommands *m_pOutput = nullptr;
    std::optional<CMatrix> m_matrixMemory;  // the matrix tool's memory, kept for the run
    CTableSettingsDlg *m_pTableSettings = nullptr;  // a child of the frame
};
