#pragma once

#include <QHash>
#include <QPair>

#include "platform/Clock.h"
#include "platform/MachineSettings.h"
#include "platform/Shell.h"
#include "platform/TextMeasure.h"

class FakeClock final : public Clock {
public:
    QDateTime now() const override { return current; }
    QDateTime current{QDate(2026, 12, 5), QTime(10, 30)};
};

class FakeShell final : public Shell {
public:
    bool openUrl(const QString& address) override {
        opened << address;
        return true;
    }
    QStringList opened;
};

class FakeMachineSettings final : public MachineSettings {
public:
    QVariant value(const QString& keyPath, const QString& valueName) const override {
        return values.value(qMakePair(keyPath, valueName));
    }
    QHash<QPair<QString, QString>, QVariant> values;
};

// Every character is `charWidth` twips wide, times `boldFactor` when bold and
// scaled by size / 10, so splits can be computed by hand.
class FakeTextMeasure final : public TextMeasure {
public:
    double widthTwips(const QString& text, const FontSpec& font) const override {
        return text.size() * charWidth * (font.bold ? boldFactor : 1.0) * font.size / 10.0;
    }
    double charWidth = 100.0;
    double boldFactor = 1.5;
};
