#include "cli/RunCommand.h"

#include "cli/BlockDecoder.h"
#include "cli/CliOutput.h"
#include "cli/InputFiles.h"
#include "cli/LineBlocks.h"
#include "cli/LineCursor.h"
#include "cli/MatchingLines.h"
#include "cli/OpenInput.h"
#include "cli/OrderedRuns.h"
#include "cli/ReadInput.h"
#include "cli/StreamSearch.h"
#include "platform/FileBytes.h"
#include "platform/FilePath.h"
#include "platform/TextCodec.h"
#include "platform/WideUnicode.h"
#include "regex/JsonMatch.h"
#include "regex/RegExp.h"
#include "regex/RegExpErrorText.h"
#include "regex/SearchSetup.h"

#include <algorithm>
#include <new>
#include <thread>
#include <utility>

namespace {

RegExp regExpFor(const CliRequest& request)
{
    RegExp regExp;
    prepareSearch(regExp, request.pattern, request.ignoreCase);
    regExp.setCaseConversion(request.caseConversion ? CaseConversion::On : CaseConversion::Off);
    return regExp;
}

/// How matches name input: a name that is no valid UTF-8 is written with the lone surrogates
/// FilePath reads it as, so that it leads back to the same file.
QByteArray jsonFileName(const InputFile& input)
{
    return jsonString(FilePath::decode(input.shownName()));
}

/// One input being run: where it came from and how results and messages name it.
class InputRun {
public:
    InputRun(const CliRequest& request, const RegExp& regExp, const InputFile& input, bool showName,
             SearchScratch& scratch, CliOutput& output)
        : mRequest(request), mRegExp(regExp), mInput(input), mShowName(showName), mScratch(scratch), mOutput(output)
    {
    }

    /// Runs the command over the input's text; whether a match was found.
    bool run(bool colorOutput, const DecodedText& text)
    {
        switch (mRequest.command) {
        case CliRequest::Command::Count: return count(text.text);
        case CliRequest::Command::Matches: return listMatches(text.text);
        case CliRequest::Command::Lines: return listLines(text, colorOutput);
        case CliRequest::Command::Replace: return replace(text);
        case CliRequest::Command::Test:
        case CliRequest::Command::Help:
        case CliRequest::Command::Version: break;
        }
        Q_UNREACHABLE();
    }

    /// Reports a failure, naming the input when results name it.
    void fail(const QByteArray& message) { mOutput.error(prefix() + message); }

    void failForMemory() { mOutput.error("there is not enough memory to search " + mInput.quotedName()); }

private:
    QByteArray prefix() const { return mShowName ? mInput.shownName() + ": " : QByteArray(); }

    std::optional<MatchCollection> execute(const QString& text)
    {
        RegExpResult<MatchCollection> matches = mRegExp.Execute(text, nullptr, &mScratch);
        if (!matches) {
            fail(regExpErrorText(matches.error()).toUtf8());
            return std::nullopt;
        }
        return std::move(matches).value();
    }

    /// The number of matches in text, or nothing after reporting why there is none.
    std::optional<qsizetype> countMatches(const QString& text)
    {
        const RegExpResult<qsizetype> count = mRegExp.countMatches(text, nullptr, &mScratch);
        if (!count) {
            fail(regExpErrorText(count.error()).toUtf8());
            return std::nullopt;
        }
        return count.value();
    }

    bool count(const QString& text)
    {
        const std::optional<qsizetype> count = countMatches(text);
        if (!count)
            return false;
        const QByteArray name = mShowName ? mInput.shownName() + ':' : QByteArray();
        mOutput.write(name + QByteArray::number(*count) + '\n');
        return *count > 0;
    }

    bool listMatches(const QString& text)
    {
        const std::optional<MatchCollection> matches = execute(text);
        if (!matches)
            return false;
        const QByteArray file = mShowName ? jsonFileName(mInput) : QByteArray();
        LineCursor cursor(text);
        for (qsizetype i = 0; i < matches->Count(); ++i) {
            const Match match = matches->Item(i);
            cursor.moveTo(match.FirstIndex());
            mOutput.write(jsonMatchLine(match, {cursor.number(), cursor.column(match.FirstIndex())}, file));
        }
        return matches->Count() > 0;
    }

    bool listLines(const DecodedText& text, bool colorOutput)
    {
        const std::optional<MatchCollection> matches = execute(text.text);
        if (!matches)
            return false;
        const QByteArray name = mShowName ? mInput.shownName() : QByteArray();
        return writeMatchingLines(*matches, text, LineStyle{name, colorOutput}, mOutput);
    }

    bool replace(const DecodedText& input)
    {
        qsizetype replacements = 0;
        if (mRequest.inPlace) {
            const std::optional<qsizetype> count = countMatches(input.text);
            if (!count)
                return false;
            replacements = *count;
            if (replacements == 0) {
                reportReplacements(0);
                return false;
            }
        }
        const RegExpResult<QString> replaced = mRegExp.Replace(input.text, mRequest.replacement, nullptr, &mScratch);
        if (!replaced) {
            fail(regExpErrorText(replaced.error()).toUtf8());
            return false;
        }
        const std::optional<QByteArray> bytes = encodeResult(replaced.value(), input.format);
        if (!bytes)
            return false;
        if (!mRequest.inPlace) {
            mOutput.write(*bytes);
            return true;
        }
        if (const std::optional<FileError> error =
                FileBytes::write(FilePath::decode(mInput.path), *bytes, FileBytes::Target::ExistingOnly)) {
            mOutput.error("cannot write " + mInput.quotedName() + ": " + error->description.toUtf8() +
                          "; the file is as it was");
            return false;
        }
        reportReplacements(replacements);
        return true;
    }

    void reportReplacements(qsizetype replacements)
    {
        mOutput.note(mInput.path + ": " + QByteArray::number(replacements) +
                     (replacements == 1 ? " replacement" : " replacements"));
    }

    // The result goes out in the input's encoding. One that cannot hold a character the
    // replacement brought in is refused, since every other byte of the file would change
    // with it, unless UTF-8 was asked for; UTF-8 holds everything but lone surrogates.
    std::optional<QByteArray> encodeResult(const QString& replaced, TextFormat format)
    {
        EncodedText encoded = TextCodec::encode(replaced, format);
        if (!encoded.ok() && format.encoding == TextEncoding::Windows1252) {
            const QString unencodable = TextCodec::codePointName(replaced, encoded.error().at);
            const QString encoding = TextCodec::encodingName(format.encoding);
            if (!mRequest.toUtf8) {
                fail(QStringLiteral("the result holds %1, which %2 cannot store; nothing written "
                                    "(--to-utf8 writes it as UTF-8)")
                         .arg(unencodable, encoding)
                         .toUtf8());
                return std::nullopt;
            }
            encoded = TextCodec::encode(replaced, TextFormat{});
            if (encoded.ok())
                mOutput.note(prefix() + QStringLiteral("the result holds %1, which %2 cannot store; written as UTF-8")
                                            .arg(unencodable, encoding)
                                            .toUtf8());
        }
        if (!encoded.ok()) {
            fail(QStringLiteral("the result holds a lone surrogate %1 at position %2, "
                                "which no encoding can store; nothing written")
                     .arg(TextCodec::codePointName(replaced, encoded.error().at))
                     .arg(encoded.error().at)
                     .toUtf8());
            return std::nullopt;
        }
        return std::move(encoded).value().bytes;
    }

    const CliRequest& mRequest;
    const RegExp& mRegExp;
    const InputFile& mInput;
    bool mShowName;
    SearchScratch& mScratch;
    CliOutput& mOutput;
};

/// Whether request runs over its input a block of lines at a time rather than whole.
bool streams(const CliRequest& request, const RegExp& regExp)
{
    return request.command != CliRequest::Command::Replace && regExp.matchesWithinLines();
}

/// Runs the command over the input's text, whole; whether a match was found.
bool runWhole(const CliRequest& request, const InputFile& input, InputRun& run, QByteArray bytes,
              bool colorOutput)
{
    // A NUL byte is taken for a sign of binary content, as grep and ripgrep take it, unless
    // the bytes are UTF-16 or UTF-32 text; files named on the command line are searched all
    // the same.
    const bool mayBeBinary = input.foundInFolder && !request.binaryFiles && bytes.contains('\0');
    if (mayBeBinary && !WideUnicode::markedEncoding(bytes))
        return false;
    // Search buffers grow with the matches; memory that runs out ends this input, not the program.
    try {
        const DecodedText text = TextCodec::decode(bytes);
        if (mayBeBinary && !WideUnicode::isWide(text.format.encoding))
            return false;
        // The bytes are not needed again; letting them go lowers the peak of a large search.
        bytes = QByteArray();
        return run.run(colorOutput, text);
    } catch (const std::bad_alloc&) {
        run.failForMemory();
        return false;
    }
}

/// Runs a command whose matches lie within lines over the input a block at a time, and an
/// input that may be UTF-16 or UTF-32 whole; whether a match was found.
bool runStreamed(const CliRequest& request, const RegExp& regExp, const InputFile& input, InputRun& run,
                 bool showName, bool colorOutput, SearchScratch& scratch, CliOutput& output)
{
    const OpenInput open(input);
    if (open.error() != 0) {
        output.error(readFailure(input, FileError::fromErrno(open.error())).message);
        return false;
    }
    // A small file needs no block of full size; the buffer grows if it has grown meanwhile.
    const qsizetype blockSize = open.regular() ? qsizetype(std::clamp<qint64>(open.size() + 1, 4096, LineBlocks::kBlockSize))
                                              : LineBlocks::kBlockSize;
    LineBlocks blocks(open.fd(), kMaxInputBytes, blockSize, open.regular() ? open.size() : -1);
    // A byte-order mark of UTF-16 or UTF-32 starts with one of these.
    const std::optional<char> first = blocks.peek();
    if (first && (*first == '\0' || *first == '\xFE' || *first == '\xFF')) {
        QByteArray bytes;
        if (!blocks.readRest(bytes)) {
            output.error(readFailure(input, FileError::fromErrno(blocks.error())).message);
            return false;
        }
        return runWhole(request, input, run, std::move(bytes), colorOutput);
    }
    StreamJob job;
    job.command = request.command;
    job.regExp = &regExp;
    job.color = colorOutput;
    if (showName) {
        job.name = input.shownName();
        if (request.command == CliRequest::Command::Matches)
            job.jsonName = jsonFileName(input);
    }
    job.skipBinary = input.foundInFolder && !request.binaryFiles;
    BlockDecoder decoder(open.fd(), open.regular());
    // A file that may turn out binary keeps its results until its last block has been read.
    RecordedCliOutput held;
    StreamOutcome outcome;
    try {
        outcome = searchStream(blocks, decoder, job, scratch, job.skipBinary ? held : output);
    } catch (const std::bad_alloc&) {
        run.failForMemory();
        return false;
    }
    if (outcome.kind == StreamOutcome::Binary)
        return false;
    output.replay(held);
    if (outcome.kind == StreamOutcome::Failed) {
        if (outcome.errorNumber != 0)
            output.error(readFailure(input, FileError::fromErrno(outcome.errorNumber)).message);
        else
            run.fail(outcome.message);
    }
    return outcome.kind == StreamOutcome::Found;
}

/// Reads and runs one input; whether a match was found.
bool runInput(const CliRequest& request, const RegExp& regExp, const InputFile& input, bool colorOutput,
              SearchScratch& scratch, CliOutput& output)
{
    // Messages about a file written back name it even when it is the only one.
    const bool showName = request.files.size() > 1 || input.foundInFolder || request.inPlace;
    InputRun run(request, regExp, input, showName, scratch, output);
    if (request.inPlace) {
        if (const std::optional<ReadFailure> failure = checkRegularFile(input)) {
            output.error(failure->message);
            return false;
        }
    }
    // A folder's listing already told whether a backup lies beside a file found in it.
    const bool mayHaveBackup = !input.foundInFolder || input.backupBeside;
    if (const std::optional<QByteArray> unfinished =
            mayHaveBackup ? unfinishedSaveMessage(input, request.inPlace) : std::nullopt) {
        if (request.inPlace) {
            output.error(*unfinished);
            return false;
        }
        output.note(*unfinished);
    }
    if (streams(request, regExp))
        return runStreamed(request, regExp, input, run, showName, colorOutput, scratch, output);
    Result<QByteArray, ReadFailure> bytes = readInput(input);
    if (!bytes) {
        output.error(bytes.error().message);
        return false;
    }
    return runWhole(request, input, run, std::move(bytes).value(), colorOutput);
}

int exitStatus(const CliRequest& request, bool found, const CliOutput& output)
{
    if (output.failed())
        return ExitError;
    return found || request.command == CliRequest::Command::Replace ? ExitFound : ExitNoMatch;
}

} // namespace

int runCommand(const CliRequest& request, bool colorOutput, CliOutput& output)
{
    const RegExp regExp = regExpFor(request);
    if (const std::optional<RegExpError> error = regExp.Compile()) {
        output.error(regExpErrorText(*error).toUtf8());
        return ExitError;
    }
    // One input is searched straight to the output, so that its results come as they are found.
    if (!request.recursive && request.files.size() <= 1) {
        bool found = false;
        SearchScratch scratch;
        forEachInput(
            request,
            [&](const InputFile& input) { found = runInput(request, regExp, input, colorOutput, scratch, output); },
            output);
        return exitStatus(request, found, output);
    }
    const int threads = request.threads > 0 ? request.threads : int(std::max(1u, std::thread::hardware_concurrency()));
    OrderedRuns runs(regExp, threads, output);
    // Files found in folders go to the workers a few at a time: most are small, and handing
    // each one over on its own would cost more than searching it.
    constexpr std::size_t kFilesPerJob = 8;
    std::vector<InputFile> batch;
    const auto addBatch = [&] {
        if (batch.empty())
            return;
        runs.add([&request, files = std::exchange(batch, {}), colorOutput](Worker& worker, CliOutput& fileOutput) {
            bool found = false;
            for (const InputFile& file : files)
                found = runInput(request, worker.regExp, file, colorOutput, worker.scratch, fileOutput) || found;
            return found;
        });
    };
    // What the walk reports goes in between the files it found before and after.
    RecordedCliOutput walkMessages;
    forEachInput(
        request,
        [&](const InputFile& input) {
            if (!walkMessages.isEmpty()) {
                addBatch();
                runs.add(std::exchange(walkMessages, RecordedCliOutput()));
            }
            batch.push_back(input);
            if (!input.foundInFolder || batch.size() == kFilesPerJob)
                addBatch();
        },
        walkMessages);
    addBatch();
    if (!walkMessages.isEmpty())
        runs.add(std::move(walkMessages));
    return exitStatus(request, runs.finish(), output);
}
