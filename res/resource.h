// Resource ids of brindle.exe, shared by the C++ sources and brindle.rc (plain #defines only).
#pragma once

// Main window template and its controls.
#define IDD_MAIN 130
#define IDC_TREE 1000
#define IDC_SPLITTER 1001
#define IDC_STATUS 1002
#define IDC_LIST 1003
#define IDC_PAGE_COMBO 1050

// Menus and accelerators.
#define IDR_ACCELERATORS 128
#define IDR_MAIN_MENU 129

// Icons: the big window icon, busy, the small window icon (also the tray icon while shown), the tray
// icon while the main window is hidden.
#define IDI_APP 128
#define IDI_BUSY 143
#define IDI_SMALL 144
#define IDI_TRAY 145

// Bitmaps: tree images (closed and open folder, 16x16), class images (16x16 and 32x32).
#define IDB_TREE 140
#define IDB_CLASS_SMALL 141
#define IDB_CLASS_LARGE 142

// Strings.
#define IDS_APP_NAME 200
#define IDS_TITLE_SELECTED 201
#define IDS_HOME_PAGE 202
#define IDS_ICON_SOURCE 203
#define IDS_TASK_HINT 204

// Commands.
#define ID_VERSION 32771
#define ID_ADD_PAGE 32772
#define ID_REMOVE_PAGE 32773
#define ID_EDIT_PAGE 32774
#define ID_ADD_SHORTCUT 32775
#define ID_EDIT_SHORTCUT 32776
#define ID_REMOVE_SHORTCUT 32777
#define ID_PREFERENCES 32778
#define ID_VIEW_ICON 32779
#define ID_VIEW_SMALL_ICON 32780
#define ID_VIEW_LIST 32781
#define ID_VIEW_DETAIL 32782
#define ID_SORT_CHILD 32783
#define ID_SORT_SHORTCUT 32784
#define ID_SORT_ROOT 32785
#define ID_HIDE 32786
#define ID_EXIST_FOLDER 32787
#define ID_LOG_OFF 32788
#define ID_LOCK 32789
#define ID_SHUTDOWN 32790
#define ID_POWER_OFF 32791
#define ID_REBOOT 32792
#define ID_STAND_BY 32793
#define ID_HIBERNATE 32794
#define ID_SHUTDOWN_POPUP 32795
#define ID_SCREEN_SAVER 32796
#define ID_TASK 32798
#define ID_CONTEXT_KEY 32799

// Page, shortcut and change-icon dialogs
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDD_PAGE 131
#define IDD_SHORTCUT 132
#define IDD_CHANGE_ICON 136
#define IDC_PAGE_NAME 1004
#define IDC_PAGE_PARENT 1005
#define IDC_PAGE_NORMAL_ICON 1008
#define IDC_PAGE_SELECTED_ICON 1009
#define IDC_PAGE_BROWSE_NORMAL 1014
#define IDC_PAGE_BROWSE_SELECTED 1015
#define IDC_PAGE_USE_ICONS 1016
#define IDC_PAGE_ID 1029
#define IDC_SHORTCUT_NAME 1006
#define IDC_SHORTCUT_COMMAND 1007
#define IDC_SHORTCUT_ICON 1008
#define IDC_SHORTCUT_FOLDER 1009
#define IDC_SHORTCUT_COMMENT 1010
#define IDC_SHORTCUT_SHOW 1011
#define IDC_SHORTCUT_PAGE 1012
#define IDC_SHORTCUT_BROWSE_COMMAND 1013
#define IDC_SHORTCUT_BROWSE_ICON 1014
#define IDC_SHORTCUT_BROWSE_FOLDER 1015
#define IDC_SHORTCUT_NO_ICON 1016
#define IDC_SHORTCUT_CHECK 1017
#define IDC_ICON_BROWSE 1350
#define IDC_ICON_FILE 1351
#define IDC_ICON_VIEW 1352

// About box template and its controls.
#define IDD_ABOUT 100
#define IDC_ABOUT_HOME_PAGE 1014
#define IDC_ABOUT_PRODUCT 1022
#define IDC_ABOUT_PHYSICAL 1151
#define IDC_ABOUT_COMMIT 1152
#define IDC_ABOUT_VIRTUAL 1153
#define IDC_ABOUT_GAUGE 1154
#define IDC_ABOUT_WINDOWS 1155

// Sort dialog and its controls.
#define IDD_SORT 137
#define IDC_SORT_PAGE_NAME 1023
#define IDC_SORT_LIST 1024
#define IDC_SORT_UP 1025
#define IDC_SORT_DOWN 1026
#define IDC_SORT_PAGE_LABEL 1027
#define IDC_SORT_ITEMS_LABEL 1028

// Task select dialog and its controls.
#define IDD_TASK_SELECT 143
#define IDC_TASK_LIST 1040
#define IDC_TASK_POSITION 1042
#define IDC_TASK_X 1043
#define IDC_TASK_Y 1044
#define IDC_TASK_SIZE 1045
#define IDC_TASK_WIDTH 1046
#define IDC_TASK_HEIGHT 1047
#define IDC_TASK_CLOSE 1048
#define IDC_TASK_LABEL 1051
