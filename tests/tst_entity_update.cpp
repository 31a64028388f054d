#include "entity/CFirmwareUpdateEntity.h"
#include "support/FakeCameras.h"

#include <QtTest>

using Core::DorvixComponents::CameraInfoPtr;
using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using E = CFirmwareUpdateEntity;
using namespace Plugin::Dorvix;
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
        const auto v = [](const auto &value) {
            return QVariant::fromValue(value);
        };
        const auto row = [](const char *property, const QVariant &same, const QVariant &other) {
            QTest::newRow(property) << QByteArray(property) << QVariant() << same << other;
        };
        row("entityType", v(E::TransportLayer), v(E::CameraType));
        row("selected", false, true);
        row("selectedFirmware", QString(""), QStringLiteral("2.1"));
        row("updateDetails", v(NotDetermined), v(Reinstall));
        row("updateStatus", v(E::Waiting), v(E::Updating));
        row("updateResult", v(E::Skipped), v(E::OK));
        row("ptrCameraInfo", v(CameraInfoPtr()), v(camera));
        row("ptrTransportLayerInfo", v(TransportLayerInfoPtr()), v(Fake::layers("tl:").first()));
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
        QVERIFY(!initial.isValid() || sender.setProperty(property, initial));
        const QMetaObject &meta = CFirmwareUpdateEntity::staticMetaObject;
        const QMetaMethod notify = meta.property(meta.indexOfProperty(property)).notifySignal();
        QByteArray setter = "set" + notify.name().chopped(int(qstrlen("Changed")));
        setter[3] = QChar::toUpper(setter.at(3));
        const int slot = meta.indexOfSlot(setter + '(' + notify.parameterTypes().at(0) + ')');
        QVERIFY(QObject::connect(&sender, notify, &receiver, meta.method(slot),
                                 Qt::QueuedConnection));
        QSignalSpy spy(&sender, QByteArray("2") + notify.methodSignature());
        for (const QVariant &value : { same, other, other })
            QVERIFY(sender.setProperty(property, value));
        QCOMPARE(QList<QVariantList>(spy), QList<QVariantList>({ { other } }));
        QCoreApplication::processEvents();
        QCOMPARE(receiver.property(property), other);

        // A copy takes everything but the tree and the update object.
        const bool kept = property == "children" || property == "ptrDeviceFirmwareUpdate";
        QCOMPARE(CFirmwareUpdateEntity(sender).property(property), kept ? same : other);
    }

    void children()
    {
        CFirmwareUpdateEntity root;
        QPointer<E> a = new E, b = new E;
        for (E *child : { a.data(), b.data(), (E *)nullptr })
            root.addChild(child);
        QCOMPARE(QList<int>({ root.row(), root.childCount(), a->row(), b->row() }),
                 QList<int>({ 0, 2, 0, 1 }));
        QVERIFY(root.child(-1).isNull() && root.child(2).isNull());

        // Present already: neither the list nor the parent change.
        CFirmwareUpdateEntity other;
        a->setParent(&other);
        root.addChild(a);
        QVERIFY(a->parent() == &other && root.childCount() == 2 && a->row() == -1);
        a->setParent(&root);

        // Reordering must not leave a stale row behind; a destroyed child
        // stays counted, as a null entry.
        root.setChildren({ b.data(), a.data() });
        QCOMPARE(QList<int>({ a->row(), b->row() }), QList<int>({ 1, 0 }));
        delete b.data();
        QCOMPARE(QList<int>({ root.childCount(), a->row() }), QList<int>({ 2, 1 }));

        // A child adopted elsewhere survives its former parent.
        auto *former = new E;
        former->addChild(a);
        QPointer<E> own = new E;
        former->addChild(own);
        other.addChild(a);
        delete former;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(own.isNull() && !a.isNull());
    }

    void bareNodeShowsEmpty()
    {
        // Nodes handed in from outside may lack their host objects. Firmware
        // is empty, not null, as the delegates expect.
        for (auto type : { CFirmwareUpdateEntity::TransportLayer, CFirmwareUpdateEntity::CameraType,
                           CFirmwareUpdateEntity::CameraDevice }) {
            CFirmwareUpdateEntity bare;
            bare.setEntityType(type);
            QVERIFY(!bare.selectedFirmware().isNull() && !bare.data(-1).isValid()
                    && !bare.data(CFirmwareUpdateEntity::Enabled).isValid());
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
