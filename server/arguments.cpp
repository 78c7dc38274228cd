#include "arguments.h"

#include "servererror.h"

#include <QSet>
#include <cmath>

namespace appserver {

const SelectionKind kRegions{QStringLiteral("regiões"), 3, true};
const SelectionKind kBranches{QStringLiteral("filiais"), 4, false};
const SelectionKind kSuppliers{QStringLiteral("fornecedores"), 21, false};

namespace {

const QChar kSeparator = QLatin1Char('_');

bool isCodeChar(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

bool isCode(const QString &text)
{
    for (const QChar c : text)
        if (!isCodeChar(c))
            return false;
    return true;
}

// Quotes a user-supplied text for a message, cut short so that a huge argument does not
// become a huge message.
QString quoted(const QString &text)
{
    const int kShown = 30;
    return QStringLiteral("\"%1\"").arg(text.size() > kShown ? text.left(kShown) + QStringLiteral("...") : text);
}

QString requireText(const QVariant &argument, const QString &what)
{
    if (argument.metaType().id() != QMetaType::QString)
        throw ServerError(QStringLiteral("Argumento inválido: %1 deve ser um texto.").arg(what));
    return argument.toString();
}

ServerError selectionError(const SelectionKind &kind, const QString &detail)
{
    return ServerError(QStringLiteral("Seleção de %1 inválida: %2").arg(kind.plural, detail));
}

QString expectedForm(const SelectionKind &kind)
{
    return kind.acceptsAll
        ? QStringLiteral("use vazio, \"T\" ou códigos entre \"_\" (ex.: \"_SE_S_\").")
        : QStringLiteral("use vazio ou códigos entre \"_\" (ex.: \"_0001_0003_\").");
}

bool isNumeric(const QVariant &value)
{
    switch (value.metaType().id()) {
    case QMetaType::Double: case QMetaType::Float:
    case QMetaType::Int: case QMetaType::UInt:
    case QMetaType::LongLong: case QMetaType::ULongLong:
    case QMetaType::Short: case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

void requireCount(const QVariantList &args, int count)
{
    // The dispatcher checks the count too; this keeps the parsers safe on their own.
    if (args.size() != count)
        throw ServerError(QStringLiteral("Número de argumentos inválido: esperados %1, recebidos %2.")
                              .arg(count).arg(args.size()));
}

} // namespace

Selection parseSelection(const QVariant &argument, const SelectionKind &kind)
{
    const QString text = requireText(argument, QStringLiteral("a seleção de %1").arg(kind.plural));
    Selection selection;
    if (text.isEmpty())
        return selection;
    if (text == QLatin1String("T")) {
        if (!kind.acceptsAll)
            throw selectionError(kind, expectedForm(kind));
        selection.all = true;
        return selection;
    }
    if (text.size() < 3 || !text.startsWith(kSeparator) || !text.endsWith(kSeparator))
        throw selectionError(kind, expectedForm(kind));

    QSet<QString> seen;
    const QStringList parts = text.mid(1, text.size() - 2).split(kSeparator);
    for (const QString &code : parts) {
        if (code.isEmpty())
            throw selectionError(kind, QStringLiteral("há um código vazio entre \"_\"."));
        if (!isCode(code))
            throw selectionError(kind, QStringLiteral("o código %1 contém caracteres não permitidos "
                                                      "(somente letras e dígitos).").arg(quoted(code)));
        if (code.size() > kind.maxCodeLength)
            throw selectionError(kind, QStringLiteral("o código %1 excede %2 caracteres.")
                                           .arg(quoted(code)).arg(kind.maxCodeLength));
        if (!seen.contains(code)) {
            seen.insert(code);
            selection.codes.append(code);
        }
    }
    return selection;
}

bool parseAllFlag(const QVariant &argument, const QString &what)
{
    const QString text = requireText(argument, what);
    if (text.isEmpty())
        return false;
    if (text == QLatin1String("T"))
        return true;
    throw ServerError(QStringLiteral("Argumento inválido: %1 deve ser \"T\" ou vazio, recebido %2.")
                          .arg(what, quoted(text)));
}

QString parsePeriodicity(const QVariant &argument)
{
    const QString text = requireText(argument, QStringLiteral("o código da periodicidade"));
    if (text.size() > 2 || !isCode(text))
        throw ServerError(QStringLiteral("Código de periodicidade inválido: %1 (até 2 letras ou dígitos).")
                              .arg(quoted(text)));
    return text;
}

int parseLeadTime(const QVariant &argument)
{
    const QString message = QStringLiteral("Prazo para expedição inválido: informe um número inteiro de 0 a 999.");
    if (!isNumeric(argument))
        throw ServerError(message);
    const double value = argument.toDouble();
    if (!std::isfinite(value) || value < 0 || value > 999 || std::floor(value) != value)
        throw ServerError(message);
    return int(value);
}

ScopeArguments parseScopeArguments(const QVariantList &args)
{
    requireCount(args, 5);
    ScopeArguments scope;
    scope.suppliers = parseSelection(args.at(0), kSuppliers);
    scope.allSuppliers = parseAllFlag(args.at(1), QStringLiteral("o indicador de todos os fornecedores"));
    scope.branches = parseSelection(args.at(2), kBranches);
    scope.allBranches = parseAllFlag(args.at(3), QStringLiteral("o indicador de todas as filiais"));
    scope.regions = parseSelection(args.at(4), kRegions);
    return scope;
}

RegistrationArguments parseRegistrationArguments(const QVariantList &args)
{
    requireCount(args, 7);
    RegistrationArguments registration;
    registration.scope = parseScopeArguments({args.at(0), args.at(1), args.at(2), args.at(3), args.at(5)});
    registration.periodicity = parsePeriodicity(args.at(4));
    registration.leadTime = parseLeadTime(args.at(6));
    return registration;
}

} // namespace appserver
