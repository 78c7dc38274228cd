#pragma once
// Brazilian registration numbers of suppliers: CNPJ (companies, legal-person type "J",
// 14 digits) and CPF (individuals, type "F", 11 digits), stored as digits only.

#include <QString>

namespace appserver {

// Completes a base with its two check digits: 12 digits give a CNPJ, 9 digits a CPF.
// Returns an empty text when the base is not all digits of one of those lengths.
QString cnpjFromBase(const QString &twelveDigits);
QString cpfFromBase(const QString &nineDigits);

// True when the number has the length of the type ("J": 14, "F": 11), only digits,
// not all the same digit, and correct check digits.
bool isValidRegistrationNumber(const QString &legalPersonType, const QString &number);

} // namespace appserver
