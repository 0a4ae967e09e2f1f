#pragma once

#include "cli/CliRequest.h"

#include <QByteArray>

class BlockDecoder;
class CliOutput;
class LineBlocks;
class RegExp;
class SearchScratch;

/// What a search of one input a block at a time does, and how its results name it.
struct StreamJob {
    CliRequest::Command command = CliRequest::Command::Count;
    /// Global, compiles, and its matches lie within lines.
    const RegExp* regExp = nullptr;
    bool color = false;
    /// The input's name for results (count and lines), empty when they do not name it.
    QByteArray name;
    /// The same name as a JSON string for matches, empty when they do not name it.
    QByteArray jsonName;
    /// A NUL byte ends the search: the input looks binary and is skipped.
    bool skipBinary = false;
};

/// How a search of one input ended.
struct StreamOutcome {
    enum Kind { NoMatch, Found, Binary, Failed };
    Kind kind = NoMatch;
    /// For Failed: why, without the input's name. A read failure leaves errorNumber set.
    QByteArray message;
    int errorNumber = 0;
};

/// Runs job's command (count, matches or lines) over the blocks of an input, writing each
/// block's results as soon as it is done and flushing them, so that lines from a pipe come
/// out as they arrive. Results are those of the command over the whole text: the same
/// matches, positions, line numbers and counts. Where the pattern holds a literal, a block
/// is first scanned for the literal's bytes, and only the lines that hold it are decoded;
/// for the others only their lines and UTF-16 code units are counted, and not even that for
/// count. Results of blocks before a failure have been written.
StreamOutcome searchStream(LineBlocks& blocks, BlockDecoder& decoder, const StreamJob& job,
                           SearchScratch& scratch, CliOutput& output);
