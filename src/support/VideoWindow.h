#pragma once

#include <QImage>
#include <QVideoSink>
#include <QWidget>

// A window that shows the frames arriving at its video sink, scaled to fit with their aspect
// ratio kept. It paints plain images, so it works alike on every window system, offscreen
// included.
class TVideoWindow : public QWidget {
public:
    explicit TVideoWindow(QWidget* parent = nullptr);

    QVideoSink* Sink() { return &m_Sink; }
    // The frame shown last, null before the first one.
    QImage Frame() const { return m_Frame; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVideoSink m_Sink;
    QImage m_Frame;
};
