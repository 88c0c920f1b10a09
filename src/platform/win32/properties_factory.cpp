#include "platform/win32/properties_factory.h"

#include "platform/win32/properties_dialog.h"

namespace pixolet::win32 {

std::unique_ptr<PropertiesDialogView> Win32PropertiesFactory::CreateView(TfrmProp& dialog) {
    return std::make_unique<Win32PropertiesDialog>(instance_, dialog);
}

}  // namespace pixolet::win32
