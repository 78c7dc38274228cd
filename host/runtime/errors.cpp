#include "errors.h"

EHostError::EHostError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

EHostError::~EHostError() = default;
EConvertError::~EConvertError() = default;
EDatabaseError::~EDatabaseError() = default;
EServerError::~EServerError() = default;
EAbort::~EAbort() = default;
