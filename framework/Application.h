// The application object, the process's runtime and its event loop.
#pragma once

#include "Delegate.h"
#include "Files.h"
#include "MenuItem.h"
#include "Menus.h"
#include "Object.h"
#include "PropertyList.h"

#include <exception>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace qv {

class Window;

class Application : public Object {
public:
    static ClassRef Lookup();

    Ref<qv::MenuBar> MenuBar() const { return menuBar_; }
    void SetMenuBar(Ref<qv::MenuBar> bar) { menuBar_ = std::move(bar); }
    void AddMenuHandler(std::string_view itemName, MenuEntry entry);
    const MenuEntry* MenuHandler(std::string_view itemName) const;

    static Ref<FolderItem> ExecutableFile();

private:
    Ref<qv::MenuBar> menuBar_;
    std::map<std::string, MenuEntry, std::less<>> menuHandlers_;
};

// Process road.
void RuntimeInit();
void RunFrameworkInitialization(const PlainEntry& startup);
// Runs the event loop until the application quits; stops and joins every drawing
// thread before it returns. An exception caught at a boundary where Qt called us
// ends the loop and is raised again from here.
void RuntimeRun();
// Writes the exception's class and message to standard error; the exit status
// becomes non-zero.
void UnhandledException(const std::exception_ptr& e);
// The exit status: 0 after a normal quit, 1 once an unhandled exception was reported.
int32_t RuntimeExit();

void RuntimeInitExternalClasses();
void InitPluginEntrypoints();

void RuntimeRegisterAppObject(const Ref<Application>& app);
Ref<Application> GetAppObject();

// Begins quitting: UserCancelled becomes True and the event loop ends.
void Quit();
bool EventLoopRunning();

// Runs fn where Qt has called us. An exception is kept and ends the event loop,
// which raises it again; outside the loop it is kept for TakePendingException.
void GuardedCall(const std::function<void()>& fn);
std::exception_ptr TakePendingException();
// An exception that escaped a thread's "Run" takes the same road on the GUI thread.
void ReportThreadException(std::exception_ptr e);


// Runs pending events (for tests and for the shut-down path).
void ProcessEvents();

// Tests look at the process just before the event loop starts, or make the
// framework's initialisation fail.
void SetEventLoopStartHook(std::function<void()> hook);
void SetFrameworkInitializationHook(std::function<void()> hook);

}  // namespace qv
