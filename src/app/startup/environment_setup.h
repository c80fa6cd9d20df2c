#pragma once

namespace narrix {

struct Environment;

// Hands what the environment named to the parts of the program that are set once at start-up: the
// data and runtime folders, the speech history's file, the network transfers' deadline and the
// channel list's address. The audio sink, the start-up probe and the desktop notifier are given by
// main to the objects it makes.
void applyEnvironment(const Environment& environment);

} // namespace narrix
