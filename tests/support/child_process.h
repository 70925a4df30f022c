#pragma once

// Starting programs the way a user's shell would, for tests and benchmarks
// that need a server or the tool as a process of its own.

#include <sys/types.h>

#include <string>
#include <vector>

namespace tavrino::test {

// Starts `args` (the program, found on the PATH, and its arguments) with the
// standard output, and unless `keepErrors` the standard error, thrown away.
// `environment` ("NAME=value") is added to ours, overriding what it names.
// -1 when it cannot start.
pid_t StartProgram(std::vector<std::string> args, bool keepErrors = false,
                   const std::vector<std::string>& environment = {});

// The standard output of a shell command line; empty when it cannot run.
std::string OutputOf(const std::string& command);

}  // namespace tavrino::test
