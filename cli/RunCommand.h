#pragma once

#include "cli/CliRequest.h"
#include "platform/TextCodec.h"

#include <cstdio>

/// Exit statuses of sifta-cli.
enum ExitStatus : int { ExitFound = 0, ExitNoMatch = 1, ExitError = 2 };

/// Runs request over the decoded input with Global and Multiline on, writing the result
/// to out and any message to err. count and matches return ExitFound or ExitNoMatch;
/// replace returns ExitFound on success. A pattern error is written to err exactly as
/// the window shows it and gives ExitError.
int runCommand(const CliRequest& request, const DecodedText& input, std::FILE* out, std::FILE* err);
