// Drawing threads, canvases drawn into from them, and pictures.
#include "ScriptedWindow.h"

#include "resources/Design.h"

#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace qv {
namespace {

using testing::NewWorker;
using testing::PumpUntil;
using testing::Script;
using testing::ScriptedWindow;
using testing::ScriptedWindowTest;
using testing::Worker;

Ref<Worker> Start(std::function<void()> body) {
    Ref<Worker> w = NewWorker(std::move(body));
    w->Run();
    return w;
}

constexpr int32_t kCanvasWidth = 40, kCanvasHeight = 30;

class CanvasThreadTest : public ScriptedWindowTest {
protected:
    void TearDown() override {
        window_ = nullptr;  // windows go before the runtime does
        ScriptedWindowTest::TearDown();
    }

    // A window holding one canvas at (5, 5).
    Ref<Canvas> OpenCanvasWindow(Ref<Picture> backdrop = nullptr) {
        Script().list = design::EncodeWindow({{"Width", 100}, {"Height", 80}, {"Resizeable", false}});
        Script().layout = [backdrop](ScriptedWindow& w) { w.SetBackdrop(backdrop); };
        Script().createControls = [](ScriptedWindow& w) {
            const std::string canvas = design::EncodeList(Canvas::Kind(), {{"Name", std::string("Canvas1")},
                {"Left", 5}, {"Top", 5}, {"Width", kCanvasWidth}, {"Height", kCanvasHeight}});
            CreateControl(w, Canvas::Lookup(), "Canvas1", canvas);
        };
        window_ = ImplicitInstance<ScriptedWindow>();
        return RuntimeCheckCast<Canvas>(RuntimeWindowControlByName(*window_, "Canvas1"));
    }

    Ref<ScriptedWindow> window_;
};

QColor PixelOnScreen(const Ref<Canvas>& canvas, int x, int y) {
    return canvas->Widget()->grab().toImage().pixelColor(x, y);
}

TEST_F(CanvasThreadTest, WhatAWorkerDrawsShowsOnTheGuiThread) {
    Ref<Canvas> canvas = OpenCanvasWindow();
    ASSERT_TRUE(canvas);
    Ref<Graphics> g = canvas->Graphics();
    std::atomic<bool> drawn{false};
    Start([g, &drawn] {
        for (int32_t y = 0; y < kCanvasHeight; ++y)
            for (int32_t x = 0; x < kCanvasWidth; ++x) g->Pixel(x, y, RGB(0, 0, 255));
        g->Pixel(3, 4, RGB(255, 0, 0));
        drawn = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return drawn.load(); }));
    JoinAllThreads();
    ASSERT_TRUE(PumpUntil([&] { return PixelOnScreen(canvas, 3, 4) == QColor(255, 0, 0); }));
    EXPECT_EQ(PixelOnScreen(canvas, 0, 0), QColor(0, 0, 255));
    EXPECT_EQ(PixelOnScreen(canvas, kCanvasWidth - 1, kCanvasHeight - 1), QColor(0, 0, 255));
    EXPECT_EQ(g->Pixel(3, 4), RGB(255, 0, 0));
}

TEST_F(CanvasThreadTest, TheBackdropShowsThroughWhereNothingWasDrawn) {
    Ref<Picture> backdrop = NewPicture(100, 80, 32);
    for (int32_t y = 0; y < 80; ++y)
        for (int32_t x = 0; x < 100; ++x) backdrop->Graphics()->Pixel(x, y, RGB(0, 128, 0));
    Ref<Canvas> canvas = OpenCanvasWindow(backdrop);
    canvas->Graphics()->Pixel(10, 10, RGB(255, 255, 0));
    ProcessEvents();
    const QImage content = window_->ContentArea()->grab().toImage();
    EXPECT_EQ(content.pixelColor(5 + 10, 5 + 10), QColor(255, 255, 0)) << "drawn";
    EXPECT_EQ(content.pixelColor(5 + 1, 5 + 1), QColor(0, 128, 0)) << "not drawn: the backdrop";
    EXPECT_EQ(content.pixelColor(1, 1), QColor(0, 128, 0)) << "beside the canvas";
}

TEST_F(CanvasThreadTest, ManyDrawsFromAWorkerAskForOneRepaintUntilTheGuiThreadHandlesIt) {
    Ref<Canvas> canvas = OpenCanvasWindow();
    ProcessEvents();
    const int before = canvas->RepaintRequests();
    Ref<Graphics> g = canvas->Graphics();
    Start([g] {
        for (int i = 0; i < 5000; ++i) g->Pixel(i % kCanvasWidth, (i / kCanvasWidth) % kCanvasHeight, RGB(i % 256, 0, 0));
    });
    JoinAllThreads();
    EXPECT_EQ(canvas->RepaintRequests() - before, 1) << "the GUI thread did not pump in between";

    ProcessEvents();  // the repaint is handled; the next draw asks again
    Start([g] { g->Pixel(0, 0, RGB(1, 2, 3)); });
    JoinAllThreads();
    EXPECT_EQ(canvas->RepaintRequests() - before, 2);
}

// Counts the paint events that reach the widget it watches.
struct PaintCounter : QObject {
    bool eventFilter(QObject*, QEvent* e) override {
        paints += e->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

// However fast a thread draws, its canvas is repainted at most once a frame (16 ms),
// and the GUI thread is asked no more often. The bound is the time taken over a frame,
// plus one for the frame that comes at once and one for a request still in hand: only
// missing or broken pacing exceeds it, on a machine of any speed.
TEST_F(CanvasThreadTest, ACanvasDrawnAtFullSpeedIsRepaintedAtMostOnceAFrame) {
    using namespace std::chrono_literals;
    Ref<Canvas> canvas = OpenCanvasWindow();
    ProcessEvents();
    Ref<Graphics> g = canvas->Graphics();
    std::atomic<bool> stop{false};
    Start([g, &stop] {
        for (int32_t i = 0; !stop; ++i) g->Pixel(i % kCanvasWidth, (i / kCanvasWidth) % kCanvasHeight, RGB(i % 256, 0, 0));
    });
    PaintCounter counter;
    canvas->Widget()->installEventFilter(&counter);
    const int requests = canvas->RepaintRequests();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(PumpUntil([&] { return counter.paints >= 5 && std::chrono::steady_clock::now() - start >= 300ms; }));
    stop = true;
    JoinAllThreads();
    ProcessEvents();
    const int64_t frames = (std::chrono::steady_clock::now() - start) / 16ms + 2;
    EXPECT_LE(counter.paints, frames);
    EXPECT_LE(canvas->RepaintRequests() - requests, frames);
}

TEST_F(CanvasThreadTest, DrawingAfterTheWindowClosedIsSafe) {
    Ref<Canvas> canvas = OpenCanvasWindow();
    Ref<Graphics> g = canvas->Graphics();
    std::atomic<bool> closed{false};
    std::atomic<int> drawsAfterClose{0};
    Start([g, &closed, &drawsAfterClose] {
        while (!UserCancelled()) {
            g->Pixel(1, 1, RGB(9, 9, 9));
            if (closed) ++drawsAfterClose;
            RuntimeBackgroundTask();
        }
    });
    QPointer<QWidget> widget = canvas->Widget();
    window_->Close();
    window_ = nullptr;
    closed = true;
    canvas = nullptr;  // the thread's Graphics is all that is left
    EXPECT_TRUE(PumpUntil([&] { return widget.isNull() && drawsAfterClose > 100; }));
    SetUserCancelled(true);
    JoinAllThreads();
    ProcessEvents();
    EXPECT_EQ(g->Pixel(1, 1), RGB(9, 9, 9));
}

TEST_F(CanvasThreadTest, ACanvasHeldByAWorkerDiesOnTheGuiThread) {
    Ref<Canvas> canvas = OpenCanvasWindow();
    QPointer<QWidget> widget = canvas->Widget();
    std::atomic<bool> go{false};
    Start([held = canvas, &go]() mutable {
        while (!go) std::this_thread::yield();
        held->Graphics()->Pixel(0, 0, RGB(1, 1, 1));
        held = nullptr;  // the last reference goes on this thread
    });
    canvas = nullptr;
    window_->Close();
    window_ = nullptr;
    go = true;
    JoinAllThreads();
    EXPECT_TRUE(PumpUntil([&] { return widget.isNull(); }));
}

TEST_F(CanvasThreadTest, JoinAllThreadsEndsThreadsThatWatchUserCancelled) {
    std::atomic<int> started{0};
    for (int i = 0; i < 3; ++i)
        Start([&started] {
            ++started;
            while (!UserCancelled()) RuntimeBackgroundTask();
        });
    ASSERT_TRUE(PumpUntil([&] { return started == 3; }));
    EXPECT_EQ(RunningThreadCount(), 3);
    SetUserCancelled(true);
    JoinAllThreads();
    EXPECT_EQ(RunningThreadCount(), 0);
}

TEST_F(CanvasThreadTest, BackgroundTaskPassesCountsEveryThreadEndedOnesIncluded) {
    const uint64_t before = BackgroundTaskPasses();
    for (uint64_t round = 1; round <= 2; ++round) {
        for (int i = 0; i < 3; ++i) Start([] { for (int k = 0; k < 5000; ++k) RuntimeBackgroundTask(); });
        JoinAllThreads();
        EXPECT_EQ(BackgroundTaskPasses() - before, round * 15000u);
    }
}

TEST_F(CanvasThreadTest, AThreadRunsOnceAtATimeAndHoldsItselfWhileRunning) {
    std::atomic<bool> release{false};
    std::atomic<int> runs{0};
    Ref<Worker> w = Start([&] {
        ++runs;
        while (!release) std::this_thread::yield();
    });
    Worker* raw = w.get();
    w->Run();  // already running: no second thread
    EXPECT_TRUE(w->Running());
    w = nullptr;
    EXPECT_GE(raw->RefCount(), 1) << "the running thread holds its object";
    release = true;
    JoinAllThreads();
    EXPECT_EQ(runs, 1);
}

TEST_F(CanvasThreadTest, AnExceptionEscapingRunReachesTheGuiThread) {
    std::thread::id thrownOn;
    Start([&thrownOn] {
        thrownOn = std::this_thread::get_id();
        throw RuntimeException("from the drawing thread");
    });
    JoinAllThreads();
    EXPECT_FALSE(TakePendingException()) << "nothing arrives before the GUI thread pumps";
    std::exception_ptr e;
    ASSERT_TRUE(PumpUntil([&] { return bool(e = TakePendingException()); }));
    EXPECT_NE(thrownOn, std::this_thread::get_id());
    try {
        std::rethrow_exception(e);
    } catch (const RuntimeException& ex) {
        EXPECT_STREQ(ex.what(), "from the drawing thread");
    }
}

// ---- pictures ----

class PictureTest : public ::testing::Test {
protected:
    // A picture whose pixel (x, y) has red x and green y.
    static Ref<Picture> Gradient(int32_t w, int32_t h) {
        Ref<Picture> p = NewPicture(w, h, 32);
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) p->Graphics()->Pixel(x, y, RGB(x, y, 7));
        return p;
    }
    static Ref<Picture> White(int32_t w, int32_t h) { return NewPicture(w, h, 32); }
};

TEST_F(PictureTest, NewPictureIsOpaqueWhiteAndNilForBadArguments) {
    Ref<Picture> p = NewPicture(3, 2, 32);
    ASSERT_TRUE(p);
    EXPECT_EQ(p->Width(), 3);
    EXPECT_EQ(p->Height(), 2);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(p->Pixels().Pixels()[i], 0xFFFFFFFFu);
    EXPECT_EQ(p->Graphics()->Width(), 3);
    EXPECT_EQ(p->Graphics().get(), p->Graphics().get()) << "one Graphics per picture";

    EXPECT_FALSE(NewPicture(3, 2, 24));
    EXPECT_FALSE(NewPicture(3, 2, 0));
    EXPECT_FALSE(NewPicture(0, 2, 32));
    EXPECT_FALSE(NewPicture(3, 0, 32));
    EXPECT_FALSE(NewPicture(-1, 2, 32));
}

TEST_F(PictureTest, PixelsOutsideThePictureAreIgnored) {
    Ref<Picture> p = White(4, 3);
    Ref<Graphics> g = p->Graphics();
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 3}, {4, 3}, {-100000, 5}, {INT32_MAX, INT32_MAX}})
        g->Pixel(x, y, RGB(0, 0, 0));
    for (int i = 0; i < 12; ++i) EXPECT_EQ(p->Pixels().Pixels()[i], 0xFFFFFFFFu) << i;
    g->Pixel(3, 2, RGB(1, 2, 3));
    EXPECT_EQ(p->Pixels().Pixels()[11], 0xFF010203u);
    EXPECT_EQ(g->Pixel(3, 2), RGB(1, 2, 3));
    EXPECT_EQ(g->Pixel(4, 2), Color{}) << "reading outside gives black";
}

TEST_F(PictureTest, RgbClampsItsComponents) {
    EXPECT_EQ(RGB(-5, 300, 128), (Color{0, 255, 128}));
}

constexpr int32_t kOwn = Graphics::NotGiven;

TEST_F(PictureTest, DrawPictureAtItsOwnSizeCopiesTheWholePicture) {
    Ref<Picture> src = Gradient(5, 4);
    Ref<Picture> dst = White(10, 10);
    dst->Graphics()->DrawPicture(*src, 2, 3, kOwn, kOwn, 0, 0, kOwn, kOwn);
    Ref<Graphics> g = dst->Graphics();
    for (int32_t y = 0; y < 10; ++y)
        for (int32_t x = 0; x < 10; ++x) {
            const bool inside = x >= 2 && x < 7 && y >= 3 && y < 7;
            EXPECT_EQ(g->Pixel(x, y), inside ? RGB(x - 2, y - 3, 7) : RGB(255, 255, 255)) << x << "," << y;
        }
}

TEST_F(PictureTest, DrawPictureClipsAtEveryEdge) {
    Ref<Picture> src = Gradient(6, 6);
    struct Case {
        int32_t x, y;
    };
    for (Case c : {Case{-2, -3}, Case{7, 8}, Case{-4, 6}, Case{5, -5}, Case{-6, 0}, Case{10, 0}}) {
        SCOPED_TRACE(::testing::Message() << "at " << c.x << "," << c.y);
        Ref<Picture> dst = White(10, 10);
        dst->Graphics()->DrawPicture(*src, c.x, c.y);
        for (int32_t y = 0; y < 10; ++y)
            for (int32_t x = 0; x < 10; ++x) {
                const int32_t sx = x - c.x, sy = y - c.y;
                const bool inside = sx >= 0 && sx < 6 && sy >= 0 && sy < 6;
                ASSERT_EQ(dst->Graphics()->Pixel(x, y), inside ? RGB(sx, sy, 7) : RGB(255, 255, 255))
                    << x << "," << y;
            }
    }
}

TEST_F(PictureTest, DrawPictureScalesWhenTheSizesDiffer) {
    Ref<Picture> src = Gradient(2, 2);
    Ref<Picture> dst = White(6, 6);
    dst->Graphics()->DrawPicture(*src, 1, 1, 4, 4, 0, 0, kOwn, kOwn);  // twice as large
    Ref<Graphics> g = dst->Graphics();
    EXPECT_EQ(g->Pixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(g->Pixel(1, 1), RGB(0, 0, 7));
    EXPECT_EQ(g->Pixel(2, 2), RGB(0, 0, 7));
    EXPECT_EQ(g->Pixel(3, 1), RGB(1, 0, 7));
    EXPECT_EQ(g->Pixel(4, 4), RGB(1, 1, 7));
    EXPECT_EQ(g->Pixel(1, 4), RGB(0, 1, 7));
    EXPECT_EQ(g->Pixel(5, 5), RGB(255, 255, 255));

    Ref<Picture> big = Gradient(8, 8);
    Ref<Picture> small = White(4, 4);
    small->Graphics()->DrawPicture(*big, 0, 0, 4, 4, 0, 0, 8, 8);  // half as large
    for (int32_t y = 0; y < 4; ++y)
        for (int32_t x = 0; x < 4; ++x) EXPECT_EQ(small->Graphics()->Pixel(x, y), RGB(2 * x, 2 * y, 7));

    // Scaled and clipped together: the part that lies on the picture is right.
    Ref<Picture> clipped = White(4, 4);
    clipped->Graphics()->DrawPicture(*src, -2, -2, 4, 4, 0, 0, kOwn, kOwn);
    EXPECT_EQ(clipped->Graphics()->Pixel(0, 0), RGB(1, 1, 7));
    EXPECT_EQ(clipped->Graphics()->Pixel(2, 2), RGB(255, 255, 255));
}

TEST_F(PictureTest, DrawPictureFromAPartOfTheSource) {
    Ref<Picture> src = Gradient(6, 6);
    Ref<Picture> dst = White(4, 4);
    dst->Graphics()->DrawPicture(*src, 0, 0, kOwn, kOwn, 2, 3, 2, 2);
    EXPECT_EQ(dst->Graphics()->Pixel(0, 0), RGB(2, 3, 7));
    EXPECT_EQ(dst->Graphics()->Pixel(1, 1), RGB(3, 4, 7));
    EXPECT_EQ(dst->Graphics()->Pixel(2, 0), RGB(255, 255, 255)) << "only the source rectangle is drawn";
    EXPECT_EQ(dst->Graphics()->Pixel(0, 2), RGB(255, 255, 255));
}

TEST_F(PictureTest, DrawPictureOfNothingDrawsNothing) {
    Ref<Picture> src = Gradient(3, 3);
    Ref<Picture> dst = White(3, 3);
    dst->Graphics()->DrawPicture(*src, 0, 0, 0, 0, 0, 0, kOwn, kOwn);
    dst->Graphics()->DrawPicture(*src, 0, 0, -5, 3, 0, 0, kOwn, kOwn);
    dst->Graphics()->DrawPicture(*src, 0, 0, kOwn, kOwn, 5, 5, kOwn, kOwn);  // source starts beyond the picture
    for (int i = 0; i < 9; ++i) EXPECT_EQ(dst->Pixels().Pixels()[i], 0xFFFFFFFFu);
}

}  // namespace
}  // namespace qv
