#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdio>
#include <vector>

/// Where a run of sifta-cli writes: results to one stream, messages to another, each message
/// on a line of its own that starts with "sifta-cli: ". Subclasses say where the bytes go.
class RecordedCliOutput;

class CliOutput {
public:
    virtual ~CliOutput() = default;

    /// Writes bytes to the results stream as they are.
    void write(QByteArrayView bytes) { writeResults(bytes); }
    /// Writes a message that reports no failure.
    void note(QByteArrayView text);
    /// Writes a message and remembers that the run failed.
    void error(QByteArrayView text);

    /// Hands the results written so far on to where they go, where a reader may be waiting
    /// for them (a pipe, a terminal).
    virtual void flush() {}

    /// Whether any error was written.
    bool failed() const { return mFailed; }

    /// Writes what recorded holds, results and messages in the order they were written, and
    /// takes on its failure.
    void replay(const RecordedCliOutput& recorded);

protected:
    virtual void writeResults(QByteArrayView bytes) = 0;
    /// Writes one whole message line, its line feed included.
    virtual void writeMessage(QByteArrayView line) = 0;

private:
    bool mFailed = false;
};

/// Output to two C streams, standard output and standard error for the program.
class FileCliOutput : public CliOutput {
public:
    FileCliOutput(std::FILE* out, std::FILE* err);

    void flush() override;

protected:
    void writeResults(QByteArrayView bytes) override;
    void writeMessage(QByteArrayView line) override;

private:
    std::FILE* mOut;
    std::FILE* mErr;
    /// A regular file has no reader waiting, and is written in the stream's own buffer sizes.
    bool mOutIsRegularFile = false;
};

/// Output kept in memory, results and messages in the order written, to be replayed later
/// into another output whole.
class RecordedCliOutput : public CliOutput {
public:
    bool isEmpty() const { return mEntries.empty(); }

protected:
    void writeResults(QByteArrayView bytes) override;
    void writeMessage(QByteArrayView line) override;

private:
    friend class CliOutput;

    struct Entry {
        QByteArray bytes;
        bool message = false;
    };
    std::vector<Entry> mEntries;
};
