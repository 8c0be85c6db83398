#pragma once

#include <QDialog>

namespace app {

class TNEdit;

// The settings dialog: edits the number of columns that make up one item
// record on import. Neither button answers Enter or Esc.
class TForm3 : public QDialog {
    Q_OBJECT

public:
    explicit TForm3(QWidget* parent = nullptr);

    // The number field's text is set and read as it stands.
    void setColumnCountText(const QString& text);
    QString columnCountText() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TNEdit* m_columnCount;
};

}  // namespace app
