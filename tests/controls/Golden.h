#pragma once
// Pictures compared pixel for pixel with tests/controls/golden/ (DejaVu Sans 11 px, Fusion
// palette). TARVEX_RECORD_GOLDEN=1 records anew; mismatches go to golden-failures/.
#include <QtTest>
#include <QtWidgets>

namespace tarvex {

// The fixed look every golden picture is drawn in; a steady caret, never blinking.
inline void UseGoldenLook()
{
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    QApplication::setFont(font);
    QApplication::setCursorFlashTime(0);
    QCOMPARE(QFontInfo(font).family(), "DejaVu Sans"); // fonts-dejavu-core
}

// Fails unless picture matches its golden picture name (or has just been recorded as it).
inline void CheckGolden(const QImage& picture, const QString& name)
{
    const QString golden =
        qEnvironmentVariable("TARVEX_TEST_SOURCE_DIR") + "/tests/controls/golden/" + name + ".png";
    const QImage actual = picture.convertToFormat(QImage::Format_RGB32);
    if (qEnvironmentVariableIntValue("TARVEX_RECORD_GOLDEN"))
        QVERIFY2(actual.save(golden), qPrintable("cannot write " + golden));
    else if (QImage(golden).convertToFormat(QImage::Format_RGB32) != actual) {
        const QDir out(QCoreApplication::applicationDirPath() + "/golden-failures");
        out.mkpath(QStringLiteral("."));
        actual.save(out.filePath(name + ".png"));
        QFAIL(qPrintable(name + " differs from the golden picture: see " +
                         out.filePath(name + ".png")));
    }
}

// Lets the pending paints and moves through, then grabs area of window (all of it if empty).
inline QImage Grab(QWidget* window, const QRect& area = QRect())
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    return window->grab(area.isEmpty() ? window->rect() : area).toImage();
}

} // namespace tarvex
