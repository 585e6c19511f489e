#include "app/ProcessSignals.h"

#include <csignal>

namespace ProcessSignals {

namespace {

void ignore(int)
{
}

} // namespace

void install()
{
    // A handler rather than SIG_IGN: an ignored signal stays ignored in the programs
    // started from here, a handler goes back to the default with exec.
    struct sigaction action
    {
    };
    action.sa_handler = ignore;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    sigaction(SIGXFSZ, &action, nullptr);
}

} // namespace ProcessSignals
