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

const PropertyKind& StaticText::Kind() {
    static const PropertyKind kind("StaticText", &StaticText::Lookup, Join({
        PlacedControlHead(),
        {Field<&StaticText::text_>("Text", ""), Field<&StaticText::textAlign_>("TextAlign", 0),
         Field<&StaticText::textColor_>("TextColor", Color{0, 0, 0}), Field<&StaticText::multiline_>("Multiline", false)},
        Pick(SharedProperties(), {"Enabled", "Visible", "HelpTag", "AutoDeactivate"}),
        TextStyle(),
        {Field<&StaticText::dataSource_>("DataSource", ""), Field<&StaticText::dataField_>("DataField", "")},
        Pick(SharedProperties(), {"InitialParent"}),
    }), "Text");
    return kind;
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
