// The up/down state of keys and mouse buttons, kept from the ordered stream
// of raw presses and releases. Raw input (XInput2 on X11, WM_INPUT on
// Windows) carries no modifier state, and asking the system at handling time
// is stale under fast typing, so the stream itself is the only reliable
// source of an event's state.
//
// The stream does lose releases: those made while another desktop or session
// has the input, on another virtual terminal, or over a window the program
// may not observe. The system's own view then tells the truth, but only once
// no input waits that the stream has still to hand over; before that it may
// already show a release whose event is still queued (a Ctrl+C typed with no
// delay). So the tracker comes back in line at two moments: after the system
// reports such a change, as soon as nothing waits, and at each key-down when
// nothing waits.
#pragma once

#include <array>
#include <cstdint>

#include "ports/key_state_port.h"
#include "ports/shortcut.h"
#include "readout/input_hook.h"

namespace pixolet {

class KeyStateTracker : public KeyStatePort {
  public:
    // Physical key codes: X key codes (8..255) on X11; on Windows the scan
    // code with 0x100 added for an extended (E0) key.
    static constexpr int kKeyCodes = 512;

    // A key, by its physical key code, went down; `virtualKey` is what it means now.
    // Left and right keys of one modifier have different key codes, so each
    // is held on its own. A press of a key already down changes nothing.
    void KeyPressed(unsigned keyCode, int virtualKey);
    // A release of a key that is not down (X repeats some releases) is
    // ignored.
    void KeyReleased(unsigned keyCode);
    // Button numbers: 1 left, 2 middle, 3 right (X's logical numbering). Others (the wheel)
    // are not tracked. Returns the button's virtual-key code, 0 for others.
    int ButtonPressed(int button);
    int ButtonReleased(int button);
    void Clear();
    // Replaces the whole state with what the system reports held.
    void Seed(const HeldState& held);

    // Releases may have been lost (a session or desktop change, a switch of
    // virtual terminal): the state is taken from the system again at the next
    // CatchUp or CheckAtKeyDown that finds no input waiting.
    void SystemChanged() { resyncPending_ = true; }
    bool ResyncPending() const { return resyncPending_; }
    // Runs a pending resynchronisation when no input waits. Returns the
    // buttons it released, as virtual-key bits (vk::kLButton and so on), so
    // that the platform can report the left button's release.
    int CatchUp(SystemKeyStatePort& system);
    // Right after a key-down has been recorded: when no input waits, the
    // modifier keys and buttons held here that the system reports up lost
    // their releases and are released now (a pending resynchronisation runs
    // instead). Nothing is pressed here: a press the system shows before its
    // event arrives is the stream's to record. Returns the buttons released.
    int CheckAtKeyDown(SystemKeyStatePort& system);
    // The virtual-key code the key went down with, 0 when it is up.
    int DownVirtualKey(unsigned keyCode) const {
        return keyCode < kKeyCodes ? downKeys_[keyCode] : 0;
    }

    bool IsDown(int virtualKey) const override;
    ShiftByte Shift() const;
    // How the key-down of `virtualKey` that has just been recorded counts.
    InputKind KeyDownKind(int virtualKey) const;

    static int ButtonVirtualKey(int button);

  private:
    // The virtual-key code each key code had when it went down; 0 when up.
    std::array<std::uint8_t, kKeyCodes> downKeys_{};
    // How many down key codes give each virtual-key code.
    std::array<std::uint16_t, 256> downCount_{};
    // Mouse buttons by virtual-key code (1, 2, 4).
    std::uint8_t buttons_ = 0;
    bool resyncPending_ = false;
};

}  // namespace pixolet
