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
#define IDD_SEARCH 109

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
#define CMD_CHANGE_COLOR 12101
#define CMD_USAGE_REFRESH 18900
#define CMD_SEARCH_NEEDS_LIST 18901
#define CMD_USAGE_WINDOW 19000
#define CMD_SETTINGS_WINDOW 19001
#define CMD_VERSION_WINDOW 19002
#define CMD_SEARCH_WINDOW 19005
#define CMD_COLOR_SETTINGS_WINDOW 19100
