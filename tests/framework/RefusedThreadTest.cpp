// New threads refused by the system, as a per-user process limit or a container's
// pids limit refuses them. These cases run in a ctest of their own, with a preloaded
// pthread_create that fails while the file named by QUILLEVARD_REFUSE_THREADS_WHILE
// exists (tests/support/RefuseThreads.cpp); without it they are skipped.
#include "ScriptedWindow.h"

#include "resources/Design.h"

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <system_error>
#include <thread>

namespace qv {
namespace {

using testing::Script;
using testing::ScriptedWindow;
using testing::ScriptedWindowTest;
using testing::NewWorker;
using testing::Worker;

class RefusedThreadTest : public ScriptedWindowTest {
protected:
    void SetUp() override {
        flag_ = std::getenv("QUILLEVARD_REFUSE_THREADS_WHILE");
        if (!flag_ || !*flag_) GTEST_SKIP() << "runs with the thread-refusing preload library only";
        ScriptedWindowTest::SetUp();
    }
    void TearDown() override {
        if (!flag_ || !*flag_) return;
        Refuse(false);
        ScriptedWindowTest::TearDown();
    }

    void Refuse(bool refused) {
        if (!refused) {
            std::remove(flag_);
        } else if (std::FILE* f = std::fopen(flag_, "w")) {
            std::fclose(f);
        }
    }

    const char* flag_ = nullptr;
};

TEST_F(RefusedThreadTest, ARefusedThreadLeavesNothingBehindAndThoseStartedAreJoined) {
    std::atomic<bool> release{false}, finished{false};
    Ref<Worker> started = NewWorker([&] {
        while (!release) std::this_thread::yield();
        finished = true;
    });
    started->Run();

    Ref<Worker> refused = NewWorker([] {});
    Refuse(true);
    try {
        refused->Run();
        ADD_FAILURE() << "Run started a thread while threads were refused";
    } catch (const std::system_error& e) {
        EXPECT_EQ(e.code(), std::errc::resource_unavailable_try_again) << e.what();
    }
    Refuse(false);
    EXPECT_FALSE(refused->Running());
    EXPECT_EQ(RunningThreadCount(), 1) << "only the thread that started is listed";

    release = true;
    EXPECT_NO_THROW(JoinAllThreads());
    EXPECT_TRUE(finished);
    EXPECT_EQ(RunningThreadCount(), 0);

    std::atomic<bool> ran{false};
    refused->body = [&] { ran = true; };
    refused->Run();  // the object is not left marked as running
    JoinAllThreads();
    EXPECT_TRUE(ran);
}

// Qt's raster engine hands a large blend under a clip of many rectangles to its thread
// pool and waits; with no thread to be had, a paint that went that way would never end.
TEST_F(RefusedThreadTest, WindowsPaintTheirBackdropAndCanvasWithoutStartingAThread) {
    constexpr int kWidth = 200, kHeight = 150;
    Ref<Picture> backdrop = NewPicture(kWidth, kHeight, 32);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) backdrop->Graphics()->Pixel(x, y, RGB(x, y, 7));
    Script().list = design::EncodeWindow({{"Width", kWidth}, {"Height", kHeight}, {"Resizeable", false}});
    Script().layout = [backdrop](ScriptedWindow& w) { w.SetBackdrop(backdrop); };
    Script().createControls = [](ScriptedWindow& w) {
        CreateControl(w, Canvas::Lookup(), "Canvas1",
                      design::EncodeList(Canvas::Kind(), {{"Name", std::string("Canvas1")}, {"Left", 0}, {"Top", 0},
                                                          {"Width", kWidth}, {"Height", kHeight}}));
    };
    Ref<ScriptedWindow> window = ImplicitInstance<ScriptedWindow>();
    auto canvas = RuntimeCheckCast<Canvas>(RuntimeWindowControlByName(*window, "Canvas1"));
    ASSERT_TRUE(canvas);
    for (int32_t x = 0; x < kWidth; ++x) canvas->Graphics()->Pixel(x, 100, RGB(255, 0, 0));
    ProcessEvents();

    Refuse(true);
    const QRegion columns = QRegion(0, 0, 40, kHeight) + QRegion(80, 0, 40, kHeight) + QRegion(160, 0, 40, kHeight);
    window->ContentArea()->repaint(columns);
    canvas->Widget()->repaint(columns);
    const QImage shown = window->ContentArea()->grab().toImage();
    Refuse(false);

    // Pixels in each band of rows the image is drawn in, and on either side of the canvas's line.
    for (const auto& [x, y] : {std::pair{3, 2}, {45, 70}, {199, 149}, {120, 99}, {120, 101}})
        EXPECT_EQ(shown.pixelColor(x, y), QColor(x, y, 7)) << "backdrop at " << x << "," << y;
    EXPECT_EQ(shown.pixelColor(150, 100), QColor(255, 0, 0)) << "canvas";
    window->Close();
}

}  // namespace
}  // namespace qv
