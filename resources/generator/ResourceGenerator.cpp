// Draws the program's icons and synthesises its activation chime.
//
// The outputs are committed under resources/, so a build needs neither this
// tool nor any image or sound program; run `cmake --build <dir> --target
// regenerate-resources` after changing a drawing here.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <cmath>
#include <functional>
#include <numbers>

namespace {

using Drawing = std::function<void(QPainter&, qreal)>;

const QList<int> ProgramIconSizes{16, 22, 24, 32, 48, 64, 128, 256};
const QList<int> RowIconSizes{16, 32, 48};

QImage render(const Drawing& draw, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    draw(painter, size);
    return image;
}

QPainterPath boltPath(qreal cx, qreal cy, qreal scale)
{
    const QList<QPointF> points{{14, -52}, {-20, 6}, {2, 6},   {-10, 52},
                                {24, -8},  {2, -8},  {14, -52}};
    QPainterPath path;
    path.moveTo(cx + points[0].x() * scale, cy + points[0].y() * scale);
    for (const QPointF& p : points)
        path.lineTo(cx + p.x() * scale, cy + p.y() * scale);
    return path;
}

// A blue key cap with a lightning bolt: a key that makes something happen.
void drawProgramIcon(QPainter& p, qreal pixels)
{
    const qreal pen = pixels < 32 ? 256.0 / pixels : 4;
    p.setPen(QPen(QColor(0x14, 0x2f, 0x5c), pen));
    p.setBrush(QColor(0x1f, 0x4e, 0x8c));
    p.drawRoundedRect(QRectF(12, 20, 232, 224), 40, 40);
    QLinearGradient face(0, 24, 0, 200);
    face.setColorAt(0, QColor(0x7a, 0xb4, 0xf5));
    face.setColorAt(1, QColor(0x2c, 0x6a, 0xc0));
    p.setPen(Qt::NoPen);
    p.setBrush(face);
    p.drawRoundedRect(QRectF(30, 24, 196, 180), 30, 30);
    p.setPen(QPen(QColor(0x8a, 0x5a, 0x00), pen, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(0xff, 0xd2, 0x3f));
    p.drawPath(boltPath(128, 114, 1.55));
}

// A sheet of paper with a folded corner and a few lines of text.
void drawFileIcon(QPainter& p, qreal)
{
    QPainterPath sheet;
    sheet.moveTo(48, 16);
    sheet.lineTo(160, 16);
    sheet.lineTo(212, 68);
    sheet.lineTo(212, 240);
    sheet.lineTo(48, 240);
    sheet.closeSubpath();
    p.setPen(QPen(QColor(0x60, 0x6a, 0x78), 8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0xfb, 0xfc, 0xfe));
    p.drawPath(sheet);
    p.setBrush(QColor(0xd0, 0xd8, 0xe4));
    p.drawPolygon(QPolygonF({{160, 16}, {160, 68}, {212, 68}}));
    p.setPen(QPen(QColor(0x4a, 0x7f, 0xc9), 12, Qt::SolidLine, Qt::RoundCap));
    for (int y = 110; y <= 200; y += 30)
        p.drawLine(QPointF(80, y), QPointF(y == 200 ? 140 : 180, y));
}

// A globe: a blue disc with a meridian, the equator and two latitudes.
void drawWebsiteIcon(QPainter& p, qreal)
{
    QRadialGradient sea(QPointF(100, 90), 150);
    sea.setColorAt(0, QColor(0x8f, 0xd3, 0xff));
    sea.setColorAt(1, QColor(0x16, 0x6f, 0xc4));
    p.setPen(QPen(QColor(0x0d, 0x3f, 0x78), 10));
    p.setBrush(sea);
    p.drawEllipse(QPointF(128, 128), 110, 110);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xff, 0xff, 0xff, 220), 8));
    p.drawEllipse(QPointF(128, 128), 48, 110);
    p.drawLine(QPointF(128, 18), QPointF(128, 238));
    p.drawLine(QPointF(18, 128), QPointF(238, 128));
    p.drawLine(QPointF(40, 70), QPointF(216, 70));
    p.drawLine(QPointF(40, 186), QPointF(216, 186));
}

// An orange gear: the special actions work on the desktop itself.
void drawActionIcon(QPainter& p, qreal)
{
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
        const qreal angle = i * std::numbers::pi / teeth;
        const qreal radius = (i % 2 == 0) ? 118 : 92;
        for (qreal d : {-0.16, 0.16}) {
            const QPointF point(128 + radius * std::cos(angle + d),
                                128 + radius * std::sin(angle + d));
            gear.elementCount() == 0 ? gear.moveTo(point) : gear.lineTo(point);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(128, 128), 38, 38);
    gear.setFillRule(Qt::OddEvenFill);
    p.setPen(QPen(QColor(0x8a, 0x3c, 0x00), 8, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0xf5, 0x8a, 0x1f));
    p.drawPath(gear);
}

bool writeFile(const QString& path, const QByteArray& data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
        qWarning("cannot write %s", qPrintable(path));
        return false;
    }
    return true;
}

QByteArray pngBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

template <typename T> void append(QByteArray& out, T value)
{
    value = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&value), sizeof(value));
}

// An icon file holding every size, each entry a PNG image (readable by Qt's
// ICO reader and by every desktop since 2007).
QByteArray icoBytes(const Drawing& draw, const QList<int>& sizes)
{
    QList<QByteArray> images;
    for (int size : sizes)
        images.append(pngBytes(render(draw, size)));
    QByteArray out;
    append<quint16>(out, 0);
    append<quint16>(out, 1);
    append<quint16>(out, quint16(sizes.size()));
    quint32 offset = 6 + 16 * sizes.size();
    for (qsizetype i = 0; i < sizes.size(); ++i) {
        out.append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        out.append(char(sizes[i] >= 256 ? 0 : sizes[i]));
        append<quint16>(out, 0); // palette size and reserved byte
        append<quint16>(out, 1);
        append<quint16>(out, 32);
        append<quint32>(out, quint32(images[i].size()));
        append<quint32>(out, offset);
        offset += quint32(images[i].size());
    }
    for (const QByteArray& image : images)
        out.append(image);
    return out;
}

// One struck bell partial: a sine with an exponential decay and a soft attack.
double partial(double t, double frequency, double amplitude, double decay)
{
    const double attack = std::min(1.0, t / 0.004);
    return amplitude * attack * std::exp(-t * decay) *
           std::sin(2 * std::numbers::pi * frequency * t);
}

// Two bell notes a major third apart (C6, then E6), each with a few inharmonic
// overtones, fading out within 0.7 s.
QByteArray chimeSamples(int rate)
{
    const int count = int(rate * 0.75);
    QByteArray samples;
    for (int i = 0; i < count; ++i) {
        const double t = double(i) / rate;
        double v = partial(t, 1046.5, 0.38, 6.0) + partial(t, 2093.0 * 1.003, 0.10, 9.0) +
                   partial(t, 3140.0 * 1.01, 0.04, 14.0);
        const double u = t - 0.11;
        if (u > 0)
            v += partial(u, 1318.5, 0.36, 5.0) + partial(u, 2637.0 * 1.003, 0.09, 8.0) +
                 partial(u, 3955.5 * 1.01, 0.03, 13.0);
        const double fadeOut = std::min(1.0, (count - i) / (rate * 0.05));
        append<qint16>(samples, qint16(std::lround(std::clamp(v * fadeOut, -1.0, 1.0) * 32000)));
    }
    return samples;
}

QByteArray wavBytes(int rate)
{
    const QByteArray samples = chimeSamples(rate);
    QByteArray out("RIFF");
    append<quint32>(out, quint32(36 + samples.size()));
    out.append("WAVEfmt ");
    append<quint32>(out, 16);
    append<quint16>(out, 1); // PCM
    append<quint16>(out, 1); // mono
    append<quint32>(out, quint32(rate));
    append<quint32>(out, quint32(rate * 2));
    append<quint16>(out, 2);
    append<quint16>(out, 16);
    out.append("data");
    append<quint32>(out, quint32(samples.size()));
    return out + samples;
}

} // namespace

int main(int argc, char* argv[])
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        qWarning("usage: ResourceGenerator RESOURCES_FOLDER");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    for (int size : ProgramIconSizes)
        ok &= writeFile(QStringLiteral("%1/appicon/tarvex-%2.png").arg(root).arg(size),
                        pngBytes(render(drawProgramIcon, size)));
    ok &= writeFile(root + "/Icons/file.ico", icoBytes(drawFileIcon, RowIconSizes));
    ok &= writeFile(root + "/Icons/Website.ico", icoBytes(drawWebsiteIcon, RowIconSizes));
    ok &= writeFile(root + "/Icons/action.ico", icoBytes(drawActionIcon, RowIconSizes));
    ok &= writeFile(root + "/Sounds/Bing.wav", wavBytes(44100));
    return ok ? 0 : 1;
}
