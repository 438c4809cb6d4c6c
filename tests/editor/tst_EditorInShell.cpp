#include "activation/GlobalFlags.h"
#include "controls/button/velbutton.h"
#include "editor/EditorDialogs.h"
#include "editor/hkCORE.h"
#include "editor/HotkeyEditorPanel.h"
#include "editor/HotkeyHost.h"
#include "shell/ProgramTrayIcon.h"
#include "shell/Tarvex.h"
#include "tests/app/ShellFixture.h"

#include <QTest>

using namespace tarvex;

// The editor as the program opens and leaves it: from the main window or the tray menu,
// through "Save Settings" and "Cancel".
class TestEditorInShell final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { ProgramTrayIcon::setDefaultFallbackDelay(0); }
    void init() { EditorDialogs::SetAnswering(true); }
    void cleanup() { EditorDialogs::SetAnswering(false); }
    void cancelDropsAddedRows();
    void saveHidesEditorAndShowsMainWindow();
    void saveFromTrayRefreshesRunningHotkeys();
    void hotkeysWithoutKeysAreNamedAndNeverRun();

private:
    static void addWebsite(hkCORE& editor, const QString& combination)
    {
        editor.editing().setWizardRunner([combination](QWidget*) {
            return QStringList{"URL", "http://example.org", combination};
        });
        QTest::mouseClick(editor.findChild<velbutton*>(QStringLiteral("Command4")), Qt::LeftButton);
    }
    static void click(hkCORE& editor, const char* button)
    {
        QTest::mouseClick(editor.findChild<velbutton*>(QLatin1String(button)), Qt::LeftButton);
    }
    static bool mainWindowVisible(ShellFixture& f)
    {
        return f.shell->mainWindow() && f.shell->mainWindow()->isVisible();
    }
};

void TestEditorInShell::cancelDropsAddedRows()
{
    ShellFixture f;
    f.writeHotkeys("a*/tmp/a file");
    QVERIFY(f.shell->start());
    f.shell->configureHotkeys();
    hkCORE* editor = f.shell->editor();
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->windowTitle(), QStringLiteral("Configure Hotkeys"));
    addWebsite(*editor, QStringLiteral("w"));
    QCOMPARE(editor->host().list().count(), 2);
    click(*editor, "Command1");
    QTRY_VERIFY(!f.shell->editor());
    QVERIFY(mainWindowVisible(f));
    f.shell->configureHotkeys();
    QCOMPARE(f.shell->editor()->host().list().count(), 1);
}

void TestEditorInShell::saveHidesEditorAndShowsMainWindow()
{
    ShellFixture f;
    f.writeHotkeys("a*/tmp/a file");
    QVERIFY(f.shell->start());
    f.shell->configureHotkeys();
    hkCORE* editor = f.shell->editor();
    addWebsite(*editor, QStringLiteral("w"));
    click(*editor, "Command2");
    QCOMPARE(f.shell->editor(), editor);
    QVERIFY(!editor->isVisible());
    QVERIFY(mainWindowVisible(f));
    QVERIFY(!HotkeysEnabled());
    QCOMPARE(editor->host().table().records(),
             (QStringList{"a*/tmp/a file", "w*http://example.org"}));
    QVERIFY(f.messages.isEmpty());
}

void TestEditorInShell::saveFromTrayRefreshesRunningHotkeys()
{
    ShellFixture f({"automatic"});
    f.writeHotkeys("a*/tmp/a file");
    QVERIFY(f.shell->start());
    f.shell->settingsFromTray();
    hkCORE* editor = f.shell->editor();
    QVERIFY(editor->isVisible());
    QVERIFY(HotkeysEnabled());
    addWebsite(*editor, QStringLiteral("q"));
    // While the editor is visible the hotkeys pause, and only saved rows ever run.
    f.keys.tap({81});
    QVERIFY(f.opener.calls().isEmpty());
    click(*editor, "Command2");
    QVERIFY(!editor->isVisible());
    QVERIFY(HotkeysEnabled());
    f.keys.tap({81});
    QCOMPARE(f.opener.calls(), QStringList{"open http://example.org"});
}

void TestEditorInShell::hotkeysWithoutKeysAreNamedAndNeverRun()
{
    ShellFixture f({"automatic"});
    f.writeHotkeys("a*/tmp/a|*/tmp/every");
    QVERIFY(f.shell->start());
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages.at(0).contains(QStringLiteral("Hotkey 2 (action \"/tmp/every\")")),
             qPrintable(f.messages.at(0)));
    f.keys.tap({81});
    QVERIFY(f.opener.calls().isEmpty());
    f.keys.tap({65});
    QCOMPARE(f.opener.calls(), QStringList{"open /tmp/a"});
}

QTEST_MAIN(TestEditorInShell)
#include "tst_EditorInShell.moc"
