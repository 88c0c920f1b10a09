// The last copied colour typed into the active program's standard colour
// dialog.
#include <string>
#include <string_view>

#include "readout/number_text.h"
#include "readout/readout_window.h"

namespace pixolet {

namespace {

// Window class of the system's standard dialog boxes, the colour dialog's
// among them.
constexpr std::string_view kStandardDialogClass = "#32770";
// The class name is read into a buffer of 100 with a count of 99: at most 98
// characters arrive.
constexpr std::size_t kClassNameChars = 98;

// Edit fields of the colour dialog for red, green and blue.
constexpr int kRedField = 706;
constexpr int kGreenField = 707;
constexpr int kBlueField = 708;

bool IsStandardDialog(std::string_view className) {
    className = className.substr(0, kClassNameChars);
    return className.substr(0, kStandardDialogClass.size()) == kStandardDialogClass;
}

}  // namespace

bool TfrmPixoletMain::SendColorToDialog() {
    const std::optional<std::string> className = ports_.colourDialog.ActiveWindowClass();
    if (!className) return false;
    // Dialogs without numbered fields (Linux toolkits) are reached through
    // the platform; it answers at once and types the colour in later.
    if (!IsStandardDialog(*className))
        return ports_.colourDialog.PasteIntoToolkitDialog(CopiedColor);
    // Red, green, blue in this order; the dialog takes each as typed input.
    ports_.colourDialog.SetFieldText(kRedField, FormatDecimal(RedOf(CopiedColor)));
    ports_.colourDialog.SetFieldText(kGreenField, FormatDecimal(GreenOf(CopiedColor)));
    ports_.colourDialog.SetFieldText(kBlueField, FormatDecimal(BlueOf(CopiedColor)));
    return true;
}

}  // namespace pixolet
