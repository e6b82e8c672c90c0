#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/AppInfo.h"
#include "platform/MachineSettings.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The Directory value of group 1.00.0001 as read from a file of the given bytes;
// an invalid value reads as "<none>".
struct ReadCase {
    const char* name;
    QByteArray file;
    QString expected;
};

TEST(SystemMachineSettings, ReadsTheValueAsPlainText) {
    const QString none = QStringLiteral("<none>");
    const ReadCase cases[] = {
        {"as documented", "[1.00.0001]\nDirectory=/srv/cheques\n", QStringLiteral("/srv/cheques")},
        {"comma", "[1.00.0001]\nDirectory=/srv/a,b\n", QStringLiteral("/srv/a,b")},
        {"comma and blank", "[1.00.0001]\nDirectory=/srv/Smith, Jones & Co\n",
         QStringLiteral("/srv/Smith, Jones & Co")},
        {"backslash, semicolon, percent", "[1.00.0001]\nDirectory=/srv/a\\b;c%20d\n",
         QStringLiteral("/srv/a\\b;c%20d")},
        {"quoted, outer blanks kept", "[1.00.0001]\nDirectory=\" /srv/x \"\n", QStringLiteral(" /srv/x ")},
        {"blanks around =", "[1.00.0001]\n  Directory = /srv/y  \n", QStringLiteral("/srv/y")},
        {"CRLF, BOM, comments", "\xEF\xBB\xBF; comment\r\n[1.00.0001]\r\n# other\r\nDirectory=/srv/z\r\n",
         QStringLiteral("/srv/z")},
        {"last line wins", "[1.00.0001]\nDirectory=/a\nDirectory=/b\n", QStringLiteral("/b")},
        {"another version's group", "[1.00.0002]\nDirectory=/srv/other\n", none},
        {"outside any group", "Directory=/srv/general\n[1.00.0001]\nOther=1\n", none},
        {"key differs in case", "[1.00.0001]\ndirectory=/srv/lower\n", none},
        {"empty value", "[1.00.0001]\nDirectory=\n", QString()},
    };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Quorvanta/Quorvanta Solo Edition.conf"));
    const SystemMachineSettings settings(QStringList{dir.path()});
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        writeFile(path, c.file);
        const QVariant value =
            settings.value(AppInfo::settingsKeyPath(), AppInfo::dataDirectoryValueName());
        EXPECT_EQ(value.isValid() ? value.toString() : none, c.expected);
    }
}

// The first folder holding the .conf file wins; Qt's own ".ini" name is not read.
TEST(SystemMachineSettings, FindsTheConfFileInTheFirstConfigFolderHoldingIt) {
    QTemporaryDir dir;
    const auto write = [&](const char* folder, const char* suffix, const QByteArray& value) {
        writeFile(dir.filePath(QLatin1String(folder) + QStringLiteral("/Quorvanta/Quorvanta Solo Edition") +
                               QLatin1String(suffix)),
                  "[1.00.0001]\nDirectory=" + value + "\n");
    };
    write("a", ".ini", "/from/ini");
    write("b", ".conf", "/from/b");
    write("c", ".conf", "/from/c");
    const auto read = [&](QStringList folders) {
        for (QString& folder : folders) folder = dir.filePath(folder);
        return SystemMachineSettings(folders)
            .value(AppInfo::settingsKeyPath(), AppInfo::dataDirectoryValueName());
    };
    EXPECT_EQ(read({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}), QVariant(QStringLiteral("/from/b")));
    EXPECT_EQ(read({QStringLiteral("c"), QStringLiteral("b")}), QVariant(QStringLiteral("/from/c")));
    EXPECT_FALSE(read({QStringLiteral("a")}).isValid());
}

}  // namespace
