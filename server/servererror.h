#pragma once
// The one error type the application server raises. Its message is the Portuguese text
// that reaches the user through the failure result.

#include "error.h"

namespace appserver {

class ServerError : public contracts::Error {
public:
    using contracts::Error::Error;
};

} // namespace appserver
