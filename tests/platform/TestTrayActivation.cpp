// Which clicks open a tray icon: a double-click on an XEmbed tray, where the icon is a window of
// this program and a press reaches it first; a single click on a StatusNotifierItem tray, whose
// Activate call comes with no mouse button down in this program.

#include "platform/TrayActivation.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWidget>

using namespace tarvex;

namespace {

// Stands for an XEmbed icon window: it reports clicks the way Qt's XEmbed tray icon does.
class IconWindow final : public QWidget
{
public:
    TrayActivation activation;
    QList<bool> opened;

protected:
    void mousePressEvent(QMouseEvent*) override
    {
        opened << activation.opens(QSystemTrayIcon::Trigger);
    }
    void mouseDoubleClickEvent(QMouseEvent*) override
    {
        opened << activation.opens(QSystemTrayIcon::DoubleClick);
    }
};

} // namespace

class TestTrayActivation final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void xembedOpensOnDoubleClickOnly()
    {
        IconWindow icon;
        icon.resize(24, 24);
        icon.show();
        QVERIFY(QTest::qWaitForWindowExposed(&icon));
        QTest::mouseClick(&icon, Qt::LeftButton);
        QCOMPARE(icon.opened, QList<bool>{false});
        QTest::mouseDClick(&icon, Qt::LeftButton);
        QTest::mouseRelease(&icon, Qt::LeftButton); // the double-click's last release
        QCOMPARE(icon.opened.last(), true);
        QCOMPARE(icon.opened.count(true), 1);
    }

    void statusNotifierOpensOnSingleClickOnce()
    {
        TrayActivation activation;
        QVERIFY(!activation.opens(QSystemTrayIcon::Context));
        QVERIFY(!activation.opens(QSystemTrayIcon::MiddleClick));
        QVERIFY(activation.opens(QSystemTrayIcon::Trigger));
        // A tray that turns a double-click into two activations still acts once.
        QVERIFY(!activation.opens(QSystemTrayIcon::Trigger));
        QElapsedTimer since;
        since.start();
        QTRY_VERIFY(since.hasExpired(QApplication::doubleClickInterval()));
        QVERIFY(activation.opens(QSystemTrayIcon::Trigger));
    }
};

QTEST_MAIN(TestTrayActivation)
#include "TestTrayActivation.moc"
