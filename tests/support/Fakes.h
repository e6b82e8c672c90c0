#pragma once

#include <QHash>
#include <QPair>

#include "platform/Clock.h"
#include "platform/MachineSettings.h"
#include "platform/Shell.h"
#include "platform/TextMeasure.h"

struct FakeClock final : Clock {
    QDateTime now() const override { return current; }
    QDateTime current{QDate(2026, 12, 5), QTime(10, 30)};
};

struct FakeShell final : Shell {
    bool openUrl(const QString& address) override { return opened << address, true; }
    QStringList opened;
};

struct FakeMachineSettings final : MachineSettings {
    QVariant value(const QString& key, const QString& name) const override { return values.value({key, name}); }
    QHash<QPair<QString, QString>, QVariant> values;
};

// Every character is `charWidth` twips wide, times `boldFactor` when bold and
// scaled by size / 10, so splits can be computed by hand.
struct FakeTextMeasure final : TextMeasure {
    double widthTwips(const QString& text, const FontSpec& font) const override {
        return text.size() * charWidth * (font.bold ? boldFactor : 1.0) * font.size / 10.0;
    }
    double charWidth = 100.0, boldFactor = 1.5;
};
