#pragma once

#include "vozozo/vozozo_args.h"

#include <cstdio>

namespace narrix {

// Runs vozozo from the command line; returns the exit status (0 success, 1 failure, 2 bad usage).
int runVozozoCli(const VozozoArgs& args, std::FILE* out = stdout, std::FILE* err = stderr);

} // namespace narrix
