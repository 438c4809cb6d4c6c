// The appearance options window: load from the store, preview, sound link, Apply, OK, Cancel,
// and its layout in every frame style.

#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "options/FittedCheckBox.h"
#include "options/ThemeOptions.h"
#include "shell/Tarvex.h"
#include "tests/app/ShellFixture.h"
#include "tests/controls/Rows.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

namespace {

const QString DefaultSound = QStringLiteral("/opt/tarvex/Sounds/Bing.wav");
const QString Sound = QStringLiteral("Hotkey Activation/Sound");

// The stored texts of each "Section/Key" ("Section": its Color), "absent" where none is.
QStringList Stored(ShellFixture& f, const QStringList& keys)
{
    QStringList texts;
    for (const QString& key : keys) {
        const QStringList at = (key.contains('/') ? key : key + "/Color").split('/');
        texts << f.settings.readText(at[0], at[1], QStringLiteral("absent"));
    }
    return texts;
}

QList<int> MainButtonStyles(Tarvex& main)
{
    QList<int> styles;
    for (velbutton* b :
         {main.startButton(), main.configureButton(), main.appearanceButton(), main.exitButton()})
        styles.append(int(b->ButtonStyle()));
    return styles;
}

QList<int> OwnButtonStyles(ThemeOptions& w)
{
    return {int(w.okButton()->ButtonStyle()), int(w.cancelButton()->ButtonStyle()),
            int(w.applyButton()->ButtonStyle())};
}

// Chooses the frame theme, the button style and the frame style in the lists.
void Choose(ThemeOptions& w, int theme, int buttons, int frame)
{
    w.theme()->setCurrentIndex(theme);
    w.btnTHEME()->setCurrentIndex(buttons);
    w.wStyle()->setCurrentIndex(frame);
}

void Reactivate(QWidget* window)
{
    QApplication::setActiveWindow(nullptr);
    QApplication::setActiveWindow(window);
}

} // namespace

class TestThemeOptions final : public QObject
{
    Q_OBJECT
    // stored ButtonTheme, Theme, WTheme, Notification; shown btnTHEME, theme, wStyle, notification
    using Codes = std::tuple<const char*, QStringList, QList<int>>;
    using Texts = std::tuple<const char*, QString, QString, QString>;
    // Starts the program and opens the window from the main window's button.
    static ThemeOptions& opened(ShellFixture& f)
    {
        f.shell->start();
        f.shell->mainWindow()->appearanceButton()->click();
        auto* window = qobject_cast<ThemeOptions*>(f.shell->optionsWindow());
        Q_ASSERT(window);
        return *window;
    }

private Q_SLOTS:
    void storedCodes_data()
    {
        AddRows<Codes>({{"valid", {"12", "4", "0", "0"}, {12, 4, 0, 0}},
                        {"last entries", {"13", "4", "5", "1"}, {13, 4, 5, 1}},
                        {"one past the end", {"14", "5", "6", "2"}, {3, 0, 3, 1}},
                        {"negative", {"-1", "-1", "-1", "-1"}, {3, 0, 3, 1}},
                        {"spaces around", {" 7 ", " 2", "1 ", " 0 "}, {7, 2, 1, 0}}});
    }
    void storedCodes()
    {
        const auto [row, stored, shown] = CurrentRow<Codes>();
        ShellFixture f;
        const QStringList keys{"ButtonTheme/Color", "Theme/Color", "WTheme/Color",
                               "Hotkey Activation/Notification"};
        for (int i = 0; i < 4; ++i)
            f.settings.writeText(keys[i].section('/', 0, 0), keys[i].section('/', 1), stored[i]);
        ThemeOptions& w = opened(f);
        // The frame shows the same look as the lists.
        QCOMPARE((QList<int>{w.btnTHEME()->currentIndex(), w.theme()->currentIndex(),
                             w.wStyle()->currentIndex(), w.chkNotification()->isChecked(),
                             w.ThemeForm()->ThemeColor(), w.ThemeForm()->Style()}),
                 (shown + QList<int>{shown[1], shown[2]}));
        w.applyButton()->setButtonStyle(ButtonStyleKind::Standard);
        Reactivate(&w);
        QCOMPARE(int(w.applyButton()->ButtonStyle()), shown[0]);
    }
    void emptySoundDisablesLink()
    {
        ShellFixture f;
        f.settings.writeText("Hotkey Activation", "Sound", "");
        ThemeOptions& w = opened(f);
        QVERIFY(!w.chkSoundEffect()->isChecked() && !w.soundFile()->Enabled());
        QCOMPARE((QStringList{w.soundFile()->Caption(), w.soundPath()}),
                 (QStringList{ThemeOptions::NoSoundCaption(), QString()}));
    }
    // The sound box enables the link; OK stores the link's path only while it is checked.
    void soundBoxDecidesStoredSound()
    {
        for (int clicks : {0, 1, 2}) {
            ShellFixture f;
            ThemeOptions& w = opened(f);
            for (int i = 0; i < clicks; ++i)
                QTest::mouseClick(w.chkSoundEffect(), Qt::LeftButton);
            QCOMPARE(w.soundFile()->Enabled(), clicks % 2 == 0);
            // The link keeps its path either way.
            QCOMPARE((QStringList{w.soundPath(), w.soundFile()->Caption()}),
                     (QStringList{DefaultSound, "Bing.wav"}));
            w.acceptChoices();
            QCOMPARE(Stored(f, {Sound}), QStringList{clicks == 1 ? QString() : DefaultSound});
        }
    }
    void fileNameOfPath()
    {
        for (const auto& [path, name] :
             {std::pair<QString, QString>{"C:\\a\\b.wav", "C:\\a\\b.wav"},
              {"/b.wav", "b.wav"},
              {"/home/ann/", ""},
              {"", ""}})
            QCOMPARE(ThemeOptions::FileNameOfPath(path), name);
    }
    void soundDialog_data()
    {
        // the dialog's answer, the link's path and caption after
        AddRows<Texts>(
            {{"chosen", "/home/ann/Sounds/ding.wav", "/home/ann/Sounds/ding.wav", "ding.wav"},
             {"no slash shows whole", "ding.wav", "ding.wav", "ding.wav"},
             {"cancelled", "", DefaultSound, "Bing.wav"}});
    }
    // A chosen file becomes the link's path and caption and plays once; cancel changes nothing.
    void soundDialog()
    {
        const auto [row, answer, path, caption] = CurrentRow<Texts>();
        ShellFixture f;
        ThemeOptions& w = opened(f);
        f.dialogs.clearCalls();
        f.dialogs.answer(answer);
        Q_EMIT w.soundFile()->Jump();
        QCOMPARE(f.dialogs.calls().size(), 1);
        // "file <title>|<folder>|<filter>"
        const QStringList asked = f.dialogs.calls().at(0).split(QLatin1Char('|'));
        QCOMPARE(asked.mid(0, 2), (QStringList{"file Select sound file", "/opt/tarvex/Sounds"}));
        QVERIFY(asked.value(2).startsWith(QStringLiteral("WAV Sound Files (")));
        QVERIFY(asked.value(2).contains(QStringLiteral("*.wav")));
        QCOMPARE(f.dialogs.lastParent(), static_cast<QWidget*>(&w));
        // The tip holds the whole path, which the caption cuts.
        QCOMPARE((QStringList{w.soundPath(), w.soundFile()->Caption(), w.soundFile()->toolTip()}),
                 (QStringList{path, caption, path}));
        QCOMPARE(f.sound.calls(), answer.isEmpty() ? QStringList() : QStringList{"play " + answer});
        w.acceptChoices();
        QCOMPARE(Stored(f, {Sound}), QStringList{path});
    }
    // Each list previews on this window only while `prev` is checked, and stores nothing.
    void preview()
    {
        for (bool previewing : {true, false}) {
            ShellFixture f;
            ThemeOptions& w = opened(f);
            if (!previewing)
                QTest::mouseClick(w.prev(), Qt::LeftButton);
            QCOMPARE(w.prev()->isChecked(), previewing);
            Choose(w, 3, 6, 5);
            QCOMPARE((QList<int>{w.ThemeForm()->ThemeColor(), w.ThemeForm()->Style()}),
                     (previewing ? QList<int>{3, 5} : QList<int>{0, 3}));
            // OK and Cancel preview the button style; Apply keeps the stored one.
            QCOMPARE(OwnButtonStyles(w), (previewing ? QList<int>{6, 6, 3} : QList<int>{3, 3, 3}));
            QCOMPARE(MainButtonStyles(*f.shell->mainWindow()), (QList<int>{3, 3, 3, 3}));
            QCOMPARE(Stored(f, {"ButtonTheme", "Theme"}), (QStringList{"absent", "absent"}));
        }
    }
    // Activation gives the window's own buttons the stored style, undoing a button preview;
    // Cancel gives the main window the stored look again.
    void storedLookComesBack()
    {
        ShellFixture f;
        f.settings.writeText("ButtonTheme", "Color", "9");
        f.settings.writeText("WTheme", "Color", "2");
        ThemeOptions& w = opened(f);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(OwnButtonStyles(w), (QList<int>{9, 9, 9}));
        w.btnTHEME()->setCurrentIndex(1);
        QCOMPARE(OwnButtonStyles(w), (QList<int>{1, 1, 9}));
        Reactivate(&w);
        QCOMPARE(OwnButtonStyles(w), (QList<int>{9, 9, 9}));
        Tarvex& main = *f.shell->mainWindow();
        main.ButtonCfg(0);
        main.cStyle(0);
        w.cancelChoices();
        QCOMPARE(MainButtonStyles(main), (QList<int>{9, 9, 9, 9}));
        QCOMPARE(main.ThemeForm()->Style(), 2);
        QVERIFY(main.isVisible());
    }
    void okStoresPushesAndUnloads()
    {
        ShellFixture f;
        ThemeOptions& w = opened(f);
        QPointer<ThemeOptions> window(&w);
        Tarvex& main = *f.shell->mainWindow();
        Choose(w, 2, 7, 1);
        QTest::mouseClick(w.chkNotification(), Qt::LeftButton);
        QTest::mouseClick(w.okButton(), Qt::LeftButton);
        QCOMPARE(
            Stored(f, {"Theme", "ButtonTheme", "WTheme", Sound, "Hotkey Activation/Notification"}),
            (QStringList{"2", "7", "1", DefaultSound, "0"}));
        QCOMPARE(MainButtonStyles(main), (QList<int>{7, 7, 7, 7}));
        QCOMPARE((QList<int>{main.ThemeForm()->ThemeColor(), main.ThemeForm()->Style()}),
                 (QList<int>{2, 1}));
        QVERIFY(main.isVisible() && main.ThemeForm()->isVisible() && f.messages().isEmpty());
        QVERIFY(!f.shell->optionsWindow());
        QTRY_VERIFY(!window);
    }
    // An unwritable store: OK still applies, returns and unloads, then says once it failed.
    void okCarriesOnPastFailedWrites()
    {
        ShellFixture f;
        ThemeOptions& w = opened(f);
        Tarvex& main = *f.shell->mainWindow();
        QVERIFY(QFile::remove(f.settings.fileName()));
        QVERIFY(QDir().mkpath(f.settings.fileName())); // a folder where the file must go
        w.btnTHEME()->setCurrentIndex(4);
        w.acceptChoices();
        QCOMPARE(MainButtonStyles(main), (QList<int>{4, 4, 4, 4}));
        QVERIFY(main.isVisible() && !f.shell->optionsWindow());
        QCOMPARE(f.messages().size(), 1);
        for (const char* part :
             {"could not all be saved", "ButtonTheme/Color", "Hotkey Activation/Notification"})
            QVERIFY2(f.messages()[0].contains(QLatin1String(part)), part);
    }
    void applyThenCancelKeepsAppliedLook()
    {
        ShellFixture f;
        ThemeOptions& w = opened(f);
        Tarvex& main = *f.shell->mainWindow();
        Choose(w, 3, 9, 4);
        QTest::mouseClick(w.applyButton(), Qt::LeftButton);
        QCOMPARE(Stored(f, {"ButtonTheme", "Theme", "WTheme", Sound}),
                 (QStringList{"9", "3", "4", "absent"}));
        QVERIFY(w.isVisible() && !main.isVisible());
        QCOMPARE(MainButtonStyles(main), (QList<int>{9, 9, 9, 9}));
        w.btnTHEME()->setCurrentIndex(1);
        w.wStyle()->setCurrentIndex(0);
        QTest::mouseClick(w.cancelButton(), Qt::LeftButton);
        QCOMPARE(Stored(f, {"ButtonTheme"}), QStringList{"9"});
        QCOMPARE(MainButtonStyles(main), (QList<int>{9, 9, 9, 9}));
        QCOMPARE((QList<int>{main.ThemeForm()->Style(), main.ThemeForm()->ThemeColor()}),
                 (QList<int>{4, 3}));
        QVERIFY(main.isVisible() && !w.isVisible());
        // Still loaded: the next opening shows the lists as the user left them.
        QCOMPARE(f.shell->optionsWindow(), &w);
        main.appearanceButton()->click();
        QVERIFY(w.isVisible());
        // The opening sets the stored frame style.
        QCOMPARE((QList<int>{w.btnTHEME()->currentIndex(), w.ThemeForm()->Style()}),
                 (QList<int>{1, 4}));
    }
    // Enter in an open list chooses, in a closed one OKs.
    void enterInOpenListChoosesOnlyTheEntry()
    {
        ShellFixture f;
        ThemeOptions& w = opened(f);
        QSignalSpy unload(&w, &ThemeOptions::unloadRequested);
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QComboBox* list = w.btnTHEME();
        const int start = list->currentIndex();
        QVERIFY(start > 0);
        list->showPopup();
        QAbstractItemView* entries = list->view();
        QTRY_VERIFY(entries->isVisible());
        QTest::keyClick(entries, Qt::Key_Up);
        QTest::keyClick(entries, Qt::Key_Return);
        QTRY_VERIFY(!entries->isVisible());
        QCOMPARE(std::tuple(list->currentIndex(), unload.count()), std::tuple(start - 1, 0));
        QVERIFY(w.isVisible());
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(unload.count(), 1);
        QCOMPARE(Stored(f, {"ButtonTheme"}), QStringList{QString::number(start - 1)});
    }
    // Escape and a close by the window manager leave like Cancel.
    void closingActsAsCancel()
    {
        for (bool byEscape : {false, true}) {
            ShellFixture f;
            ThemeOptions& w = opened(f);
            QVERIFY(QTest::qWaitForWindowActive(&w));
            w.btnTHEME()->setCurrentIndex(8);
            if (byEscape)
                QTest::keyClick(&w, Qt::Key_Escape);
            else
                w.close();
            QVERIFY(!w.isVisible() && f.shell->mainWindow()->isVisible());
            QCOMPARE(f.shell->optionsWindow(), &w);
            QCOMPARE(Stored(f, {"ButtonTheme"}), QStringList{"absent"});
        }
    }
    // Whichever frame style moves them, the controls lie inside the window below the title bar
    // and the check boxes' captions stay whole in their designed rectangles.
    void laidOutInEveryStyle()
    {
        ShellFixture f;
        ThemeOptions& w = opened(f);
        for (int style : {3, 0, 1, 2, 4, 5}) { // each from the stored 3, as a fresh window has
            w.wStyle()->setCurrentIndex(3);
            w.wStyle()->setCurrentIndex(style);
            QCOMPARE(w.ThemeForm()->Style(), style);
            QCOMPARE(w.ThemeForm()->geometry(), w.rect());
            for (QWidget* control :
                 QWidgetList{w.prev(), w.applyButton(), w.okButton(), w.programOptions()}) {
                const QRect place(control->mapTo(&w, QPoint(0, 0)), control->size());
                QVERIFY2(w.rect().contains(place), qPrintable(control->objectName()));
                QVERIFY(place.top() >= w.ThemeForm()->TitleBarHeight());
            }
            for (const char* name : {"chkSoundEffect", "chkNotification", "prev"}) {
                auto* box = w.findChild<FittedCheckBox*>(name);
                QVERIFY2(box && box->captionFits(), name);
                QVERIFY(box->font().pointSizeF() >= FittedCheckBox::MinimumPointSize);
            }
        }
    }
    void fittedCheckBoxShrinksOnlyWhenNeeded()
    {
        QWidget parent;
        FittedCheckBox box(QStringLiteral("A caption that is long enough to need room"), &parent);
        QFont font = box.font();
        font.setPointSizeF(9);
        parent.show(); // sizes take effect on shown widgets
        box.resize(2000, 20);
        box.setDesignFont(font);
        QCOMPARE(box.font().pointSizeF(), 9.0);
        box.resize(120, 20);
        QVERIFY(box.font().pointSizeF() < 9.0);
        box.resize(2000, 20);
        QCOMPARE(box.font().pointSizeF(), 9.0);
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 5, 10)); // the caption
        QVERIFY(box.isChecked());
    }
};

QTEST_MAIN(TestThemeOptions)
#include "TestThemeOptions.moc"
