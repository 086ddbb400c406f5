#pragma once

#include "search/harvest_state.h"
#include "support/streamcipher.h"

namespace gleaner {

// The program-wide harvest state and the cipher that deciphers the caption.
// The cipher exists from initProgramState to releaseProgramState.
HarvestState& harvestState();
StreamCipher& captionCipher();

// Creates the state's link sets, then a fresh caption cipher.
void initProgramState();
// Releases the caption text and both link sets, then the cipher.
void releaseProgramState();

// The program: state, window, message loop, release. Returns the exit code.
int runProgram(int argc, char** argv);

} // namespace gleaner
