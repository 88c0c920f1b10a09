#include "platform/linux/properties_factory.h"

#include "platform/linux/properties_dialog.h"

namespace pixolet::linux_common {

std::unique_ptr<PropertiesDialogView> QtPropertiesFactory::CreateView(TfrmProp& dialog) {
    return std::make_unique<PropertiesDialog>(dialog);
}

}  // namespace pixolet::linux_common
