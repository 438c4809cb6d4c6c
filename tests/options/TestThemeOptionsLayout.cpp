// The appearance options window as shown: its frame, and every control inside the window with
// captions that fit.

#include "controls/button/velbutton.h"
#include "controls/frame/velForms.h"
#include "controls/tips/Hyperlink.h"
#include "options/FittedCheckBox.h"
#include "options/ThemeOptions.h"
#include "shell/Tarvex.h"
#include "tests/app/ShellFixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTest>

using namespace tarvex;

class TestThemeOptionsLayout final : public QObject
{
    Q_OBJECT

private:
    static ThemeOptions& opened(ShellFixture& f)
    {
        f.shell->start();
        f.shell->customizeAppearance();
        return *qobject_cast<ThemeOptions*>(f.shell->optionsWindow());
    }

private Q_SLOTS:

    // Every control lies inside the window, whichever frame style moves them.
    void wholeDesignedAreaVisible_data()
    {
        QTest::addColumn<int>("style");
        for (int style = 0; style < 6; ++style)
            QTest::addRow("style %d", style) << style;
    }

    void wholeDesignedAreaVisible()
    {
        QFETCH(int, style);
        ShellFixture f;
        ThemeOptions& w = opened(f);
        w.wStyle()->setCurrentIndex(style);
        QCOMPARE(w.ThemeForm()->Style(), style);
        QCOMPARE(w.ThemeForm()->geometry(), w.rect());
        const QList<QWidget*> controls{w.prev(), w.applyButton(), w.okButton(), w.programOptions()};
        for (QWidget* control : controls) {
            const QRect place(control->mapTo(&w, QPoint(0, 0)), control->size());
            QVERIFY2(w.rect().contains(place), qPrintable(control->objectName()));
            QVERIFY(place.top() >= w.ThemeForm()->TitleBarHeight());
        }
    }

    // Check box captions stay whole in their designed rectangles with the desktop's fonts.
    void checkBoxCaptionsFit_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("chkSoundEffect") << "chkSoundEffect";
        QTest::newRow("chkNotification") << "chkNotification";
        QTest::newRow("prev") << "prev";
    }

    void checkBoxCaptionsFit()
    {
        QFETCH(QString, name);
        ShellFixture f;
        ThemeOptions& w = opened(f);
        auto* box = w.findChild<FittedCheckBox*>(name);
        QVERIFY(box);
        QVERIFY(box->captionFits());
        QVERIFY(box->font().pointSizeF() >= FittedCheckBox::MinimumPointSize);
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
        // A click on the caption toggles the box.
        QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(box.width() - 5, 10));
        QVERIFY(box.isChecked());
    }
};

QTEST_MAIN(TestThemeOptionsLayout)
#include "TestThemeOptionsLayout.moc"
