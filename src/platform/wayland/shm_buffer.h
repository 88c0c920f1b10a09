// A wl_buffer in shared memory, its pixels open to Qt as a QImage. The
// compositor reads it after a commit until it sends the release; until then
// the buffer is busy and must not be painted.
#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <functional>

struct wl_shm;
struct wl_buffer;

namespace pixolet::wayland {

class ShmBuffer {
  public:
    // `format` is a WL_SHM_FORMAT_*: XRGB8888 for opaque pixels, ARGB8888
    // (premultiplied) for transparent ones. Check Valid().
    ShmBuffer(wl_shm* shm, int width, int height, std::uint32_t format);
    ~ShmBuffer();
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    bool Valid() const { return buffer_ != nullptr; }
    wl_buffer* Buffer() const { return buffer_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Stride() const { return stride_; }
    std::uint8_t* Data() const { return static_cast<std::uint8_t*>(data_); }
    // The pixels as a QImage that shares the memory.
    QImage& Image() { return image_; }

    bool Busy() const { return busy_; }
    // Attached and committed: busy until the compositor releases it.
    void MarkBusy() { busy_ = true; }
    // Runs when the compositor lets go of the buffer.
    void SetReleased(std::function<void()> released) { released_ = std::move(released); }

  private:
    static void Release(void* data, wl_buffer* buffer);

    wl_buffer* buffer_ = nullptr;
    void* data_ = nullptr;
    std::size_t size_ = 0;
    int width_ = 0;
    int height_ = 0;
    int stride_ = 0;
    bool busy_ = false;
    std::function<void()> released_;
    QImage image_;
};

}  // namespace pixolet::wayland
