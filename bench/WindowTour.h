#pragma once

#include <QString>

#include "platform/Dialogs.h"

struct AppContext;
class MainWindow;

// Opens and closes every window once without a user, for memory measurements:
// options, the designer (adding a format, with the location window), and the
// print preview of that format. Message boxes are answered without showing them
// (and written to standard error). With a grab folder, each window is saved
// there as a picture.
class WindowTourDialogs final : public Dialogs {
public:
    explicit WindowTourDialogs(QString grabFolder = {}) : m_grabFolder(std::move(grabFolder)) {}
    Answer message(const QString&, const QString&, Icon, Buttons buttons) override;
    std::optional<FontSpec> chooseFont(const FontSpec&, const FontDialogOptions&) override;
    int showModal(QDialog* dialog) override;
    std::optional<QString> openFileName(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<QString> saveFileName(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }

private:
    QString m_grabFolder;
};

void runWindowTour(AppContext& context, MainWindow& main, const QString& grabFolder = {});

// The process's peak resident set size in kB (VmHWM), or -1.
long peakResidentKb();
