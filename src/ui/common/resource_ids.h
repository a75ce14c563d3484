// Numbers shared by the resource script and the windows: dialog templates, controls, icons and
// commands. Plain macros, because the resource compiler reads this file too.
#pragma once

// Icons: the program (also the notification area and the version window), the usage window, the
// settings windows and the output-string window.
#define IDI_QUILLMERE 101
#define IDI_USAGE 102
#define IDI_SETTINGS 103
#define IDI_TEMPLATES 105

// Dialog templates.
#define IDD_MAIN 105
#define IDD_USAGE 106
#define IDD_CONFIG 107
#define IDD_VERSION 108
#define IDD_SEARCH 109
#define IDD_COLOR_CONFIG 112
#define IDD_COMMAND_STR_CONFIG 113

// Controls of the main window.
#define IDC_RECORD_LIST 1001
#define IDC_OPEN_LOG 1030
#define IDC_TODAY 1031
#define IDC_PREV_DAY 1032
#define IDC_NEXT_DAY 1033
#define IDC_HOVER_TEXT 1040
#define IDC_TIMELINE 1041
#define IDC_TOTAL_TEXT 1042

// Controls of the application-usage window.
#define IDC_USAGE_LIST 1001
#define IDC_USAGE_PREV 1032
#define IDC_USAGE_NEXT 1033
#define IDC_USAGE_OUTPUT 1010
#define IDC_USAGE_CLOSE 1035

// Controls of the search window.
#define IDC_SEARCH_TEXT 1002
#define IDC_SEARCH_UP 1032
#define IDC_SEARCH_DOWN 1033
#define IDC_SELECT_MATCHES 1016
#define IDC_CLEAR_HISTORY 1015
#define IDC_SEARCH_CLOSE 1035
#define IDC_SEARCH_IN_TITLE 1065
#define IDC_SEARCH_IN_EXE 1066

// Commands of the main window's menus, buttons and accelerators.
#define CMD_OPEN_LOG 1030
#define CMD_TODAY 1031
#define CMD_PREV_DAY 1032
#define CMD_NEXT_DAY 1033
#define CMD_TIMELINE_CLICK 1041
#define CMD_RESTORE 11000
#define CMD_CLOSE 11001
#define CMD_COPY 11005
#define CMD_COPY_CSV 11006
#define CMD_SAVE_TEXT 11100
#define CMD_SAVE_CSV 11101
#define CMD_SAVE_USAGE 11105
#define CMD_SAVE_COLORS 11200
#define CMD_OPEN_COLORS 11201
#define CMD_COLOR_GENERIC 12000
#define CMD_COLOR_PER_APPLICATION 12001
#define CMD_COLOR_PER_HOUR 12002
#define CMD_COLOR_NONE 12003
#define CMD_ADD_COLOR 12100
#define CMD_CHANGE_COLOR 12101
#define CMD_DELETE_COLOR 12102
#define CMD_USAGE_REFRESH 18900
#define CMD_SEARCH_NEEDS_LIST 18901
#define CMD_USAGE_WINDOW 19000
#define CMD_SETTINGS_WINDOW 19001
#define CMD_VERSION_WINDOW 19002
#define CMD_SEARCH_WINDOW 19005
#define CMD_COLOR_SETTINGS_WINDOW 19100

// The "close" button of every dialog (the version window's "OK").
#define IDC_CLOSE_BUTTON 1035

// Controls of the settings window.
#define IDC_CONFIRM_EXIT 1050
#define IDC_WRITE_BOM 1051
#define IDC_START_WITH_WINDOWS 1052
#define IDC_CHECK_PERIOD 1070
#define IDC_TIMELINE_PERIOD 1071
#define IDC_AUTO_SAVE 1072
#define IDC_DELETE_AGE 1073
#define IDC_LIST_CSV_EXPORT 1075
#define IDC_LIST_TEXT_EXPORT 1076
#define IDC_LIST_EXPORT_FOLDER 1077
#define IDC_LIST_CHOOSE_FOLDER 1078
#define IDC_LIST_EXPORT_NAME 1079
#define IDC_LIST_DEFAULT_NAME 1080
#define IDC_LIST_EXPORT_STATUS 1081
#define IDC_USAGE_CSV_EXPORT 1085
#define IDC_USAGE_TEXT_EXPORT 1086
#define IDC_USAGE_EXPORT_FOLDER 1087
#define IDC_USAGE_CHOOSE_FOLDER 1088
#define IDC_USAGE_EXPORT_NAME 1089
#define IDC_USAGE_DEFAULT_NAME 1090
#define IDC_USAGE_EXPORT_STATUS 1091
#define IDC_OUTPUT_STRINGS 1095
// Away time (stored in quillmere.ini).
#define IDC_AWAY_AFTER 1096
#define IDC_PRESENT_WHILE_FULL_SCREEN 1097

// Controls of the output-string window: the four template edits, their default and test buttons
// (each edit's id plus 10 and plus 20), the test line and the line ends.
#define IDC_TEST_LINE 1002
#define IDC_LIST_TEXT_TEMPLATE 1200
#define IDC_LIST_CSV_TEMPLATE 1201
#define IDC_USAGE_TEXT_TEMPLATE 1202
#define IDC_USAGE_CSV_TEMPLATE 1203
#define IDC_LIST_TEXT_DEFAULT 1210
#define IDC_LIST_CSV_DEFAULT 1211
#define IDC_USAGE_TEXT_DEFAULT 1212
#define IDC_USAGE_CSV_DEFAULT 1213
#define IDC_LIST_TEXT_TEST 1220
#define IDC_LIST_CSV_TEST 1221
#define IDC_USAGE_TEXT_TEST 1222
#define IDC_USAGE_CSV_TEST 1223
#define IDC_NEWLINE_LF 1230
#define IDC_NEWLINE_CRLF 1231

// Controls of the colour settings window.
#define IDC_COLOR_LIST 1001
#define IDC_COLOR_SAVE 1010
#define IDC_COLOR_LOAD 1011
#define IDC_COLOR_CLEAR 1015
#define IDC_COLOR_PER_APPLICATION 1060
#define IDC_COLOR_GENERIC 1061
#define IDC_COLOR_PER_HOUR 1062
#define IDC_COLOR_NONE 1063
#define IDC_COLOR_GROUP 1080
// The period choice (日, 週, 月) of the usage and period windows, and the period window.
#define IDD_PERIOD 114
#define IDC_USAGE_PERIOD 1036
#define IDC_PERIOD_PREV 1032
#define IDC_PERIOD_NEXT 1033
#define IDC_PERIOD_CHOICE 1036
#define IDC_PERIOD_PICTURE 1301
#define IDC_PERIOD_HOVER 1302
#define CMD_PERIOD_WINDOW 19006
