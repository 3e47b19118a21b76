#include "StaticText.h"

#include "ClassTable.h"

#include <QLabel>
#include <QPalette>

namespace qv {

ClassRef StaticText::Lookup() {
    static ClassTable* ref = nullptr;
    return BuildClassTable(ref, Control::Lookup, [](ClassTable& t) {
        t.name = "StaticText";
        t.factory = FactoryOf<StaticText>();
    });
}

void StaticText::SetText(std::string_view text) {
    text_ = text;
    SyncWidget();
}

bool StaticText::SetProperty(const PropertyEntry& e) {
    if (e.name == "Text") text_ = std::get<std::string>(e.value);
    else if (e.name == "TextAlign") textAlign_ = std::get<int32_t>(e.value);
    else if (e.name == "TextColor") textColor_ = std::get<Color>(e.value);
    else if (e.name == "Multiline") multiline_ = std::get<bool>(e.value);
    else if (e.name == "DataSource") dataSource_ = std::get<std::string>(e.value);
    else if (e.name == "DataField") dataField_ = std::get<std::string>(e.value);
    else return Control::SetProperty(e);
    SyncWidget();
    return true;
}

QWidget* StaticText::MakeWidget(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    return label;
}

void StaticText::SyncWidget() {
    Control::SyncWidget();
    auto* label = static_cast<QLabel*>(Widget());
    if (!label) return;
    // Carriage returns separate the lines.
    QString text = QString::fromStdString(text_);
    text.replace("\r\n", "\n").replace('\r', '\n');
    label->setText(text);
    const Qt::Alignment horizontal = textAlign_ == 1 ? Qt::AlignHCenter : textAlign_ == 2 ? Qt::AlignRight : Qt::AlignLeft;
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setWordWrap(multiline_);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(textColor_.red, textColor_.green, textColor_.blue));
    label->setPalette(palette);
}

}  // namespace qv
