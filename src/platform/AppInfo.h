#pragma once

#include <QString>

// The program's identity texts.
namespace AppInfo {

constexpr int kMajor = 1;
constexpr int kMinor = 0;
constexpr int kRevision = 1;

inline QString title() { return QStringLiteral("Quorvanta Solo"); }

// "1.00.0001": major, minor as "00", revision as "0000".
inline QString versionKey() {
    return QString::number(kMajor) + QLatin1Char('.') +
           QStringLiteral("%1").arg(kMinor, 2, 10, QLatin1Char('0')) + QLatin1Char('.') +
           QStringLiteral("%1").arg(kRevision, 4, 10, QLatin1Char('0'));
}

// "Version 1.0 (Build 1)".
inline QString versionCaption() {
    return QStringLiteral("Version ") + QString::number(kMajor) + QLatin1Char('.') +
           QString::number(kMinor) + QStringLiteral(" (Build ") + QString::number(kRevision) +
           QLatin1Char(')');
}

// Where the per-machine data-directory value lives.
inline QString settingsKeyPath() {
    return QStringLiteral("Software\\Quorvanta\\Quorvanta Solo Edition\\") + versionKey();
}
inline QString dataDirectoryValueName() { return QStringLiteral("Directory"); }

// The vendor's web site: printed at the foot of the alignment sheets and opened
// from the About page.
inline QString webAddress() { return QStringLiteral("https://www.quorvanta.example/solo"); }

}  // namespace AppInfo
