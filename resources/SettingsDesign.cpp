#include "SettingsDesign.h"

#include "framework/PushButton.h"

#include <iterator>
#include <utility>

namespace qv::design {

std::string SettingsWindowList(int32_t frame, bool composite, std::string_view title) {
    return EncodeWindow({{"Width", 600}, {"Height", 400}, {"Frame", frame}, {"Composite", composite},
                         {"Title", std::string(title)}});
}

// OK is the default button. Cancel is not the cancel button: the design leaves its
// Cancel flag clear, so Escape presses neither of the two.
const ControlDesign& SharedOK() {
    static const ControlDesign ok =
        Encode(Row{PushButton::Kind, "mOK",     kNoIndex, 491, 361, 80, 20, "OK",     {}, 0, {{"Default", true}}, {}});
    return ok;
}

const ControlDesign& SharedCancel() {
    static const ControlDesign cancel =
        Encode(Row{PushButton::Kind, "mCancel", kNoIndex, 396, 361, 80, 20, "Cancel", {}, 1, {},                   {}});
    return cancel;
}

WindowDesign SettingsDesign(int32_t frame, bool composite, std::string_view title, std::vector<Row> rows,
                            std::vector<EventBindingDesign> moreBindings) {
    std::vector<ControlDesign> controls = {SharedOK(), SharedCancel()};
    std::vector<ControlDesign> own = Encode(rows);
    controls.insert(controls.end(), std::make_move_iterator(own.begin()), std::make_move_iterator(own.end()));

    std::vector<EventBindingDesign> bindings = {
        {"mOK", "Action", "mOK_Action"},
        {"mCancel", "Action", "mCancel_Action"},
    };
    bindings.insert(bindings.end(), std::make_move_iterator(moreBindings.begin()),
                    std::make_move_iterator(moreBindings.end()));
    return MakeDesign(SettingsWindowList(frame, composite, title), std::move(controls), std::move(bindings));
}

}  // namespace qv::design
