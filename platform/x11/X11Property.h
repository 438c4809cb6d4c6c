#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

struct _XDisplay;

namespace tarvex {

// Reading window properties from an X connection.
namespace X11Property {

/// The raw bytes of an 8-bit property of type `type` (empty when absent).
QByteArray bytes(_XDisplay* display, unsigned long window, unsigned long property,
                 unsigned long type);
/// The values of a 32-bit property (window ids, cardinals) of type `type`.
QList<unsigned long> cardinals(_XDisplay* display, unsigned long window, unsigned long property,
                               unsigned long type);
/// A text property in any of the ICCCM encodings, converted to text.
QString textProperty(_XDisplay* display, unsigned long window, unsigned long property);
/// The images of a _NET_WM_ICON value: width, height, then width×height ARGB pixels, repeated.
QList<QImage> argbImages(const QList<unsigned long>& values);

/// The icon of the window's WM_HINTS (pixmap and mask), the older form of a
/// window icon; a null image when it has none.
QImage hintsIcon(_XDisplay* display, unsigned long window);

} // namespace X11Property

} // namespace tarvex
