// Owners and small readers for libatspi objects. Includes libatspi (and so
// GLib): for the accessibility sources only.
#pragma once

#include <atspi/atspi.h>

#include <memory>
#include <string>
#include <vector>

#include "ports/accessibility_port.h"

namespace pixolet::linux_common {

struct GObjectUnref {
    void operator()(gpointer object) const {
        if (object) g_object_unref(object);
    }
};
template <class T>
using GRef = std::unique_ptr<T, GObjectUnref>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
using OwnedText = std::unique_ptr<gchar, GFree>;

// The error slot of one libatspi call.
class CallError {
  public:
    CallError() = default;
    ~CallError() {
        if (error_) g_error_free(error_);
    }
    CallError(const CallError&) = delete;
    CallError& operator=(const CallError&) = delete;

    GError** out() { return &error_; }
    bool failed() const { return error_ != nullptr; }

  private:
    GError* error_ = nullptr;
};

AccessibleRole RoleOf(AtspiRole role);
bool HasState(AtspiAccessible* object, AtspiStateType state);
// The names of the object's actions, in their order; empty without any.
std::vector<std::string> ActionNames(AtspiAccessible* object);

}  // namespace pixolet::linux_common
