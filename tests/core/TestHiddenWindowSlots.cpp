#include "activation/HiddenWindowSlots.h"
#include "tests/fakes/FakeDesktopWindows.h"
#include "tests/fakes/FakeHiddenWindowIcons.h"

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
        m_slots.reset();
        m_desktop = std::make_unique<FakeDesktopWindows>();
        m_icons = std::make_unique<FakeHiddenWindowIcons>();
        m_slots = std::make_unique<HiddenWindowSlots>(*m_desktop, *m_icons);
    }

    void slotReuseOrder()
    {
        hide({100, 101, 102});
        QCOMPARE(m_slots->NextFreeSlot(), 3);
        m_icons->doubleClick(1);
        QCOMPARE(m_slots->NextFreeSlot(), 3); // a restore does not recompute it
        hide({103});
        QCOMPARE(m_slots->slot(3).handle(), WindowId(103));
        hide({104});
        QCOMPARE(m_slots->slot(1).handle(), WindowId(104));
        QCOMPARE(m_icons->entries().keys(), (QList<int>{0, 1, 2, 3}));
    }

    void noForegroundKeepsNextSlot()
    {
        hide({100, 101});
        m_icons->doubleClick(0);
        hide({0});
        QCOMPARE(m_slots->NextFreeSlot(), 2);
        QCOMPARE(m_desktop->calls(), (QStringList{"hide 100", "hide 101", "show 100"}));
    }

    // Eleven slots full: a window is left alone; one freed is found afresh for the next.
    void allSlotsFullLeavesWindowAlone()
    {
        hide({100, 101, 102, 103, 104, 105, 106, 107, 108, 109, 110});
        QCOMPARE(m_slots->NextFreeSlot(), -1);
        hide({200});
        QVERIFY(!m_desktop->isHidden(200));
        QCOMPARE(m_icons->entries().size(), 11);
        m_icons->doubleClick(6);
        hide({201});
        QVERIFY(m_desktop->isHidden(201));
        QCOMPARE(m_slots->slot(6).handle(), WindowId(201));
        QCOMPARE(m_slots->NextFreeSlot(), -1);
    }

    void doubleClickRestores()
    {
        m_desktop->setTitle(100, QStringLiteral("Notes"));
        hide({100});
        QVERIFY(m_desktop->isHidden(100));
        QCOMPARE(m_icons->calls(), QStringList{"add 0 100 Notes"});
        m_icons->doubleClick(0);
        QVERIFY(!m_desktop->isHidden(100) && !m_slots->slot(0).hidden());
        QCOMPARE(m_icons->calls().last(), QStringLiteral("remove 0"));
    }

    // The right button, slots out of range and a free slot restore nothing.
    void tarvexMouseIgnoresOtherInput()
    {
        hide({100});
        m_desktop->clearCalls();
        for (const auto& [button, shift] :
             std::initializer_list<std::pair<int, int>>{{2, 0}, {1, 11}, {1, -1}, {1, 5}})
            m_slots->Tarvex_Mouse(button, shift, 0, 0);
        QVERIFY(m_desktop->calls().isEmpty());
        QVERIFY(m_slots->slot(0).hidden());
    }

    void titleCutTo50Characters()
    {
        const QString fifty(50, u'x');
        const std::pair<QString, QString> rows[] = {
            {"Notes", "Notes"},
            {fifty, fifty},
            {fifty + "TAIL", fifty},
            {QString(49, u'x') + QStringLiteral("😀z"), QString(49, u'x')}, // no broken pair
        };
        for (const auto& [title, tip] : rows) {
            init();
            m_desktop->setTitle(100, title);
            hide({100});
            QCOMPARE(std::tuple(m_slots->slot(0).title(), m_icons->entries().value(0)),
                     std::tuple(tip, tip));
        }
    }

    void alreadyHiddenWindowIsNotHiddenTwice()
    {
        hide({100, 100}); // the desktop may still name the unmapped window as active for a moment
        QCOMPARE(m_icons->entries().size(), 1);
        QCOMPARE(m_slots->NextFreeSlot(), 1);
    }

    void restoredAtEnd()
    {
        hide({100, 101});
        m_icons->doubleClick(0);
        m_slots.reset();
        QVERIFY(!m_desktop->isHidden(100) && !m_desktop->isHidden(101));
        QVERIFY(m_icons->entries().isEmpty());
        m_icons->doubleClick(1); // no listener any more: nothing happens
    }

    // Each hide is recorded; the next run shows what a crashed run left hidden.
    void nextRunShowsWhatACrashLeftHidden()
    {
        const QTemporaryDir runtime;
        m_slots.reset(); // its end would stop the new slots' icons from reporting
        m_slots = std::make_unique<HiddenWindowSlots>(*m_desktop, *m_icons,
                                                      HiddenWindowRecord(runtime.path()));
        hide({100, 101});
        m_icons->doubleClick(0);
        QCOMPARE(HiddenWindowRecord(runtime.path()).take(), QList<WindowId>{101});
        // A killed run's record: 101 and 102 hidden, 102 shown since by another, 103 never.
        QVERIFY(HiddenWindowRecord(runtime.path()).write({101, 102, 103}).isEmpty());
        m_desktop->showWindow(102);
        m_desktop->clearCalls();
        HiddenWindowSlots next(*m_desktop, *m_icons, HiddenWindowRecord(runtime.path()));
        next.restoreRecorded();
        QCOMPARE(m_desktop->calls(), QStringList{"show 101"});
        QVERIFY(QDir(runtime.path()).isEmpty());
    }

private:
    // Brings each window to the front and hides it.
    void hide(std::initializer_list<WindowId> windows)
    {
        for (WindowId window : windows) {
            m_desktop->setForeground(window);
            m_slots->HideForegroundWindow();
        }
    }

    std::unique_ptr<FakeDesktopWindows> m_desktop;
    std::unique_ptr<FakeHiddenWindowIcons> m_icons;
    std::unique_ptr<HiddenWindowSlots> m_slots;
};

QTEST_GUILESS_MAIN(TestHiddenWindowSlots)
#include "TestHiddenWindowSlots.moc"
