#include "platform/x11/X11Property.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace tarvex::X11Property {

namespace {

// Large enough for a 256×256 icon plus the smaller sizes (in 32-bit units).
constexpr long kMaxLength = 1 << 18;
// An icon of more pixels than this is not believed (a broken property).
constexpr qsizetype kMaxIconSide = 1024;

struct Reply
{
    unsigned char* data = nullptr;
    unsigned long count = 0;
    int format = 0;
    ~Reply() { XFree(data); }
};

bool read(Display* display, unsigned long window, unsigned long property, unsigned long type,
          Reply& reply)
{
    Atom actualType = 0;
    unsigned long remaining = 0;
    const int status =
        XGetWindowProperty(display, window, property, 0, kMaxLength, False, type, &actualType,
                           &reply.format, &reply.count, &remaining, &reply.data);
    return status == Success && reply.data && actualType == type;
}

// A pixmap of depth 1 (a bitmap: 1 = foreground) or of a true-colour depth.
QImage pixmapImage(Display* display, Pixmap pixmap)
{
    Window root = 0;
    int x = 0;
    int y = 0;
    unsigned int width = 0, height = 0, border = 0, depth = 0;
    if (!pixmap ||
        !XGetGeometry(display, pixmap, &root, &x, &y, &width, &height, &border, &depth) ||
        width == 0 || height == 0 || width > kMaxIconSide || height > kMaxIconSide)
        return {};
    XImage* pixels = XGetImage(display, pixmap, 0, 0, width, height, AllPlanes, ZPixmap);
    if (!pixels)
        return {};
    QImage image(int(width), int(height), QImage::Format_ARGB32);
    for (int row = 0; row < int(height); ++row)
        for (int column = 0; column < int(width); ++column) {
            const unsigned long pixel = XGetPixel(pixels, column, row);
            image.setPixel(column, row,
                           depth == 1 ? (pixel ? 0xff000000u : 0xffffffffu)
                                      : 0xff000000u | quint32(pixel & 0xffffff));
        }
    XDestroyImage(pixels);
    return image;
}

void applyMask(QImage& image, const QImage& mask)
{
    if (mask.size() != image.size())
        return;
    for (int row = 0; row < image.height(); ++row)
        for (int column = 0; column < image.width(); ++column)
            if (mask.pixel(column, row) != 0xff000000u) // not set: transparent
                image.setPixel(column, row, 0);
}

} // namespace

QByteArray bytes(Display* display, unsigned long window, unsigned long property, unsigned long type)
{
    Reply reply;
    if (!read(display, window, property, type, reply) || reply.format != 8)
        return {};
    return QByteArray(reinterpret_cast<const char*>(reply.data), qsizetype(reply.count));
}

// Xlib hands 32-bit values over as an array of long, whatever the size of long.
QList<unsigned long> cardinals(Display* display, unsigned long window, unsigned long property,
                               unsigned long type)
{
    Reply reply;
    if (!read(display, window, property, type, reply) || reply.format != 32)
        return {};
    const auto* values = reinterpret_cast<const unsigned long*>(reply.data);
    return QList<unsigned long>(values, values + reply.count);
}

QString textProperty(Display* display, unsigned long window, unsigned long property)
{
    XTextProperty text{};
    if (!XGetTextProperty(display, window, &text, property) || !text.value)
        return QString();
    char** list = nullptr;
    int count = 0;
    QString result;
    if (Xutf8TextPropertyToTextList(display, &text, &list, &count) >= Success && count > 0)
        result = QString::fromUtf8(list[0]);
    else
        result = QString::fromLatin1(reinterpret_cast<const char*>(text.value));
    if (list)
        XFreeStringList(list);
    XFree(text.value);
    return result;
}

QList<QImage> argbImages(const QList<unsigned long>& values)
{
    QList<QImage> images;
    qsizetype at = 0;
    while (at + 2 <= values.size()) {
        const qsizetype width = qsizetype(values[at]);
        const qsizetype height = qsizetype(values[at + 1]);
        at += 2;
        if (width <= 0 || height <= 0 || width > kMaxIconSide || height > kMaxIconSide ||
            values.size() - at < width * height)
            break;
        QImage image(int(width), int(height), QImage::Format_ARGB32);
        for (qsizetype i = 0; i < width * height; ++i)
            image.setPixel(int(i % width), int(i / width), quint32(values[at + i]));
        images.append(image);
        at += width * height;
    }
    return images;
}

QImage hintsIcon(Display* display, unsigned long window)
{
    XWMHints* hints = XGetWMHints(display, window);
    if (!hints)
        return {};
    const Pixmap pixmap = (hints->flags & IconPixmapHint) ? hints->icon_pixmap : 0;
    const Pixmap mask = (hints->flags & IconMaskHint) ? hints->icon_mask : 0;
    XFree(hints);
    QImage image = pixmapImage(display, pixmap);
    if (!image.isNull() && mask)
        applyMask(image, pixmapImage(display, mask));
    return image;
}

} // namespace tarvex::X11Property
