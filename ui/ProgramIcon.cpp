#include "ui/ProgramIcon.h"

#include "controls/button/PictureEffects.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <array>

namespace tarvex {

namespace {

constexpr std::array<int, 8> DrawnSizes{16, 22, 24, 32, 48, 64, 128, 256};

// The picture as the desktop draws a disabled one: grey, and half as opaque.
QImage Greyed(const QImage& picture)
{
    return PictureEffects::MapPixels(picture, [](QRgb p) {
        const int grey = qGray(p);
        return qRgba(grey, grey, grey, qAlpha(p) / 2);
    });
}

// Reads each drawn size from the resources when it is asked for and keeps none: a program
// that sits in the tray shows one small size, and a QIcon built from files would decode and
// hold all eight (about 350 KB) for the life of the process. The greyed engine draws the
// paused program.
class ProgramIconEngine final : public QIconEngine
{
public:
    explicit ProgramIconEngine(bool greyed) : m_greyed(greyed) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int wanted = std::max(size.width(), size.height());
        // The smallest drawn size that is at least as large, else the largest.
        int drawn = DrawnSizes.back();
        for (int candidate : DrawnSizes) {
            if (candidate >= wanted) {
                drawn = candidate;
                break;
            }
        }
        QImage image(QStringLiteral(":/ABC/tarvex-%1.png").arg(drawn), "PNG");
        if (image.size() != size && !size.isEmpty())
            image = image.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (m_greyed)
            image = Greyed(image);
        return QPixmap::fromImage(std::move(image));
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, drawn);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        const int side = std::min(size.width(), size.height());
        return QSize(side, side);
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> sizes;
        for (int size : DrawnSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }

    QIconEngine* clone() const override { return new ProgramIconEngine(m_greyed); }
    QString key() const override { return QStringLiteral("ProgramIconEngine"); }

private:
    bool m_greyed;
};

} // namespace

QIcon ProgramIcon::icon()
{
    return QIcon(new ProgramIconEngine(false));
}

QIcon ProgramIcon::pausedIcon()
{
    return QIcon(new ProgramIconEngine(true));
}

void SetWindowIcons(QWidget* window)
{
    // Qt sets _NET_WM_ICON on the top-level window, which the task bar reads as well, so
    // the owner-chain step of the original procedure has no separate equivalent here.
    if (window)
        window->setWindowIcon(ProgramIcon::icon());
}

} // namespace tarvex
