#include "tests/support/ItemFileBuilder.h"

#include <stdexcept>

#include <QFile>

#include "store/ItemTable.h"

namespace testsupport {

ItemFileBuilder& ItemFileBuilder::header() {
    QStringList names;
    for (int i = 0; i < store::kItemIdField; ++i) {
        names << store::itemFields()[static_cast<std::size_t>(i)].name;
    }
    m_text += names.join(u'\t') + QStringLiteral("\r\n");
    return *this;
}

ItemFileBuilder& ItemFileBuilder::record(const QStringList& values) {
    for (const QString& value : values) {
        m_text += value + u'\t';
    }
    m_text += QStringLiteral("\r\n");
    return *this;
}

QStringList numberedItemValues(int n) {
    QStringList values;
    for (int i = 0; i < store::kItemIdField; ++i) {
        const store::FieldDef& field = store::itemFields()[static_cast<std::size_t>(i)];
        values << (store::isTextKind(field.kind)
                       ? QStringLiteral("\"名") + QString::number(n) + u'"'
                       : QString::number(n));
    }
    return values;
}

ItemFileBuilder& ItemFileBuilder::text(const QString& text) {
    m_text += text;
    return *this;
}

QByteArray ItemFileBuilder::bytes() const {
    return QByteArray("\xFF\xFE", 2) + utf16LeBytes(m_text);
}

void ItemFileBuilder::writeTo(const QString& path) const {
    writeFile(path, bytes());
}

QByteArray utf16LeBytes(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    return bytes;
}

QByteArray utf16BeBytes(const QString& text) {
    QByteArray bytes;
    bytes.reserve(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() >> 8));
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return bytes;
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + path.toStdString());
    }
    return file.readAll();
}

}  // namespace testsupport
