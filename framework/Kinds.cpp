#include "Canvas.h"
#include "CheckBox.h"
#include "Line.h"
#include "PropertyKind.h"
#include "PushButton.h"
#include "RadioButton.h"
#include "Separator.h"
#include "Slider.h"
#include "StaticText.h"
#include "Window.h"

namespace qv {

const std::vector<const PropertyKind*>& AllPropertyKinds() {
    static const std::vector<const PropertyKind*> kinds = {
        &Window::Kind(), &Canvas::Kind(), &PushButton::Kind(), &StaticText::Kind(),
        &CheckBox::Kind(), &RadioButton::Kind(), &Slider::Kind(), &Separator::Kind(), &Line::Kind(),
    };
    return kinds;
}

}  // namespace qv
