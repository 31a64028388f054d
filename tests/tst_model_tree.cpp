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
    explicit Checked(const QString &layers = kTree)
    {
        model.buildFromTransportLayers(Fake::layers(layers));
    }
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
    entity->setCameraInfo(Fake::camera(id, "M", "tl"));
    entity->setUpdateResult(result);
    entity->setSelected(selected);
    return entity;
}

// Marks every text it is asked for in the "QObject" context.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *text, const char *, int) const override
    {
        return qstrcmp(context, "QObject") ? QString() : '<' + QString::fromUtf8(text) + '>';
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
    void cells_data();
    void cells();
    void headerAndRoles();
    void setData_data();
    void setData();
    void findCameraIndex_data();
    void findCameraIndex();
    void flatList();
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
    QTest::newRow("one model on two layers") << "tl1:A/c1;tl2:;tl3:A/c2"
                                             << "Layer tl1[A[Cam c1]],Layer tl3[A[Cam c2]]";
    QTest::newRow("model names keep case") << "tl1:a/c1,A/c2"
                                           << "Layer tl1[A[Cam c2],a[Cam c1]]";
}

// Every build replaces the previous tree at once, selection included.
void TestModelTree::build()
{
    QFETCH(QString, layers);
    QFETCH(QString, tree);

    Checked checked;
    const QModelIndex old = Probe::find(checked.model, "tl1/c1");
    QPointer<CFirmwareUpdateEntity> oldEntity = Probe::entity(old);
    checked.model.setData(old, true);
    QSignalSpy aboutToReset(&checked.model, &QAbstractItemModel::modelAboutToBeReset);
    QSignalSpy reset(&checked.model, &QAbstractItemModel::modelReset);
    checked.model.buildFromTransportLayers(Fake::layers(layers));
    QCOMPARE(aboutToReset.count() + reset.count(), 2);
    QVERIFY(oldEntity.isNull());
    QVERIFY(checked.model.selectedCameras().isEmpty());
    QCOMPARE(Probe::tree(checked.model), tree);

    QVector<CFirmwareUpdateEntity *> nodes;
    Probe::collect(checked.model, {}, nodes);
    for (const CFirmwareUpdateEntity *node : qAsConst(nodes)) {
        QVERIFY(node->transportLayerInfo());
        if (node->entityType() == CFirmwareUpdateEntity::CameraType)
            QCOMPARE(node->child(0)->transportLayerInfo(), node->transportLayerInfo());
    }
}

void TestModelTree::cells_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("expected");
    QTest::addColumn<bool>("editable");

    const int display = Qt::DisplayRole, edit = Qt::EditRole;
    QTest::newRow("layer name") << "tl1" << 0 << display << QVariant("Layer tl1") << false;
    QTest::newRow("type name") << "tl1/A" << 0 << edit << QVariant("A") << true;
    QTest::newRow("device name") << "tl1/c2" << 0 << display << QVariant("Cam c2") << true;
    QTest::newRow("type id is its camera's") << "tl1/B" << 1 << display << QVariant("c3") << false;
    QTest::newRow("selection") << "tl1/c2" << 2 << edit << QVariant(false) << false;
    QTest::newRow("firmware") << "tl1/c2" << 3 << display << QVariant("1.0.0") << false;
    QTest::newRow("status") << "tl1/c2" << 6 << display
                            << QVariant::fromValue(CFirmwareUpdateEntity::Waiting) << false;
    // Roles that share numbers with columns do not pick fields.
    QTest::newRow("decoration role")
            << "tl1/c2" << 1 << int(Qt::DecorationRole) << QVariant() << false;
    QTest::newRow("tool tip role") << "tl1/c2" << 3 << int(Qt::ToolTipRole) << QVariant() << false;
    QTest::newRow("enabled role") << "tl1/c2" << 0 << 8 << QVariant() << true;
}

void TestModelTree::cells()
{
    QFETCH(QString, node);
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(QVariant, expected);
    QFETCH(bool, editable);

    Checked checked;
    const QModelIndex index = Probe::find(checked.model, node).siblingAtColumn(column);
    const QVariant actual = index.data(role);
    QCOMPARE(actual.userType(), expected.userType());
    QCOMPARE(actual, expected);
    // A disabled node stays editable: the check box editor shows it disabled.
    Probe::entity(index)->setEnabled(false);
    QCOMPARE(checked.model.flags(index),
             Qt::ItemIsSelectable | Qt::ItemIsEnabled
                     | (editable ? Qt::ItemIsEditable : Qt::NoItemFlags));
    QCOMPARE(checked.model.rowCount(index.siblingAtColumn(1)), 0);
}

void TestModelTree::headerAndRoles()
{
    MarkingTranslator translator;
    QCoreApplication::installTranslator(&translator);
    const CFirmwareUpdateTreeModel model;
    QCoreApplication::removeTranslator(&translator);
    QStringList labels;
    for (int section = -1; section <= 9; ++section)
        labels << model.headerData(section, Qt::Horizontal).toString();
    QCOMPARE(labels.join('|'),
             "|<Cameras>|Id|SelectionStatus|<Current Firmware>|<Firmware "
             "Selected>|<Details>|<Details>|<Details>|Enabled|");
    QVERIFY(!model.headerData(0, Qt::Vertical).isValid());
    QVERIFY(!model.headerData(0, Qt::Horizontal, Qt::EditRole).isValid());
    QCOMPARE(model.columnCount(), 8);

    QStringList roles;
    for (int role = 0; role <= 8; ++role)
        roles << model.roleNames().value(role);
    QCOMPARE(roles.join(' '),
             "DisplayName Id SelectionStatus CurrentFirmware SelectedFirmware "
             "UpdateDetails UpdateStatus UpdateResult Enabled");
    QCOMPARE(model.roleNames().size(), 9);
}

void TestModelTree::setData_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("role");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("emitted"); // empty: refused
    QTest::addColumn<QVariant>("stored"); // what column readBack then shows
    QTest::addColumn<int>("readBack");

    const int edit = Qt::EditRole;
    QTest::newRow("check, column 0")
            << 0 << edit << QVariant(true) << "tl1/c2@0[0]" << QVariant(true) << 2;
    QTest::newRow("check, column 2")
            << 2 << edit << QVariant(true) << "tl1/c2@2[2]" << QVariant(true) << 2;
    QTest::newRow("firmware") << 4 << edit << QVariant("2.0") << "tl1/c2@4[4]" << QVariant("2.0")
                              << 4;
    QTest::newRow("unchanged, still announced")
            << 4 << edit << QVariant("") << "tl1/c2@4[4]" << QVariant("") << 4;
    QTest::newRow("status as int") << 6 << edit << QVariant(1) << "tl1/c2@6[6]"
                                   << QVariant::fromValue(CFirmwareUpdateEntity::Updating) << 6;
    QTest::newRow("status as enum")
            << 6 << edit << QVariant::fromValue(CFirmwareUpdateEntity::Complete) << "tl1/c2@6[6]"
            << QVariant::fromValue(CFirmwareUpdateEntity::Complete) << 6;
    QTest::newRow("result") << 7 << edit << QVariant(1) << "tl1/c2@7[7]"
                            << QVariant::fromValue(CFirmwareUpdateEntity::Failed) << 7;
    QTest::newRow("id") << 1 << edit << QVariant("x") << "" << QVariant("c2") << 1;
    QTest::newRow("current firmware") << 3 << edit << QVariant("9") << "" << QVariant("1.0.0") << 3;
    QTest::newRow("details") << 5 << edit << QVariant(0) << "" << QVariant(3) << 5;
    QTest::newRow("display role") << 2 << int(Qt::DisplayRole) << QVariant(true) << ""
                                  << QVariant(false) << 2;
    QTest::newRow("check state role")
            << 0 << int(Qt::CheckStateRole) << QVariant(Qt::Checked) << "" << QVariant(false) << 2;
}

void TestModelTree::setData()
{
    QFETCH(int, column);
    QFETCH(int, role);
    QFETCH(QVariant, value);
    QFETCH(QString, emitted);
    QFETCH(QVariant, stored);
    QFETCH(int, readBack);

    Checked checked;
    const QModelIndex index = Probe::find(checked.model, "tl1/c2");
    QSignalSpy spy(&checked.model, &QAbstractItemModel::dataChanged);
    QCOMPARE(checked.model.setData(index.siblingAtColumn(column), value, role), !emitted.isEmpty());
    QCOMPARE(Probe::dataChanged(spy), emitted);
    QCOMPARE(index.siblingAtColumn(readBack).data(), stored);
    QCOMPARE(checked.model.selectedCameras().size(), readBack == 2 && stored.toBool() ? 1 : 0);

    // Unchecking through either column stops tracking.
    checked.model.setData(index.siblingAtColumn(column == 0 ? 0 : 2), false);
    QVERIFY(checked.model.selectedCameras().isEmpty());
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
    QTest::newRow("other layer") << kTree << "tl2"
                                 << "c1" << 0 << "";
    QTest::newRow("camera id case") << kTree << "tl1"
                                    << "C1" << 0 << "";
    QTest::newRow("layer id case") << kTree << "TL1"
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

    Checked checked(layers);
    const QModelIndex index = checked.model.findCameraIndex(layerId, cameraId, column);
    QCOMPARE(index.isValid() ? Probe::label(index) : QString(), found);
    if (index.isValid())
        QCOMPARE(index, checked.model.index(index.row(), column, index.parent()));
}

void TestModelTree::flatList()
{
    Checked checked;
    QSignalSpy reset(&checked.model, &QAbstractItemModel::modelReset);
    auto *kept = device("b", CFirmwareUpdateEntity::OK, true);
    QPointer<CFirmwareUpdateEntity> dropped = device("c", CFirmwareUpdateEntity::Failed);
    auto *typeNode = new CFirmwareUpdateEntity;
    typeNode->setEntityType(CFirmwareUpdateEntity::CameraType);
    typeNode->setCameraInfo(Fake::camera("t", "M"));
    typeNode->setUpdateResult(CFirmwareUpdateEntity::OK);
    checked.model.setEntities({ kept, nullptr, device("a", CFirmwareUpdateEntity::OK, true),
                                dropped, typeNode, device("d", CFirmwareUpdateEntity::Skipped) });
    QCOMPARE(reset.count(), 1);
    QCOMPARE(Probe::tree(checked.model), "Cam b,Cam a,Cam c,M,Cam d");
    QCOMPARE(Probe::entity(checked.model.index(0, 0))->parent(), typeNode->parent());
    QVERIFY(!checked.model.index(0, 0).parent().isValid());
    QCOMPARE(Probe::state(checked.model), "selected: a b | disabled:  | tracked: a b");

    // Devices only, added to what the counters held.
    int failed = 10, ok = 20, skipped = 30;
    checked.model.countUpdateResults(&failed, &ok, &skipped);
    QCOMPARE(QList<int>({ failed, ok, skipped }), QList<int>({ 11, 22, 31 }));

    // In a flat list the transport layer takes no part in the match.
    QCOMPARE(checked.model.findCameraIndex("other", "c", 6).row(), 2);

    // The next list replaces this one; an entity handed over again survives.
    checked.model.setEntities({ kept });
    QVERIFY(dropped.isNull());
    QCOMPARE(Probe::state(checked.model), "selected: b | disabled:  | tracked: b");

    // The model takes its entities with it.
    QPointer<CFirmwareUpdateEntity> owned = device("e", CFirmwareUpdateEntity::OK);
    auto *model = new CFirmwareUpdateTreeModel;
    model->setEntities({ owned });
    delete model;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(owned.isNull());
}

QTEST_MAIN(TestModelTree)
#include "tst_model_tree.moc"
