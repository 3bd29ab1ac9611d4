// Identifiers of the program's resources and of the controls in its dialog
// templates. Plain #defines, as the resource compiler reads this file too.
#pragma once

#define IDD_ABOUTBOX 100
#define IDS_ABOUTBOX 101
#define IDD_CANOPEX_DIALOG 102
#define IDR_MAINFRAME 128
#define IDD_SELECT_FOLDER 129

// The About box's text.
#define IDC_ABOUT_TEXT 1000

// The main dialog.
#define IDC_INPUT_FILE 1001
#define IDC_BROWSE_INPUT 1002
#define IDC_OUTPUT_FOLDER 1003
#define IDC_BROWSE_OUTPUT_FOLDER 1004
#define IDC_OUTPUT_FILE 1005
#define IDC_BROWSE_OUTPUT_FILE 1006
#define IDC_RUN 1007
#define IDC_CLEAR_OUTPUT_FOLDER 1008
#define IDC_CLEAR_OUTPUT_FILE 1009
#define IDC_STEP1_LABEL 1010
#define IDC_STEP2_LABEL 1011
#define IDC_RESULTS 1012
#define IDC_ERROR_MESSAGES 1013
#define IDC_STEP3_LABEL 1014
#define IDC_MIN_DIAMETER 1015
#define IDC_CREATE_SUB_FOLDER 1016
#define IDC_COMPRESS 1017
#define IDC_STEP4_LABEL 1018

// The system menu command that opens the About box.
#define IDM_ABOUTBOX 0x0010
