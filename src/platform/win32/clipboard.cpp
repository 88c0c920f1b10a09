#include "platform/win32/clipboard.h"

#include <cstring>

#include "platform/win32/gdi_handles.h"

namespace pixolet::win32 {

namespace {

// Programs that watch the clipboard open it for a moment after every
// change; a few short retries ride that out without holding up the
// shortcut noticeably.
constexpr int kOpenAttempts = 5;
constexpr DWORD kRetryDelayMs = 10;

// Global memory for SetClipboardData, freed unless the clipboard took it.
class GlobalMemory {
  public:
    explicit GlobalMemory(std::size_t bytes) : memory_(GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    ~GlobalMemory() {
        if (memory_ != nullptr) GlobalFree(memory_);
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;

    HGLOBAL get() const { return memory_; }
    void HandOver() { memory_ = nullptr; }

  private:
    HGLOBAL memory_;
};

}  // namespace

bool Win32Clipboard::SetText(const std::string& text) {
    const std::size_t length = std::strlen(text.c_str());
    GlobalMemory memory(length + 1);
    if (memory.get() == nullptr) return false;
    {
        void* target = GlobalLock(memory.get());
        if (target == nullptr) return false;
        std::memcpy(target, text.c_str(), length + 1);
        GlobalUnlock(memory.get());
    }
    for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
        if (attempt > 0) Sleep(kRetryDelayMs);
        ClipboardGuard clipboard(owner_);
        if (!clipboard.Opened()) continue;
        if (!EmptyClipboard()) return false;
        if (SetClipboardData(CF_TEXT, memory.get()) == nullptr) return false;
        // The system owns the memory from here on.
        memory.HandOver();
        return true;
    }
    return false;
}

}  // namespace pixolet::win32
