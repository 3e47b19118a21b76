#include "AllDesigns.h"

#include "AboutWindowDesign.h"
#include "MainWindowDesign.h"
#include "SettingsDesign.h"

#include <array>

namespace qv::design {

std::span<const NamedDesign> AllWindowDesigns() {
    static constexpr std::array<NamedDesign, 7> designs = {{
        {"Window1", Window1Design},
        {"AboutWindow", AboutWindowDesign},
        {"mWindow", mWindowDesign},
        {"eeWindow", eeWindowDesign},
        {"qaWindow", qaWindowDesign},
        {"srWindow", srWindowDesign},
        {"raWindow", raWindowDesign},
    }};
    return designs;
}

}  // namespace qv::design
