#include "platform/x11/properties_factory.h"

#include "platform/x11/properties_dialog.h"

namespace pixolet::x11 {

std::unique_ptr<PropertiesDialogView> QtPropertiesFactory::CreateView(TfrmProp& dialog) {
    return std::make_unique<PropertiesDialog>(dialog);
}

}  // namespace pixolet::x11
