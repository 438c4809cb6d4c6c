// The message boxes as Qt draws them: where they appear.

#include "ui/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace tarvex;

class TestQtDialogs final : public QObject
{
    Q_OBJECT

private:
    // Shows a message and returns where its box stood, closing it again.
    static QRect messageBoxPlace(QWidget* parent)
    {
        QRect place;
        QTimer::singleShot(0, [&place] {
            QWidget* box = QApplication::activeModalWidget();
            QVERIFY(box);
            place = box->frameGeometry();
            box->close();
        });
        QtDialogs().inform(parent, QStringLiteral("Tarvex"), QStringLiteral("A message"));
        return place;
    }

private Q_SLOTS:
    // A box is centred on the window it belongs to: its parent's window (the parent may be a
    // control inside it), or the window in front for a message without one.
    void boxCentredOnItsWindow()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget window;
        auto* control = new QWidget(&window);
        control->setGeometry(5, 5, 20, 20);
        window.setGeometry(area.x() + area.width() / 2, area.y() + area.height() / 3, 300, 240);
        window.show();
        QApplication::setActiveWindow(&window);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (QWidget* parent : {static_cast<QWidget*>(nullptr), control}) {
            const QRect place = messageBoxPlace(parent);
            QVERIFY(place.isValid());
            const QPoint off = place.center() - window.frameGeometry().center();
            QVERIFY2(off.manhattanLength() <= 2, parent ? "parent" : "none");
        }
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_QtDialogs.moc"
