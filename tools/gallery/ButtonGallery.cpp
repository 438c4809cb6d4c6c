// Renders every velbutton style in every state into one PNG, so a person can
// look at them side by side: build/button-gallery.png by default, or the path
// given as the first argument.
#include "controls/button/StylePainter.h"
#include "controls/button/velbutton.h"
#include "controls/Canvas.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QStyle>

#include <cstdio>
#include <functional>
#include <vector>

using namespace tarvex;

namespace {

constexpr int kCellW = 112, kCellH = 30, kGap = 8, kLabelW = 150, kHeaderH = 22;

struct Column
{
    const char* title;
    ButtonState state;
    bool enabled, checked, focus, isDefault;
};

const Column kColumns[] = {
    {"Normal", ButtonState::Normal, true, false, false, false},
    {"Hot", ButtonState::Hot, true, false, false, false},
    {"Down", ButtonState::Down, true, false, false, false},
    {"Disabled", ButtonState::Normal, false, false, false, false},
    {"Checked", ButtonState::Normal, true, true, false, false},
    {"Checked+Hot", ButtonState::Hot, true, true, false, false},
    {"Focus", ButtonState::Normal, true, false, true, false},
    {"Default", ButtonState::Normal, true, false, false, true},
};

const char* const kStyleNames[] = {
    "0 Standard",       "1 Flat",        "2 Rounded",     "3 3D Hover",       "4 Glass",
    "5 Soft Highlight", "6 Gradient",    "7 Toolbar",     "8 Glossy Toolbar", "9 Banded",
    "10 Tile",          "11 Gel Button", "12 Flat Hover", "13 Desktop Theme"};

QImage Arrow()
{
    QImage img(12, 12, QImage::Format_ARGB32);
    img.fill(QColor(224, 224, 224)); // the default mask colour: transparent
    QPainter p(&img);
    p.fillRect(2, 2, 8, 8, QColor(40, 120, 200));
    p.fillRect(4, 4, 4, 4, QColor(250, 210, 60));
    return img;
}

QImage RenderCell(int style, const Column& col, bool withPicture)
{
    ButtonProperties props;
    props.ButtonStyle = ButtonStyleKind(style);
    props.DefaultColorSchemeFor();
    props.ApplyStyleColors();
    if (withPicture)
        props.PictureNormal = Arrow();
    QImage img(kCellW, kCellH, QImage::Format_ARGB32_Premultiplied);
    ButtonDrawing d{props};
    d.caption = withPicture ? QStringLiteral("&Picture") : QStringLiteral("&Button");
    d.font = QApplication::font();
    d.checked = col.checked;
    d.state = col.state;
    d.enabled = col.enabled;
    d.hasFocus = col.focus;
    d.displayAsDefault = col.isDefault;
    d.parentActive = true;
    d.pointerOver = col.state != ButtonState::Normal;
    d.themeStyle = QApplication::style();
    {
        Canvas canvas(img);
        StylePainter(canvas, d).Paint();
    }
    return img;
}

void PutCell(QPainter& p, const QImage& cell, int style, QPoint at)
{
    const QRegion region = velbutton::ButtonRegion(ButtonStyleKind(style), cell.size());
    p.save();
    if (!region.isEmpty())
        p.setClipRegion(region.translated(at));
    p.drawImage(at, cell);
    p.restore();
}

// One sample of the content layer: a label and how it differs from a plain style 3 button.
struct Feature
{
    QString label;
    ButtonState state;
    bool enabled;
    std::function<void(ButtonProperties&)> tweak;
};

constexpr int kFeatureH = 44, kFeatureRows = 4;

std::vector<Feature> Features()
{
    std::vector<Feature> f;
    const auto N = ButtonState::Normal, H = ButtonState::Hot;
    for (int e = 0; e <= 5; ++e)
        f.push_back({QStringLiteral("effect %1").arg(e), N, true,
                     [e](ButtonProperties& p) { p.CaptionEffects = e; }});
    f.push_back({"align left", N, true,
                 [](ButtonProperties& p) { p.CaptionAlign = CaptionAlignment::Left; }});
    f.push_back({"align right", N, true,
                 [](ButtonProperties& p) { p.CaptionAlign = CaptionAlignment::Right; }});
    for (int a = 0; a <= 8; ++a)
        f.push_back({QStringLiteral("picture %1").arg(a), N, true, [a](ButtonProperties& p) {
                         p.PictureNormal = Arrow();
                         p.PictureAlign = PicturePosition(a);
                     }});
    for (int d = 1; d <= 4; ++d)
        f.push_back({QStringLiteral("symbol %1").arg(d), N, true,
                     [d](ButtonProperties& p) { p.DropDownSymbol = d; }});
    f.push_back({"separator", N, true, [](ButtonProperties& p) {
                     p.DropDownSymbol = 1;
                     p.DropDownSeparator = true;
                 }});
    f.push_back({"disabled symbol", N, false, [](ButtonProperties& p) { p.DropDownSymbol = 1; }});
    for (int m = 0; m <= 2; ++m)
        f.push_back({QStringLiteral("disabled pic %1").arg(m), N, false, [m](ButtonProperties& p) {
                         p.PictureNormal = Arrow();
                         p.DisabledPictureMode = m;
                     }});
    for (int e = 1; e <= 4; ++e)
        f.push_back({QStringLiteral("hot effect %1").arg(e), H, true, [e](ButtonProperties& p) {
                         p.PictureNormal = Arrow();
                         p.PictureEffectOnOver = e;
                     }});
    f.push_back({"push on hover", H, true, [](ButtonProperties& p) {
                     p.PictureNormal = Arrow();
                     p.PicturePushOnHover = true;
                 }});
    f.push_back({"shadow", N, true, [](ButtonProperties& p) {
                     p.PictureNormal = Arrow();
                     p.PictureShadow = true;
                 }});
    return f;
}

QImage RenderFeature(const Feature& f)
{
    ButtonProperties props;
    props.ButtonStyle = ButtonStyleKind::Hover3D;
    props.DefaultColorSchemeFor();
    props.ApplyStyleColors();
    f.tweak(props);
    QImage img(kCellW, kFeatureH, QImage::Format_ARGB32_Premultiplied);
    ButtonDrawing d{props};
    d.caption = QStringLiteral("Go");
    d.font = QApplication::font();
    d.state = f.state;
    d.enabled = f.enabled;
    d.parentActive = true;
    Canvas canvas(img);
    StylePainter(canvas, d).Paint();
    return img;
}

void DrawFeatures(QPainter& p, int top)
{
    const std::vector<Feature> features = Features();
    const int perRow = int(std::size(kColumns));
    for (int i = 0; i < int(features.size()); ++i) {
        const QPoint at(kLabelW + (i % perRow) * (kCellW + kGap),
                        top + (i / perRow) * (kFeatureH + 20));
        p.drawText(QRect(at.x(), at.y(), kCellW, 16), Qt::AlignCenter, features[i].label);
        PutCell(p, RenderFeature(features[i]), 3, at + QPoint(0, 16));
    }
    p.drawText(QRect(4, top, kLabelW - 8, 16), Qt::AlignLeft, "Content layer");
}

} // namespace

bool WriteFrameGallery(const QString& path); // FrameGallery.cpp

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                 : QDir(QApplication::applicationDirPath())
                                       .filePath(QStringLiteral("button-gallery.png"));
    const int cols = int(std::size(kColumns)), rows = 14 * 2;
    const int featuresTop = kHeaderH + rows * (kCellH + 6) + 12;
    QImage sheet(kLabelW + cols * (kCellW + kGap) + kGap,
                 featuresTop + kFeatureRows * (kFeatureH + 20) + kGap,
                 QImage::Format_ARGB32_Premultiplied);
    sheet.fill(QColor(236, 236, 236));
    QPainter p(&sheet);
    for (int c = 0; c < cols; ++c)
        p.drawText(QRect(kLabelW + c * (kCellW + kGap), 2, kCellW, kHeaderH - 4), Qt::AlignCenter,
                   kColumns[c].title);
    for (int row = 0; row < rows; ++row) {
        const int style = row / 2, y = kHeaderH + row * (kCellH + 6);
        p.drawText(QRect(4, y, kLabelW - 8, kCellH), Qt::AlignVCenter,
                   kStyleNames[style] + QString(row % 2 ? " +pic" : ""));
        for (int c = 0; c < cols; ++c)
            PutCell(p, RenderCell(style, kColumns[c], row % 2 == 1), style,
                    QPoint(kLabelW + c * (kCellW + kGap), y));
    }
    DrawFeatures(p, featuresTop);
    p.end();
    if (!sheet.save(out)) {
        std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(out));
        return 1;
    }
    std::printf("gallery: wrote %s\n", qPrintable(out));
    const QString frames =
        QFileInfo(out).absoluteDir().filePath(QStringLiteral("frame-gallery.png"));
    if (!WriteFrameGallery(frames)) {
        std::fprintf(stderr, "gallery: cannot write %s\n", qPrintable(frames));
        return 1;
    }
    std::printf("gallery: wrote %s\n", qPrintable(frames));
    return 0;
}
