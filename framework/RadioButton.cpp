#include "RadioButton.h"

#include "ClassTable.h"
#include "Window.h"

#include <QButtonGroup>
#include <QRadioButton>

namespace qv {

namespace {

// The group that makes the buttons of one set exclude each other. It lives in the
// content area, so it goes with the window's widgets.
QButtonGroup* SetGroup(QWidget* contentArea, const std::string& setName) {
    const QString key = QStringLiteral("radio set ") + QString::fromStdString(setName);
    auto* group = contentArea->findChild<QButtonGroup*>(key, Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QButtonGroup(contentArea);
        group->setObjectName(key);
        group->setExclusive(true);
    }
    return group;
}

}  // namespace

ClassRef RadioButton::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, Control::Lookup, [](ClassTable& t) {
        t.name = "RadioButton";
        t.factory = FactoryOf<RadioButton>();
        t.Override("__DependencyList");
        for (const char* op : {"Event_CreatePane", "getBoundPart", "_CallAction"}) t.AddVirtual(op);
        t.AddInterface("bindingPartInterface", {"getBoundPart"});
        t.events.push_back("Action");
    });
}

const PropertyKind& RadioButton::Kind() {
    static const PropertyKind kind("RadioButton", &RadioButton::Lookup, Join({
        PlacedControlHead(),
        Pick(SharedProperties(), {"TabStop"}),
        {Field<&RadioButton::caption_>("Caption", "")},
        Pick(SharedProperties(), {"Enabled", "Visible", "HelpTag", "AutoDeactivate"}),
        TextStyle(),
        {Accessor<&RadioButton::Value, &RadioButton::SetValue>("Value", false)},
        Pick(SharedProperties(), {"InitialParent"}),
    }), "Caption");
    return kind;
}

void RadioButton::SetValue(bool value) {
    value_ = value;
    if (value_) ClearOtherMembers();
    ShowValue();
}

void RadioButton::ClearOtherMembers() {
    qv::Window* window = OwnerWindow();
    if (!window) return;
    for (const Ref<Control>& c : window->Controls()) {
        auto* other = dynamic_cast<RadioButton*>(c.get());
        if (!other || other == this || other->Name() != Name() || !other->value_) continue;
        other->value_ = false;
        other->ShowValue();
    }
}

QWidget* RadioButton::MakeWidget(QWidget* parent) {
    auto* button = new QRadioButton(parent);
    // Qt would make every radio button of the content area exclude the others; the
    // set's group does that instead, for the set alone.
    button->setAutoExclusive(false);
    // Also reached when the group clears this button for another member: Value is what the user sees.
    QObject::connect(button, &QRadioButton::toggled, button, [this](bool checked) { value_ = checked; });
    QObject::connect(button, &QRadioButton::clicked, button, [this] { RaiseFromQt("Action"); });
    return button;
}

void RadioButton::SyncWidget() {
    Control::SyncWidget();
    if (auto* button = static_cast<QRadioButton*>(Widget())) {
        button->setText(QString::fromStdString(caption_).replace('&', "&&"));
        ShowValue();
    }
}

void RadioButton::PropertyApplied(std::string_view name) {
    if (name == "Name") JoinSet();
    Control::PropertyApplied(name);
}

void RadioButton::Attached() {
    JoinSet();
    if (value_) ClearOtherMembers();
}

void RadioButton::JoinSet() {
    auto* button = static_cast<QRadioButton*>(Widget());
    qv::Window* window = OwnerWindow();
    if (!button || !window || !window->ContentArea()) return;
    QButtonGroup* group = SetGroup(window->ContentArea(), Name());
    if (button->group() == group) return;
    if (QButtonGroup* previous = button->group()) previous->removeButton(button);
    group->addButton(button);
    ShowValue();
}

void RadioButton::ShowValue() {
    auto* button = static_cast<QRadioButton*>(Widget());
    if (!button || button->isChecked() == value_) return;
    QButtonGroup* group = button->group();
    // An exclusive group refuses to clear its selected button.
    const bool exclusive = group && group->exclusive();
    if (exclusive && !value_) group->setExclusive(false);
    button->setChecked(value_);
    if (exclusive && !value_) group->setExclusive(true);
}

}  // namespace qv
