// The clipboard on Wayland. A compositor gives the clipboard only to the
// program the user just typed or clicked into, which Pixolet seldom is; the
// data-control protocol sets it without that. The text is offered for as
// long as the program runs (or until something else takes the clipboard),
// so it stays after the session. Without the protocol Qt's clipboard is
// used, which works only right after the program's own input.
#pragma once

#include <string>

#include "ports/clipboard_port.h"

struct zwlr_data_control_device_v1;
struct zwlr_data_control_source_v1;

namespace pixolet::wayland {

class WaylandConnection;

class DataControlClipboard : public ClipboardPort {
  public:
    DataControlClipboard(WaylandConnection& connection, ClipboardPort& fallback);
    ~DataControlClipboard() override;
    DataControlClipboard(const DataControlClipboard&) = delete;
    DataControlClipboard& operator=(const DataControlClipboard&) = delete;

    bool SetText(const std::string& text) override;

  private:
    static void Send(void* data, zwlr_data_control_source_v1* source, const char* mimeType, int fd);
    static void Cancelled(void* data, zwlr_data_control_source_v1* source);
    void DropSource();

    WaylandConnection& connection_;
    ClipboardPort& fallback_;
    zwlr_data_control_device_v1* device_ = nullptr;
    zwlr_data_control_source_v1* source_ = nullptr;
    std::string text_;
};

}  // namespace pixolet::wayland
