// A radio button. Radio buttons exclude each other within their control set (the
// buttons of one window that share a Name), not across the window.
#pragma once

#include "Control.h"

namespace qv {

class RadioButton : public Control {
public:
    static ClassRef Lookup();
    static const PropertyKind& Kind();
    const PropertyKind& TargetKind() const override { return Kind(); }

    const std::string& Caption() const { return caption_; }
    bool Value() const { return value_; }
    // Selecting a button clears the other members of its set.
    void SetValue(bool value);
    // The bindingPartInterface operation: the control that stands for the part.
    Ref<Control> getBoundPart() { return Ref<Control>(this); }

protected:
    QWidget* MakeWidget(QWidget* parent) override;
    void SyncWidget() override;
    void PropertyApplied(std::string_view name) override;
    void Attached() override;

private:
    // Keeps the other members of the set cleared while this one is selected.
    void ClearOtherMembers();
    // Puts the button into its set's group: the set named by its current Name.
    void JoinSet();
    // Brings the button's mark in line with Value.
    void ShowValue();

    std::string caption_;
    bool value_ = false;
};

}  // namespace qv
