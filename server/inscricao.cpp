#include "inscricao.h"

#include <QVector>

namespace appserver {

namespace {

bool allDigits(const QString &text)
{
    for (const QChar c : text)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    return !text.isEmpty();
}

// Modulo-11 check digit over the digits with the given weights (first weight first).
int checkDigit(const QString &digits, const QVector<int> &weights)
{
    int sum = 0;
    for (int i = 0; i < digits.size(); ++i)
        sum += digits.at(i).digitValue() * weights.at(i);
    const int remainder = sum % 11;
    return remainder < 2 ? 0 : 11 - remainder;
}

QString appendDigit(const QString &digits, const QVector<int> &weights)
{
    return digits + QString::number(checkDigit(digits, weights));
}

QVector<int> descendingWeights(int from, int count)
{
    QVector<int> weights;
    for (int i = 0; i < count; ++i)
        weights.append(from - i);
    return weights;
}

const QVector<int> kCnpjFirst = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
const QVector<int> kCnpjSecond = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};

} // namespace

QString cnpjFromBase(const QString &twelveDigits)
{
    if (twelveDigits.size() != 12 || !allDigits(twelveDigits))
        return QString();
    return appendDigit(appendDigit(twelveDigits, kCnpjFirst), kCnpjSecond);
}

QString cpfFromBase(const QString &nineDigits)
{
    if (nineDigits.size() != 9 || !allDigits(nineDigits))
        return QString();
    return appendDigit(appendDigit(nineDigits, descendingWeights(10, 9)), descendingWeights(11, 10));
}

bool isValidRegistrationNumber(const QString &legalPersonType, const QString &number)
{
    if (!allDigits(number) || number.count(number.at(0)) == number.size())
        return false;
    if (legalPersonType == QLatin1String("J"))
        return number.size() == 14 && cnpjFromBase(number.left(12)) == number;
    if (legalPersonType == QLatin1String("F"))
        return number.size() == 11 && cpfFromBase(number.left(9)) == number;
    return false;
}

} // namespace appserver
