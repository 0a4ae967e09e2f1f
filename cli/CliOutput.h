#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdio>

/// Where a run of sifta-cli writes: results to one stream, messages to another, each message
/// on a line of its own that starts with "sifta-cli: ".
class CliOutput {
public:
    CliOutput(std::FILE* out, std::FILE* err) : mOut(out), mErr(err) {}

    /// Writes bytes to the results stream as they are.
    void write(QByteArrayView bytes);
    /// Writes a message that reports no failure.
    void note(QByteArrayView text);
    /// Writes a message and remembers that the run failed.
    void error(QByteArrayView text);

    /// Whether any error was written.
    bool failed() const { return mFailed; }

private:
    std::FILE* mOut;
    std::FILE* mErr;
    bool mFailed = false;
};
