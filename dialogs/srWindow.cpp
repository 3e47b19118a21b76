#include "srWindow.h"

#include "Slider.h"
#include "resources/SettingsDesign.h"

#include <string>
#include <vector>

namespace quil {

namespace {

std::vector<SettingsOperation> SliderHandlers() {
    std::vector<SettingsOperation> handlers;
    for (std::size_t n = 1; n <= qv::design::SliderReadouts().size(); ++n) {
        handlers.push_back({"Slider" + std::to_string(n) + "_ValueChanged", [n](qv::Object& self, qv::Object& sender) {
                                static_cast<srWindow&>(self).SliderValueChanged(n, sender);
                            }});
    }
    return handlers;
}

}  // namespace

qv::ClassRef srWindow::Lookup() {
    static qv::ClassTable* ref = nullptr;
    return BuildTable(ref, "srWindow.srWindow", SliderHandlers());
}

const qv::WindowDesign& srWindow::Design() { return qv::design::srWindowDesign(); }

void srWindow::SliderValueChanged(std::size_t n, qv::Object& sender) {
    auto [Self, Me] = qv::RuntimeSwapSelfAndMe<srWindow, qv::Slider>(sender);
    const qv::design::SliderReadout& readout = qv::design::SliderReadouts().at(n - 1);
    auto label = qv::RuntimeCheckCast<qv::StaticText>(qv::RuntimeWindowControlByName(*Self, readout.label));
    qv::NotNil(label);
    auto slider = qv::RuntimeCheckCast<qv::Slider>(qv::RuntimeWindowControlByName(*Self, readout.slider));
    qv::NotNil(slider);
    label->SetText(qv::Str(slider->Value()));
}

}  // namespace quil
