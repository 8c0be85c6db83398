#include "app/TForm3.h"

#include <algorithm>

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "app/TNEdit.h"
#include "grid/look/SongTiFont.h"
#include "itemfile/ItemFileImport.h"

namespace app {
namespace {

QPushButton* makeButton(QDialog* dialog, const QString& name, const QString& caption,
                        const QRect& geometry) {
    auto* button = new QPushButton(caption, dialog);
    button->setObjectName(name);
    button->setGeometry(geometry);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

}  // namespace

TForm3::TForm3(QWidget* parent) : QDialog(parent), m_columnCount(new TNEdit(this)) {
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("设置"));
    setFont(grid::songTiFont(15));
    move(377, 273);
    resize(406, 174);

    m_columnCount->setObjectName(QStringLiteral("NEdit1"));
    m_columnCount->setRange(itemfile::kMinimumImportColumnCount,
                            itemfile::kMaximumImportColumnCount);
    m_columnCount->setGeometry(140, 56, 128, 23);

    auto* hint = new QLabel(QStringLiteral("该选项一般不需要设置\n"
                                           "如果发现导入时数据不准确或者导入出错，则需要设置"),
                            this);
    hint->setObjectName(QStringLiteral("Label1"));
    QPalette red = hint->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    hint->setPalette(red);
    // Two lines of 15 pixels fill 30; the substitute font's lines are taller,
    // so the label grows rather than cut them.
    hint->setGeometry(17, 9, 360, std::max(30, hint->sizeHint().height()));

    auto* caption = new QLabel(QStringLiteral("导入表格列数："), this);
    caption->setObjectName(QStringLiteral("Label2"));
    caption->move(40, 60);
    caption->adjustSize();
    // The caption's full-width colon reaches under the field; the field stays whole.
    m_columnCount->raise();

    QPushButton* ok =
        makeButton(this, QStringLiteral("Button1"), QStringLiteral("确定"), QRect(72, 101, 75, 25));
    QPushButton* cancel = makeButton(this, QStringLiteral("Button2"), QStringLiteral("取消"),
                                     QRect(248, 101, 75, 25));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(m_columnCount, ok);
    setTabOrder(ok, cancel);
}

void TForm3::setColumnCountText(const QString& text) {
    m_columnCount->setText(text);
}

QString TForm3::columnCountText() const {
    return m_columnCount->text();
}

void TForm3::keyPressEvent(QKeyEvent* event) {
    // Esc does not close the dialog; only its buttons and its close box do.
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace app
