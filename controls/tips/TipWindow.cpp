#include "controls/tips/TipWindow.h"

#include <QBitmap>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QToolTip>

#include <algorithm>

namespace tarvex {

namespace {

// Offsets from the pointer's hot spot: below the arrow image, or just above it. A balloon's
// stem points at the lower end of the arrow.
constexpr int BelowPointer = 20;
constexpr int AbovePointer = 4;
constexpr int StemApexBelow = 16;

QRect screenArea(const QPoint& cursor)
{
    QScreen* screen = QGuiApplication::screenAt(cursor);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry()
                  : QRect(cursor - QPoint(800, 600), QSize(1600, 1200));
}

int clampInto(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length + 1));
}

// Bitmap of every pixel the tip covers (shape and shadow), used as the window's shape; in
// pixels, whatever the image's device pixel ratio.
QBitmap coverage(const QImage& tip)
{
    const QSize logical = tip.deviceIndependentSize().toSize();
    const QImage image = tip.size() == logical
                             ? tip
                             : tip.scaled(logical, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage mask(image.size(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        auto* target = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            target[x] = qAlpha(source[x]) > 0 ? 0xff000000 : 0xffffffff;
    }
    return QBitmap::fromImage(mask, Qt::ThresholdDither);
}

} // namespace

TipWindow::TipWindow(const TipContent& content, QWidget* owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowTransparentForInput |
                         Qt::WindowDoesNotAcceptFocus),
      m_content(content), m_translucent(TranslucentOnThisDesktop())
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (m_translucent) {
        setAttribute(Qt::WA_TranslucentBackground);
    } else {
        setAttribute(Qt::WA_OpaquePaintEvent);
        setAttribute(Qt::WA_NoSystemBackground);
    }
    setLayoutDirection(content.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    setFont(QToolTip::font());
    setPalette(QToolTip::palette());
    setObjectName(QStringLiteral("TipWindow"));
}

bool TipWindow::TranslucentOnThisDesktop()
{
    // Only X11 lets a program read the screen beneath a window; elsewhere (Wayland, or no
    // screen at all) the compositor blends the window's alpha.
    return QGuiApplication::platformName() != QLatin1String("xcb");
}

void TipWindow::popUp(const QPoint& cursor)
{
    const TipPainter painter(m_content, font(), palette(), style());
    const QRect area = screenArea(cursor);
    const QScreen* screen = QGuiApplication::screenAt(cursor);
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    int stemX = 0;
    const QRect frame = m_content.shape == TipShape::Balloon
                            ? placeBalloon(painter, cursor, area, stemX)
                            : placeRectangle(painter, cursor, area);
    const QImage under = m_content.shadow && !m_translucent ? backdrop(frame) : QImage();
    if (m_content.shadow && !m_translucent && under.isNull()) {
        // Nothing to blend the shadow onto: draw the tip without one rather than a dark smear.
        TipContent flat = m_content;
        flat.shadow = false;
        const TipPainter plain(flat, font(), palette(), style());
        applyImage(plain.render(m_side, stemX, ratio), {});
    } else {
        applyImage(painter.render(m_side, stemX, ratio), under);
    }
    setGeometry(QRect(frame.topLeft(), m_image.deviceIndependentSize().toSize()));
    show();
    raise();
}

QRect TipWindow::placeRectangle(const TipPainter& painter, const QPoint& cursor, const QRect& area)
{
    m_side = StemSide::None;
    const QSize size = painter.imageSize(StemSide::None);
    int top = cursor.y() + BelowPointer;
    if (top + size.height() - 1 > area.bottom())
        top = cursor.y() - AbovePointer - size.height();
    const int left = m_content.rightToLeft ? cursor.x() - size.width() : cursor.x() + 2;
    return QRect(clampInto(left, size.width(), area.left(), area.right()),
                 clampInto(top, size.height(), area.top(), area.bottom()), size.width(),
                 size.height());
}

QRect TipWindow::placeBalloon(const TipPainter& painter, const QPoint& cursor, const QRect& area,
                              int& stemX)
{
    m_side = StemSide::Top;
    QSize size = painter.imageSize(m_side);
    int top = cursor.y() + StemApexBelow;
    if (top + size.height() - 1 > area.bottom()) {
        m_side = StemSide::Bottom;
        size = painter.imageSize(m_side);
        const int shadow = m_content.shadow ? TipPainter::ShadowDepth : 0;
        top = cursor.y() - AbovePointer - size.height() + shadow;
    }
    const int inset =
        m_content.rightToLeft ? size.width() - TipPainter::StemInset : TipPainter::StemInset;
    const int left = clampInto(cursor.x() - inset, size.width(), area.left(), area.right());
    stemX = cursor.x() - left;
    return QRect(left, clampInto(top, size.height(), area.top(), area.bottom()), size.width(),
                 size.height());
}

QImage TipWindow::backdrop(const QRect& globalRect) const
{
    QScreen* screen = QGuiApplication::screenAt(globalRect.topLeft());
    if (!screen)
        return {};
    const QRect local = globalRect.translated(-screen->geometry().topLeft());
    const QPixmap shot = screen->grabWindow(0, local.x(), local.y(), local.width(), local.height());
    if (shot.isNull() || shot.deviceIndependentSize().toSize() != globalRect.size())
        return {};
    return shot.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

void TipWindow::applyImage(const QImage& tip, const QImage& under)
{
    setMask(coverage(tip));
    if (under.isNull()) {
        m_image = tip;
        return;
    }
    // The grab may come back at another pixel ratio than the tip was drawn at.
    m_image = under.size() == tip.size() ? under : under.scaled(tip.size());
    m_image.setDevicePixelRatio(tip.devicePixelRatio());
    QPainter painter(&m_image);
    painter.drawImage(0, 0, tip);
}

void TipWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // Translucent, the shadow's alpha replaces whatever the window held before.
    if (m_translucent)
        painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(0, 0, m_image);
}

} // namespace tarvex
