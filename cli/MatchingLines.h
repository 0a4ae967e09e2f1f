#pragma once

#include "platform/TextCodec.h"

#include <QByteArray>
#include <QByteArrayView>

class CliOutput;
class MatchCollection;

/// How the lines command writes a line: after the file's name (when not empty) and the line
/// number, and with the matches, name and number coloured for a terminal.
struct LineStyle {
    QByteArrayView fileName;
    bool color = false;
};

/// Writes every line of text that a match of matches touches, once and in order, each as
/// [NAME:]NUMBER:LINE and a line feed. The line is written without its own break, in the
/// text's encoding, so that it shows the file's bytes. A match that spans line breaks
/// touches every line it covers; an empty match touches the line it is on. A line is text
/// ended by a line break, or the text after the last one when there is any, so an empty match
/// after the final break touches none. text's first line is number firstLine (a piece of a
/// larger text starts further on). Returns whether a line was written.
bool writeMatchingLines(const MatchCollection& matches, const DecodedText& text, LineStyle style,
                        CliOutput& output, qint64 firstLine = 1);
