// The hotkey editor's load with 32767 rows (reading the file, building the list view, the first
// paint), one character typed into its filter and one captured key with that many rows, the
// first two against the bare database load of the same file in the same process (the baseline).
#include "editor/CaptureBox.h"
#include "editor/HotkeyEditorPanel.h"
#include "store/AppSettings.h"
#include "tests/fakes/FakeDialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace tarvex;

namespace {

constexpr int Records = 32767;
constexpr int Rounds = 5;

// Files that exist and do not, folders, addresses and special actions, in turn.
HotkeyEntry MakeEntry(int i)
{
    static const QString Targets[] = {
        QStringLiteral("/bin/sh"), QStringLiteral("/home/nobody/missing-%1.txt"),
        QStringLiteral("/usr"), QStringLiteral("http://example.org/%1"),
        QStringLiteral("-Minimize Window-")};
    const QString& target = Targets[i % 5];
    return {QStringLiteral("(Ctrl)(Alt)k%1").arg(i),
            target.contains(QLatin1String("%1")) ? target.arg(i) : target};
}

template <typename Work> double MillisecondsPerRound(Work work)
{
    QElapsedTimer timer;
    timer.start();
    for (int round = 0; round < Rounds; ++round)
        work();
    return double(timer.nsecsElapsed()) / 1e6 / Rounds;
}

double EditorLoad(HotkeyDatabase& database)
{
    return MillisecondsPerRound([&] {
        HotkeyList list;
        ActiveHotkeyTable table;
        database.load(list, table);
        QWidget form;
        FakeDialogs dialogs;
        HotkeyEditorPanel panel(&form, list, table, dialogs,
                                QCoreApplication::applicationDirPath() + "/..");
        panel.load(database);
        form.show();
        QCoreApplication::processEvents();
        form.grab(); // the first full paint of the window
    });
}

// The editor over every row of `database`, loaded once for the timings that follow.
struct LoadedEditor
{
    explicit LoadedEditor(HotkeyDatabase& database)
    {
        database.load(list, table);
        panel.load(database);
    }
    HotkeyList list;
    ActiveHotkeyTable table;
    QWidget form;
    FakeDialogs dialogs;
    HotkeyEditorPanel panel{&form, list, table, dialogs, QString()};
};

double KeyWithAllRows(HotkeyDatabase& database)
{
    LoadedEditor editor(database);
    QWidget& form = editor.form;
    editor.panel.selectPosition(Records);
    auto* hk = form.findChild<CaptureBox*>(QStringLiteral("hk"));
    return MillisecondsPerRound([&] {
               QTest::keyClick(hk, Qt::Key_Q);
               QTest::keyClick(hk, Qt::Key_Backspace);
           }) /
           2;
}

// One character typed into the filter of the shown editor (the list narrowed to the rows holding
// it and laid out again) and taken out again (all rows back), per keystroke.
double FilterKey(HotkeyDatabase& database)
{
    LoadedEditor editor(database);
    QWidget& form = editor.form;
    form.show();
    QCoreApplication::processEvents();
    auto* filter = form.findChild<QLineEdit*>(QStringLiteral("filter"));
    return MillisecondsPerRound([&] {
               // "7" is in about a third of the rows, scattered over the whole list.
               for (Qt::Key key : {Qt::Key_7, Qt::Key_Backspace}) {
                   QTest::keyClick(filter, key);
                   QCoreApplication::processEvents();
               }
           }) /
           2;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    HotkeyList list;
    for (int i = 0; i < Records; ++i)
        list.append(MakeEntry(i));
    ActiveHotkeyTable table;
    HotkeyDatabase database(dir.filePath(QStringLiteral("Hotkeys.TarvexDB")));
    if (!database.save(list, table).isEmpty())
        return 1;
    const double baseline = MillisecondsPerRound([&] {
        HotkeyList loaded;
        ActiveHotkeyTable loadedTable;
        database.load(loaded, loadedTable);
    });
    const double editor = EditorLoad(database);
    const double filter = FilterKey(database);
    const double key = KeyWithAllRows(database);
    std::printf("editor load, %d rows  %8.2f ms   bare database load %8.2f ms   ratio %6.1f x\n",
                Records, editor, baseline, editor / baseline);
    std::printf("filter, one typed key %8.2f ms   bare database load %8.2f ms   ratio %6.1f x\n",
                filter, baseline, filter / baseline);
    std::printf("one captured key      %8.2f ms   (row update and hidden-hotkey check over all "
                "rows)\n",
                key);
    return 0;
}
