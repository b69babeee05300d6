#include "support/VideoWindow.h"

#include <QPainter>
#include <QVideoFrame>

TVideoWindow::TVideoWindow(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_Sink, &QVideoSink::videoFrameChanged, this, [this](const QVideoFrame& frame) {
        m_Frame = frame.toImage();
        update();
    });
}

void TVideoWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (m_Frame.isNull())
        return;
    QRect target(QPoint(), m_Frame.size().scaled(size(), Qt::KeepAspectRatio));
    target.moveCenter(rect().center());
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, m_Frame);
}
