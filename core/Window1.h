// The main window: backdrop, a 144 x 144 canvas, "cease" and "create".
#pragma once

#include "BackgroundDrawing.h"
#include "Framework.h"

namespace quil {

class Window1 : public qv::Window {
public:
    static qv::ClassRef Lookup();
    // The implicit instance: the open one, or a newly built one.
    static qv::Ref<Window1> Instance();

    qv::Ref<BackgroundDrawing> drawThread;

    void Layout();
    void CreateControls();
    void CreateControls0();
    void StartButton_Action(qv::Object& sender);
    void StopButton_Action(qv::Object& sender);
    void AddMenuHandlers(qv::Window& w);
    void Event_Close();
    // The Settings menu: each shows its settings window, the open one or a new one.
    bool Settingsµstructure_Action();
    bool SettingsEvolutionEngine_Action();
    bool SettingsQuantum_Action();
    bool SettingsRecursionAggregator_Action();
    bool SettingsStringRandomizing_Action();

    // The items of this window's menu bar, by Name.
    qv::Ref<qv::MenuItem> HelpMenu();
    qv::Ref<qv::AppleMenuItem> AppleAboutQuillevard();
    qv::Ref<qv::MenuItem> SettingsMenu();
    qv::Ref<qv::MenuItem> SettingsStringRandomizing();
    qv::Ref<qv::MenuItem> SettingsRecursionAggregator();
    qv::Ref<qv::MenuItem> SettingsQuantum();
    qv::Ref<qv::MenuItem> vSeparator();
    qv::Ref<qv::MenuItem> SettingsEvolutionEngine();
    qv::Ref<qv::MenuItem> Settingsµstructure();
    qv::Ref<qv::MenuItem> UntitledMenu0();
    qv::Ref<qv::MenuItem> EditClear();
    qv::Ref<qv::MenuItem> EditPaste();
    qv::Ref<qv::MenuItem> EditCopy();
    qv::Ref<qv::MenuItem> EditCut();
    qv::Ref<qv::MenuItem> UntitledMenu1();
    qv::Ref<qv::MenuItem> EditUndo();
    qv::Ref<qv::MenuItem> UntitledMenu3();
    qv::Ref<qv::MenuItem> UntitledMenu2();
    qv::Ref<qv::QuitMenuItem> FileQuit();
    qv::Ref<qv::MenuItem> UntitledSeparator();
    qv::Ref<qv::MenuItem> FileExtendRealityLinks();
    qv::Ref<qv::MenuItem> FileRenew();
    qv::Ref<qv::MenuItem> WindowNew();

private:
    template <class T>
    qv::Ref<T> MenuItemNamed(std::string_view name);
};

}  // namespace quil
