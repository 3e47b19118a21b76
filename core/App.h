// The application object.
#pragma once

#include "Framework.h"

namespace quil {

class app : public qv::Application {
public:
    static qv::ClassRef Lookup();

    void Event_EnableMenuItems();
    bool AppleAboutQuillevard_Action();
    bool WindowNew_Action();
};

// The framework's application object as an app.
qv::Ref<app> App();

}  // namespace quil
