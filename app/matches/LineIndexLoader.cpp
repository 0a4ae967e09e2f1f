#include "matches/LineIndexLoader.h"

#include <QFutureWatcher>
#include <QtConcurrent>

LineIndexLoader::LineIndexLoader(QThreadPool& pool, QObject* parent) : QObject(parent), mPool(pool) {}

LineIndexLoader::~LineIndexLoader()
{
    cancel();
}

void LineIndexLoader::cancel()
{
    if (mCancel)
        mCancel->store(true);
    mCancel = nullptr;
}

void LineIndexLoader::request(const QString& text)
{
    // The same text reaches here again with every new set of matches of it; comparing the
    // characters costs a fraction of indexing them again.
    if (mRequested && (text.isSharedWith(mText) || text == mText))
        return;
    cancel();
    mRequested = true;
    mText = text;
    mIndex = nullptr;
    auto flag = std::make_shared<std::atomic_bool>(false);
    mCancel = flag;
    auto* watcher = new QFutureWatcher<std::shared_ptr<const LineIndex>>(this);
    connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, flag] {
        watcher->deleteLater();
        if (flag->load() || flag != mCancel)
            return;
        mCancel = nullptr;
        mIndex = watcher->result();
        emit ready(mIndex);
    });
    watcher->setFuture(QtConcurrent::run(&mPool, [text, flag] { return LineIndex::build(text, flag.get()); }));
}
