#pragma once

#include <QEvent>
#include <QEventLoop>
#include <QObject>

// Quits a plain event loop when the watched page shows; QTest's waits would
// sleep between passes and hide the loop's own gaps.
class ShowWatcher : public QObject
{
public:
    explicit ShowWatcher(QEventLoop *loop)
        : m_loop(loop)
    { }
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            m_loop->quit();
        return false;
    }

private:
    QEventLoop *m_loop;
};
