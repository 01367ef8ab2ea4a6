#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QObject>

// Ends the event loop once the watched window has painted for the first time,
// so that one whole run of the process is start-up to first paint, plus
// tear-down.
class QuitOnFirstPaint : public QObject {
public:
    explicit QuitOnFirstPaint(QObject *window) { window->installEventFilter(this); }

    bool eventFilter(QObject *, QEvent *event) override
    {
        // Queued, so the children paint and the window reaches the screen first.
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QuitOnFirstPaint::quit, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static void quit()
    {
        // For finding where the memory goes: the mappings once the first
        // frame is drawn.
        if (const QByteArray to = qgetenv("IMPROVES_SMAPS"); !to.isEmpty()) {
            QFile in("/proc/self/smaps"), out(QString::fromLocal8Bit(to));
            if (in.open(QIODevice::ReadOnly) && out.open(QIODevice::WriteOnly))
                out.write(in.readAll()); // /proc files report no size, so no QFile::copy
        }
        QCoreApplication::quit();
    }

    bool painted_ = false;
};
