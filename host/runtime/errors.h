#pragma once
// Error types raised by the host library and by screens. A raised error ends the running
// event handler; the handler guard (guard.h) catches it at the handler's edge.

#include "error.h"
#include "hostlib_export.h"

#include <QString>

// An error of the host library or of a screen, with a message for the user in
// Portuguese (the message lives in the shared base, contracts::Error).
class HOSTLIB_EXPORT EHostError : public contracts::Error {
public:
    explicit EHostError(const QString &message);
};

// A failed conversion (text to number, variant to array...).
class HOSTLIB_EXPORT EConvertError : public EHostError {
public:
    using EHostError::EHostError;
};

// A database or data-set error (SQL failure, missing field, unreadable filter...).
class HOSTLIB_EXPORT EDatabaseError : public EHostError {
public:
    using EHostError::EHostError;
};

// An error reported by the application server, or a failure reaching it.
class HOSTLIB_EXPORT EServerError : public EHostError {
public:
    using EHostError::EHostError;
};

// Ends the running handler silently: its message has already been shown (MensErro).
class HOSTLIB_EXPORT EAbort : public EHostError {
public:
    explicit EAbort(const QString &message = QString()) : EHostError(message) {}
};
