#include "activation/HotkeyHost.h"
#include "editor/CaptureBox.h"
#include "editor/HotkeyListModel.h"
#include "tests/app/ShellFixture.h"

#include <QApplication>
#include <QIcon>

using namespace tarvex;

// The editor as the program opens and leaves it.
class TestEditorInShell final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ProgramTrayIcon::setDefaultFallbackDelay(0); }

    // With edits Yes saves, No drops, Cancel stays, however the editor is left (Cancel button,
    // closed, Escape after Ctrl+Tab out of the HotKey box); without edits (walking the rows is
    // none) it leaves without asking.
    void leavingTheEditor()
    {
        const std::pair<int, QString> rows[] = {{0, "No"}, {1, "Cancel"}, {2, "Yes"},
                                                {0, ""},   {1, ""},       {2, ""}};
        for (const auto& [way, answer] : rows) {
            ShellFixture f;
            QVERIFY(f.start("a*/tmp/a file|b*http://example.org"));
            f.shell->configureHotkeys();
            hkCORE* editor = f.shell->editor();
            editor->editing().selectPosition(2);
            editor->editing().selectPosition(1);
            if (!answer.isEmpty()) {
                f.addUrlHotkey(QStringLiteral("w"));
                f.dialogs.answer(answer);
            }
            if (way == 0) {
                f.clickInEditor("cancelButton");
            } else if (way == 1) {
                editor->close();
            } else {
                QApplication::setActiveWindow(editor);
                QVERIFY(QTest::qWaitForWindowActive(editor));
                QWidget* focus = editor->focusWidget() ? editor->focusWidget() : editor;
                if (qobject_cast<CaptureBox*>(focus)) {
                    QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier);
                    focus = editor->focusWidget();
                }
                QTest::keyClick(focus, Qt::Key_Escape);
            }
            QCOMPARE(f.dialogs.calls(),
                     answer.isEmpty() ? QStringList()
                                      : QStringList{"ask Tarvex|Save changes to your hotkeys?"});
            if (answer == QLatin1String("Cancel")) {
                QCOMPARE(std::tuple(f.shell->editor(), editor->isVisible(),
                                    f.shell->hotkeyHost()->list().count()),
                         std::tuple(editor, true, 3));
                continue;
            }
            QTRY_VERIFY(f.mainShown());
            if (answer != QLatin1String("Yes"))
                QTRY_VERIFY(!f.shell->editor());
            QVERIFY(!f.shell->editor() || !f.shell->editor()->isVisible());
            f.shell->configureHotkeys();
            QCOMPARE(f.shell->hotkeyHost()->list().count(), answer == QLatin1String("Yes") ? 3 : 2);
        }
    }

    void rowIconsFromTheProgramFolder()
    {
        ShellFixture f({}, qEnvironmentVariable("TARVEX_TEST_SOURCE_DIR") + "/resources");
        QVERIFY(f.start("w*http://example.org"));
        f.shell->configureHotkeys();
        HotkeyListModel& model = f.shell->editor()->editing().model();
        QVERIFY(!model.data(model.index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());
    }

    void hotkeysWithoutKeysAreNamedAndNeverRun()
    {
        ShellFixture f({"automatic"});
        QVERIFY(f.start("a*/tmp/a|*/tmp/every"));
        QCOMPARE(f.messages().size(), 1);
        QVERIFY2(f.messages().at(0).contains(QStringLiteral("Hotkey 2 (action \"/tmp/every\")")),
                 qPrintable(f.messages().at(0)));
        f.keys.tap({81});
        QVERIFY(f.opener.calls().isEmpty());
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a"});
    }
};

QTEST_MAIN(TestEditorInShell)
#include "TestEditorInShell.moc"
