#include "errors.h"

EHostError::EHostError(const QString &message)
    : contracts::Error(message)
{
}
