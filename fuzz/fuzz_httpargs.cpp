// Fuzz target: the HTTP request bodies and the server's argument checks behind them.
// The first byte picks what the body is for: the login, or a call of one of the server's
// methods; the rest is the body. Checked, with no database:
//   - the body readers accept or throw PacketError; what they accept writes back to a
//     body they read to the same thing (the arguments as a stable encoding);
//   - for a call, the argument checks the method runs accept or throw ServerError, and
//     what they accept has the documented shape: selections of distinct codes that the
//     strict reader reads back, all-flags from "T", a periodicity of up to two letters
//     or digits, a lead time from 0 to 999.

#include "arguments.h"
#include "httpbody.h"
#include "localappserver.h"
#include "servererror.h"
#include "fuzzsupport.h"

#include <QSet>

#include <functional>

using namespace appserver;
namespace http = contracts::http;

namespace {

void checkSelection(const Selection &selection, const SelectionKind &kind)
{
    FUZZ_CHECK(!selection.all || (kind.acceptsAll && selection.codes.isEmpty()));
    const QSet<QString> distinct(selection.codes.cbegin(), selection.codes.cend());
    FUZZ_CHECK(distinct.size() == selection.codes.size());
    for (const QString &code : selection.codes)
        FUZZ_CHECK(!code.isEmpty() && code.size() <= kind.maxCodeLength && contracts::isCodeText(code), code);
    const Selection back = contracts::readSelection(contracts::writeSelection(selection.codes), kind);
    FUZZ_CHECK(back.codes == selection.codes);
}

bool isAll(const QVariant &flag)
{
    return flag.toString() == QLatin1String("T");
}

void checkScope(const ScopeArguments &scope, const QVariantList &args)
{
    checkSelection(scope.suppliers, kSuppliers);
    checkSelection(scope.branches, kBranches);
    checkSelection(scope.regions, kRegions);
    FUZZ_CHECK(scope.allSuppliers == isAll(args.at(1)));
    FUZZ_CHECK(scope.allBranches == isAll(args.at(3)));
}

// The server's methods by name, with the checks they run on their arguments before any
// SQL. The argument count is the server's own (LocalAppServer::argumentCount).
struct Method {
    const char *name;
    std::function<void(const QVariantList &)> check;
};

const Method kMethods[] = {
    {"getParamGeral", [](const QVariantList &) {}},
    {"getFilial", [](const QVariantList &args) { checkSelection(parseSelection(args.at(0), kRegions), kRegions); }},
    {"GetValidReForFil", [](const QVariantList &args) { checkScope(parseScopeArguments(args), args); }},
    {"CadAutoAtende",
     [](const QVariantList &args) {
         const RegistrationArguments registration = parseRegistrationArguments(args);
         checkScope(registration.scope, {args.at(0), args.at(1), args.at(2), args.at(3), args.at(5)});
         FUZZ_CHECK(registration.periodicity.size() <= 2 && contracts::isCodeText(registration.periodicity));
         FUZZ_CHECK(registration.leadTime >= 0 && registration.leadTime <= 999);
         FUZZ_CHECK(registration.leadTime == args.at(6).toDouble());
     }},
    {"DesfazCadAuto",
     [](const QVariantList &args) {
         const qint64 run = parseRunNumber(args.at(0));
         FUZZ_CHECK(run >= 1 && run <= 2147483647 && run == args.at(0).toDouble());
     }},
};

void checkLogin(const QByteArray &body)
{
    http::Login login;
    try {
        login = http::decodeLogin(body);
    } catch (const contracts::PacketError &) {
        return;
    }
    const http::Login back = http::decodeLogin(http::encodeLogin(login));
    FUZZ_CHECK(back.user == login.user && back.password == login.password);
}

void checkCall(const Method &method, const QByteArray &body)
{
    QVariantList args;
    try {
        args = http::decodeCallRequest(body);
    } catch (const contracts::PacketError &) {
        return;
    }
    const QByteArray written = http::encodeCallRequest(args);
    try {
        FUZZ_CHECK(http::encodeCallRequest(http::decodeCallRequest(written)) == written, QString::fromLatin1(written.toHex()));
    } catch (const contracts::PacketError &error) {
        FUZZ_CHECK(!"a body the writer wrote is refused", error.message());
    }
    const int expected = appserver::LocalAppServer::argumentCount(QString::fromLatin1(method.name));
    FUZZ_CHECK(expected >= 0, QString::fromLatin1(method.name));
    if (args.size() != expected)
        return;   // the dispatcher refuses it before any check
    try {
        method.check(args);
    } catch (const ServerError &) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray body = fuzz::bytesOf(data + 1, size - 1);
    const size_t pick = data[0] % (std::size(kMethods) + 1);
    if (pick == std::size(kMethods))
        checkLogin(body);
    else
        checkCall(kMethods[pick], body);
    return 0;
}
