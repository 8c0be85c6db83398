#include "app/TNEdit.h"

#include <QLineEdit>
#include <QLocale>

namespace app {

TNEdit::TNEdit(QWidget* parent) : QDoubleSpinBox(parent) {
    QLocale locale = QLocale::c();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    setLocale(locale);
    setDecimals(2);
    setSingleStep(1);
}

void TNEdit::setText(const QString& text) {
    lineEdit()->setText(text);
    interpretText();
}

QString TNEdit::textFromValue(double value) const {
    QString text = locale().toString(value, 'f', decimals());
    const QChar point = locale().decimalPoint().front();
    if (text.contains(point)) {
        while (text.endsWith(QLatin1Char('0'))) {
            text.chop(1);
        }
        if (text.endsWith(point)) {
            text.chop(1);
        }
    }
    return text;
}

}  // namespace app
