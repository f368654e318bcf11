// Resource and control identifiers of the Win32 window, shared by the .rc file, the C++ code and
// the test probe. Plain #defines: windres reads this file too.
#pragma once

#define IDD_GAMESELECT 100
#define IDD_ABOUT 101

// Main window menu commands
#define IDM_GAMESEL 200
#define IDM_EXIT 201
#define IDM_HELPTOPICS 202
#define IDM_ABOUT 203
#define IDM_EXPORT 204
#define IDM_GAMESFOLDER 205

// Main window controls (1000 + MainControl)
#define IDC_MAIN_FIRST 1000
#define IDC_CMDBROWSE 1000
#define IDC_TXTFILE 1001
#define IDC_LST 1003
#define IDC_PB 1005
#define IDC_LBL0 1006
#define IDC_CMDOPTIONS0 1008
#define IDC_LSTPLAYERS 1011
#define IDC_LBL2 1012

// Dialog controls; OK and Cancel are not IDOK and IDCANCEL, so that Enter and Escape stay unbound
#define IDC_GS_LBL 300
#define IDC_GS_GAMES 301
#define IDC_GS_OK 302
#define IDC_GS_CANCEL 303
#define IDC_GS_DESC 304
#define IDC_ABOUT_LBL0 310
#define IDC_ABOUT_LBL2 312
#define IDC_ABOUT_LBL3 313

#define FRAGTIDE_MAIN_CLASS L"FragtideMain"

// The detection hint below the report list, and the View menu
#define IDC_LBLHINT 1100
#define IDC_CMDHINT 1101
#define IDM_NAMES_FIRST 210
#define IDC_CMDRIVALS 1102
#define IDM_WHOKILLEDWHOM 220
#define IDC_WKW_LIST 1200
#define IDC_WKW_COPY 1201
#define IDC_WKW_CLOSE 1202
#define IDC_WKW_NAMES_PANE 1203
#define IDC_WKW_NAMES 1204
#define FRAGTIDE_WKW_NAMES_CLASS L"FragtideWhoKilledWhomNames"
#define FRAGTIDE_WKW_CLASS L"FragtideWhoKilledWhom"
