#include "controls/button/velbutton.h"
#include "editor/CaptureBox.h"
#include "editor/FormWizard.h"
#include "editor/HotkeyEditorPanel.h"
#include "editor/HotkeyListModel.h"
#include "store/AppSettings.h"
#include "tests/fakes/FakeDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

#include <memory>

using namespace tarvex;

namespace {

const QString FileRow = QStringLiteral("gofb*/bin/true");
const QString WebRow = QStringLiteral("(Ctrl)(Alt)k*http://example.org");
const QString SpecialRow = QStringLiteral("x*-Restart-");
const QString AllRows = FileRow + u'|' + WebRow + u'|' + SpecialRow;

// One editor over a hotkey file in a private folder, loaded like the form loads it.
struct Editor
{
    explicit Editor(const QString& line, bool writeFile = true)
        : database(dir.filePath(QStringLiteral("Hotkeys.TarvexDB")))
    {
        if (writeFile)
            write(line);
        database.load(list, table);
        panel = std::make_unique<HotkeyEditorPanel>(&form, list, table, dialogs,
                                                    qEnvironmentVariable("TARVEX_TEST_SOURCE_DIR") +
                                                        "/resources");
        panel->load(database);
    }
    void write(const QString& line) { writeBytes(line.toUtf8() + "\r\n"); }
    void writeBytes(const QByteArray& bytes)
    {
        QFile file(database.path());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    // Loads the file `bytes` afresh, as the next opening of the editor would.
    void loadBytes(const QByteArray& bytes)
    {
        writeBytes(bytes);
        database.load(list, table);
        panel->load(database);
    }
    template <typename T> T* child(const char* name)
    {
        return form.findChild<T*>(QLatin1String(name));
    }
    void click(const char* button) { QTest::mouseClick(child<velbutton>(button), Qt::LeftButton); }
    CaptureBox* hk() { return child<CaptureBox>("hk"); }
    QLineEdit* ws() { return child<QLineEdit>("ws"); }
    QComboBox* hktype() { return child<QComboBox>("hktype"); }
    int type() { return hktype()->currentIndex(); }
    QString iconKey(int position) const { return panel->model().iconKey(position); }
    QString combination(int position) const { return list.at(position).combination; }
    QString target(int position) const { return list.at(position).target; }
    // Every row as "combination*target".
    QStringList rows() const
    {
        QStringList shown;
        for (int row = 1; row <= panel->model().rowCount(); ++row)
            shown << combination(row) + u'*' + target(row);
        return shown;
    }
    QByteArray fileBytes() const
    {
        QFile file(database.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Adds a row through the Add button with the wizard's result `result`.
    void add(const QStringList& result)
    {
        panel->setWizardRunner([result](QWidget*) { return result; });
        click("addButton");
    }
    // Shows the form and makes it the active window, as keys need.
    void activate()
    {
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }

    QTemporaryDir dir;
    HotkeyDatabase database;
    HotkeyList list;
    ActiveHotkeyTable table;
    FakeDialogs dialogs;
    QWidget form;
    std::unique_ptr<HotkeyEditorPanel> panel;
};

} // namespace

class TestHotkeyEditor final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Selecting a row shows its type, keys and target; the list for special actions only,
    // "..." for files only.
    void rowClickShowsKind()
    {
        Editor editor(AllRows);
        QCOMPARE(editor.panel->selectedPosition(), 1);
        const std::tuple<int, bool, const char*> rows[] = {
            {0, false, "/bin/true"}, {1, false, "website"}, {2, true, "action"}};
        for (int position = 1; position <= 3; ++position) {
            const auto& [type, listShown, iconKey] = rows[position - 1];
            editor.panel->selectPosition(position);
            QCOMPARE(std::tuple(editor.type(), editor.hk()->text(), editor.ws()->text()),
                     std::tuple(type, editor.combination(position), editor.target(position)));
            QCOMPARE(std::tuple(editor.child<QComboBox>("sp")->isVisibleTo(&editor.form),
                                editor.ws()->isVisibleTo(&editor.form),
                                editor.child<velbutton>("browse")->isEnabled()),
                     std::tuple(listShown, !listShown, type == 0));
            if (listShown)
                QCOMPARE(editor.child<QComboBox>("sp")->currentText(), editor.target(position));
            QCOMPARE(std::tuple(editor.iconKey(position), editor.list.count()),
                     std::tuple(QString(iconKey), 3));
        }
    }

    // A special action or address is remembered across a switch to another type and back; a
    // row that had no address is offered the web prefix.
    void typeSwitchRestoresTarget()
    {
        Editor editor(AllRows);
        editor.panel->selectPosition(3);
        editor.hktype()->setCurrentIndex(1);
        QCOMPARE(editor.target(3), QStringLiteral("http://"));
        editor.hktype()->setCurrentIndex(2);
        QCOMPARE(std::tuple(editor.target(3), editor.child<QComboBox>("sp")->currentText()),
                 std::tuple(QStringLiteral("-Restart-"), QStringLiteral("-Restart-")));
        editor.panel->selectPosition(2);
        editor.hktype()->setCurrentIndex(0);
        QCOMPARE(std::tuple(editor.target(2), editor.iconKey(2)),
                 std::tuple(QString(), QStringLiteral("file")));
        editor.hktype()->setCurrentIndex(1);
        QCOMPARE(std::tuple(editor.target(2), editor.iconKey(2)),
                 std::tuple(QStringLiteral("http://example.org"), QStringLiteral("website")));
        editor.panel->selectPosition(1);
        editor.hktype()->setCurrentIndex(1);
        QCOMPARE(editor.ws()->text(), QStringLiteral("http://"));
        editor.hktype()->setCurrentIndex(0);
        QCOMPARE(editor.target(1), QStringLiteral("/bin/true"));
        // "-None-" in the list leaves the target; another action replaces it.
        Editor special(SpecialRow);
        special.child<QComboBox>("sp")->setCurrentIndex(0);
        QCOMPARE(special.target(1), QStringLiteral("-Restart-"));
        special.child<QComboBox>("sp")->setCurrentIndex(5);
        QCOMPARE(std::tuple(special.target(1), special.ws()->text()),
                 std::tuple(QStringLiteral("-Log Off-"), QStringLiteral("-Log Off-")));
    }

    // Captured keys reach the row at once; a row the box cannot show (letters of the key
    // alphabet only) is kept until a key is captured, from then on the box's text is the row's.
    void capturedKeysReachTheRow()
    {
        Editor editor(FileRow + u'|' + WebRow);
        editor.panel->selectPosition(2);
        const QModelIndex cell = editor.panel->model().index(1, 0);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(editor.hk(), Qt::Key_Backspace);
        QCOMPARE(cell.data().toString(), QString());
        QTest::keyClick(editor.hk(), Qt::Key_Alt);
        QCOMPARE(cell.data().toString(), QStringLiteral("(Alt)"));
        QTest::keyClick(editor.hk(), Qt::Key_J);
        QCOMPARE(std::tuple(cell.data().toString(), editor.combination(1)),
                 std::tuple(QStringLiteral("(Alt)j"), QStringLiteral("gofb")));
        Editor foreign(QStringLiteral("ctrl+a*/bin/true|") + WebRow);
        QCOMPARE(std::tuple(foreign.hk()->text(), foreign.combination(1)),
                 std::tuple(QStringLiteral("ctrla"), QStringLiteral("ctrl+a")));
        QTest::keyClick(foreign.hk(), Qt::Key_B);
        QCOMPARE(foreign.combination(1), QStringLiteral("ctrlab"));
    }

    void saveWithoutEditsKeepsTheFile()
    {
        // Records the boxes cannot show: foreign characters, a third field, 8-bit, very long.
        const QByteArray bytes = QByteArray("ctrl+a*/bin/true*third|k*/home/j\xfcrgen|l*/") +
                                 QByteArray(40000, 'x') +
                                 QByteArray("|w*https://example.org|s*-Restart-\r\nnotes\r\n");
        Editor editor{QString()};
        editor.loadBytes(bytes);
        QCOMPARE(editor.list.count(), 5);
        for (int position = 1; position <= 5; ++position)
            editor.panel->selectPosition(position);
        QVERIFY(editor.panel->saveSettings());
        QCOMPARE(std::tuple(editor.fileBytes(), editor.dialogs.calls()),
                 std::tuple(bytes, QStringList()));
    }

    // The added row is selected, shown with its type and icon, and not yet active.
    void addThroughWizard()
    {
        const std::tuple<QString, QStringList, const char*, const char*, int> rows[] = {
            {FileRow, {"Special", "5", "lo"}, "-Log Off-", "action", 2},
            {SpecialRow, {"URL", "http://a.example", "(Win)w"}, "http://a.example", "website", 1},
            {QString(), {"File", "/bin", "b"}, "/bin", "/bin", 0},
            {WebRow, {"File", "/no/such/file", "m"}, "/no/such/file", "file", 0},
        };
        for (const auto& [line, result, target, iconKey, type] : rows) {
            Editor editor(line);
            const int added = editor.list.count() + 1;
            editor.add(result);
            QCOMPARE(std::tuple(editor.list.count(), editor.panel->selectedPosition(),
                                editor.table.size() + 1),
                     std::tuple(added, added, added));
            QCOMPARE((QStringList{editor.combination(added), editor.target(added),
                                  editor.iconKey(added)}),
                     (QStringList{result.at(2), target, iconKey}));
            QCOMPARE(editor.type(), type);
            QVERIFY(editor.hk()->isEnabled());
        }
    }

    // A wizard left without a hotkey adds nothing; Cancel without saving drops added rows.
    void cancelDropsAddedRows()
    {
        Editor editor(FileRow);
        QSignalSpy cancelled(editor.panel.get(), &HotkeyEditorPanel::cancelled);
        editor.add({FormWizard::None, FormWizard::None, FormWizard::None});
        QCOMPARE(editor.list.count(), 1);
        editor.add({"URL", "http://b", "b"});
        QCOMPARE(editor.list.count(), 2);
        editor.dialogs.answer(QStringLiteral("No")); // "Save changes to your hotkeys?"
        editor.click("cancelButton");
        QCOMPARE(cancelled.count(), 1);
        HotkeyList reloaded;
        ActiveHotkeyTable table;
        editor.database.load(reloaded, table);
        QCOMPARE(reloaded.count(), 1);
    }

    void saveWritesFileAndTable()
    {
        Editor editor(FileRow + u'|' + SpecialRow);
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        editor.panel->selectPosition(2);
        QTest::keyClick(editor.hk(), Qt::Key_Y);
        editor.click("saveButton");
        QCOMPARE(saved.count(), 1);
        QCOMPARE(editor.fileBytes(), QByteArray("gofb*/bin/true|xy*-Restart-\r\n"));
        QCOMPARE(editor.table.records(), (QStringList{"gofb*/bin/true", "xy*-Restart-"}));
        QVERIFY(editor.dialogs.calls().isEmpty());
    }

    // A hotkey added to the file by hand while the editor is open is not dropped without
    // asking: Reload, Overwrite or Cancel (the edits kept, unsaved).
    void saveAsksAboutOutsideChanges()
    {
        const QStringList outside{FileRow, SpecialRow}, edited{FileRow, WebRow};
        const std::tuple<const char*, QStringList, QStringList, bool> rows[] = {
            {"Reload", outside, outside, false},
            {"Overwrite", edited, edited, true},
            {"Cancel", outside, edited, false}};
        for (const auto& [answer, onDisk, shown, saved] : rows) {
            Editor editor(FileRow);
            editor.add({"URL", "http://example.org", "(Ctrl)(Alt)k"});
            editor.write(outside.join(u'|'));
            editor.dialogs.answer(answer);
            QCOMPARE(editor.panel->saveSettings(), saved);
            QCOMPARE(editor.dialogs.calls(),
                     QStringList{"choose Tarvex|The hotkey file was changed outside Tarvex. Reload "
                                 "it (your unsaved edits are lost) or overwrite it?"});
            QCOMPARE(editor.fileBytes(), onDisk.join(u'|').toUtf8() + "\r\n");
            QCOMPARE(editor.rows(), shown);
            QCOMPARE(editor.panel->hasUnsavedChanges(), QByteArray(answer) == "Cancel");
        }
    }

    void saveRefusesEmptyCombination()
    {
        Editor editor(AllRows);
        editor.panel->selectPosition(2);
        editor.hk()->selectAll();
        QTest::keyClick(editor.hk(), Qt::Key_Backspace);
        editor.panel->selectPosition(3);
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        QVERIFY(!editor.panel->saveSettings());
        QCOMPARE(std::tuple(saved.count(), editor.panel->selectedPosition(),
                            editor.dialogs.calls().size(), editor.table.size()),
                 std::tuple(0, 2, 1, 3));
        QVERIFY(editor.dialogs.calls().at(0).contains(QStringLiteral("Hotkey 2")));
        QVERIFY(editor.fileBytes().contains("(Ctrl)(Alt)k*"));
    }

    // The refused row is selected and keeps its type, icon (empty: the target's own) and texts.
    void saveRefusesRowsThatCannotRun()
    {
        const std::tuple<QByteArray, int, const char*, const char*> rows[] = {
            {"gofb*/bin/true|*https://example.org\r\n", 1, "website", "has no key combination"},
            {"gofb*/bin/true|w*http://\r\n", 1, "website",
             "Hotkey 2 (w): The website address \"http://\" has no valid host name"},
            {QByteArrayLiteral("gofb*/bin/true|n*/tmp/a.sh\0.txt\r\n"), 0, "",
             "Hotkey 2 (n): The target must not contain control"},
        };
        for (const auto& [bytes, type, iconKey, mentions] : rows) {
            Editor editor{QString()};
            editor.loadBytes(bytes);
            const HotkeyEntry row = editor.list.at(2);
            QVERIFY(!editor.panel->saveSettings());
            QCOMPARE(editor.dialogs.calls().size(), 1);
            QVERIFY2(editor.dialogs.calls().at(0).contains(mentions),
                     qPrintable(editor.dialogs.calls().at(0)));
            QCOMPARE(editor.fileBytes(), bytes);
            QCOMPARE(std::tuple(editor.panel->selectedPosition(), editor.type()),
                     std::tuple(2, type));
            QCOMPARE(editor.iconKey(2), *iconKey ? QString(iconKey) : row.target);
            QCOMPARE(editor.list.at(2), row);
        }
    }

    void failedSaveIsReported()
    {
        Editor editor(FileRow);
        // A file where the folder should be: the folder cannot be made, whoever runs the test.
        QFile blocker(editor.dir.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        HotkeyDatabase blocked(blocker.fileName() + QStringLiteral("/Hotkeys.TarvexDB"));
        editor.panel->load(blocked);
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        QVERIFY(!editor.panel->saveSettings());
        QCOMPARE(std::tuple(saved.count(), editor.dialogs.calls().size(), editor.list.count()),
                 std::tuple(0, 1, 1));
        QVERIFY(editor.dialogs.calls().at(0).contains(QStringLiteral("could not be saved")));
    }

    void deletingLastRowKeepsSaving()
    {
        Editor editor(FileRow);
        editor.click("deleteButton");
        QCOMPARE(editor.list.count(), 0);
        QVERIFY(!editor.hk()->isEnabled() && !editor.child<velbutton>("browse")->isEnabled());
        QCOMPARE(editor.hk()->text(), QStringLiteral("ClickToEdit"));
        QVERIFY(editor.child<velbutton>("saveButton")->isEnabled());
        editor.click("saveButton");
        QCOMPARE(std::tuple(editor.fileBytes(), editor.table.size()),
                 std::tuple(QByteArray("\r\n"), 0));
    }

    // After a delete (first, middle: the next takes its place; last: the previous) the fields,
    // selection and save agree; "..." only for file rows.
    void deleteShowsTheNextRow()
    {
        const std::tuple<int, int, int> rows[] = {{1, 1, 1}, {2, 2, 2}, {3, 2, 1}};
        for (const auto& [deleted, selected, type] : rows) {
            QStringList kept{FileRow, WebRow, SpecialRow};
            Editor editor(AllRows);
            editor.panel->selectPosition(deleted);
            editor.click("deleteButton");
            QCOMPARE(std::tuple(editor.panel->selectedPosition(), editor.type(),
                                editor.child<velbutton>("browse")->isEnabled()),
                     std::tuple(selected, type, type == 0));
            QTest::keyClick(editor.hk(), Qt::Key_Z);
            kept.removeAt(deleted - 1);
            kept[selected - 1].replace(u'*', QStringLiteral("z*"));
            QCOMPARE(editor.hk()->text(), editor.combination(selected));
            editor.click("saveButton");
            QCOMPARE(editor.fileBytes(), kept.join(u'|').toUtf8() + "\r\n");
        }
    }

    // "..." asks file or folder, then for it; a cancelled dialog or one with the separator
    // changes nothing.
    void browse()
    {
        const std::tuple<QStringList, const char*, int> rows[] = {
            {{"File", "/bin/sh"}, "/bin/sh", 2},
            {{"Folder", "/usr"}, "/usr", 2},
            {{"File", " "}, "/bin/true", 2},
            {{""}, "/bin/true", 1},
            {{"File", "/tmp/a*b"}, "/bin/true", 3}};
        for (const auto& [answers, target, dialogs] : rows) {
            Editor editor(FileRow);
            for (const QString& answer : answers)
                editor.dialogs.answer(answer);
            editor.click("browse");
            QCOMPARE(editor.dialogs.calls().size(), dialogs);
            QCOMPARE(editor.dialogs.calls().at(0),
                     "choose Add File or Folder|Do You Want To Add A File Or A Folder?");
            QCOMPARE(std::tuple(editor.target(1), editor.iconKey(1)),
                     std::tuple(QString(target), QString(target)));
        }
    }

    // Separators, control characters and line breaks typed into the target are dropped with a
    // warning; a whole address typed after the web prefix replaces it.
    void separatorsInTargetRefused()
    {
        for (const QString& typed :
             {QStringLiteral("http://a|b*c"), QStringLiteral("http://a\tb") + QChar(0) + "c",
              QStringLiteral("http://a\nb\r\nc")}) {
            Editor editor(WebRow);
            editor.ws()->setText(typed);
            QCOMPARE(
                std::tuple(editor.ws()->text(), editor.target(1), editor.dialogs.calls().size()),
                std::tuple(QStringLiteral("http://abc"), QStringLiteral("http://abc"), 1));
        }
        Editor editor(FileRow);
        editor.hktype()->setCurrentIndex(1);
        QCOMPARE(editor.ws()->text(), QStringLiteral("http://"));
        editor.ws()->end(false);
        QTest::keyClicks(editor.ws(), QStringLiteral("https://example.org"));
        QCOMPARE(std::tuple(editor.target(1), editor.iconKey(1)),
                 std::tuple(QStringLiteral("https://example.org"), QStringLiteral("website")));
    }

    void shadowingWarning()
    {
        Editor editor(QStringLiteral("g*/bin/true|") + FileRow + u'|' + SpecialRow);
        QCOMPARE(editor.panel->shadowWarning(), QString());
        editor.panel->selectPosition(2);
        QVERIFY(editor.panel->shadowWarning().contains(QStringLiteral("hotkey 1 (g,")));
        auto* label = editor.form.findChild<QLabel*>("ShadowWarning");
        QVERIFY(label->isVisibleTo(&editor.form));
        QCOMPARE(label->toolTip(), QString()); // shown whole: no tip
        // A warning shortened to fit shows its whole text as the label's tip.
        const QString longTarget = QStringLiteral("/opt/") + QString(300, u'a');
        Editor longer("g*" + longTarget + u'|' + FileRow);
        longer.panel->selectPosition(2);
        auto* shortened = longer.form.findChild<QLabel*>("ShadowWarning");
        QVERIFY(!shortened->text().contains(longTarget));
        QVERIFY(shortened->toolTip().contains(longTarget));
        // Changing the hidden row's keys clears the warning at once.
        editor.hk()->selectAll();
        QTest::keyClicks(editor.hk(), QStringLiteral("\bhofb"));
        QCOMPARE(std::tuple(editor.combination(2), editor.panel->shadowWarning()),
                 std::tuple(QStringLiteral("hofb"), QString()));
    }

    // The warning on the last row goes once the row that hid it changes its keys or goes.
    void shadowingRowChangesOrGoes()
    {
        Editor editor(QStringLiteral("g*/bin/true|") + FileRow);
        editor.panel->selectPosition(2);
        QVERIFY(!editor.panel->shadowWarning().isEmpty());
        editor.panel->selectPosition(1);
        editor.hk()->selectAll();
        QTest::keyClicks(editor.hk(), QStringLiteral("\bh"));
        editor.panel->selectPosition(2);
        QCOMPARE(editor.panel->shadowWarning(), QString());
        Editor hidden(FileRow + QStringLiteral("|g*/bin/true"));
        QVERIFY(!hidden.panel->shadowWarning().isEmpty());
        hidden.panel->selectPosition(2);
        hidden.click("deleteButton");
        QCOMPARE(std::tuple(hidden.panel->selectedPosition(), hidden.panel->shadowWarning()),
                 std::tuple(1, QString()));
        QVERIFY(!hidden.form.findChild<QWidget*>("ShadowWarning")->isVisibleTo(&hidden.form));
    }

    // Arrow keys walk the list, keeping the focus; a click on a row moves on to its HotKey box.
    void arrowKeysWalkTheList()
    {
        Editor editor(AllRows);
        editor.activate();
        auto* list = editor.child<QTreeView>("Hotkey");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(std::tuple(editor.panel->selectedPosition(), editor.hk()->text()),
                 std::tuple(2, QStringLiteral("(Ctrl)(Alt)k")));
        QVERIFY(list->hasFocus());
        const QRect row = list->visualRect(editor.panel->model().index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(editor.panel->selectedPosition(), 3);
        QVERIFY(editor.hk()->hasFocus());
    }

    // The list has the focus first; Enter saves, Escape cancels, a focused button keeps Enter;
    // in the HotKey box Escape and Enter are keys, Ctrl+Tab leaves.
    void keyboardReachesTheEditor()
    {
        Editor empty{QString()};
        empty.activate();
        QCOMPARE(QApplication::focusWidget(), empty.child<QWidget>("addButton"));
        Editor editor(FileRow + u'|' + WebRow);
        editor.activate();
        QCOMPARE(QApplication::focusWidget(), editor.child<QTreeView>("Hotkey"));
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        QSignalSpy cancelled(editor.panel.get(), &HotkeyEditorPanel::cancelled);
        auto* browse = editor.child<velbutton>("browse");
        browse->setFocus();
        QTest::keyClick(browse, Qt::Key_Return);
        QVERIFY(
            editor.dialogs.calls().last().startsWith(QStringLiteral("choose Add File or Folder")));
        QCOMPARE(saved.count(), 0);
        CaptureBox* hk = editor.hk();
        hk->setFocus();
        QTest::keyClick(hk, Qt::Key_Tab, Qt::ControlModifier);
        QWidget* next = QApplication::focusWidget();
        QVERIFY(next && next != hk);
        QTest::keyClick(next, Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
        hk->setFocus();
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Z, Qt::Key_Return})
            QTest::keyClick(hk, key);
        QCOMPARE(std::tuple(cancelled.count(), saved.count()), std::tuple(1, 0));
        QTest::keyClick(hk, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(saved.count(), 1);
        QVERIFY(editor.fileBytes().startsWith("gofb(Esc)z(Enter)*"));
    }

    // A refused row is selected and, after the warning, the focus is in the field to mend.
    void warningReturnsFocusToItsField()
    {
        for (const auto& [row, field] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"*/bin/true", "hk"}, {"w*http://", "ws"}}) {
            Editor editor(FileRow + u'|' + row);
            editor.activate();
            auto* list = editor.child<QTreeView>("Hotkey");
            QCOMPARE(QApplication::focusWidget(), list);
            QTest::keyClick(list, Qt::Key_Return);
            QCOMPARE(editor.dialogs.calls().size(), 1);
            QVERIFY(editor.dialogs.calls().first().startsWith(QStringLiteral("warn ")));
            QCOMPARE(editor.panel->selectedPosition(), 2);
            QCOMPARE(QApplication::focusWidget(), editor.child<QWidget>(field));
        }
    }
};

QTEST_MAIN(TestHotkeyEditor)
#include "TestHotkeyEditor.moc"
