// Makes the Qt properties dialog for the core's TfrmProp.
#pragma once

#include "ports/properties_dialog_port.h"

namespace pixolet::linux_common {

class QtPropertiesFactory : public PropertiesDialogFactory {
  public:
    std::unique_ptr<PropertiesDialogView> CreateView(TfrmProp& dialog) override;
};

}  // namespace pixolet::linux_common
