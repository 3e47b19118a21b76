// Property lists of the About window and of its controls, and the About text.
#pragma once

#include <string>

namespace qv::design {

// Thirteen lines joined by single carriage returns, with none after the last.
const std::string& AboutText();

const std::string& AboutWindowList();
const std::string& AboutStaticText1List();
const std::string& AboutOKList();

}  // namespace qv::design
