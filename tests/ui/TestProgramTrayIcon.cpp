// The tray icon without a tray (offscreen): the stand-in window keeps tip, balloon and clicks.
#include "ui/ProgramTrayIcon.h"
#include "ui/TrayFallbackWindow.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

class TestProgramTrayIcon final : public QObject
{
    Q_OBJECT
    // Adds the icon named "Tarvex" and waits for its stand-in window.
    static TrayFallbackWindow* standIn(ProgramTrayIcon& icon, bool balloon = false)
    {
        icon.add(QStringLiteral("Tarvex"), balloon);
        return QTest::qWaitFor([&] { return icon.usesFallbackWindow(); }, 3000)
                   ? icon.fallbackWindow()
                   : nullptr;
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(!QSystemTrayIcon::isSystemTrayAvailable());
        ProgramTrayIcon::setDefaultFallbackDelay(0);
    }
    // The balloon only when prepared, once; the tip cut to 128 characters.
    void balloonAndTip()
    {
        for (bool prepared : {true, false}) {
            const QString tip = QStringLiteral("Tarvex is running");
            ProgramTrayIcon icon;
            QSignalSpy balloons(&icon, &ProgramTrayIcon::balloonShown);
            icon.add(QStringLiteral("Configure Hotkeys"), prepared);
            QCOMPARE(icon.tip(), QStringLiteral("Configure Hotkeys"));
            icon.setTip(tip);
            QTRY_VERIFY(icon.usesFallbackWindow());
            QCOMPARE(icon.fallbackWindow()->toolTip(), tip);
            QCOMPARE(balloons.count(), prepared ? 1 : 0);
            icon.setTip(tip);
            QCOMPARE(balloons.count(), prepared ? 1 : 0);
            icon.setTip(QString(200, u'x'));
            QCOMPARE(icon.tip().size(), 128);
        }
    }
    void waitsBeforeStandingIn()
    {
        ProgramTrayIcon icon;
        icon.setFallbackDelay(600);
        icon.add(QStringLiteral("Tarvex"), false);
        QVERIFY(!icon.usesFallbackWindow());
        QTRY_VERIFY(icon.usesFallbackWindow());
    }
    // The stand-in reports the mouse, and shows icon and name in the screen's bottom right corner.
    void standInMouseAndLook()
    {
        ProgramTrayIcon icon;
        QSignalSpy doubleClicks(&icon, &ProgramTrayIcon::doubleClicked);
        QSignalSpy menus(&icon, &ProgramTrayIcon::menuRequested);
        TrayFallbackWindow* window = standIn(icon);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::mouseDClick(window, Qt::RightButton);
        QCOMPARE(doubleClicks.count(), 0);
        QTest::mouseDClick(window, Qt::LeftButton);
        QCOMPARE(doubleClicks.count(), 1);
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 4), QPoint(103, 104));
        QApplication::sendEvent(window, &event);
        QCOMPARE(menus.count(), 1);
        QCOMPARE(menus.first().first().toPoint(), QPoint(103, 104));
        QCOMPARE(window->windowTitle(), QStringLiteral("Tarvex"));
        QVERIFY(!window->windowIcon().isNull());
        QRect picture, name;
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (!label->pixmap().isNull())
                picture = label->geometry();
            else if (label->text() == QStringLiteral("Tarvex"))
                name = label->geometry();
        }
        QCOMPARE(picture.size(), QSize(32, 32));
        QVERIFY(window->rect().contains(picture) && window->rect().contains(name));
        QVERIFY(!picture.intersects(name));
        const QRect area = window->screen()->availableGeometry();
        QVERIFY(area.contains(window->geometry()));
        QVERIFY(window->geometry().bottom() > area.center().y());
        QVERIFY(window->geometry().right() > area.center().x());
    }
    // The stand-in is often already active when the list appears: Enter there shows the window.
    void enterOnActiveStandInShowsHiddenWindow()
    {
        ProgramTrayIcon icon;
        TrayFallbackWindow* window = standIn(icon);
        QVERIFY(window);
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QSignalSpy chosen(window, &TrayFallbackWindow::hiddenWindowChosen);
        window->setHiddenWindows({{3, QStringLiteral("Notes")}});
        // The window grew to show the list and stays in the screen's corner.
        QCOMPARE(window->size(), window->sizeHint());
        QVERIFY(window->screen()->availableGeometry().contains(window->geometry()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).toInt(), 3);
    }
    void removeTakesStandInAway()
    {
        ProgramTrayIcon icon;
        QVERIFY(standIn(icon, true));
        icon.remove();
        QVERIFY(!icon.isShown() && !icon.fallbackWindow());
        icon.setTip(QStringLiteral("ignored"));
        QVERIFY(!icon.isShown());
    }
};

QTEST_MAIN(TestProgramTrayIcon)
#include "TestProgramTrayIcon.moc"
