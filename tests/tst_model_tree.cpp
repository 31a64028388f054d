#include "model/CFirmwareUpdateTreeModel.h"
#include "support/FakeCameras.h"
#include "support/ModelProbe.h"

#include <QAbstractItemModelTester>
#include <QtTest>

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel;

namespace {

const QString kTree = QStringLiteral("tl1:A/c1,A/c2,B/c3;tl2:A/c4");

// A model watched by the tester for its whole life.
struct Checked
{
    CFirmwareUpdateTreeModel model;
    QAbstractItemModelTester tester { &model,
                                      QAbstractItemModelTester::FailureReportingMode::QtTest };
};

CFirmwareUpdateEntity *device(const QString &id,
                              CFirmwareUpdateEntity::EFirmwareUpdateResult result,
                              bool selected = false)
{
    auto *entity = new CFirmwareUpdateEntity;
    entity->setEntityType(CFirmwareUpdateEntity::CameraDevice);
    entity->setCameraInfo(Fake::camera(id, QStringLiteral("M"), QStringLiteral("tl")));
    entity->setUpdateResult(result);
    entity->setSelected(selected);
    return entity;
}

// Marks every text it is asked for in the "QObject" context.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "QObject") != 0)
            return {};
        return QLatin1Char('<') + QString::fromUtf8(sourceText) + QLatin1Char('>');
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestModelTree : public QObject
{
    Q_OBJECT

private slots:
    void build_data();
    void build();
    void rebuildDestroysOldTree();
    void data_data();
    void data();
    void flags_data();
    void flags();
    void headerAndRoles();
    void translatedHeaders();
    void destructionReleasesTree();
    void setData_data();
    void setData();
    void findCameraIndex_data();
    void findCameraIndex();
    void setEntities();
    void setEntitiesKeepsReusedEntities();
    void countUpdateResults();
};

void TestModelTree::build_data()
{
    QTest::addColumn<QString>("layers");
    QTest::addColumn<QString>("tree");

    QTest::newRow("none") << QString() << QString();
    QTest::newRow("layer without cameras") << "tl1:" << QString();
    QTest::newRow("one model twice") << "tl1:A/c1,A/c2"
                                     << "Layer tl1[A[Cam c1,Cam c2]]";
    QTest::newRow("two models") << "tl1:B/c3,A/c1,B/c2"
                                << "Layer tl1[A[Cam c1],B[Cam c2,Cam c3]]";
    QTest::newRow("same model on two layers, empty layer between")
            << "tl1:A/c1;tl2:;tl3:A/c2"
            << "Layer tl1[A[Cam c1]],Layer tl3[A[Cam c2]]";
    QTest::newRow("model names keep case") << "tl1:a/c1,A/c2"
                                           << "Layer tl1[A[Cam c2],a[Cam c1]]";
}

void TestModelTree::build()
{
    QFETCH(QString, layers);
    QFETCH(QString, tree);

    Checked checked;
    QSignalSpy aboutToReset(&checked.model, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy reset(&checked.model, &QAbstractItemModel::modelReset);
    checked.model.buildFromTransportLayers(Fake::layers(layers));
    QCOMPARE(aboutToReset.count(), 1);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(Probe::tree(checked.model), tree);

    // Every node carries its transport layer; type nodes a camera of their model.
    QVector<CFirmwareUpdateEntity *> nodes;
    Probe::collect(checked.model, {}, nodes);
    for (const CFirmwareUpdateEntity *node : qAsConst(nodes)) {
        QVERIFY(node->transportLayerInfo());
        if (node->entityType() == CFirmwareUpdateEntity::CameraType) {
            QCOMPARE(node->cameraInfo()->modelName(), node->data(0).toString());
            QCOMPARE(node->child(0)->transportLayerInfo(), node->transportLayerInfo());
        }
    }
}

void TestModelTree::rebuildDestroysOldTree()
{
    Checked checked;
    checked.model.buildFromTransportLayers(Fake::layers(kTree));
    QPointer<CFirmwareUpdateEntity> old = Probe::entity(Probe::find(checked.model, "tl1/c1"));
    QVERIFY(checked.model.setData(Probe::find(checked.model, "tl1/c1"), true));
    QCOMPARE(checked.model.selectedCameras().size(), 1);

    checked.model.buildFromTransportLayers(Fake::layers(kTree));
    QVERIFY(old.isNull());
    QVERIFY(checked.model.selectedCameras().isEmpty());
    QCOMPARE(Probe::tree(checked.model),
             "Layer tl1[A[Cam c1,Cam c2],B[Cam c3]],Layer tl2[A[Cam c4]]");

    checked.model.buildFromTransportLayers({});
    QCOMPARE(checked.model.rowCount(), 0);
}

void TestModelTree::data_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("expected");

    const int display = Qt::DisplayRole;
    const int edit = Qt::EditRole;
    QTest::newRow("layer name") << "tl1" << 0 << display << QVariant("Layer tl1");
    QTest::newRow("type name, edit role") << "tl1/A" << 0 << edit << QVariant("A");
    QTest::newRow("device id") << "tl1/c2" << 1 << display << QVariant("c2");
    QTest::newRow("type id is its camera's") << "tl1/B" << 1 << display << QVariant("c3");
    QTest::newRow("selection") << "tl1/c2" << 2 << edit << QVariant(false);
    QTest::newRow("firmware") << "tl1/c2" << 3 << display << QVariant("1.0.0");
    QTest::newRow("no firmware for types") << "tl1/A" << 3 << display << QVariant();
    QTest::newRow("details") << "tl1/c2" << 5 << display << QVariant(3);
    QTest::newRow("status") << "tl1/c2" << 6 << display
                            << QVariant::fromValue(CFirmwareUpdateEntity::Waiting);
    QTest::newRow("result") << "tl1/c2" << 7 << edit
                            << QVariant::fromValue(CFirmwareUpdateEntity::Skipped);
    // Roles that share numbers with columns still do not select fields.
    QTest::newRow("decoration") << "tl1/c2" << 1 << int(Qt::DecorationRole) << QVariant();
    QTest::newRow("tool tip") << "tl1/c2" << 3 << int(Qt::ToolTipRole) << QVariant();
    QTest::newRow("enabled role") << "tl1/c2" << 0 << 8 << QVariant();
    QTest::newRow("user role") << "tl1/c2" << 0 << int(Qt::UserRole) << QVariant();
}

void TestModelTree::data()
{
    QFETCH(QString, node);
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(QVariant, expected);

    Checked checked;
    checked.model.buildFromTransportLayers(Fake::layers(kTree));
    const QModelIndex index = Probe::find(checked.model, node).siblingAtColumn(column);
    QVERIFY(index.isValid());
    const QVariant actual = index.data(role);
    QCOMPARE(actual.userType(), expected.userType());
    QCOMPARE(actual, expected);
    QVERIFY(!checked.model.data({}, Qt::DisplayRole).isValid());
    // Only column 0 has children.
    QCOMPARE(checked.model.rowCount(index.siblingAtColumn(1)), 0);
}

void TestModelTree::flags_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("flags");

    const int base = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    QTest::newRow("layer") << "tl1" << 0 << base;
    QTest::newRow("type") << "tl1/A" << 0 << (base | Qt::ItemIsEditable);
    QTest::newRow("device") << "tl1/c1" << 0 << (base | Qt::ItemIsEditable);
    QTest::newRow("device, selection column") << "tl1/c1" << 2 << base;
    QTest::newRow("type, last column") << "tl1/A" << 7 << base;
}

void TestModelTree::flags()
{
    QFETCH(QString, node);
    QFETCH(int, column);
    QFETCH(int, flags);

    Checked checked;
    checked.model.buildFromTransportLayers(Fake::layers(kTree));
    const QModelIndex index = Probe::find(checked.model, node).siblingAtColumn(column);
    QCOMPARE(int(checked.model.flags(index)), flags);
    // Disabling a node does not change what the view may do with it.
    Probe::entity(index)->setEnabled(false);
    QCOMPARE(int(checked.model.flags(index)), flags);
    QCOMPARE(int(checked.model.flags({})), int(Qt::NoItemFlags));
}

void TestModelTree::headerAndRoles()
{
    CFirmwareUpdateTreeModel model;
    QCOMPARE(model.columnCount(), 8);
    QStringList labels;
    for (int section = -1; section <= 9; ++section)
        labels << model.headerData(section, Qt::Horizontal).toString();
    QCOMPARE(labels,
             QStringList({ "", "Cameras", "Id", "SelectionStatus", "Current Firmware",
                           "Firmware Selected", "Details", "Details", "Details", "Enabled", "" }));
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::EditRole).isValid());

    const QHash<int, QByteArray> expected = { { 0, "DisplayName" },      { 1, "Id" },
                                              { 2, "SelectionStatus" },  { 3, "CurrentFirmware" },
                                              { 4, "SelectedFirmware" }, { 5, "UpdateDetails" },
                                              { 6, "UpdateStatus" },     { 7, "UpdateResult" },
                                              { 8, "Enabled" } };
    QCOMPARE(model.roleNames(), expected);
}

void TestModelTree::translatedHeaders()
{
    MarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    const CFirmwareUpdateTreeModel model;
    QCoreApplication::removeTranslator(&translator);
    QStringList labels;
    for (int section = 0; section < 9; ++section)
        labels << model.headerData(section, Qt::Horizontal).toString();
    QCOMPARE(labels,
             QStringList({ "<Cameras>", "Id", "SelectionStatus", "<Current Firmware>",
                           "<Firmware Selected>", "<Details>", "<Details>", "<Details>",
                           "Enabled" }));
}

void TestModelTree::destructionReleasesTree()
{
    auto *model = new CFirmwareUpdateTreeModel;
    model->buildFromTransportLayers(Fake::layers(kTree));
    QPointer<CFirmwareUpdateEntity> device = Probe::entity(Probe::find(*model, "tl2/c4"));
    QPointer<CFirmwareUpdateEntity> layer = Probe::entity(Probe::find(*model, "tl1"));
    delete model;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(device.isNull());
    QVERIFY(layer.isNull());
}

void TestModelTree::setData_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("emitted");
    QTest::addColumn<int>("readColumn");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<QString>("tracked");

    const int edit = Qt::EditRole;
    QTest::newRow("check through column 0") << 0 << edit << QVariant(true) << true << "tl1/c2@0[0]"
                                            << 2 << QVariant(true) << "tl1/c2";
    QTest::newRow("check through column 2") << 2 << edit << QVariant(true) << true << "tl1/c2@2[2]"
                                            << 2 << QVariant(true) << "tl1/c2";
    QTest::newRow("uncheck") << 2 << edit << QVariant(false) << true << "tl1/c2@2[2]" << 2
                             << QVariant(false) << "";
    QTest::newRow("firmware") << 4 << edit << QVariant("2.0") << true << "tl1/c2@4[4]" << 4
                              << QVariant("2.0") << "";
    QTest::newRow("unchanged firmware still announced")
            << 4 << edit << QVariant("") << true << "tl1/c2@4[4]" << 4 << QVariant("") << "";
    QTest::newRow("status as int") << 6 << edit << QVariant(1) << true << "tl1/c2@6[6]" << 6
                                   << QVariant::fromValue(CFirmwareUpdateEntity::Updating) << "";
    QTest::newRow("status as enum")
            << 6 << edit << QVariant::fromValue(CFirmwareUpdateEntity::Complete) << true
            << "tl1/c2@6[6]" << 6 << QVariant::fromValue(CFirmwareUpdateEntity::Complete) << "";
    QTest::newRow("result") << 7 << edit << QVariant(1) << true << "tl1/c2@7[7]" << 7
                            << QVariant::fromValue(CFirmwareUpdateEntity::Failed) << "";
    QTest::newRow("id refused") << 1 << edit << QVariant("x") << false << "" << 1 << QVariant("c2")
                                << "";
    QTest::newRow("current firmware refused")
            << 3 << edit << QVariant("9") << false << "" << 3 << QVariant("1.0.0") << "";
    QTest::newRow("details refused")
            << 5 << edit << QVariant(0) << false << "" << 5 << QVariant(3) << "";
    QTest::newRow("display role refused") << 2 << int(Qt::DisplayRole) << QVariant(true) << false
                                          << "" << 2 << QVariant(false) << "";
    QTest::newRow("check state role refused")
            << 0 << int(Qt::CheckStateRole) << QVariant(Qt::Checked) << false << "" << 2
            << QVariant(false) << "";
}

void TestModelTree::setData()
{
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    QFETCH(bool, accepted);
    QFETCH(QString, emitted);
    QFETCH(int, readColumn);
    QFETCH(QVariant, expected);
    QFETCH(QString, tracked);

    Checked checked;
    checked.model.buildFromTransportLayers(Fake::layers(kTree));
    const QModelIndex index = Probe::find(checked.model, "tl1/c2");
    if (!value.toBool() && column == 2)
        checked.model.setData(index.siblingAtColumn(column), true);

    QSignalSpy spy(&checked.model, &QAbstractItemModel::dataChanged);
    QCOMPARE(checked.model.setData(index.siblingAtColumn(column), value, role), accepted);
    QCOMPARE(Probe::dataChanged(spy), emitted);
    QCOMPARE(index.siblingAtColumn(readColumn).data(), expected);
    QStringList trackedLabels;
    for (const auto &camera : checked.model.selectedCameras())
        trackedLabels << Probe::label(camera);
    QCOMPARE(trackedLabels.join(' '), tracked);
    QVERIFY(!checked.model.setData({}, value));
}

void TestModelTree::findCameraIndex_data()
{
    QTest::addColumn<QString>("layers");
    QTest::addColumn<QString>("layerId");
    QTest::addColumn<QString>("cameraId");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("found");

    QTest::newRow("device") << kTree << "tl1"
                            << "c3" << 2 << "tl1/c3";
    QTest::newRow("last column") << kTree << "tl2"
                                 << "c4" << 7 << "tl2/c4";
    QTest::newRow("wrong layer") << kTree << "tl2"
                                 << "c1" << 0 << "";
    QTest::newRow("ids are case-sensitive") << kTree << "tl1"
                                            << "C1" << 0 << "";
    QTest::newRow("layer ids too") << kTree << "TL1"
                                   << "c1" << 0 << "";
    QTest::newRow("column 8") << kTree << "tl1"
                              << "c1" << 8 << "";
    QTest::newRow("negative column") << kTree << "tl1"
                                     << "c1" << -1 << "";
    QTest::newRow("same id on two layers") << "tl1:A/x;tl2:A/x"
                                           << "tl2"
                                           << "x" << 1 << "tl2/x";
}

void TestModelTree::findCameraIndex()
{
    QFETCH(QString, layers);
    QFETCH(QString, layerId);
    QFETCH(QString, cameraId);
    QFETCH(int, column);
    QFETCH(QString, found);

    Checked checked;
    checked.model.buildFromTransportLayers(Fake::layers(layers));
    const QModelIndex index = checked.model.findCameraIndex(layerId, cameraId, column);
    QCOMPARE(index.isValid() ? Probe::label(index) : QString(), found);
    if (index.isValid()) {
        QCOMPARE(index.column(), column);
        QCOMPARE(index, checked.model.index(index.row(), column, index.parent()));
    }
}

void TestModelTree::setEntities()
{
    Checked checked;
    checked.model.buildFromTransportLayers(Fake::layers(kTree));
    QSignalSpy reset(&checked.model, &QAbstractItemModel::modelReset);

    QList<CFirmwareUpdateEntity *> entities = { device("b", CFirmwareUpdateEntity::OK, true),
                                                device("a", CFirmwareUpdateEntity::OK, true),
                                                device("c", CFirmwareUpdateEntity::Failed) };
    entities.insert(1, nullptr);
    checked.model.setEntities(entities);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(checked.model.rowCount(), 3);
    QList<QPointer<CFirmwareUpdateEntity>> guarded;
    for (int row = 0; row < 3; ++row) {
        const QModelIndex index = checked.model.index(row, 0);
        QVERIFY(!index.parent().isValid());
        QCOMPARE(checked.model.rowCount(index), 0);
        guarded << Probe::entity(index);
    }
    QCOMPARE(Probe::label(guarded.at(0)), "b");
    QCOMPARE(guarded.at(0)->parent(), guarded.at(1)->parent());
    QVERIFY(guarded.at(0)->parent());

    QStringList tracked;
    for (const auto &camera : checked.model.selectedCameras())
        tracked << camera->cameraInfo()->id();
    QCOMPARE(tracked, QStringList({ "a", "b" }));

    // In a flat list the transport layer is not part of the match.
    QCOMPARE(Probe::label(checked.model.findCameraIndex("other", "c", 6)), "c");
    QCOMPARE(checked.model.findCameraIndex("other", "c", 6).row(), 2);

    // The next list replaces the old one, whose entities go with it.
    checked.model.setEntities({});
    QCOMPARE(checked.model.rowCount(), 0);
    QVERIFY(checked.model.selectedCameras().isEmpty());
    for (const auto &entity : guarded)
        QVERIFY(entity.isNull());
}

void TestModelTree::setEntitiesKeepsReusedEntities()
{
    Checked checked;
    auto *kept = device("k", CFirmwareUpdateEntity::OK, true);
    QPointer<CFirmwareUpdateEntity> dropped = device("d", CFirmwareUpdateEntity::OK);
    checked.model.setEntities({ kept, dropped });
    checked.model.setEntities({ kept });
    QVERIFY(dropped.isNull());
    QCOMPARE(checked.model.rowCount(), 1);
    QCOMPARE(Probe::entity(checked.model.index(0, 0)), kept);
    QCOMPARE(checked.model.selectedCameras().value(0).data(), kept);
}

void TestModelTree::countUpdateResults()
{
    Checked checked;
    auto *typeNode = new CFirmwareUpdateEntity;
    typeNode->setEntityType(CFirmwareUpdateEntity::CameraType);
    typeNode->setCameraInfo(Fake::camera("t", "M"));
    typeNode->setUpdateResult(CFirmwareUpdateEntity::OK);
    checked.model.setEntities({ device("1", CFirmwareUpdateEntity::OK),
                                device("2", CFirmwareUpdateEntity::Failed), typeNode,
                                device("3", CFirmwareUpdateEntity::OK),
                                device("4", CFirmwareUpdateEntity::Skipped) });
    int failed = 10, ok = 20, skipped = 30;
    checked.model.countUpdateResults(&failed, &ok, &skipped);
    QCOMPARE(QList<int>({ failed, ok, skipped }), QList<int>({ 11, 22, 31 }));
    checked.model.countUpdateResults(&failed, nullptr, nullptr);
    QCOMPARE(failed, 12);

    // In the camera tree only the devices count, however deep they sit.
    checked.model.buildFromTransportLayers(Fake::layers(kTree));
    failed = ok = skipped = 0;
    checked.model.countUpdateResults(&failed, &ok, &skipped);
    QCOMPARE(QList<int>({ failed, ok, skipped }), QList<int>({ 0, 0, 4 }));
}

QTEST_MAIN(TestModelTree)
#include "tst_model_tree.moc"
