#include "platform/evdev/devices/ReaderProtocol.h"
#include "platform/evdev/ReaderKeyStateSource.h"
#include "platform/evdev/SessionKeymap.h"
#include "tests/platform/FifoKeyboard.h"
#include "tests/platform/MockSystemBus.h"

#include <QDir>
#include <QtTest>

#include <sys/socket.h>
#include <sys/un.h>

using namespace tarvex;
using reader::Status;

Q_DECLARE_METATYPE(reader::Status)

namespace {

// A Tarvex as the reader sees it: the source that reads from the reader, with the codes of the
// presses it announced.
struct Client
{
    SessionKeymap keymap{QDBusConnection(QStringLiteral("no bus"))};
    ReaderKeyStateSource source;
    QList<int> polled;
    int problemsTold = 0;

    explicit Client(const QString& socket) : source(keymap, socket)
    {
        source.setPressCallback([this](int code) { polled << code; });
        source.setProblemCallback([this] { ++problemsTold; });
    }
};

// The access mode (O_RDONLY, O_WRONLY, O_RDWR) with which process `pid` holds `path` open, as
// its fdinfo tells, or -1 while it does not hold it.
int openAccess(qint64 pid, const QString& path)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString& fd :
         fds.entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (QFileInfo(fds.filePath(fd)).symLinkTarget() != path)
            continue;
        QFile info(QStringLiteral("/proc/%1/fdinfo/%2").arg(pid).arg(fd));
        if (!info.open(QIODevice::ReadOnly))
            continue;
        for (const QByteArray& line : info.readAll().split('\n')) {
            if (line.startsWith("flags:"))
                return line.mid(6).trimmed().toInt(nullptr, 8) & O_ACCMODE;
        }
    }
    return -1;
}

QByteArray packet(std::initializer_list<char> bytes)
{
    return QByteArray(bytes.begin(), qsizetype(bytes.size()));
}

} // namespace

// tarvex-keyreader run against FIFO "devices", with logind and polkit standing in on a private
// system bus, and read by the program's own reader source.
class TestKeyReader final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qputenv("XKB_DEFAULT_LAYOUT", "us");
        QVERIFY2(QFile::exists(qEnvironmentVariable("TARVEX_KEYREADER")), "TARVEX_KEYREADER unset");
    }

    void init()
    {
        m_bus = std::make_unique<PrivateBus>(PrivateBus::Kind::System);
        QVERIFY2(!m_bus->address().isEmpty(), "dbus-daemon did not start");
        m_standIns = QDBusConnection::connectToBus(m_bus->address(), "standins");
        m_seat.reset(::geteuid());
        m_polkit.calls.clear();
        QVERIFY(m_seat.serve(m_standIns) && m_polkit.serve(m_standIns));
        m_work = std::make_unique<QTemporaryDir>();
        // Others may reach the socket (the reader decides whom it serves).
        QVERIFY(::chmod(QFile::encodeName(m_work->path()).constData(), 0755) == 0);
        QVERIFY(QDir(m_work->path()).mkdir("input"));
        m_keyboard = std::make_unique<FifoKeyboard>(m_work->filePath("input/event0"));
        m_reader = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("DBUS_SYSTEM_BUS_ADDRESS", m_bus->address());
        m_reader->setProcessEnvironment(environment);
        m_reader->setProcessChannelMode(QProcess::ForwardedChannels);
        m_reader->start(qEnvironmentVariable("TARVEX_KEYREADER"),
                        {"--socket", socket(), "--folder", m_work->filePath("input"), "--state",
                         m_work->filePath("state")});
        QTRY_VERIFY(QFileInfo(socket()).exists());
    }

    void cleanup()
    {
        m_reader->terminate();
        m_reader->waitForFinished();
        m_keyboard.reset();
        m_work.reset();
        m_standIns.unregisterObject("/org/freedesktop/login1", QDBusConnection::UnregisterTree);
        m_standIns.unregisterObject("/org/freedesktop/PolicyKit1/Authority");
        QDBusConnection::disconnectFromBus("standins");
        m_bus.reset();
    }

    // Nothing is read before the user allows it, which polkit asks once for the user's process;
    // the keyboards are open read-only, and only while a caller gets keys; taking the permission
    // back stops every caller of that user.
    void passesKeysOnceAllowedAndOnlyWhileListening()
    {
        const qint64 reader = m_reader->processId();
        const QString fifo = m_keyboard->path();
        Client first(socket());
        first.source.start();
        QTRY_COMPARE(first.source.status(), Status::NotAuthorised);
        QVERIFY(first.source.canAskForAccess() && !first.source.problem().isEmpty());
        QVERIFY(allow(first));
        QCOMPARE(m_polkit.calls, QStringList{QStringLiteral("%1 %2 %3")
                                                 .arg("org.tarvex.read-keyboards unix-process 1")
                                                 .arg(QCoreApplication::applicationPid())
                                                 .arg(::geteuid())});
        QTRY_COMPARE(openAccess(reader, fifo), O_RDONLY);
        QVERIFY(first.source.problem().isEmpty());
        QVERIFY(m_keyboard->type({KEY_G, KEY_O, KEY_F, KEY_B}));
        QTRY_COMPARE(first.polled, (QList<int>{71, 79, 70, 66}));
        m_keyboard->close();
        first.source.setListening(false);
        QTRY_COMPARE(first.source.status(), Status::Quiet);
        QTRY_COMPARE(openAccess(reader, fifo), -1);
        Client second(socket());
        second.source.start();
        QTRY_COMPARE(second.source.status(), Status::Quiet);
        QCOMPARE(m_polkit.calls.size(), 1);
        QVERIFY(ReaderKeyStateSource::revokeAccess(socket()));
        QTRY_COMPARE(first.source.status(), Status::NotAuthorised);
        QTRY_COMPARE(second.source.status(), Status::NotAuthorised);
        QVERIFY(QDir(m_work->filePath("state/granted")).isEmpty());
    }

    // The moment logind says the session is locked, no longer active, or that another user's
    // or no session is in front, the keys stop (and the keyboards close); they come again when
    // it is back.
    void lockOrSwitchStopsTheStream()
    {
        Client client(socket());
        QVERIFY(allow(client));
        QList<int> typed;
        for (const QString change : {"locked", "inactive", "user", "none"}) {
            QVERIFY(m_keyboard->type({KEY_A}));
            typed << 65;
            QTRY_COMPARE(client.polled, typed);
            m_keyboard->close();
            m_seat.locked = change == u"locked";
            m_seat.active = change != u"inactive";
            m_seat.user = change == u"user" ? ::geteuid() + 1 : ::geteuid();
            m_seat.hasSession = change != u"none";
            const int told = client.problemsTold;
            m_seat.announce(m_standIns);
            QTRY_COMPARE(client.source.status(), Status::NotActive);
            QVERIFY2(!client.source.problem().isEmpty(), qPrintable(change));
            QCOMPARE(client.problemsTold, told + 1);
            QTRY_COMPARE(openAccess(m_reader->processId(), m_keyboard->path()), -1);
            m_seat.reset(::geteuid());
            m_seat.announce(m_standIns);
            QTRY_COMPARE(client.source.status(), Status::Streaming);
        }
        QVERIFY(m_keyboard->type({KEY_B}));
        typed << 66;
        QTRY_COMPARE(client.polled, typed);
    }

    // A caller that is not the user in front of the seat (another user's, or one whose session
    // is not active) gets nothing, and cannot ask for it.
    void refusedCallers()
    {
        for (const bool otherUser : {true, false}) {
            if (otherUser && ::geteuid() != 0)
                continue; // connecting as another user needs root
            m_seat.active = otherUser;
            Client client(socket());
            client.source.setListening(true);
            // The reader knows its caller by the credentials of the connection.
            if (otherUser)
                QVERIFY(::seteuid(65534) == 0);
            client.source.start();
            if (otherUser)
                QVERIFY(::seteuid(0) == 0);
            QTRY_COMPARE(client.source.status(), Status::NotActive);
            QVERIFY(!client.source.canAskForAccess());
            client.source.askForAccess();
            QVERIFY(!QTest::qWaitFor([&] { return !m_polkit.calls.isEmpty(); }, 1000));
            QCOMPARE(openAccess(m_reader->processId(), m_keyboard->path()), -1);
        }
    }

    // One user cannot take every connection the reader accepts, and so keep others out.
    void connectionsOfOneUserAreFew()
    {
        std::vector<std::unique_ptr<Client>> clients;
        for (int i = 0; i < 5; ++i) {
            clients.push_back(std::make_unique<Client>(socket()));
            clients.back()->source.start();
        }
        for (int i = 0; i < 4; ++i)
            QTRY_COMPARE(clients[i]->source.status(), Status::NotAuthorised);
        // Turned away: the connection ends without an answer.
        QTRY_VERIFY(!clients[4]->source.problem().isEmpty());
        QVERIFY(!clients[4]->source.status());
    }

    // systemd passes the listening socket (LISTEN_FDS) and starts the reader at the first
    // connection; it serves one caller after the other.
    void startedThroughItsSocketUnit()
    {
        const QString passed = m_work->filePath("passed.socket");
        QProcess activator;
        activator.setProcessChannelMode(QProcess::ForwardedChannels);
        activator.start("systemd-socket-activate",
                        {"--seqpacket", "--listen=" + passed,
                         "--setenv=DBUS_SYSTEM_BUS_ADDRESS=" + m_bus->address(),
                         qEnvironmentVariable("TARVEX_KEYREADER"), "--folder",
                         m_work->filePath("input"), "--state", m_work->filePath("state")});
        QTRY_VERIFY(QFileInfo(passed).exists());
        for (int caller = 0; caller < 2; ++caller) {
            Client client(passed);
            client.source.start();
            QTRY_COMPARE(client.source.status(), Status::NotAuthorised);
        }
        activator.terminate();
        activator.waitForFinished();
    }

    void brokenRequestsEndTheConnection_data()
    {
        QTest::addColumn<QList<QByteArray>>("packets");
        QTest::addColumn<int>("lastStatus");
        const QByteArray hello = packet({1, reader::Version, 0, 0});
        QTest::newRow("short packet") << QList<QByteArray>{packet({1, 1, 0})} << 0;
        QTest::newRow("long packet") << QList<QByteArray>{packet({1, 1, 0, 0, 0})} << 0;
        QTest::newRow("empty packet") << QList<QByteArray>{QByteArray()} << 0;
        QTest::newRow("request before hello") << QList<QByteArray>{packet({2, 0, 0, 0})} << 0;
        QTest::newRow("unknown request")
            << QList<QByteArray>{hello, packet({9, 0, 0, 0})} << int(Status::NotAuthorised);
        QTest::newRow("request with a value")
            << QList<QByteArray>{hello, packet({2, 1, 0, 0})} << int(Status::NotAuthorised);
        QTest::newRow("request with a code")
            << QList<QByteArray>{hello, packet({4, 0, 1, 0})} << int(Status::NotAuthorised);
        QTest::newRow("second hello")
            << QList<QByteArray>{hello, hello} << int(Status::NotAuthorised);
        QTest::newRow("another version")
            << QList<QByteArray>{packet({1, reader::Version + 1, 0, 0})}
            << int(Status::WrongVersion);
    }
    // Every packet must be a whole, known request: anything else ends that connection (after
    // saying so, for another version), and the reader serves the next caller as before.
    void brokenRequestsEndTheConnection()
    {
        QFETCH(QList<QByteArray>, packets);
        QFETCH(int, lastStatus);
        const int fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        const QByteArray path = QFile::encodeName(socket());
        std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
        QVERIFY(::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0);
        for (const QByteArray& data : packets)
            QCOMPARE(::send(fd, data.constData(), size_t(data.size()), MSG_NOSIGNAL), data.size());
        // Read without blocking: the stand-ins the reader asks live in this process.
        int status = 0;
        char reply[8];
        ssize_t size = -1;
        const QDeadlineTimer patience(5000);
        while (!patience.hasExpired()) {
            size = ::recv(fd, reply, sizeof(reply), MSG_DONTWAIT);
            if (size == reader::MessageSize && reply[0] == char(reader::Reply::Status))
                status = quint8(reply[1]);
            else if (size < 0 && errno == EAGAIN)
                QTest::qWait(10);
            else if (size != reader::MessageSize)
                break;
        }
        ::close(fd);
        QCOMPARE(size, ssize_t(0)); // the reader ended the connection
        QCOMPARE(status, lastStatus);
        Client client(socket());
        client.source.start();
        QTRY_COMPARE(client.source.status(), Status::NotAuthorised);
    }

private:
    bool allow(Client& client);
    QString socket() const { return m_work->filePath("socket"); }

    std::unique_ptr<PrivateBus> m_bus;
    QDBusConnection m_standIns{QString()};
    MockLogindSeat m_seat;
    MockPolkit m_polkit;
    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<FifoKeyboard> m_keyboard;
    std::unique_ptr<QProcess> m_reader;
};

// Connects `client`, which asks for keys, and allows it the way a user does.
bool TestKeyReader::allow(Client& client)
{
    client.source.setListening(true);
    client.source.start();
    if (!QTest::qWaitFor([&] { return client.source.canAskForAccess(); }, 5000))
        return false;
    client.source.askForAccess();
    return QTest::qWaitFor([&] { return client.source.status() == Status::Streaming; }, 5000);
}

QTEST_GUILESS_MAIN(TestKeyReader)
#include "TestKeyReader.moc"
