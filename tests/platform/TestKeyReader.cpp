#include "platform/evdev/ReaderKeyStateSource.h"
#include "platform/evdev/SessionKeymap.h"
#include "tests/platform/FifoKeyboard.h"
#include "tests/platform/MockSystemBus.h"

#include <QDir>
#include <QtTest>

using namespace tarvex;
using reader::Status;

// A Tarvex as the reader sees it: the reader source, with the codes of the presses it announced.
struct Client
{
    SessionKeymap keymap{QDBusConnection(QStringLiteral("no bus"))};
    ReaderKeyStateSource source;
    QList<int> polled;
    explicit Client(const QString& socket) : source(keymap, socket)
    {
        source.setPressCallback([this](int code) { polled << code; });
        source.start();
    }
};

// The access mode (O_RDONLY...) with which process `pid` holds `path` open, or -1.
static int openAccess(qint64 pid, const QString& path)
{
    const QDir fds(QStringLiteral("/proc/%1/fd").arg(pid));
    for (const QString& fd : fds.entryList(QDir::System | QDir::NoDotAndDotDot)) {
        QFile info(QStringLiteral("/proc/%1/fdinfo/%2").arg(pid).arg(fd));
        if (QFileInfo(fds.filePath(fd)).symLinkTarget() == path && info.open(QIODevice::ReadOnly))
            return info.readLine(), info.readLine().mid(6).trimmed().toInt(nullptr, 8) & O_ACCMODE;
    }
    return -1;
}

// tarvex-keyreader run against a FIFO "device", with logind and polkit standing in on a
// private system bus, and read by the program's own reader source.
class TestKeyReader final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        qputenv("XKB_DEFAULT_LAYOUT", "us");
        m_bus = std::make_unique<PrivateBus>(PrivateBus::Kind::System);
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
        QDBusConnection::disconnectFromBus("standins");
        m_bus.reset();
    }

    // Nothing is read before the user allows it, which polkit asks once for the user's process;
    // the keyboard is open read-only, only while a caller gets keys and the session is unlocked;
    // taking the permission back stops every caller of that user.
    void passesKeysOnceAllowedAndOnlyWhileListening()
    {
        const auto access = [this] {
            return openAccess(m_reader->processId(), m_keyboard->path());
        };
        Client first(socket());
        QTRY_COMPARE(first.source.status(), Status::NotAuthorised);
        QVERIFY(first.source.canAskForAccess() && !first.source.problem().isEmpty());
        first.source.setListening(true);
        first.source.askForAccess();
        QTRY_COMPARE(first.source.status(), Status::Streaming);
        QCOMPARE(m_polkit.calls, QStringList{QStringLiteral("%1 %2 %3")
                                                 .arg("org.tarvex.read-keyboards unix-process 1")
                                                 .arg(QCoreApplication::applicationPid())
                                                 .arg(::geteuid())});
        QTRY_COMPARE(access(), O_RDONLY);
        QVERIFY(first.source.problem().isEmpty());
        QVERIFY(m_keyboard->type({KEY_G, KEY_O}));
        QTRY_COMPARE(first.polled, (QList<int>{71, 79}));
        m_keyboard->close();
        m_seat.locked = true;
        m_seat.announce(m_standIns);
        QTRY_COMPARE(first.source.status(), Status::NotActive);
        QTRY_COMPARE(access(), -1);
        m_seat.reset(::geteuid());
        m_seat.announce(m_standIns);
        QTRY_COMPARE(first.source.status(), Status::Streaming);
        QVERIFY(m_keyboard->type({KEY_B}));
        QTRY_COMPARE(first.polled, (QList<int>{71, 79, 66}));
        m_keyboard->close();
        first.source.setListening(false);
        QTRY_COMPARE(first.source.status(), Status::Quiet);
        QTRY_COMPARE(access(), -1);
        Client second(socket());
        QTRY_COMPARE(second.source.status(), Status::Quiet);
        QCOMPARE(m_polkit.calls.size(), 1);
        QVERIFY(ReaderKeyStateSource::revokeAccess(socket()));
        QTRY_COMPARE(first.source.status(), Status::NotAuthorised);
        QTRY_COMPARE(second.source.status(), Status::NotAuthorised);
        QVERIFY(QDir(m_work->filePath("state/granted")).isEmpty());
    }

    // A caller whose session is not active gets nothing and cannot ask; one user cannot take
    // every connection the reader accepts: the fifth ends without an answer.
    void refusedCallers()
    {
        m_seat.active = false;
        std::vector<std::unique_ptr<Client>> clients;
        for (int i = 0; i < 5; ++i)
            clients.push_back(std::make_unique<Client>(socket()));
        QTRY_COMPARE(clients[0]->source.status(), Status::NotActive);
        QVERIFY(!clients[0]->source.canAskForAccess());
        QTRY_VERIFY(!clients[4]->source.problem().isEmpty());
        QVERIFY(!clients[4]->source.status());
    }

private:
    QString socket() const { return m_work->filePath("socket"); }

    std::unique_ptr<PrivateBus> m_bus;
    QDBusConnection m_standIns{QString()};
    MockLogindSeat m_seat;
    MockPolkit m_polkit;
    std::unique_ptr<QTemporaryDir> m_work;
    std::unique_ptr<FifoKeyboard> m_keyboard;
    std::unique_ptr<QProcess> m_reader;
};

QTEST_GUILESS_MAIN(TestKeyReader)
#include "TestKeyReader.moc"
