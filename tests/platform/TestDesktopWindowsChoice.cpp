#include "platform/common/DesktopWindowsChoice.h"
#include "platform/common/UnavailableDesktopWindows.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakeNotifier.h"
#include <QtTest>

using namespace tarvex;

class TestDesktopWindowsChoice final : public QObject
{
    Q_OBJECT
private slots:
    void choice()
    {
        using K = DesktopWindowsKind;
        const QStringList wlr{"zwlr_foreign_toplevel_manager_v1"}, kwin{"org_kde_plasma_shell"};
        QCOMPARE(QList({chooseDesktopWindows("x11", wlr), chooseDesktopWindows("", std::nullopt),
                        chooseDesktopWindows("", wlr), chooseDesktopWindows("Wayland", kwin),
                        chooseDesktopWindows("wayland", kwin + wlr),
                        chooseDesktopWindows("wayland", QStringList{"gtk_shell1"})}),
                 QList({K::Ewmh, K::Ewmh, K::WlrForeignToplevel, K::KWinScripting,
                        K::WlrForeignToplevel, K::Unavailable}));
    }
    void unavailableReportsOnce() // never by a box that waits: the hotkeys keep running
    {
        FakeNotifier notifier;
        FakeDialogs dialogs;
        UnavailableDesktopWindows windows(notifier, dialogs);
        QCOMPARE(windows.foregroundWindow() + windows.foregroundWindow(), WindowId(0));
        QVERIFY(dialogs.calls().isEmpty() && notifier.calls().size() == 1 &&
                notifier.calls()[0].startsWith("report Tarvex | This desktop"));
    }
};
QTEST_GUILESS_MAIN(TestDesktopWindowsChoice)
#include "TestDesktopWindowsChoice.moc"
