#include "state/CFirmwareUpdateThread.h"

#include "simulator/CCameraPool.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "simulator/CUpdateFileParser.h"

#include <QSemaphore>
#include <QtTest>

using Plugin::Dorvix::EFirmwareUpdateStep;
using Plugin::Dorvix::FirmwareUpdateInfoPtr;
using Plugin::Dorvix::IDeviceFirmwareUpdate;
using Plugin::FirmwareUpdater::Internal::State::CFirmwareUpdateThread;

namespace {

// A host update whose run is fully predictable: its tokens carry its number,
// so a lost or swapped signal shows. It can hold its run until released.
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
        const auto step = Plugin::Dorvix::FileUpload;
        emit firmwareUpdateBegin({}, m_number);
        emit firmwareUpdateProgressStepBegin(step, m_number, QString("u%1").arg(m_number));
        if (entered)
            entered->release();
        if (release)
            release->acquire();
        emit firmwareUpdateProgressStepProgressChanged(step, 0.0);
        emit firmwareUpdateProgressStepProgressChanged(step, 100.0);
        emit firmwareUpdateProgressStepDone(step, m_number);
        if (m_fails)
            emit firmwareUpdateError(QString("e%1").arg(m_number));
        else
            emit firmwareUpdateDone();
    }

    static QStringList expected(int number, bool fails)
    {
        const int step = Plugin::Dorvix::FileUpload;
        return { QString("begin %1").arg(number),
                 QString("step %1 %2 u%2").arg(step).arg(number),
                 QString("progress %1 0").arg(step),
                 QString("progress %1 100").arg(step),
                 QString("stepDone %1 %2").arg(step).arg(number),
                 fails ? QString("error e%1").arg(number) : QString("done") };
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
    void forwardsInHostOrderBeforeFinished_data();
    void forwardsInHostOrderBeforeFinished();
    void returnsAndReleasesTheUpdate();
    void noUpdateFinishesSilently();
    void ignoresNewUpdateWhileRunning();
    void sameUpdateTwiceMovesOnce();
    void laterSignalsAreNotForwarded();
    void thousandUpdatesInARow();

private:
    // Records the thread's signals and finished() as they arrive here.
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

void TestThreadUpdate::listen(CFirmwareUpdateThread &thread)
{
    // Direct, so a signal emitted off the UI thread is caught where it happens.
    auto note = [this](const QString &token) {
        m_offThread = m_offThread || QThread::currentThread() != qApp->thread();
        m_log << token;
    };
    connect(
            &thread, &CFirmwareUpdateThread::firmwareUpdateBegin, this,
            [note](FirmwareUpdateInfoPtr info, uint total) {
                note(QString("begin %1").arg(info ? info->version() + " " : QString())
                     + QString::number(total));
            },
            Qt::DirectConnection);
    connect(
            &thread, &CFirmwareUpdateThread::firmwareUpdateProgressStepBegin, this,
            [note](EFirmwareUpdateStep step, uint ms, QString text) {
                note(QString("step %1 %2 %3").arg(step).arg(ms).arg(text).trimmed());
            },
            Qt::DirectConnection);
    connect(
            &thread, &CFirmwareUpdateThread::firmwareUpdateProgressStepProgressChanged, this,
            [note](EFirmwareUpdateStep step, double percent) {
                note(QString("progress %1 %2").arg(step).arg(percent));
            },
            Qt::DirectConnection);
    connect(
            &thread, &CFirmwareUpdateThread::firmwareUpdateProgressStepDone, this,
            [note](EFirmwareUpdateStep step, uint ms) {
                note(QString("stepDone %1 %2").arg(step).arg(ms));
            },
            Qt::DirectConnection);
    connect(
            &thread, &CFirmwareUpdateThread::firmwareUpdateDone, this, [note]() { note("done"); },
            Qt::DirectConnection);
    connect(
            &thread, &CFirmwareUpdateThread::firmwareUpdateError, this,
            [note](QString message) { note("error " + message); }, Qt::DirectConnection);
    connect(&thread, &QThread::finished, this, [this, note]() {
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

void TestThreadUpdate::forwardsInHostOrderBeforeFinished_data()
{
    QTest::addColumn<QByteArray>("failure");

    QTest::newRow("success") << QByteArray();
    QTest::newRow("fails while uploading")
            << QByteArray(R"(, "failure": {"step": "FileUpload", "message": "Broken"})");
    QTest::newRow("fails while resetting")
            << QByteArray(R"(, "failure": {"step": "DeviceReset", "message": "Gone"})");
}

void TestThreadUpdate::forwardsInHostOrderBeforeFinished()
{
    QFETCH(QByteArray, failure);

    Simulator::CCameraPool pool;
    pool.addTransportLayer("usb", "USB");
    pool.addCamera("usb", { "C1", "One", "SX-200", "1.0" });
    pool.addCamera("usb", { "C2", "Two", "SX-200", "1.0" });
    const QJsonObject file
            = QJsonDocument::fromJson(
                      R"({"updates": [{"version": "2.0", "models": ["SX-200"], "phases": [
                {"step": "CheckPreconditions", "estimatedMs": 10, "description": "Check"},
                {"step": "FileUpload", "estimatedMs": 30},
                {"step": "DeviceReset", "estimatedMs": 20},
                {"step": "FeatureAssert", "estimatedMs": 5}])"
                      + failure + "}]}")
                      .object();
    const auto info = Simulator::CUpdateFileParser::parse(file, "test.guf").first();
    auto service = pool.firmwareUpdateService();

    // What the host emits, seen directly on this thread.
    CFirmwareUpdateThread direct(nullptr);
    listen(direct);
    auto twin = service->createFirmwareUpdate(pool.camera("C2"), info);
    QVERIFY(twin);
    connect(twin.data(), &IDeviceFirmwareUpdate::firmwareUpdateBegin, &direct,
            &CFirmwareUpdateThread::firmwareUpdateBegin);
    connect(twin.data(), &IDeviceFirmwareUpdate::firmwareUpdateProgressStepBegin, &direct,
            &CFirmwareUpdateThread::firmwareUpdateProgressStepBegin);
    connect(twin.data(), &IDeviceFirmwareUpdate::firmwareUpdateProgressStepProgressChanged, &direct,
            &CFirmwareUpdateThread::firmwareUpdateProgressStepProgressChanged);
    connect(twin.data(), &IDeviceFirmwareUpdate::firmwareUpdateProgressStepDone, &direct,
            &CFirmwareUpdateThread::firmwareUpdateProgressStepDone);
    connect(twin.data(), &IDeviceFirmwareUpdate::firmwareUpdateDone, &direct,
            &CFirmwareUpdateThread::firmwareUpdateDone);
    connect(twin.data(), &IDeviceFirmwareUpdate::firmwareUpdateError, &direct,
            &CFirmwareUpdateThread::firmwareUpdateError);
    twin->runUpdate();
    const QStringList expected = m_log + QStringList { "finished" };
    QVERIFY(expected.size() > 10);
    m_log.clear();

    CFirmwareUpdateThread thread(nullptr);
    listen(thread);
    thread.setFirmwareUpdate(service->createFirmwareUpdate(pool.camera("C1"), info));
    QVERIFY(runOnce(thread));
    QCOMPARE(m_log, expected);
    QVERIFY(!m_offThread);
    QCOMPARE(pool.camera("C1")->currentFirmwareVersion(),
             QString(failure.isEmpty() ? "2.0" : "1.0"));
}

void TestThreadUpdate::returnsAndReleasesTheUpdate()
{
    CFirmwareUpdateThread thread(nullptr);
    listen(thread);
    auto update = QSharedPointer<CScriptedUpdate>::create(7);
    QWeakPointer<CScriptedUpdate> watch = update;
    thread.setFirmwareUpdate(update);
    QCOMPARE(update->thread(), &thread);
    QVERIFY(runOnce(thread));

    QCOMPARE(update->ranIn, &thread);
    QCOMPARE(update->thread(), qApp->thread());
    QCOMPARE(m_log, CScriptedUpdate::expected(7, false) + QStringList { "finished" });
    update.reset();
    QVERIFY(watch.isNull());
}

void TestThreadUpdate::noUpdateFinishesSilently()
{
    CFirmwareUpdateThread thread(nullptr);
    listen(thread);
    QVERIFY(runOnce(thread));
    thread.setFirmwareUpdate({});
    QVERIFY(runOnce(thread));
    QCOMPARE(m_log, (QStringList { "finished", "finished" }));
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
    const int before = m_finished;
    thread.start();
    QVERIFY(entered.tryAcquire(1, 60000));
    thread.setFirmwareUpdate(second);
    QCOMPARE(second->thread(), qApp->thread());
    QCOMPARE(second->threadChanges, 0);
    release.release();
    QTRY_COMPARE_WITH_TIMEOUT(m_finished, before + 1, 60000);

    // The first update ran and was released; the second was never taken.
    QVERIFY(runOnce(thread));
    QCOMPARE(m_log, CScriptedUpdate::expected(1, false) + QStringList({ "finished", "finished" }));
    QVERIFY(!second->ranIn);
    QWeakPointer<CScriptedUpdate> watch = first;
    first.reset();
    QVERIFY(watch.isNull());
}

void TestThreadUpdate::sameUpdateTwiceMovesOnce()
{
    CFirmwareUpdateThread thread(nullptr);
    listen(thread);
    auto update = QSharedPointer<CScriptedUpdate>::create(3, true);
    thread.setFirmwareUpdate(update);
    thread.setFirmwareUpdate(update);
    QCOMPARE(update->threadChanges, 1);
    QVERIFY(runOnce(thread));
    QCOMPARE(update->threadChanges, 2);
    QCOMPARE(m_log, CScriptedUpdate::expected(3, true) + QStringList { "finished" });
}

void TestThreadUpdate::laterSignalsAreNotForwarded()
{
    CFirmwareUpdateThread thread(nullptr);
    listen(thread);
    auto update = QSharedPointer<CScriptedUpdate>::create(4);
    thread.setFirmwareUpdate(update);
    QVERIFY(runOnce(thread));
    const QStringList seen = m_log;

    emit update->firmwareUpdateBegin({}, 1);
    emit update->firmwareUpdateProgressStepBegin(Plugin::Dorvix::DeviceReset, 1, "late");
    emit update->firmwareUpdateProgressStepProgressChanged(Plugin::Dorvix::DeviceReset, 1);
    emit update->firmwareUpdateProgressStepDone(Plugin::Dorvix::DeviceReset, 1);
    emit update->firmwareUpdateDone();
    emit update->firmwareUpdateError("late");
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents();
    QCOMPARE(m_log, seen);
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
        expected << CScriptedUpdate::expected(i, i % 3 == 2) << "finished";
    }

    // As the updating step does: the next update starts from finished().
    int next = 0;
    auto startNext = [&]() {
        if (next == count)
            return;
        thread.setFirmwareUpdate(updates.at(next++));
        thread.start();
    };
    QEventLoop loop;
    connect(&thread, &QThread::finished, this, [&]() {
        if (next == count)
            loop.quit();
        startNext();
    });
    // A real event loop: the test macros' polling would sleep between runs.
    QTimer::singleShot(240000, &loop, &QEventLoop::quit);
    startNext();
    loop.exec();
    QCOMPARE(m_finished, count);

    QCOMPARE(m_log.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        QCOMPARE(m_log.at(i), expected.at(i));
    QVERIFY(!m_offThread);
    for (const auto &update : qAsConst(updates))
        QCOMPARE(update->thread(), qApp->thread());
}

QTEST_MAIN(TestThreadUpdate)
#include "tst_thread_update.moc"
