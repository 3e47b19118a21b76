#include "Startup.h"

#include "AboutWindow.h"
#include "App.h"
#include "BackgroundDrawing.h"
#include "FileTypes.h"
#include "Framework.h"
#include "Menu.h"
#include "eeWindow.h"
#include "mWindow.h"
#include "qaWindow.h"
#include "raWindow.h"
#include "srWindow.h"
#include "Window1.h"

namespace quil {
namespace {

int32_t mainResult = 0;

}  // namespace

int32_t ModuleMain() {
    qv::RuntimeInit();
    ModuleInitialize();
    Main();
    ModuleFinalize();
    mainResult = qv::RuntimeExit();
    return mainResult;
}

void ModuleInitialize() {
    qv::InitFrameworkClassTables();
    Window1::Lookup();
    Menu::Lookup();
    BackgroundDrawing::Lookup();
    AboutWindow::Lookup();
    app::Lookup();
    mWindow::Lookup();
    eeWindow::Lookup();
    eeWindow::rb1::Lookup();
    qaWindow::Lookup();
    qaWindow::rb2::Lookup();
    qaWindow::rb3::Lookup();
    srWindow::Lookup();
    raWindow::Lookup();
}

void Main() {
    try {
        {
            qv::Ref<qv::Delegate> startup = qv::RuntimeCreateDelegate(qv::Thunk::Invoke, &Startup, nullptr, "(  )");
            qv::RunFrameworkInitialization(startup->FunctionEntry<qv::PlainEntry>());
        }
        qv::RuntimeRun();
    } catch (...) {
        qv::UnhandledException(std::current_exception());
    }
}

void Startup() {
    qv::RuntimeInitExternalClasses();
    qv::InitPluginEntrypoints();
    InitFileTypes();
    NewAppInstance();
    ApplicationAddMenuHandlers();
    MakeDefaultView();
}

void InitFileTypes() { FileTypes::Initialize(); }

void NewAppInstance() {
    qv::Ref<app> application = qv::RuntimeCheckCast<app>(qv::RuntimeNewObject(app::Lookup()));
    qv::NotNil(application)->SetMenuBar(Menu::Instance());
    qv::RuntimeRegisterAppObject(application);
}

void ApplicationAddMenuHandlers() {
    qv::Ref<app> application = qv::NotNil(App());
    qv::BindMenuHandler(*application, "AppleAboutQuillevard", &app::AppleAboutQuillevard_Action);
    qv::BindMenuHandler(*application, "WindowNew", &app::WindowNew_Action);
}

void MakeDefaultView() { (void)Window1::Instance(); }

void ModuleFinalize() {
    qv::ReleaseImplicitWindowList();
    qv::ReleaseRedrawList();
    qv::ReleaseWindowList();
    qv::ReleaseIntrospectionMaps();
    FileTypes::pText_Exit();
    Menu::ImplicitInstance_Exit();
}

}  // namespace quil
