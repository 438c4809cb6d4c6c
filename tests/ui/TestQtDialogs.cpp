// The message boxes as Qt draws them: where they appear, and what keys answer.
#include "ui/QtDialogs.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

class TestQtDialogs final : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A box is centred on its parent's window, and stays whole on the screen by its corner.
    void boxPlacedOnItsWindow()
    {
        const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
        QWidget window;
        window.setGeometry(area.x() + area.width() / 2, area.y() + area.height() / 3, 300, 240);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto placed = [&window] {
            QRect place;
            QTimer::singleShot(0, [&place] {
                place = QApplication::activeModalWidget()->frameGeometry();
                QApplication::activeModalWidget()->close();
            });
            QtDialogs().inform(&window, QStringLiteral("Tarvex"), QStringLiteral("A message"));
            return place;
        };
        QVERIFY((placed().center() - window.frameGeometry().center()).manhattanLength() <= 2);
        window.move(area.bottomRight() - QPoint(120, 60));
        QVERIFY(area.contains(placed()));
    }
    // A question that ends the session answers No to Enter and Escape.
    void logOffQuestionAnswersNo()
    {
        for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
            QString given;
            QtDialogs().askLater(QString(), QStringLiteral("Do you want to log off?"),
                                 [&given](bool yes) { given = yes ? "Yes" : "No"; });
            for (QWidget* box : QApplication::topLevelWidgets())
                if (qobject_cast<QMessageBox*>(box) && box->isVisible())
                    QTest::keyClick(box, Qt::Key(key));
            QTRY_COMPARE(given, "No");
        }
    }
    // A box that waits for nobody goes with the dialogs that showed it.
    void laterBoxClosesWithItsDialogs()
    {
        auto dialogs = std::make_unique<QtDialogs>();
        dialogs->informLater(QStringLiteral("Tarvex"), QStringLiteral("Saved"));
        QPointer<QWidget> box;
        for (QWidget* window : QApplication::topLevelWidgets())
            box = qobject_cast<QMessageBox*>(window) && window->isVisible() ? window : box.data();
        QVERIFY(box && !box->windowIcon().isNull()); // the program's icon on its title bar
        dialogs.reset();
        QTRY_VERIFY(!box);
    }
};

QTEST_MAIN(TestQtDialogs)
#include "TestQtDialogs.moc"
