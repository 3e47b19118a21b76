#include "CheckBox.h"

#include "ClassTable.h"

#include <QCheckBox>

namespace qv {

ClassRef CheckBox::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, Control::Lookup, [](ClassTable& t) {
        t.name = "CheckBox";
        t.factory = FactoryOf<CheckBox>();
        t.events.push_back("Action");
    });
}

const PropertyKind& CheckBox::Kind() {
    static const PropertyKind kind("CheckBox", &CheckBox::Lookup, Join({
        PlacedControlHead(),
        Pick(SharedProperties(), {"TabStop"}),
        {Field<&CheckBox::caption_>("Caption", "")},
        Pick(SharedProperties(), {"Enabled", "Visible", "HelpTag", "AutoDeactivate"}),
        TextStyle(),
        {Field<&CheckBox::state_>("State", 0), Accessor<&CheckBox::Value, &CheckBox::SetValue>("Value", false),
         Field<&CheckBox::dataSource_>("DataSource", ""), Field<&CheckBox::dataField_>("DataField", "")},
        Pick(SharedProperties(), {"InitialParent"}),
    }), "Caption");
    return kind;
}

void CheckBox::SetCaption(const std::string& caption) {
    caption_ = caption;
    SyncWidget();
}

void CheckBox::SetState(int32_t state) {
    state_ = state;
    ShowState();
}

QWidget* CheckBox::MakeWidget(QWidget* parent) {
    auto* box = new QCheckBox(parent);
    // Only the user's click reaches here: what the box shows becomes its State.
    QObject::connect(box, &QCheckBox::clicked, box, [this, box] {
        const Qt::CheckState shown = box->checkState();
        state_ = shown == Qt::Checked ? 1 : shown == Qt::PartiallyChecked ? 2 : 0;
        RaiseFromQt("Action");
    });
    return box;
}

void CheckBox::SyncWidget() {
    Control::SyncWidget();
    if (auto* box = static_cast<QCheckBox*>(Widget())) {
        box->setText(QString::fromStdString(caption_).replace('&', "&&"));
        ShowState();
    }
}

void CheckBox::ShowState() {
    auto* box = static_cast<QCheckBox*>(Widget());
    if (!box) return;
    // A mixed state is shown as such, and a box that has been mixed may be clicked back into it.
    if (state_ == 2) box->setTristate(true);
    box->setCheckState(state_ == 1 ? Qt::Checked : state_ == 2 ? Qt::PartiallyChecked : Qt::Unchecked);
}

}  // namespace qv
