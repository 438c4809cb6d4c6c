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
    void init()
    {
        m_desktop.clearCalls();
        m_run.reset();
    }
    void cleanup()
    {
        m_detection.reset();
        SetHK(false);
    }

    // Modifier order, case, key kinds; sequences, text keys, repeated or late modifiers are none.
    void triggers()
    {
        const std::pair<const char*, const char*> rows[] = {
            {"(Ctrl)(Alt)k", "CTRL+ALT+k"},
            {"(Alt)(Ctrl)K", "CTRL+ALT+k"},
            {"(Win)e", "LOGO+e"},
            {"(Win)(Shift)(Alt)(Ctrl)(Del)", "CTRL+ALT+SHIFT+LOGO+Delete"},
            {"(Ctrl)1", "CTRL+1"},
            {"(F12)", "F12"},
            {"(Shift)(F24)", "SHIFT+F24"},
            {"(Ctrl)(Enter)", "CTRL+Return"},
            {"(Alt)(Space)", "ALT+space"},
            {"(Ctrl)(PgDn)", "CTRL+Page_Down"},
            {"(Ctrl)(Num1)", "CTRL+KP_1"},
            {"(Win)(Num+)", "LOGO+KP_Add"},
            {"(Alt)(NumEnter)", "ALT+KP_Enter"},
            {"(Ctrl)(Backspace)", "CTRL+BackSpace"},
            {"(Play)", "XF86AudioPlay"},
            {"(VolDown)", "XF86AudioLowerVolume"}};
        for (const auto& [combination, trigger] : rows)
            QCOMPARE(ChordTrigger(combination), QString(trigger));
        for (const char* none : {"gofb", "(Ctrl)ab", "a", "(Shift)x", "(Esc)", "(Ctrl)(Alt)",
                                 "(Ctrl)(Ctrl)k", "k(Ctrl)", "(Ctrl)(Foo)", "(ctrl)k", "(Ctrl)("})
            QCOMPARE(ChordTrigger(none), QString());
    }

    void bindsOneShortcutPerChord()
    {
        makeDetection("(Ctrl)(Alt)k*/bin/k|gofb*/bin/g|(F12)*/bin/f|(Alt)(Ctrl)k*/bin/second|"
                      "(Win)e|(Win)q*/bin/x\ty|  *every");
        QCOMPARE(m_desktop.calls(),
                 QStringList{"bind CTRL+ALT+k=CTRL+ALT+k (/bin/k), F12=F12 (/bin/f)"});
        QCOMPARE(m_detection->sequences(), QStringList{"gofb"});
        QVERIFY(m_detection->problem().contains("gofb"));
        QVERIFY(!ChordDetection::IsChordTable(m_table));
        m_table.replaceFromText("(Ctrl)(Alt)k*/bin/k|(Win)e|a");
        QVERIFY(ChordDetection::IsChordTable(m_table));
    }

    void activationRunsTheLowestRecord()
    {
        makeDetection("(Win)e*/bin/e|(Alt)(Ctrl)k*first|(Ctrl)(Alt)K*second");
        m_desktop.answer(State::Bound);
        m_desktop.press("CTRL+ALT+k");
        m_desktop.press("CTRL+ALT+x"); // not asked for
        m_desktop.press("LOGO+e");
        QCOMPARE(m_run.fired, (QStringList{"(Alt)(Ctrl)k>first", "(Win)e>/bin/e"}));
    }

    // Paused by the visible editor or by the hotkeys being off (a desktop slow to release).
    void releasedWhilePausedAndAskedAgainAfterwards()
    {
        for (bool editorVisible : {true, false}) {
            makeDetection("(Win)e*/bin/e");
            m_desktop.answer(State::Bound);
            bool visible = false;
            m_detection->setEditorVisibleQuery([&visible] { return visible; });
            visible = editorVisible;
            SetHK(editorVisible);
            m_detection->sync();
            m_desktop.press("LOGO+e");
            QVERIFY(m_run.fired.isEmpty());
            visible = false;
            SetHK(true);
            m_detection->sync();
            m_desktop.press("LOGO+e");
            QCOMPARE(m_run.fired, QStringList{"(Win)e>/bin/e"});
            QCOMPARE(m_desktop.calls(), (QStringList{"bind LOGO+e=LOGO+e (/bin/e)", "bind",
                                                     "bind LOGO+e=LOGO+e (/bin/e)"}));
        }
    }

    void replacedTableIsBoundAgainOnlyWhenItsChordsChanged()
    {
        makeDetection("(Win)e*/bin/e");
        m_desktop.answer(State::Bound);
        m_table.replaceFromText("(Win)e*/bin/e|gofb*/bin/g");
        m_detection->sync();
        QCOMPARE(m_desktop.calls().size(), 1);
        QCOMPARE(m_detection->sequences(), QStringList{"gofb"});
        m_table.replaceFromText("(Win)e*/bin/other|(F1)*/bin/f");
        m_desktop.press("LOGO+e"); // pressed before the new list is bound: the new target runs
        QCOMPARE(m_run.fired, QStringList{"(Win)e>/bin/other"});
        m_detection->sync();
        QCOMPARE(m_desktop.calls().last(), "bind LOGO+e=LOGO+e (/bin/other), F1=F1 (/bin/f)");
        m_detection.reset();
        QCOMPARE(m_desktop.calls().last(), "bind");
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
        QVERIFY(!m_detection);
        QCOMPARE(m_desktop.calls().last(), "bind");
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
