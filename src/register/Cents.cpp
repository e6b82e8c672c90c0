#include "register/Cents.h"

namespace Cents {

QString toText(std::int64_t cents, bool grouping) {
    const bool negative = cents < 0;
    // Magnitude in unsigned arithmetic, so that the smallest int64 has one too.
    const auto magnitude = negative ? 0 - static_cast<std::uint64_t>(cents)
                                    : static_cast<std::uint64_t>(cents);
    const QString whole = QString::number(magnitude / 100);
    QString grouped;
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (grouping && i > 0 && (whole.size() - i) % 3 == 0) grouped += QLatin1Char(',');
        grouped += whole.at(i);
    }
    return (negative ? QStringLiteral("-") : QString()) + grouped + QLatin1Char('.') +
           QStringLiteral("%1").arg(magnitude % 100, 2, 10, QLatin1Char('0'));
}

}  // namespace Cents
