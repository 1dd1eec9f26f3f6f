// Identifiers of the program's resources.
#pragma once

#define IDS_UPDATE_PATH 3
#define IDS_MAKER_SITE 5
// Texts of the board window's questions and notices.
#define IDS_APP_TITLE 10
#define IDS_AUTORUN_QUESTION 11
#define IDS_AUTORUN_CAPTION 12
#define IDS_ABANDON_QUESTION 14
#define IDS_ABANDON_TITLE 15
#define IDS_PICTURES_READONLY 16
#define IDS_PICTURES_READONLY_TITLE 17
#define IDS_READONLY_FOLDER 18
#define IDS_READONLY_FOLDER_TITLE 19
#define IDS_UPDATE_QUESTION 20
#define IDS_UPDATE_PATH 3  // the update descriptor's path on the maker's site
#define IDS_MAKER_SITE 5
#define IDS_LOCAL_SERVER 21
#define IDS_LOCAL_SERVER_QUESTION 22
#define IDS_LOCAL_SERVER_TITLE 23
#define IDS_MUST_CLOSE 24
#define IDS_MUST_CLOSE_TITLE 25
#define IDS_FIRST_NAME 101  // 101..141: default player names
#define IDS_NAME_COUNT 41

#define IDI_QUILLON 1
#define IDR_MAINMENU 100
#define IDR_ACCELERATORS 101

// Menu commands of the board window.
#define IDM_FILE_NEW 1001
#define IDM_FILE_ABANDON 1002
#define IDM_FILE_QUIT 1003
#define IDM_TYPE_FIRST 1010  // 1010..1014: game types 0..4
#define IDM_TOOLS_STATISTICS 1020
#define IDM_TOOLS_OPTIONS 1021
#define IDM_VIEW_FIRST 1050  // 1050..1052: the board's size steps, smallest first
#define IDM_DEBUG_SHUFFLE 1030
#define IDM_DEBUG_SHOWBUFFERS 1031
#define IDM_DEBUG_COMPPLAY 1032
#define IDM_HELP_ABOUT 1040
#define IDM_HELP_HELP 1041
#define IDM_HELP_UPDATE 1042
#define IDM_HELP_SUBMIT 1043

#define IDC_STATUSBAR 201
