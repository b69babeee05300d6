#pragma once

// Chooses the run from the command line, runs it and returns the exit code.
int RunProgram(int argc, char** argv);
