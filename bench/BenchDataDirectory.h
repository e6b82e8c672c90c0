#pragma once

#include "platform/AppInfo.h"
#include "platform/MachineSettings.h"

// Points the program's start-up at a benchmark's own temporary data folder, as
// the `Directory` value of the system-scope settings would.
class BenchDataDirectory final : public MachineSettings {
public:
    explicit BenchDataDirectory(QString directory) : m_directory(std::move(directory)) {}
    QVariant value(const QString& keyPath, const QString& valueName) const override {
        if (keyPath == AppInfo::settingsKeyPath() && valueName == AppInfo::dataDirectoryValueName())
            return m_directory;
        return {};
    }

private:
    QString m_directory;
};
