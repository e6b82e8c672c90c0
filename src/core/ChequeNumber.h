#pragma once

#include <QString>

#include <optional>

// Cheque numbers are digit texts: leading zeros are part of the number as the
// cheque book prints it, so they are kept, never parsed away.
namespace ChequeNumber {

constexpr int kMaxDigits = 12;

// One to twelve digits 0-9 and nothing else.
bool isValid(const QString& number);
// The number after `number`, as wide as it ("000999" -> "001000"; "999" ->
// "1000"). Nothing when `number` is not valid or the next one would need a
// thirteenth digit.
std::optional<QString> following(const QString& number);

}  // namespace ChequeNumber
