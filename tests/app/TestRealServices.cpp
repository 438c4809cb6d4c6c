#include "platform/LoginEntry.h"
#include "shell/RealServices.h"

#include <QFile>
#include <QFileInfo>
#include <QtTest>

using namespace tarvex;

// A real start in run-in-home.sh's private HOME; this program's file name holds a dot.
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
