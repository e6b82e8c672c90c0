#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include "platform/AppInfo.h"
#include "platform/MachineSettings.h"

// The Directory value of group 1.00.0001, read as plain text from the first config
// folder holding the .conf file (Qt's own ".ini" name is not read); "-": no value.
TEST(SystemMachineSettings, ReadsTheDirectoryAsPlainTextFromTheFirstFolderHoldingTheFile) {
    const struct { const char *name, *bytes, *expected; } cases[] = {
        {"as documented, a later folder ignored", "[1.00.0001]\nDirectory=/srv/Smith, Jones & Co\n",
         "/srv/Smith, Jones & Co"},
        {"backslash, semicolon, percent", "[1.00.0001]\nDirectory=/srv/a\\b;c%20d\n", "/srv/a\\b;c%20d"},
        {"quoted, blanks kept", "[1.00.0001]\n  Directory = \" /srv/x \"\n", " /srv/x "},
        {"CRLF, BOM, comments, last line wins",
         "\xEF\xBB\xBF; c\r\n[1.00.0001]\r\n# o\r\nDirectory=/a\r\nDirectory=/z\r\n", "/z"},
        {"other version's group, or none", "Directory=/g\n[1.00.0002]\nDirectory=/o\n[1.00.0001]\ndirectory=/l\n", "-"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const auto write = [&](const QString& path, const QByteArray& bytes) {
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        };
        const auto in = [&](const char* path) { return dir.filePath(QLatin1String(path)); };
        write(in("a/Quorvanta/Quorvanta Solo Edition.ini"), "[1.00.0001]\nDirectory=/ini\n");
        write(in("b/Quorvanta/Quorvanta Solo Edition.conf"), c.bytes);
        write(in("c/Quorvanta/Quorvanta Solo Edition.conf"), "[1.00.0001]\nDirectory=/c\n");
        const QVariant value = SystemMachineSettings({in("a"), in("b"), in("c")})
                                   .value(AppInfo::settingsKeyPath(), AppInfo::dataDirectoryValueName());
        EXPECT_EQ(value.isValid() ? value.toString().toStdString() : "-", c.expected);
    }
}
