#pragma once
// The one error type the application server raises. Its message is the text that
// reaches the user through the failure result: Portuguese, or the caller's language
// when the server has a translation for it (see callerlanguage.h).

#include "error.h"

namespace appserver {

class ServerError : public contracts::Error {
public:
    using contracts::Error::Error;
};

// The context of the server's messages in the translations: ServerTexts::tr("...").
// The source texts are the Portuguese ones.
struct ServerTexts {
    Q_DECLARE_TR_FUNCTIONS(appserver)
};

} // namespace appserver
