// The Recursion Aggregator settings window: ten check boxes under a heading.
#pragma once

#include "SettingsWindow.h"

namespace quil {

class raWindow : public SettingsWindow<raWindow> {
public:
    static qv::ClassRef Lookup();
    static const qv::WindowDesign& Design();
};

}  // namespace quil
