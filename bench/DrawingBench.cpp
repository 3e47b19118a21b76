// Speed, smoothness and memory of the drawing loop, as a user gets them.
//
// The whole run is the application itself: quil::ModuleMain starts it as main()
// does, opens the first main window and runs the real event loop
// (QApplication::exec). A script then runs as one job of that loop, acting as a
// user would: it opens further main windows through File > New, pushes "create"
// and "cease", and waits in nested event loops on the same dispatcher, so
// repaints, the framework's hand-offs to the GUI thread and timers all run as
// they do for the user. Windows are real Qt widgets on the off-screen platform.
//
// Passes are counted by the runtime itself: RuntimeBackgroundTask, which a drawing
// thread calls once per pass, counts in a cache-line-padded slot of the thread's
// own, and the GUI thread sums the slots (qv::BackgroundTaskPasses) at the start
// and at the end of a measurement window, so counting adds nothing to a pass.
//
// Every drawing figure is taken over a fixed window after a warm-up. Printed, one
// per line as "name: value" (notes on standard error):
//
//   passes_per_s               passes per second of one main window's drawing thread
//                              (the windows opened for rss_16_mib stay open, idle).
//   bare_full_per_s            passes per second of the same work with nothing of the
//                              runtime: three random doubles from xoshiro256+, a pixel
//                              store into a 144 x 144 picture, and after every
//                              eleventh pass a memcpy of the whole picture into a
//                              second buffer. One thread at nice 10, as a drawing
//                              thread runs, while the GUI thread idles in the loop.
//   bare_dirty_per_s           the same, copying after every eleventh pass only the
//                              pixels written since the last copy (at most eleven).
//   ratio_dirty                passes_per_s / bare_dirty_per_s.
//   scaling_8                  all passes per second with eight main windows drawing
//                              at once, over passes_per_s.
//   gui_p99_ms                 with 32 main windows drawing, the 99th percentile of
//                              how late a 1 ms precise QTimer on the GUI thread fires:
//                              each tick's interval from the one before, less 1 ms.
//   repaints_per_canvas_per_s  paint events the canvas widget receives per second
//                              while one main window draws (an event filter on it).
//   rss_1_mib, rss_16_mib      resident memory (VmRSS) with one and with sixteen main
//                              windows open, none drawing yet, once the loop has
//                              settled.
//   cores                      the processors this process may run on (as nproc).
//
// Nothing is asserted: the figures are for people to read and compare. Drawing
// threads run at nice 10, so on a machine that is busy with other work the
// figures with many windows fall with the cores that are left; read them with
// the machine's load in mind.
#include "App.h"
#include "Framework.h"
#include "Startup.h"
#include "Window1.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kStartupSettle = 1000ms;  // the first window's fonts, backing store, backdrop
constexpr auto kSettle = 500ms;
constexpr auto kWarmUp = 500ms;
constexpr auto kWindow = 3000ms;  // every measurement window
constexpr auto kBareWindow = 2000ms;
constexpr auto kTimerInterval = 1ms;
constexpr auto kThreadEndLimit = 5s;  // how long "cease" may take before the run fails

constexpr int kSide = 144;  // the main window's canvas is 144 x 144
constexpr int kCopyEvery = 11;
constexpr int kManyWindows = 16;
constexpr int kScalingWindows = 8;
constexpr int kBusyWindows = 32;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

struct Figures {
    bool complete = false;
    double passesPerS = 0, bareFullPerS = 0, bareDirtyPerS = 0, scaling8 = 0, guiP99Ms = 0, repaintsPerCanvasPerS = 0;
    double rss1MiB = 0, rss16MiB = 0;
} figures;

// ---- The bare loop ------------------------------------------------------------

// Nothing in the loop reads the copies back; this keeps the compiler from dropping them.
inline void KeepStores(const void* p) { asm volatile("" : : "r"(p) : "memory"); }

void LowerPriority() { setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10); }

enum class Copy { Whole, Changed };

// The drawing thread's work with nothing of the runtime around it, for the given
// time; returns passes per second.
template <Copy copy>
double BareLoop(Clock::duration length) {
    constexpr size_t kPixels = size_t{kSide} * kSide;
    std::vector<uint32_t> picture(kPixels, 0xFFFFFFFFu), canvas(kPixels, 0u);
    std::array<size_t, kCopyEvery> changed{};
    size_t changedCount = 0;
    // The runtime's own generator, held in a local as a loop with nothing of the
    // runtime around it would hold it.
    qv::detail::RndGenerator rng{};
    const std::array<uint64_t, 4> stream = qv::detail::NextStream();
    std::copy(stream.begin(), stream.end(), rng.s);
    uint64_t passes = 0;
    int pass = 0;
    const auto start = Clock::now();
    const auto end = start + length;
    auto now = start;
    do {
        for (int k = 0; k < 4096; ++k) {
            const auto gray = static_cast<uint32_t>(static_cast<int32_t>(rng.NextDouble() * 255.0));
            const auto x = static_cast<size_t>(static_cast<int32_t>(rng.NextDouble() * double{kSide}));
            const auto y = static_cast<size_t>(static_cast<int32_t>(rng.NextDouble() * double{kSide}));
            const size_t at = y * kSide + x;
            picture[at] = 0xFF000000u | gray * 0x010101u;
            if constexpr (copy == Copy::Changed) changed[changedCount++] = at;
            if (pass == kCopyEvery - 1) {
                if constexpr (copy == Copy::Whole) {
                    std::memcpy(canvas.data(), picture.data(), kPixels * sizeof(uint32_t));
                } else {
                    for (size_t i = 0; i < changedCount; ++i) canvas[changed[i]] = picture[changed[i]];
                    changedCount = 0;
                }
                KeepStores(canvas.data());
                pass = 0;
            } else {
                ++pass;
            }
        }
        passes += 4096;
        now = Clock::now();
    } while (now < end);
    return static_cast<double>(passes) / Seconds(now - start);
}

// ---- Waiting in the event loop ------------------------------------------------

void RunLoopFor(Clock::duration length) {
    QEventLoop loop;
    QTimer::singleShot(std::chrono::duration_cast<std::chrono::milliseconds>(length), Qt::PreciseTimer, &loop,
                       &QEventLoop::quit);
    loop.exec();
    // Quitting, or an exception at one of the framework's boundaries, ends every loop.
    if (qv::UserCancelled()) throw std::runtime_error("the application quit while the benchmark ran");
}

void RunLoopUntil(const std::function<bool()>& done, Clock::duration limit, const char* what) {
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end) throw std::runtime_error(what);
        RunLoopFor(2ms);
    }
}

template <Copy copy>
double BareRate() {
    double rate = 0;
    std::thread worker([&rate] {
        LowerPriority();
        rate = BareLoop<copy>(kBareWindow);
    });
    // The GUI thread idles in the loop meanwhile, as it does while windows draw.
    RunLoopFor(kBareWindow);
    worker.join();
    return rate;
}

// ---- The application, as a user drives it ---------------------------------------

using Windows = std::vector<qv::Ref<quil::Window1>>;

// Every open main window, in the order they were opened.
Windows MainWindows() {
    Windows all;
    for (const qv::Ref<qv::Window>& w : qv::OpenWindows())
        if (auto main = qv::RuntimeCheckCast<quil::Window1>(w)) all.push_back(main);
    return all;
}

// Opens main windows through File > New's handler until there are count of them.
Windows OpenMainWindows(size_t count) {
    qv::Ref<quil::app> application = qv::NotNil(quil::App());
    while (MainWindows().size() < count) application->WindowNew_Action();
    RunLoopFor(kSettle);
    return MainWindows();
}

void Push(quil::Window1& w, std::string_view button) {
    auto control = qv::RuntimeCheckCast<qv::PushButton>(qv::RuntimeWindowControlByName(w, button));
    if (!control || !control->Enabled()) throw std::runtime_error("a main window's button is not enabled");
    control->Push();
}

QWidget* CanvasWidget(quil::Window1& w) {
    return qv::NotNil(qv::RuntimeWindowControlByName(w, "Canvas1"))->Widget();
}

void CeaseAndWait(const Windows& windows) {
    for (const auto& w : windows) Push(*w, "StopButton");
    RunLoopUntil(
        [&windows] {
            return std::none_of(windows.begin(), windows.end(),
                                [](const auto& w) { return w->drawThread && w->drawThread->Running(); });
        },
        kThreadEndLimit, "a drawing thread did not end after \"cease\"");
}

// Counts the paint events that reach the canvases it watches.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(const Windows& windows) {
        for (const auto& w : windows) {
            QWidget* canvas = CanvasWidget(*w);
            if (!canvas) throw std::runtime_error("a main window's canvas has no widget");
            canvas->installEventFilter(this);
            watched_.emplace_back(canvas);
        }
    }
    ~PaintCounter() override {
        for (const QPointer<QWidget>& canvas : watched_)
            if (canvas) canvas->removeEventFilter(this);
    }
    uint64_t Paints() const { return paints_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints_;
        return false;
    }

private:
    std::vector<QPointer<QWidget>> watched_;
    uint64_t paints_ = 0;
};

// A repeating 1 ms precise timer on the GUI thread that notes when each tick came.
class TickProbe {
public:
    TickProbe() {
        ticks_.reserve(16384);
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(kTimerInterval);
        QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { ticks_.push_back(Clock::now()); });
    }
    void Start() { timer_.start(); }
    void Stop() { timer_.stop(); }

    // The 99th percentile of the ticks' lateness, in milliseconds.
    double P99LatenessMs() const {
        std::vector<double> late;
        for (size_t i = 1; i < ticks_.size(); ++i)
            late.push_back(std::chrono::duration<double, std::milli>(ticks_[i] - ticks_[i - 1] - kTimerInterval).count());
        if (late.empty()) return NAN;
        std::sort(late.begin(), late.end());
        const auto rank = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(late.size())));
        return late[std::max<size_t>(rank, 1) - 1];
    }

private:
    QTimer timer_;
    std::vector<Clock::time_point> ticks_;
};

struct DrawingRates {
    double passesPerS = 0;
    double paintsPerCanvasPerS = 0;
};

// Pushes "create" on every window, measures a window of time after a warm-up,
// then pushes "cease" and waits for the threads to end. A probe, when given,
// ticks during the measurement window only.
DrawingRates MeasureDrawing(const Windows& windows, TickProbe* probe = nullptr) {
    PaintCounter paints(windows);
    for (const auto& w : windows) Push(*w, "StartButton");
    RunLoopFor(kWarmUp);

    if (probe) probe->Start();
    const uint64_t passes0 = qv::BackgroundTaskPasses();
    const uint64_t paints0 = paints.Paints();
    const auto t0 = Clock::now();
    RunLoopFor(kWindow);
    const uint64_t passes1 = qv::BackgroundTaskPasses();
    const uint64_t paints1 = paints.Paints();
    const double seconds = Seconds(Clock::now() - t0);
    if (probe) probe->Stop();

    CeaseAndWait(windows);
    if (passes1 == passes0) throw std::runtime_error("the drawing threads made no passes");
    return {static_cast<double>(passes1 - passes0) / seconds,
            static_cast<double>(paints1 - paints0) / seconds / static_cast<double>(windows.size())};
}

double ResidentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
    return NAN;
}

int Cores() {
    cpu_set_t set;
    if (sched_getaffinity(0, sizeof set, &set) == 0) return CPU_COUNT(&set);
    return static_cast<int>(std::thread::hardware_concurrency());
}

// The whole run, as one job of the application's event loop.
void Script() {
    RunLoopFor(kStartupSettle);
    figures.rss1MiB = ResidentMiB();
    Windows windows = OpenMainWindows(kManyWindows);
    figures.rss16MiB = ResidentMiB();

    {
        TickProbe idle;
        idle.Start();
        RunLoopFor(1s);
        idle.Stop();
        std::fprintf(stderr, "note: 1 ms timer, nothing drawing: p99 lateness %.3f ms\n", idle.P99LatenessMs());
    }

    const DrawingRates one = MeasureDrawing({windows.front()});
    figures.passesPerS = one.passesPerS;
    figures.repaintsPerCanvasPerS = one.paintsPerCanvasPerS;

    figures.bareFullPerS = BareRate<Copy::Whole>();
    figures.bareDirtyPerS = BareRate<Copy::Changed>();

    const DrawingRates eight = MeasureDrawing(Windows(windows.begin(), windows.begin() + kScalingWindows));
    figures.scaling8 = eight.passesPerS / one.passesPerS;
    std::fprintf(stderr, "note: %d windows drawing: %.0f passes/s, %.0f repaints per canvas per second\n",
                 kScalingWindows, eight.passesPerS, eight.paintsPerCanvasPerS);

    windows = OpenMainWindows(kBusyWindows);
    TickProbe probe;
    const DrawingRates busy = MeasureDrawing(windows, &probe);
    figures.guiP99Ms = probe.P99LatenessMs();
    std::fprintf(stderr, "note: %d windows drawing: %.0f passes/s, %.0f repaints per canvas per second\n",
                 kBusyWindows, busy.passesPerS, busy.paintsPerCanvasPerS);

    figures.complete = true;
    qv::Quit();
}

// The off-screen platform cannot raise windows and says so for each one shown.
QtMessageHandler qtHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    if (qtHandler) qtHandler(type, context, message);
}

}  // namespace

int main() {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qtHandler = qInstallMessageHandler(QuietHandler);
    // The application's start-up has opened the first main window when the loop starts.
    qv::SetEventLoopStartHook([] { QTimer::singleShot(0, qApp, [] { qv::GuardedCall(Script); }); });

    const int32_t status = quil::ModuleMain();

    qv::SetEventLoopStartHook(nullptr);
    if (!figures.complete) return status != 0 ? status : 1;
    std::printf("passes_per_s: %.0f\n", figures.passesPerS);
    std::printf("bare_full_per_s: %.0f\n", figures.bareFullPerS);
    std::printf("bare_dirty_per_s: %.0f\n", figures.bareDirtyPerS);
    std::printf("ratio_dirty: %.4f\n", figures.passesPerS / figures.bareDirtyPerS);
    std::printf("scaling_8: %.3f\n", figures.scaling8);
    std::printf("gui_p99_ms: %.3f\n", figures.guiP99Ms);
    std::printf("repaints_per_canvas_per_s: %.0f\n", figures.repaintsPerCanvasPerS);
    std::printf("rss_1_mib: %.1f\n", figures.rss1MiB);
    std::printf("rss_16_mib: %.1f\n", figures.rss16MiB);
    std::printf("cores: %d\n", Cores());
    return status;
}
