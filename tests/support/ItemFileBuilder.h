#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace testsupport {

// Builds the bytes of a tab-separated item file by hand (FF FE, then the
// text as UTF-16LE), independently of the item file writer.
class ItemFileBuilder {
public:
    // The 46 exported field names joined by TAB, then CR LF.
    ItemFileBuilder& header();
    // Each value followed by TAB, then CR LF.
    ItemFileBuilder& record(const QStringList& values);
    // Text as it stands.
    ItemFileBuilder& text(const QString& text);

    const QString& content() const { return m_text; }
    QByteArray bytes() const;
    void writeTo(const QString& path) const;

private:
    QString m_text;
};

// The 46 exported values of record `n`: each text field "名<n>" in quotes,
// each number field n.
QStringList numberedItemValues(int n);

QByteArray utf16LeBytes(const QString& text);
QByteArray utf16BeBytes(const QString& text);
void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

}  // namespace testsupport
