#pragma once

#include <exception>

#include <QString>

namespace app {

// The text that the default error report shows for a failure's message: "."
// is appended unless the message is empty or its last character is "." or
// sorts before it, so "打开写入文件失败！" is shown as "打开写入文件失败！.".
QString errorReportText(const QString& message);

// The message a failure carries: the text of a store::Error as it stands,
// the UTF-8 description of any other exception.
QString failureMessage(const std::exception& failure);

}  // namespace app
