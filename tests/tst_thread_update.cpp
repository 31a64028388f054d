#include "host/BaseException.h"
#include "state/CFirmwareUpdateThread.h"
#include "support/UpdateSignals.h"

#include <stdexcept>

#include <QSemaphore>
#include <QtTest>

// Nothing here registers the host's meta-types: the forwarding must work
// without the caller's help.

using Plugin::FirmwareUpdater::Internal::State::CFirmwareUpdateThread;
using namespace Plugin::Dorvix;

namespace {

// A host update whose signals carry its number, so a lost or swapped signal
// shows. It can hold its run until released.
class CScriptedUpdate : public IDeviceFirmwareUpdate
{
public:
    explicit CScriptedUpdate(int number)
        : m_number(number)
    { }

    FirmwareUpdateInfoPtr firmwareUpdateInfo() const override { return {}; }
    EFirmwareUpdateDirection direction() const override { return Upgrade; }
    QString currentFirmwareVersion() const override { return "1"; }
    QString deviceFirmwareVersion() const override { return "2"; }

    void runUpdate() override
    {
        ranIn = QThread::currentThread();
        emit firmwareUpdateBegin({}, m_number);
        emit firmwareUpdateProgressStepBegin(FileUpload, m_number, QString("u%1").arg(m_number));
        if (held) {
            entered.release();
            release.acquire();
        }
        emit firmwareUpdateProgressStepProgressChanged(FileUpload, 100.0);
        emit firmwareUpdateProgressStepDone(DeviceReset, m_number);
        if (throws == "host")
            throw Core::Exception::BaseException("Camera gone");
        if (throws == "std")
            throw std::runtime_error("bad_alloc-like");
        if (throws == "int")
            throw 42;
        if (m_number % 3 == 2)
            emit firmwareUpdateError(QString("e%1").arg(m_number));
        else
            emit firmwareUpdateDone();
    }

    // Every third one fails.
    static QString expected(int number)
    {
        return QString("begin %1|step 5 %1 u%1|progress 5 100|stepDone 6 %1|%2|finished|")
                .arg(number)
                .arg(number % 3 == 2 ? QString("error e%1").arg(number) : "done");
    }

    bool event(QEvent *event) override
    {
        threadChanges += event->type() == QEvent::ThreadChange;
        return IDeviceFirmwareUpdate::event(event);
    }

    QThread *ranIn = nullptr;
    int threadChanges = 0;
    bool held = false;
    QString throws;
    QSemaphore entered, release;

private:
    const int m_number;
};

} // namespace

class TestThreadUpdate : public QObject
{
    Q_OBJECT

private slots:
    void forwardsInOrderAndHandsBack()
    {
        // Direct connections: tokens caught off the UI thread end in '!'.
        QString log;
        CFirmwareUpdateThread thread(nullptr);
        const auto guard = qScopeGuard([&]() { thread.wait(60000); });
        const auto note = [&](const QString &token) {
            log += token + (QThread::currentThread() == qApp->thread() ? "|" : "!|");
        };
        Probe::recordUpdateSignals(&thread, this, note, Qt::DirectConnection);
        connect(&thread, &QThread::finished, this, [=]() { note("finished"); });

        auto update = QSharedPointer<CScriptedUpdate>::create(7);
        auto other = QSharedPointer<CScriptedUpdate>::create(8);
        QWeakPointer<CScriptedUpdate> watch = update;
        update->held = true;
        thread.setFirmwareUpdate(update);
        thread.setFirmwareUpdate(update);
        thread.start();
        QVERIFY(update->entered.tryAcquire(1, 60000));
        thread.setFirmwareUpdate(other); // while running: changes nothing
        update->release.release();
        QTRY_COMPARE_WITH_TIMEOUT(log.count("finished|"), 1, 60000);
        QCOMPARE(log, CScriptedUpdate::expected(7));
        // Set twice, moved there once and back.
        QVERIFY(update->ranIn == &thread && update->thread() == qApp->thread());
        QCOMPARE(QList<int>({ update->threadChanges, other->threadChanges }), QList<int>({ 2, 0 }));

        // Whatever the update emits afterwards is not forwarded, and the next
        // run has nothing to do.
        update->held = false;
        update->runUpdate();
        thread.start();
        QTRY_COMPARE_WITH_TIMEOUT(log.count("finished|"), 2, 60000);
        QCOMPARE(log, CScriptedUpdate::expected(7) + "finished|");
        QVERIFY(!other->ranIn);
        update.reset();
        QVERIFY(watch.isNull());

        // A thousand in a row, every third failing.
        log.clear();
        constexpr int count = 1000;
        QVector<QSharedPointer<CScriptedUpdate>> updates;
        QString expected;
        for (int i = 0; i < count; ++i) {
            updates.append(QSharedPointer<CScriptedUpdate>::create(i));
            expected += CScriptedUpdate::expected(i);
        }

        // As the updating step does: the next update starts from finished(). A
        // real event loop, since the test macros' polling sleeps between runs.
        QEventLoop loop;
        int next = 0;
        auto startNext = [&]() {
            if (next == count)
                return loop.quit();
            thread.setFirmwareUpdate(updates.at(next++));
            thread.start();
        };
        connect(&thread, &QThread::finished, &loop, startNext);
        QTimer::singleShot(240000, &loop, &QEventLoop::quit);
        startNext();
        loop.exec();

        QCOMPARE(log, expected);
    }

    // Whatever runUpdate() throws becomes that camera's error, after what it
    // emitted and before finished(), instead of ending the viewer.
    void exceptionBecomesError_data()
    {
        QTest::addColumn<QString>("throws");
        QTest::addColumn<QString>("error");
        QTest::newRow("host exception") << "host" << "Camera gone";
        QTest::newRow("standard exception")
                << "std" << "Internal error: Firmware update raised an exception: bad_alloc-like";
        QTest::newRow("anything else")
                << "int" << "Internal error: Firmware update raised an exception: unknown error";
    }
    void exceptionBecomesError()
    {
        QFETCH(QString, throws);
        QFETCH(QString, error);
        QString log;
        CFirmwareUpdateThread thread(nullptr);
        Probe::recordUpdateSignals(&thread, this, [&](const QString &token) { log += token + '|'; });
        connect(&thread, &QThread::finished, this, [&] { log += "finished|"; });
        auto update = QSharedPointer<CScriptedUpdate>::create(4);
        update->throws = throws;
        thread.setFirmwareUpdate(update);
        thread.start();
        QTRY_VERIFY_WITH_TIMEOUT(log.endsWith("finished|"), 60000);
        QCOMPARE(log, "begin 4|step 5 4 u4|progress 5 100|stepDone 6 4|error " + error + "|finished|");
        QCOMPARE(update->thread(), qApp->thread());
    }
};

QTEST_MAIN(TestThreadUpdate)
#include "tst_thread_update.moc"
