#pragma once

#include <QDoubleSpinBox>

namespace app {

// A number field with up/down buttons that keeps up to two decimal places
// and shows whole numbers without any ("40", "39.5").
class TNEdit : public QDoubleSpinBox {
    Q_OBJECT

public:
    explicit TNEdit(QWidget* parent = nullptr);

    // Sets the text as if typed, and the value that it reads as.
    void setText(const QString& text);

    QString textFromValue(double value) const override;
};

}  // namespace app
