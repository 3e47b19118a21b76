#include "Picture.h"

#include "ClassTable.h"

#include <algorithm>
#include <atomic>
#include <cstring>

namespace qv {
namespace {

std::atomic<uint64_t> nextSurfaceId{1};

class PictureSurface : public Surface {
public:
    PictureSurface(int32_t w, int32_t h) : Surface(false) { Resize(w, h, 0xFFFFFFFFu); }
};

// The whole of src onto dst's top-left corner, at its own size, as far as dst
// reaches. When dst holds what src held at their last such copy and nothing else
// has written dst since, only the pixels src logged since then are copied.
void CopyWhole(const Surface& src, Surface& dst) {
    const uint32_t* in = src.Pixels();
    uint32_t* out = dst.Pixels();
    const ChangeLog& log = src.Changes();
    const auto sw = static_cast<size_t>(src.Width()), sh = static_cast<size_t>(src.Height());
    const auto dw = static_cast<size_t>(dst.Width()), dh = static_cast<size_t>(dst.Height());
    if (log.Replayable(dst)) {
        if (sw == dw && sh <= dh) {
            for (size_t at : log.Offsets()) out[at] = in[at];
        } else {
            for (size_t at : log.Offsets()) {
                const size_t x = at % sw, y = at / sw;
                if (x < dw && y < dh) out[y * dw + x] = in[at];
            }
        }
        return;
    }
    const size_t w = std::min(sw, dw), h = std::min(sh, dh);
    if (w == 0 || h == 0) return;
    if (sw == dw) {
        std::memcpy(out, in, sizeof(uint32_t) * w * h);
    } else {
        for (size_t y = 0; y < h; ++y) std::memcpy(out + y * dw, in + y * sw, sizeof(uint32_t) * w);
    }
}

}  // namespace

Surface::Surface(bool shared) : id_(nextSurfaceId.fetch_add(1, std::memory_order_relaxed)), shared_(shared) {}

void Surface::Resize(int32_t width, int32_t height, uint32_t fill) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(static_cast<size_t>(width_) * static_cast<size_t>(height_), fill);
    changes_.NoteAll();
}

ClassRef Graphics::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "Graphics";
        t.factory = FactoryOf<Graphics>();
    });
}

int32_t Graphics::Width() const { return NotNil(surface_)->Width(); }
int32_t Graphics::Height() const { return NotNil(surface_)->Height(); }

void Graphics::PixelLocked(Surface& s, int32_t x, int32_t y, uint32_t argb) {
    {
        auto lock = s.Lock();
        if (x < 0 || y < 0 || x >= s.Width() || y >= s.Height()) return;
        s.Pixels()[static_cast<size_t>(y) * static_cast<size_t>(s.Width()) + static_cast<size_t>(x)] = argb;
        s.Changes().NoteAll();
    }
    s.Changed();
}

Color Graphics::Pixel(int32_t x, int32_t y) const {
    Surface& s = *NotNil(surface_);
    auto lock = s.Lock();
    if (x < 0 || y < 0 || x >= s.Width() || y >= s.Height()) return {};
    const uint32_t v = s.Pixels()[static_cast<size_t>(y) * s.Width() + x];
    return {uint8_t(v >> 16), uint8_t(v >> 8), uint8_t(v)};
}

void Graphics::DrawWholePicture(const Picture& p) {
    Surface& dst = *NotNil(surface_);
    const Surface& src = p.Pixels();
    if (&src == &dst) return;  // a picture drawn onto itself where it stands
    {
        auto lock = dst.Lock();
        CopyWhole(src, dst);
        dst.Changes().NoteAll();
        src.Changes().Copied(dst);
    }
    dst.Changed();
}

void Graphics::DrawPartOfPicture(const Picture& p, int32_t x, int32_t y, int32_t width, int32_t height,
                                 int32_t sourceX, int32_t sourceY, int32_t sourceWidth, int32_t sourceHeight) {
    Surface& dst = *NotNil(surface_);
    const Surface& src = p.Pixels();
    if (sourceWidth == NotGiven) sourceWidth = src.Width() - sourceX;
    if (sourceHeight == NotGiven) sourceHeight = src.Height() - sourceY;
    if (width == NotGiven) width = sourceWidth;
    if (height == NotGiven) height = sourceHeight;
    if (width <= 0 || height <= 0 || sourceWidth <= 0 || sourceHeight <= 0) return;
    if (x == 0 && y == 0 && sourceX == 0 && sourceY == 0 && sourceWidth == src.Width() &&
        sourceHeight == src.Height() && width == sourceWidth && height == sourceHeight)
        return DrawWholePicture(p);
    {
        auto lock = dst.Lock();
        // Only the part of the destination that lies on the surface is drawn.
        const int32_t x0 = std::max(x, 0), x1 = std::min(x + width, dst.Width());
        const int32_t y0 = std::max(y, 0), y1 = std::min(y + height, dst.Height());
        const bool sameSize = width == sourceWidth && height == sourceHeight;
        for (int32_t dy = y0; dy < y1; ++dy) {
            const int64_t sy = sourceY + (sameSize ? dy - y : int64_t(dy - y) * sourceHeight / height);
            if (sy < 0 || sy >= src.Height()) continue;
            uint32_t* out = dst.Pixels() + static_cast<size_t>(dy) * dst.Width();
            const uint32_t* in = src.Pixels() + static_cast<size_t>(sy) * src.Width();
            if (sameSize) {
                const int32_t a = std::max(x0, x - sourceX), b = std::min(x1, x - sourceX + src.Width());
                // The source may be this very surface, so the row may overlap itself.
                if (a < b) std::memmove(out + a, in + (a - x + sourceX), sizeof(uint32_t) * static_cast<size_t>(b - a));
                continue;
            }
            for (int32_t dx = x0; dx < x1; ++dx) {
                const int64_t sx = sourceX + int64_t(dx - x) * sourceWidth / width;
                if (sx >= 0 && sx < src.Width()) out[dx] = in[sx];
            }
        }
        dst.Changes().NoteAll();
    }
    dst.Changed();
}

ClassRef Picture::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "Picture";
        t.factory = FactoryOf<Picture>();
    });
}

void Picture::Init(int32_t width, int32_t height) {
    surface_ = std::make_shared<PictureSurface>(width, height);
    MakeGraphics();
}

// A picture that was never given pixels still has a Graphics, one that reaches nothing.
void Picture::MakeGraphics() {
    if (!graphics_) graphics_ = RuntimeNewObject<qv::Graphics>();
    graphics_->Attach(surface_);
}

Ref<Picture> NewPicture(int32_t width, int32_t height, int32_t depth) {
    if (width < 1 || height < 1 || depth != 32) return nullptr;
    auto p = RuntimeNewObject<Picture>();
    p->Init(width, height);
    return p;
}

}  // namespace qv
