#pragma once

#include "platform/InstanceChannel.h"

#include <QByteArray>
#include <QString>

class InstanceLock;

// `zelto --find [TEXT]`: handed to the copy that holds the single-instance lock, or, when
// none runs, done here once the main window is up.
namespace FindRequest {

enum class Outcome {
    Forwarded, // the running copy took it: end
    StartHere, // no copy runs; the lock is now this process's
    Failed, // a copy runs but did not take it: see error
};
struct Forwarding
{
    Outcome outcome = Outcome::StartHere;
    QString error;
};

// Waits up to startingMs for a copy that holds the lock but does not listen yet (it is
// still starting).
Forwarding forward(InstanceLock &lock, const InstanceChannel::FindRequest &request, int startingMs = 3000);

// The time of the user's action from a launcher's startup notification id ("…_TIME1234"),
// or 0.
quint32 startupTime(const QByteArray &startupId);

} // namespace FindRequest
