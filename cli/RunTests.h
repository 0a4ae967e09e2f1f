#pragma once

#include "cli/CliRequest.h"

class CliOutput;

/// Checks the test cases of each file of request (Command::Test; "-" is standard input), in
/// order. Each case that fails is one line on the results stream, "FILE: case N: " and what it
/// expected and got; a file that cannot be read or is no valid test-case file, a pattern that
/// does not compile and a case the component could not decide are errors, and the other files
/// are still checked. Returns ExitError after any error, else ExitNoMatch when a case failed,
/// else ExitFound.
int runTests(const CliRequest& request, CliOutput& output);
