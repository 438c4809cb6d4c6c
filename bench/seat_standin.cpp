// Runs COMMAND beside a private system bus on which systemd-logind's seat0 stands in, with the
// session of the user who runs this in front: key_sources.sh measures the way of the keys
// through tarvex-keyreader, which serves only that user, without a real seat. COMMAND ends
// with this program, and this program with COMMAND.
//   tarvex_seat_standin COMMAND [ARGUMENTS...]
#include "tests/platform/MockSystemBus.h"

#include <QCoreApplication>

#include <cstdio>
#include <sys/prctl.h>
#include <unistd.h>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s COMMAND [ARGUMENTS...]\n", argv[0]);
        return 2;
    }
    PrivateSystemBus bus;
    QDBusConnection connection = QDBusConnection::connectToBus(bus.address(), "seat");
    MockLogindSeat seat;
    seat.reset(::geteuid());
    if (bus.address().isEmpty() || !seat.serve(connection)) {
        std::fprintf(stderr, "%s: no private system bus\n", argv[0]);
        return 1;
    }
    QProcess command;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("DBUS_SYSTEM_BUS_ADDRESS", bus.address());
    command.setProcessEnvironment(environment);
    command.setProcessChannelMode(QProcess::ForwardedChannels);
    command.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    QObject::connect(&command, &QProcess::finished, &application, &QCoreApplication::quit);
    command.start(QString::fromLocal8Bit(argv[1]), application.arguments().mid(2));
    if (!command.waitForStarted())
        return 1;
    return QCoreApplication::exec();
}
