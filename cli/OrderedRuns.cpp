#include "cli/OrderedRuns.h"

#include <new>

OrderedRuns::OrderedRuns(const RegExp& regExp, int threads, CliOutput& output)
    : mOutput(output), mMostAhead(std::size_t(std::max(threads, 1)) * 4)
{
    for (int i = 0; i < std::max(threads, 1); ++i)
        mWorkers.push_back(std::make_unique<Worker>(regExp));
    if (threads <= 1)
        return;
    for (const std::unique_ptr<Worker>& worker : mWorkers)
        mThreads.emplace_back([this, &worker = *worker] { work(worker); });
}

OrderedRuns::~OrderedRuns()
{
    {
        std::lock_guard lock(mMutex);
        mStopping = true;
    }
    mJobAdded.notify_all();
    for (std::thread& thread : mThreads)
        thread.join();
}

void OrderedRuns::add(Job job)
{
    auto slot = std::make_unique<Slot>();
    slot->job = std::move(job);
    if (mThreads.empty()) {
        run(*slot, *mWorkers.front());
        slot->done = true;
    }
    push(std::move(slot));
}

void OrderedRuns::add(RecordedCliOutput recorded)
{
    auto slot = std::make_unique<Slot>();
    slot->output = std::move(recorded);
    slot->done = true;
    push(std::move(slot));
}

void OrderedRuns::push(std::unique_ptr<Slot> slot)
{
    {
        std::lock_guard lock(mMutex);
        mSlots.push_back(std::move(slot));
    }
    mJobAdded.notify_one();
    writeDone(false);
    while (true) {
        {
            std::lock_guard lock(mMutex);
            if (mSlots.size() < mMostAhead)
                return;
        }
        writeDone(true);
    }
}

bool OrderedRuns::finish()
{
    while (true) {
        {
            std::lock_guard lock(mMutex);
            if (mSlots.empty())
                break;
        }
        writeDone(true);
    }
    mOutput.flush();
    return mFound;
}

void OrderedRuns::work(Worker& worker)
{
    std::unique_lock lock(mMutex);
    for (;;) {
        mJobAdded.wait(lock, [&] { return mStopping || mTaken < mSlots.size(); });
        if (mTaken == mSlots.size())
            return;
        Slot& slot = *mSlots[mTaken++];
        if (slot.done)
            continue;
        lock.unlock();
        run(slot, worker);
        lock.lock();
        slot.done = true;
        if (mWriterWaits)
            mJobDone.notify_one();
    }
}

void OrderedRuns::run(Slot& slot, Worker& worker)
{
    // Memory that runs out ends this job, not the program, whose other threads go on.
    try {
        slot.found = slot.job(worker, slot.output);
    } catch (const std::bad_alloc&) {
        slot.output.error("there is not enough memory");
    }
}

void OrderedRuns::writeDone(bool wait)
{
    for (;;) {
        std::unique_ptr<Slot> front;
        {
            std::unique_lock lock(mMutex);
            if (wait && !mSlots.empty() && !mSlots.front()->done) {
                // What was written goes out before the writer waits for a search, so that a
                // slow one never holds back the results before it; otherwise the stream's
                // buffer gathers them, rather than a system call for each file. Flushing an
                // empty buffer costs no system call.
                lock.unlock();
                mOutput.flush();
                lock.lock();
                mWriterWaits = true;
                mJobDone.wait(lock, [&] { return mSlots.empty() || mSlots.front()->done; });
                mWriterWaits = false;
            }
            if (mSlots.empty() || !mSlots.front()->done)
                return;
            front = std::move(mSlots.front());
            mSlots.pop_front();
            if (mTaken > 0)
                --mTaken;
            mFound = mFound || front->found;
        }
        // Written outside the lock, so that the workers go on meanwhile.
        mOutput.replay(front->output);
        wait = false;
    }
}
