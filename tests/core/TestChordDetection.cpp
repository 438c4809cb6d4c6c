#include "activation/ChordDetection.h"
#include "keys/ChordTrigger.h"
#include "tests/core/FiredActions.h"
#include "tests/fakes/FakeGlobalShortcuts.h"

#include <QTest>

using namespace tarvex;
using State = GlobalShortcuts::State;

// Which combinations are desktop chords and their triggers; the hotkeys on a recording desktop.
class TestChordDetection final : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_run.reset(); }

    // Modifier order, case, key kinds; sequences, text keys, repeated or late modifiers are none.
    void triggers()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"(Alt)(Ctrl)K", "CTRL+ALT+k"},
            {"(Win)(Shift)(Alt)(Ctrl)(Del)", "CTRL+ALT+SHIFT+LOGO+Delete"},
            {"(Win)(Num+)", "LOGO+KP_Add"},
            {"(VolDown)", "XF86AudioLowerVolume"}};
        for (const auto& [combination, trigger] : rows)
            QCOMPARE(ChordTrigger(combination), QString(trigger));
        for (const char* none : {"(Ctrl)ab", "(Shift)x", "(Ctrl)(Alt)", "(Ctrl)(Ctrl)k", "k(Ctrl)"})
            QCOMPARE(ChordTrigger(none), QString());
    }

    // One shortcut per chord (the lowest record's), sequences and records that cannot run left.
    void bindsOneShortcutPerChord()
    {
        makeDetection("(Ctrl)(Alt)k*/bin/k|gofb*/bin/g|(F12)*/bin/f|(Alt)(Ctrl)k*/bin/second|"
                      "(Win)e|(Win)q*/bin/x\ty|  *every");
        QCOMPARE(m_desktop.calls(),
                 QStringList{"bind CTRL+ALT+k=CTRL+ALT+k (/bin/k), F12=F12 (/bin/f)"});
        QCOMPARE(m_detection->sequences(), QStringList{"gofb"});
        QVERIFY(m_detection->problem().contains("gofb"));
        QVERIFY(!ChordDetection::IsChordTable(m_table));
        m_desktop.answer(State::Bound);
        m_desktop.press("CTRL+ALT+k"); // the lowest record runs
        m_desktop.press("CTRL+ALT+x"); // not asked for
        QCOMPARE(m_run.fired, QStringList{"(Ctrl)(Alt)k>/bin/k"});
    }

    // Released while the editor is visible (a desktop slow to release runs nothing), asked for
    // again afterwards.
    void releasedWhilePausedAndAskedAgainAfterwards()
    {
        makeDetection("(Win)e*/bin/e");
        m_desktop.answer(State::Bound);
        bool visible = true;
        m_detection->setEditorVisibleQuery([&visible] { return visible; });
        m_detection->sync();
        m_desktop.press("LOGO+e");
        visible = false;
        m_detection->sync();
        m_desktop.press("LOGO+e");
        QCOMPARE(m_run.fired, QStringList{"(Win)e>/bin/e"});
        QCOMPARE(m_desktop.calls(), (QStringList{"bind LOGO+e=LOGO+e (/bin/e)", "bind",
                                                 "bind LOGO+e=LOGO+e (/bin/e)"}));
    }

    void replacedTableIsBoundAgainOnlyWhenItsChordsChanged()
    {
        makeDetection("(Win)e*/bin/e");
        m_desktop.answer(State::Bound);
        m_table.replaceFromText("(Win)e*/bin/e|gofb*/bin/g");
        m_detection->sync();
        QCOMPARE(m_desktop.calls().size(), 1);
        m_table.replaceFromText("(Win)e*/bin/other|(F1)*/bin/f");
        m_desktop.press("LOGO+e"); // pressed before the new list is bound: the new target runs
        QCOMPARE(m_run.fired, QStringList{"(Win)e>/bin/other"});
        m_detection->sync();
        QCOMPARE(m_desktop.calls().last(), "bind LOGO+e=LOGO+e (/bin/other), F1=F1 (/bin/f)");
    }

    void declinedBindIsAskedAgainAtTheNextSync()
    {
        makeDetection("(Win)e*/bin/e");
        m_desktop.answer(State::Declined);
        m_detection->sync();
        QCOMPARE(std::tuple(m_desktop.calls().size(), m_desktop.state()),
                 std::tuple(qsizetype(2), State::Binding));
        m_detection->sync(); // still being asked: not again
        QCOMPARE(m_desktop.calls().size(), 2);
    }

    void noNestedRunAndSurvivesDestructionDuringAction()
    {
        makeDetection("(Win)e*/bin/e|(F1)*/bin/f");
        m_run.during = [this] {
            m_desktop.press("F1"); // while a confirmation box of the first action is open
            m_detection.reset();
        };
        m_desktop.press("LOGO+e");
        QCOMPARE(m_run.fired, QStringList{"(Win)e>/bin/e"});
    }

private:
    void makeDetection(const QString& line)
    {
        m_detection.reset();
        m_desktop.clearCalls();
        m_run.fired.clear();
        m_table.replaceFromText(line);
        m_detection = std::make_unique<ChordDetection>(
            m_desktop, m_table, [this](const QString& combination, const QString& target) {
                m_run.run(combination + u'>' + target);
            });
        m_detection->sync();
    }

    FakeGlobalShortcuts m_desktop;
    ActiveHotkeyTable m_table;
    FiredActions m_run;
    std::unique_ptr<ChordDetection> m_detection;
};

QTEST_GUILESS_MAIN(TestChordDetection)
#include "TestChordDetection.moc"
