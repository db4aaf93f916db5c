// Ids of the Windows tests' own dialog templates.
#pragma once

#define IDD_TEST_COMMANDS   200
#define IDD_TEST_EDIT       201
#define IDD_TEST_MISSING    299  // no template has this id

#define IDC_TEST_BUTTON_A   1100
#define IDC_TEST_BUTTON_B   1101
#define IDC_TEST_COMBO      1102
#define IDC_TEST_EDIT       1110
#define IDC_TEST_OTHER_EDIT 1111
#define IDC_TEST_ABSENT     1199  // no control has this id
