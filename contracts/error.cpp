#include "error.h"

namespace contracts {

Error::Error(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

} // namespace contracts
