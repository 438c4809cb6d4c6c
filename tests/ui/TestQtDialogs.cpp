// The message boxes as Qt draws them: where they appear, and what keys answer.
#include "tests/controls/Rows.h"
#include "ui/QtDialogs.h"

#include <QtTest>
#include <QtWidgets>

using namespace tarvex;

class TestQtDialogs final : public QObject
{
    Q_OBJECT
    using Answer = std::tuple<const char*, bool, int, QString>; // waits, key, answer
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
    // A box is centred on its parent's window (or the front window), never off screen.
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
        // A window in the screen's corner: its box stays whole on the screen.
        window.move(area.bottomRight() - QPoint(120, 60));
        QVERIFY(area.contains(messageBoxPlace(control)));
    }
    void keysAnswerSafely_data()
    {
        AddRows<Answer>({{"choice, Enter: the first", true, Qt::Key_Return, "File"},
                         {"choice, Escape: none", true, Qt::Key_Escape, ""},
                         {"log-off question, Enter: No", false, Qt::Key_Return, "No"},
                         {"log-off question, Escape: No", false, Qt::Key_Escape, "No"}});
    }
    // Enter and Escape never choose what the user did not pick.
    void keysAnswerSafely()
    {
        const auto [row, waits, key, answer] = CurrentRow<Answer>();
        QtDialogs dialogs;
        QString given = QStringLiteral("none");
        const auto press = [key = key] {
            for (QWidget* box : QApplication::topLevelWidgets())
                if (qobject_cast<QMessageBox*>(box) && box->isVisible())
                    QTest::keyClick(box, Qt::Key(key));
        };
        if (waits) {
            QTimer::singleShot(0, press);
            given = dialogs.choose(nullptr, QStringLiteral("Add File or Folder"),
                                   QStringLiteral("Do You Want To Add A File Or A Folder?"),
                                   {QStringLiteral("File"), QStringLiteral("Folder")});
        } else {
            dialogs.askLater(QString(), QStringLiteral("Do you want to log off?"),
                             [&given](bool yes) { given = yes ? "Yes" : "No"; });
            press();
        }
        QTRY_COMPARE(given, answer);
    }
};

QTEST_MAIN(TestQtDialogs)
#include "TestQtDialogs.moc"
