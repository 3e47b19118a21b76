// The main window driven through its real Qt widgets: the buttons' clicks, closing,
// several windows at once, and the backdrop read from the resource folder.
#include "AppFixture.h"

#include <QImage>
#include <QMainWindow>
#include <QMenuBar>

#include <filesystem>
#include <fstream>

#include <unistd.h>

namespace quil::testing {
namespace {

namespace fs = std::filesystem;

// The picture that the build copies into its Resources folder.
fs::path SourcePicture() { return fs::path(__FILE__).parent_path().parent_path().parent_path() / "resources" / "quil.pct"; }

// True once something has been copied onto the canvas: it starts transparent, which
// reads as black, and a copy brings the picture's mostly white pixels.
bool CanvasShowsSomething(const qv::Canvas& canvas) {
    const std::vector<uint32_t> px = Pixels(*canvas.Graphics());
    return std::any_of(px.begin(), px.end(), [](uint32_t v) { return v != 0; });
}

class MainWindowTest : public AppTest {
protected:
    void TearDown() override {
        StopAllDrawing();
        AppTest::TearDown();
        std::error_code ec;
        if (!scratch.empty()) fs::remove_all(scratch, ec);
    }

    // A folder laid out like an installed application: bin/quillevard, and Resources
    // beside bin only when asked for.
    fs::path MakeAppFolder(bool withPicture) {
        scratch = fs::temp_directory_path() / ("quillevard-test-" + std::to_string(::getpid()));
        fs::create_directories(scratch / "bin");
        std::ofstream(scratch / "bin" / "quillevard") << "";
        if (withPicture) AddPicture();
        return scratch / "bin" / "quillevard";
    }
    void AddPicture() {
        fs::create_directories(scratch / "Resources");
        fs::copy_file(SourcePicture(), scratch / "Resources" / "quil.pct",
                      fs::copy_options::overwrite_existing);
    }

    fs::path scratch;
};

TEST_F(MainWindowTest, OpensAtItsFixedSizeWithCanvasButtonsAndMenuBar) {
    qv::Ref<Window1> w = Window1::Instance();
    ASSERT_TRUE(w);
    qv::ProcessEvents();
    EXPECT_TRUE(w->Widget()->isVisible());
    EXPECT_TRUE(w->Title().empty());
    EXPECT_TRUE(w->Widget()->windowTitle().isEmpty());
    EXPECT_FALSE(w->drawThread);

    // The content area keeps 256 x 256, and so does the window around it.
    QWidget* content = w->ContentArea();
    EXPECT_EQ(content->size(), QSize(256, 256));
    EXPECT_EQ(content->minimumSize(), QSize(256, 256));
    EXPECT_EQ(content->maximumSize(), QSize(256, 256));
    QWidget* top = w->Widget();
    EXPECT_EQ(top->minimumSize(), top->maximumSize()) << "the user cannot resize the main window";
    EXPECT_EQ(top->width(), 256);
    EXPECT_EQ(content->geometry().bottom(), top->height() - 1) << "the content area fills the window below the menu bar";
    const Qt::WindowFlags flags = top->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);

    auto* qbar = qobject_cast<QMenuBar*>(static_cast<QMainWindow*>(top)->menuWidget());
    ASSERT_NE(qbar, nullptr);
    EXPECT_EQ(qbar->actions().size(), 4);

    qv::Ref<qv::Canvas> canvas = ControlOf<qv::Canvas>(*w, "Canvas1");
    ASSERT_TRUE(canvas);
    EXPECT_EQ(canvas->Widget()->parentWidget(), content);
    EXPECT_EQ(canvas->Widget()->geometry(), QRect(57, 16, 144, 144));
    EXPECT_EQ(canvas->Graphics()->Width(), 144);
    EXPECT_EQ(canvas->Graphics()->Height(), 144);
    EXPECT_FALSE(CanvasShowsSomething(*canvas));

    QPushButton* create = ButtonWidget(*w, "StartButton");
    QPushButton* cease = ButtonWidget(*w, "StopButton");
    ASSERT_TRUE(create && cease);
    EXPECT_EQ(create->text(), "create");
    EXPECT_EQ(cease->text(), "cease");
    EXPECT_TRUE(create->isEnabled());
    EXPECT_FALSE(cease->isEnabled());
    EXPECT_EQ(create->geometry(), QRect(138, 183, 74, 24));
    EXPECT_EQ(cease->geometry(), QRect(50, 183, 74, 24));
    EXPECT_LT(cease->geometry().right(), create->geometry().left()) << "cease stands left of create";
    EXPECT_EQ(create->font().pixelSize(), 12);
}

TEST_F(MainWindowTest, CreateStartsDrawingAndCeaseStopsIt) {
    qv::Ref<Window1> w = Window1::Instance();
    QPushButton* create = ButtonWidget(*w, "StartButton");
    QPushButton* cease = ButtonWidget(*w, "StopButton");
    qv::Ref<qv::Canvas> canvas = ControlOf<qv::Canvas>(*w, "Canvas1");

    create->click();
    qv::Ref<BackgroundDrawing> t = w->drawThread;
    ASSERT_TRUE(t);
    EXPECT_EQ(t->TheCanvas.get(), canvas.get());
    EXPECT_TRUE(t->Running());
    EXPECT_FALSE(create->isEnabled());
    EXPECT_TRUE(cease->isEnabled());
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return CanvasShowsSomething(*canvas); }));
    EXPECT_GT(canvas->RepaintRequests(), 0);

    create->click();  // disabled: nothing happens
    EXPECT_EQ(w->drawThread.get(), t.get());

    cease->click();
    EXPECT_TRUE(t->Stop);
    EXPECT_TRUE(create->isEnabled());
    EXPECT_FALSE(cease->isEnabled());
    EXPECT_EQ(w->drawThread.get(), t.get()) << "the ended thread stays in drawThread";
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return !t->Running(); }));
    EXPECT_EQ(qv::TakePendingException(), nullptr);

    // The widget shows what the thread last copied.
    qv::ProcessEvents();
    const QImage shown = canvas->Widget()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(144, 144));
    const std::vector<uint32_t> copied = Pixels(*canvas->Graphics());
    size_t same = 0;
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 144; ++x) same += (shown.pixel(x, y) & 0xFFFFFFu) == copied[size_t(y) * 144 + size_t(x)];
    EXPECT_EQ(same, copied.size());
}

TEST_F(MainWindowTest, ClosingWhilePaintingStopsTheThread) {
    qv::Ref<Window1> w = Window1::Instance();
    Click(*w, "StartButton");
    qv::Ref<BackgroundDrawing> t = w->drawThread;
    ASSERT_TRUE(t && t->Running());
    EXPECT_NO_THROW(w->Close());
    EXPECT_TRUE(t->Stop);
    EXPECT_FALSE(w->IsOpen());
    EXPECT_FALSE(qv::GetImplicitWindow("Window1.Window1"));
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return !t->Running(); }));
}

TEST_F(MainWindowTest, ClosingByTheCloseBoxWhilePaintingStopsTheThread) {
    qv::Ref<Window1> w = Window1::Instance();
    Click(*w, "StartButton");
    qv::Ref<BackgroundDrawing> t = w->drawThread;
    ASSERT_TRUE(t);
    w->Widget()->close();
    qv::ProcessEvents();
    EXPECT_EQ(qv::TakePendingException(), nullptr);
    EXPECT_FALSE(w->IsOpen());
    EXPECT_TRUE(qv::OpenWindows().empty());
    EXPECT_TRUE(t->Stop);
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return !t->Running(); }));
}

TEST_F(MainWindowTest, ClosingWhileCeaseIsDisabledChangesNothing) {
    {
        SCOPED_TRACE("never started: drawThread is nil");
        qv::Ref<Window1> w = Window1::Instance();
        ASSERT_FALSE(w->drawThread);
        EXPECT_NO_THROW(w->Close());
        EXPECT_FALSE(w->IsOpen());
        EXPECT_FALSE(w->drawThread);
    }
    {
        SCOPED_TRACE("started and ceased");
        qv::Ref<Window1> w = Window1::Instance();
        Click(*w, "StartButton");
        Click(*w, "StopButton");
        qv::Ref<BackgroundDrawing> t = w->drawThread;
        ASSERT_TRUE(qv::testing::PumpUntil([&] { return !t->Running(); }));
        EXPECT_NO_THROW(w->Close());
        EXPECT_EQ(w->drawThread.get(), t.get());
    }
    {
        SCOPED_TRACE("by the close box");
        qv::Ref<Window1> w = Window1::Instance();
        w->Widget()->close();
        qv::ProcessEvents();
        EXPECT_EQ(qv::TakePendingException(), nullptr);
        EXPECT_FALSE(w->IsOpen());
    }
}

TEST_F(MainWindowTest, TwoWindowsPaintIndependentlyAndCeaseStopsOnlyItsOwn) {
    qv::Ref<Window1> a = Window1::Instance();
    EXPECT_FALSE(App()->WindowNew_Action());
    std::vector<qv::Ref<Window1>> mains = MainWindows();
    ASSERT_EQ(mains.size(), 2u);
    qv::Ref<Window1> b = mains[1];
    ASSERT_NE(a.get(), b.get());
    EXPECT_EQ(qv::GetImplicitWindow("Window1.Window1").get(), a.get()) << "New does not take the implicit instance";

    qv::Ref<qv::Canvas> ca = ControlOf<qv::Canvas>(*a, "Canvas1");
    qv::Ref<qv::Canvas> cb = ControlOf<qv::Canvas>(*b, "Canvas1");
    ASSERT_NE(ca.get(), cb.get());

    Click(*a, "StartButton");
    Click(*b, "StartButton");
    qv::Ref<BackgroundDrawing> ta = a->drawThread, tb = b->drawThread;
    ASSERT_TRUE(ta && tb);
    ASSERT_NE(ta.get(), tb.get());
    EXPECT_EQ(ta->TheCanvas.get(), ca.get());
    EXPECT_EQ(tb->TheCanvas.get(), cb.get());
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return CanvasShowsSomething(*ca) && CanvasShowsSomething(*cb); }));

    Click(*a, "StopButton");
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return !ta->Running(); }));
    EXPECT_FALSE(tb->Stop);
    EXPECT_TRUE(tb->Running());
    EXPECT_FALSE(ButtonWidget(*b, "StartButton")->isEnabled());
    EXPECT_TRUE(ButtonWidget(*b, "StopButton")->isEnabled());
    // b goes on copying onto its own canvas; a's canvas stays as it was.
    const std::vector<uint32_t> aShown = Pixels(*ca->Graphics());
    const std::vector<uint32_t> bShown = Pixels(*cb->Graphics());
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return Pixels(*cb->Graphics()) != bShown; }));
    EXPECT_EQ(Pixels(*ca->Graphics()), aShown);

    Click(*b, "StopButton");
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return !tb->Running(); }));
}

TEST_F(MainWindowTest, NewAddsOneMainWindowEachTime) {
    qv::Ref<Window1> first = Window1::Instance();
    for (size_t n = 2; n <= 4; ++n) {
        EXPECT_FALSE(App()->WindowNew_Action());
        const std::vector<qv::Ref<Window1>> mains = MainWindows();
        ASSERT_EQ(mains.size(), n);
        ASSERT_EQ(qv::OpenWindows().size(), n);
        const qv::Ref<Window1>& made = mains.back();
        EXPECT_TRUE(made->Widget()->isVisible());
        EXPECT_FALSE(made->drawThread);
        EXPECT_EQ(made->Controls().size(), 3u);
        for (size_t i = 0; i + 1 < n; ++i) EXPECT_NE(mains[i].get(), made.get());
    }
    // Still one implicit instance, the first window.
    EXPECT_EQ(Window1::Instance().get(), first.get());
    EXPECT_EQ(qv::OpenWindows().size(), 4u);
}

TEST_F(MainWindowTest, OpensAndWorksWithoutTheBackdropPicture) {
    qv::SetExecutablePathForTesting(MakeAppFolder(false));
    x_quil1::Reset();
    EXPECT_FALSE(x_quil1::quil1());

    qv::Ref<Window1> w = Window1::Instance();
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->Backdrop());
    EXPECT_TRUE(w->Widget()->isVisible());
    Click(*w, "StartButton");
    qv::Ref<qv::Canvas> canvas = ControlOf<qv::Canvas>(*w, "Canvas1");
    ASSERT_TRUE(qv::testing::PumpUntil([&] { return CanvasShowsSomething(*canvas); }));
    Click(*w, "StopButton");

    // While none has been read, the next main window tries again.
    AddPicture();
    App()->WindowNew_Action();
    qv::Ref<Window1> second = MainWindows().back();
    ASSERT_NE(second.get(), w.get());
    ASSERT_TRUE(second->Backdrop());
    EXPECT_EQ(second->Backdrop()->Width(), 256);
    EXPECT_FALSE(w->Backdrop()) << "an open window keeps what it got";
}

TEST_F(MainWindowTest, BackdropIsReadOnceFromTheResourceFolder) {
    qv::SetExecutablePathForTesting(MakeAppFolder(true));
    x_quil1::Reset();
    qv::Ref<Window1> w = Window1::Instance();
    qv::Ref<qv::Picture> backdrop = w->Backdrop();
    ASSERT_TRUE(backdrop);
    EXPECT_EQ(backdrop->Width(), 256);
    EXPECT_EQ(backdrop->Height(), 256);

    // Once read, the picture serves every main window, even with the file gone.
    fs::remove_all(scratch / "Resources");
    App()->WindowNew_Action();
    qv::Ref<Window1> second = MainWindows().back();
    ASSERT_NE(second.get(), w.get());
    EXPECT_EQ(second->Backdrop().get(), backdrop.get());

    // The content area shows it where no control stands.
    qv::ProcessEvents();
    const QImage shown = w->ContentArea()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const qv::Surface& px = backdrop->Pixels();
    for (QPoint p : {QPoint(2, 2), QPoint(250, 100), QPoint(10, 240), QPoint(230, 230)}) {
        SCOPED_TRACE(p.x() * 1000 + p.y());
        EXPECT_EQ(shown.pixel(p) & 0xFFFFFFu, px.Pixels()[size_t(p.y()) * 256 + size_t(p.x())] & 0xFFFFFFu);
    }
}

TEST_F(MainWindowTest, BuildTreeResourcesBesideTheBinaryFolderAreFound) {
    // The test binary sits in the build tree's bin/, like the application, so the
    // runtime finds the build tree's Resources/quil.pct on its own.
    const fs::path beside = qv::ExecutablePath().parent_path().parent_path() / "Resources" / "quil.pct";
    if (!fs::exists(beside)) GTEST_SKIP() << "no " << beside;
    x_quil1::Reset();
    qv::Ref<qv::Picture> pic = x_quil1::quil1();
    ASSERT_TRUE(pic);
    EXPECT_EQ(pic->Width(), 256);
    EXPECT_EQ(pic->Height(), 256);
    EXPECT_EQ(x_quil1::quil1().get(), pic.get());
    EXPECT_EQ(Window1::Instance()->Backdrop().get(), pic.get());
}

}  // namespace
}  // namespace quil::testing
