// Pictures and the Graphics through which they, and canvases, are drawn into.
#pragma once

#include "Color.h"
#include "Object.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace qv {

// Pixels that a Graphics draws into: 32-bit 0xAARRGGBB, row after row.
class Surface {
public:
    virtual ~Surface() = default;
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    uint32_t* Pixels() { return pixels_.data(); }
    const uint32_t* Pixels() const { return pixels_.data(); }

    // A surface that other threads read is locked around every access.
    virtual std::unique_lock<std::mutex> Lock() { return {}; }
    // Called after a drawing operation changed the pixels, with the lock released.
    virtual void Changed() {}

protected:
    void Resize(int32_t width, int32_t height, uint32_t fill);

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
};

class Picture;

class Graphics : public Object {
public:
    static ClassRef Lookup();
    void Attach(std::shared_ptr<Surface> surface) { surface_ = std::move(surface); }

    int32_t Width() const;
    int32_t Height() const;
    // The pixel setter; a point outside the surface is left alone.
    void Pixel(int32_t x, int32_t y, Color c);
    Color Pixel(int32_t x, int32_t y) const;

    // A size of NotGiven means the picture's own size; a destination size that differs
    // from the source size scales the picture.
    static constexpr int32_t NotGiven = -10000;
    void DrawPicture(const Picture& p, int32_t x, int32_t y, int32_t width = NotGiven, int32_t height = NotGiven,
                     int32_t sourceX = 0, int32_t sourceY = 0, int32_t sourceWidth = NotGiven,
                     int32_t sourceHeight = NotGiven);

private:
    std::shared_ptr<Surface> surface_;
};

class Picture : public Object {
public:
    static ClassRef Lookup();

    int32_t Width() const { return surface_->Width(); }
    int32_t Height() const { return surface_->Height(); }
    Ref<qv::Graphics> Graphics();
    const Surface& Pixels() const { return *surface_; }

    // Used by NewPicture and by the file reader.
    void Init(int32_t width, int32_t height);
    uint32_t* MutablePixels() { return surface_->Pixels(); }

private:
    std::shared_ptr<Surface> surface_;
    Ref<qv::Graphics> graphics_;
};

// A new opaque white picture; depth must be 32. Nil for a size below 1 or another depth.
Ref<Picture> NewPicture(int32_t width, int32_t height, int32_t depth);

}  // namespace qv
