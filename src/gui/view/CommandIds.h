#pragma once

// Command ids, bar ids and control ids of the whole program. The numbers are
// part of the program's interface (menus, accelerators, the view and the
// dialogs address commands and controls by them), so they are kept in one place.

// File
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PAGE_SETUP = 57605;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;  // four entries: 57616 .. 57619
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_EXPORT_BITMAP = 32803;

// Edit
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_COPY = 57634;  // Copy Graph
constexpr int ID_EDIT_PASTE = 57637;  // Paste Function
constexpr int ID_COPY_FUNCTION = 32820;

// View
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;
constexpr int ID_VIEW_ZOOM_TOOLBAR = 32801;
constexpr int ID_VIEW_EXPRESSION_BAR = 32802;
constexpr int ID_ZOOM_IN_X = 32789;
constexpr int ID_ZOOM_OUT_X = 32790;
constexpr int ID_ZOOM_IN_Y = 32793;
constexpr int ID_ZOOM_OUT_Y = 32791;
constexpr int ID_ZOOM_IN = 32794;
constexpr int ID_ZOOM_OUT = 32795;
constexpr int ID_SQUARE_UNITS = 32798;
constexpr int ID_CENTER = 32776;
constexpr int ID_ZOOM_AREA = 1003;
constexpr int ID_FULLSCREEN = 32818;

// Graph
constexpr int ID_ANALYZE = 32811;
constexpr int ID_INTEGRATE = 32775;
constexpr int ID_DIFFERENTIATE = 32787;
constexpr int ID_CLEAR_GRAPH = 32785;
constexpr int ID_TRACE = 32774;
constexpr int ID_TANGENT = 32823;
constexpr int ID_DOMAIN_SUBSTITUTION = 32822;

// Tools
constexpr int ID_SIMULTANEOUS = 32799;
constexpr int ID_DETERMINANTS = 32816;
constexpr int ID_CALCULATOR = 32815;
constexpr int ID_MATRICES = 32821;
constexpr int ID_EXTENDED_TOOLS = 32825;

// Options
constexpr int ID_SHOW_GRID = 32781;
constexpr int ID_GRAPH_ATTRIBUTES = 32782;
constexpr int ID_AUTOSCALE = 32800;

// Help
constexpr int ID_HELP_CONTENTS = 32824;
constexpr int ID_APP_ABOUT = 57664;

// Accelerator-only commands
constexpr int ID_NO_ACTION = 32786;  // Ctrl+Shift+S: enabled, does nothing
constexpr int ID_NEXT_PANE = 57680;
constexpr int ID_PREV_PANE = 57681;

// Trace bar check boxes, also commands of the frame
constexpr int ID_SCIENTIFIC = 1048;
constexpr int ID_DEGREE = 1049;

// Bars
constexpr int IDR_MAINFRAME = 128;  // menu, accelerators, main toolbar
constexpr int IDR_ZOOM_TOOLBAR = 153;
constexpr int IDD_EXPRESSION_BAR = 162;
constexpr int IDD_TRACE_BAR = 104;
constexpr int IDD_TANGENT_BAR = 136;

// Expression bar controls
constexpr int IDC_FUNCTION_LIST = 101;
constexpr int IDC_DERIVATIVE = 1001;
constexpr int IDC_PLOT = 1006;
constexpr int IDC_REPLOT = 1007;
constexpr int IDC_COLOR_INDICATOR = 1044;
constexpr int IDC_X_MIN = 1050;
constexpr int IDC_X_MAX = 1051;
constexpr int IDC_Y_MIN = 1052;
constexpr int IDC_Y_MAX = 1053;

// Trace bar controls (1016 is shared with the tangent bar, 1049 too)
constexpr int IDC_TRACE_POSITION = 1016;
constexpr int IDC_TRACE_X = 1045;
constexpr int IDC_TRACE_FX = 1046;
constexpr int IDC_SCIENTIFIC = 1048;
constexpr int IDC_DEGREE = 1049;

// Tangent bar controls
constexpr int IDC_TANGENT_X = 1016;
constexpr int IDC_TANGENT_FX = 1017;
constexpr int IDC_TANGENT_THETA = 1018;
constexpr int IDC_TANGENT_SLOPE = 1019;
constexpr int IDC_TANGENT_EQUATION = 1020;

// About box and splash
constexpr int IDC_CREDITS = 1005;
constexpr int ID_TIMER_SPLASH = 102;
constexpr int ID_TIMER_CREDITS = 103;
