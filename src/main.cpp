#include "shell/application.h"

int main(int argc, char** argv) { return gleaner::runProgram(argc, argv); }
