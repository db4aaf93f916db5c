// Resource and control ids of noxLauncher. Plain #defines only: read by the
// resource compiler and by portable code alike.
#pragma once

// ---- Dialog templates -------------------------------------------------------
#define IDD_ABOUTBOX                 100
#define IDD_NOXLAUNCHER_DEV_DIALOG   102
#define IDD_NOXLAUNCHER_DIALOG       131
#define IDD_KESTROVA_TOOLS           140

// ---- Icons and strings ------------------------------------------------------
#define IDR_MAINFRAME                128
#define IDS_ABOUTBOX                 101

// System-menu command of the About item (low four bits clear, below 0xF000).
#define IDM_ABOUTBOX                 0x0010

// ---- Launcher dialog: launch buttons, slot order ----------------------------
#define IDC_LAUNCH_LARKSPUR_X86      1000
#define IDC_LAUNCH_MARROWBY_X86      1001
#define IDC_LAUNCH_MARROWBY_X64      1002
#define IDC_LAUNCH_NETTLECOMBE_X86   1003
#define IDC_LAUNCH_NETTLECOMBE_X64   1004
#define IDC_LAUNCH_ORRIN_X86         1005
#define IDC_LAUNCH_ORRIN_X64         1006
#define IDC_LAUNCH_PELLWORTH_X86     1007
#define IDC_LAUNCH_PELLWORTH_X64     1008
#define IDC_LAUNCH_QUENBY_X86        1012
#define IDC_LAUNCH_QUENBY_X64        1071

// ---- Launcher dialog: mode combo boxes --------------------------------------
#define IDC_MODE_LARKSPUR_X86        1013
#define IDC_MODE_MARROWBY_X86        1016
#define IDC_MODE_MARROWBY_X64        1022
#define IDC_MODE_NETTLECOMBE_X86     1025
#define IDC_MODE_NETTLECOMBE_X64     1028
#define IDC_MODE_ORRIN_X86           1031
#define IDC_MODE_ORRIN_X64           1034
#define IDC_MODE_PELLWORTH_X86       1037
#define IDC_MODE_PELLWORTH_X64       1040
#define IDC_MODE_QUENBY_X86          1052
#define IDC_MODE_QUENBY_X64          1072

// ---- Launcher dialog: "Display inject message box" check boxes --------------
#define IDC_INJECT_LARKSPUR_X86      1020
#define IDC_INJECT_MARROWBY_X86      1021
#define IDC_INJECT_MARROWBY_X64      1055
#define IDC_INJECT_NETTLECOMBE_X86   1056
#define IDC_INJECT_NETTLECOMBE_X64   1057
#define IDC_INJECT_ORRIN_X86         1058
#define IDC_INJECT_ORRIN_X64         1059
#define IDC_INJECT_PELLWORTH_X86     1060
#define IDC_INJECT_PELLWORTH_X64     1061
#define IDC_INJECT_QUENBY_X86        1065
#define IDC_INJECT_QUENBY_X64        1073

// ---- Launcher dialog: auto-test file fields ----------------------------------
#define IDC_AUTOTEST_LARKSPUR_X86    1014
#define IDC_AUTOTEST_MARROWBY_X86    1017
#define IDC_AUTOTEST_MARROWBY_X64    1023
#define IDC_AUTOTEST_NETTLECOMBE_X86 1026
#define IDC_AUTOTEST_NETTLECOMBE_X64 1029
#define IDC_AUTOTEST_ORRIN_X86       1032
#define IDC_AUTOTEST_ORRIN_X64       1035
#define IDC_AUTOTEST_PELLWORTH_X86   1038
#define IDC_AUTOTEST_PELLWORTH_X64   1041
#define IDC_AUTOTEST_QUENBY_X86      1053
#define IDC_AUTOTEST_QUENBY_X64      1074

// ---- Launcher dialog: "Browse..." buttons ------------------------------------
#define IDC_BROWSE_LARKSPUR_X86      1015
#define IDC_BROWSE_MARROWBY_X86      1018
#define IDC_BROWSE_MARROWBY_X64      1024
#define IDC_BROWSE_NETTLECOMBE_X86   1027
#define IDC_BROWSE_NETTLECOMBE_X64   1030
#define IDC_BROWSE_ORRIN_X86         1033
#define IDC_BROWSE_ORRIN_X64         1036
#define IDC_BROWSE_PELLWORTH_X86     1039
#define IDC_BROWSE_PELLWORTH_X64     1042
#define IDC_BROWSE_QUENBY_X86        1054
#define IDC_BROWSE_QUENBY_X64        1075

// ---- Launcher dialog: general controls (developer layout only) --------------
#define IDC_AUTO_TEST_CONFIGURE      1066
#define IDC_HELP_SWITCH              1068
#define IDC_TOOLS                    1076

// ---- Tools dialog: tool buttons take ids from here on, in table order --------
#define IDC_TOOL_FIRST               2000

#ifndef IDC_STATIC
#define IDC_STATIC                   (-1)
#endif
