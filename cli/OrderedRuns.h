#pragma once

#include "cli/CliOutput.h"
#include "regex/RegExp.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

/// What a run on one worker thread has of its own: a copy of the search, and the JIT stack
/// that all its searches reuse.
struct Worker {
    explicit Worker(const RegExp& expression) : regExp(expression) {}

    RegExp regExp;
    SearchScratch scratch;
};

/// Runs jobs on worker threads and writes what each job wrote to the output whole, in the
/// order the jobs were added, as if they had run one after another. A few jobs run ahead of
/// the one whose output is written next, so that memory stays bounded.
class OrderedRuns {
public:
    /// A job writes to its own output and returns whether it found a match.
    using Job = std::function<bool(Worker&, CliOutput&)>;

    /// threads workers, each with its own copy of regExp; with one, jobs run on the caller's
    /// thread as they are added.
    OrderedRuns(const RegExp& regExp, int threads, CliOutput& output);
    /// Waits for the jobs added.
    ~OrderedRuns();
    OrderedRuns(const OrderedRuns&) = delete;
    OrderedRuns& operator=(const OrderedRuns&) = delete;

    void add(Job job);
    /// Adds output that is already written, such as messages between jobs.
    void add(RecordedCliOutput recorded);
    /// Waits for every job and writes what is left; whether any job found a match.
    bool finish();

private:
    struct Slot {
        Job job;
        RecordedCliOutput output;
        bool found = false;
        bool done = false;
    };

    void push(std::unique_ptr<Slot> slot);
    static void run(Slot& slot, Worker& worker);
    void work(Worker& worker);
    /// Writes the slots at the front that are done; with wait, waits for the front one first.
    void writeDone(bool wait);

    CliOutput& mOutput;
    std::mutex mMutex;
    /// Workers wait for jobs; the writer waits for the job whose output is written next, and
    /// is woken only while it waits, which spares a system call for most jobs.
    std::condition_variable mJobAdded;
    std::condition_variable mJobDone;
    bool mWriterWaits = false;
    /// The slots not written yet, in order; the first mTaken of them have been taken by workers.
    std::deque<std::unique_ptr<Slot>> mSlots;
    std::size_t mTaken = 0;
    bool mStopping = false;
    bool mFound = false;
    std::size_t mMostAhead;
    std::vector<std::unique_ptr<Worker>> mWorkers;
    std::vector<std::thread> mThreads;
};
