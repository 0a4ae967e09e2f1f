#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdio>

/// Where a run of sifta-cli writes: results to one stream, messages to another, each message
/// on a line of its own that starts with "sifta-cli: ". Subclasses say where the bytes go.
class CliOutput {
public:
    virtual ~CliOutput() = default;

    /// Writes bytes to the results stream as they are.
    void write(QByteArrayView bytes) { writeResults(bytes); }
    /// Writes a message that reports no failure.
    void note(QByteArrayView text);
    /// Writes a message and remembers that the run failed.
    void error(QByteArrayView text);

    /// Whether any error was written.
    bool failed() const { return mFailed; }

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
    FileCliOutput(std::FILE* out, std::FILE* err) : mOut(out), mErr(err) {}

protected:
    void writeResults(QByteArrayView bytes) override;
    void writeMessage(QByteArrayView line) override;

private:
    std::FILE* mOut;
    std::FILE* mErr;
};
