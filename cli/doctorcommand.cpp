#include "cli/doctorcommand.h"

#include "cli/clitext.h"
#include "cli/console.h"
#include "cli/exitcode.h"
#include "link/connectioncheck.h"
#include "link/portlist.h"
#include "link/systemprobe.h"

namespace {

// The port a check without --port looks at: the first USB cable (or entry
// of KELVO_EXTRA_PORTS) listed. A built-in port is never sent "OK" unasked.
QString portToCheck()
{
    const QVector<PortEntry> ports = scanPorts(extraPortsFromEnvironment());
    for (const PortEntry &port : ports)
        if (port.useful)
            return port.name;
    return {};
}

ExitCode exitCodeOf(CheckResult::Id cause)
{
    switch (cause) {
    case CheckResult::PortExists: return ExitCode::DoctorNoPort;
    case CheckResult::Access: return ExitCode::DoctorNoAccess;
    case CheckResult::Holder: return ExitCode::DoctorPortInUse;
    case CheckResult::Brltty: return ExitCode::DoctorBrltty;
    case CheckResult::ModemManager: return ExitCode::DoctorModemManager;
    case CheckResult::LiveAnswer: break;
    }
    return ExitCode::DoctorNoAnswer;
}

} // namespace

int runDoctor(const QString &given)
{
    const QString port = given.isEmpty() ? portToCheck() : given;
    const ConnectionReport report = ConnectionCheck::run(liveSystemProbe(), port,
                                                         [&port] { return ConnectionCheck::listen(port); });
    printLines(ConnectionCheck::lines(report));
    const CheckResult *cause = report.cause();
    return exitStatus(cause ? exitCodeOf(cause->id) : ExitCode::Ok);
}
