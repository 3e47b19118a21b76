#include "Application.h"

#include "ClassTable.h"
#include "Exceptions.h"
#include "Files.h"
#include "GuiThread.h"
#include "MenuItem.h"
#include "Thread.h"
#include "Window.h"

#include <QApplication>
#include <QMetaObject>

#include <cstdio>
#include <memory>
#include <thread>

namespace qv {
namespace {

std::unique_ptr<QApplication> qtApp;
std::thread::id guiThread = std::this_thread::get_id();
Ref<Application> appObject;
std::exception_ptr pending;
bool loopRunning = false;
int32_t exitStatus = 0;
std::function<void()> eventLoopStartHook;
std::function<void()> initializationHook;

// Qt keeps references to these for the life of the application.
int qtArgc = 1;
char qtProgramName[] = "quillevard";
char* qtArgv[] = {qtProgramName, nullptr};


}  // namespace

bool OnGuiThread() { return !qtApp || std::this_thread::get_id() == guiThread; }

bool PostToGuiThread(std::function<void()> fn) {
    if (!qtApp) return false;
    return QMetaObject::invokeMethod(qtApp.get(), std::move(fn), Qt::QueuedConnection);
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
    guiThread = std::this_thread::get_id();
    SetUserCancelled(false);
    exitStatus = 0;
    pending = nullptr;
    if (!qtApp) {
        qtApp = std::make_unique<QApplication>(qtArgc, qtArgv);
        QApplication::setApplicationName("Quillevard");
        // The runtime ends the loop itself when its window list empties.
        QApplication::setQuitOnLastWindowClosed(false);
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
        qtApp.reset();
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
