// A check box. Its State (0 clear, 1 ticked) and its Boolean Value always agree.
#pragma once

#include "Control.h"

namespace qv {

class CheckBox : public Control {
public:
    static ClassRef Lookup();
    static const PropertyKind& Kind();
    const PropertyKind& TargetKind() const override { return Kind(); }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    int32_t State() const { return state_; }
    void SetState(int32_t state);
    bool Value() const { return state_ == 1; }
    void SetValue(bool value) { SetState(value ? 1 : 0); }

protected:
    QWidget* MakeWidget(QWidget* parent) override;
    void SyncWidget() override;

private:
    // Brings the box's mark in line with State.
    void ShowState();

    std::string caption_;
    int32_t state_ = 0;
    std::string dataSource_, dataField_;
};

}  // namespace qv
