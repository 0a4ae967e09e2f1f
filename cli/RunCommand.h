#pragma once

#include "cli/CliRequest.h"

class CliOutput;

/// Exit statuses of sifta-cli.
enum ExitStatus : int { ExitFound = 0, ExitNoMatch = 1, ExitError = 2 };

/// Runs request (count, matches, lines or replace) over each of its inputs with Global and
/// Multiline on. Results go to output's results stream, messages to its message stream; a
/// pattern error is reported once, worded as the window words it, before any input is read.
/// An input that fails is reported and the others are still run. Returns ExitError when
/// anything failed, else ExitFound when a match was found (replace: always), else ExitNoMatch.
int runCommand(const CliRequest& request, bool colorOutput, CliOutput& output);
