#include "simulation/panel/single_line_field.h"

#include <QProxyStyle>

namespace zentrix::simulation::panel {

namespace {

class StarPasswordStyle : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_LineEdit_PasswordCharacter) return '*';
        if (hint == SH_LineEdit_PasswordMaskDelay) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

}  // namespace

SingleLineField::SingleLineField(QWidget* parent) : QLineEdit(parent) {
    auto* style = new StarPasswordStyle;
    style->setParent(this);
    setStyle(style);
    setEchoMode(QLineEdit::Password);
}

}  // namespace zentrix::simulation::panel
