// Makes the Qt properties dialog for the core's TfrmProp.
#pragma once

#include "ports/properties_dialog_port.h"

namespace pixolet::x11 {

class QtPropertiesFactory : public PropertiesDialogFactory {
  public:
    std::unique_ptr<PropertiesDialogView> CreateView(TfrmProp& dialog) override;
};

}  // namespace pixolet::x11
