#pragma once

#include <vector>

#include <QFrame>

class QPushButton;

namespace app {

// The command buttons along the bottom of the main window, at fixed places,
// and their accelerators. An accelerator letter typed with Alt anywhere in the
// window, or alone while one of the buttons has the focus, clicks the first
// button in creation order that is shown, enabled and has that letter after
// the "&" of its caption; hidden and disabled buttons are passed over.
class CommandPanel : public QFrame {
    Q_OBJECT

public:
    explicit CommandPanel(QWidget* parent);

    QPushButton* button(const QString& name) const;
    // Offers an accelerator letter; returns whether a button was clicked.
    bool offerAccelerator(QChar letter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool isCommandButton(const QObject* object) const;

    std::vector<QPushButton*> m_creationOrder;
};

}  // namespace app
