// A copy of a whole picture brings only the pixels written since its last copy
// onto the same surface. Whatever happened in between, the destination must end up
// exactly as a copy of the whole picture leaves it, worked out here from the pixels.
#include "Runtime.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace qv {
namespace {

constexpr int32_t kOwn = Graphics::NotGiven;
constexpr int32_t kW = 37, kH = 23;  // odd sizes, so rows and columns are told apart
constexpr int kLog = static_cast<int>(ChangeLog::Capacity);

std::vector<uint32_t> Shown(Graphics& g) {
    std::vector<uint32_t> out;
    for (int32_t y = 0; y < g.Height(); ++y)
        for (int32_t x = 0; x < g.Width(); ++x) out.push_back(g.Pixel(x, y).Argb());
    return out;
}

// dst as it was, with every pixel of the picture that lands on it laid over it.
void CopyAndCheck(Picture& p, Graphics& dst) {
    std::vector<uint32_t> expected = Shown(dst);
    const std::vector<uint32_t> source = Shown(*p.Graphics());
    for (int32_t y = 0; y < std::min(dst.Height(), p.Height()); ++y)
        for (int32_t x = 0; x < std::min(dst.Width(), p.Width()); ++x)
            expected[size_t(y) * size_t(dst.Width()) + size_t(x)] = source[size_t(y) * size_t(p.Width()) + size_t(x)];
    dst.DrawPicture(p, 0, 0, kOwn, kOwn, 0, 0, kOwn, kOwn);
    ASSERT_EQ(Shown(dst), expected);
}

Ref<Canvas> NewCanvas(int32_t w, int32_t h) {
    Ref<Canvas> c = RuntimeNewObject<Canvas>();
    c->SetWidth(w);
    c->SetHeight(h);
    return c;
}

Ref<Picture> Red(int32_t w, int32_t h) {
    Ref<Picture> q = NewPicture(w, h, 32);
    std::fill_n(q->MutablePixels(), w * h, 0xFFC80000u);
    return q;
}

class ChangeTrackingTest : public testing::RuntimeTest {
protected:
    // n pixels of random colours at random places on the surface.
    void Scribble(Graphics& g, int n) {
        std::uniform_int_distribution<int32_t> x(0, g.Width() - 1), y(0, g.Height() - 1), part(0, 255);
        for (int i = 0; i < n; ++i) g.Pixel(x(rng_), y(rng_), RGB(part(rng_), part(rng_), part(rng_)));
    }

    std::mt19937 rng_{20240611};
};

// From nothing changed to more than the list holds, onto canvases of the picture's
// size and of others, where what does not land is clipped.
TEST_F(ChangeTrackingTest, RepeatedCopiesMatchAWholeCopy) {
    const int counts[] = {0, 1, 11, kLog - 1, kLog, kLog + 1, 1, 3 * kLog, 0, 11, kLog, 2};
    const struct {
        int32_t w, h;
    } sizes[] = {{kW, kH}, {20, 10}, {50, 40}, {kW, 10}, {kW, 40}, {20, kH}, {60, kH}};
    for (const auto& s : sizes) {
        Ref<Picture> p = NewPicture(kW, kH, 32);
        Ref<Canvas> canvas = NewCanvas(s.w, s.h);
        for (int round = 0; round < 24; ++round) {
            SCOPED_TRACE(::testing::Message() << s.w << " x " << s.h << ", round " << round);
            Scribble(*p->Graphics(), counts[round % std::size(counts)]);
            ASSERT_NO_FATAL_FAILURE(CopyAndCheck(*p, *canvas->Graphics()));
        }
    }
}

struct Meddling {
    const char* name;
    // Runs between two copies of p onto canvas; other is a second canvas of its size.
    std::function<void(Picture& p, Canvas& canvas, Canvas& other)> act;
};

class ChangeTrackingMeddlingTest : public ChangeTrackingTest, public ::testing::WithParamInterface<Meddling> {};

TEST_P(ChangeTrackingMeddlingTest, CopiesAfterItMatchAWholeCopy) {
    Ref<Picture> p = NewPicture(kW, kH, 32);
    Ref<Canvas> canvas = NewCanvas(kW, kH), other = NewCanvas(kW, kH);
    Scribble(*p->Graphics(), 40);
    ASSERT_NO_FATAL_FAILURE(CopyAndCheck(*p, *canvas->Graphics()));
    for (int round = 0; round < 3; ++round) {
        Scribble(*p->Graphics(), 5);
        GetParam().act(*p, *canvas, *other);
        Scribble(*p->Graphics(), 5);
        ASSERT_NO_FATAL_FAILURE(CopyAndCheck(*p, *canvas->Graphics()));
        Scribble(*p->Graphics(), 5);  // and the tracked copies go on from there
        ASSERT_NO_FATAL_FAILURE(CopyAndCheck(*p, *canvas->Graphics()));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Between, ChangeTrackingMeddlingTest,
    ::testing::Values(
        Meddling{"APixelDrawnOntoTheCanvas", [](Picture&, Canvas& c, Canvas&) { c.Graphics()->Pixel(4, 7, RGB(1, 2, 3)); }},
        Meddling{"AnotherPictureCopiedOntoTheCanvas",
                 [](Picture&, Canvas& c, Canvas&) { c.Graphics()->DrawPicture(*Red(kW, kH), 0, 0); }},
        Meddling{"PartOfThePictureDrawnOntoTheCanvas",
                 [](Picture& p, Canvas& c, Canvas&) { c.Graphics()->DrawPicture(p, 3, 2, 9, 5, 1, 1, kOwn, kOwn); }},
        Meddling{"ThePictureCopiedOntoAnotherCanvas", [](Picture& p, Canvas&, Canvas& o) { CopyAndCheck(p, *o.Graphics()); }},
        Meddling{"TheCanvasClearedByAResize",
                 [](Picture&, Canvas& c, Canvas&) {
                     c.SetWidth(kW + 1);
                     c.SetWidth(kW);
                 }},
        Meddling{"APictureDrawnIntoThePicture", [](Picture& p, Canvas&, Canvas&) { p.Graphics()->DrawPicture(*Red(6, 6), 5, 5); }},
        Meddling{"ThePicturesPixelsWrittenDirectly",
                 [](Picture& p, Canvas&, Canvas&) { std::fill_n(p.MutablePixels() + 3 * kW, kW, 0xFF00FF00u); }}),
    [](const ::testing::TestParamInfo<Meddling>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qv
