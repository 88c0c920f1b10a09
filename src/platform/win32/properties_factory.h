// Makes the Win32 properties dialog for the core's TfrmProp.
#pragma once

#include <windows.h>

#include "ports/properties_dialog_port.h"

namespace pixolet::win32 {

class Win32PropertiesFactory : public PropertiesDialogFactory {
  public:
    explicit Win32PropertiesFactory(HINSTANCE instance) : instance_(instance) {}
    std::unique_ptr<PropertiesDialogView> CreateView(TfrmProp& dialog) override;

  private:
    HINSTANCE instance_;
};

}  // namespace pixolet::win32
