// The tray icon without a tray (offscreen): the stand-in window keeps tip, balloon and clicks.
#include "tests/controls/Golden.h"
#include "ui/ProgramIcon.h"
#include "ui/ProgramTrayIcon.h"
#include "ui/TrayFallbackWindow.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

class TestProgramTrayIcon final : public QObject
{
    Q_OBJECT
    // Adds the icon named "Tarvex" and waits for its stand-in window, which shows that tip.
    static TrayFallbackWindow* standIn(ProgramTrayIcon& icon, bool balloon = false)
    {
        return icon.add(QStringLiteral("Tarvex"), balloon) &&
                       QTest::qWaitFor([&] { return icon.usesFallbackWindow(); }, 3000) &&
                       icon.fallbackWindow()->toolTip() == QLatin1String("Tarvex")
                   ? icon.fallbackWindow()
                   : nullptr;
    }

private Q_SLOTS:
    void initTestCase() { ProgramTrayIcon::setDefaultFallbackDelay(0), UseGoldenLook(); }
    // A prepared balloon shows once; the tip on the stand-in, cut to 128 characters; the
    // hidden windows known before the stand-in came are listed in it.
    void balloonAndTip()
    {
        ProgramTrayIcon icon;
        QSignalSpy balloons(&icon, &ProgramTrayIcon::balloonShown);
        icon.setHiddenWindows({{3, QStringLiteral("Notes")}, {5, QString()}});
        TrayFallbackWindow* window = standIn(icon, true);
        QVERIFY(window);
        icon.setTip("Tarvex is running");
        icon.setTip("Tarvex is running");
        QCOMPARE(std::tuple(window->toolTip(), balloons.count(),
                            window->hiddenWindows()->item(1)->text()),
                 std::tuple(QString("Tarvex is running"), 1, QString("(window without a title)")));
        const QList<QLabel*> labels = window->findChildren<QLabel*>();
        QVERIFY(std::any_of(labels.begin(), labels.end(), [](QLabel* label) {
            return label->isWindow() && label->windowTitle() == "Tarvex notification";
        })); // the balloon's window, named for a screen reader
        icon.setTip(QString(200, u'x'));
        QCOMPARE(icon.tip().size(), 128);
        icon.remove();
        QVERIFY(!icon.isShown() && !icon.fallbackWindow());
    }
    // The stand-in reports the mouse and shows the program's icon; once the list of hidden
    // windows appears it grows, stays in the screen's corner, and Enter there shows the window.
    void standInWindow()
    {
        ProgramTrayIcon icon;
        QSignalSpy doubleClicks(&icon, &ProgramTrayIcon::doubleClicked);
        TrayFallbackWindow* window = standIn(icon);
        QVERIFY(window);
        QTest::mouseDClick(window, Qt::LeftButton);
        QVERIFY(doubleClicks.count() == 1 && !window->windowIcon().pixmap(32).isNull());
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
        QSignalSpy chosen(window, &TrayFallbackWindow::hiddenWindowChosen);
        window->setHiddenWindows({{3, QStringLiteral("Notes")}});
        QCOMPARE(window->size(), window->sizeHint());
        CheckGolden(Grab(window), QStringLiteral("window-stand-in"));
        // The icon at any size, square; paused, grey and fainter.
        const QIcon drawn = ProgramIcon::icon();
        QCOMPARE(std::tuple(drawn.pixmap(20).size(), drawn.actualSize(QSize(40, 20))),
                 std::tuple(QSize(20, 20), QSize(20, 20)));
        const QRgb shown = drawn.pixmap(32).toImage().pixel(16, 16),
                   paused = ProgramIcon::pausedIcon().pixmap(32).toImage().pixel(16, 16);
        QVERIFY(qRed(shown) != qBlue(shown) && qRed(paused) == qGreen(paused) &&
                qGreen(paused) == qBlue(paused) && qAlpha(paused) < qAlpha(shown));
        QVERIFY(window->screen()->availableGeometry().contains(window->geometry()));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(chosen.value(0).value(0).toInt(), 3);
    }
};

QTEST_MAIN(TestProgramTrayIcon)
#include "TestProgramTrayIcon.moc"
