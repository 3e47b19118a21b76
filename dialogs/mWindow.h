// The µ Structure settings window: check boxes in two blocks under a heading.
#pragma once

#include "SettingsWindow.h"

namespace quil {

class mWindow : public SettingsWindow<mWindow> {
public:
    static qv::ClassRef Lookup();
    static const qv::WindowDesign& Design();
};

}  // namespace quil
