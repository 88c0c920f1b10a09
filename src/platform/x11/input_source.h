// The desktop's keyboard and mouse input, observed system-wide through
// XInput2 raw events and handed on as InputEvents, in order, on the GUI
// thread. Nothing is grabbed: the focused program always gets its input.
#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "platform/x11/x11_display.h"
#include "readout/input_hook.h"
#include "readout/key_state_tracker.h"

class QSocketNotifier;

namespace pixolet::x11 {

class X11InputSource : public QObject, public KeyStatePort {
    Q_OBJECT
  public:
    using Handler = std::function<void(const InputEvent&)>;
    // Runs before the key and button state takes in a key or button event,
    // so that whatever waits for the last move sees the state of that move.
    using BeforeKeyOrButton = std::function<void()>;

    explicit X11InputSource(QObject* parent = nullptr);
    ~X11InputSource() override;

    // Starts observing on a connection of its own. False, with nothing left
    // behind, when the display cannot be opened or lacks XInput 2.0.
    bool Install(Handler handler, BeforeKeyOrButton before = nullptr);
    // Stops observing. Safe to call from inside the handler and when not
    // installed.
    void Remove();
    bool IsInstalled() const { return static_cast<bool>(display_); }
    // Pointer motion is asked of the server only while wanted (the readout
    // is shown); keys and buttons always are.
    void SetMotionWanted(bool wanted);
    // While a paced update waits for the end of its frame, further reports
    // add nothing to it (it reads the pointer itself), so the program need
    // not wake for each: with reading off the server keeps the events queued
    // in order on the connection, and turning reading on again handles them
    // all at once. At a mouse's 1000 reports a second this saves a wake-up
    // per report. Motion is not even asked for meanwhile: what moved is read
    // by the update, and a fast mouse costs the server and this connection
    // nothing for the reports within a frame.
    void SetReading(bool reading);

    // Up/down state as of the event being handled.
    bool IsDown(int virtualKey) const override { return keys_.IsDown(virtualKey); }
    ShiftByte Shift() const { return keys_.Shift(); }

  private:
    void Drain();
    void Dispatch(int evtype, int detail);
    unsigned long KeysymOf(unsigned keyCode) const;
    void WatchLocks();
    void SeedKeyState();
    void ReadButtonMap();
    int LogicalButton(int physical) const;
    void Close();
    // `sync` waits for the server's answer, to report a refusal.
    bool SelectEvents(bool sync = true);

    XDisplay display_;
    int opcode_ = 0;
    std::unique_ptr<QSocketNotifier> notifier_;
    Handler handler_;
    BeforeKeyOrButton before_;
    bool motionWanted_ = true;
    // Motion left out while reading is off.
    bool motionHeld_ = false;
    KeyStateTracker keys_;
    std::vector<unsigned char> buttonMap_;
    int xkbEventBase_ = -1;
    unsigned lockedMods_ = 0;
    unsigned numLockMask_ = 0;
    int dispatchDepth_ = 0;
    bool closePending_ = false;
};

}  // namespace pixolet::x11
