#pragma once

#include "matches/LineIndex.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class QThreadPool;

/// Builds the line index of a text on a thread pool, so that a window never walks a large
/// text itself. Asking again for the text it has, or is building, starts nothing; asking
/// for another text cancels the build in flight, which then never reports.
class LineIndexLoader : public QObject {
    Q_OBJECT
public:
    /// Builds go to pool, which must outlive the loader.
    explicit LineIndexLoader(QThreadPool& pool, QObject* parent = nullptr);
    ~LineIndexLoader() override;

    /// Asks for the index of text; ready follows once it is built.
    void request(const QString& text);
    /// The index of the text last asked for, once built; null until then.
    const std::shared_ptr<const LineIndex>& index() const { return mIndex; }
    /// True while a build runs.
    bool isBusy() const { return mCancel != nullptr; }

signals:
    void ready(const std::shared_ptr<const LineIndex>& index);

private:
    void cancel();

    QThreadPool& mPool;
    QString mText;
    bool mRequested = false;
    std::shared_ptr<const LineIndex> mIndex;
    /// The flag of the build in flight; null when none runs.
    std::shared_ptr<std::atomic_bool> mCancel;
};
