#pragma once

// Templates and controls of the dialog toolkit's tests (toolkit_test.rc), kept out of the program's
// resources.
#define IDD_TEST_FIELDS 9101
#define IDD_TEST_DRAWN 9102
#define IDC_TEST_NAME 9201
#define IDC_TEST_NUMBER 9202
#define IDC_TEST_COMBO 9203
#define IDC_TEST_LIST 9204
#define IDC_TEST_HOTKEY 9205
#define IDC_TEST_DRAWN 9206
#define IDD_TEST_RESIZE 9103
#define IDC_TEST_RESIZED_LIST 9207
#define IDD_TEST_TABS 9104
#define IDD_TEST_PAGE 9105
#define IDC_TEST_TAB 9208
#define IDC_TEST_PAGE_NUMBER 9209
