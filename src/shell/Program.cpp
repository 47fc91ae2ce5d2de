#include "shell/Program.h"

#include <cstdio>

namespace mv {

int runProgram(int argc, char** argv) {
  std::puts("Mashvolt");
  return 0;
}

}  // namespace mv
