// A Qt plugin for the benchmark that tells when a program's windows have
// painted their first frame, loaded into the unchanged program through
// QT_QPA_GENERIC_PLUGINS=zqfirstframe, into ZQ and into its floors alike.
//
// ZQ_BENCH_PLAN says what to wait for:
//   frame             the first frame of the first window
//   click:B:W         after the first frame, clicks the button named B once
//                     it is enabled (the results list's 一覧表 once an opened
//                     tally is summed) and waits for the first frame of the
//                     window named W
//   modal:WIDTHxHEIGHT after the first frame, opens an empty modal dialog of
//                     that size and waits for its first frame
// It prints "frame NS KB WxH" (CLOCK_MONOTONIC nanoseconds, peak resident
// memory in KiB, the window's size) at the first frame, then for click and modal "open NS KB WxH" (the
// time from the click to the second window's first frame), and ends the
// process at once; with ZQ_BENCH_HOLD set it stops the process instead, for
// looking at it (/proc/PID/smaps, a debugger), until it is killed.

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QGenericPlugin>
#include <QTimer>
#include <QWindow>

#include <csignal>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

void finish()
{
    if (qEnvironmentVariableIsSet("ZQ_BENCH_HOLD"))
        raise(SIGSTOP);
    _exit(0);
}

qint64 now()
{
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// VmHWM of this process, in KiB.
long peakKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

class Watcher : public QObject
{
public:
    Watcher()
    {
        const QString plan = qEnvironmentVariable("ZQ_BENCH_PLAN", QStringLiteral("frame"));
        const QStringList parts = plan.split(u':');
        m_plan = parts.value(0);
        m_button = parts.value(1);
        m_target = parts.value(2);
        if (m_plan == QLatin1String("modal")) {
            const QStringList size = parts.value(1).split(u'x');
            m_modalSize = QSize(size.value(0).toInt(), size.value(1).toInt());
        }
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *object, QEvent *event) override
    {
        // A widget window paints and flushes its first frame while it handles
        // its first expose: once that is handled, the frame is out.
        if (event->type() == QEvent::Expose) {
            auto *window = qobject_cast<QWindow *>(object);
            if (window && window->isExposed() && !m_seen.contains(window)) {
                m_seen << window;
                QWidget *widget = nullptr;
                for (QWidget *w : QApplication::topLevelWidgets())
                    if (w->windowHandle() == window)
                        widget = w;
                QTimer::singleShot(0, this, [this, widget] { painted(widget); });
            }
        }
        return false;
    }

private:
    void painted(QWidget *widget)
    {
        const qint64 t = now();
        if (!m_framed) {
            m_framed = true;
            std::printf("frame %lld %ld %dx%d\n", static_cast<long long>(t), peakKiB(), widget ? widget->width() : 0,
                        widget ? widget->height() : 0);
            std::fflush(stdout);
            if (m_plan == QLatin1String("modal")) {
                auto *dialog = new QDialog;
                dialog->setObjectName(QStringLiteral("modal"));
                dialog->resize(m_modalSize);
                m_openedAt = now();
                dialog->open();
                return;
            }
            if (m_plan == QLatin1String("frame"))
                finish();
        }
        if (m_plan == QLatin1String("click") && m_openedAt == 0) {
            if (!m_poll.isActive()) {
                connect(&m_poll, &QTimer::timeout, this, &Watcher::clickWhenEnabled);
                m_poll.start(2);
            }
            return;
        }
        const QString wanted = m_plan == QLatin1String("modal") ? QStringLiteral("modal") : m_target;
        if (m_openedAt != 0 && widget && widget->objectName() == wanted) {
            std::printf("open %lld %ld %dx%d\n", static_cast<long long>(t - m_openedAt), peakKiB(), widget->width(),
                        widget->height());
            std::fflush(stdout);
            finish();
        }
    }

    void clickWhenEnabled()
    {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            auto *button = w->isVisible() ? w->findChild<QAbstractButton *>(m_button) : nullptr;
            if (button && button->isEnabled() && button->isVisible()) {
                m_poll.stop();
                m_openedAt = now();
                button->click(); // may run the new window's own loop
                return;
            }
        }
    }

    QTimer m_poll;
    QString m_plan;
    QString m_button;
    QString m_target;
    QSize m_modalSize;
    QList<QWindow *> m_seen;
    bool m_framed = false;
    qint64 m_openedAt = 0;
};

} // namespace

class FirstFramePlugin : public QGenericPlugin
{
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "first_frame.json")
public:
    QObject *create(const QString &, const QString &) override { return new Watcher; }
};

#include "first_frame.moc"
