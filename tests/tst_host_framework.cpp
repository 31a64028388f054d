#include "host/ALocalizedPlugin.h"
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
public:
    using IService::IService;
};

class BService : public IService
{
    Q_OBJECT
public:
    using IService::IService;
};

class DerivedAService : public AService
{
    Q_OBJECT
public:
    using AService::AService;
};

} // namespace

namespace Plugin::Sample {

class CSamplePlugin : public Core::Plugin::ALocalizedPlugin
{
    Q_OBJECT
public:
    bool initialize(QPointer<IServiceRegistry>) override { return true; }
    bool extensionsInitialized() override { return true; }
    bool uninitialize(QPointer<IServiceRegistry>) override { return true; }
};

} // namespace Plugin::Sample

class tst_HostFramework : public QObject
{
    Q_OBJECT

private slots:
    void findServicesWalksInRegistryOrder()
    {
        auto registry = new CServiceRegistry;
        QPointer<IServiceRegistry> guarded(registry);
        auto b = QSharedPointer<BService>::create();
        auto a = QSharedPointer<AService>::create();
        auto derived = QSharedPointer<DerivedAService>::create();
        registry->addService(b);
        registry->addService(a);
        registry->addService(derived);
        registry->addService(a); // present already: still one entry

        QCOMPARE(registry->services().size(), 3);
        const auto as = findServices<AService>(guarded);
        QCOMPARE(as.size(), 2);
        QCOMPARE(as.at(0), a);
        QCOMPARE(as.at(1).data(), derived.data());
        QCOMPARE(findService<AService>(guarded), a);
        QCOMPARE(findService<BService>(guarded), b);
        QVERIFY(findService<DerivedAService>(guarded));

        registry->removeService(a);
        QCOMPARE(findService<AService>(guarded).data(), derived.data());

        // A destroyed registry has no services, and looking does not crash.
        delete registry;
        QVERIFY(guarded.isNull());
        QVERIFY(findService<AService>(guarded).isNull());
        QVERIFY(findServices<BService>(QPointer<IServiceRegistry>()).isEmpty());
    }

    void lookupHoldsTheReadLock()
    {
        CServiceRegistry registry;
        registry.addService(QSharedPointer<AService>::create());
        // A writer holding the lock from another thread must make a lookup wait.
        registry.lock()->lockForWrite();
        QAtomicInt found(-1);
        QThread *reader = QThread::create([&] {
            found = findServices<AService>(QPointer<IServiceRegistry>(&registry)).size();
        });
        reader->start();
        QTest::qWait(50);
        QCOMPARE(found.loadRelaxed(), -1);
        registry.lock()->unlock();
        QVERIFY(reader->wait(5000));
        QCOMPARE(found.loadRelaxed(), 1);
        delete reader;
    }

    void pixelFontSizeFollowsTheScreen()
    {
        using Core::OndrelViewerComponents::CStyleHelper;
        // A point is 1/72 inch: 72 pt span the screen's logical DPI in pixels.
        const qreal dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
        QCOMPARE(CStyleHelper::computePixelFontSize(72), qRound(dpi));
        QCOMPARE(CStyleHelper::computePixelFontSize(12), qRound(12 * dpi / 72));
        QCOMPARE(CStyleHelper::computePixelFontSize(0), 0);
    }

    void setLanguageNeedsACatalogue()
    {
        Plugin::Sample::CSamplePlugin plugin;
        QCOMPARE(plugin.pluginName(), QStringLiteral("Sample"));
        QVERIFY(!plugin.setLanguage(QStringLiteral("ja")));
        QVERIFY(!plugin.setLanguage(QString()));
    }
};

QTEST_MAIN(tst_HostFramework)
#include "tst_host_framework.moc"
