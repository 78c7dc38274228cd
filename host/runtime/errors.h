#pragma once
// Error types raised by the host library and by screens. A raised error ends the running
// event handler; the handler guard (guard.h) catches it at the handler's edge.

#include "error.h"
#include "hostlib_export.h"

#include <QString>

// Every error type declares its destructor out of line: that anchors its vtable and
// type information in the host library alone, so an error raised in the module and
// caught in the host is one type, and the module exports none of it.

// An error of the host library or of a screen, with a message for the user in
// Portuguese (the message lives in the shared base, contracts::Error).
class HOSTLIB_EXPORT EHostError : public contracts::Error {
public:
    explicit EHostError(const QString &message);
    ~EHostError() override;
};

// A failed conversion (text to number, variant to array...).
class HOSTLIB_EXPORT EConvertError : public EHostError {
public:
    using EHostError::EHostError;
    ~EConvertError() override;
};

// A database or data-set error (SQL failure, missing field, unreadable filter...).
class HOSTLIB_EXPORT EDatabaseError : public EHostError {
public:
    using EHostError::EHostError;
    ~EDatabaseError() override;
};

// An error reported by the application server, or a failure reaching it.
class HOSTLIB_EXPORT EServerError : public EHostError {
public:
    using EHostError::EHostError;
    ~EServerError() override;
};

// Ends the running handler silently: its message has already been shown (MensErro).
class HOSTLIB_EXPORT EAbort : public EHostError {
public:
    explicit EAbort(const QString &message = QString()) : EHostError(message) {}
    ~EAbort() override;
};
