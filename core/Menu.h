// The menu bar that the application and every main window share.
#pragma once

#include "Framework.h"

namespace quil {

class Menu : public qv::MenuBar {
public:
    static qv::ClassRef Lookup();
    using qv::MenuBar::Lookup;

    // The one instance, built on first use.
    static qv::Ref<Menu> Instance();
    // Releases the instance and leaves it nil.
    static void ImplicitInstance_Exit();
    static const qv::Ref<Menu>& ImplicitInstance() { return implicitInstance; }

    void Constructor() override;
    void Untitled0();  // File
    void Untitled2();  // Edit
    void Untitled3();  // Settings
    void Untitled4();  // Help

private:
    static qv::Ref<Menu> implicitInstance;
};

// The About item and File > New of the application's menu bar.
qv::Ref<qv::AppleMenuItem> AppleAboutQuillevard();
qv::Ref<qv::MenuItem> WindowNew();

}  // namespace quil
