#include "platform/wayland/shm_buffer.h"

#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

namespace pixolet::wayland {

ShmBuffer::ShmBuffer(wl_shm* shm, int width, int height, std::uint32_t format)
    : width_(width), height_(height), stride_(width * 4) {
    if (!shm || width <= 0 || height <= 0) return;
    size_ = static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height);
    const int fd = memfd_create("pixolet-buffer", MFD_CLOEXEC);
    if (fd < 0) return;
    if (ftruncate(fd, static_cast<off_t>(size_)) != 0) {
        close(fd);
        return;
    }
    void* data = mmap(nullptr, size_, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
    if (data == MAP_FAILED) {
        close(fd);
        return;
    }
    wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<std::int32_t>(size_));
    buffer_ = wl_shm_pool_create_buffer(pool, 0, width, height, stride_, format);
    wl_shm_pool_destroy(pool);
    close(fd);
    data_ = data;
    static const wl_buffer_listener listener = {Release};
    wl_buffer_add_listener(buffer_, &listener, this);
    image_ = QImage(static_cast<uchar*>(data_), width, height, stride_,
                    format == WL_SHM_FORMAT_ARGB8888 ? QImage::Format_ARGB32_Premultiplied
                                                     : QImage::Format_RGB32);
}

ShmBuffer::~ShmBuffer() {
    image_ = QImage();
    if (buffer_) wl_buffer_destroy(buffer_);
    if (data_) munmap(data_, size_);
}

void ShmBuffer::Release(void* data, wl_buffer*) {
    auto* self = static_cast<ShmBuffer*>(data);
    self->busy_ = false;
    if (self->released_) {
        const auto released = self->released_;
        released();
    }
}

}  // namespace pixolet::wayland
