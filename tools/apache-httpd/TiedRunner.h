#pragma once

// Starts scripts/run-apache.sh of the source tree this program was built from
// as a Unix process under Wine, with one end of a socket pair as its standard
// input and output (see the script: Apache runs until that socket closes).

#include <winsock2.h>

#include <string>

// The runner's Unix path, fixed at build time (the source tree's location).
std::wstring RunnerPath();

// True when the process was started. Wine runs a Unix program through
// CreateProcessW but gives back no process handle (and reparents it to init),
// so the socket is the only way to learn when it ends. On failure the
// GetLastError() code is left as it was.
bool StartTiedRunner(SOCKET standardInputAndOutput);
