#include "platform/wayland/data_control_clipboard.h"

#include <fcntl.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cerrno>
#include <csignal>

#include "platform/wayland/protocols.h"
#include "platform/wayland/wayland_connection.h"

namespace pixolet::wayland {

namespace {

// What text readers ask for: plain text in the usual spellings.
constexpr const char* kTextTypes[] = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING",
                                      "STRING", "TEXT"};

const zwlr_data_control_device_v1_listener kDeviceListener = {
    // data_offer: offers of others are not read; each must be destroyed.
    [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1* offer) {
        zwlr_data_control_offer_v1_destroy(offer);
    },
    // selection, finished, primary_selection
    [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*) {},
    [](void*, zwlr_data_control_device_v1*) {},
    [](void*, zwlr_data_control_device_v1*, zwlr_data_control_offer_v1*) {},
};

}  // namespace

DataControlClipboard::DataControlClipboard(WaylandConnection& connection, ClipboardPort& fallback)
    : connection_(connection), fallback_(fallback) {
    if (connection.DataControl() && connection.Seat()) {
        device_ = zwlr_data_control_manager_v1_get_data_device(connection.DataControl(),
                                                               connection.Seat());
        zwlr_data_control_device_v1_add_listener(device_, &kDeviceListener, this);
    }
}

DataControlClipboard::~DataControlClipboard() {
    DropSource();
    if (device_) zwlr_data_control_device_v1_destroy(device_);
    connection_.Flush();
}

void DataControlClipboard::DropSource() {
    if (source_) zwlr_data_control_source_v1_destroy(source_);
    source_ = nullptr;
}

bool DataControlClipboard::SetText(const std::string& text) {
    if (!device_) return fallback_.SetText(text);
    static const zwlr_data_control_source_v1_listener listener = {Send, Cancelled};
    DropSource();
    text_ = text;
    source_ = zwlr_data_control_manager_v1_create_data_source(connection_.DataControl());
    zwlr_data_control_source_v1_add_listener(source_, &listener, this);
    for (const char* type : kTextTypes) zwlr_data_control_source_v1_offer(source_, type);
    zwlr_data_control_device_v1_set_selection(device_, source_);
    connection_.Flush();
    return true;
}

void DataControlClipboard::Send(void* data, zwlr_data_control_source_v1*, const char*, int fd) {
    const auto* self = static_cast<DataControlClipboard*>(data);
    // A reader that goes away early must not end the program by SIGPIPE;
    // its own end of the pipe is all that can block, and only briefly.
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    std::size_t written = 0;
    const std::string& text = self->text_;
    while (written < text.size()) {
        const ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        written += static_cast<std::size_t>(n);
    }
    close(fd);
}

void DataControlClipboard::Cancelled(void* data, zwlr_data_control_source_v1* source) {
    // Something else took the clipboard.
    auto* self = static_cast<DataControlClipboard*>(data);
    if (self->source_ == source) self->source_ = nullptr;
    zwlr_data_control_source_v1_destroy(source);
}

}  // namespace pixolet::wayland
