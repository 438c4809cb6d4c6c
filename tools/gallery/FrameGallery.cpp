// Renders every velForms style in every theme, active and inactive, plus a
// row of caption-button states, into one PNG (frame-gallery.png beside the
// button gallery), so a person can compare them side by side.
#include "controls/frame/velForms.h"

#include <QApplication>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

using namespace tarvex;

namespace {

constexpr int kFrameW = 260, kFrameH = 96, kGap = 10, kLabelW = 150, kHeaderH = 22;

const char* const kThemeNames[] = {"Blue",  "Silver", "Olive",  "Khaki",
                                   "Amber", "Custom", "Desktop"};

QIcon GalleryIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.fillRect(1, 3, 14, 10, QColor(40, 120, 200));
    p.fillRect(3, 5, 10, 2, QColor(250, 210, 60));
    return QIcon(pixmap);
}

void SendMouse(QWidget* frame, QEvent::Type type, const QPoint& pos)
{
    QMouseEvent e(type, pos, frame->mapToGlobal(pos),
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
                  type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame, &e);
}

// The top right corner of one frame; states: 0 plain, 1 close hovered,
// 2 minimize pressed, 3 maximized (restore glyph).
QImage RenderFrame(int theme, int style, bool active, int states)
{
    QWidget host;
    host.resize(kFrameW, kFrameH);
    host.setWindowTitle(QStringLiteral("Tarvex style %1").arg(style));
    host.setWindowIcon(GalleryIcon());
    velForms frame(&host);
    frame.setThemeColor(theme);
    frame.setStyle(style);
    QEvent activation(active ? QEvent::WindowActivate : QEvent::WindowDeactivate);
    QApplication::sendEvent(&host, &activation);
    const int button = states == 1 ? 0 : 2;
    const QPoint centre(frame.captionButton(button).Left + 9, frame.captionButton(button).Top + 9);
    if (states == 1 || states == 2)
        SendMouse(&frame, QEvent::MouseMove, centre);
    if (states == 2)
        SendMouse(&frame, QEvent::MouseButtonPress, centre);
    if (states == 3)
        frame.setWindowState(2);
    return frame.picture().copy(frame.width() - kFrameW, 0, kFrameW, kFrameH);
}

void Label(QPainter& p, const QRect& r, const QString& text)
{
    p.drawText(r, Qt::AlignVCenter | Qt::AlignLeft, text);
}

} // namespace

// Writes the frame gallery to path; false when the file cannot be written.
bool WriteFrameGallery(const QString& path)
{
    const int rows = 7 * 2 + 3, cols = 6;
    QImage sheet(kLabelW + cols * (kFrameW + kGap) + kGap,
                 kHeaderH + rows * (kFrameH + kGap) + kGap, QImage::Format_RGB32);
    sheet.fill(QColor(250, 250, 250));
    QPainter p(&sheet);
    for (int style = 0; style < cols; ++style)
        Label(p, QRect(kLabelW + style * (kFrameW + kGap), 0, kFrameW, kHeaderH),
              QStringLiteral("Style %1").arg(style));
    for (int row = 0; row < rows; ++row) {
        const int theme = row < 14 ? row / 2 : 0, y = kHeaderH + row * (kFrameH + kGap);
        const bool active = row % 2 == 0 || row >= 14;
        Label(p, QRect(4, y, kLabelW - 8, kFrameH),
              row < 14 ? QString::fromLatin1(kThemeNames[theme]) +
                             (active ? QStringLiteral(" active") : QStringLiteral(" inactive"))
              : row == 14 ? QStringLiteral("Close hovered")
              : row == 15 ? QStringLiteral("Minimize pressed")
                          : QStringLiteral("Maximized"));
        for (int style = 0; style < cols; ++style)
            p.drawImage(kLabelW + style * (kFrameW + kGap), y,
                        RenderFrame(theme, style, active, std::max(row - 13, 0)));
    }
    p.end();
    return sheet.save(path);
}
