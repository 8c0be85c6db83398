#include "store/Error.h"

namespace store {

Error::Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toStdString()) {}

}  // namespace store
