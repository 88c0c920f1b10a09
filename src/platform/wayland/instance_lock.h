// The single-instance check on Wayland, where no X server holds a marker
// window: an advisory lock on a file in the user's runtime folder, named
// after the compositor's socket. The kernel drops the lock when the process
// ends, however it ends.
#pragma once

namespace pixolet::wayland {

class InstanceLock {
  public:
    InstanceLock() = default;
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Another process holds the lock now.
    static bool HeldElsewhere();
    // Takes the lock for this process; false when that is not possible.
    bool Claim();

  private:
    int fd_ = -1;
};

}  // namespace pixolet::wayland
