#include "entity/CFirmwareUpdateEntity.h"
#include "support/FakeCameras.h"

#include <QtTest>

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using CameraInfoPtr = Core::DorvixComponents::CameraInfoPtr;
using DeviceFirmwareUpdatePtr = Plugin::Dorvix::DeviceFirmwareUpdatePtr;
using EntityVector = QVector<QPointer<CFirmwareUpdateEntity>>;
using Type = CFirmwareUpdateEntity::EFirmwareUpdateEntityType;

class TestEntityUpdate : public QObject
{
    Q_OBJECT

private slots:
    void setters_data();
    void setters();
    void valuesCrossQueuedConnections();
    void data_data();
    void data();
    void children();
    void copy();
};

void TestEntityUpdate::setters_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("initial"); // invalid: keep the default
    QTest::addColumn<QVariant>("same");
    QTest::addColumn<QVariant>("other");

    static const CameraInfoPtr camera = Fake::camera("c", "M");
    // A second shared pointer to the same camera, not owning it.
    static const CameraInfoPtr alias(camera.data(), [](auto *) {});
    static CFirmwareUpdateEntity child;
    const auto row = [](const char *property, const QVariant &same, const QVariant &other) {
        QTest::newRow(property) << QByteArray(property) << QVariant() << same << other;
    };
    row("entityType", QVariant::fromValue(CFirmwareUpdateEntity::TransportLayer),
        QVariant::fromValue(CFirmwareUpdateEntity::CameraType));
    row("selected", false, true);
    row("enabled", true, false);
    row("selectedFirmware", QString(""), QStringLiteral("2.1"));
    row("updateDetails", QVariant::fromValue(Plugin::Dorvix::NotDetermined),
        QVariant::fromValue(Plugin::Dorvix::Reinstall));
    row("updateStatus", QVariant::fromValue(CFirmwareUpdateEntity::Waiting),
        QVariant::fromValue(CFirmwareUpdateEntity::Updating));
    row("updateResult", QVariant::fromValue(CFirmwareUpdateEntity::Skipped),
        QVariant::fromValue(CFirmwareUpdateEntity::OK));
    row("ptrCameraInfo", QVariant::fromValue(CameraInfoPtr()), QVariant::fromValue(camera));
    row("ptrTransportLayerInfo", QVariant::fromValue(Plugin::Dorvix::TransportLayerInfoPtr()),
        QVariant::fromValue(Fake::layers("tl:").first()));
    row("ptrDeviceFirmwareUpdate", QVariant::fromValue(DeviceFirmwareUpdatePtr()),
        QVariant::fromValue(DeviceFirmwareUpdatePtr(new Fake::DeviceUpdate("1"))));
    row("children", QVariant::fromValue(EntityVector()),
        QVariant::fromValue(EntityVector({ &child })));
    QTest::newRow("camera by address")
            << QByteArray("ptrCameraInfo") << QVariant::fromValue(camera)
            << QVariant::fromValue(alias) << QVariant::fromValue(CameraInfoPtr());
}

// Through the meta-object: an equal value is silent, a change is announced
// once with the new value.
void TestEntityUpdate::setters()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, initial);
    QFETCH(QVariant, same);
    QFETCH(QVariant, other);

    CFirmwareUpdateEntity entity;
    if (initial.isValid())
        QVERIFY(entity.setProperty(property, initial));
    const QMetaProperty meta
            = entity.metaObject()->property(entity.metaObject()->indexOfProperty(property));
    QSignalSpy spy(&entity, QByteArray("2") + meta.notifySignal().methodSignature());
    QVERIFY(spy.isValid());
    QVERIFY(entity.setProperty(property, same));
    QVERIFY(entity.setProperty(property, other));
    QVERIFY(entity.setProperty(property, other));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0), other);
    QCOMPARE(entity.property(property), other);
}

// Every notify signal feeds the matching slot of another entity through a
// queued connection, which needs each argument type registered.
void TestEntityUpdate::valuesCrossQueuedConnections()
{
    CFirmwareUpdateEntity sender, receiver, child;
    const QMetaObject &meta = CFirmwareUpdateEntity::staticMetaObject;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaMethod notify = meta.property(i).notifySignal();
        QByteArray field = notify.name().chopped(int(qstrlen("Changed")));
        field[0] = QChar::toUpper(field.at(0));
        const int slot
                = meta.indexOfSlot("set" + field + '(' + notify.parameterTypes().at(0) + ')');
        QVERIFY2(slot >= 0, notify.methodSignature());
        QVERIFY2(QObject::connect(&sender, notify, &receiver, meta.method(slot),
                                  Qt::QueuedConnection),
                 notify.methodSignature());
    }
    const CameraInfoPtr camera = Fake::camera("c1", "A");
    const DeviceFirmwareUpdatePtr update(new Fake::DeviceUpdate("2.0"));
    sender.setEntityType(CFirmwareUpdateEntity::CameraDevice);
    sender.setCameraInfo(camera);
    sender.setUpdateDetails(Plugin::Dorvix::Downgrade);
    sender.setUpdateStatus(CFirmwareUpdateEntity::Complete);
    sender.setUpdateResult(CFirmwareUpdateEntity::Failed);
    sender.setDeviceFirmwareUpdate(update);
    sender.setChildren({ &child });
    QCoreApplication::processEvents();
    QCOMPARE(receiver.entityType(), CFirmwareUpdateEntity::CameraDevice);
    QCOMPARE(receiver.cameraInfo(), camera);
    QCOMPARE(receiver.updateDetails(), Plugin::Dorvix::Downgrade);
    QCOMPARE(receiver.updateStatus(), CFirmwareUpdateEntity::Complete);
    QCOMPARE(receiver.updateResult(), CFirmwareUpdateEntity::Failed);
    QCOMPARE(receiver.deviceFirmwareUpdate(), update);
    QCOMPARE(receiver.children(), EntityVector({ &child }));

    const char *prefix = "Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::";
    for (const char *name : { "EFirmwareUpdateStatus", "EFirmwareUpdateResult" }) {
        const int id = QMetaType::type(QByteArray(prefix) + name);
        QVERIFY2(QMetaType::typeFlags(id) & QMetaType::IsEnumeration, name);
        QCOMPARE(QMetaType::sizeOf(id), 4);
    }
    const QVariant status = sender.data(CFirmwareUpdateEntity::UpdateStatus);
    QCOMPARE(status.userType(), QMetaType::type(QByteArray(prefix) + "EFirmwareUpdateStatus"));
    QCOMPARE(status.toInt(), 2);
    const QVariant children = sender.property("children");
    const auto iterable = children.value<QSequentialIterable>();
    QCOMPARE(iterable.size(), 1);
    QCOMPARE(iterable.at(0).value<QPointer<CFirmwareUpdateEntity>>().data(), &child);
}

void TestEntityUpdate::data_data()
{
    QTest::addColumn<Type>("type");
    QTest::addColumn<bool>("withUpdate");
    QTest::addColumn<int>("column");
    QTest::addColumn<QVariant>("expected");

    const auto layer = CFirmwareUpdateEntity::TransportLayer;
    const auto type = CFirmwareUpdateEntity::CameraType;
    const auto device = CFirmwareUpdateEntity::CameraDevice;
    QTest::newRow("layer name") << layer << false << 0 << QVariant("Layer tl7");
    QTest::newRow("type name") << type << false << 0 << QVariant("Model X");
    QTest::newRow("device name") << device << false << 0 << QVariant("Cam c9");
    QTest::newRow("layer id") << layer << false << 1 << QVariant("tl7");
    QTest::newRow("type id") << type << false << 1 << QVariant("c9");
    QTest::newRow("selected") << layer << false << 2 << QVariant(true);
    QTest::newRow("no firmware for types") << type << true << 3 << QVariant();
    QTest::newRow("camera firmware") << device << false << 3 << QVariant("1.0.0");
    QTest::newRow("update's firmware first") << device << true << 3 << QVariant("0.9.9");
    QTest::newRow("chosen firmware") << layer << false << 4 << QVariant("2.0.0");
    QTest::newRow("details as int") << type << false << 5 << QVariant(2);
    QTest::newRow("status") << device << false << 6
                            << QVariant::fromValue(CFirmwareUpdateEntity::Updating);
    QTest::newRow("result") << device << false << 7
                            << QVariant::fromValue(CFirmwareUpdateEntity::OK);
    QTest::newRow("enabled is no column") << device << false << 8 << QVariant();
    QTest::newRow("negative") << device << false << -1 << QVariant();
}

void TestEntityUpdate::data()
{
    QFETCH(Type, type);
    QFETCH(bool, withUpdate);
    QFETCH(int, column);
    QFETCH(QVariant, expected);

    CFirmwareUpdateEntity entity;
    QCOMPARE(entity.data(CFirmwareUpdateEntity::SelectedFirmware), QVariant(QString("")));
    QVERIFY(!entity.selectedFirmware().isNull());
    QCOMPARE(entity.data(CFirmwareUpdateEntity::UpdateDetails), QVariant(3));
    entity.setEntityType(type);
    entity.setTransportLayerInfo(Fake::layers("tl7:").first());
    entity.setCameraInfo(Fake::camera("c9", "Model X"));
    if (withUpdate)
        entity.setDeviceFirmwareUpdate(DeviceFirmwareUpdatePtr(new Fake::DeviceUpdate("0.9.9")));
    entity.setSelected(true);
    entity.setSelectedFirmware("2.0.0");
    entity.setUpdateDetails(Plugin::Dorvix::Reinstall);
    entity.setUpdateStatus(CFirmwareUpdateEntity::Updating);
    entity.setUpdateResult(CFirmwareUpdateEntity::OK);

    const QVariant actual = entity.data(column);
    QCOMPARE(actual.userType(), expected.userType());
    QCOMPARE(actual, expected);
}

void TestEntityUpdate::children()
{
    CFirmwareUpdateEntity root;
    QCOMPARE(root.row(), 0);
    QPointer<CFirmwareUpdateEntity> a = new CFirmwareUpdateEntity, b = new CFirmwareUpdateEntity;
    QSignalSpy childrenChanged(&root, &CFirmwareUpdateEntity::childrenChanged);
    root.addChild(a);
    root.addChild(b);
    root.addChild(nullptr);
    QCOMPARE(QList<int>({ root.childCount(), a->row(), b->row() }), QList<int>({ 2, 0, 1 }));
    QVERIFY(root.child(-1).isNull() && root.child(2).isNull());

    // Present already: neither the list nor the parent change.
    CFirmwareUpdateEntity other;
    a->setParent(&other);
    root.addChild(a);
    QCOMPARE(a->parent(), &other);
    QCOMPARE(root.childCount(), 2);
    QCOMPARE(a->row(), -1);
    a->setParent(&root);

    // Reordering must not leave a stale row behind.
    root.setChildren({ b.data(), a.data() });
    QCOMPARE(QList<int>({ a->row(), b->row() }), QList<int>({ 1, 0 }));
    QCOMPARE(childrenChanged.count(), 1);

    // A destroyed child stays counted, as a null entry.
    delete b.data();
    QCOMPARE(root.childCount(), 2);
    QCOMPARE(a->row(), 1);
    root.setChildren({ nullptr, a.data() });
    QCOMPARE(childrenChanged.count(), 1);

    // A child adopted elsewhere survives its former parent.
    auto *former = new CFirmwareUpdateEntity;
    former->addChild(a);
    QPointer<CFirmwareUpdateEntity> own = new CFirmwareUpdateEntity;
    former->addChild(own);
    CFirmwareUpdateEntity adopter;
    adopter.addChild(a);
    QCOMPARE(a->parent(), &adopter);
    delete former;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(own.isNull());
    QVERIFY(!a.isNull());
}

void TestEntityUpdate::copy()
{
    CFirmwareUpdateEntity parent;
    auto *original = new CFirmwareUpdateEntity;
    parent.addChild(original);
    original->addChild(new CFirmwareUpdateEntity);
    original->setCameraInfo(Fake::camera("c", "M"));
    original->setTransportLayerInfo(Fake::layers("tl:").first());
    original->setEntityType(CFirmwareUpdateEntity::CameraDevice);
    original->setSelected(true);
    original->setEnabled(false);
    original->setSelectedFirmware("3.0");
    original->setUpdateDetails(Plugin::Dorvix::Downgrade);
    original->setUpdateStatus(CFirmwareUpdateEntity::Complete);
    original->setUpdateResult(CFirmwareUpdateEntity::Failed);
    original->setDeviceFirmwareUpdate(DeviceFirmwareUpdatePtr(new Fake::DeviceUpdate("1")));

    const CFirmwareUpdateEntity copy(*original);
    for (const char *field :
         { "ptrCameraInfo", "ptrTransportLayerInfo", "entityType", "selected", "enabled",
           "selectedFirmware", "updateDetails", "updateStatus", "updateResult" })
        QVERIFY2(copy.property(field) == original->property(field), field);
    QCOMPARE(copy.parent(), nullptr);
    QCOMPARE(copy.childCount(), 0);
    QVERIFY(copy.deviceFirmwareUpdate().isNull());
}

QTEST_GUILESS_MAIN(TestEntityUpdate)
#include "tst_entity_update.moc"
