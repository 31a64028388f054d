#include "entity/CFirmwareUpdateEntity.h"
#include "support/FakeCameras.h"

#include <QtTest>

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using CameraInfoPtr = Core::DorvixComponents::CameraInfoPtr;
using TransportLayerInfoPtr = Plugin::Dorvix::TransportLayerInfoPtr;
using DeviceFirmwareUpdatePtr = Plugin::Dorvix::DeviceFirmwareUpdatePtr;
using EntityVector = QVector<QPointer<CFirmwareUpdateEntity>>;

namespace {

// Shares a pointee without owning it: a second, distinct shared pointer to
// the same host object.
template<typename T>
QSharedPointer<T> alias(const QSharedPointer<T> &owner)
{
    return QSharedPointer<T>(owner.data(), [](T *) {});
}

QStringList methodNames(const QMetaObject &meta, QMetaMethod::MethodType type)
{
    QStringList names;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        const QMetaMethod method = meta.method(i);
        if (method.methodType() == type && method.access() == QMetaMethod::Public)
            names << QString::fromLatin1(method.methodSignature());
    }
    return names;
}

} // namespace

class TestEntityUpdate : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void metaObjectLayout();
    void registeredTypes_data();
    void registeredTypes();
    void valuesCrossQueuedConnections();
    void setters_data();
    void setters();
    void children();
    void rowOfChildren();
    void destroyedChildStaysCounted();
    void adoptedChildOutlivesFormerParent();
    void data_data();
    void data();
    void copy();
};

void TestEntityUpdate::defaults()
{
    CFirmwareUpdateEntity entity;
    QCOMPARE(entity.parent(), nullptr);
    QCOMPARE(entity.entityType(), CFirmwareUpdateEntity::TransportLayer);
    QVERIFY(entity.cameraInfo().isNull());
    QVERIFY(entity.transportLayerInfo().isNull());
    QVERIFY(entity.deviceFirmwareUpdate().isNull());
    QCOMPARE(entity.selected(), false);
    QCOMPARE(entity.enabled(), true);
    QCOMPARE(entity.updateDetails(), Plugin::Dorvix::NotDetermined);
    QCOMPARE(entity.updateStatus(), CFirmwareUpdateEntity::Waiting);
    QCOMPARE(entity.updateResult(), CFirmwareUpdateEntity::Skipped);
    QVERIFY(entity.selectedFirmware().isEmpty());
    QVERIFY(!entity.selectedFirmware().isNull());
    QCOMPARE(entity.childCount(), 0);
    QCOMPARE(CFirmwareUpdateEntity::columnCount(), 8);

    CFirmwareUpdateEntity parent;
    CFirmwareUpdateEntity child(&parent);
    QCOMPARE(child.parent(), &parent);
    QCOMPARE(parent.childCount(), 0);
    QPointer<CFirmwareUpdateEntity> dangling = new CFirmwareUpdateEntity;
    delete dangling.data();
    CFirmwareUpdateEntity orphan(dangling);
    QCOMPARE(orphan.parent(), nullptr);
}

void TestEntityUpdate::metaObjectLayout()
{
    const QMetaObject &meta = CFirmwareUpdateEntity::staticMetaObject;
    QStringList properties;
    for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
        const QMetaProperty property = meta.property(i);
        QVERIFY2(property.isWritable() && property.hasNotifySignal(), property.name());
        properties << QString::fromLatin1(property.name()) + QLatin1Char(':')
                        + QString::fromLatin1(property.notifySignal().name());
    }
    QCOMPARE(properties,
             QStringList({ "entityType:entityTypeChanged",
                           "ptrTransportLayerInfo:transportLayerInfoChanged",
                           "ptrCameraInfo:cameraInfoChanged", "selected:selectedChanged",
                           "selectedFirmware:selectedFirmwareChanged",
                           "updateDetails:updateDetailsChanged", "updateStatus:updateStatusChanged",
                           "updateResult:updateResultChanged", "enabled:enabledChanged",
                           "ptrDeviceFirmwareUpdate:deviceFirmwareUpdateChanged",
                           "children:childrenChanged" }));

    const QStringList order = { "cameraInfo",    "selected",
                                "updateDetails", "updateStatus",
                                "updateResult",  "selectedFirmware",
                                "entityType",    "transportLayerInfo",
                                "enabled",       "deviceFirmwareUpdate",
                                "children" };
    QStringList signalNames, slotNames;
    for (const QString &name : methodNames(meta, QMetaMethod::Signal))
        signalNames << name.left(name.indexOf(QLatin1String("Changed(")));
    for (const QString &name : methodNames(meta, QMetaMethod::Slot)) {
        QVERIFY(name.startsWith(QLatin1String("set")));
        QString field = name.mid(3, name.indexOf(QLatin1Char('(')) - 3);
        field[0] = field.at(0).toLower();
        slotNames << field;
    }
    QCOMPARE(signalNames, order);
    QCOMPARE(slotNames, order);
}

void TestEntityUpdate::registeredTypes_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("enumeration");

    QTest::newRow("status") << QByteArray(
            "Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::"
            "EFirmwareUpdateStatus")
                            << true;
    QTest::newRow("result") << QByteArray(
            "Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity::"
            "EFirmwareUpdateResult")
                            << true;
    QTest::newRow("camera") << QByteArray("Core::DorvixComponents::CameraInfoPtr") << false;
    QTest::newRow("children") << QByteArray(
            "QVector<QPointer<Plugin::FirmwareUpdater::Internal::Entity::"
            "CFirmwareUpdateEntity> >")
                              << false;
}

void TestEntityUpdate::registeredTypes()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, enumeration);

    const int id = QMetaType::type(name);
    QVERIFY2(id != QMetaType::UnknownType, name);
    QCOMPARE(bool(QMetaType::typeFlags(id) & QMetaType::IsEnumeration), enumeration);
    if (enumeration)
        QCOMPARE(QMetaType::sizeOf(id), 4);
}

void TestEntityUpdate::valuesCrossQueuedConnections()
{
    auto camera = Fake::camera(QStringLiteral("c1"), QStringLiteral("A"));
    auto layer = Fake::layer(QStringLiteral("tl"));
    auto update = DeviceFirmwareUpdatePtr(new Fake::DeviceUpdate(QStringLiteral("2.0")));
    CFirmwareUpdateEntity sender;
    CFirmwareUpdateEntity receiver;
    CFirmwareUpdateEntity child;
    for (const char *property :
         { "entityType", "ptrTransportLayerInfo", "ptrCameraInfo", "updateDetails", "updateStatus",
           "updateResult", "ptrDeviceFirmwareUpdate", "children" }) {
        const QMetaProperty meta = CFirmwareUpdateEntity::staticMetaObject.property(
                CFirmwareUpdateEntity::staticMetaObject.indexOfProperty(property));
        // fooChanged(T) feeds setFoo(T) of the receiver.
        QByteArray setter = meta.notifySignal().name().chopped(int(qstrlen("Changed")));
        setter[0] = QChar::toUpper(setter.at(0));
        const int slot = CFirmwareUpdateEntity::staticMetaObject.indexOfSlot(
                "set" + setter + '(' + meta.notifySignal().parameterTypes().at(0) + ')');
        QVERIFY2(slot >= 0, property);
        QVERIFY2(QObject::connect(&sender, meta.notifySignal(), &receiver,
                                  CFirmwareUpdateEntity::staticMetaObject.method(slot),
                                  Qt::QueuedConnection),
                 property);
    }

    sender.setEntityType(CFirmwareUpdateEntity::CameraDevice);
    sender.setTransportLayerInfo(layer);
    sender.setCameraInfo(camera);
    sender.setUpdateDetails(Plugin::Dorvix::Downgrade);
    sender.setUpdateStatus(CFirmwareUpdateEntity::Complete);
    sender.setUpdateResult(CFirmwareUpdateEntity::Failed);
    sender.setDeviceFirmwareUpdate(update);
    sender.setChildren({ &child });
    QCoreApplication::processEvents();

    QCOMPARE(receiver.entityType(), CFirmwareUpdateEntity::CameraDevice);
    QCOMPARE(receiver.transportLayerInfo(), TransportLayerInfoPtr(layer));
    QCOMPARE(receiver.cameraInfo(), camera);
    QCOMPARE(receiver.updateDetails(), Plugin::Dorvix::Downgrade);
    QCOMPARE(receiver.updateStatus(), CFirmwareUpdateEntity::Complete);
    QCOMPARE(receiver.updateResult(), CFirmwareUpdateEntity::Failed);
    QCOMPARE(receiver.deviceFirmwareUpdate(), update);
    QCOMPARE(receiver.children(), EntityVector({ &child }));

    // Through QVariant, enumerations keep their type and still read as int.
    const QVariant status = sender.data(CFirmwareUpdateEntity::UpdateStatus);
    QCOMPARE(status.userType(), qMetaTypeId<CFirmwareUpdateEntity::EFirmwareUpdateStatus>());
    QCOMPARE(status.value<CFirmwareUpdateEntity::EFirmwareUpdateStatus>(),
             CFirmwareUpdateEntity::Complete);
    QCOMPARE(status.toInt(), 2);
    QCOMPARE(sender.data(CFirmwareUpdateEntity::UpdateResult).toInt(), 1);
    QCOMPARE(sender.property("ptrCameraInfo").value<CameraInfoPtr>(), camera);
    QCOMPARE(sender.property("children").value<EntityVector>(), EntityVector({ &child }));
    const QVariant children = sender.property("children");
    QSequentialIterable iterable = children.value<QSequentialIterable>();
    QCOMPARE(iterable.size(), 1);
    QCOMPARE(iterable.at(0).value<QPointer<CFirmwareUpdateEntity>>().data(), &child);
}

void TestEntityUpdate::setters_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("same");
    QTest::addColumn<QVariant>("other");

    static const auto camera = Fake::camera(QStringLiteral("c"), QStringLiteral("M"));
    static const TransportLayerInfoPtr layer = Fake::layer(QStringLiteral("tl"));
    static const DeviceFirmwareUpdatePtr update(new Fake::DeviceUpdate(QStringLiteral("1")));
    static CFirmwareUpdateEntity child;

    QTest::newRow("entityType") << QByteArray("entityType")
                                << QVariant::fromValue(CFirmwareUpdateEntity::TransportLayer)
                                << QVariant::fromValue(CFirmwareUpdateEntity::CameraType);
    QTest::newRow("selected") << QByteArray("selected") << QVariant(false) << QVariant(true);
    QTest::newRow("enabled") << QByteArray("enabled") << QVariant(true) << QVariant(false);
    QTest::newRow("empty firmware") << QByteArray("selectedFirmware") << QVariant(QString(""))
                                    << QVariant(QStringLiteral("2.1"));
    QTest::newRow("details") << QByteArray("updateDetails")
                             << QVariant::fromValue(Plugin::Dorvix::NotDetermined)
                             << QVariant::fromValue(Plugin::Dorvix::Reinstall);
    QTest::newRow("status") << QByteArray("updateStatus")
                            << QVariant::fromValue(CFirmwareUpdateEntity::Waiting)
                            << QVariant::fromValue(CFirmwareUpdateEntity::Updating);
    QTest::newRow("result") << QByteArray("updateResult")
                            << QVariant::fromValue(CFirmwareUpdateEntity::Skipped)
                            << QVariant::fromValue(CFirmwareUpdateEntity::OK);
    QTest::newRow("null camera") << QByteArray("ptrCameraInfo")
                                 << QVariant::fromValue(CameraInfoPtr())
                                 << QVariant::fromValue(camera);
    QTest::newRow("null layer") << QByteArray("ptrTransportLayerInfo")
                                << QVariant::fromValue(TransportLayerInfoPtr())
                                << QVariant::fromValue(layer);
    QTest::newRow("null update") << QByteArray("ptrDeviceFirmwareUpdate")
                                 << QVariant::fromValue(DeviceFirmwareUpdatePtr())
                                 << QVariant::fromValue(update);
    QTest::newRow("no children") << QByteArray("children") << QVariant::fromValue(EntityVector())
                                 << QVariant::fromValue(EntityVector({ &child }));
}

// Equal values (pointers: same pointee) are silent; a change is announced
// once with the new value.
void TestEntityUpdate::setters()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, same);
    QFETCH(QVariant, other);

    CFirmwareUpdateEntity entity;
    const QMetaProperty meta
            = entity.metaObject()->property(entity.metaObject()->indexOfProperty(property));
    QSignalSpy spy(&entity, QByteArray("2") + meta.notifySignal().methodSignature());
    QVERIFY(spy.isValid());

    QVERIFY(entity.setProperty(property, same));
    QCOMPARE(spy.count(), 0);
    QVERIFY(entity.setProperty(property, other));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0), other);
    QCOMPARE(entity.property(property), other);
    QVERIFY(entity.setProperty(property, other));
    QCOMPARE(spy.count(), 1);
}

void TestEntityUpdate::children()
{
    auto camera = Fake::camera(QStringLiteral("c"), QStringLiteral("M"));
    CFirmwareUpdateEntity entity;
    entity.setCameraInfo(camera);
    QSignalSpy cameraSpy(&entity, &CFirmwareUpdateEntity::cameraInfoChanged);
    entity.setCameraInfo(alias(camera));
    QCOMPARE(cameraSpy.count(), 0);

    CFirmwareUpdateEntity other;
    QPointer<CFirmwareUpdateEntity> a = new CFirmwareUpdateEntity;
    QPointer<CFirmwareUpdateEntity> b = new CFirmwareUpdateEntity;
    QSignalSpy childrenSpy(&entity, &CFirmwareUpdateEntity::childrenChanged);
    entity.addChild(a);
    entity.addChild(b);
    entity.addChild(nullptr);
    QCOMPARE(a->parent(), &entity);
    QCOMPARE(entity.childCount(), 2);

    // Already present: neither the list nor the parent change.
    a->setParent(&other);
    entity.addChild(a);
    QCOMPARE(entity.childCount(), 2);
    QCOMPARE(a->parent(), &other);
    QCOMPARE(childrenSpy.count(), 0);

    QCOMPARE(entity.child(0), a);
    QCOMPARE(entity.child(1), b);
    QVERIFY(entity.child(-1).isNull());
    QVERIFY(entity.child(2).isNull());

    entity.setChildren({ a.data(), b.data() });
    QCOMPARE(childrenSpy.count(), 0);
    entity.setChildren({ b.data(), a.data() });
    QCOMPARE(childrenSpy.count(), 1);
    QCOMPARE(entity.child(0), b);
    delete a.data();
}

void TestEntityUpdate::rowOfChildren()
{
    CFirmwareUpdateEntity root;
    QCOMPARE(root.row(), 0);
    QVector<CFirmwareUpdateEntity *> kids;
    for (int i = 0; i < 4; ++i) {
        kids << new CFirmwareUpdateEntity;
        root.addChild(kids.last());
    }
    for (int i = 0; i < 4; ++i)
        QCOMPARE(kids.at(i)->row(), i);

    // Reordering must not leave stale answers behind.
    root.setChildren({ kids.at(3), kids.at(2), kids.at(1), kids.at(0) });
    for (int i = 0; i < 4; ++i)
        QCOMPARE(kids.at(i)->row(), 3 - i);

    // A parent that does not list it.
    CFirmwareUpdateEntity stranger(&root);
    QCOMPARE(stranger.row(), -1);
    QObject notAnEntity;
    CFirmwareUpdateEntity foreign;
    foreign.setParent(&notAnEntity);
    QCOMPARE(foreign.row(), -1);
    foreign.setParent(nullptr);
}

void TestEntityUpdate::destroyedChildStaysCounted()
{
    CFirmwareUpdateEntity root;
    QPointer<CFirmwareUpdateEntity> first = new CFirmwareUpdateEntity;
    auto *second = new CFirmwareUpdateEntity;
    root.addChild(first);
    root.addChild(second);
    delete first.data();
    QCOMPARE(root.childCount(), 2);
    QVERIFY(root.child(0).isNull());
    QCOMPARE(second->row(), 1);

    // A dead entry compares as null.
    QSignalSpy spy(&root, &CFirmwareUpdateEntity::childrenChanged);
    root.setChildren({ nullptr, second });
    QCOMPARE(spy.count(), 0);
}

void TestEntityUpdate::adoptedChildOutlivesFormerParent()
{
    QPointer<CFirmwareUpdateEntity> own = new CFirmwareUpdateEntity;
    QPointer<CFirmwareUpdateEntity> moved = new CFirmwareUpdateEntity;
    auto *former = new CFirmwareUpdateEntity;
    former->addChild(own);
    former->addChild(moved);
    CFirmwareUpdateEntity adopter;
    adopter.addChild(moved);
    QCOMPARE(moved->parent(), &adopter);

    delete former;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(own.isNull());
    QVERIFY(!moved.isNull());
    QCOMPARE(moved->row(), 0);
}

void TestEntityUpdate::data_data()
{
    QTest::addColumn<CFirmwareUpdateEntity::EFirmwareUpdateEntityType>("type");
    QTest::addColumn<bool>("withUpdate");
    QTest::addColumn<int>("column");
    QTest::addColumn<QVariant>("expected");

    const auto layer = CFirmwareUpdateEntity::TransportLayer;
    const auto type = CFirmwareUpdateEntity::CameraType;
    const auto device = CFirmwareUpdateEntity::CameraDevice;
    const QVariant invalid;
    QTest::newRow("layer name") << layer << false << 0 << QVariant("Layer tl7");
    QTest::newRow("type name") << type << false << 0 << QVariant("Model X");
    QTest::newRow("device name") << device << false << 0 << QVariant("Cam c9");
    QTest::newRow("layer id") << layer << false << 1 << QVariant("tl7");
    QTest::newRow("type id") << type << false << 1 << QVariant("c9");
    QTest::newRow("device id") << device << false << 1 << QVariant("c9");
    QTest::newRow("layer selected") << layer << false << 2 << QVariant(true);
    QTest::newRow("device selected") << device << false << 2 << QVariant(true);
    QTest::newRow("layer firmware") << layer << false << 3 << invalid;
    QTest::newRow("type firmware") << type << true << 3 << invalid;
    QTest::newRow("camera firmware") << device << false << 3 << QVariant("1.0.0");
    QTest::newRow("update firmware") << device << true << 3 << QVariant("0.9.9");
    QTest::newRow("layer chosen") << layer << false << 4 << QVariant("2.0.0");
    QTest::newRow("device chosen") << device << false << 4 << QVariant("2.0.0");
    QTest::newRow("details") << type << false << 5 << QVariant(2);
    QTest::newRow("status") << device << false << 6
                            << QVariant::fromValue(CFirmwareUpdateEntity::Updating);
    QTest::newRow("result") << device << false << 7
                            << QVariant::fromValue(CFirmwareUpdateEntity::OK);
    QTest::newRow("enabled is no column") << device << false << 8 << invalid;
    QTest::newRow("negative") << device << false << -1 << invalid;
    QTest::newRow("far") << layer << false << 1000 << invalid;
}

void TestEntityUpdate::data()
{
    QFETCH(CFirmwareUpdateEntity::EFirmwareUpdateEntityType, type);
    QFETCH(bool, withUpdate);
    QFETCH(int, column);
    QFETCH(QVariant, expected);

    CFirmwareUpdateEntity entity;
    entity.setEntityType(type);
    entity.setTransportLayerInfo(Fake::layer(QStringLiteral("tl7")));
    entity.setCameraInfo(Fake::camera(QStringLiteral("c9"), QStringLiteral("Model X")));
    if (withUpdate)
        entity.setDeviceFirmwareUpdate(
                DeviceFirmwareUpdatePtr(new Fake::DeviceUpdate(QStringLiteral("0.9.9"))));
    entity.setSelected(true);
    entity.setSelectedFirmware(QStringLiteral("2.0.0"));
    entity.setUpdateDetails(Plugin::Dorvix::Reinstall);
    entity.setUpdateStatus(CFirmwareUpdateEntity::Updating);
    entity.setUpdateResult(CFirmwareUpdateEntity::OK);

    const QVariant actual = entity.data(column);
    QCOMPARE(actual.userType(), expected.userType());
    QCOMPARE(actual, expected);
}

void TestEntityUpdate::copy()
{
    CFirmwareUpdateEntity parent;
    auto *original = new CFirmwareUpdateEntity;
    parent.addChild(original);
    original->addChild(new CFirmwareUpdateEntity);
    auto camera = Fake::camera(QStringLiteral("c"), QStringLiteral("M"));
    auto layer = Fake::layer(QStringLiteral("tl"));
    original->setCameraInfo(camera);
    original->setTransportLayerInfo(layer);
    original->setEntityType(CFirmwareUpdateEntity::CameraDevice);
    original->setSelected(true);
    original->setEnabled(false);
    original->setSelectedFirmware(QStringLiteral("3.0"));
    original->setUpdateDetails(Plugin::Dorvix::Downgrade);
    original->setUpdateStatus(CFirmwareUpdateEntity::Complete);
    original->setUpdateResult(CFirmwareUpdateEntity::Failed);
    original->setDeviceFirmwareUpdate(
            DeviceFirmwareUpdatePtr(new Fake::DeviceUpdate(QStringLiteral("1"))));

    const CFirmwareUpdateEntity copy(*original);
    QCOMPARE(copy.cameraInfo(), camera);
    QCOMPARE(copy.transportLayerInfo(), layer);
    QCOMPARE(copy.entityType(), CFirmwareUpdateEntity::CameraDevice);
    QCOMPARE(copy.selected(), true);
    QCOMPARE(copy.enabled(), false);
    QCOMPARE(copy.selectedFirmware(), QStringLiteral("3.0"));
    QCOMPARE(copy.updateDetails(), Plugin::Dorvix::Downgrade);
    QCOMPARE(copy.updateStatus(), CFirmwareUpdateEntity::Complete);
    QCOMPARE(copy.updateResult(), CFirmwareUpdateEntity::Failed);
    QCOMPARE(copy.parent(), nullptr);
    QCOMPARE(copy.childCount(), 0);
    QVERIFY(copy.deviceFirmwareUpdate().isNull());
    QCOMPARE(copy.row(), 0);
}

QTEST_GUILESS_MAIN(TestEntityUpdate)
#include "tst_entity_update.moc"
