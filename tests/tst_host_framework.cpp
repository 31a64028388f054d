#include "host/CServiceRegistry.h"
#include "host/CStyleHelper.h"
#include "host/ServiceLookup.h"

#include <QScreen>
#include <QtTest>

using namespace Core::Service;

namespace {

class AService : public IService
{
    Q_OBJECT
};

class DerivedAService : public AService
{
    Q_OBJECT
};

// Notes whether the caller held the read lock while it listed the services.
class WatchedRegistry : public CServiceRegistry
{
    Q_OBJECT
public:
    QList<QSharedPointer<IService>> services() const override
    {
        QReadWriteLock *lock = const_cast<WatchedRegistry *>(this)->lock();
        listedUnlocked = lock->tryLockForWrite();
        if (listedUnlocked)
            lock->unlock();
        return CServiceRegistry::services();
    }
    mutable bool listedUnlocked = true;
};

} // namespace

class tst_HostFramework : public QObject
{
    Q_OBJECT

private slots:
    void findServicesWalksInRegistryOrderUnderTheReadLock()
    {
        auto *registry = new WatchedRegistry;
        QPointer<IServiceRegistry> guarded(registry);
        auto other = QSharedPointer<IService>::create();
        auto a = QSharedPointer<AService>::create();
        auto derived = QSharedPointer<DerivedAService>::create();
        registry->addService(other);
        registry->addService(a);
        registry->addService(derived);
        registry->addService(a); // present already: still one entry
        QCOMPARE(findServices<IService>(guarded).size(), 3);
        QVERIFY(!registry->listedUnlocked);
        QCOMPARE(findServices<AService>(guarded), (QList<QSharedPointer<AService>> { a, derived }));
        QCOMPARE(findService<IService>(guarded), other);
        registry->removeService(a);
        QCOMPARE(findService<AService>(guarded).data(), derived.data());

        // A destroyed registry has no services, and looking does not crash.
        delete registry;
        QVERIFY(findService<AService>(guarded).isNull());
        QVERIFY(findServices<IService>(QPointer<IServiceRegistry>()).isEmpty());
    }

    void pixelFontSizeFollowsTheScreen()
    {
        using Core::OndrelViewerComponents::CStyleHelper;
        // A point is 1/72 inch: 72 pt span the screen's logical DPI in pixels.
        const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        QCOMPARE(CStyleHelper::computePixelFontSize(72), qRound(dpi));
        QCOMPARE(CStyleHelper::computePixelFontSize(12), qRound(12 * dpi / 72));
    }
};

QTEST_MAIN(tst_HostFramework)
#include "tst_host_framework.moc"
