// The drawing thread, made deterministic: the random numbers come from a fixed seed,
// and the yield hook (run on the drawing thread once per pass, just before the stop
// test) counts the passes and sets Stop after as many as a test wants.
#include "AppFixture.h"

#include "resources/Design.h"

#include <atomic>
#include <memory>

namespace quil::testing {
namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
// A colour that no copy of the picture can bring: the picture holds only grays.
constexpr qv::Color kMarker{1, 2, 3};
constexpr uint32_t kMarkerValue = 0x010203;

struct Pass {
    int32_t gray, x, y;
};

// The passes that a thread drawing a w x h picture makes from the seed, worked out
// again here: three Rnd calls per pass, gray first, then x, then y, each product
// truncated toward zero. Call it only once no other thread draws numbers.
std::vector<Pass> Replay(uint64_t seed, int passes, int32_t w, int32_t h) {
    qv::RndSeed(seed);
    std::vector<Pass> out;
    for (int i = 0; i < passes; ++i) {
        const double g = qv::Rnd(), x = qv::Rnd(), y = qv::Rnd();
        out.push_back({static_cast<int32_t>(g * 255.0), static_cast<int32_t>(x * w), static_cast<int32_t>(y * h)});
    }
    return out;
}

// The picture after the first n of those passes.
std::vector<uint32_t> PictureAfter(const std::vector<Pass>& passes, size_t n, int32_t w, int32_t h) {
    std::vector<uint32_t> pic(static_cast<size_t>(w) * static_cast<size_t>(h), kWhite);
    for (size_t i = 0; i < n; ++i) {
        const Pass& p = passes[i];
        pic[static_cast<size_t>(p.y) * static_cast<size_t>(w) + static_cast<size_t>(p.x)] =
            static_cast<uint32_t>(p.gray) * 0x010101u;
    }
    return pic;
}

size_t CountDiffering(const std::vector<uint32_t>& a, uint32_t value) {
    return static_cast<size_t>(std::count_if(a.begin(), a.end(), [value](uint32_t v) { return v != value; }));
}

class DrawingThreadTest : public AppTest {
protected:
    void SetUp() override {
        AppTest::SetUp();
        window = Window1::Instance();
        ASSERT_TRUE(window);
        canvas = ControlOf<qv::Canvas>(*window, "Canvas1");
        ASSERT_TRUE(canvas);
    }

    void TearDown() override {
        StopAllDrawing();
        canvas = nullptr;
        window = nullptr;
        AppTest::TearDown();
    }

    qv::Ref<BackgroundDrawing> NewThread(const qv::Ref<qv::Canvas>& onto) {
        auto t = qv::RuntimeCheckCast<BackgroundDrawing>(qv::RuntimeNewObject(BackgroundDrawing::Lookup()));
        EXPECT_TRUE(t);
        EXPECT_FALSE(t->Stop);
        EXPECT_FALSE(t->OffscreenPicture);
        EXPECT_FALSE(t->TheCanvas);
        t->TheCanvas = onto;
        return t;
    }

    // Counts every pass and sets target's Stop once it has made stopAfter of them.
    void StopAfter(BackgroundDrawing* target, int stopAfter) {
        qv::SetBackgroundTaskHook([this, target, stopAfter] {
            if (passes.fetch_add(1) + 1 >= stopAfter) target->Stop.store(true);
        });
    }

    // Runs a seeded thread onto the canvas for exactly n passes and waits for its end.
    qv::Ref<BackgroundDrawing> DrawPasses(uint64_t seed, int n, const qv::Ref<qv::Canvas>& onto) {
        qv::Ref<BackgroundDrawing> t = NewThread(onto);
        StopAfter(t.get(), n);
        qv::RndSeed(seed);
        t->Run();
        EXPECT_TRUE(qv::testing::PumpUntil([&] { return !t->Running(); }));
        qv::JoinAllThreads();
        qv::SetBackgroundTaskHook(nullptr);
        EXPECT_EQ(passes.load(), n) << "the stop test follows the yield of the same pass";
        return t;
    }

    qv::Ref<Window1> window;
    qv::Ref<qv::Canvas> canvas;
    std::atomic<int> passes{0};
};

TEST_F(DrawingThreadTest, CanvasFirstReceivesThePictureAfterTheEleventhPass) {
    const uint64_t seed = 1234;
    Fill(*canvas->Graphics(), kMarker);

    qv::Ref<BackgroundDrawing> ten = DrawPasses(seed, 10, canvas);
    ASSERT_TRUE(ten->OffscreenPicture);
    EXPECT_EQ(ten->OffscreenPicture->Width(), 144);
    EXPECT_EQ(ten->OffscreenPicture->Height(), 144);
    EXPECT_EQ(CountDiffering(Pixels(*canvas->Graphics()), kMarkerValue), 0u) << "ten pixels, no copy yet";
    std::vector<Pass> expected = Replay(seed, 10, 144, 144);
    EXPECT_EQ(Pixels(*ten->OffscreenPicture), PictureAfter(expected, 10, 144, 144));

    passes = 0;
    qv::Ref<BackgroundDrawing> eleven = DrawPasses(seed, 11, canvas);
    expected = Replay(seed, 11, 144, 144);
    EXPECT_EQ(Pixels(*eleven->OffscreenPicture), PictureAfter(expected, 11, 144, 144));
    EXPECT_EQ(Pixels(*canvas->Graphics()), Pixels(*eleven->OffscreenPicture)) << "the copy follows the 11th pixel";
}

TEST_F(DrawingThreadTest, CopiesComeEveryEleventhPassAndNotInBetween) {
    const uint64_t seed = 99;
    Fill(*canvas->Graphics(), kMarker);
    qv::Ref<BackgroundDrawing> t = DrawPasses(seed, 32, canvas);
    const std::vector<Pass> expected = Replay(seed, 32, 144, 144);
    EXPECT_EQ(Pixels(*t->OffscreenPicture), PictureAfter(expected, 32, 144, 144));
    // Copies after passes 11 and 22; passes 23 to 32 stay off the canvas, and there
    // is no final copy when the loop ends.
    EXPECT_EQ(Pixels(*canvas->Graphics()), PictureAfter(expected, 22, 144, 144));

    passes = 0;
    qv::Ref<BackgroundDrawing> u = DrawPasses(seed, 33, canvas);
    EXPECT_EQ(Pixels(*canvas->Graphics()), Pixels(*u->OffscreenPicture));
}

TEST_F(DrawingThreadTest, ThreadStoppedBeforeItStartsStillPaintsOnePixel) {
    const uint64_t seed = 7;
    Fill(*canvas->Graphics(), kMarker);
    qv::Ref<BackgroundDrawing> t = NewThread(canvas);
    t->Stop = true;
    qv::SetBackgroundTaskHook([this] { passes.fetch_add(1); });
    qv::RndSeed(seed);
    t->Run();
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return !t->Running(); }));
    qv::JoinAllThreads();

    EXPECT_EQ(passes.load(), 1);
    ASSERT_TRUE(t->OffscreenPicture);
    const std::vector<uint32_t> pic = Pixels(*t->OffscreenPicture);
    // Rnd stays below 1, so gray stays below 255 and the pixel always shows.
    EXPECT_EQ(CountDiffering(pic, kWhite), 1u);
    const Pass p = Replay(seed, 1, 144, 144).front();
    EXPECT_EQ(pic[static_cast<size_t>(p.y) * 144 + static_cast<size_t>(p.x)], static_cast<uint32_t>(p.gray) * 0x010101u);
    EXPECT_EQ(CountDiffering(Pixels(*canvas->Graphics()), kMarkerValue), 0u);
}

TEST_F(DrawingThreadTest, ThreadStartedAfterTheUserCancelledPaintsNothing) {
    Fill(*canvas->Graphics(), kMarker);
    qv::Ref<BackgroundDrawing> t = NewThread(canvas);
    qv::SetBackgroundTaskHook([this] { passes.fetch_add(1); });
    qv::SetUserCancelled(true);
    t->Run();
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return !t->Running(); }));
    qv::JoinAllThreads();
    qv::SetUserCancelled(false);

    EXPECT_EQ(passes.load(), 0);
    ASSERT_TRUE(t->OffscreenPicture) << "the picture is made before the loop";
    EXPECT_EQ(CountDiffering(Pixels(*t->OffscreenPicture), kWhite), 0u);
    EXPECT_EQ(CountDiffering(Pixels(*canvas->Graphics()), kMarkerValue), 0u);
}

TEST_F(DrawingThreadTest, UserCancelledEndsARunningThreadAtItsNextPass) {
    qv::Ref<BackgroundDrawing> t = NewThread(canvas);
    auto passesAfterCancel = std::make_shared<std::atomic<int>>(0);
    qv::SetBackgroundTaskHook([this, passesAfterCancel] {
        if (qv::UserCancelled()) passesAfterCancel->fetch_add(1);
        if (passes.fetch_add(1) + 1 == 500) qv::SetUserCancelled(true);
    });
    t->Run();
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return !t->Running(); }));
    qv::JoinAllThreads();
    qv::SetUserCancelled(false);
    // Cancelled during pass 500: the next pass finds the flag before it draws.
    EXPECT_EQ(passes.load(), 500);
    EXPECT_EQ(passesAfterCancel->load(), 0);
    EXPECT_FALSE(t->Stop);
}

// Over thousands of passes every pixel lands inside the picture, x following its
// width and y its height (a canvas that is not square tells them apart), with a
// gray from 0 to 254; what lands is exactly what the seed predicts.
TEST_F(DrawingThreadTest, PixelsStayInsideThePictureOverManyPasses) {
    const int n = 6000;
    struct Case {
        const char* name;
        int32_t width, height;
    };
    for (const Case& c : {Case{"Canvas1", 144, 144}, Case{"Wide", 37, 11}, Case{"Tall", 5, 90}}) {
        SCOPED_TRACE(c.name);
        qv::Ref<qv::Canvas> onto = canvas;
        if (c.width != 144) {
            const std::string list = qv::design::EncodeList(
                qv::Canvas::Kind(), {{"Name", std::string(c.name)}, {"Width", c.width}, {"Height", c.height}});
            onto = qv::RuntimeCheckCast<qv::Canvas>(qv::CreateControl(*window, qv::Canvas::Lookup(), c.name, list));
            ASSERT_TRUE(onto);
        }
        passes = 0;
        const uint64_t seed = 4242 + static_cast<uint64_t>(c.width);
        qv::Ref<BackgroundDrawing> t = DrawPasses(seed, n, onto);
        ASSERT_TRUE(t->OffscreenPicture);
        ASSERT_EQ(t->OffscreenPicture->Width(), c.width);
        ASSERT_EQ(t->OffscreenPicture->Height(), c.height);

        const std::vector<Pass> expected = Replay(seed, n, c.width, c.height);
        for (const Pass& p : expected) {
            ASSERT_GE(p.gray, 0);
            ASSERT_LE(p.gray, 254);
            ASSERT_GE(p.x, 0);
            ASSERT_LT(p.x, c.width);
            ASSERT_GE(p.y, 0);
            ASSERT_LT(p.y, c.height);
        }
        const std::vector<uint32_t> pic = Pixels(*t->OffscreenPicture);
        EXPECT_EQ(pic, PictureAfter(expected, n, c.width, c.height));
        for (uint32_t v : pic) ASSERT_EQ(v, (v & 0xFF) * 0x010101u) << "every pixel is a gray";
        // The last copy came after pass 5995, the greatest multiple of 11 up to 6000.
        EXPECT_EQ(Pixels(*onto->Graphics()), PictureAfter(expected, n / 11 * 11, c.width, c.height));
    }
}

TEST_F(DrawingThreadTest, CeaseThenCreateAtOnceLeavesTheFirstThreadPaintingNoFurtherPixel) {
    // The first thread is known by its first pass, made while it runs alone; a mark
    // local to the OS thread tells it apart, since a new thread may reuse its id.
    struct Watch {
        std::atomic<BackgroundDrawing*> first{nullptr};
        std::atomic<bool> claimed{false};
        std::atomic<int> firstPasses{0};
        std::atomic<bool> firstSawStop{false};
        std::atomic<int> firstPassesAfterStop{0};
    };
    auto watch = std::make_shared<Watch>();
    qv::SetBackgroundTaskHook([this, watch] {
        static thread_local enum { unknown, isFirst, isOther } self = unknown;
        passes.fetch_add(1);
        BackgroundDrawing* f = watch->first.load();
        if (!f) return;
        if (self == unknown) self = watch->claimed.exchange(true) ? isOther : isFirst;
        if (self != isFirst) return;
        watch->firstPasses.fetch_add(1);
        if (watch->firstSawStop.load()) watch->firstPassesAfterStop.fetch_add(1);
        if (f->Stop.load()) watch->firstSawStop = true;
    });

    Click(*window, "StartButton");
    qv::Ref<BackgroundDrawing> t1 = window->drawThread;
    ASSERT_TRUE(t1);
    watch->first = t1.get();
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return watch->firstPasses.load() >= 200; }));

    Click(*window, "StopButton");
    Click(*window, "StartButton");
    qv::Ref<BackgroundDrawing> t2 = window->drawThread;
    ASSERT_TRUE(t2);
    EXPECT_NE(t1.get(), t2.get()) << "each create makes a new thread";
    EXPECT_TRUE(t1->Stop);
    EXPECT_FALSE(t2->Stop);

    ASSERT_TRUE(qv::testing::PumpUntil([&] { return !t1->Running(); }));
    const std::vector<uint32_t> ended = Pixels(*t1->OffscreenPicture);
    const int before = passes.load();
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return passes.load() >= before + 2000; }));
    EXPECT_TRUE(t2->Running());
    EXPECT_EQ(Pixels(*t1->OffscreenPicture), ended);
    EXPECT_EQ(watch->firstPassesAfterStop.load(), 0);
    EXPECT_NE(t1->OffscreenPicture.get(), t2->OffscreenPicture.get()) << "a new thread starts a new picture";

    Click(*window, "StopButton");
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return !t2->Running(); }));
}

TEST_F(DrawingThreadTest, ThreadObjectReleasesItsPictureAndCanvasWhenItGoes) {
    qv::Ref<BackgroundDrawing> t = DrawPasses(5, 3, canvas);
    qv::Ref<qv::Picture> pic = t->OffscreenPicture;
    const int32_t picRefs = pic->RefCount();
    const int32_t canvasRefs = canvas->RefCount();
    ASSERT_EQ(t->RefCount(), 1) << "the ended thread holds no reference to itself";
    t = nullptr;
    EXPECT_EQ(pic->RefCount(), picRefs - 1);
    EXPECT_EQ(canvas->RefCount(), canvasRefs - 1);
}

}  // namespace
}  // namespace quil::testing
