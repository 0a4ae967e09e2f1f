#pragma once

#include "cli/CliOutput.h"
#include "cli/RunCommandLine.h"
#include "support/EncodedSamples.h"
#include "support/FileContent.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <QTemporaryFile>
#include <QTest>

#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

/// What one run of sifta-cli wrote and the status it ended with.
struct CliRun {
    QByteArray out;
    QByteArray err;
    int exitCode = -1;
};

/// Output that keeps the bytes of each stream, for runs inside the test.
class CapturedOutput : public CliOutput {
public:
    QByteArray out;
    QByteArray err;

protected:
    void writeResults(QByteArrayView bytes) override { out += bytes; }
    void writeMessage(QByteArrayView line) override { err += line; }
};

/// Runs sifta-cli in this process, with input on standard input (a temporary file put in its
/// place for the run) and results that do not go to a terminal.
inline CliRun runInProcess(const QList<QByteArray>& arguments, const QByteArray& input)
{
    QTemporaryFile file;
    if (!file.open() || file.write(input) != input.size() || !file.flush())
        return {};
    const int saved = ::dup(STDIN_FILENO);
    const int inputFd = ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY | O_CLOEXEC);
    if (saved < 0 || inputFd < 0 || ::dup2(inputFd, STDIN_FILENO) < 0)
        return {};
    ::close(inputFd);
    CapturedOutput output;
    const int status = runCommandLine(arguments, false, output);
    ::dup2(saved, STDIN_FILENO);
    ::close(saved);
    return {output.out, output.err, status};
}

inline CliRun runInProcess(const QStringList& arguments, const QByteArray& input)
{
    QList<QByteArray> bytes;
    for (const QString& argument : arguments)
        bytes << argument.toUtf8();
    return runInProcess(bytes, input);
}

/// Makes folder the current folder while it lives, since relative FILE operands are read from there.
class CurrentFolder {
public:
    explicit CurrentFolder(const QString& folder) : mPrevious(QDir::currentPath()) { QDir::setCurrent(folder); }
    ~CurrentFolder() { QDir::setCurrent(mPrevious); }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    QString mPrevious;
};

/// Creates a file whose name is the bytes path, which need not be UTF-8.
inline bool createFile(const QByteArray& path, const QByteArray& content)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, content.constData(), size_t(content.size())) == content.size();
    return ::close(fd) == 0 && written;
}

/// Every line of a message stream starts with the program's name.
inline bool everyLineNamesTheProgram(const QByteArray& err)
{
    const QList<QByteArray> lines = err.split('\n');
    return std::all_of(lines.begin(), lines.end() - 1,
                       [](const QByteArray& line) { return line.startsWith("sifta-cli: "); }) &&
           (err.isEmpty() || err.endsWith('\n'));
}

inline const QByteArray kByteOrderMark("\xEF\xBB\xBF");

// What the coloured lines of grep's default colours look like.
inline const QByteArray kOn("\033[1;31m");
inline const QByteArray kOff("\033[0m");
inline const QByteArray kNumberOn("\033[32m");
inline const QByteArray kNameOn("\033[35m");

/// The files that the rows search, in a folder of the test's own:
///   tree/a.txt, tree/b.txt (CR LF), tree/sub/c.txt, tree/sub/d.bin (binary: a NUL byte);
///   late/a.txt, late/b.bin (a NUL byte only after three megabytes of lines, blocks later);
///   odd/good.txt, odd/folder.txt (a folder), odd/loop (a link to itself, which no one can
///   open, not even root), pipes/fifo and pipes/good.txt; names/ with a Latin-1 file name
///   and its UTF-8 look-alike; encodings/ with the same text in every encoding.
class CliFiles {
public:
    /// Creates the files; false when that failed.
    bool create()
    {
        if (!mFolder.isValid())
            return false;
        QDir folder(mFolder.path());
        for (const char* name : {"tree/sub", "odd/folder.txt", "pipes", "names", "encodings", "late"}) {
            if (!folder.mkpath(QString::fromLatin1(name)))
                return false;
        }
        bool made = FileContent::write(path("tree/a.txt"), "an apple\nbanana\n") &&
                    FileContent::write(path("tree/b.txt"), "cherry\r\nbanana split\r\n") &&
                    FileContent::write(path("tree/sub/c.txt"), "no fruit here\n") &&
                    FileContent::write(path("tree/sub/d.bin"), QByteArray("banana\0", 7)) &&
                    FileContent::write(path("late/a.txt"), "banana\n") &&
                    FileContent::write(path("late/b.bin"), "banana\n" + QByteArray(3 << 20, '\n') + '\0') &&
                    FileContent::write(path("odd/good.txt"), "banana") &&
                    QFile::link(QStringLiteral("loop"), path("odd/loop")) &&
                    ::mkfifo(QFile::encodeName(path("pipes/fifo")).constData(), 0600) == 0 &&
                    FileContent::write(path("pipes/good.txt"), "banana");
        const QByteArray names = QFile::encodeName(path("names"));
        made = made && createFile(names + "/caf\xE9.txt", "banana") && createFile(names + "/caf\xC3\xA9.txt", "apple");
        for (const EncodedSamples::Sample& sample : EncodedSamples::samples())
            made = made && FileContent::write(path("encodings/" + sample.fileName), sample.bytes);
        return made;
    }

    // QDir cannot remove a file whose name is not UTF-8.
    ~CliFiles() { ::unlink((QFile::encodeName(path("names")) + "/caf\xE9.txt").constData()); }

    QString folder() const { return mFolder.path(); }
    QString path(const QString& name) const { return mFolder.filePath(name); }

private:
    QTemporaryDir mFolder;
};
