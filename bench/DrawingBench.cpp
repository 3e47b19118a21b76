// Speed and memory of the drawing loop.
//
//  - Framework loop: the application's own road. A main window is opened as at
//    start-up, "create" is pushed, and its BackgroundDrawing paints the window's
//    canvas for one second per iteration while this (GUI) thread pumps events, as
//    the event loop would; then "cease" is pushed. Passes are counted by the
//    runtime's background-task hook, which the loop calls once per pass.
//  - Bare loop: the same work with nothing of the runtime: three random doubles,
//    a pixel store into a 144 x 144 buffer, a copy of the whole picture into a
//    second buffer on every eleventh pass. It runs on a thread of its own at the
//    same lowered priority as a drawing thread.
//  - Resident memory with one main window, with sixteen, and with sixteen painting.
//
// The summary at the end gives both rates, their ratio and the memory figures.
// Runs headless (QT_QPA_PLATFORM=offscreen).
#include "App.h"
#include "Framework.h"
#include "Startup.h"
#include "Window1.h"

#include <benchmark/benchmark.h>

#include <QString>
#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr auto kSlice = 1s;  // wall time of one iteration
constexpr int kSide = 144;   // the canvas is 144 x 144
constexpr int kWindows = 16;

std::atomic<uint64_t> passes{0};
qv::Ref<quil::Window1> mainWindow;

struct Results {
    double frameworkRate = 0, bareRate = 0, sixteenRate = 0;
    long rss1 = 0, rss16 = 0, rss16Painting = 0;
} results;

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// VmRSS in KiB, 0 when it cannot be read.
long ResidentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

// What the event loop would do meanwhile: run the GUI thread's events as they come.
void PumpFor(Clock::duration d) {
    const auto end = Clock::now() + d;
    do {
        qv::ProcessEvents();
        std::this_thread::sleep_for(1ms);
    } while (Clock::now() < end);
}

qv::Ref<qv::PushButton> Button(quil::Window1& w, std::string_view name) {
    return qv::RuntimeCheckCast<qv::PushButton>(qv::RuntimeWindowControlByName(w, name));
}

// Every open main window, the first one first.
std::vector<qv::Ref<quil::Window1>> MainWindows() {
    std::vector<qv::Ref<quil::Window1>> all;
    for (const qv::Ref<qv::Window>& w : qv::OpenWindows())
        if (auto main = qv::RuntimeCheckCast<quil::Window1>(w)) all.push_back(main);
    return all;
}

// Pushes "cease" on the window and waits until its thread has left its loop.
void Cease(quil::Window1& w) {
    if (auto cease = Button(w, "StopButton"); cease && cease->Enabled()) cease->Push();
    while (w.drawThread && w.drawThread->Running()) {
        qv::ProcessEvents();
        std::this_thread::sleep_for(1ms);
    }
}

void BM_FrameworkDrawingLoop(benchmark::State& state) {
    quil::Window1& w = *mainWindow;
    qv::Ref<qv::PushButton> create = Button(w, "StartButton");
    if (!create || !create->Enabled()) {
        state.SkipWithError("the main window has no enabled \"create\" button");
        return;
    }
    uint64_t total = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const uint64_t before = passes.load(std::memory_order_relaxed);
        create->Push();
        PumpFor(kSlice);
        const uint64_t after = passes.load(std::memory_order_relaxed);
        const auto t1 = Clock::now();
        Cease(w);
        total += after - before;
        seconds += Seconds(t1 - t0);
    }
    qv::JoinAllThreads();
    if (total == 0) {
        state.SkipWithError("the drawing thread made no passes");
        return;
    }
    results.frameworkRate = static_cast<double>(total) / seconds;
    state.counters["passes_per_s"] = results.frameworkRate;
}

// xoshiro256+, the generator family the runtime's Rnd uses, with nothing around it.
struct Xoshiro {
    uint64_t s[4];
    explicit Xoshiro(uint64_t seed) {
        for (auto& v : s) {
            uint64_t z = (seed += 0x9E3779B97F4A7C15ull);
            z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
            z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
            v = z ^ (z >> 31);
        }
    }
    double Next() {
        const uint64_t result = s[0] + s[3];
        const uint64_t t = s[1] << 17;
        s[2] ^= s[0];
        s[3] ^= s[1];
        s[1] ^= s[2];
        s[0] ^= s[3];
        s[2] ^= t;
        s[3] = (s[3] << 45) | (s[3] >> 19);
        return static_cast<double>(result >> 11) * 0x1.0p-53;
    }
};

// Runs the bare loop for one slice; returns its passes.
uint64_t BareSlice(std::vector<uint32_t>& picture, std::vector<uint32_t>& canvas, Xoshiro& rng) {
    uint64_t count = 0;
    int pass = 0;
    const auto end = Clock::now() + kSlice;
    do {
        for (int k = 0; k < 4096; ++k) {
            const auto gray = static_cast<uint32_t>(static_cast<int32_t>(rng.Next() * 255.0));
            const auto x = static_cast<int32_t>(rng.Next() * kSide);
            const auto y = static_cast<int32_t>(rng.Next() * kSide);
            picture[static_cast<size_t>(y) * kSide + static_cast<size_t>(x)] =
                0xFF000000u | (gray << 16) | (gray << 8) | gray;
            if (pass == 10) {
                std::memcpy(canvas.data(), picture.data(), canvas.size() * sizeof(uint32_t));
                benchmark::ClobberMemory();
                pass = 0;
            } else {
                ++pass;
            }
        }
        count += 4096;
    } while (Clock::now() < end);
    benchmark::DoNotOptimize(canvas.data());
    return count;
}

void BM_BareDrawingLoop(benchmark::State& state) {
    std::vector<uint32_t> picture(kSide * kSide, 0xFFFFFFFFu), canvas(kSide * kSide, 0u);
    Xoshiro rng(static_cast<uint64_t>(Clock::now().time_since_epoch().count()));
    uint64_t total = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        uint64_t count = 0;
        // A thread of its own, niced as the runtime nices drawing threads.
        std::thread worker([&] {
            setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10);
            count = BareSlice(picture, canvas, rng);
        });
        worker.join();
        total += count;
        seconds += Seconds(Clock::now() - t0);
    }
    results.bareRate = static_cast<double>(total) / seconds;
    state.counters["passes_per_s"] = results.bareRate;
}

// What counting costs: one yield point with the counting hook installed, as the
// framework loop pays it on every pass.
void BM_YieldPointWithHook(benchmark::State& state) {
    for (auto _ : state) qv::RuntimeBackgroundTask();
}

BENCHMARK(BM_FrameworkDrawingLoop)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_BareDrawingLoop)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_YieldPointWithHook)->MinTime(0.2);

// Resident memory with one main window, with sixteen, and with sixteen painting.
void MeasureMemory() {
    PumpFor(300ms);
    results.rss1 = ResidentKiB();

    qv::Ref<quil::app> application = quil::App();
    for (int i = 1; i < kWindows; ++i) application->WindowNew_Action();
    PumpFor(300ms);
    results.rss16 = ResidentKiB();

    std::vector<qv::Ref<quil::Window1>> windows = MainWindows();
    const uint64_t before = passes.load(std::memory_order_relaxed);
    const auto t0 = Clock::now();
    for (auto& w : windows) Button(*w, "StartButton")->Push();
    PumpFor(kSlice);
    results.sixteenRate = static_cast<double>(passes.load(std::memory_order_relaxed) - before) / Seconds(Clock::now() - t0);
    results.rss16Painting = ResidentKiB();
    for (auto& w : windows) Cease(*w);
    qv::JoinAllThreads();

    for (auto& w : windows)
        if (w != mainWindow) w->Close();
    windows.clear();
    PumpFor(100ms);
}

std::string Millions(double rate) {
    if (rate <= 0) return "n/a";
    char text[32];
    std::snprintf(text, sizeof text, "%.2f M", rate / 1e6);
    return text;
}

std::string MiB(long kib) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(kib) / 1024.0);
    return text;
}

void PrintSummary() {
    std::printf("\nDrawing loop, passes per second\n");
    std::printf("  framework (BackgroundDrawing on a main window's canvas): %s\n", Millions(results.frameworkRate).c_str());
    std::printf("  bare (3 random doubles, pixel store, copy every 11th):   %s\n", Millions(results.bareRate).c_str());
    if (results.frameworkRate > 0 && results.bareRate > 0) {
        const double ratio = results.frameworkRate / results.bareRate;
        std::printf("  ratio framework/bare: %.2f (target >= 0.5%s)\n", ratio, ratio >= 0.5 ? "" : ", below it");
    }
    std::printf("  %d main windows painting at once, all passes: %s\n", kWindows, Millions(results.sixteenRate).c_str());
    std::printf("Resident memory (VmRSS)\n");
    std::printf("  1 main window:             %s\n", MiB(results.rss1).c_str());
    std::printf("  %d main windows:           %s (%ld KiB more per window)\n", kWindows, MiB(results.rss16).c_str(),
                (results.rss16 - results.rss1) / (kWindows - 1));
    std::printf("  %d main windows, painting: %s\n", kWindows, MiB(results.rss16Painting).c_str());
}

// The off-screen platform cannot raise windows and says so for each one shown.
QtMessageHandler qtHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.startsWith(QStringLiteral("This plugin does not support"))) return;
    if (qtHandler) qtHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
    // Headless: the windows are real Qt widgets, drawn into off-screen buffers.
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    qtHandler = qInstallMessageHandler(QuietHandler);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    // The start-up road up to the first main window, without the event loop.
    qv::RuntimeInit();
    quil::ModuleInitialize();
    quil::NewAppInstance();
    mainWindow = quil::Window1::Instance();
    qv::SetBackgroundTaskHook([] { passes.fetch_add(1, std::memory_order_relaxed); });

    MeasureMemory();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    PrintSummary();

    qv::SetBackgroundTaskHook(nullptr);
    mainWindow = nullptr;
    quil::ModuleFinalize();
    return qv::RuntimeExit();
}
