// Translation of X keysyms into the Windows virtual-key codes in which the
// shortcuts are stored.
#pragma once

namespace pixolet::linux_common {

// Virtual-key code of a keysym as a US layout gives it, 0 for a keysym that
// has none. Callers pass the keysym of shift level 0 of the key, so that
// Shift+C and C both give 'C' (0x43).
int VirtualKeyFromKeysym(unsigned long keysym);

}  // namespace pixolet::linux_common
