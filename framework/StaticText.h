// A label. Carriage returns in its text are line breaks.
#pragma once

#include "Control.h"

namespace qv {

class StaticText : public Control {
public:
    static ClassRef Lookup();
    static const PropertyKind& Kind();
    const PropertyKind& TargetKind() const override { return Kind(); }

    const std::string& Text() const { return text_; }
    void SetText(std::string_view text);
    int32_t TextAlign() const { return textAlign_; }
    Color TextColor() const { return textColor_; }
    bool Multiline() const { return multiline_; }

protected:
    QWidget* MakeWidget(QWidget* parent) override;
    void SyncWidget() override;

private:
    std::string text_;
    int32_t textAlign_ = 0;
    Color textColor_{};
    bool multiline_ = false;
    std::string dataSource_, dataField_;
};

}  // namespace qv
