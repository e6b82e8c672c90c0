#pragma once

#include <QByteArray>
#include <QObject>

#include <memory>
#include <vector>

#include "batch/BatchFile.h"
#include "batch/BatchSetup.h"
#include "batch/CheckedRow.h"

class QThread;

// Reads and checks a batch file on a worker thread, so the window stays
// responsive; finished() is emitted in the loader's own thread.
class BatchLoader : public QObject {
    Q_OBJECT

public:
    struct Result {
        BatchFile::Result file;
        std::vector<CheckedRow> checked;
        BatchSetup setup;
    };

    explicit BatchLoader(QObject* parent);
    ~BatchLoader() override;

    // Starts reading `bytes`; false while an earlier file is still being read.
    bool start(QByteArray bytes, BatchSetup setup);
    bool busy() const { return m_thread != nullptr; }
    // The result of the finished read.
    Result takeResult() { return std::move(m_result); }

signals:
    void finished();

private:
    QThread* m_thread = nullptr;
    Result m_result;
};
