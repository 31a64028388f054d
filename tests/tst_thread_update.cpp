#include "state/CFirmwareUpdateThread.h"

#include <QSemaphore>
#include <QtTest>

using Plugin::Dorvix::EFirmwareUpdateStep;
using Plugin::Dorvix::FirmwareUpdateInfoPtr;
using Plugin::Dorvix::IDeviceFirmwareUpdate;
using Plugin::FirmwareUpdater::Internal::State::CFirmwareUpdateThread;

namespace {

// A host update whose signals carry its number, so a lost or swapped signal
// shows. It can hold its run until released.
class CScriptedUpdate : public IDeviceFirmwareUpdate
{
public:
    explicit CScriptedUpdate(int number, bool fails = false)
        : m_number(number)
        , m_fails(fails)
    { }

    FirmwareUpdateInfoPtr firmwareUpdateInfo() const override { return {}; }
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
        if (entered)
            entered->release();
        if (release)
            release->acquire();
        emit firmwareUpdateProgressStepProgressChanged(Plugin::Dorvix::FileUpload, 0.0);
        emit firmwareUpdateProgressStepProgressChanged(Plugin::Dorvix::FileUpload, 100.0);
        emit firmwareUpdateProgressStepDone(Plugin::Dorvix::DeviceReset, m_number);
        if (m_fails)
            emit firmwareUpdateError(QString("e%1").arg(m_number));
        else
            emit firmwareUpdateDone();
    }

    static QStringList expected(int number, bool fails)
    {
        return { QString("begin %1").arg(number),
                 QString("step 5 %1 u%1").arg(number),
                 "progress 5 0",
                 "progress 5 100",
                 QString("stepDone 6 %1").arg(number),
                 fails ? QString("error e%1").arg(number) : QString("done"),
                 "finished" };
    }

    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::ThreadChange)
            ++threadChanges;
        return IDeviceFirmwareUpdate::event(event);
    }

    QThread *ranIn = nullptr;
    int threadChanges = 0;
    QSemaphore *entered = nullptr;
    QSemaphore *release = nullptr;

private:
    const int m_number;
    const bool m_fails;
};

} // namespace

class TestThreadUpdate : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void forwardsInOrderAndHandsBack_data();
    void forwardsInOrderAndHandsBack();
    void ignoresNewUpdateWhileRunning();
    void thousandUpdatesInARow();

private:
    void listen(CFirmwareUpdateThread &thread);
    bool runOnce(CFirmwareUpdateThread &thread);

    QStringList m_log;
    int m_finished = 0;
    bool m_offThread = false;
};

void TestThreadUpdate::init()
{
    m_log.clear();
    m_finished = 0;
    m_offThread = false;
}

// Direct connections: a signal emitted off the UI thread is caught there.
void TestThreadUpdate::listen(CFirmwareUpdateThread &thread)
{
    auto note = [this](const QString &token) {
        m_offThread = m_offThread || QThread::currentThread() != qApp->thread();
        m_log << token;
    };
    const auto direct = Qt::DirectConnection;
    using T = CFirmwareUpdateThread;
    connect(
            &thread, &T::firmwareUpdateBegin, this,
            [=](FirmwareUpdateInfoPtr, uint ms) { note(QString("begin %1").arg(ms)); }, direct);
    connect(
            &thread, &T::firmwareUpdateProgressStepBegin, this,
            [=](EFirmwareUpdateStep step, uint ms, QString text) {
                note(QString("step %1 %2 %3").arg(step).arg(ms).arg(text));
            },
            direct);
    connect(
            &thread, &T::firmwareUpdateProgressStepProgressChanged, this,
            [=](EFirmwareUpdateStep step, double percent) {
                note(QString("progress %1 %2").arg(step).arg(percent));
            },
            direct);
    connect(
            &thread, &T::firmwareUpdateProgressStepDone, this,
            [=](EFirmwareUpdateStep step, uint ms) {
                note(QString("stepDone %1 %2").arg(step).arg(ms));
            },
            direct);
    connect(
            &thread, &T::firmwareUpdateDone, this, [=]() { note("done"); }, direct);
    connect(
            &thread, &T::firmwareUpdateError, this, [=](QString text) { note("error " + text); },
            direct);
    connect(&thread, &QThread::finished, this, [=]() {
        ++m_finished;
        note("finished");
    });
}

bool TestThreadUpdate::runOnce(CFirmwareUpdateThread &thread)
{
    const int before = m_finished;
    thread.start();
    return QTest::qWaitFor([&]() { return m_finished > before; }, 60000)
            && m_finished == before + 1;
}

void TestThreadUpdate::forwardsInOrderAndHandsBack_data()
{
    QTest::addColumn<bool>("fails");
    QTest::newRow("done") << false;
    QTest::newRow("error") << true;
}

void TestThreadUpdate::forwardsInOrderAndHandsBack()
{
    QFETCH(bool, fails);

    CFirmwareUpdateThread thread(nullptr);
    listen(thread);
    auto update = QSharedPointer<CScriptedUpdate>::create(7, fails);
    QWeakPointer<CScriptedUpdate> watch = update;
    thread.setFirmwareUpdate(update);
    thread.setFirmwareUpdate(update);
    QCOMPARE(update->thread(), &thread);
    QCOMPARE(update->threadChanges, 1);
    QVERIFY(runOnce(thread));

    QCOMPARE(m_log, CScriptedUpdate::expected(7, fails));
    QVERIFY(!m_offThread);
    QCOMPARE(update->ranIn, &thread);
    QCOMPARE(update->thread(), qApp->thread());
    QCOMPARE(update->threadChanges, 2);

    // Whatever the update emits afterwards is not forwarded.
    emit update->firmwareUpdateBegin({}, 1);
    emit update->firmwareUpdateProgressStepBegin(Plugin::Dorvix::DeviceReset, 1, "late");
    emit update->firmwareUpdateProgressStepProgressChanged(Plugin::Dorvix::DeviceReset, 1);
    emit update->firmwareUpdateProgressStepDone(Plugin::Dorvix::DeviceReset, 1);
    emit update->firmwareUpdateDone();
    emit update->firmwareUpdateError("late");
    QCoreApplication::sendPostedEvents();
    QCOMPARE(m_log.size(), CScriptedUpdate::expected(7, fails).size());

    update.reset();
    QVERIFY(watch.isNull());
}

void TestThreadUpdate::ignoresNewUpdateWhileRunning()
{
    CFirmwareUpdateThread thread(nullptr);
    listen(thread);
    QSemaphore entered;
    QSemaphore release;
    auto first = QSharedPointer<CScriptedUpdate>::create(1);
    first->entered = &entered;
    first->release = &release;
    auto second = QSharedPointer<CScriptedUpdate>::create(2);

    thread.setFirmwareUpdate(first);
    thread.start();
    QVERIFY(entered.tryAcquire(1, 60000));
    thread.setFirmwareUpdate(second);
    QCOMPARE(second->threadChanges, 0);
    release.release();
    QTRY_COMPARE_WITH_TIMEOUT(m_finished, 1, 60000);

    // The first update was released and the second never taken: the next
    // run has nothing to do.
    QWeakPointer<CScriptedUpdate> watch = first;
    first.reset();
    QVERIFY(watch.isNull());
    QVERIFY(runOnce(thread));
    QCOMPARE(m_log, CScriptedUpdate::expected(1, false) << "finished");
    QVERIFY(!second->ranIn);
}

void TestThreadUpdate::thousandUpdatesInARow()
{
    constexpr int count = 1000;
    CFirmwareUpdateThread thread(nullptr);
    listen(thread);
    QVector<QSharedPointer<CScriptedUpdate>> updates;
    QStringList expected;
    for (int i = 0; i < count; ++i) {
        updates.append(QSharedPointer<CScriptedUpdate>::create(i, i % 3 == 2));
        expected << CScriptedUpdate::expected(i, i % 3 == 2);
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
    connect(&thread, &QThread::finished, this, startNext);
    QTimer::singleShot(240000, &loop, &QEventLoop::quit);
    startNext();
    loop.exec();

    QCOMPARE(m_finished, count);
    QCOMPARE(m_log.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(m_log.at(i), expected.at(i));
    QVERIFY(!m_offThread);
    QVERIFY(std::all_of(updates.cbegin(), updates.cend(),
                        [](const auto &update) { return update->thread() == qApp->thread(); }));
}

QTEST_MAIN(TestThreadUpdate)
#include "tst_thread_update.moc"
