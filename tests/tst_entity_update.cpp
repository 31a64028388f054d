#include "entity/CFirmwareUpdateEntity.h"
#include "support/FakeCameras.h"

#include <QtTest>

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using CameraInfoPtr = Core::DorvixComponents::CameraInfoPtr;
using DeviceFirmwareUpdatePtr = Plugin::Dorvix::DeviceFirmwareUpdatePtr;
using EntityVector = QVector<QPointer<CFirmwareUpdateEntity>>;

class TestEntityUpdate : public QObject
{
    Q_OBJECT

private slots:
    void properties_data()
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
        const auto v = [](const auto &value) {
            return QVariant::fromValue(value);
        };
        row("entityType", v(CFirmwareUpdateEntity::TransportLayer),
            v(CFirmwareUpdateEntity::CameraType));
        row("selected", false, true);
        row("selectedFirmware", QString(""), QStringLiteral("2.1"));
        row("updateDetails", v(Plugin::Dorvix::NotDetermined), v(Plugin::Dorvix::Reinstall));
        row("updateStatus", v(CFirmwareUpdateEntity::Waiting), v(CFirmwareUpdateEntity::Updating));
        row("updateResult", v(CFirmwareUpdateEntity::Skipped), v(CFirmwareUpdateEntity::OK));
        row("ptrCameraInfo", v(CameraInfoPtr()), v(camera));
        row("ptrTransportLayerInfo", v(Plugin::Dorvix::TransportLayerInfoPtr()),
            v(Fake::layers("tl:").first()));
        row("ptrDeviceFirmwareUpdate", v(DeviceFirmwareUpdatePtr()), v(Fake::update("1")));
        row("children", v(EntityVector()), v(EntityVector({ &child })));
        QTest::newRow("camera by address")
                << QByteArray("ptrCameraInfo") << v(camera) << v(alias) << v(CameraInfoPtr());
    }

    // An equal value is silent, a change is announced once with the new value,
    // and every notify signal feeds the matching setter of another entity
    // through a queued connection, which needs each argument type registered.
    void properties()
    {
        QFETCH(QByteArray, property);
        QFETCH(QVariant, initial);
        QFETCH(QVariant, same);
        QFETCH(QVariant, other);

        CFirmwareUpdateEntity sender, receiver;
        if (initial.isValid())
            QVERIFY(sender.setProperty(property, initial));
        const QMetaObject &meta = CFirmwareUpdateEntity::staticMetaObject;
        const QMetaMethod notify = meta.property(meta.indexOfProperty(property)).notifySignal();
        QByteArray setter = "set" + notify.name().chopped(int(qstrlen("Changed")));
        setter[3] = QChar::toUpper(setter.at(3));
        const int slot = meta.indexOfSlot(setter + '(' + notify.parameterTypes().at(0) + ')');
        QVERIFY2(slot >= 0, setter);
        QVERIFY(QObject::connect(&sender, notify, &receiver, meta.method(slot),
                                 Qt::QueuedConnection));
        QSignalSpy spy(&sender, QByteArray("2") + notify.methodSignature());
        QVERIFY(sender.setProperty(property, same) && sender.setProperty(property, other));
        QVERIFY(sender.setProperty(property, other));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0), other);
        QCoreApplication::processEvents();
        QCOMPARE(receiver.property(property), other);

        // A copy takes everything but the tree and the update object.
        const CFirmwareUpdateEntity copy(sender);
        const bool copied = property != "children" && property != "ptrDeviceFirmwareUpdate";
        QCOMPARE(copy.property(property), copied ? other : same);
    }

    // The model's tests cover data() of every column.
    void childrenIterateInVariants()
    {
        CFirmwareUpdateEntity parent, child;
        QVERIFY(!parent.selectedFirmware().isNull()); // empty, as the delegates expect
        QVERIFY(!parent.data(-1).isValid()
                && !parent.data(CFirmwareUpdateEntity::Enabled).isValid());
        parent.setChildren({ &child });
        const QVariant children = parent.property("children");
        const auto iterable = children.value<QSequentialIterable>();
        QCOMPARE(iterable.size(), 1);
        QCOMPARE(iterable.at(0).value<QPointer<CFirmwareUpdateEntity>>().data(), &child);
    }

    void children()
    {
        CFirmwareUpdateEntity root;
        QCOMPARE(root.row(), 0);
        QPointer<CFirmwareUpdateEntity> a = new CFirmwareUpdateEntity,
                                        b = new CFirmwareUpdateEntity;
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
        QCOMPARE(QList<int>({ root.childCount(), a->row() }), QList<int>({ 2, -1 }));
        a->setParent(&root);

        // Reordering must not leave a stale row behind; a destroyed child
        // stays counted, as a null entry.
        root.setChildren({ b.data(), a.data() });
        QCOMPARE(QList<int>({ a->row(), b->row() }), QList<int>({ 1, 0 }));
        delete b.data();
        QCOMPARE(QList<int>({ root.childCount(), a->row() }), QList<int>({ 2, 1 }));

        // A child adopted elsewhere survives its former parent.
        auto *former = new CFirmwareUpdateEntity;
        former->addChild(a);
        QPointer<CFirmwareUpdateEntity> own = new CFirmwareUpdateEntity;
        former->addChild(own);
        CFirmwareUpdateEntity adopter;
        adopter.addChild(a);
        delete former;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(own.isNull());
        QVERIFY(!a.isNull());
    }

    void bareNodeShowsEmpty()
    {
        // Nodes handed in from outside may lack their host objects.
        for (auto type : { CFirmwareUpdateEntity::TransportLayer, CFirmwareUpdateEntity::CameraType,
                           CFirmwareUpdateEntity::CameraDevice }) {
            CFirmwareUpdateEntity bare;
            bare.setEntityType(type);
            for (int column = CFirmwareUpdateEntity::DisplayName;
                 column <= CFirmwareUpdateEntity::CurrentFirmware; ++column) {
                if (column != CFirmwareUpdateEntity::SelectionStatus)
                    QCOMPARE(bare.data(column).toString(), QString());
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestEntityUpdate)
#include "tst_entity_update.moc"
