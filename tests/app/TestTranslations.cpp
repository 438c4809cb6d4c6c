// Spanish texts for a Spanish locale, English for any other, nothing left after switching.

#include "controls/button/velbutton.h"
#include "controls/frame/FrameSystemMenu.h"
#include "controls/frame/velForms.h"
#include "editor/CaptureBox.h"
#include "shell/Tarvex.h"
#include "shell/Translations.h"
#include "store/SettingsStore.h"
#include "store/WebAddress.h"
#include "ui/QtDialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tarvex;

namespace {

// The main window as the program builds it, with real message boxes.
struct MainWindow
{
    QTemporaryDir dir;
    SettingsStore settings{dir.filePath(QStringLiteral("Tarvex.ini"))};
    QtDialogs dialogs;
    Tarvex window{settings, dialogs};

    // Start's caption, the hotkeys' state, the menu's Close, the help question and `yes` if
    // the question's box offers it (the box is closed with No).
    QStringList texts(const QString& yes)
    {
        QStringList box;
        QTimer::singleShot(0, [&box] {
            auto* shown = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            box.append(shown->text());
            for (QAbstractButton* button : shown->buttons())
                box.append(button->text());
            shown->button(QMessageBox::No)->click();
        });
        window.askAboutHelp();
        return {window.startButton()->Caption(), window.hotkeyState()->text(),
                window.ThemeForm()->systemMenu()->caption(FrameSystemMenu::Close), box.value(0),
                box.contains(yes) ? yes : box.join(',')};
    }
};

} // namespace

class TestTranslations final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { InstallTranslations(*qApp, QLocale::c()); }

    // Spanish for a Spanish locale (the window, its menu, a box's buttons, the core, the key
    // names, which read back as their English tokens); any other locale (unknown,
    // untranslated) after Spanish brings back every English text.
    void localeChoosesTheTexts()
    {
        const QStringList english{" Start Tarvex", "Hotkeys are off", "Close",
                                  "Do you need help with using Tarvex?", "&Yes"};
        const std::tuple<QLocale, const char*, QStringList> rows[] = {
            {QLocale(QStringLiteral("xx_XX")), "", english},
            {QLocale(QLocale::German, QLocale::Germany), "", english},
            {QLocale(QLocale::Spanish, QLocale::Mexico),
             "es",
             {" Iniciar Tarvex", "Atajos desactivados", "Cerrar",
              "¿Necesitas ayuda para usar Tarvex?", "&Sí"}}}; // Spanish stays for the core
        for (const auto& [locale, chosen, texts] : rows) {
            QCOMPARE(InstallTranslations(*qApp, QLocale(QLocale::Spanish)), QStringLiteral("es"));
            QCOMPARE(InstallTranslations(*qApp, locale), QString(chosen));
            MainWindow main;
            QCOMPARE(main.texts(texts.last()), texts);
        }
        QVERIFY(ValidateWebAddress(QStringLiteral("http://")).startsWith(u"La dirección web"));
        CaptureBox box(false);
        for (int key : {17, 36, 46, 8, 46}) // Backspace takes a translated name whole
            box.applyKeyDown(key);
        QCOMPARE(std::tuple(box.text(), box.combination()),
                 std::tuple(QStringLiteral("(Ctrl)(Inicio)(Supr)"),
                            QStringLiteral("(Ctrl)(Home)(Del)")));
    }
};

QTEST_MAIN(TestTranslations)
#include "TestTranslations.moc"
