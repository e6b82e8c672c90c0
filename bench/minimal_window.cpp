// The baseline of start-up and memory: a Qt Widgets program that shows one empty
// window, quits, and prints its peak resident size.
#include <QApplication>
#include <QFile>
#include <QTextStream>
#include <QTimer>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.resize(600, 200);
    window.show();
    QTimer::singleShot(0, &app, &QCoreApplication::quit);
    const int code = QApplication::exec();
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n'))
            if (line.startsWith("VmHWM:"))
                QTextStream(stdout) << "peak_rss_kb " << line.mid(6).trimmed().split(' ').value(0)
                                    << Qt::endl;
    }
    return code;
}
