#include "gui/app/CommandTable.h"

#include "gui/common/CommandIds.h"
#include "gui/app/MainFrame.h"

#include <array>

namespace {

using R = ECommandRoute;
constexpr CommandHandler kNone = nullptr;

// clang-format off
const SCommandInfo kCommands[] = {
    // id, popup, caption, status prompt, tooltip, keys, route, handler, checkable
    {ID_FILE_NEW, "&File", "&New", "Create a new document\nNew", nullptr, "Ctrl+N", R::Frame, &CMainFrame::OnFileNew, false},
    {ID_FILE_OPEN, "&File", "&Open...", "Open an existing document\nOpen", nullptr, "Ctrl+O", R::Frame, &CMainFrame::OnFileOpen, false},
    {ID_FILE_SAVE, "&File", "&Save", "Save the active document\nSave", nullptr, "Ctrl+S", R::Frame, &CMainFrame::OnFileSave, false},
    {ID_FILE_SAVE_AS, "&File", "Save &As...", "Save the active document with a new name\nSave As", nullptr, nullptr, R::Frame, &CMainFrame::OnFileSaveAs, false},
    {ID_EXPORT_BITMAP, "&File", "Export to Bitmap...", "Export current graph area as a bitmap file", "Export As Bitmap", nullptr, R::Frame, &CMainFrame::OnOutputCommand, false},
    {0, "&File", nullptr, nullptr, nullptr, nullptr, R::Frame, kNone, false},
    {ID_FILE_PRINT, "&File", "&Print...", "Print the active document\nPrint", nullptr, "Ctrl+P", R::Frame, &CMainFrame::OnOutputCommand, false},
    {ID_FILE_PRINT_PREVIEW, "&File", "Print Pre&view", "Display full pages\nPrint Preview", nullptr, nullptr, R::Frame, &CMainFrame::OnOutputCommand, false},
    {ID_FILE_PRINT_SETUP, "&File", "P&rint Setup...", "Change the printer and printing options\nPrint Setup", nullptr, nullptr, R::Frame, &CMainFrame::OnOutputCommand, false},
    {0, "&File", nullptr, nullptr, nullptr, nullptr, R::Frame, kNone, false},
    {ID_FILE_MRU_FILE1, "&File", "Recent File", "Open this document", nullptr, nullptr, R::Frame, &CMainFrame::OnRecentFile, false},
    {0, "&File", nullptr, nullptr, nullptr, nullptr, R::Frame, kNone, false},
    {ID_APP_EXIT, "&File", "E&xit", "Quit the application; prompts to save documents\nExit", nullptr, nullptr, R::Frame, &CMainFrame::OnAppExit, false},

    {ID_EDIT_UNDO, "&Edit", "&Undo", "Undo the last action\nUndo", nullptr, "Ctrl+Z; Alt+Backspace", R::Frame, &CMainFrame::OnEditUndo, false},
    {ID_EDIT_REDO, "&Edit", "&Redo", "Redo the last action undone\nRedo", nullptr, "Ctrl+Shift+Z; Ctrl+Y", R::Frame, &CMainFrame::OnEditRedo, false},
    {0, "&Edit", nullptr, nullptr, nullptr, nullptr, R::Frame, kNone, false},
    {ID_EDIT_CUT, "&Edit", "Cu&t", "Cut the selection and put it on the Clipboard\nCut", nullptr, "Ctrl+X; Shift+Del", R::Unavailable, kNone, false},
    {ID_EDIT_COPY, "&Edit", "&Copy Graph", "Copy the graph are to clipboard", "Copy Graph", "Ctrl+C; Ctrl+Ins", R::Frame, &CMainFrame::OnOutputCommand, false},
    {ID_COPY_FUNCTION, "&Edit", "Copy Graph &Function", "Copy current expression to clipboard", "Copy Function", nullptr, R::Frame, &CMainFrame::OnOutputCommand, false},
    {ID_EDIT_PASTE, "&Edit", "&Paste Funcation", "Paste a function into the function combobox", "Paste Function", "Ctrl+V; Shift+Ins", R::Frame, &CMainFrame::OnOutputCommand, false},

    {ID_VIEW_TOOLBAR, "&View", "&Toolbar", "Show or hide the toolbar\nToggle ToolBar", nullptr, nullptr, R::Frame, &CMainFrame::OnBarCheck, true},
    {ID_VIEW_ZOOM_TOOLBAR, "&View", "&Zoom Toolbar", "Show/Hide zoom bar", "Show/Hide Zoom Tool Bar", nullptr, R::Frame, &CMainFrame::OnBarCheck, true},
    {ID_VIEW_EXPRESSION_BAR, "&View", "E&xpression Bar", nullptr, nullptr, nullptr, R::Frame, &CMainFrame::OnBarCheck, true},
    {ID_VIEW_STATUS_BAR, "&View", "&Status Bar", "Show or hide the status bar\nToggle StatusBar", nullptr, nullptr, R::Frame, &CMainFrame::OnBarCheck, true},
    {ID_VIEW_PARAMETERS, "&View", "&Parameters", "Show or hide the sliders of the parameters\nParameters", nullptr, "Ctrl+Shift+P", R::Frame, &CMainFrame::OnBarCheck, true},
    {0, "&View", nullptr, nullptr, nullptr, nullptr, R::Frame, kNone, false},
    {ID_ZOOM_IN, "&View", "Zoom &In", nullptr, "Zoom in the both axes", "Ctrl++; Ctrl+=", R::View, kNone, false},
    {ID_ZOOM_OUT_X, "&View", "Zoom &Out", nullptr, "Zoom out the x-axis", "Ctrl+Shift+Left", R::View, kNone, false},
    {ID_ZOOM_OUT, "&View", "Zoom Out &Both Axes", nullptr, "Zoom out the both axes", "Ctrl+-", R::View, kNone, false},
    {ID_ZOOM_IN_X, "&View", "Zoom In &Horizontally", nullptr, "Zoom in the x-axis", "Ctrl+Shift+Right", R::View, kNone, false},
    {ID_ZOOM_IN_Y, "&View", "Zoom In &Vertically", nullptr, "Zoom in the y-axis", "Ctrl+Shift+Up", R::View, kNone, false},
    {ID_ZOOM_OUT_Y, "&View", "Zoom Out V&ertically", nullptr, "Zoom out the y-axis", "Ctrl+Shift+Down", R::View, kNone, false},
    {ID_SQUARE_UNITS, "&View", "S&quare Units", nullptr, "Square graph units", "Ctrl+Shift+U", R::View, kNone, false},
    {ID_ZOOM_AREA, "&View", "Zoom &Area", "Click and drag the area to be zoomed", "Custom zoom area", "Ctrl+Shift+A", R::View, kNone, true},
    {ID_CENTER, "&View", "&Center", nullptr, "Reset zoomin and shifting to default", "Ctrl+Shift+C", R::View, kNone, false},
    {ID_FULLSCREEN, "&View", "&Fullscreen", nullptr, "Toggle fullscreen view", "Alt+Return; Alt+Enter", R::Frame, &CMainFrame::OnOutputCommand, true},
    {ID_VIEW_LEGEND, "&View", "&Legend", "Show or hide the legend of the plotted functions", "Show/Hide Legend", nullptr, R::View, kNone, true},
    {ID_READABLE_AXES, "&View", "&Readable Axes", "Label the axes at round numbers", "Readable Axes", nullptr, R::View, kNone, true},
    {ID_PI_UNITS, "&View", "\u03C0 &Units on x", "Label the x axis in multiples of \u03C0", "\u03C0 Units on x", nullptr, R::View, kNone, true},

    {ID_ANALYZE, "&Graph", "&Analyze Graph...", "Graph analysis", "Analyze Graph", "Ctrl+A", R::Frame, &CMainFrame::OnAnalyzeGraph, false},
    {ID_INTEGRATE, "&Graph", "&Integrate...", "Apply limited integration", "Integrate", "Ctrl+I", R::Frame, &CMainFrame::OnIntegrate, false},
    {ID_DIFFERENTIATE, "&Graph", "&Differentiate", "Differentiate current function", "Differentiation Current Function", "Ctrl+D", R::View, kNone, false},
    {ID_CLEAR_GRAPH, "&Graph", "&Clear Graph", "Clear all graphs", "Clear Graph Area", "Ctrl+L", R::View, kNone, false},
    {ID_TRACE, "&Graph", "&Trace", "Trace a point in the graph area", "Trace Point", "Ctrl+T", R::View, kNone, true},
    {ID_DOMAIN_SUBSTITUTION, "&Graph", "Domain &Substitution...", "Substitute in a specifed domain", "Domain Substitution", nullptr, R::Frame, &CMainFrame::OnDomainSubstitution, false},

    {ID_SIMULTANEOUS, "&Tools", "&Simultaneous Equations Solver...", nullptr, nullptr, nullptr, R::Frame, &CMainFrame::OnLinearAlgebra, false},
    {ID_DETERMINANTS, "&Tools", "&Determinants Solver...", nullptr, nullptr, nullptr, R::Frame, &CMainFrame::OnLinearAlgebra, false},
    {ID_CALCULATOR, "&Tools", "Scientific &Calculator...", nullptr, nullptr, nullptr, R::Frame, &CMainFrame::OnCalculator, false},
    {ID_MATRICES, "&Tools", "&Matrices Operations...", nullptr, nullptr, nullptr, R::Frame, &CMainFrame::OnLinearAlgebra, false},

    {ID_SHOW_GRID, "&Options", "Show Grid", "Show/Hide grid lines", "Show/Hide Grid Lines", nullptr, R::View, kNone, true},
    {ID_GRAPH_ATTRIBUTES, "&Options", "Graph Attributes...", "Change graphs' attributes", "Graph Attributes", nullptr, R::Frame, &CMainFrame::OnGraphAttributes, false},
    {ID_AUTOSCALE, "&Options", "&Autoscale", nullptr, "Enable/Disable autoscaling", nullptr, R::View, kNone, true},

    {ID_HELP_CONTENTS, "&Help", "&Help...", nullptr, "Help", nullptr, R::Frame, &CMainFrame::OnOutputCommand, false},
    {ID_APP_ABOUT, "&Help", "&About Corvanta...", "Display program information, version number and copyright\nAbout", nullptr, nullptr, R::Frame, &CMainFrame::OnAppAbout, false},

    // On toolbars only.
    {ID_TANGENT, nullptr, "Tangent Trace", "Trace current function's tangent", "Tangent Trace", nullptr, R::View, kNone, true},
    {ID_EXTENDED_TOOLS, nullptr, "Extended Tools", "Extended funtions\nExtended Functions", "Extended Tools", nullptr, R::Frame, &CMainFrame::OnExtendedTools, false},

    // Keys only.
    {ID_NO_ACTION, nullptr, nullptr, nullptr, nullptr, "Ctrl+Shift+S", R::Frame, &CMainFrame::OnNoAction, false},
    {ID_NEXT_PANE, nullptr, nullptr, nullptr, nullptr, "F6", R::Frame, &CMainFrame::OnNextPane, false},
    {ID_PREV_PANE, nullptr, nullptr, nullptr, nullptr, "Shift+F6", R::Frame, &CMainFrame::OnPrevPane, false},

    // The trace bar's check boxes.
    {ID_SCIENTIFIC, nullptr, "Scientific", nullptr, nullptr, nullptr, R::Frame, &CMainFrame::OnScientific, true},
    {ID_DEGREE, nullptr, "Degree", nullptr, nullptr, nullptr, R::Frame, &CMainFrame::OnDegree, true},
};
// clang-format on

constexpr int kMainToolbar[] = {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, ID_EXPORT_BITMAP, ID_FILE_PRINT, 0,
                                ID_EDIT_COPY, ID_COPY_FUNCTION, ID_EDIT_PASTE, 0,
                                ID_VIEW_ZOOM_TOOLBAR, 0,
                                ID_ANALYZE, ID_DOMAIN_SUBSTITUTION, ID_TRACE, ID_TANGENT, 0,
                                ID_INTEGRATE, ID_DIFFERENTIATE, 0,
                                ID_SHOW_GRID, ID_GRAPH_ATTRIBUTES, ID_CLEAR_GRAPH, 0,
                                ID_EXTENDED_TOOLS, 0,
                                ID_HELP_CONTENTS};

constexpr int kZoomToolbar[] = {ID_ZOOM_IN_X, ID_ZOOM_OUT_X, ID_ZOOM_IN_Y, ID_ZOOM_OUT_Y, ID_ZOOM_IN, ID_ZOOM_OUT,
                                ID_SQUARE_UNITS, ID_AUTOSCALE, ID_ZOOM_AREA, ID_CENTER, ID_FULLSCREEN};

constexpr const char *kPopups[] = {"&File", "&Edit", "&View", "&Graph", "&Tools", "&Options", "&Help"};

}  // namespace

std::span<const SCommandInfo> CommandTable() { return kCommands; }

const SCommandInfo *FindCommand(int nId)
{
    if (nId == 0)
        return nullptr;
    for (const SCommandInfo &info : kCommands)
        if (info.nId == nId)
            return &info;
    return nullptr;
}

std::span<const int> MainToolbarLayout() { return kMainToolbar; }
std::span<const int> ZoomToolbarLayout() { return kZoomToolbar; }
std::span<const char *const> MenuPopups() { return kPopups; }
