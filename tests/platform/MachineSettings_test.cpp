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
        {"UTF-8", "[1.00.0001]\nDirectory=/srv/caf\xC3\xA9\n", QStringLiteral("/srv/caf\u00E9")},
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

TEST(SystemMachineSettings, FindsTheConfFileInTheFirstConfigFolderHoldingIt) {
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("first"));
    const QString second = dir.filePath(QStringLiteral("second"));
    const QString third = dir.filePath(QStringLiteral("third"));
    const QString relative = QStringLiteral("/Quorvanta/Quorvanta Solo Edition");
    // Qt's own INI name is not the system-scope settings file of Linux.
    writeFile(first + relative + QStringLiteral(".ini"), "[1.00.0001]\nDirectory=/from/ini\n");
    writeFile(second + relative + QStringLiteral(".conf"), "[1.00.0001]\nDirectory=/from/second\n");
    writeFile(third + relative + QStringLiteral(".conf"), "[1.00.0001]\nDirectory=/from/third\n");
    const QString key = AppInfo::settingsKeyPath();
    const QString name = AppInfo::dataDirectoryValueName();
    EXPECT_EQ(SystemMachineSettings({first, second, third}).value(key, name), QVariant(QStringLiteral("/from/second")));
    EXPECT_EQ(SystemMachineSettings({third, second}).value(key, name), QVariant(QStringLiteral("/from/third")));
    EXPECT_FALSE(SystemMachineSettings({first}).value(key, name).isValid());

    // By default the folders are those of XDG_CONFIG_DIRS.
    const QByteArray saved = qgetenv("XDG_CONFIG_DIRS");
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(first + QLatin1Char(':') + third));
    EXPECT_EQ(SystemMachineSettings().value(key, name), QVariant(QStringLiteral("/from/third")));
    if (saved.isNull()) qunsetenv("XDG_CONFIG_DIRS");
    else qputenv("XDG_CONFIG_DIRS", saved);
}

}  // namespace
