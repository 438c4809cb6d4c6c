#include "activation/HotkeyHost.h"
#include "controls/button/velbutton.h"
#include "editor/CaptureBox.h"
#include "editor/hkCORE.h"
#include "editor/HotkeyEditorPanel.h"
#include "editor/HotkeyListModel.h"
#include "shell/Tarvex.h"
#include "tests/app/ShellFixture.h"
#include "ui/ProgramTrayIcon.h"

#include <QApplication>
#include <QIcon>
#include <QTest>

using namespace tarvex;

// The editor as the program opens and leaves it.
class TestEditorInShell final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ProgramTrayIcon::setDefaultFallbackDelay(0); }

    // With edits Yes saves, No drops, Cancel stays, however the editor is left; without edits
    // (walking the rows is none) it leaves without asking.
    void leavingTheEditor_data()
    {
        QTest::addColumn<int>("way");
        QTest::addColumn<QString>("answer"); // empty: no edits, no question
        QTest::newRow("Cancel button, No") << 0 << "No";
        QTest::newRow("window closed, Cancel") << 1 << "Cancel";
        QTest::newRow("Escape after the HotKey box, Yes") << 2 << "Yes";
        QTest::newRow("Cancel button, no edits") << 0 << "";
        QTest::newRow("window closed, no edits") << 1 << "";
        QTest::newRow("Escape, no edits") << 2 << "";
    }

    void leavingTheEditor()
    {
        QFETCH(int, way);
        QFETCH(QString, answer);
        ShellFixture f;
        f.writeHotkeys("a*/tmp/a file|b*http://example.org");
        QVERIFY(f.shell->start());
        f.shell->configureHotkeys();
        hkCORE* editor = f.shell->editor();
        editor->editing().selectPosition(2);
        editor->editing().selectPosition(1);
        if (!answer.isEmpty()) {
            addWebsite(*editor, QStringLiteral("w"));
            f.dialogs.answer(answer);
        }
        leave(*editor, way);
        QCOMPARE(f.dialogs.calls(), answer.isEmpty() ? QStringList()
                                                     : QStringList{"ask Tarvex|Save changes to "
                                                                   "your hotkeys?"});
        if (answer == QLatin1String("Cancel")) {
            QCOMPARE(f.shell->editor(), editor);
            QVERIFY(editor->isVisible());
            QCOMPARE(f.shell->hotkeyHost()->list().count(), 3);
            return;
        }
        QTRY_VERIFY(f.mainShown());
        if (answer != QLatin1String("Yes"))
            QTRY_VERIFY(!f.shell->editor());
        QVERIFY(!f.shell->editor() || !f.shell->editor()->isVisible());
        f.shell->configureHotkeys();
        QCOMPARE(f.shell->hotkeyHost()->list().count(), answer == QLatin1String("Yes") ? 3 : 2);
    }

    void rowIconsFromTheProgramFolder()
    {
        ShellFixture f({}, qEnvironmentVariable("TARVEX_TEST_SOURCE_DIR") + "/resources");
        f.writeHotkeys("w*http://example.org");
        QVERIFY(f.shell->start());
        f.shell->configureHotkeys();
        HotkeyListModel& model = f.shell->editor()->editing().model();
        QVERIFY(!model.data(model.index(0, 0), Qt::DecorationRole).value<QIcon>().isNull());
    }

    void hotkeysWithoutKeysAreNamedAndNeverRun()
    {
        ShellFixture f({"automatic"});
        f.writeHotkeys("a*/tmp/a|*/tmp/every");
        QVERIFY(f.shell->start());
        QCOMPARE(f.messages().size(), 1);
        QVERIFY2(f.messages().at(0).contains(QStringLiteral("Hotkey 2 (action \"/tmp/every\")")),
                 qPrintable(f.messages().at(0)));
        f.keys.tap({81});
        QVERIFY(f.opener.calls().isEmpty());
        f.keys.tap({65});
        QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a"});
    }

private:
    static void addWebsite(hkCORE& editor, const QString& combination)
    {
        editor.editing().setWizardRunner([combination](QWidget*) {
            return QStringList{"URL", "http://example.org", combination};
        });
        QTest::mouseClick(editor.findChild<velbutton*>(QStringLiteral("addButton")),
                          Qt::LeftButton);
    }
    static void click(hkCORE& editor, const char* button)
    {
        QTest::mouseClick(editor.findChild<velbutton*>(QLatin1String(button)), Qt::LeftButton);
    }
    // Leaves by Cancel (0), closing (1) or Escape (2), after Ctrl+Tab out of the HotKey box.
    static void leave(hkCORE& editor, int way)
    {
        if (way == 0) {
            click(editor, "cancelButton");
        } else if (way == 1) {
            editor.close();
        } else {
            QApplication::setActiveWindow(&editor);
            QVERIFY(QTest::qWaitForWindowActive(&editor));
            QWidget* focus = editor.focusWidget() ? editor.focusWidget() : &editor;
            if (qobject_cast<CaptureBox*>(focus)) {
                QTest::keyClick(focus, Qt::Key_Tab, Qt::ControlModifier);
                focus = editor.focusWidget();
            }
            QTest::keyClick(focus, Qt::Key_Escape);
        }
    }
};

QTEST_MAIN(TestEditorInShell)
#include "TestEditorInShell.moc"
