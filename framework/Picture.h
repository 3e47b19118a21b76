// Pictures and the Graphics through which they, and canvases, are drawn into.
#pragma once

#include "Color.h"
#include "Exceptions.h"
#include "Object.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <vector>

namespace qv {

// The most pixels any image holds: a picture read from a file, a canvas's backing
// image, and whatever a property list makes a widget or a window paint, which Qt's
// styles paint through an image as large. 64 MiB at four bytes a pixel.
inline constexpr int64_t kPixelBudget = int64_t{16} * 1024 * 1024;

class Surface;

// Counts the writes into a surface and lists where the latest went: the pixels
// written since the surface was last copied whole onto another one, so that the
// next such copy onto the same surface, untouched since, brings only those. A list
// that fills up, or a write that it cannot name, makes that copy whole again.
class ChangeLog {
public:
    static constexpr size_t Capacity = 128;

    // One pixel written, at this offset.
    void Note(size_t offset) {
        const uint64_t listed = writes_++ - listFrom_;
        if (listed < Capacity) [[likely]]
            offsets_[listed] = offset;
    }
    // Pixels written that the list does not name.
    void NoteAll() {
        ++writes_;
        whole_ = true;
    }
    uint64_t Writes() const { return writes_; }

    // True when dst differs from the surface only in the listed pixels.
    bool Replayable(const Surface& dst) const;
    std::span<const size_t> Offsets() const { return {offsets_.data(), static_cast<size_t>(writes_ - listFrom_)}; }
    // Starts a new list after a whole copy onto dst, the copy already counted in dst's writes.
    void Copied(const Surface& dst);

private:
    std::array<size_t, Capacity> offsets_;
    uint64_t writes_ = 0;
    uint64_t listFrom_ = 0;  // writes_ when the list began
    bool whole_ = true;
    uint64_t copiedTo_ = 0;  // a surface's Id; 0 is none
    uint64_t copiedWrites_ = 0;
};

// Pixels that a Graphics draws into: 32-bit 0xAARRGGBB, row after row.
class Surface {
public:
    virtual ~Surface() = default;
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    uint32_t* Pixels() { return pixels_.data(); }
    const uint32_t* Pixels() const { return pixels_.data(); }

    // Unique among all surfaces of the process, so that a record of a copy never
    // matches a later surface that happens to live at the same address.
    uint64_t Id() const { return id_; }
    // Bookkeeping of the writes and of the copies made from this surface rather
    // than its content, so copying from a surface that is read-only to the caller
    // still keeps it. A shared surface reads and writes it under Lock().
    ChangeLog& Changes() const { return changes_; }
    uint64_t Version() const { return changes_.Writes(); }

    // A shared surface is read by other threads: every access holds Lock(), and
    // Changed() follows a drawing operation once the lock is released.
    bool Shared() const { return shared_; }
    std::unique_lock<std::mutex> Lock() { return shared_ ? std::unique_lock(mutex_) : std::unique_lock<std::mutex>(); }
    virtual void Changed() {}

protected:
    explicit Surface(bool shared);
    void Resize(int32_t width, int32_t height, uint32_t fill);

private:
    const uint64_t id_;
    const bool shared_;
    std::mutex mutex_;  // taken only when shared
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
    mutable ChangeLog changes_;
};

inline bool ChangeLog::Replayable(const Surface& dst) const {
    return !whole_ && writes_ - listFrom_ <= Capacity && copiedTo_ == dst.Id() && copiedWrites_ == dst.Version();
}

inline void ChangeLog::Copied(const Surface& dst) {
    listFrom_ = writes_;
    whole_ = false;
    copiedTo_ = dst.Id();
    copiedWrites_ = dst.Version();
}

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
                     int32_t sourceHeight = NotGiven) {
        // The call drawing loops make, the whole picture at its own size at the
        // top-left corner, goes straight to the copy.
        if (x == 0 && y == 0 && sourceX == 0 && sourceY == 0 && width == NotGiven && height == NotGiven &&
            sourceWidth == NotGiven && sourceHeight == NotGiven)
            return DrawWholePicture(p);
        DrawPartOfPicture(p, x, y, width, height, sourceX, sourceY, sourceWidth, sourceHeight);
    }

private:
    static void PixelLocked(Surface& s, int32_t x, int32_t y, uint32_t argb);
    void DrawWholePicture(const Picture& p);
    void DrawPartOfPicture(const Picture& p, int32_t x, int32_t y, int32_t width, int32_t height, int32_t sourceX,
                           int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight);

    std::shared_ptr<Surface> surface_;
};

// Drawing loops set one pixel per step, so a picture's pixel is set inline; a
// shared surface takes the locked road.
inline void Graphics::Pixel(int32_t x, int32_t y, Color c) {
    Surface& s = *NotNil(surface_);
    const uint32_t argb = c.Argb();
    if (s.Shared()) return PixelLocked(s, x, y, argb);
    if (static_cast<uint32_t>(x) >= static_cast<uint32_t>(s.Width()) ||
        static_cast<uint32_t>(y) >= static_cast<uint32_t>(s.Height()))
        return;
    const size_t at = static_cast<size_t>(y) * static_cast<size_t>(s.Width()) + static_cast<size_t>(x);
    s.Pixels()[at] = argb;
    s.Changes().Note(at);
}

class Picture : public Object {
public:
    static ClassRef Lookup();

    int32_t Width() const { return surface_->Width(); }
    int32_t Height() const { return surface_->Height(); }
    // The picture's one Graphics, which lives as long as the picture.
    const Ref<qv::Graphics>& Graphics() {
        if (!graphics_) [[unlikely]]
            MakeGraphics();
        return graphics_;
    }
    const Surface& Pixels() const { return *surface_; }

    // Used by NewPicture and by the file reader. Writing through MutablePixels
    // leaves no list of what changed, so the next copy of the picture is whole.
    void Init(int32_t width, int32_t height);
    uint32_t* MutablePixels() {
        surface_->Changes().NoteAll();
        return surface_->Pixels();
    }

private:
    void MakeGraphics();

    std::shared_ptr<Surface> surface_;
    Ref<qv::Graphics> graphics_;
};

// A new opaque white picture; depth must be 32. Nil for a size below 1 or another depth.
Ref<Picture> NewPicture(int32_t width, int32_t height, int32_t depth);

}  // namespace qv
