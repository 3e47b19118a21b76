#include "Application.h"

#include "ClassTable.h"
#include "Exceptions.h"
#include "Files.h"
#include "GuiThread.h"
#include "MenuItem.h"
#include "Thread.h"
#include "Window.h"

#include <QApplication>
#include <QEvent>

#include <atomic>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

namespace qv {
namespace {

void DrainGuiJobs();

// Receives the event that tells the GUI thread to run the jobs queued for it, and
// no other custom event. The event is not read: it was made on another thread, and
// only the queue's lock, which the drain takes first, orders its making before us.
class GuiJobReceiver final : public QObject {
public:
    static QEvent::Type DrainEvent() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }

protected:
    void customEvent(QEvent*) override { DrainGuiJobs(); }
};

// The jobs other threads hand to the GUI thread, in the order they were queued.
// At most one drain event is on its way: a job queued behind it needs none of its own.
struct GuiJobs {
    std::mutex mutex;
    std::deque<std::function<void()>> queue;
    GuiJobReceiver* receiver = nullptr;  // null while jobs are refused
    bool drainPosted = false;            // a drain event is queued and has not begun
};

// Never destroyed: drawing threads may still post while the process ends through exit().
GuiJobs& Jobs() {
    static GuiJobs& jobs = *new GuiJobs;
    return jobs;
}

// Runs the jobs that were queued when the drain began. Later ones wait for the
// next drain, so threads that keep posting cannot starve the GUI's own events.
void DrainGuiJobs() {
    GuiJobs& jobs = Jobs();
    size_t count = 0;
    {
        std::lock_guard lock(jobs.mutex);
        jobs.drainPosted = false;
        count = jobs.queue.size();
    }
    for (; count > 0; --count) {
        std::function<void()> job;
        {
            std::lock_guard lock(jobs.mutex);
            if (jobs.queue.empty()) return;
            job = std::move(jobs.queue.front());
            jobs.queue.pop_front();
        }
        GuardedCall(job);
    }
}

// Made and deleted by RuntimeInit and RuntimeExit alone, never by static
// destruction: when Qt ends the process with exit() (the display went away) the
// application is left as it is, since Qt's own statics may be gone before ours.
QApplication* qtApp = nullptr;
GuiJobReceiver* jobReceiver = nullptr;
// Read by any thread; written by the GUI thread while no thread of ours runs.
std::atomic<bool> appAlive{false};
std::atomic<std::thread::id> guiThread{std::this_thread::get_id()};

Ref<Application> appObject;
std::exception_ptr pending;
bool loopRunning = false;
std::atomic<int32_t> exitStatus{0};
std::function<void()> eventLoopStartHook;
std::function<void()> initializationHook;

// Qt keeps references to these for the life of the application.
int qtArgc = 1;
char qtProgramName[] = "quillevard";
char* qtArgv[] = {qtProgramName, nullptr};

}  // namespace

bool OnGuiThread() {
    return !appAlive.load(std::memory_order_acquire) ||
           std::this_thread::get_id() == guiThread.load(std::memory_order_acquire);
}

bool PostToGuiThread(std::function<void()> fn) {
    GuiJobs& jobs = Jobs();
    std::lock_guard lock(jobs.mutex);
    if (!jobs.receiver) return false;
    jobs.queue.push_back(std::move(fn));
    if (!jobs.drainPosted) {
        jobs.drainPosted = true;
        // Made and posted under the lock, so that the drain is seen to follow it by
        // every observer, thread sanitizers included.
        QCoreApplication::postEvent(jobs.receiver, new QEvent(GuiJobReceiver::DrainEvent()));
    }
    return true;
}

void RefuseGuiJobs() {
    GuiJobs& jobs = Jobs();
    std::lock_guard lock(jobs.mutex);
    jobs.receiver = nullptr;
}

ClassRef Application::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, ObjectClass, [](ClassTable& t) {
        t.name = "Application";
        t.factory = FactoryOf<Application>();
        t.vtable = {"NewDocument", "OpenDocument", "DoEvents", "_AddMenuHandler", "_AddPollableObject",
                    "_RemovePollableObject", "AddTrayItem", "RemoveTrayItem", "YieldToNextThread",
                    "SleepCurrentThread", "_DoSingleEvent", "_EnableMenuItems", "_CallOpen", "_HandleMenuCommand",
                    "_LoadPictureFromBundle", "_LoadBundleSound", "__DependencyList"};
        t.events = {"Open",     "Close",      "EnableMenuItems", "NewDocument",        "OpenDocument",
                    "HandleAppleEvent", "Activate", "Deactivate", "UnhandledException", "CancelClose"};
    });
}

void Application::AddMenuHandler(std::string_view itemName, MenuEntry entry) {
    menuHandlers_.insert_or_assign(std::string(itemName), std::move(entry));
}

const MenuEntry* Application::MenuHandler(std::string_view itemName) const {
    auto it = menuHandlers_.find(itemName);
    return it == menuHandlers_.end() ? nullptr : &it->second;
}

Ref<FolderItem> Application::ExecutableFile() { return FolderItem::At(ExecutablePath()); }

void RuntimeInit() {
    SetUserCancelled(false);
    exitStatus = 0;
    pending = nullptr;
    if (!qtApp) {
        guiThread.store(std::this_thread::get_id(), std::memory_order_release);
        qtApp = new QApplication(qtArgc, qtArgv);
        QApplication::setApplicationName("Quillevard");
        // The runtime ends the loop itself when its window list empties.
        QApplication::setQuitOnLastWindowClosed(false);
        jobReceiver = new GuiJobReceiver;
        {
            GuiJobs& jobs = Jobs();
            std::lock_guard lock(jobs.mutex);
            jobs.queue.clear();  // refused ones of an earlier runtime
            jobs.receiver = jobReceiver;
            jobs.drainPosted = false;
        }
        appAlive.store(true, std::memory_order_release);
    }
}

void RunFrameworkInitialization(const PlainEntry& startup) {
    if (!qtApp) throw RuntimeException("the runtime is not initialised");
    if (initializationHook) initializationHook();
    if (startup) startup();
}

void RuntimeRun() {
    if (!qtApp) throw RuntimeException("the runtime is not initialised");
    if (!pending) {
        loopRunning = true;
        InstallExitHandler();
        if (eventLoopStartHook) eventLoopStartHook();
        QApplication::exec();
        loopRunning = false;
    }
    SetUserCancelled(true);
    JoinAllThreads();
    ProcessEvents();
    if (pending) std::rethrow_exception(std::exchange(pending, nullptr));
}

void UnhandledException(const std::exception_ptr& e) {
    exitStatus = 1;
    if (!e) return;
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        std::fprintf(stderr, "Unhandled %s: %s\n", ExceptionClassName(ex).c_str(), ex.what());
    } catch (...) {
        std::fprintf(stderr, "Unhandled exception of unknown class\n");
    }
    std::fflush(stderr);
}

int32_t RuntimeExit() {
    SetUserCancelled(true);
    JoinAllThreads();
    appObject = nullptr;
    if (qtApp) {
        ProcessEvents();
        // No thread of ours is left to post; what is still queued runs here.
        RefuseGuiJobs();
        DrainGuiJobs();
        appAlive.store(false, std::memory_order_release);
        delete std::exchange(jobReceiver, nullptr);
        delete std::exchange(qtApp, nullptr);
    }
    return exitStatus;
}

void RuntimeInitExternalClasses() {}

void RuntimeRegisterAppObject(const Ref<Application>& app) { appObject = app; }
Ref<Application> GetAppObject() { return appObject; }

void Quit() {
    if (!loopRunning) return;
    SetUserCancelled(true);
    QApplication::exit(0);
}

bool EventLoopRunning() { return loopRunning; }

void GuardedCall(const std::function<void()>& fn) {
    try {
        fn();
    } catch (...) {
        if (!pending) pending = std::current_exception();
        if (loopRunning) {
            SetUserCancelled(true);
            QApplication::exit(1);
        }
    }
}

std::exception_ptr TakePendingException() { return std::exchange(pending, nullptr); }

void ReportThreadException(std::exception_ptr e) {
    if (PostToGuiThread([e] { GuardedCall([&] { std::rethrow_exception(e); }); })) return;
    // No event loop to carry it: report it at once.
    UnhandledException(e);
}

void SetEventLoopStartHook(std::function<void()> hook) { eventLoopStartHook = std::move(hook); }
void SetFrameworkInitializationHook(std::function<void()> hook) { initializationHook = std::move(hook); }

void ProcessEvents() {
    if (!qtApp) return;
    QApplication::processEvents(QEventLoop::AllEvents);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QApplication::processEvents(QEventLoop::AllEvents);
}

}  // namespace qv
