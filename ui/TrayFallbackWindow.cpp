#include "ui/TrayFallbackWindow.h"

#include "ui/ProgramIcon.h"

#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>

namespace tarvex {

namespace {
constexpr int BalloonMilliseconds = 8000;
constexpr int CornerMargin = 8;
} // namespace

TrayFallbackWindow::TrayFallbackWindow(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TrayFallbackWindow"));
    setWindowTitle(QStringLiteral("Tarvex"));
    SetWindowIcons(this);
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon::icon().pixmap(32, 32));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    auto* row = new QHBoxLayout();
    row->addWidget(icon);
    row->addWidget(new QLabel(QStringLiteral("Tarvex"), this));
    layout->addLayout(row);
    m_hidden = new HiddenWindowList(this);
    layout->addWidget(m_hidden);
    connect(m_hidden, &HiddenWindowList::windowChosen, this,
            &TrayFallbackWindow::hiddenWindowChosen);
    // A child with window flags is a separate top-level window that this one still owns.
    m_balloon = new QLabel(this);
    m_balloon->setWindowFlags(Qt::ToolTip);
    m_balloon->setWindowTitle(tr("Tarvex notification"));
    m_balloon->setWordWrap(true);
    m_balloon->setMaximumWidth(320);
    m_balloon->setMargin(8);
}

void TrayFallbackWindow::setTip(const QString& tip)
{
    setToolTip(tip);
}

void TrayFallbackWindow::showInCorner()
{
    fitInCorner();
    show();
}

void TrayFallbackWindow::setHiddenWindows(const QList<HiddenWindowList::Entry>& entries)
{
    m_hidden->setEntries(entries);
    m_hidden->setVisible(!entries.isEmpty());
    // The window manager often hands the focus to this window as the hidden one goes, before
    // the list is shown: with nothing else to hold it, the list takes the focus, so Enter
    // brings the window back.
    if (!entries.isEmpty() && !focusWidget())
        m_hidden->setFocus();
    if (isVisible())
        fitInCorner();
}

void TrayFallbackWindow::fitInCorner()
{
    // A fixed size keeps it small everywhere: tiling compositors (sway) float a utility
    // window whose smallest and largest sizes are equal instead of giving it half the screen.
    layout()->activate();
    setFixedSize(sizeHint());
    const QScreen* screen = QGuiApplication::primaryScreen();
    // A Wayland compositor places the window itself and ignores the position asked for.
    if (screen && !QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        const QRect area = screen->availableGeometry();
        move(area.right() - width() - CornerMargin, area.bottom() - height() - CornerMargin);
    }
}

void TrayFallbackWindow::showBalloon(const QString& title, const QString& text)
{
    m_balloon->setText(
        QStringLiteral("<b>%1</b><br>%2").arg(title.toHtmlEscaped(), text.toHtmlEscaped()));
    m_balloon->adjustSize();
    const QPoint corner = frameGeometry().topRight();
    m_balloon->move(corner.x() - m_balloon->width(), corner.y() - m_balloon->height() - 4);
    m_balloon->show();
    QTimer::singleShot(BalloonMilliseconds, m_balloon, &QWidget::hide);
}

void TrayFallbackWindow::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

void TrayFallbackWindow::contextMenuEvent(QContextMenuEvent* event)
{
    Q_EMIT menuRequested(event->globalPos());
}

} // namespace tarvex
