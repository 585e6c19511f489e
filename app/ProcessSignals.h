#pragma once

// Signal handling the program sets up before it opens anything.
namespace ProcessSignals {

// A write past the file size limit (ulimit -f) fails and is reported like any failed
// write instead of ending the program.
void install();

} // namespace ProcessSignals
