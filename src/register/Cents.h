#pragma once

#include <QString>

#include <cstdint>

// Amounts in cents as text, exactly (no floating point on the way).
namespace Cents {

// "1,234.50" with grouping, "1234.50" without.
QString toText(std::int64_t cents, bool grouping = true);

}  // namespace Cents
