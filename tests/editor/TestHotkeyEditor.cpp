#include "controls/button/velbutton.h"
#include "editor/CaptureBox.h"
#include "editor/FormWizard.h"
#include "editor/HotkeyEditorPanel.h"
#include "editor/HotkeyListModel.h"
#include "tests/fakes/FakeDialogs.h"

#include <memory>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace tarvex;

namespace {

const QString FileRow = QStringLiteral("gofb*/bin/true");
const QString WebRow = QStringLiteral("(Ctrl)(Alt)k*http://example.org");
const QString SpecialRow = QStringLiteral("x*-Restart-");
const QString AllRows = FileRow + u'|' + WebRow + u'|' + SpecialRow;

// One editor over a hotkey file in a private folder, loaded like the form loads it.
struct Editor
{
    explicit Editor(const QString& line)
        : database(dir.filePath(QStringLiteral("Hotkeys.TarvexDB")))
    {
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
    void loadBytes(const QByteArray& bytes)
    {
        writeBytes(bytes);
        database.load(list, table);
        panel->load(database);
    }
    template <typename T> T* child(const char* name) { return form.findChild<T*>(name); }
    void click(const char* button) { QTest::mouseClick(child<velbutton>(button), Qt::LeftButton); }
    CaptureBox* hk() { return child<CaptureBox>("hk"); }
    QLineEdit* ws() { return child<QLineEdit>("ws"); }
    QComboBox* hktype() { return child<QComboBox>("hktype"); }
    int type() { return hktype()->currentIndex(); }
    QString iconKey(int position) const { return panel->model().iconKey(position); }
    QString combination(int position) const { return list.at(position).combination; }
    QString target(int position) const { return list.at(position).target; }
    QByteArray fileBytes() const
    {
        QFile file(database.path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void add(const QStringList& result)
    {
        panel->setWizardRunner([result](QWidget*) { return result; });
        click("addButton");
    }
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
    // A selected row shows its type, keys, target; the list for actions only, "..." for files only.
    void rowClickShowsKind()
    {
        Editor editor(AllRows);
        const std::tuple<int, bool, const char*> rows[] = {
            {0, false, "/bin/true"}, {1, false, "website"}, {2, true, "action"}};
        for (int position = 1; position <= 3; ++position) {
            const auto& [type, listShown, iconKey] = rows[position - 1];
            editor.panel->selectPosition(position);
            QCOMPARE(std::tuple(editor.type(), editor.hk()->text(), editor.ws()->text(),
                                editor.iconKey(position)),
                     std::tuple(type, editor.combination(position), editor.target(position),
                                QString(iconKey)));
            QCOMPARE(std::tuple(editor.child<QComboBox>("sp")->isVisibleTo(&editor.form),
                                editor.ws()->isVisibleTo(&editor.form),
                                editor.child<velbutton>("browse")->isEnabled()),
                     std::tuple(listShown, !listShown, type == 0));
        }
        // Each cell's tip holds its whole text; only the columns have headings, fixed in place.
        QVERIFY(!editor.child<QTreeView>("Hotkey")->header()->sectionsMovable());
        const QAbstractItemModel& model = editor.panel->model();
        const auto tip = [&model](int column) {
            return model.index(1, column).data(Qt::ToolTipRole);
        };
        QCOMPARE(QVariantList({tip(0), tip(1), model.headerData(0, Qt::Vertical)}),
                 QVariantList({"(Ctrl)(Alt)k", "http://example.org", QVariant()}));
    }

    // A special action is remembered across a switch to the web type (offered its prefix, typed
    // separators refused with a warning) and back.
    void typeSwitchRestoresTarget()
    {
        Editor editor(AllRows);
        editor.panel->selectPosition(3);
        editor.hktype()->setCurrentIndex(1);
        QCOMPARE(editor.target(3), QStringLiteral("http://"));
        editor.ws()->setText(QStringLiteral("http://a|b\t*c")); // separators and controls go
        QCOMPARE(std::tuple(editor.target(3), editor.dialogs.calls().size()),
                 std::tuple(QStringLiteral("http://abc"), 1));
        editor.hktype()->setCurrentIndex(2);
        QCOMPARE(std::tuple(editor.target(3), editor.child<QComboBox>("sp")->currentText()),
                 std::tuple(QStringLiteral("-Restart-"), QStringLiteral("-Restart-")));
    }

    // Captured keys reach the row and its cell at once, the file and table on save; Backspace
    // takes a key name as a whole.
    void capturedKeysAreSaved()
    {
        Editor editor(FileRow + u'|' + SpecialRow);
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        editor.panel->selectPosition(2);
        for (Qt::Key key :
             {Qt::Key_Backspace, Qt::Key_Alt, Qt::Key_J, Qt::Key_F4, Qt::Key_Backspace})
            QTest::keyClick(editor.hk(), key);
        QCOMPARE(
            std::tuple(editor.panel->model().index(1, 0).data().toString(), editor.combination(2)),
            std::tuple(QStringLiteral("(Alt)j"), QStringLiteral("(Alt)j")));
        editor.click("saveButton");
        QCOMPARE(std::tuple(saved.count(), editor.fileBytes(), editor.table.records()),
                 std::tuple(1, QByteArray("gofb*/bin/true|(Alt)j*-Restart-\r\n"),
                            QStringList{"gofb*/bin/true", "(Alt)j*-Restart-"}));
    }

    // The added row is selected, shown with its type and icon, and not yet active.
    void addThroughWizard()
    {
        const std::tuple<QString, QStringList, const char*, const char*, int> rows[] = {
            {FileRow, {"Special", "5", "lo"}, "-Log Off-", "action", 2},
            {QString(), {"File", "/bin", "b"}, "/bin", "/bin", 0}};
        for (const auto& [line, result, target, iconKey, type] : rows) {
            Editor editor(line);
            const int added = editor.list.count() + 1;
            editor.add(result);
            QCOMPARE(std::tuple(editor.list.count(), editor.panel->selectedPosition(),
                                editor.table.size() + 1, editor.type()),
                     std::tuple(added, added, added, type));
            QCOMPARE((QStringList{editor.combination(added), editor.target(added),
                                  editor.iconKey(added)}),
                     (QStringList{result.at(2), target, iconKey}));
            QVERIFY(editor.hk()->isEnabled());
        }
    }

    // A hotkey added to the file by hand meanwhile: Reload, Overwrite or Cancel (edits kept).
    void saveAsksAboutOutsideChanges()
    {
        const QStringList outside{FileRow, SpecialRow}, edited{FileRow, WebRow};
        const std::tuple<const char*, QStringList, const char*, bool> rows[] = {
            {"Reload", outside, "-Restart-", false},
            {"Overwrite", edited, "http://example.org", true},
            {"Cancel", outside, "http://example.org", false}};
        for (const auto& [answer, onDisk, shown, saved] : rows) {
            Editor editor(FileRow);
            editor.add({"URL", "http://example.org", "(Ctrl)(Alt)k"});
            editor.write(outside.join(u'|'));
            editor.dialogs.answer(answer);
            QCOMPARE(editor.panel->saveSettings(), saved);
            QCOMPARE(editor.fileBytes(), onDisk.join(u'|').toUtf8() + "\r\n");
            QCOMPARE(editor.target(2), shown);
            QCOMPARE(editor.panel->hasUnsavedChanges(), QByteArray(answer) == "Cancel");
        }
    }

    // The refused row is selected and keeps its type, icon (empty: the target's own) and texts.
    void saveRefusesRowsThatCannotRun()
    {
        const std::tuple<QByteArray, int, const char*, const char*> rows[] = {
            {"gofb*/bin/true|*https://example.org\r\n", 1, "website", "has no key combination"},
            {QByteArrayLiteral("gofb*/bin/true|n*/tmp/a.sh\0.txt\r\n"), 0, "",
             "Hotkey 2 (n): The target must not contain control"},
        };
        for (const auto& [bytes, type, iconKey, mentions] : rows) {
            Editor editor{QString()};
            editor.loadBytes(bytes);
            const HotkeyEntry row = editor.list.at(2);
            QVERIFY(!editor.panel->saveSettings());
            QVERIFY2(editor.dialogs.calls().at(0).contains(mentions),
                     qPrintable(editor.dialogs.calls().at(0)));
            QCOMPARE(
                std::tuple(editor.fileBytes(), editor.panel->selectedPosition(), editor.type()),
                std::tuple(bytes, 2, type));
            QCOMPARE(editor.iconKey(2), *iconKey ? QString(iconKey) : row.target);
            QCOMPARE(editor.list.at(2), row);
        }
    }

    void deletingLastRowKeepsSaving()
    {
        Editor editor(FileRow);
        editor.click("deleteButton");
        QVERIFY(!editor.hk()->isEnabled() && !editor.child<velbutton>("browse")->isEnabled());
        editor.click("saveButton");
        QCOMPARE(std::tuple(editor.fileBytes(), editor.table.size()),
                 std::tuple(QByteArray("\r\n"), 0));
    }

    // After a delete the next row (at the end the previous) is shown, and edits go to it.
    void deleteShowsTheNextRow()
    {
        const std::tuple<int, int, int> rows[] = {{1, 1, 1}, {3, 2, 1}};
        for (const auto& [deleted, selected, type] : rows) {
            QStringList kept{FileRow, WebRow, SpecialRow};
            Editor editor(AllRows);
            editor.panel->selectPosition(deleted);
            editor.click("deleteButton");
            QCOMPARE(std::tuple(editor.panel->selectedPosition(), editor.type()),
                     std::tuple(selected, type));
            QTest::keyClick(editor.hk(), Qt::Key_Z);
            kept.removeAt(deleted - 1);
            kept[selected - 1].replace(u'*', QStringLiteral("z*"));
            editor.click("saveButton");
            QCOMPARE(editor.fileBytes(), kept.join(u'|').toUtf8() + "\r\n");
        }
    }

    // "..." asks file or folder, then for it; cancelled or with the separator, nothing changes.
    void browse()
    {
        const std::tuple<QStringList, const char*, int> rows[] = {
            {{"Folder", "/usr"}, "/usr", 2},
            {{""}, "/bin/true", 1},
            {{"File", "/tmp/a*b"}, "/bin/true", 3}};
        for (const auto& [answers, target, dialogs] : rows) {
            Editor editor(FileRow);
            for (const QString& answer : answers)
                editor.dialogs.answer(answer);
            editor.click("browse");
            QCOMPARE(std::tuple(editor.dialogs.calls().size(), editor.target(1), editor.iconKey(1)),
                     std::tuple(dialogs, QString(target), QString(target)));
        }
    }

    // A row hidden by an earlier one is warned of (shortened: the whole as tip) until one changes.
    void shadowingWarning()
    {
        Editor editor(QStringLiteral("g*/bin/true|") + FileRow + u'|' + SpecialRow);
        editor.panel->selectPosition(2);
        QVERIFY(editor.panel->shadowWarning().contains(QStringLiteral("hotkey 1 (g,")));
        auto* label = editor.child<QLabel>("ShadowWarning");
        QVERIFY(label->isVisibleTo(&editor.form));
        QCOMPARE(label->toolTip(), QString()); // shown whole: no tip
        const QString longTarget = QStringLiteral("/opt/") + QString(300, u'a');
        Editor longer("g*" + longTarget + u'|' + FileRow);
        longer.panel->selectPosition(2);
        auto* shortened = longer.child<QLabel>("ShadowWarning");
        QVERIFY(!shortened->text().contains(longTarget) &&
                shortened->toolTip().contains(longTarget));
        editor.hk()->selectAll();
        QTest::keyClicks(editor.hk(), QStringLiteral("\bhofb"));
        QCOMPARE(std::tuple(editor.combination(2), editor.panel->shadowWarning()),
                 std::tuple(QStringLiteral("hofb"), QString()));
        longer.panel->selectPosition(1);
        longer.click("deleteButton");
        QVERIFY(longer.panel->shadowWarning().isEmpty() && !shortened->isVisibleTo(&longer.form));
    }

    // Arrow keys walk the list, a click on a row moves on to its HotKey box, Escape cancels; in
    // the HotKey box Escape and Enter are keys, Ctrl+Tab leaves it and Enter then saves.
    void keyboardReachesTheEditor()
    {
        Editor editor(FileRow + u'|' + WebRow);
        editor.activate();
        auto* list = editor.child<QTreeView>("Hotkey");
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(std::tuple(editor.panel->selectedPosition(), list->hasFocus()),
                 std::tuple(2, true));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(editor.panel->model().index(0, 0)).center());
        QCOMPARE(std::tuple(editor.panel->selectedPosition(), editor.hk()->hasFocus()),
                 std::tuple(1, true));
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        QSignalSpy cancelled(editor.panel.get(), &HotkeyEditorPanel::cancelled);
        QTest::keyClick(list, Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
        CaptureBox* hk = editor.hk();
        hk->setFocus();
        QVERIFY(hk->accessibleDescription().contains("Backspace")); // read out how it works
        for (Qt::Key key : {Qt::Key_Escape, Qt::Key_Z, Qt::Key_Return, Qt::Key_Shift})
            QTest::keyClick(hk, key); // a modifier let go stays; Ctrl+Tab takes out its own only
        QCOMPARE(std::tuple(cancelled.count(), saved.count()), std::tuple(1, 0));
        QTest::keyClick(hk, Qt::Key_Tab, Qt::ControlModifier);
        QVERIFY(QApplication::focusWidget() != hk);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(saved.count(), 1);
        QVERIFY(editor.fileBytes().startsWith("gofb(Esc)z(Enter)(Shift)*"));
    }

    // A modifier held as the focus left stays recorded: Ctrl+Tab takes out only later ones.
    void modifierHeldAcrossFocusStays()
    {
        Editor editor(FileRow);
        editor.activate();
        editor.panel->selectPosition(1);
        editor.hk()->setFocus();
        QTest::keyPress(editor.hk(), Qt::Key_Control);
        editor.ws()->setFocus(), editor.hk()->setFocus();
        QTest::keyPress(editor.hk(), Qt::Key_Shift);
        QTest::keyClick(editor.hk(), Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(editor.combination(1), QStringLiteral("gofb(Ctrl)"));
    }

    // A refused row is selected and, after the warning, the focus is in the field to mend.
    void warningReturnsFocusToItsField()
    {
        for (const auto& [row, field] : std::initializer_list<std::pair<const char*, const char*>>{
                 {"*/bin/true", "hk"}, {"w*http://", "ws"}}) {
            Editor editor(FileRow + u'|' + row);
            editor.activate();
            auto* list = editor.child<QTreeView>("Hotkey");
            QCOMPARE(QApplication::focusWidget(), list); // the list has the focus first
            QTest::keyClick(list, Qt::Key_Return);
            QCOMPARE(std::tuple(editor.dialogs.calls().size(), editor.panel->selectedPosition()),
                     std::tuple(1, 2));
            QCOMPARE(QApplication::focusWidget(), editor.child<QWidget>(field));
        }
    }
};

QTEST_MAIN(TestHotkeyEditor)
#include "TestHotkeyEditor.moc"
