// The appearance options window: load from the store, preview, sound link, Apply, OK, Cancel,
// and its layout in every frame style.

#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "options/FittedCheckBox.h"
#include "options/ThemeOptions.h"
#include "shell/Tarvex.h"
#include "tests/app/ShellFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QSignalSpy>
#include <QTest>

using namespace tarvex;
using namespace Qt::StringLiterals;

namespace {

const QString DefaultSound = QStringLiteral("/opt/tarvex/Sounds/Bing.wav");

QString Stored(ShellFixture& f, const char* section, const char* key = "Color")
{
    return f.settings.readText(QLatin1String(section), QLatin1String(key),
                               QStringLiteral("absent"));
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

} // namespace

class TestThemeOptions final : public QObject
{
    Q_OBJECT

private:
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

    // Stored codes: ButtonTheme, Theme, WTheme, Notification -> what the window shows.
    void storedCodes_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<QList<int>>("shown"); // btnTHEME, theme, wStyle, notification
        QTest::newRow("valid") << QStringList{"12", "4", "0", "0"} << QList<int>{12, 4, 0, 0};
        QTest::newRow("last entries")
            << QStringList{"13", "4", "5", "1"} << QList<int>{13, 4, 5, 1};
        QTest::newRow("one past the end")
            << QStringList{"14", "5", "6", "2"} << QList<int>{3, 0, 3, 1};
        QTest::newRow("negative") << QStringList{"-1", "-1", "-1", "-1"} << QList<int>{3, 0, 3, 1};
        QTest::newRow("spaces around")
            << QStringList{" 7 ", " 2", "1 ", " 0 "} << QList<int>{7, 2, 1, 0};
    }

    void storedCodes()
    {
        QFETCH(QStringList, stored);
        QFETCH(QList<int>, shown);
        ShellFixture f;
        f.settings.writeText("ButtonTheme", "Color", stored[0]);
        f.settings.writeText("Theme", "Color", stored[1]);
        f.settings.writeText("WTheme", "Color", stored[2]);
        f.settings.writeText("Hotkey Activation", "Notification", stored[3]);
        ThemeOptions& w = opened(f);
        QCOMPARE(w.btnTHEME()->currentIndex(), shown[0]);
        QCOMPARE(w.theme()->currentIndex(), shown[1]);
        QCOMPARE(w.wStyle()->currentIndex(), shown[2]);
        QCOMPARE(int(w.chkNotification()->isChecked()), shown[3]);
        // The frame shows the same look as the lists.
        QCOMPARE(w.ThemeForm()->ThemeColor(), shown[1]);
        QCOMPARE(w.ThemeForm()->Style(), shown[2]);
        w.applyButton()->setButtonStyle(ButtonStyleKind::Standard);
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(&w);
        QCOMPARE(int(w.applyButton()->ButtonStyle()), shown[0]);
    }

    void emptySoundDisablesLink()
    {
        ShellFixture f;
        f.settings.writeText("Hotkey Activation", "Sound", "");
        ThemeOptions& w = opened(f);
        QVERIFY(!w.chkSoundEffect()->isChecked());
        QVERIFY(!w.soundFile()->Enabled());
        QCOMPARE(w.soundFile()->Caption(), ThemeOptions::NoSoundCaption());
        QCOMPARE(w.soundPath(), QString());
    }

    // The sound box enables the link; OK stores the link's path only while it is checked.
    void soundBoxDecidesStoredSound_data()
    {
        QTest::addColumn<int>("clicks");
        QTest::addColumn<QString>("stored");
        QTest::newRow("left checked") << 0 << DefaultSound;
        QTest::newRow("unchecked") << 1 << QString();
        QTest::newRow("unchecked and checked again") << 2 << DefaultSound;
    }

    void soundBoxDecidesStoredSound()
    {
        QFETCH(int, clicks);
        QFETCH(QString, stored);
        ShellFixture f;
        ThemeOptions& w = opened(f);
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(w.chkSoundEffect(), Qt::LeftButton);
        QCOMPARE(w.soundFile()->Enabled(), clicks % 2 == 0);
        QCOMPARE(w.soundPath(), DefaultSound); // the link keeps its path either way
        QCOMPARE(w.soundFile()->Caption(), QStringLiteral("Bing.wav"));
        w.acceptChoices();
        QCOMPARE(Stored(f, "Hotkey Activation", "Sound"), stored);
    }

    void fileNameOfPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("backslashes are part of the name") << u"C:\\a\\b.wav"_s << u"C:\\a\\b.wav"_s;
        QTest::newRow("root") << u"/b.wav"_s << u"b.wav"_s;
        QTest::newRow("trailing slash") << u"/home/ann/"_s << u""_s;
        QTest::newRow("empty") << u""_s << u""_s;
    }

    void fileNameOfPath()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(ThemeOptions::FileNameOfPath(path), name);
    }

    // A chosen file becomes the link's path and caption and plays once; cancel changes nothing.
    void soundDialog_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("caption");
        QTest::newRow("chosen") << u"/home/ann/Sounds/ding.wav"_s << u"/home/ann/Sounds/ding.wav"_s
                                << u"ding.wav"_s;
        QTest::newRow("no slash shows whole") << u"ding.wav"_s << u"ding.wav"_s << u"ding.wav"_s;
        QTest::newRow("cancelled") << "" << DefaultSound << "Bing.wav";
    }

    void soundDialog()
    {
        QFETCH(QString, answer);
        QFETCH(QString, path);
        QFETCH(QString, caption);
        ShellFixture f;
        ThemeOptions& w = opened(f);
        f.dialogs.clearCalls();
        f.dialogs.answer(answer);
        Q_EMIT w.soundFile()->Jump();
        QCOMPARE(f.dialogs.calls().size(), 1);
        // "file <title>|<folder>|<filter>"
        const QStringList asked = f.dialogs.calls().at(0).split(QLatin1Char('|'));
        QCOMPARE(asked.value(0), QStringLiteral("file Select sound file"));
        QCOMPARE(asked.value(1), QStringLiteral("/opt/tarvex/Sounds"));
        QVERIFY(asked.value(2).startsWith(QStringLiteral("WAV Sound Files (")));
        QVERIFY(asked.value(2).contains(QStringLiteral("*.wav")));
        QCOMPARE(f.dialogs.lastParent(), static_cast<QWidget*>(&w));
        QCOMPARE(w.soundPath(), path);
        QCOMPARE(w.soundFile()->Caption(), caption);
        QCOMPARE(w.soundFile()->toolTip(), path); // the whole path, which the caption cuts
        QCOMPARE(f.sound.calls(),
                 answer.isEmpty() ? QStringList() : QStringList{QStringLiteral("play ") + answer});
        w.acceptChoices();
        QCOMPARE(Stored(f, "Hotkey Activation", "Sound"), path);
    }

    // Each list previews on this window only while `prev` is checked, and stores nothing.
    void preview_data()
    {
        QTest::addColumn<bool>("previewing");
        QTest::newRow("prev checked") << true;
        QTest::newRow("prev unchecked") << false;
    }

    void preview()
    {
        QFETCH(bool, previewing);
        ShellFixture f;
        ThemeOptions& w = opened(f);
        Tarvex& main = *f.shell->mainWindow();
        if (!previewing)
            QTest::mouseClick(w.prev(), Qt::LeftButton);
        QCOMPARE(w.prev()->isChecked(), previewing);
        w.theme()->setCurrentIndex(3);
        w.wStyle()->setCurrentIndex(5);
        w.btnTHEME()->setCurrentIndex(6);
        QCOMPARE(w.ThemeForm()->ThemeColor(), previewing ? 3 : 0);
        QCOMPARE(w.ThemeForm()->Style(), previewing ? 5 : 3);
        // OK and Cancel preview the button style; Apply keeps the stored one.
        const QList<int> expected = previewing ? QList<int>{6, 6, 3} : QList<int>{3, 3, 3};
        QCOMPARE(OwnButtonStyles(w), expected);
        QCOMPARE(MainButtonStyles(main), (QList<int>{3, 3, 3, 3}));
        QCOMPARE(Stored(f, "ButtonTheme"), QStringLiteral("absent"));
        QCOMPARE(Stored(f, "Theme"), QStringLiteral("absent"));
    }

    // Activation gives the window's own buttons the stored style, undoing a button preview.
    void activationRestoresStoredButtonStyle()
    {
        ShellFixture f;
        f.settings.writeText("ButtonTheme", "Color", "9");
        ThemeOptions& w = opened(f);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(OwnButtonStyles(w), (QList<int>{9, 9, 9}));
        w.btnTHEME()->setCurrentIndex(1);
        QCOMPARE(OwnButtonStyles(w), (QList<int>{1, 1, 9}));
        QApplication::setActiveWindow(nullptr);
        QApplication::setActiveWindow(&w);
        QCOMPARE(OwnButtonStyles(w), (QList<int>{9, 9, 9}));
    }

    void okStoresPushesAndUnloads()
    {
        ShellFixture f;
        ThemeOptions& w = opened(f);
        QPointer<ThemeOptions> window(&w);
        Tarvex& main = *f.shell->mainWindow();
        w.theme()->setCurrentIndex(2);
        w.btnTHEME()->setCurrentIndex(7);
        w.wStyle()->setCurrentIndex(1);
        QTest::mouseClick(w.chkNotification(), Qt::LeftButton);
        QTest::mouseClick(w.okButton(), Qt::LeftButton);
        QCOMPARE(Stored(f, "Theme"), QStringLiteral("2"));
        QCOMPARE(Stored(f, "ButtonTheme"), QStringLiteral("7"));
        QCOMPARE(Stored(f, "WTheme"), QStringLiteral("1"));
        QCOMPARE(Stored(f, "Hotkey Activation", "Sound"), DefaultSound);
        QCOMPARE(Stored(f, "Hotkey Activation", "Notification"), QStringLiteral("0"));
        QCOMPARE(MainButtonStyles(main), (QList<int>{7, 7, 7, 7}));
        QCOMPARE(main.ThemeForm()->ThemeColor(), 2);
        QCOMPARE(main.ThemeForm()->Style(), 1);
        QVERIFY(main.isVisible() && main.ThemeForm()->isVisible());
        QVERIFY(f.messages().isEmpty());
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
        QVERIFY(main.isVisible());
        QVERIFY(!f.shell->optionsWindow());
        QCOMPARE(f.messages().size(), 1);
        QVERIFY(f.messages()[0].contains(QStringLiteral("could not all be saved")));
        QVERIFY(f.messages()[0].contains(QStringLiteral("ButtonTheme/Color")));
        QVERIFY(f.messages()[0].contains(QStringLiteral("Hotkey Activation/Notification")));
    }

    void applyThenCancelKeepsAppliedLook()
    {
        ShellFixture f;
        ThemeOptions& w = opened(f);
        Tarvex& main = *f.shell->mainWindow();
        w.theme()->setCurrentIndex(3);
        w.btnTHEME()->setCurrentIndex(9);
        w.wStyle()->setCurrentIndex(4);
        QTest::mouseClick(w.applyButton(), Qt::LeftButton);
        QCOMPARE(Stored(f, "ButtonTheme"), QStringLiteral("9"));
        QCOMPARE(Stored(f, "Theme"), QStringLiteral("3"));
        QCOMPARE(Stored(f, "WTheme"), QStringLiteral("4"));
        QCOMPARE(Stored(f, "Hotkey Activation", "Sound"), QStringLiteral("absent"));
        QVERIFY(w.isVisible() && !main.isVisible());
        QCOMPARE(MainButtonStyles(main), (QList<int>{9, 9, 9, 9}));
        w.btnTHEME()->setCurrentIndex(1);
        w.wStyle()->setCurrentIndex(0);
        QTest::mouseClick(w.cancelButton(), Qt::LeftButton);
        QCOMPARE(Stored(f, "ButtonTheme"), QStringLiteral("9"));
        QCOMPARE(MainButtonStyles(main), (QList<int>{9, 9, 9, 9}));
        QCOMPARE(main.ThemeForm()->Style(), 4);
        QCOMPARE(main.ThemeForm()->ThemeColor(), 3);
        QVERIFY(main.isVisible() && !w.isVisible());
        // Still loaded: the next opening shows the lists as the user left them.
        QCOMPARE(f.shell->optionsWindow(), &w);
        main.appearanceButton()->click();
        QVERIFY(w.isVisible());
        QCOMPARE(w.btnTHEME()->currentIndex(), 1);
        QCOMPARE(w.ThemeForm()->Style(), 4); // the opening sets the stored frame style
    }

    void cancelReappliesStoredLook()
    {
        ShellFixture f;
        f.settings.writeText("ButtonTheme", "Color", "5");
        f.settings.writeText("WTheme", "Color", "2");
        ThemeOptions& w = opened(f);
        Tarvex& main = *f.shell->mainWindow();
        main.ButtonCfg(0);
        main.cStyle(0);
        w.cancelChoices();
        QCOMPARE(MainButtonStyles(main), (QList<int>{5, 5, 5, 5}));
        QCOMPARE(main.ThemeForm()->Style(), 2);
        QVERIFY(main.isVisible());
    }

    // Escape and a close leave like Cancel; Enter in an open list chooses, in a closed one OKs.
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
        QCOMPARE(list->currentIndex(), start - 1);
        QCOMPARE(unload.count(), 0);
        QVERIFY(w.isVisible());
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(unload.count(), 1);
        QCOMPARE(Stored(f, "ButtonTheme"), QString::number(start - 1));
    }

    void closingActsAsCancel_data()
    {
        QTest::addColumn<bool>("byEscape");
        QTest::newRow("window manager") << false;
        QTest::newRow("Escape") << true;
    }

    void closingActsAsCancel()
    {
        QFETCH(bool, byEscape);
        ShellFixture f;
        ThemeOptions& w = opened(f);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.btnTHEME()->setCurrentIndex(8);
        if (byEscape)
            QTest::keyClick(&w, Qt::Key_Escape);
        else
            w.close();
        QVERIFY(!w.isVisible());
        QVERIFY(f.shell->mainWindow()->isVisible());
        QCOMPARE(f.shell->optionsWindow(), &w);
        QCOMPARE(Stored(f, "ButtonTheme"), QStringLiteral("absent"));
    }

    void laidOutInEveryStyle_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 0; style < 6; ++style)
            QTest::addRow("style %d", style) << style;
    }

    // Whichever frame style moves them, the controls lie inside the window below the title bar
    // and the check boxes' captions stay whole in their designed rectangles.
    void laidOutInEveryStyle()
    {
        QFETCH(int, style);
        ShellFixture f;
        ThemeOptions& w = opened(f);
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
