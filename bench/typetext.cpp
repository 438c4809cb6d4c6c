// Types 1000 characters (letters, digits, punctuation, line breaks and characters the US layout
// lacks) through the key injection of its desktop (X11's, or a wlroots compositor's virtual
// keyboard under QT_QPA_PLATFORM=wayland) into a text field of this program, and prints how long
// the typing took until the field held them and how many characters were lost or came out
// different. Run on a display of its own (bench/type_text.sh starts an X one and a sway one).
#include "platform/wayland/WlrKeyInjector.h"
#include "platform/x11/XTestKeyInjector.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTest>

#include <cstdio>
#include <memory>

using namespace tarvex;

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QPlainTextEdit field;
    field.resize(600, 400);
    field.show();
    field.activateWindow();
    // The window has the keyboard (Wayland tells no activation apart from that).
    if (!QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == field.windowHandle(); })) {
        std::puts("typetext: the test window never got the focus; skipped");
        return 0;
    }
    const bool wayland = QGuiApplication::platformName() == QLatin1String("wayland");
    const char* desktop = wayland ? "sway" : "X11";
    std::unique_ptr<KeyInjector> injector;
    if (wayland)
        injector = std::make_unique<WlrKeyInjector>();
    else
        injector = std::make_unique<XTestKeyInjector>();
    if (!injector->available()) {
        std::printf("typetext (%s): %s; skipped\n", desktop,
                    qPrintable(injector->unavailableReason()));
        return 0;
    }
    const QString pattern = QString::fromUtf8("The quick brown fox, 1234! Gr\u00fc\u00dfe \u20ac5 "
                                              "\u2014 \u00f1 \u00e9 ok?\n");
    QString text;
    while (text.size() < 1000)
        text += pattern;
    text.truncate(1000);
    QElapsedTimer timer;
    timer.start();
    injector->typeText(text, [] { return true; });
    const qint64 sent = timer.elapsed();
    // Until the field holds as many characters as were typed, or nothing came for a second.
    qsizetype last = -1;
    QElapsedTimer still;
    still.start();
    while (field.toPlainText().size() < text.size() && still.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (field.toPlainText().size() != last) {
            last = field.toPlainText().size();
            still.restart();
        }
    }
    const qint64 shown = timer.elapsed();
    const QString got = field.toPlainText();
    qsizetype different = 0;
    for (qsizetype i = 0; i < std::min(got.size(), text.size()); ++i)
        different += got.at(i) != text.at(i);
    std::printf("typetext (%s): %lld characters sent in %lld ms, shown after %lld ms; %lld "
                "lost, %lld different\n",
                desktop, static_cast<long long>(text.size()), static_cast<long long>(sent),
                static_cast<long long>(shown),
                static_cast<long long>(std::max<qsizetype>(0, text.size() - got.size())),
                static_cast<long long>(different));
    return 0;
}
