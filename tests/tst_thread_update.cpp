#include "state/CFirmwareUpdateThread.h"
#include "support/UpdateSignals.h"

#include <QSemaphore>
#include <QtTest>

// Nothing here registers the host's meta-types: the forwarding must work
// without the caller's help.

using Plugin::FirmwareUpdater::Internal::State::CFirmwareUpdateThread;

namespace {

// A host update whose signals carry its number, so a lost or swapped signal
// shows. It can hold its run until released.
class CScriptedUpdate : public Plugin::Dorvix::IDeviceFirmwareUpdate
{
public:
    explicit CScriptedUpdate(int number, bool fails = false)
        : m_number(number)
        , m_fails(fails)
    { }

    Plugin::Dorvix::FirmwareUpdateInfoPtr firmwareUpdateInfo() const override { return {}; }
    Plugin::Dorvix::EFirmwareUpdateDirection direction() const override
    {
        return Plugin::Dorvix::Upgrade;
    }
    QString currentFirmwareVersion() const override { return "1"; }
    QString deviceFirmwareVersion() const override { return "2"; }

    void runUpdate() override
    {
        ranIn = QThread::currentThread();
        emit firmwareUpdateBegin({}, m_number);
        emit firmwareUpdateProgressStepBegin(Plugin::Dorvix::FileUpload, m_number,
                                             QString("u%1").arg(m_number));
        if (held) {
            entered.release();
            release.acquire();
        }
        emit firmwareUpdateProgressStepProgressChanged(Plugin::Dorvix::FileUpload, 100.0);
        emit firmwareUpdateProgressStepDone(Plugin::Dorvix::DeviceReset, m_number);
        if (m_fails)
            emit firmwareUpdateError(QString("e%1").arg(m_number));
        else
            emit firmwareUpdateDone();
    }

    static QString expected(int number, bool fails)
    {
        return QString("begin %1|step 5 %1 u%1|progress 5 100|stepDone 6 %1|%2|finished|")
                .arg(number)
                .arg(fails ? QString("error e%1").arg(number) : "done");
    }

    bool event(QEvent *event) override
    {
        threadChanges += event->type() == QEvent::ThreadChange;
        return IDeviceFirmwareUpdate::event(event);
    }

    QThread *ranIn = nullptr;
    int threadChanges = 0;
    bool held = false;
    QSemaphore entered, release;

private:
    const int m_number;
    const bool m_fails;
};

} // namespace

class TestThreadUpdate : public QObject
{
    Q_OBJECT

    CFirmwareUpdateThread *m_thread = nullptr;
    QString m_log; // tokens caught off the UI thread end in '!'

    int finished() const { return m_log.count("finished|"); }

private slots:
    // Direct connections: a signal emitted off the UI thread is caught there.
    void init()
    {
        m_thread = new CFirmwareUpdateThread(this);
        m_log.clear();
        const auto note = [this](const QString &token) {
            m_log += token + (QThread::currentThread() == qApp->thread() ? "|" : "!|");
        };
        Probe::recordUpdateSignals(m_thread, this, note, Qt::DirectConnection);
        connect(m_thread, &QThread::finished, this, [=]() { note("finished"); });
    }

    void cleanup()
    {
        m_thread->wait(60000);
        delete m_thread;
    }

    // The thousand updates below cover failing ones too.
    void forwardsInOrderAndHandsBack()
    {
        auto update = QSharedPointer<CScriptedUpdate>::create(7);
        auto other = QSharedPointer<CScriptedUpdate>::create(8);
        QWeakPointer<CScriptedUpdate> watch = update;
        update->held = true;
        m_thread->setFirmwareUpdate(update);
        m_thread->setFirmwareUpdate(update);
        m_thread->start();
        QVERIFY(update->entered.tryAcquire(1, 60000));
        m_thread->setFirmwareUpdate(other); // while running: changes nothing
        update->release.release();
        QTRY_COMPARE_WITH_TIMEOUT(finished(), 1, 60000);
        QCOMPARE(m_log, CScriptedUpdate::expected(7, false));
        QCOMPARE(update->ranIn, m_thread);
        QCOMPARE(update->thread(), qApp->thread());
        QCOMPARE(update->threadChanges, 2); // set twice, moved there once and back
        QCOMPARE(other->threadChanges, 0);

        // Whatever the update emits afterwards is not forwarded, and the next
        // run has nothing to do.
        update->held = false;
        update->runUpdate();
        m_thread->start();
        QTRY_COMPARE_WITH_TIMEOUT(finished(), 2, 60000);
        QCOMPARE(m_log, CScriptedUpdate::expected(7, false) + "finished|");
        QVERIFY(!other->ranIn);
        update.reset();
        QVERIFY(watch.isNull());
    }

    void thousandUpdatesInARow()
    {
        constexpr int count = 1000;
        QVector<QSharedPointer<CScriptedUpdate>> updates;
        QString expected;
        for (int i = 0; i < count; ++i) {
            updates.append(QSharedPointer<CScriptedUpdate>::create(i, i % 3 == 2));
            expected += CScriptedUpdate::expected(i, i % 3 == 2);
        }

        // As the updating step does: the next update starts from finished(). A
        // real event loop, since the test macros' polling sleeps between runs.
        QEventLoop loop;
        int next = 0;
        auto startNext = [&]() {
            if (next == count)
                return loop.quit();
            m_thread->setFirmwareUpdate(updates.at(next++));
            m_thread->start();
        };
        connect(m_thread, &QThread::finished, &loop, startNext);
        QTimer::singleShot(240000, &loop, &QEventLoop::quit);
        startNext();
        loop.exec();

        QCOMPARE(finished(), count);
        QCOMPARE(m_log, expected);
        for (const auto &update : qAsConst(updates))
            QCOMPARE(update->thread(), qApp->thread());
    }
};

QTEST_MAIN(TestThreadUpdate)
#include "tst_thread_update.moc"
