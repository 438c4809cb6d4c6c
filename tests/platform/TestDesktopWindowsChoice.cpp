#include "activation/HiddenWindowSlots.h"
#include "activation/SpecialActions.h"
#include "platform/common/DesktopWindowsChoice.h"
#include "platform/common/UnavailableDesktopWindows.h"
#include "tests/fakes/FakeDialogs.h"
#include "tests/fakes/FakeHiddenWindowIcons.h"
#include "tests/fakes/FakeNotifier.h"
#include "tests/fakes/FakePowerControl.h"

#include <QtTest>

using namespace tarvex;

// Which way of acting on windows a session gets, and what the user meets where there is none.
class TestDesktopWindowsChoice final : public QObject
{
    Q_OBJECT

private slots:
    void choice()
    {
        using K = DesktopWindowsKind;
        const QStringList common{"wl_compositor", "wl_seat", "xdg_wm_base", "wl_output"};
        const QStringList sway =
            common + QStringList{"zwlr_layer_shell_v1", "zwlr_foreign_toplevel_manager_v1"};
        const QStringList kwin =
            common + QStringList{"org_kde_kwin_server_decoration_manager", "org_kde_plasma_shell"};
        const QStringList gnome = common + QStringList{"gtk_shell1", "zwp_linux_dmabuf_v1"};
        const struct
        {
            QString session;
            std::optional<QStringList> globals; // none: no compositor
            K kind;
        } rows[] = {
            {"x11", sway, K::Ewmh},
            {"", std::nullopt, K::Ewmh},
            {"wayland", sway, K::WlrForeignToplevel},
            {"", sway, K::WlrForeignToplevel},
            {"Wayland", kwin, K::KWinScripting},
            // A KWin that also offers the protocol.
            {"wayland", kwin + QStringList{"zwlr_foreign_toplevel_manager_v1"},
             K::WlrForeignToplevel},
            {"wayland", gnome, K::Unavailable},
            {"wayland", common, K::Unavailable}, // sway without the protocol
        };
        for (const auto& row : rows)
            QCOMPARE(chooseDesktopWindows(row.session, row.globals), row.kind);
    }

    void unavailableReportsOnceAndTheRestWorks_data()
    {
        QTest::addColumn<bool>("service");
        QTest::addColumn<QString>("told");
        QTest::newRow("notification service") << true << "report Tarvex | This desktop";
        QTest::newRow("none: a box that does not wait")
            << false << "inform later Tarvex|This desktop";
    }
    // Told once per run, and never by a box that waits: the hotkeys keep running meanwhile.
    void unavailableReportsOnceAndTheRestWorks()
    {
        QFETCH(bool, service);
        QFETCH(QString, told);
        FakeNotifier notifier;
        notifier.setServiceMissing(!service);
        FakeDialogs dialogs;
        UnavailableDesktopWindows windows(notifier, dialogs);
        FakeHiddenWindowIcons icons;
        FakePowerControl power;
        HiddenWindowSlots hiddenSlots(windows, icons);
        SpecialActions actions(windows, power, dialogs, hiddenSlots);
        for (int round = 0; round < 2; ++round) {
            for (int row = 1; row <= 4; ++row)
                actions.RunSpecialAction(SpecialAction(row));
        }
        const QStringList calls = notifier.calls() + dialogs.calls();
        QCOMPARE(calls.size(), 1);
        QVERIFY2(calls.first().startsWith(told), qPrintable(calls.first()));
        QVERIFY(icons.calls().isEmpty()); // no icon for a window that was not hidden
        dialogs.answer(QStringLiteral("Yes"));
        actions.RunSpecialAction(SpecialAction::ShutDown);
        QCOMPARE(power.calls(), QStringList{"shutDown"});
    }
};

QTEST_GUILESS_MAIN(TestDesktopWindowsChoice)
#include "TestDesktopWindowsChoice.moc"
