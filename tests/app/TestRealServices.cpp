#include "platform/LoginEntry.h"
#include "shell/RealServices.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace tarvex;

// The services of a real start (in the private HOME that run-in-home.sh gives). This test
// program's file name holds a dot, as a program kept as "tarvex.v2" would.
class TestRealServices final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loginEntryStartsThisProgramFile()
    {
        const QString program = QCoreApplication::applicationFilePath();
        QVERIFY(QFileInfo(program).fileName().contains('.'));
        RealServices real({});
        const ShellServices services = real.services();
        QCOMPARE(services.login.SetRunAtLogin(services.programName, services.programFolder, true),
                 QString());
        QVERIFY(services.login.runsAtLogin(services.programName));
        QFile entry(qEnvironmentVariable("XDG_CONFIG_HOME") + "/autostart/" +
                    QFileInfo(program).fileName() + ".desktop");
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(entry.readAll());
        QVERIFY2(text.contains("\nExec=\"" + program + "\" automatic\n"), qPrintable(text));
    }
};

QTEST_MAIN(TestRealServices)
#include "TestRealServices.moc"
