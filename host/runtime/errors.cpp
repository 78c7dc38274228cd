#include "errors.h"

EHostError::EHostError(const QString &message)
    : contracts::Error(message)
{
}

EHostError::~EHostError() = default;
EConvertError::~EConvertError() = default;
EDatabaseError::~EDatabaseError() = default;
EServerError::~EServerError() = default;
EAbort::~EAbort() = default;
