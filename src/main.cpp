#include "shell/Program.h"

int main(int argc, char** argv) { return mv::runProgram(argc, argv); }
