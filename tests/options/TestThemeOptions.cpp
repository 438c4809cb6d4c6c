// The appearance options window: load, preview, sound link, Apply, OK, Cancel, layout.
#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "options/FittedCheckBox.h"
#include "options/ThemeOptions.h"
#include "shell/Tarvex.h"
#include "tests/app/ShellFixture.h"
#include "tests/controls/Unnamed.h"

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
    return {int(main.startButton()->ButtonStyle()), int(main.configureButton()->ButtonStyle()),
            int(main.appearanceButton()->ButtonStyle()), int(main.exitButton()->ButtonStyle())};
}

QList<int> OwnButtonStyles(ThemeOptions& w)
{
    return {int(w.okButton()->ButtonStyle()), int(w.cancelButton()->ButtonStyle()),
            int(w.applyButton()->ButtonStyle())};
}

void Choose(ThemeOptions& w, int theme, int buttons, int frame)
{
    w.theme()->setCurrentIndex(theme);
    w.btnTHEME()->setCurrentIndex(buttons);
    w.wStyle()->setCurrentIndex(frame);
}

} // namespace

class TestThemeOptions final : public QObject
{
    Q_OBJECT
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
    // Stored ButtonTheme, Theme, WTheme, Notification as btnTHEME, theme, wStyle, notification
    // show them: the last entries, codes past the end as the defaults, others rounded.
    void storedCodes()
    {
        using Row = std::pair<QStringList, QList<int>>;
        for (const auto& [stored, shown] :
             {Row{{"13", "4", "5", "1"}, {13, 4, 5, 1}}, Row{{"14", "5", "6", "2"}, {3, 0, 3, 1}},
              Row{{"0.4", "2.6", "1e12", "0"}, {0, 3, 3, 0}}}) {
            ShellFixture f;
            const QStringList sections{"ButtonTheme", "Theme", "WTheme", "Hotkey Activation"};
            for (int i = 0; i < 4; ++i)
                f.settings.writeText(sections[i], i < 3 ? "Color" : "Notification", stored[i]);
            ThemeOptions& w = opened(f);
            // The frame shows the same look as the lists.
            QCOMPARE((QList<int>{w.btnTHEME()->currentIndex(), w.theme()->currentIndex(),
                                 w.wStyle()->currentIndex(), w.chkNotification()->isChecked(),
                                 w.ThemeForm()->ThemeColor(), w.ThemeForm()->Style()}),
                     (shown + QList<int>{shown[1], shown[2]}));
            w.applyButton()->setButtonStyle(ButtonStyleKind::Standard);
            QApplication::setActiveWindow(nullptr), QApplication::setActiveWindow(&w);
            QCOMPARE(int(w.applyButton()->ButtonStyle()), shown[0]);
        }
    }
    // A chosen file becomes the link's path and caption and plays once; cancel changes nothing.
    void soundDialog()
    {
        using Row = std::tuple<QString, QString, QString>; // answer, path and caption after
        for (const auto& [answer, path, caption] :
             {Row{"/home/ann/ding.wav", "/home/ann/ding.wav", "ding.wav"},
              Row{"", DefaultSound, "Bing.wav"}}) {
            ShellFixture f;
            ThemeOptions& w = opened(f);
            f.dialogs.clearCalls();
            f.dialogs.answer(answer);
            Q_EMIT w.soundFile()->Jump();
            // "file <title>|<folder>|<filter>", opened in the sound folder on this window
            QCOMPARE(f.dialogs.calls().size(), 1);
            QCOMPARE(f.dialogs.calls().at(0).section('|', 1, 1), "/opt/tarvex/Sounds");
            QCOMPARE(f.dialogs.lastParent(), static_cast<QWidget*>(&w));
            // The tip holds the whole path, which the caption cuts.
            QCOMPARE(
                (QStringList{w.soundPath(), w.soundFile()->Caption(), w.soundFile()->toolTip()}),
                (QStringList{path, caption, path}));
            QCOMPARE(f.sound.calls(),
                     answer.isEmpty() ? QStringList() : QStringList{"play " + answer});
            w.acceptChoices();
            QCOMPARE(Stored(f, {Sound}), QStringList{path});
        }
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
    // Activation gives the window's own buttons the stored style, undoing a button preview; the
    // main window wears the stored look from its start, and again after Cancel.
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
        QApplication::setActiveWindow(nullptr), QApplication::setActiveWindow(&w);
        QCOMPARE(OwnButtonStyles(w), (QList<int>{9, 9, 9}));
        Tarvex& main = *f.shell->mainWindow();
        QCOMPARE(main.ThemeForm()->Style(), 2); // worn from its start
        main.ButtonCfg(0);
        main.cStyle(0);
        w.cancelChoices();
        QCOMPARE(MainButtonStyles(main), (QList<int>{9, 9, 9, 9}));
        QVERIFY(main.ThemeForm()->Style() == 2 && main.isVisible());
    }
    // OK stores the lists, the sound only while its box is checked (the link keeps its path),
    // gives the main window the look and unloads the window.
    void okStoresPushesAndUnloads()
    {
        ShellFixture f;
        ThemeOptions& w = opened(f);
        Tarvex& main = *f.shell->mainWindow();
        QCOMPARE(UnnamedControls(w), QString()); // each read out by its name
        Choose(w, 2, 7, 1);
        QTest::mouseClick(w.chkNotification(), Qt::LeftButton);
        QTest::mouseClick(w.chkSoundEffect(), Qt::LeftButton);
        QVERIFY(!w.soundFile()->Enabled());
        QCOMPARE((QStringList{w.soundPath(), w.soundFile()->Caption()}),
                 (QStringList{DefaultSound, "Bing.wav"}));
        QTest::mouseClick(w.okButton(), Qt::LeftButton);
        QCOMPARE(
            Stored(f, {"Theme", "ButtonTheme", "WTheme", Sound, "Hotkey Activation/Notification"}),
            (QStringList{"2", "7", "1", "", "0"}));
        QCOMPARE(MainButtonStyles(main), (QList<int>{7, 7, 7, 7}));
        QCOMPARE((QList<int>{main.ThemeForm()->ThemeColor(), main.ThemeForm()->Style()}),
                 (QList<int>{2, 1}));
        QVERIFY(main.isVisible() && main.ThemeForm()->isVisible() && f.messages().isEmpty());
        QVERIFY(!f.shell->optionsWindow());
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
        QVERIFY(f.messages().size() == 1 && f.messages()[0].contains("ButtonTheme/Color") &&
                f.messages()[0].contains("Hotkey Activation/Notification"));
    }
    // Apply stores and shows the look on the main window; Escape then leaves like Cancel with
    // the applied look, the window still loaded.
    void applyThenCancelKeepsAppliedLook()
    {
        ShellFixture f;
        ThemeOptions& w = opened(f);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        Tarvex& main = *f.shell->mainWindow();
        Choose(w, 3, 9, 4);
        QTest::mouseClick(w.applyButton(), Qt::LeftButton);
        QCOMPARE(Stored(f, {"ButtonTheme", "Theme", "WTheme", Sound}),
                 (QStringList{"9", "3", "4", "absent"}));
        QVERIFY(w.isVisible() && !main.isVisible());
        QCOMPARE(MainButtonStyles(main), (QList<int>{9, 9, 9, 9}));
        w.btnTHEME()->setCurrentIndex(1);
        w.wStyle()->setCurrentIndex(0);
        QTest::keyClick(&w, Qt::Key_Escape);
        QCOMPARE(Stored(f, {"ButtonTheme"}), QStringList{"9"});
        QCOMPARE(MainButtonStyles(main), (QList<int>{9, 9, 9, 9}));
        QCOMPARE((QList<int>{main.ThemeForm()->Style(), main.ThemeForm()->ThemeColor()}),
                 (QList<int>{4, 3}));
        QVERIFY(main.isVisible() && !w.isVisible() && f.shell->optionsWindow() == &w);
        w.show(); // OK hides the window itself, whatever its owner then does with it
        disconnect(&w, &ThemeOptions::unloadRequested, nullptr, nullptr);
        w.acceptChoices();
        QVERIFY(w.isHidden());
    }
    // Whichever frame style moves them, the controls lie inside the window below the title bar
    // and the check boxes' captions stay whole in their designed rectangles.
    void laidOutInEveryStyle()
    {
        ShellFixture f;
        ThemeOptions& w = opened(f);
        for (int style : {0, 1, 2, 4, 5}) { // each from the stored 3, as a fresh window has
            w.wStyle()->setCurrentIndex(3);
            w.wStyle()->setCurrentIndex(style);
            for (QWidget* control :
                 QWidgetList{w.prev(), w.applyButton(), w.okButton(), w.programOptions()}) {
                const QRect place(control->mapTo(&w, QPoint(0, 0)), control->size());
                const QRect below = w.rect().adjusted(0, w.ThemeForm()->TitleBarHeight(), 0, 0);
                QVERIFY2(below.contains(place), qPrintable(control->objectName()));
            }
            for (const char* name : {"chkSoundEffect", "chkNotification", "prev"})
                QVERIFY2(w.findChild<FittedCheckBox*>(name)->captionFits(), name);
        }
        // Narrower, a box draws its caption smaller to fit; wider again, in its design font.
        FittedCheckBox box(QStringLiteral("Preview the look"), nullptr);
        box.resize(400, 20), box.show(); // sized before its design font is set
        box.setDesignFont(QFont(box.font().family(), 12));
        QList<qreal> sizes;
        for (int width : {400, 120, 400})
            box.resize(width, 20), sizes << (box.captionFits() ? box.font().pointSizeF() : 0);
        QVERIFY2(sizes[0] == 12 && sizes[1] > 6 && sizes[1] < 12 && sizes[2] == 12,
                 qPrintable(QDebug::toString(sizes)));
    }
};

QTEST_MAIN(TestThemeOptions)
#include "TestThemeOptions.moc"
