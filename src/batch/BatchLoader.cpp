#include "batch/BatchLoader.h"

#include <QThread>

#include "batch/BatchCheck.h"

BatchLoader::BatchLoader(QObject* parent) : QObject(parent) {}

BatchLoader::~BatchLoader() {
    if (m_thread) {
        m_thread->wait();
        delete m_thread;
    }
}

bool BatchLoader::start(QByteArray bytes, BatchSetup setup) {
    if (m_thread) return false;
    // The worker owns its copies; the result is handed over when it has ended.
    auto work = [this, bytes = std::move(bytes), setup = std::move(setup)]() mutable {
        Result result;
        result.file = BatchFile::read(bytes);
        if (result.file.ok) result.checked = BatchCheck::checkAll(result.file.rows, setup);
        result.setup = std::move(setup);
        m_result = std::move(result);
    };
    m_thread = QThread::create(std::move(work));
    connect(m_thread, &QThread::finished, this, [this] {
        m_thread->deleteLater();
        m_thread = nullptr;
        emit finished();
    });
    m_thread->start();
    return true;
}
