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
using namespace Qt::StringLiterals;

namespace {

const QString FileRow = QStringLiteral("gofb*/bin/true");
const QString WebRow = QStringLiteral("(Ctrl)(Alt)k*http://example.org");
const QString SpecialRow = QStringLiteral("x*-Restart-");

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
    QString combination(int position) const { return list.at(position).combination; }
    QString target(int position) const { return list.at(position).target; }
    QByteArray fileBytes() const
    {
        QFile file(database.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    HotkeyDatabase database;
    HotkeyList list;
    ActiveHotkeyTable table;
    FakeDialogs dialogs;
    QWidget form;
    std::unique_ptr<HotkeyEditorPanel> panel;
};

QString Line(const QStringList& records)
{
    return records.join(QLatin1Char('|'));
}

// Shows the editor's form and makes it the active window, as keys need.
void Activate(QWidget& form)
{
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
}

} // namespace

class TestHotkeyEditor final : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void rowClickShowsKind_data()
    {
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("type");
        QTest::addColumn<bool>("listShown");
        QTest::addColumn<QString>("iconKey");
        QTest::newRow("file") << 1 << 0 << false << "/bin/true";
        QTest::newRow("website") << 2 << 1 << false << "website";
        QTest::newRow("special") << 3 << 2 << true << "action";
    }

    void rowClickShowsKind()
    {
        QFETCH(int, position);
        QFETCH(int, type);
        QFETCH(bool, listShown);
        QFETCH(QString, iconKey);
        Editor editor(Line({FileRow, WebRow, SpecialRow}));
        QCOMPARE(editor.panel->selectedPosition(), 1);
        editor.panel->selectPosition(position);
        QCOMPARE(editor.child<QComboBox>("hktype")->currentIndex(), type);
        QCOMPARE(editor.child<CaptureBox>("hk")->text(), editor.combination(position));
        QCOMPARE(editor.child<QLineEdit>("ws")->text(), editor.target(position));
        QCOMPARE(editor.child<QComboBox>("sp")->isVisibleTo(&editor.form), listShown);
        QCOMPARE(editor.child<QLineEdit>("ws")->isVisibleTo(&editor.form), !listShown);
        QCOMPARE(editor.child<velbutton>("browse")->isEnabled(), type == 0);
        if (listShown)
            QCOMPARE(editor.child<QComboBox>("sp")->currentText(), editor.target(position));
        QCOMPARE(editor.panel->model().iconKey(position), iconKey);
        QCOMPARE(editor.list.count(), 3);
    }

    void typeSwitchRestoresTarget()
    {
        Editor editor(Line({FileRow, WebRow, SpecialRow}));
        auto* hktype = editor.child<QComboBox>("hktype");
        // The special action is remembered across a switch to another type and back.
        editor.panel->selectPosition(3);
        hktype->setCurrentIndex(1);
        QCOMPARE(editor.target(3), QStringLiteral("http://"));
        hktype->setCurrentIndex(2);
        QCOMPARE(editor.target(3), QStringLiteral("-Restart-"));
        QCOMPARE(editor.child<QComboBox>("sp")->currentText(), QStringLiteral("-Restart-"));
        editor.panel->selectPosition(2);
        hktype->setCurrentIndex(0);
        QCOMPARE(editor.target(2), QString());
        QCOMPARE(editor.panel->model().iconKey(2), QStringLiteral("file"));
        hktype->setCurrentIndex(1);
        QCOMPARE(editor.target(2), QStringLiteral("http://example.org"));
        QCOMPARE(editor.panel->model().iconKey(2), QStringLiteral("website"));
        // A row that had no address is offered the web prefix.
        editor.panel->selectPosition(1);
        hktype->setCurrentIndex(1);
        QCOMPARE(editor.child<QLineEdit>("ws")->text(), QStringLiteral("http://"));
        hktype->setCurrentIndex(0);
        QCOMPARE(editor.target(1), QStringLiteral("/bin/true"));
    }

    void noneLeavesTarget()
    {
        Editor editor(Line({SpecialRow}));
        auto* sp = editor.child<QComboBox>("sp");
        sp->setCurrentIndex(0);
        QCOMPARE(editor.target(1), QStringLiteral("-Restart-"));
        sp->setCurrentIndex(5);
        QCOMPARE(editor.target(1), QStringLiteral("-Log Off-"));
        QCOMPARE(editor.child<QLineEdit>("ws")->text(), QStringLiteral("-Log Off-"));
    }

    void capturedKeysReachTheRow()
    {
        Editor editor(Line({FileRow, WebRow}));
        editor.panel->selectPosition(2);
        auto* hk = editor.child<CaptureBox>("hk");
        const QModelIndex cell = editor.panel->model().index(1, 0);
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(hk, Qt::Key_Backspace);
        QCOMPARE(cell.data().toString(), QString());
        QTest::keyClick(hk, Qt::Key_Alt);
        QCOMPARE(cell.data().toString(), QStringLiteral("(Alt)"));
        QTest::keyClick(hk, Qt::Key_J);
        QCOMPARE(cell.data().toString(), QStringLiteral("(Alt)j"));
        QCOMPARE(editor.combination(1), QStringLiteral("gofb"));
    }

    void rowsAreShownNotChanged()
    {
        Editor editor(Line({QStringLiteral("ctrl+a*/bin/true"), WebRow}));
        // The box can only show the letters of the key alphabet; the row keeps what it holds.
        QCOMPARE(editor.child<CaptureBox>("hk")->text(), QStringLiteral("ctrla"));
        QCOMPARE(editor.combination(1), QStringLiteral("ctrl+a"));
        // A captured key is an edit: from then on the box's text is the row's.
        QTest::keyClick(editor.child<CaptureBox>("hk"), Qt::Key_B);
        QCOMPARE(editor.combination(1), QStringLiteral("ctrlab"));
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
        QCOMPARE(editor.fileBytes(), bytes);
        QVERIFY(editor.dialogs.calls().isEmpty());
    }

    void addThroughWizard_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("result");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("iconKey");
        QTest::addColumn<int>("type");
        QTest::newRow("special") << FileRow << QStringList{"Special", "5", "lo"} << u"-Log Off-"_s
                                 << u"action"_s << 2;
        QTest::newRow("url") << SpecialRow << QStringList{"URL", "http://a.example", "(Win)w"}
                             << u"http://a.example"_s << u"website"_s << 1;
        QTest::newRow("file into empty list")
            << QString() << QStringList{"File", "/bin", "b"} << u"/bin"_s << u"/bin"_s << 0;
        QTest::newRow("missing file") << WebRow << QStringList{"File", "/no/such/file", "m"}
                                      << u"/no/such/file"_s << u"file"_s << 0;
    }

    void addThroughWizard()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, result);
        QFETCH(QString, target);
        QFETCH(QString, iconKey);
        QFETCH(int, type);
        Editor editor(line);
        const int before = editor.list.count();
        editor.panel->setWizardRunner([&](QWidget*) { return result; });
        editor.click("addButton");
        QCOMPARE(editor.list.count(), before + 1);
        QCOMPARE(editor.panel->selectedPosition(), before + 1);
        QCOMPARE(editor.combination(before + 1), result.at(2));
        QCOMPARE(editor.target(before + 1), target);
        QCOMPARE(editor.panel->model().iconKey(before + 1), iconKey);
        QCOMPARE(editor.child<QComboBox>("hktype")->currentIndex(), type);
        QVERIFY(editor.child<CaptureBox>("hk")->isEnabled());
        QCOMPARE(editor.table.size(), before);
    }

    void cancelDropsAddedRows()
    {
        Editor editor(Line({FileRow}));
        QSignalSpy cancelled(editor.panel.get(), &HotkeyEditorPanel::cancelled);
        editor.panel->setWizardRunner([](QWidget*) {
            return QStringList{FormWizard::None, FormWizard::None, FormWizard::None};
        });
        editor.click("addButton");
        QCOMPARE(editor.list.count(), 1);
        editor.panel->setWizardRunner([](QWidget*) { return QStringList{"URL", "http://b", "b"}; });
        editor.click("addButton");
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
        Editor editor(Line({FileRow, SpecialRow}));
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        editor.panel->selectPosition(2);
        QTest::keyClick(editor.child<CaptureBox>("hk"), Qt::Key_Y);
        editor.click("saveButton");
        QCOMPARE(saved.count(), 1);
        QCOMPARE(editor.fileBytes(), QByteArray("gofb*/bin/true|xy*-Restart-\r\n"));
        QCOMPARE(editor.table.records(), (QStringList{"gofb*/bin/true", "xy*-Restart-"}));
        QVERIFY(editor.dialogs.calls().isEmpty());
    }

    void saveAsksAboutOutsideChanges_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("onDisk");
        QTest::addColumn<QStringList>("rows"); // the editor's rows afterwards
        QTest::addColumn<bool>("saved");
        const QString outside = Line({FileRow, SpecialRow});
        const QString edited = Line({FileRow, WebRow});
        QTest::newRow("reload") << "Reload" << outside << QStringList{FileRow, SpecialRow} << false;
        QTest::newRow("overwrite") << "Overwrite" << edited << QStringList{FileRow, WebRow} << true;
        QTest::newRow("cancel") << "Cancel" << outside << QStringList{FileRow, WebRow} << false;
    }

    // A hotkey added to the file by hand while the editor is open is not dropped without asking.
    void saveAsksAboutOutsideChanges()
    {
        QFETCH(QString, answer);
        QFETCH(QString, onDisk);
        QFETCH(QStringList, rows);
        QFETCH(bool, saved);
        Editor editor(Line({FileRow}));
        editor.panel->setWizardRunner([](QWidget*) {
            return QStringList{"URL", "http://example.org", "(Ctrl)(Alt)k"};
        });
        editor.click("addButton");
        editor.write(Line({FileRow, SpecialRow}));
        editor.dialogs.answer(answer);
        QCOMPARE(editor.panel->saveSettings(), saved);
        QCOMPARE(editor.dialogs.calls(),
                 QStringList{"choose Tarvex|The hotkey file was changed outside Tarvex. Reload it "
                             "(your unsaved edits are lost) or overwrite it?"});
        QCOMPARE(editor.fileBytes(), onDisk.toUtf8() + "\r\n");
        QStringList shown;
        for (int row = 1; row <= editor.panel->model().rowCount(); ++row)
            shown << editor.combination(row) + u'*' + editor.target(row);
        QCOMPARE(shown, rows);
        QCOMPARE(editor.panel->hasUnsavedChanges(), answer == QLatin1String("Cancel"));
    }

    void saveRefusesEmptyCombination()
    {
        Editor editor(Line({FileRow, WebRow, SpecialRow}));
        editor.panel->selectPosition(2);
        auto* hk = editor.child<CaptureBox>("hk");
        hk->selectAll();
        QTest::keyClick(hk, Qt::Key_Backspace);
        editor.panel->selectPosition(3);
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        QVERIFY(!editor.panel->saveSettings());
        QCOMPARE(saved.count(), 0);
        QCOMPARE(editor.panel->selectedPosition(), 2);
        QCOMPARE(editor.dialogs.calls().size(), 1);
        QVERIFY(editor.dialogs.calls().at(0).contains(QStringLiteral("Hotkey 2")));
        QVERIFY(editor.fileBytes().contains("(Ctrl)(Alt)k*"));
        QCOMPARE(editor.table.size(), 3);
    }

    void saveRefusesRowsThatCannotRun_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("iconKey"); // empty: the target's own icon
        QTest::addColumn<QString>("mentions");
        QTest::newRow("secure address without keys")
            << QByteArray("gofb*/bin/true|*https://example.org\r\n") << 1 << u"website"_s
            << u"has no key combination"_s;
        QTest::newRow("address without host")
            << QByteArray("gofb*/bin/true|w*http://\r\n") << 1 << u"website"_s
            << u"Hotkey 2 (w): The website address \"http://\" has no valid host name"_s;
        QTest::newRow("nul in target")
            << QByteArrayLiteral("gofb*/bin/true|n*/tmp/a.sh\0.txt\r\n") << 0 << u""_s
            << u"Hotkey 2 (n): The target must not contain control"_s;
    }

    void saveRefusesRowsThatCannotRun()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, type);
        QFETCH(QString, iconKey);
        QFETCH(QString, mentions);
        Editor editor{QString()};
        editor.loadBytes(bytes);
        const HotkeyEntry row = editor.list.at(2);
        QVERIFY(!editor.panel->saveSettings());
        QCOMPARE(editor.dialogs.calls().size(), 1);
        QVERIFY2(editor.dialogs.calls().at(0).contains(mentions),
                 qPrintable(editor.dialogs.calls().at(0)));
        QCOMPARE(editor.fileBytes(), bytes);
        // The refused row is selected and keeps its type, icon and texts.
        QCOMPARE(editor.panel->selectedPosition(), 2);
        QCOMPARE(editor.child<QComboBox>("hktype")->currentIndex(), type);
        QCOMPARE(editor.panel->model().iconKey(2), iconKey.isEmpty() ? row.target : iconKey);
        QCOMPARE(editor.list.at(2), row);
    }

    void failedSaveIsReported()
    {
        Editor editor(Line({FileRow}));
        // A file where the folder should be: the folder cannot be made, whoever runs the test.
        QFile blocker(editor.dir.filePath(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        HotkeyDatabase blocked(blocker.fileName() + QStringLiteral("/Hotkeys.TarvexDB"));
        editor.panel->load(blocked);
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        QVERIFY(!editor.panel->saveSettings());
        QCOMPARE(saved.count(), 0);
        QCOMPARE(editor.dialogs.calls().size(), 1);
        QVERIFY(editor.dialogs.calls().at(0).contains(QStringLiteral("could not be saved")));
        QCOMPARE(editor.list.count(), 1);
    }

    void deletingLastRowKeepsSaving()
    {
        Editor editor(Line({FileRow}));
        editor.click("deleteButton");
        QCOMPARE(editor.list.count(), 0);
        QVERIFY(!editor.child<CaptureBox>("hk")->isEnabled());
        QVERIFY(!editor.child<velbutton>("browse")->isEnabled());
        QCOMPARE(editor.child<CaptureBox>("hk")->text(), QStringLiteral("ClickToEdit"));
        QVERIFY(editor.child<velbutton>("saveButton")->isEnabled());
        editor.click("saveButton");
        QCOMPARE(editor.fileBytes(), QByteArray("\r\n"));
        QCOMPARE(editor.table.size(), 0);
    }

    void deleteShowsTheNextRow_data()
    {
        QTest::addColumn<int>("deleted");
        QTest::addColumn<int>("selected");
        QTest::addColumn<int>("type");
        QTest::newRow("first: the next takes its place") << 1 << 1 << 1;
        QTest::newRow("middle: the next takes its place") << 2 << 2 << 2;
        QTest::newRow("last: the previous") << 3 << 2 << 1;
    }

    // After a delete the fields, selection and save agree; "..." only for file rows.
    void deleteShowsTheNextRow()
    {
        QFETCH(int, deleted);
        QFETCH(int, selected);
        QFETCH(int, type);
        const QStringList rows{FileRow, WebRow, SpecialRow};
        Editor editor(Line(rows));
        editor.panel->selectPosition(deleted);
        editor.click("deleteButton");
        QCOMPARE(editor.panel->selectedPosition(), selected);
        QCOMPARE(editor.child<QComboBox>("hktype")->currentIndex(), type);
        QCOMPARE(editor.child<velbutton>("browse")->isEnabled(), type == 0);
        QTest::keyClick(editor.child<CaptureBox>("hk"), Qt::Key_Z);
        QStringList kept = rows;
        kept.removeAt(deleted - 1);
        kept[selected - 1].replace(u'*', QStringLiteral("z*"));
        QCOMPARE(editor.child<CaptureBox>("hk")->text(), editor.combination(selected));
        editor.click("saveButton");
        QCOMPARE(editor.fileBytes(), Line(kept).toUtf8() + "\r\n");
    }

    void browse_data()
    {
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<QString>("target");
        QTest::addColumn<int>("dialogs");
        QTest::newRow("file") << QStringList{"File", "/bin/sh"} << "/bin/sh" << 2;
        QTest::newRow("folder") << QStringList{"Folder", "/usr"} << "/usr" << 2;
        QTest::newRow("file cancelled") << QStringList{"File", " "} << "/bin/true" << 2;
        QTest::newRow("box closed") << QStringList{""} << "/bin/true" << 1;
        QTest::newRow("separator refused") << QStringList{"File", "/tmp/a*b"} << "/bin/true" << 3;
    }

    void browse()
    {
        QFETCH(QStringList, answers);
        QFETCH(QString, target);
        QFETCH(int, dialogs);
        Editor editor(Line({FileRow}));
        for (const QString& answer : answers)
            editor.dialogs.answer(answer);
        editor.click("browse");
        QCOMPARE(editor.dialogs.calls().size(), dialogs);
        QCOMPARE(
            editor.dialogs.calls().at(0),
            QStringLiteral("choose Add File or Folder|Do You Want To Add A File Or A Folder?"));
        QCOMPARE(editor.target(1), target);
        QCOMPARE(editor.panel->model().iconKey(1), target);
    }

    void separatorsInTargetRefused_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("separators") << u"http://a|b*c"_s << u"http://abc"_s;
        QTest::newRow("control characters") << QStringLiteral("http://a\tb") + QChar(0) + "c"
                                            << "http://abc";
        QTest::newRow("line breaks") << u"http://a\nb\r\nc"_s << u"http://abc"_s;
    }

    void separatorsInTargetRefused()
    {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Editor editor(Line({WebRow}));
        auto* ws = editor.child<QLineEdit>("ws");
        ws->setText(typed);
        QCOMPARE(ws->text(), kept);
        QCOMPARE(editor.target(1), kept);
        QCOMPARE(editor.dialogs.calls().size(), 1);
    }

    void fullAddressReplacesWebPrefix()
    {
        Editor editor(Line({FileRow}));
        editor.child<QComboBox>("hktype")->setCurrentIndex(1);
        auto* ws = editor.child<QLineEdit>("ws");
        QCOMPARE(ws->text(), QStringLiteral("http://"));
        ws->end(false);
        QTest::keyClicks(ws, QStringLiteral("https://example.org"));
        QCOMPARE(editor.target(1), QStringLiteral("https://example.org"));
        QCOMPARE(editor.panel->model().iconKey(1), QStringLiteral("website"));
    }

    void shadowingWarning()
    {
        Editor editor(Line({QStringLiteral("g*/bin/true"), FileRow, SpecialRow}));
        QCOMPARE(editor.panel->shadowWarning(), QString());
        editor.panel->selectPosition(2);
        QVERIFY(editor.panel->shadowWarning().contains(QStringLiteral("hotkey 1 (g,")));
        auto* label = editor.form.findChild<QLabel*>("ShadowWarning");
        QVERIFY(label->isVisibleTo(&editor.form));
        QCOMPARE(label->toolTip(), QString()); // shown whole: no tip
        // A warning shortened to fit shows its whole text as the label's tip.
        const QString longTarget = QStringLiteral("/opt/") + QString(300, u'a');
        Editor longer(Line({"g*" + longTarget, FileRow}));
        longer.panel->selectPosition(2);
        auto* shortened = longer.form.findChild<QLabel*>("ShadowWarning");
        QVERIFY(!shortened->text().contains(longTarget));
        QVERIFY(shortened->toolTip().contains(longTarget));
        // Changing the hidden row's keys clears the warning at once.
        auto* hk = editor.child<CaptureBox>("hk");
        hk->selectAll();
        QTest::keyClicks(hk, QStringLiteral("\bhofb"));
        QCOMPARE(editor.combination(2), QStringLiteral("hofb"));
        QCOMPARE(editor.panel->shadowWarning(), QString());
    }

    // The warning on the last row goes once the row that hid it changes its keys or goes.
    void shadowingRowChangesOrGoes()
    {
        Editor editor(Line({QStringLiteral("g*/bin/true"), FileRow}));
        editor.panel->selectPosition(2);
        QVERIFY(!editor.panel->shadowWarning().isEmpty());
        editor.panel->selectPosition(1);
        auto* hk = editor.child<CaptureBox>("hk");
        hk->selectAll();
        QTest::keyClicks(hk, QStringLiteral("\bh"));
        editor.panel->selectPosition(2);
        QCOMPARE(editor.panel->shadowWarning(), QString());
        Editor hidden(Line({FileRow, QStringLiteral("g*/bin/true")}));
        QVERIFY(!hidden.panel->shadowWarning().isEmpty());
        hidden.panel->selectPosition(2);
        hidden.click("deleteButton");
        QCOMPARE(hidden.panel->selectedPosition(), 1);
        QCOMPARE(hidden.panel->shadowWarning(), QString());
        QVERIFY(!hidden.form.findChild<QWidget*>("ShadowWarning")->isVisibleTo(&hidden.form));
    }

    void arrowKeysWalkTheList()
    {
        Editor editor(Line({FileRow, WebRow, SpecialRow}));
        Activate(editor.form);
        auto* list = editor.child<QTreeView>("Hotkey");
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(editor.panel->selectedPosition(), 2);
        QCOMPARE(editor.child<CaptureBox>("hk")->text(), QStringLiteral("(Ctrl)(Alt)k"));
        QVERIFY(list->hasFocus());
        // A click on a row moves on to its HotKey box, ready for keys.
        const QRect row = list->visualRect(editor.panel->model().index(2, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
        QCOMPARE(editor.panel->selectedPosition(), 3);
        QVERIFY(editor.child<CaptureBox>("hk")->hasFocus());
    }

    // The list has the focus first; Enter saves, Escape cancels, a focused button keeps Enter;
    // in the HotKey box Escape and Enter are keys, Ctrl+Tab leaves.
    void keyboardReachesTheEditor()
    {
        Editor empty{QString()};
        Activate(empty.form);
        QCOMPARE(QApplication::focusWidget(), empty.child<QWidget>("addButton"));
        Editor editor(Line({FileRow, WebRow}));
        Activate(editor.form);
        auto* list = editor.child<QTreeView>("Hotkey");
        QCOMPARE(QApplication::focusWidget(), list);
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        QSignalSpy cancelled(editor.panel.get(), &HotkeyEditorPanel::cancelled);
        // Enter on the focused browse button is that button's; nothing is saved.
        auto* browse = editor.child<velbutton>("browse");
        browse->setFocus();
        QTest::keyClick(browse, Qt::Key_Return);
        QVERIFY(
            editor.dialogs.calls().last().startsWith(QStringLiteral("choose Add File or Folder")));
        QCOMPARE(saved.count(), 0);
        auto* hk = editor.child<CaptureBox>("hk");
        hk->setFocus();
        QTest::keyClick(hk, Qt::Key_Tab, Qt::ControlModifier);
        QWidget* next = QApplication::focusWidget();
        QVERIFY(next && next != hk);
        QTest::keyClick(next, Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
        hk->setFocus();
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Z, Qt::Key_Return})
            QTest::keyClick(hk, key);
        QCOMPARE(cancelled.count(), 1);
        QCOMPARE(saved.count(), 0);
        QTest::keyClick(hk, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(saved.count(), 1);
        QVERIFY(editor.fileBytes().startsWith("gofb(Esc)z(Enter)*"));
    }

    void warningReturnsFocusToItsField_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("field");
        QTest::newRow("no keys") << Line({FileRow, QStringLiteral("*/bin/true")}) << "hk";
        QTest::newRow("no host") << Line({FileRow, QStringLiteral("w*http://")}) << "ws";
    }

    // A refused row is selected and, after the warning, the focus is in the field to mend.
    void warningReturnsFocusToItsField()
    {
        QFETCH(QString, line);
        QFETCH(QString, field);
        Editor editor(line);
        Activate(editor.form);
        auto* list = editor.child<QTreeView>("Hotkey");
        QCOMPARE(QApplication::focusWidget(), list);
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(editor.dialogs.calls().size(), 1);
        QVERIFY(editor.dialogs.calls().first().startsWith(QStringLiteral("warn ")));
        QCOMPARE(editor.panel->selectedPosition(), 2);
        QCOMPARE(QApplication::focusWidget(), editor.child<QWidget>(qPrintable(field)));
    }
};

QTEST_MAIN(TestHotkeyEditor)
#include "TestHotkeyEditor.moc"
