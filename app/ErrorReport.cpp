#include "app/ErrorReport.h"

#include "store/Error.h"

namespace app {

QString errorReportText(const QString& message) {
    if (message.isEmpty() || message.back() <= QLatin1Char('.')) {
        return message;
    }
    return message + QLatin1Char('.');
}

QString failureMessage(const std::exception& failure) {
    if (const auto* error = dynamic_cast<const store::Error*>(&failure)) {
        return error->message();
    }
    return QString::fromUtf8(failure.what());
}

}  // namespace app
