#include "ui/dialog_layout.h"

#include <array>

#include "resources/resource.h"

namespace canopex {
namespace {

// The Windows button id of the Exit button; IDCANCEL in the resource script.
constexpr int kCancelId = 2;
constexpr int kOkId = 1;

constexpr std::array kMainControls = {
    DialogControl{IDC_INPUT_FILE, ControlKind::ReadOnlyEdit, "", 7, 32, 336, 14},
    DialogControl{IDC_BROWSE_INPUT, ControlKind::Button, "Browse...", 352, 32, 50, 14},
    DialogControl{IDC_OUTPUT_FILE, ControlKind::ReadOnlyEdit, "", 7, 88, 336, 14},
    DialogControl{IDC_BROWSE_OUTPUT_FILE, ControlKind::Button, "Browse...", 352, 88, 50, 14},
    DialogControl{IDC_CLEAR_OUTPUT_FILE, ControlKind::Button, "Clear", 409, 88, 32, 14},
    DialogControl{IDC_OUTPUT_FOLDER, ControlKind::ReadOnlyEdit, "", 7, 120, 336, 14},
    DialogControl{IDC_BROWSE_OUTPUT_FOLDER, ControlKind::Button, "Browse...", 352, 120, 50, 14},
    DialogControl{IDC_CLEAR_OUTPUT_FOLDER, ControlKind::Button, "Clear", 409, 120, 32, 14},
    DialogControl{IDC_MIN_DIAMETER, ControlKind::Edit, "", 409, 153, 32, 14},
    DialogControl{IDC_RUN, ControlKind::Button, "Run", 7, 214, 50, 14},
    DialogControl{kCancelId, ControlKind::Button, "Exit", 410, 293, 32, 14},
    DialogControl{-1, ControlKind::Label, "Sylvax input file:", 7, 21, 66, 8},
    DialogControl{-1, ControlKind::Label, "Create a file for each stand in this folder:", 7, 109,
                  162, 8},
    DialogControl{-1, ControlKind::Label, "Create a single file that contains all stands:", 7,
                  77, 170, 8},
    DialogControl{IDC_STEP1_LABEL, ControlKind::StepLabel, "1. Select an input file", 7, 7, 165,
                  11},
    DialogControl{IDC_STEP2_LABEL, ControlKind::StepLabel,
                  "2. Select an output option; to either create a single file or individual "
                  "stand files in a selected directory.",
                  7, 62, 394, 14},
    DialogControl{IDC_RESULTS, ControlKind::Label, "Results:", 7, 234, 383, 35},
    DialogControl{IDC_ERROR_MESSAGES, ControlKind::Label, "Error Messages:", 7, 274, 368, 29},
    DialogControl{IDC_STEP3_LABEL, ControlKind::StepLabel,
                  "3. Optionally, specify a minimum diameter. Trees less than 1\" DBH will be "
                  "ignored. Enter a higher DBH to exclude trees up to a higher specified minimum "
                  "DBH. Enter zero to exclude diameter checks.",
                  7, 154, 393, 18},
    DialogControl{IDC_CREATE_SUB_FOLDER, ControlKind::CheckBox,
                  "Create a folder with the tree list file name inside the specified folder.", 21,
                  138, 235, 10},
    DialogControl{IDC_STEP4_LABEL, ControlKind::StepLabel,
                  "4. Check here to compress all cut tree lists into 1\" diameter classes by "
                  "species.  Cut tree lists that have 300 or more tree records with DBHs above "
                  "the minimum will be automatically compressed into 1\" diameter classes by "
                  "species.",
                  7, 180, 390, 26},
    DialogControl{IDC_COMPRESS, ControlKind::CheckBox, "Compress into 1\" classes", 409, 182, 96,
                  10},
};

constexpr std::array kAboutControls = {
    DialogControl{-1, ControlKind::Icon, "", 11, 17, 20, 20},
    DialogControl{IDC_ABOUT_TEXT, ControlKind::Label, "Canopex Version 1.0", 44, 10, 206, 130},
    DialogControl{kOkId, ControlKind::DefaultButton, "OK", 111, 155, 50, 16},
};

constexpr std::array kFolderHintControls = {
    DialogControl{-1, ControlKind::Label,
                  "  Open the folder where the stand files will be stored.", 0, 0, 195, 10},
};

}  // namespace

const DialogLayout& MainDialogLayout() {
  static constexpr DialogLayout layout{"Canopex", 523, 318, kMainControls};
  return layout;
}

const DialogLayout& AboutBoxLayout() {
  static constexpr DialogLayout layout{"About Canopex", 273, 178, kAboutControls};
  return layout;
}

const DialogLayout& FolderHintLayout() {
  static constexpr DialogLayout layout{"", 195, 12, kFolderHintControls};
  return layout;
}

}  // namespace canopex
