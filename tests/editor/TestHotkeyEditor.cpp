#include "controls/button/velbutton.h"
#include "editor/AppFilterRow.h"
#include "editor/CaptureBox.h"
#include "editor/FormWizard.h"
#include "editor/HotkeyEditorPanel.h"
#include "editor/HotkeyListModel.h"
#include "tests/controls/Unnamed.h"
#include "tests/fakes/FakeDialogs.h"

#include <memory>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
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
    void writeBytes(const QByteArray& bytes, const QString& path = {})
    {
        QFile file(path.isEmpty() ? database.path() : path);
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
    QLineEdit* filter() { return child<QLineEdit>("filter"); }
    // The targets of the rows the list shows, top to bottom.
    QStringList shownTargets()
    {
        const QAbstractItemModel* shown = child<QTreeView>("Hotkey")->model();
        QStringList targets;
        for (int row = 0; row < shown->rowCount(); ++row)
            targets.append(shown->index(row, 1).data().toString());
        return targets;
    }
    int type() { return hktype()->currentIndex(); }
    QString iconKey(int position) const { return panel->model().iconKey(position); }
    QString combination(int position) const { return list.at(position).combination; }
    QString target(int position) const { return list.at(position).target; }
    QByteArray fileBytes(const QString& path = {}) const
    {
        QFile file(path.isEmpty() ? database.path() : path);
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
        QCOMPARE(UnnamedControls(editor.form), QString()); // each read out by its name
    }

    // The "Applications:" row edits the selected row (names trimmed), follows the selection and
    // reaches the table on save; "Choose…" adds a running application, limiting a hotkey that
    // acted everywhere; a desktop that cannot tell the application in front is named.
    void applicationsRowEditsTheRow()
    {
        using M = AppFilter::Mode;
        Editor editor(AllRows);
        editor.activate();
        editor.panel->setDesktopApplications({[] { return false; },
                                              [] {
                                                  return QStringList{"foot", "XTerm"};
                                              }});
        auto* mode = editor.child<QComboBox>("appsMode");
        auto* names = editor.child<QLineEdit>("appsNames");
        editor.panel->selectPosition(2);
        QTest::keyClick(mode, Qt::Key_Down);
        QTest::keyClick(mode, Qt::Key_Down);
        QTest::keyClicks(names, QStringLiteral(" XTerm , foot,"));
        editor.panel->selectPosition(1);
        QCOMPARE(std::tuple(mode->currentIndex(), names->text(), names->isEnabled()),
                 std::tuple(0, QString(), false));
        QTest::mouseClick(editor.child<QPushButton>("appsChoose"), Qt::LeftButton);
        auto* menu = editor.child<QMenu>("appsMenu");
        QCOMPARE(menu->actions().size(), 2);
        menu->actions().at(1)->trigger();
        menu->close();
        QVERIFY(editor.panel->saveSettings());
        QCOMPARE(std::tuple(editor.table.at(0).entry.apps, editor.table.at(1).entry.apps,
                            editor.table.at(2).entry.apps),
                 std::tuple(AppFilter{M::OnlyIn, {"XTerm"}}, AppFilter{M::NotIn, {"XTerm", "foot"}},
                            AppFilter()));
        QVERIFY(editor.child<QLabel>("appsNote")->text().contains("will not fire"));
    }

    // A special action is remembered across switches to the web type (offered its prefix, typed
    // separators refused with a warning) and to "Type text", which types the text of its field
    // (cut at 4000 characters) in place of a target, shown and found in the list by that text;
    // each row shows its own text; the note says why when the desktop cannot type keys.
    void typeSwitchRestoresTarget()
    {
        Editor editor(AllRows);
        auto* text = editor.child<QPlainTextEdit>("typedText");
        auto* special = editor.child<QComboBox>("sp");
        const auto shown = [&] {
            return std::tuple(editor.type(), text->isVisibleTo(&editor.form),
                              editor.ws()->isVisibleTo(&editor.form) ||
                                  special->isVisibleTo(&editor.form));
        };
        editor.panel->selectPosition(3);
        editor.hktype()->setCurrentIndex(1);
        QCOMPARE(editor.target(3), QStringLiteral("http://"));
        editor.ws()->setText(QStringLiteral("http://a|b\t*c")); // separators and controls go
        QCOMPARE(std::tuple(editor.target(3), editor.dialogs.calls().size()),
                 std::tuple(QStringLiteral("http://abc"), 1));
        editor.hktype()->setCurrentIndex(3);
        text->setPlainText(QString(4001, u'x'));
        QCOMPARE(std::tuple(editor.target(3), editor.list.at(3).typedText.size(), shown()),
                 std::tuple(QStringLiteral("-Type Text-"), 4000, std::tuple(3, true, false)));
        text->setPlainText(QStringLiteral("Dear Sir,\nyours"));
        const QModelIndex action = editor.panel->model().index(2, 1);
        QCOMPARE(std::tuple(action.data(), action.data(Qt::ToolTipRole)),
                 std::tuple(QVariant("Types \"Dear Sir,\""), QVariant("Dear Sir,\nyours")));
        editor.filter()->setText(QStringLiteral("YOURS"));
        QCOMPARE(editor.shownTargets(), QStringList{"Types \"Dear Sir,\""});
        editor.filter()->clear();
        editor.hktype()->setCurrentIndex(2);
        QCOMPARE(std::tuple(editor.target(3), special->currentText(), shown()),
                 std::tuple(QStringLiteral("-Restart-"), QStringLiteral("-Restart-"),
                            std::tuple(2, false, true)));
        editor.hktype()->setCurrentIndex(3);
        editor.panel->selectPosition(1);
        QCOMPARE(shown(), std::tuple(0, false, true));
        editor.panel->selectPosition(3);
        QCOMPARE(std::tuple(shown(), text->toPlainText()),
                 std::tuple(std::tuple(3, true, false), QStringLiteral("Dear Sir,\nyours")));
        editor.panel->setKeyInjection(false, QStringLiteral("why not"));
        QCOMPARE(editor.child<QLabel>("typedTextNote")->toolTip(), QStringLiteral("why not"));
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

    // The added row is selected, shown with its type and icon, and not yet active; it erases
    // its keys as the wizard says, and a typed text is saved with it.
    void addThroughWizard()
    {
        const std::tuple<QString, QStringList, const char*, const char*, int> rows[] = {
            {FileRow, {"Special", "5", "lo", "", ""}, "-Log Off-", "action", 2},
            {QString(), {"File", "/bin", "b"}, "/bin", "/bin", 0},
            {FileRow, {"Text", "Hi\nthere", "gofb", "", "erase"}, "-Type Text-", "action", 3}};
        for (const auto& [line, result, target, iconKey, type] : rows) {
            Editor editor(line);
            editor.activate(); // the focus first on the list, or on "Add" for an empty one
            const QString focused = QApplication::focusWidget()->objectName();
            const int added = editor.list.count() + 1;
            editor.add(result);
            QCOMPARE(std::tuple(editor.list.count(), editor.panel->selectedPosition(),
                                editor.table.size() + 1, editor.type(), focused),
                     std::tuple(added, added, added, type,
                                QString(line.isEmpty() ? "addButton" : "Hotkey")));
            QCOMPARE((QStringList{editor.combination(added), editor.target(added),
                                  editor.iconKey(added)}),
                     (QStringList{result.at(2), target, iconKey}));
            QVERIFY(editor.hk()->isEnabled());
            QCOMPARE(std::tuple(editor.list.at(added).typedText, editor.list.at(added).eraseTyped),
                     std::tuple(type == 3 ? result.at(1) : QString(), result.value(4) == "erase"));
            QVERIFY(editor.panel->saveSettings());
            QCOMPARE(editor.fileBytes().contains("\terase\ttext=Hi%0Athere\r\n"), type == 3);
        }
    }

    // A file row's arguments: the line under them shows the command or why the text is refused
    // (never saved), within the frame; other types hide them, and the wizard's reach the row.
    void programArguments()
    {
        Editor editor(FileRow + u'|' + WebRow);
        auto* arguments = editor.child<QLineEdit>("arguments");
        auto* command = editor.child<QLabel>("command");
        QTest::keyClicks(arguments, "-x \"a b");
        QVERIFY(!editor.panel->saveSettings());
        QCOMPARE(std::tuple(editor.list.at(1).arguments, editor.dialogs.calls().size()),
                 std::tuple(QStringLiteral("-x \"a b"), 1));
        QVERIFY(command->text().contains("never closed"));
        const QWidget* frame = editor.child<QWidget>("editFrame");
        QVERIFY(command->parentWidget()->geometry().bottom() < frame->height() &&
                editor.child<velbutton>("saveButton")->y() > frame->geometry().bottom());
        QTest::keyClicks(arguments, "\"");
        QCOMPARE(command->text(), QStringLiteral("runs: /bin/true -x \"a b\""));
        // A command of several lines grows the frame again: the labels stay beside their fields.
        QTest::keyClicks(arguments, QString(" -v").repeated(150));
        const QRect type = editor.child<QLabel>("typeLabel")->geometry();
        QVERIFY(type.top() < editor.hktype()->geometry().center().y() &&
                editor.hktype()->geometry().center().y() < type.bottom());
        editor.ws()->setText("/");
        QVERIFY(command->text().contains("ignored"));
        editor.panel->selectPosition(2);
        QVERIFY(!arguments->isVisibleTo(&editor.form) && arguments->text().isEmpty());
        editor.add({"File", "/bin/ls", "l", "-l \"my dir\""});
        QCOMPARE(std::tuple(editor.list.at(3).arguments, arguments->isVisibleTo(&editor.form)),
                 std::tuple(QStringLiteral("-l \"my dir\""), true));
        QVERIFY(editor.panel->saveSettings());
        editor.filter()->setText("nowhere"); // no row shown: no arguments either
        QVERIFY(arguments->text().isEmpty());
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
            QCOMPARE(std::tuple(editor.fileBytes(), editor.target(2),
                                editor.panel->hasUnsavedChanges(), editor.dialogs.calls().size()),
                     std::tuple(onDisk.join(u'|').toUtf8() + "\r\n", QString(shown),
                                QByteArray(answer) == "Cancel", 1)); // the reload warns of nothing
        }
    }

    // A row that cannot run is refused, by Enter in the list as by the save: it is selected and
    // keeps its type, icon (empty: the target's own) and texts; after the warning the focus is
    // in the field to mend.
    void saveRefusesRowsThatCannotRun()
    {
        const std::tuple<QByteArray, int, const char*, const char*, const char*> rows[] = {
            {"gofb*/bin/true|*https://example.org\r\n", 1, "website", "has no key combination",
             "hk"},
            {QByteArrayLiteral("gofb*/bin/true|n*/tmp/a.sh\0.txt\r\n"), 0, "",
             "Hotkey 2 (n): The target must not contain control", "ws"},
            {"gofb*/bin/true|w*http://\r\n", 1, "website", "no valid host", "ws"}};
        for (const auto& [bytes, type, iconKey, mentions, field] : rows) {
            Editor editor{QString()};
            editor.loadBytes(bytes);
            editor.activate();
            const HotkeyEntry row = editor.list.at(2);
            auto* list = editor.child<QTreeView>("Hotkey");
            QCOMPARE(QApplication::focusWidget(), list); // the list has the focus first
            QTest::keyClick(list, Qt::Key_Return);
            QVERIFY(!editor.panel->saveSettings());
            QVERIFY2(editor.dialogs.calls().size() == 2 &&
                         editor.dialogs.calls().at(0).contains(mentions),
                     qPrintable(editor.dialogs.calls().join(u'\n')));
            QCOMPARE(std::tuple(editor.fileBytes(), editor.panel->selectedPosition(), editor.type(),
                                QApplication::focusWidget()->objectName()),
                     std::tuple(bytes, 2, type, QString(field)));
            QCOMPARE(editor.iconKey(2), *iconKey ? QString(iconKey) : row.target);
            QCOMPARE(editor.list.at(2), row);
        }
    }

    // After a delete the next row (at the end the previous) is shown, the list has the focus,
    // and edits go to the row; after the last one the fields are off. A view's index of a row
    // no longer there reads and takes nothing.
    void deleteShowsTheNextRow()
    {
        const QStringList all{FileRow, WebRow, SpecialRow};
        const std::tuple<QStringList, int, int, int> rows[] = {
            {all, 1, 1, 1}, {all, 3, 2, 1}, {{FileRow}, 1, 0, 0}};
        for (auto [kept, deleted, selected, type] : rows) {
            Editor editor(kept.join(u'|'));
            const QModelIndex gone = editor.panel->model().index(int(kept.size()) - 1, 0);
            editor.panel->selectPosition(deleted);
            editor.click("deleteButton");
            QCOMPARE(std::tuple(editor.panel->selectedPosition(), editor.type(),
                                editor.hk()->isEnabled(),
                                editor.child<velbutton>("browse")->isEnabled(),
                                editor.form.focusWidget()->objectName()),
                     std::tuple(selected, type, selected > 0, false, QString("Hotkey")));
            QVERIFY(!gone.data().isValid() &&
                    !editor.panel->model().setData(gone, Qt::Checked, Qt::CheckStateRole));
            QTest::keyClick(editor.hk(), Qt::Key_Z);
            kept.removeAt(deleted - 1);
            if (selected > 0)
                kept[selected - 1].replace(u'*', QStringLiteral("z*"));
            editor.click("saveButton");
            QCOMPARE(std::tuple(editor.fileBytes(), editor.table.size()),
                     std::tuple(kept.join(u'|').toUtf8() + "\r\n", int(kept.size())));
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

    // Space on the focused row switches its hotkey off (it is then not warned about) and on;
    // the row stays editable, and only the save writes the state and hands it to the table.
    void checkBoxSwitchesHotkeyOff()
    {
        Editor editor(QStringLiteral("g*/bin/true|") + FileRow);
        editor.activate();
        auto* list = editor.child<QTreeView>("Hotkey");
        QTest::keyClick(list, Qt::Key_Down);
        const QModelIndex check = editor.panel->model().index(1, 0);
        QVERIFY(!editor.panel->shadowWarning().isEmpty());
        for (const bool on : {false, true, false}) {
            QTest::keyClick(list, Qt::Key_Space);
            QCOMPARE(std::tuple(check.data(Qt::CheckStateRole).toInt(), editor.list.at(2).enabled,
                                editor.panel->shadowWarning().isEmpty()),
                     std::tuple(on ? Qt::Checked : Qt::Unchecked, on, !on));
        }
        QCOMPARE(std::tuple(editor.panel->selectedPosition(), editor.hk()->isEnabled(),
                            editor.panel->hasUnsavedChanges(), editor.table.at(1).runs),
                 std::tuple(2, true, true, true));
        editor.click("saveButton");
        QCOMPARE(std::tuple(editor.fileBytes(), editor.table.at(1).runs,
                            editor.panel->hasUnsavedChanges()),
                 std::tuple(QByteArray("g*/bin/true|gofb*/bin/true\r\n"
                                       "tarvex-hotkey 2 gofb%2A%2Fbin%2Ftrue\toff\r\n"),
                            false, false));
    }

    // "Erase the typed keys" can be ticked for a sequence that prints, on a desktop that types
    // keys (else its tip says why); the wizard's new printing sequence comes ticked, a chord
    // never; rows read from the file stay off until clicked, and the save writes the word.
    void eraseTypedKeys()
    {
        Editor editor(FileRow + u'|' + WebRow);
        auto* box = editor.child<QCheckBox>("eraseBox");
        editor.panel->setKeyInjection(false, QStringLiteral("why not"));
        QCOMPARE(std::tuple(box->isEnabled(), box->isChecked(), box->toolTip()),
                 std::tuple(false, false, QStringLiteral("why not")));
        editor.add({"File", "/bin/true", "ab"});
        editor.panel->setKeyInjection(true, QString());
        for (const auto& [position, enabled] : {std::pair(1, true), std::pair(2, false)}) {
            editor.panel->selectPosition(position);
            QCOMPARE(std::tuple(box->isEnabled(), box->isChecked(), box->toolTip()),
                     std::tuple(enabled, false, QString()));
        }
        editor.panel->selectPosition(1);
        box->click();
        editor.add({"File", "/bin/true", "cd"});
        editor.add({"File", "/bin/true", "(Ctrl)q"});
        QString erased;
        for (int position = 1; position <= editor.list.count(); ++position)
            erased += editor.list.at(position).eraseTyped ? u'1' : u'0';
        QCOMPARE(std::tuple(erased, box->isEnabled()), std::tuple(QStringLiteral("10010"), false));
        editor.panel->selectPosition(4);
        QVERIFY(box->isChecked() && editor.panel->saveSettings());
        QCOMPARE(editor.fileBytes().count("\terase\r\n"), 2);
    }

    // Arrow keys walk the list, a click on a row moves on to its HotKey box, Escape cancels, F1
    // asks for help; in the HotKey box Escape and Enter are keys, Ctrl+Tab leaves it and Enter
    // then saves.
    void keyboardReachesTheEditor()
    {
        Editor editor(FileRow + u'|' + WebRow);
        editor.activate();
        auto* list = editor.child<QTreeView>("Hotkey");
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(std::tuple(editor.panel->selectedPosition(), list->hasFocus()),
                 std::tuple(2, true));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualRect(list->model()->index(0, 0)).center());
        QCOMPARE(std::tuple(editor.panel->selectedPosition(), editor.hk()->hasFocus()),
                 std::tuple(1, true));
        QSignalSpy saved(editor.panel.get(), &HotkeyEditorPanel::saved);
        QSignalSpy cancelled(editor.panel.get(), &HotkeyEditorPanel::cancelled);
        QSignalSpy help(editor.panel.get(), &HotkeyEditorPanel::helpRequested);
        QTest::keyClick(list, Qt::Key_Escape);
        QTest::keyClick(list, Qt::Key_F1);
        QCOMPARE(std::tuple(cancelled.count(), help.count()), std::tuple(1, 1));
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

    // A modifier held as the focus left stays recorded: Ctrl+Tab takes out only the modifiers
    // (Shift, either Win key) held since the last other key; with Shift held it goes back.
    void modifierHeldAcrossFocusStays()
    {
        const std::tuple<QList<Qt::Key>, const char*, const char*> rows[] = {
            {{Qt::Key_Shift}, "gofb(Ctrl)", "hktype"},
            {{Qt::Key_Super_L, Qt::Key_Super_R}, "gofb(Ctrl)", "ws"},
            {{Qt::Key_Shift, Qt::Key_Z}, "gofb(Ctrl)(Shift)z", "hktype"}};
        for (const auto& [keys, combination, focus] : rows) {
            Editor editor(FileRow);
            editor.activate();
            editor.hk()->setFocus();
            QTest::keyPress(editor.hk(), Qt::Key_Control);
            editor.ws()->setFocus(), editor.hk()->setFocus();
            for (Qt::Key key : keys)
                QTest::keyPress(editor.hk(), key);
            QTest::keyClick(editor.hk(), Qt::Key_Tab, Qt::ControlModifier);
            QCOMPARE(std::tuple(editor.combination(1), QApplication::focusWidget()->objectName()),
                     std::tuple(QString(combination), QString(focus)));
        }
    }

    // Export writes all or the selected hotkey; the import of one into an empty list gives the
    // same row, selected to edit.
    void exportThenImport()
    {
        Editor from(AllRows), into{QString()};
        const QString one = from.dir.filePath("one.TarvexDB"), all = from.dir.filePath("all");
        from.panel->selectPosition(2);
        from.dialogs.answer("Selected Hotkey");
        from.dialogs.answer(one);
        from.click("exportButton");
        from.dialogs.answer("All Hotkeys");
        from.dialogs.answer(all);
        from.click("exportButton");
        QCOMPARE(std::tuple(from.fileBytes(one), from.fileBytes(all)),
                 std::tuple(WebRow.toUtf8() + "\r\n", AllRows.toUtf8() + "\r\n"));
        into.dialogs.answer(one);
        into.click("importButton");
        QCOMPARE(std::tuple(into.list.entries(), into.panel->selectedPosition(), into.type(),
                            into.hk()->isEnabled(), into.fileBytes()),
                 std::tuple(QList{from.list.at(2)}, 1, 1, true, "\r\n")); // none saved yet
        Editor single(WebRow); // one hotkey, or none selected: nothing to choose
        single.panel->selectPosition(1);
        from.child<QTreeView>("Hotkey")->setCurrentIndex({});
        from.dialogs.clearCalls();
        for (Editor* editor : {&single, &from}) {
            editor->click("exportButton");
            QCOMPARE(editor->dialogs.calls(), QStringList("save Export Hotkeys"));
        }
    }

    // Each hotkey whose keys a row binds elsewhere is asked about; Cancel changes nothing; rows
    // already there are not doubled, rows that could never run are left out and named.
    void importAsksPerConflict()
    {
        for (const char* answer : {"Cancel", "Keep Mine", "Use Imported"}) {
            Editor editor(FileRow + u'|' + WebRow);
            const QString path = editor.dir.filePath("in");
            editor.writeBytes(
                "GOFB*/bin/false|(Ctrl)(Alt)k*http://example.org|*nokeys|x*-Restart-\r\n", path);
            editor.dialogs.answer(path);
            editor.dialogs.answer(answer);
            editor.click("importButton");
            const bool cancelled = QByteArray(answer) == "Cancel";
            const bool replaced = QByteArray(answer) == "Use Imported";
            QCOMPARE(std::tuple(editor.list.count(), editor.list.at(1),
                                editor.panel->hasUnsavedChanges()),
                     std::tuple(cancelled ? 2 : 3,
                                replaced ? HotkeyEntry("GOFB", "/bin/false")
                                         : HotkeyEntry("gofb", "/bin/true"),
                                !cancelled));
            const QString last = editor.dialogs.calls().last();
            QVERIFY2(cancelled ? last.startsWith("choose") : last.contains("Hotkey 3 of the file"),
                     qPrintable(last));
        }
    }

    // The filter shows the rows holding its text in their shown keys, target or type name, in any
    // letter case; the fields show the selected row, the first shown one if it is hidden, or none.
    void filterNarrowsTheList()
    {
        const std::tuple<const char*, QStringList, int> rows[] = {
            {"(CTRL)(alt)", {"http://example.org"}, 2},
            {"BIN/tr", {"/bin/true"}, 1},
            {"webSITE", {"http://example.org"}, 2},
            {"action", {"-Restart-"}, 3},
            {"", {"/bin/true", "http://example.org", "-Restart-"}, 3},
            {"nowhere", {}, 0}};
        for (const auto& [text, targets, selected] : rows) {
            Editor editor(AllRows);
            editor.panel->selectPosition(3);
            editor.filter()->setText(text);
            QCOMPARE(editor.shownTargets(), targets);
            QCOMPARE(std::tuple(editor.panel->selectedPosition(), editor.ws()->text(),
                                editor.hk()->text(), editor.hk()->isEnabled()),
                     std::tuple(selected, selected ? editor.target(selected) : QString(),
                                selected ? editor.combination(selected) : "ClickToEdit",
                                selected > 0));
        }
    }

    // While filtered, a delete takes the selected row, typed keys go to the row shown next, and an
    // added row stays shown until the text changes.
    void editsWhileFiltered()
    {
        Editor editor(AllRows + QStringLiteral("|j*http://example.net"));
        editor.filter()->setText(QStringLiteral("http"));
        editor.panel->selectPosition(4);
        editor.click("deleteButton");
        QCOMPARE(editor.list.count(), 3);
        QCOMPARE(std::tuple(editor.target(3), editor.panel->selectedPosition()),
                 std::tuple(QStringLiteral("-Restart-"), 2));
        QTest::keyClick(editor.hk(), Qt::Key_Z);
        QCOMPARE(editor.combination(2), QStringLiteral("(Ctrl)(Alt)kz"));
        editor.add({"File", "/bin", "b"});
        QCOMPARE(editor.shownTargets(), (QStringList{"http://example.org", "/bin"}));
        QCOMPARE(editor.panel->selectedPosition(), 4);
        editor.filter()->setText(QStringLiteral("https"));
        editor.filter()->setText(QStringLiteral("http"));
        QCOMPARE(editor.shownTargets(), QStringList{"http://example.org"});
    }

    // Ctrl+F takes the focus to the filter with its text selected; Escape there empties it, and in
    // the empty filter leaves the editor.
    void filterKeys()
    {
        Editor editor(AllRows);
        editor.activate();
        QSignalSpy cancelled(editor.panel.get(), &HotkeyEditorPanel::cancelled);
        QTest::keyClicks(editor.filter(), QStringLiteral("web"));
        QTest::keyClick(editor.filter(), Qt::Key_Escape, Qt::ShiftModifier); // not the filter's
        QTest::keyClick(editor.child<QTreeView>("Hotkey"), Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(std::tuple(QApplication::focusWidget(), editor.filter()->selectedText()),
                 std::tuple(static_cast<QWidget*>(editor.filter()), QStringLiteral("web")));
        QTest::keyClick(editor.filter(), Qt::Key_Escape);
        QCOMPARE(
            std::tuple(editor.filter()->text(), editor.shownTargets().size(), cancelled.count()),
            std::tuple(QString(), 3, 0));
        QTest::keyClick(editor.filter(), Qt::Key_Escape);
        QCOMPARE(cancelled.count(), 1);
    }
};

QTEST_MAIN(TestHotkeyEditor)
#include "TestHotkeyEditor.moc"
