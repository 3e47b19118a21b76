// The process road (event loop, exceptions, exit status), numbers, folder items
// and file types.
#include "ScriptedWindow.h"

#include "resources/Design.h"

#include <QDir>
#include <QImage>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <fstream>
#include <limits>
#include <set>
#include <thread>
#include <vector>

namespace qv {
namespace {

using testing::RunEventLoop;
using testing::Script;
using testing::ScriptedWindow;
using testing::ScriptedWindowTest;

class RuntimeRoadTest : public ScriptedWindowTest {
protected:
    Ref<ScriptedWindow> OpenWindow() {
        Script().list = design::EncodeWindow({{"Width", 120}, {"Height", 80}});
        auto w = RuntimeCheckCast<ScriptedWindow>(RuntimeNewObject(ScriptedWindow::Lookup()));
        w->Constructor();
        return w;
    }
};

TEST_F(RuntimeRoadTest, AnExceptionCaughtWhereQtCalledUsEndsTheLoopAndIsRaisedFromRuntimeRun) {
    bool ranAfter = false;
    try {
        RunEventLoop([&] {
            GuardedCall([] { throw NilObjectException(); });
            PostToGuiThread([&] { ranAfter = EventLoopRunning(); });
        });
        ADD_FAILURE() << "RuntimeRun returned normally";
    } catch (const NilObjectException&) {
    }
    EXPECT_FALSE(ranAfter) << "the loop ends at the exception";
    EXPECT_TRUE(UserCancelled());
    EXPECT_FALSE(TakePendingException()) << "raised once, not kept";
    EXPECT_FALSE(EventLoopRunning());
}

TEST_F(RuntimeRoadTest, AnExceptionFromAClickInTheLoopComesOutOfRuntimeRun) {
    Script().createControls = [](ScriptedWindow& w) {
        const std::string go =
            design::EncodeList(PushButton::Kind(), {{"Name", std::string("Go")}, {"Width", 50}, {"Height", 20}});
        Ref<Control> b = CreateControl(w, PushButton::Lookup(), "Go", go);
        BindControlEvent(w, *b, "Action", "Button_Action");
    };
    Ref<ScriptedWindow> w = OpenWindow();
    w->onAction = [](ScriptedWindow&, PushButton&) { throw RuntimeException("clicked"); };
    auto* button = qobject_cast<QPushButton*>(RuntimeWindowControlByName(*w, "Go")->Widget());
    ASSERT_NE(button, nullptr);
    EXPECT_THROW(RunEventLoop([button] { button->click(); }), RuntimeException);
}

TEST_F(RuntimeRoadTest, AnExceptionKeptBeforeTheLoopStartsIsRaisedAtOnce) {
    GuardedCall([] { throw RuntimeException("before the loop"); });
    bool entered = false;
    EXPECT_THROW(RunEventLoop([&] { entered = true; }), RuntimeException);
    EXPECT_FALSE(entered);
}

TEST_F(RuntimeRoadTest, ClosingTheLastWindowEndsTheLoop) {
    Ref<ScriptedWindow> first = OpenWindow();
    Ref<ScriptedWindow> second = OpenWindow();
    bool runningAfterFirst = false;
    EXPECT_TRUE(RunEventLoop([&] {
        first->Close();
        PostToGuiThread([&] {
            runningAfterFirst = EventLoopRunning();
            second->Widget()->close();  // by its close box
        });
    }));
    EXPECT_TRUE(runningAfterFirst) << "one window was still open";
    EXPECT_TRUE(OpenWindows().empty());
    EXPECT_TRUE(UserCancelled());
}

TEST_F(RuntimeRoadTest, RuntimeRunStopsAndJoinsTheDrawingThreads) {
    OpenWindow();
    class Spinner : public Thread {
    public:
        static ClassRef Lookup() {
            static ClassTable* ref = nullptr;
            return BuildClassTable(ref, Thread::Lookup, [](ClassTable& t) {
                t.name = "RuntimeTest.Spinner";
                t.factory = FactoryOf<Spinner>();
                t.Bind("Run", [](Object& self) {
                    auto& s = static_cast<Spinner&>(self);
                    s.started = true;
                    while (!UserCancelled()) RuntimeBackgroundTask();
                    s.stopped = true;
                });
            });
        }
        std::atomic<bool> started{false}, stopped{false};
    };
    Ref<Spinner> spinner = RuntimeNewObject<Spinner>();
    spinner->Run();
    EXPECT_TRUE(RunEventLoop([&] {
        testing::PumpUntil([&] { return spinner->started.load(); });
        Quit();
    }));
    EXPECT_TRUE(spinner->stopped);
    EXPECT_EQ(RunningThreadCount(), 0);
    EXPECT_FALSE(spinner->Running());
}

TEST_F(RuntimeRoadTest, UnhandledExceptionReportsClassAndMessageAndTheExitStatusFollows) {
    struct Case {
        std::exception_ptr e;
        std::vector<std::string> expected;
    };
    for (const Case& c : {Case{std::make_exception_ptr(NilObjectException()), {"NilObjectException", "nil"}},
                          Case{std::make_exception_ptr(RuntimeException("disk on fire")), {"RuntimeException", "disk on fire"}},
                          Case{std::make_exception_ptr(std::runtime_error("plain")), {"plain"}},
                          Case{std::make_exception_ptr(42), {"unknown"}}}) {
        RuntimeInit();
        ::testing::internal::CaptureStderr();
        UnhandledException(c.e);
        const std::string err = ::testing::internal::GetCapturedStderr();
        for (const std::string& part : c.expected) EXPECT_NE(err.find(part), std::string::npos) << err;
        EXPECT_NE(RuntimeExit(), 0);
    }
}

TEST_F(RuntimeRoadTest, ANormalRunExitsWithZero) {
    OpenWindow();
    EXPECT_TRUE(RunEventLoop([] { Quit(); }));
    // As the application's main routine does: the windows go before the runtime.
    ReleaseImplicitWindowList();
    ReleaseWindowList();
    EXPECT_EQ(RuntimeExit(), 0);
}

TEST_F(RuntimeRoadTest, TheApplicationObjectIsTheOneRegistered) {
    auto app = RuntimeNewObject<Application>();
    RuntimeRegisterAppObject(app);
    EXPECT_EQ(GetAppObject(), app);
    RuntimeExit();
    EXPECT_FALSE(GetAppObject()) << "released at exit";
    EXPECT_EQ(app->RefCount(), 1);
}

// ---- numbers ----

TEST(Numbers, RndIsInTheUnitIntervalAndSpreadsOverIt) {
    int buckets[10] = {};
    for (int i = 0; i < 100000; ++i) {
        const double r = Rnd();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        ++buckets[static_cast<int>(r * 10)];
    }
    for (int b : buckets) EXPECT_GT(b, 8000) << "a tenth of the draws, give or take";
}

std::vector<double> Draw(int n) {
    std::vector<double> v;
    for (int i = 0; i < n; ++i) v.push_back(Rnd());
    return v;
}

std::vector<double> DrawOnAThread(int n) {
    std::vector<double> v;
    std::thread([&] { v = Draw(n); }).join();
    return v;
}

TEST(Numbers, RndSeedMakesSequencesReproducibleAndThreadsGetTheirOwnStreams) {
    RndSeed(12345);
    const std::vector<double> first = DrawOnAThread(20);
    const std::vector<double> second = DrawOnAThread(20);
    EXPECT_NE(first, second) << "two threads, two streams";

    RndSeed(12345);
    EXPECT_EQ(DrawOnAThread(20), first) << "the same seed gives the same first stream";
    EXPECT_EQ(DrawOnAThread(20), second);

    RndSeed(12345);
    EXPECT_EQ(Draw(20), first) << "the GUI thread's generator is reseeded too";
}

TEST(Numbers, DifferentSeedsGiveDifferentSequences) {
    std::set<std::vector<double>> seen;
    for (uint64_t seed : {0ull, 1ull, 2ull, 3ull, 4ull, 5ull, 1000ull, 1001ull}) {
        RndSeed(seed);
        seen.insert(DrawOnAThread(8));
    }
    EXPECT_EQ(seen.size(), 8u);
}

TEST(Numbers, RealToInt32TruncatesTowardZeroAndSaturates) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const struct {
        double in;
        int32_t out;
    } cases[] = {
        {0.0, 0},          {-0.0, 0},           {0.999, 0},          {-0.999, 0},
        {-1.7, -1},        {1.7, 1},            {254.999, 254},      {255.0, 255},
        {2147483646.9, 2147483646},             {2147483647.0, kMax}, {2147483647.9, kMax},
        {1e300, kMax},     {-2147483648.0, kMin}, {-2147483648.9, kMin}, {-1e300, kMin},
        {-2147483647.9, -2147483647},
        {std::numeric_limits<double>::infinity(), kMax},
        {-std::numeric_limits<double>::infinity(), kMin},
        {std::nan(""), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(RuntimeCvtReal64ToSInt32(c.in), c.out) << c.in;
    EXPECT_EQ(RuntimeCvtSInt32ToReal64(kMin), -2147483648.0);
}

TEST(Numbers, StrWritesDecimal) {
    EXPECT_EQ(Str(0), "0");
    EXPECT_EQ(Str(42), "42");
    EXPECT_EQ(Str(-7), "-7");
    EXPECT_EQ(Str(std::numeric_limits<int32_t>::min()), "-2147483648");
    EXPECT_EQ(Str(std::numeric_limits<int32_t>::max()), "2147483647");
}

// ---- folder items ----

TEST(FolderItems, ParentAndChild) {
    Ref<FolderItem> f = FolderItem::At("/a/b/c.txt");
    EXPECT_EQ(f->Parent()->Path(), "/a/b");
    EXPECT_EQ(f->Parent()->Parent()->Parent()->Path(), "/");
    EXPECT_FALSE(FolderItem::At("/")->Parent());
    EXPECT_EQ(FolderItem::At("/a/b/")->Parent()->Path(), "/a");
    EXPECT_EQ(FolderItem::At("/a/./b/../c")->Path(), "/a/c");

    Ref<FolderItem> dir = FolderItem::At("/a");
    EXPECT_EQ(dir->Child("Resources")->Path(), "/a/Resources");
    EXPECT_EQ(dir->Child("quil.pct")->Path(), "/a/quil.pct");
    for (const char* bad : {"..", ".", "", "x/y", "/etc"}) EXPECT_FALSE(dir->Child(bad)) << bad;
}

TEST(FolderItems, ApplicationResourcesAreBesideTheExecutablesFolder) {
    SetExecutablePathForTesting("/a/b/exe");
    ASSERT_TRUE(GetApplicationBundleResources());
    EXPECT_EQ(GetApplicationBundleResources()->Path(), "/a/Resources");
    SetExecutablePathForTesting("/opt/app/bin/quillevard");
    EXPECT_EQ(GetApplicationBundleResources()->Path(), "/opt/app/Resources");
    SetExecutablePathForTesting("/exe");
    EXPECT_FALSE(GetApplicationBundleResources());
    SetExecutablePathForTesting("/b/exe");
    EXPECT_EQ(GetApplicationBundleResources()->Path(), "/Resources");
    SetExecutablePathForTesting("");
    EXPECT_FALSE(ExecutablePath().empty()) << "the real executable again";
}

class PictureFileTest : public ::testing::Test {
protected:
    std::string PathOf(const char* name) const { return QDir(dir_.path()).filePath(name).toStdString(); }
    QTemporaryDir dir_;
};

TEST_F(PictureFileTest, OpenAsPictureReadsByContentWhateverTheName) {
    ASSERT_TRUE(dir_.isValid());
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(QColor(10, 20, 30));
    image.setPixelColor(3, 2, QColor(200, 100, 50));
    for (const char* name : {"picture.png", "quil.pct", "noextension"}) {
        SCOPED_TRACE(name);
        ASSERT_TRUE(image.save(QString::fromStdString(PathOf(name)), "PNG"));
        Ref<Picture> p = FolderItem::At(PathOf(name))->OpenAsPicture();
        ASSERT_TRUE(p);
        EXPECT_EQ(p->Width(), 4);
        EXPECT_EQ(p->Height(), 3);
        EXPECT_EQ(p->Graphics()->Pixel(0, 0), RGB(10, 20, 30));
        EXPECT_EQ(p->Graphics()->Pixel(3, 2), RGB(200, 100, 50));
        EXPECT_EQ(p->Pixels().Pixels()[0] >> 24, 0xFFu) << "opaque";
    }
}

TEST_F(PictureFileTest, OpenAsPictureIsNilForMissingOrUnreadableFiles) {
    ASSERT_TRUE(dir_.isValid());
    EXPECT_FALSE(FolderItem::At(PathOf("missing.pct"))->OpenAsPicture());
    EXPECT_FALSE(FolderItem::At(PathOf("missing.pct"))->Exists());
    {
        std::ofstream garbage(PathOf("garbage.pct"), std::ios::binary);
        garbage << "this is not a picture at all";
    }
    EXPECT_TRUE(FolderItem::At(PathOf("garbage.pct"))->Exists());
    EXPECT_FALSE(FolderItem::At(PathOf("garbage.pct"))->OpenAsPicture());
    {
        std::ofstream empty(PathOf("empty.pct"), std::ios::binary);
    }
    EXPECT_FALSE(FolderItem::At(PathOf("empty.pct"))->OpenAsPicture());
    EXPECT_FALSE(FolderItem::At(dir_.path().toStdString())->OpenAsPicture()) << "a folder";
}

// ---- file types ----

size_t Registered(const std::string& name) {
    size_t n = 0;
    for (const RegisteredFileType& t : RegisteredFileTypes()) n += t.name == name;
    return n;
}

TEST(FileTypes, TheStringConversionRegistersOnceAndYieldsTheName) {
    const size_t before = RegisteredFileTypes().size();
    {
        auto type = RuntimeNewObject<FileType>();
        type->SetName("application/x-quil");
        type->SetExtensions(".quil");
        type->SetMacType("QUIL");
        type->SetMacCreator("Qvrd");
        EXPECT_FALSE(type->Registered());
        EXPECT_EQ(RegisteredFileTypes().size(), before) << "setting fields registers nothing";

        EXPECT_EQ(type->ToString(), "application/x-quil");
        EXPECT_EQ(type->ToString(), "application/x-quil");
        EXPECT_EQ(RegisteredFileTypes().size(), before + 1);
        const RegisteredFileType r = RegisteredFileTypes().back();
        EXPECT_EQ(r.name, "application/x-quil");
        EXPECT_EQ(r.extensions, ".quil");
        EXPECT_EQ(r.type, "QUIL");
        EXPECT_EQ(r.creator, "Qvrd");

        type->SetExtensions(".quil;.qv");  // withdraws the registration
        EXPECT_FALSE(type->Registered());
        EXPECT_EQ(RegisteredFileTypes().size(), before);
        type->ToString();
        EXPECT_EQ(RegisteredFileTypes().back().extensions, ".quil;.qv") << "registered again as it is now";
        EXPECT_EQ(RegisteredFileTypes().size(), before + 1);

        type->SetName("application/x-other");
        EXPECT_EQ(Registered("application/x-quil"), 0u) << "withdrawn under the name it was registered with";
    }
    EXPECT_EQ(RegisteredFileTypes().size(), before);
}

TEST(FileTypes, AnObjectGoingAwayWithdrawsOnlyItsOwnRegistration) {
    auto a = RuntimeNewObject<FileType>();
    a->SetName("shared/name");
    a->SetExtensions(".a");
    auto b = RuntimeNewObject<FileType>();
    b->SetName("shared/name");
    b->SetExtensions(".b");
    a->ToString();
    b->ToString();
    ASSERT_EQ(Registered("shared/name"), 2u);
    b = nullptr;
    ASSERT_EQ(Registered("shared/name"), 1u);
    for (const RegisteredFileType& t : RegisteredFileTypes())
        if (t.name == "shared/name") {
            EXPECT_EQ(t.extensions, ".a");
        }
    a = nullptr;
    EXPECT_EQ(Registered("shared/name"), 0u);
}

}  // namespace
}  // namespace qv
