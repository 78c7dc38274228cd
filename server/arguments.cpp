#include "arguments.h"

#include "servererror.h"

#include <cmath>

namespace appserver {

namespace {

QString requireText(const QVariant &argument, const QString &what)
{
    if (argument.metaType().id() != QMetaType::QString)
        throw ServerError(ServerTexts::tr("Argumento inválido: %1 deve ser um texto.").arg(what));
    return argument.toString();
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

// Run numbers are INTEGER columns.
const qint64 kMaxRunNumber = 2147483647;

// A number argument (numbers arrive as doubles) that is whole and within the bounds.
qint64 requireWholeNumber(const QVariant &argument, qint64 lowest, qint64 highest, const QString &message)
{
    if (!isNumeric(argument))
        throw ServerError(message);
    const double value = argument.toDouble();
    if (!std::isfinite(value) || value < double(lowest) || value > double(highest) || std::floor(value) != value)
        throw ServerError(message);
    return qint64(value);
}

void requireCount(const QVariantList &args, int count)
{
    // The dispatcher checks the count too; this keeps the parsers safe on their own.
    if (args.size() != count)
        throw ServerError(ServerTexts::tr("Número de argumentos inválido: esperados %1, recebidos %2.")
                              .arg(count).arg(args.size()));
}

} // namespace

Selection parseSelection(const QVariant &argument, const SelectionKind &kind)
{
    const QString text = requireText(argument, ServerTexts::tr("a seleção de %1").arg(contracts::Texts::tr(kind.plural)));
    try {
        return contracts::readSelection(text, kind);
    } catch (const contracts::SelectionError &error) {
        throw ServerError(error.message());
    }
}

bool parseAllFlag(const QVariant &argument, const QString &what)
{
    const QString text = requireText(argument, what);
    if (text.isEmpty())
        return false;
    if (text == QLatin1String("T"))
        return true;
    throw ServerError(ServerTexts::tr("Argumento inválido: %1 deve ser \"T\" ou vazio, recebido %2.")
                          .arg(what, contracts::quotedForMessage(text)));
}

QString parsePeriodicity(const QVariant &argument)
{
    const QString text = requireText(argument, ServerTexts::tr("o código da periodicidade"));
    if (text.size() > 2 || !contracts::isCodeText(text))
        throw ServerError(ServerTexts::tr("Código de periodicidade inválido: %1 (até 2 letras ou dígitos).")
                              .arg(contracts::quotedForMessage(text)));
    return text;
}

int parseLeadTime(const QVariant &argument)
{
    return int(requireWholeNumber(argument, 0, 999,
                                  ServerTexts::tr("Prazo para expedição inválido: informe um número inteiro de 0 a 999.")));
}

qint64 parseRunNumber(const QVariant &argument)
{
    if (!argument.isValid() || argument.isNull())
        throw ServerError(ServerTexts::tr("Número da execução não informado: informe qual execução do "
                                          "cadastramento automático desfazer."));
    return requireWholeNumber(argument, 1, kMaxRunNumber,
                              ServerTexts::tr("Número da execução inválido: informe um número inteiro de 1 a %1.")
                                  .arg(kMaxRunNumber));
}

ScopeArguments parseScopeArguments(const QVariantList &args)
{
    requireCount(args, 5);
    ScopeArguments scope;
    scope.suppliers = parseSelection(args.at(0), kSuppliers);
    scope.allSuppliers = parseAllFlag(args.at(1), ServerTexts::tr("o indicador de todos os fornecedores"));
    scope.branches = parseSelection(args.at(2), kBranches);
    scope.allBranches = parseAllFlag(args.at(3), ServerTexts::tr("o indicador de todas as filiais"));
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
