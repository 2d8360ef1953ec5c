// The framework tests' own dialog template: a group of five radio buttons
// with OK and Cancel.
#pragma once

#define IDD_TEST_DIALOG 200
#define IDC_CHOICE1 201
#define IDC_CHOICE2 202
#define IDC_CHOICE3 203
#define IDC_CHOICE4 204
#define IDC_CHOICE5 205
