#include "activation/HiddenWindowSlots.h"
#include "tests/fakes/FakeDesktopWindows.h"
#include "tests/fakes/FakeHiddenWindowIcons.h"
#include "tests/fakes/FullFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace tarvex;

class TestHiddenWindowSlots final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_slots.reset(); // the old slots' end would stop the new slots' icons from reporting
        m_slots = std::make_unique<HiddenWindowSlots>(m_desktop, m_icons);
    }

    // A double-click restores; the next free slot is recomputed only when used (no foreground
    // window and a window already hidden change nothing); titles are cut to 50 characters.
    void slotReuseOrder()
    {
        m_desktop.setTitle(101, QString(49, u'x') + QStringLiteral("😀z")); // cut, no broken pair
        hide({100, 101, 101, 102});
        m_icons.doubleClick(1);
        QCOMPARE(std::tuple(m_desktop.isHidden(101), m_slots->NextFreeSlot(), m_icons.calls()[1]),
                 std::tuple(false, 3, "add 1 101 " + QString(49, u'x')));
        hide({0, 103, 104});
        QCOMPARE(std::tuple(m_slots->slot(3).handle(), m_slots->slot(1).handle()),
                 std::tuple(WindowId(103), WindowId(104)));
        // The right button, slots out of range and a free slot restore nothing.
        for (const auto& [button, slot] : {std::pair(2, 0), {1, 11}, {1, -1}, {1, 5}})
            m_slots->Tarvex_Mouse(button, slot, 0, 0);
        QVERIFY(m_desktop.isHidden(100));
        // Eleven slots full: a window is left alone; one freed is found afresh for the next.
        hide({105, 106, 107, 108, 109, 110, 111, 200});
        QCOMPARE(std::tuple(m_desktop.isHidden(200), m_slots->NextFreeSlot()),
                 std::tuple(false, -1));
        m_icons.doubleClick(6);
        hide({201});
        QCOMPARE(std::tuple(m_slots->slot(6).handle(), m_slots->NextFreeSlot()),
                 std::tuple(WindowId(201), -1));
    }

    // Each hide is recorded; the end restores all; the next run shows what a crash left hidden.
    void restoredAtEndAndAfterACrash()
    {
        const QTemporaryDir runtime;
        m_slots.reset();
        m_slots = std::make_unique<HiddenWindowSlots>(m_desktop, m_icons,
                                                      HiddenWindowRecord(runtime.path()));
        hide({100, 101});
        QCOMPARE(HiddenWindowRecord(runtime.path()).take(), (QList<WindowId>{100, 101}));
        // A killed run's record: 101 and 102 hidden, 102 shown since by another, 103 never.
        QVERIFY(HiddenWindowRecord(runtime.path()).write({101, 102, 103}).isEmpty());
        m_desktop.showWindow(102);
        m_desktop.clearCalls();
        HiddenWindowSlots next(m_desktop, m_icons, HiddenWindowRecord(runtime.path()));
        next.restoreRecorded();
        QCOMPARE(m_desktop.calls(), QStringList{"show 101"});
        QVERIFY(QDir(runtime.path()).isEmpty());
        // A record that cannot be removed says why.
        const FullFolder stuck(FullFolder::Kind::ReadOnly, {{HiddenWindowRecord::FileName, "7\n"}});
        QVERIFY(stuck.path().isEmpty() || !HiddenWindowRecord(stuck.path()).write({}).isEmpty());
        m_slots.reset();
        QVERIFY(!m_desktop.isHidden(100) && !m_desktop.isHidden(101));
    }

private:
    void hide(std::initializer_list<WindowId> windows)
    {
        for (WindowId window : windows) {
            m_desktop.setForeground(window);
            m_slots->HideForegroundWindow();
        }
    }

    FakeDesktopWindows m_desktop;
    FakeHiddenWindowIcons m_icons;
    std::unique_ptr<HiddenWindowSlots> m_slots;
};

QTEST_GUILESS_MAIN(TestHiddenWindowSlots)
#include "TestHiddenWindowSlots.moc"
