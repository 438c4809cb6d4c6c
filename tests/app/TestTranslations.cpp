// Spanish texts for a Spanish locale, English for any other, nothing left after switching.

#include "controls/button/velbutton.h"
#include "controls/frame/FrameSystemMenu.h"
#include "controls/frame/velForms.h"
#include "editor/CaptureBox.h"
#include "editor/FormWizard.h"
#include "keys/KeyCapture.h"
#include "keys/KeyNames.h"
#include "keys/KeyText.h"
#include "platform/KeyTable.h"
#include "shell/Tarvex.h"
#include "shell/Translations.h"
#include "store/SettingsStore.h"
#include "store/WebAddress.h"
#include "ui/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tarvex;

namespace {

// What a message box showed: its text and its buttons' captions.
struct SeenBox
{
    QString text;
    QStringList buttons;
};

// Runs `show`, which opens a modal message box, reads the box and closes it with No.
template <typename Show> SeenBox readMessageBox(Show show)
{
    SeenBox seen;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&seen, &poll] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        poll.stop();
        seen.text = box->text();
        for (QAbstractButton* button : box->buttons())
            seen.buttons.append(button->text());
        box->button(QMessageBox::No)->click();
    });
    poll.start();
    show();
    return seen;
}

// The main window as the program builds it, with real message boxes.
struct MainWindow
{
    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("Tarvex.ini"))};
    QtDialogs dialogs;
    Tarvex window{settings, dialogs};

    // Start's caption, the hotkeys' state, the menu's Close, the help question and `yes` if
    // the question's box offers it.
    QStringList texts(const QString& yes)
    {
        const SeenBox box = readMessageBox([this] { window.askAboutHelp(); });
        return {window.startButton()->Caption(), window.hotkeyState()->text(),
                window.ThemeForm()->systemMenu()->caption(FrameSystemMenu::Close), box.text,
                box.buttons.contains(yes) ? yes : box.buttons.join(',')};
    }
};

} // namespace

class TestTranslations final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { InstallTranslations(*qApp, QLocale::c()); }

    // Spanish in the main window, its menu, a box's buttons and the core; captions still fit.
    void spanishLocaleShowsSpanish()
    {
        QCOMPARE(InstallTranslations(*qApp, QLocale(QLocale::Spanish, QLocale::Mexico)), "es");
        MainWindow main;
        main.window.toggleAdvancedOptions();
        for (velbutton* button : main.window.findChildren<velbutton*>())
            QVERIFY2(button->fontMetrics().horizontalAdvance(button->Caption()) < button->width(),
                     qPrintable(button->Caption()));
        for (QCheckBox* option : {main.window.runAtLoginBox(), main.window.noNotificationBox()})
            QVERIFY2(option->width() >= option->sizeHint().width(), qPrintable(option->text()));
        QCOMPARE(main.texts(QStringLiteral("&Sí")),
                 (QStringList{" Iniciar Tarvex", "Atajos desactivados", "Cerrar",
                              "¿Necesitas ayuda para usar Tarvex?", "&Sí"}));
        main.window.showHotkeysRunning(true);
        QCOMPARE(main.window.hotkeyState()->text(), QStringLiteral("Atajos activos"));
        QVERIFY(ValidateWebAddress(QStringLiteral("http://")).startsWith(u"La dirección web"));
        // The special actions show in Spanish in the lists.
        FormWizard wizard(main.dialogs);
        QCOMPARE(wizard.findChild<QComboBox*>(QStringLiteral("sp"))->itemText(4),
                 QStringLiteral("-Cerrar sesión-"));
    }

    // Each Spanish key name is unique, is no stored name and reads back as its English token.
    // The key box turns non-letters into key names: the placeholder passes through unchanged.
    void spanishKeyNamesReadBack()
    {
        InstallTranslations(*qApp, QLocale(QLocale::Spanish));
        const QString placeholder = KeyCapture::Placeholder();
        QVERIFY(placeholder != QStringLiteral("ClickToEdit"));
        QCOMPARE(KeyCapture::Normalised(placeholder), placeholder);
        QCOMPARE(KeyNames::Displayed(u"(Ctrl)(Home)(PgUp)a"),
                 QStringLiteral("(Ctrl)(Inicio)(RePág)a"));
        const KeyNames names;
        QSet<QString> shown;
        for (const KeyTableEntry& key : KeyTable) {
            const QString token = QString::fromLatin1(key.text);
            if (!token.startsWith(u'('))
                continue;
            const QString name = KeyNames::Displayed(token);
            QVERIFY2(!shown.contains(name), qPrintable(name));
            shown.insert(name);
            QVERIFY2(name == token || KeyCodeOf(name) == 0, qPrintable(name));
            QCOMPARE(names.stored(name), token);
        }
        CaptureBox box(false);
        for (int key : {17, 36, 46})
            box.applyKeyDown(key);
        QCOMPARE(box.text(), QStringLiteral("(Ctrl)(Inicio)(Supr)"));
        QCOMPARE(box.combination(), QStringLiteral("(Ctrl)(Home)(Del)"));
        box.applyKeyDown(KeyCapture::Backspace);
        QCOMPARE(box.text(), QStringLiteral("(Ctrl)(Inicio)"));
        box.setCombination(QStringLiteral("(Shift)x(End)"));
        QCOMPARE(box.text(), QStringLiteral("(Mayús)x(Fin)"));
    }

    // Any other locale (unknown, untranslated) after Spanish brings back every English text.
    void otherLocaleFallsBackToEnglish()
    {
        for (const QLocale& locale :
             {QLocale(QStringLiteral("xx_XX")), QLocale(QLocale::German, QLocale::Germany)}) {
            QCOMPARE(InstallTranslations(*qApp, QLocale(QLocale::Spanish)), QStringLiteral("es"));
            QCOMPARE(InstallTranslations(*qApp, locale), QString());
            MainWindow main;
            QCOMPARE(main.texts(QStringLiteral("&Yes")),
                     (QStringList{" Start Tarvex", "Hotkeys are off", "Close",
                                  "Do you need help with using Tarvex?", "&Yes"}));
        }
    }
};

QTEST_MAIN(TestTranslations)
#include "TestTranslations.moc"
