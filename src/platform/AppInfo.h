#pragma once

#include <QString>

// The program's identity texts.
namespace AppInfo {

// The build's version, from the project's version number (major.minor.revision).
constexpr int kMajor = QUORVANTA_VERSION_MAJOR;
constexpr int kMinor = QUORVANTA_VERSION_MINOR;
constexpr int kRevision = QUORVANTA_VERSION_PATCH;

inline QString title() { return QStringLiteral("Quorvanta Solo"); }

// The desktop entry's name without ".desktop"; also the icon's and metainfo's name.
inline QString desktopFileName() { return QStringLiteral(QUORVANTA_APP_ID); }

// "1.0.1": the package's version.
inline QString version() {
    return QString::number(kMajor) + QLatin1Char('.') + QString::number(kMinor) + QLatin1Char('.') +
           QString::number(kRevision);
}

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
