// The About window: the product's text and an "OK" button that closes it.
#pragma once

#include "Framework.h"

namespace quil {

class AboutWindow : public qv::Window {
public:
    static qv::ClassRef Lookup();
    static qv::Ref<AboutWindow> Instance();

    void Layout();
    void CreateControls();
    void CreateControls0();
    void aboutOK_Action(qv::Object& sender);
};

}  // namespace quil
