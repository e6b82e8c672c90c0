#pragma once

#include <QString>

// Hands a web address to the desktop shell.
class Shell {
public:
    virtual ~Shell() = default;
    virtual bool openUrl(const QString& address) = 0;
};

class DesktopShell final : public Shell {
public:
    bool openUrl(const QString& address) override;
};
