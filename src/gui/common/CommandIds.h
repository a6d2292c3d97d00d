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
constexpr int ID_EDIT_REDO = 57644;
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
constexpr int ID_VIEW_LEGEND = 32840;
constexpr int ID_READABLE_AXES = 32841;
constexpr int ID_PI_UNITS = 32842;
constexpr int ID_VIEW_PARAMETERS = 32843;

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

// Calculator window
constexpr int IDD_CALCULATOR = 102;
constexpr int ID_CALC_COPY = 32771;
constexpr int IDC_CALC_EXPRESSION = 1019;
constexpr int IDC_CALC_DISPLAY = 1003;
constexpr int IDC_CALC_MEMORY = 1031;
constexpr int IDC_CALC_FUNCTION = 1068;
constexpr int IDC_CALC_X_VALUE = 1069;
constexpr int IDC_CALC_BASE_FROM = 1058;
constexpr int IDC_CALC_BASE_TO = 1059;
constexpr int IDC_CALC_COORD_IN1 = 1060;   // x, or radius
constexpr int IDC_CALC_COORD_IN2 = 1062;   // y, or angle
constexpr int IDC_CALC_COORD_OUT1 = 1066;  // radius, or x
constexpr int IDC_CALC_COORD_OUT2 = 1065;  // angle, or y
constexpr int IDC_CALC_DEG = 1070;
constexpr int IDC_CALC_RAD = 1071;
constexpr int IDC_CALC_INV = 1044;
constexpr int IDC_CALC_HYP = 1046;
constexpr int IDC_CALC_RECALL = 1054;
constexpr int IDC_CALC_0 = 1016;
constexpr int IDC_CALC_1 = 1007;
constexpr int IDC_CALC_2 = 1009;
constexpr int IDC_CALC_3 = 1008;
constexpr int IDC_CALC_4 = 1010;  // 4 to 9: 1010 to 1015
constexpr int IDC_CALC_POINT = 1006;
constexpr int IDC_CALC_PLUS = 1017;
constexpr int IDC_CALC_MINUS = 1018;
constexpr int IDC_CALC_TIMES = 1020;
constexpr int IDC_CALC_DIVIDE = 1021;
constexpr int IDC_CALC_OPEN = 1022;
constexpr int IDC_CALC_CLOSE = 1023;
constexpr int IDC_CALC_POWER = 1024;
constexpr int IDC_CALC_PI = 1033;
constexpr int IDC_CALC_LOG = 1039;
constexpr int IDC_CALC_LN = 1038;
constexpr int IDC_CALC_TEN_POWER = 1040;
constexpr int IDC_CALC_FACTORIAL = 1037;
constexpr int IDC_CALC_NCR = 1061;
constexpr int IDC_CALC_NPR = 1048;
constexpr int IDC_CALC_SIN = 1028;
constexpr int IDC_CALC_COS = 1045;
constexpr int IDC_CALC_TAN = 1029;
constexpr int IDC_CALC_SEC = 1055;
constexpr int IDC_CALC_CSC = 1056;
constexpr int IDC_CALC_COT = 1057;
constexpr int IDC_CALC_SQUARE = 1036;
constexpr int IDC_CALC_CUBE = 1035;
constexpr int IDC_CALC_RECIPROCAL = 1034;
constexpr int IDC_CALC_EQUALS = 1005;
constexpr int IDC_CALC_CLEAR = 1025;
constexpr int IDC_CALC_STORE = 1032;
constexpr int IDC_CALC_STORE_EXPRESSION = 1047;
constexpr int IDC_CALC_CLEAR_ALL = 1043;
constexpr int IDC_CALC_CLEAR_ITEM = 1042;
constexpr int IDC_CALC_SUBSTITUTE = 1041;
constexpr int IDC_CALC_ADD_VALUE = 1053;
constexpr int IDC_CALC_CLEAR_VALUES = 1067;
constexpr int IDC_CALC_DMS = 1050;
constexpr int IDC_CALC_RECT_TO_POLAR = 1063;
constexpr int IDC_CALC_POLAR_TO_RECT = 1064;
