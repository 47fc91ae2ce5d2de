#pragma once

namespace mv {

// Parses the command line, makes the platform (SDL or headless) and runs the game until it ends.
// Returns the process exit code.
int runProgram(int argc, char** argv);

}  // namespace mv
