#include "Slider.h"

#include "ClassTable.h"

#include <QSignalBlocker>
#include <QSlider>

#include <algorithm>

namespace qv {

ClassRef Slider::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, Control::Lookup, [](ClassTable& t) {
        t.name = "Slider";
        t.factory = FactoryOf<Slider>();
        t.events.push_back("ValueChanged");
    });
}

const PropertyKind& Slider::Kind() {
    static const PropertyKind kind("Slider", &Slider::Lookup, Join({
        PlacedControlHead(),
        Pick(SharedProperties(), {"TabStop", "Enabled", "Visible", "HelpTag", "AutoDeactivate"}),
        {Field<&Slider::minimum_>("Minimum", 0), Accessor<&Slider::Value, &Slider::SetValue>("Value", 0),
         Field<&Slider::maximum_>("Maximum", 100), Field<&Slider::lineStep_>("LineStep", 1),
         Field<&Slider::pageStep_>("PageStep", 20), Field<&Slider::liveScroll_>("LiveScroll", false),
         Field<&Slider::tickStyle_>("TickStyle", 0)},
        Pick(SharedProperties(), {"InitialParent"}),
    }));
    return kind;
}

int32_t Slider::Value() const {
    // The value is kept as given, so that a range set after it does not cut it short.
    return std::max(minimum_, std::min(value_, maximum_));
}

void Slider::SetValue(int32_t value) {
    value_ = value;
    SyncSlider();
}

QWidget* Slider::MakeWidget(QWidget* parent) {
    auto* slider = new QSlider(parent);
    // Every change made from here is made with the slider's signals blocked, so this
    // hears the user alone; without tracking Qt reports a drag only when it ends.
    QObject::connect(slider, &QSlider::valueChanged, slider, [this](int value) { UserMoved(value); });
    return slider;
}

void Slider::UserMoved(int value) {
    value_ = value;
    RaiseFromQt("ValueChanged");
}

void Slider::SyncWidget() {
    Control::SyncWidget();
    SyncSlider();
}

void Slider::SyncSlider() {
    auto* slider = static_cast<QSlider*>(Widget());
    if (!slider) return;
    const QSignalBlocker quiet(slider);
    slider->setOrientation(Height() > Width() ? Qt::Vertical : Qt::Horizontal);
    slider->setRange(minimum_, std::max(minimum_, maximum_));
    slider->setValue(Value());
    slider->setSingleStep(lineStep_);
    slider->setPageStep(pageStep_);
    slider->setTracking(liveScroll_);
    constexpr QSlider::TickPosition ticks[] = {QSlider::NoTicks, QSlider::TicksAbove, QSlider::TicksBelow,
                                               QSlider::TicksBothSides};
    slider->setTickPosition(tickStyle_ >= 0 && tickStyle_ <= 3 ? ticks[tickStyle_] : QSlider::NoTicks);
}

}  // namespace qv
