// Property lists of the main window, Window1, and of its controls.
#pragma once

#include <string>

namespace qv::design {

const std::string& Window1List();
const std::string& Canvas1List();
const std::string& StartButtonList();
const std::string& StopButtonList();

}  // namespace qv::design
