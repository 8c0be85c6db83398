#pragma once

#include <QByteArray>
#include <QString>

namespace itemfile {

// File names are bytes. A name that is valid UTF-8 is decoded as such; every
// byte of an invalid sequence becomes the lone surrogate U+DC80 to U+DCFF, and
// encoding turns such a surrogate back into its byte, so that a name given on
// the command line opens the file of that name, whatever its bytes.
QString decodeFileName(const QByteArray& name);
QByteArray encodeFileName(const QString& name);

}  // namespace itemfile
