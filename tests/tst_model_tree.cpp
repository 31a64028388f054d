#include "model/CFirmwareUpdateTreeModel.h"
#include "support/FakeCameras.h"
#include "support/ModelProbe.h"

#include <QAbstractItemModelTester>
#include <QtTest>

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel;

namespace {

const QString kTree = QStringLiteral("tl1:A/c1,A/c2,B/c3;tl2:A/c4,B/c5");

// "+tl1/c1 -tl1/A", node by node as the check box editor does it: write the
// check state, then apply the rule.
void toggle(CFirmwareUpdateTreeModel &model, const QString &actions)
{
    for (const QString &action : actions.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QModelIndex index = Probe::find(model, action.mid(1));
        QVERIFY2(model.setData(index, action.startsWith(QLatin1Char('+'))), qPrintable(action));
        model.applySelectionRules(index);
    }
}

CFirmwareUpdateEntity *
device(const QString &id, CFirmwareUpdateEntity::EFirmwareUpdateResult result,
       bool selected = false,
       CFirmwareUpdateEntity::EFirmwareUpdateEntityType type = CFirmwareUpdateEntity::CameraDevice)
{
    auto *entity = new CFirmwareUpdateEntity;
    entity->setEntityType(type);
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

    // Watched by the tester for its whole life.
    QScopedPointer<CFirmwareUpdateTreeModel> m_model;
    QScopedPointer<QAbstractItemModelTester> m_tester;

    CFirmwareUpdateTreeModel &model(const QString &layers = kTree)
    {
        m_model->buildFromTransportLayers(Fake::layers(layers));
        return *m_model;
    }

private slots:
    void init()
    {
        m_tester.reset();
        m_model.reset(new CFirmwareUpdateTreeModel);
        m_tester.reset(new QAbstractItemModelTester(
                m_model.data(), QAbstractItemModelTester::FailureReportingMode::QtTest));
    }

    void cells_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("expected");
        QTest::addColumn<bool>("editable");

        const auto row = [](const char *name, const char *node, int column, int role,
                            const QVariant &expected, bool editable) {
            QTest::newRow(name) << node << column << role << expected << editable;
        };
        const int display = Qt::DisplayRole, edit = Qt::EditRole;
        row("layer name", "tl1", 0, display, "Layer tl1", false);
        row("type name", "tl1/A", 0, edit, "A", true);
        row("device name", "tl1/c2", 0, display, "Cam c2", true);
        row("layer id", "tl1", 1, display, "tl1", false);
        row("type id is its camera's", "tl1/B", 1, display, "c3", false);
        row("selection", "tl1/c2", 2, edit, false, false);
        row("no firmware for types", "tl1/A", 3, display, QVariant(), false);
        row("camera firmware", "tl1/c2", 3, display, "1.0.0", false);
        row("update's firmware first", "tl1/c1", 3, display, "0.9.9", false);
        row("details as int", "tl1/c2", 5, display, 3, false);
        row("status", "tl1/c2", 6, display, QVariant::fromValue(CFirmwareUpdateEntity::Waiting),
            false);
        row("result", "tl1/c2", 7, display, QVariant::fromValue(CFirmwareUpdateEntity::Skipped),
            false);
        // Roles that share numbers with columns do not pick fields.
        row("decoration role", "tl1/c2", 1, Qt::DecorationRole, QVariant(), false);
    }

    void cells()
    {
        QFETCH(QString, node);
        QFETCH(int, column);
        QFETCH(int, role);
        QFETCH(QVariant, expected);
        QFETCH(bool, editable);

        Probe::entity(Probe::find(model(), "tl1/c1"))
                ->setDeviceFirmwareUpdate(Fake::update("0.9.9"));
        const QModelIndex index = Probe::find(*m_model, node).siblingAtColumn(column);
        const QVariant actual = index.data(role);
        QCOMPARE(actual.userType(), expected.userType());
        QCOMPARE(actual, expected);
        // A disabled node stays editable: the check box editor shows it disabled.
        Probe::entity(index)->setEnabled(false);
        QCOMPARE(m_model->flags(index),
                 Qt::ItemIsSelectable | Qt::ItemIsEnabled
                         | (editable ? Qt::ItemIsEditable : Qt::NoItemFlags));
        QCOMPARE(m_model->rowCount(index.siblingAtColumn(1)), 0);
    }

    // The shipped catalogues carry the labels in the "QObject" context.
    void header()
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
    }

    void setData_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("emitted"); // empty: refused
        QTest::addColumn<QVariant>("stored"); // what the column shows then; 2 for column 0

        const auto row = [](const char *name, int column, int role, const QVariant &value,
                            const char *emitted, const QVariant &stored) {
            QTest::newRow(name) << column << role << value << emitted << stored;
        };
        const int edit = Qt::EditRole;
        const auto status = [](int value) {
            return QVariant::fromValue(CFirmwareUpdateEntity::EFirmwareUpdateStatus(value));
        };
        row("check, column 0", 0, edit, true, "tl1/c2@0[0]", true);
        row("check, column 2", 2, edit, true, "tl1/c2@2[2]", true);
        row("firmware", 4, edit, "2.0", "tl1/c2@4[4]", "2.0");
        row("unchanged, still announced", 4, edit, "", "tl1/c2@4[4]", "");
        row("status as int", 6, edit, 1, "tl1/c2@6[6]", status(1));
        row("status as enum", 6, edit, status(2), "tl1/c2@6[6]", status(2));
        row("result", 7, edit, 1, "tl1/c2@7[7]",
            QVariant::fromValue(CFirmwareUpdateEntity::Failed));
        row("current firmware", 3, edit, "9", "", "1.0.0");
        row("check state role", 0, Qt::CheckStateRole, Qt::Checked, "", false);
    }

    void setData()
    {
        QFETCH(int, column);
        QFETCH(int, role);
        QFETCH(QVariant, value);
        QFETCH(QString, emitted);
        QFETCH(QVariant, stored);
        const int readBack = column == 0 ? 2 : column;

        const QModelIndex index = Probe::find(model(), "tl1/c2");
        QSignalSpy spy(m_model.data(), &QAbstractItemModel::dataChanged);
        QCOMPARE(m_model->setData(index.siblingAtColumn(column), value, role), !emitted.isEmpty());
        QCOMPARE(Probe::dataChanged(spy), emitted);
        QCOMPARE(index.siblingAtColumn(readBack).data(), stored);
        QCOMPARE(m_model->selectedCameras().size(), readBack == 2 && stored.toBool() ? 1 : 0);

        // Unchecking through either column stops tracking.
        m_model->setData(index.siblingAtColumn(column == 0 ? 0 : 2), false);
        QVERIFY(m_model->selectedCameras().isEmpty());
        QVERIFY(!m_model->setData({}, value));
    }

    void findCameraIndex_data()
    {
        QTest::addColumn<QString>("layers");
        QTest::addColumn<QString>("layerId");
        QTest::addColumn<QString>("cameraId");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("found");

        const auto row = [](const char *name, const QString &layers, const char *layerId,
                            const char *cameraId, int column, const char *found) {
            QTest::newRow(name) << layers << layerId << cameraId << column << found;
        };
        row("device", kTree, "tl1", "c3", 2, "tl1/c3");
        row("last column", kTree, "tl2", "c4", 7, "tl2/c4");
        row("other layer", kTree, "tl2", "c1", 0, "");
        row("column 8", kTree, "tl1", "c1", 8, "");
        row("negative column", kTree, "tl1", "c1", -1, "");
        row("same id on two layers", "tl1:A/x;tl2:A/x", "tl2", "x", 1, "tl2/x");
    }

    void findCameraIndex()
    {
        QFETCH(QString, layers);
        QFETCH(QString, layerId);
        QFETCH(QString, cameraId);
        QFETCH(int, column);
        QFETCH(QString, found);

        const QModelIndex index = model(layers).findCameraIndex(layerId, cameraId, column);
        QCOMPARE(index.isValid() ? Probe::label(index) : QString(), found);
        if (index.isValid())
            QCOMPARE(index, m_model->index(index.row(), column, index.parent()));
    }

    void flatList()
    {
        model();
        QSignalSpy reset(m_model.data(), &QAbstractItemModel::modelReset);
        auto *kept = device("b", CFirmwareUpdateEntity::OK, true);
        QPointer<CFirmwareUpdateEntity> dropped = device("c", CFirmwareUpdateEntity::Failed);
        auto *typeNode
                = device("t", CFirmwareUpdateEntity::OK, false, CFirmwareUpdateEntity::CameraType);
        m_model->setEntities({ kept, nullptr, device("a", CFirmwareUpdateEntity::OK, true), dropped,
                               typeNode, device("d", CFirmwareUpdateEntity::Skipped) });
        QCOMPARE(reset.count(), 1);
        QCOMPARE(Probe::tree(*m_model), "Cam b,Cam a,Cam c,M,Cam d");
        QVERIFY(!m_model->index(0, 0).parent().isValid());
        QCOMPARE(Probe::state(*m_model), "selected: a b | disabled:  | tracked: a b");

        // Devices only, added to what the counters held.
        int failed = 10, ok = 20, skipped = 30;
        m_model->countUpdateResults(&failed, &ok, &skipped);
        QCOMPARE(QList<int>({ failed, ok, skipped }), QList<int>({ 11, 22, 31 }));

        // In a flat list the transport layer takes no part in the match.
        QCOMPARE(m_model->findCameraIndex("other", "c", 6).row(), 2);

        // The next list replaces this one; an entity handed over again survives.
        m_model->setEntities({ kept });
        QVERIFY(dropped.isNull());
        QCOMPARE(Probe::state(*m_model), "selected: b | disabled:  | tracked: b");

        // The model takes its entities with it.
        QPointer<CFirmwareUpdateEntity> owned = device("e", CFirmwareUpdateEntity::OK);
        auto *model = new CFirmwareUpdateTreeModel;
        model->setEntities({ owned });
        delete model;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(owned.isNull());
    }

    // Builds the camera tree from the layers, applies the check box actions
    // and compares the tree when there are none, else the selection state,
    // or with "signals: " what the last action emitted.
    void cameraTree_data()
    {
        QTest::addColumn<QString>("layers");
        QTest::addColumn<QString>("actions");
        QTest::addColumn<QString>("expected");

        const auto tree = [](const char *name, const char *layers, const char *tree) {
            QTest::newRow(name) << layers << QString() << tree;
        };
        tree("none", "", "");
        tree("one model twice", "tl1:A/c1,A/c2", "Layer tl1[A[Cam c1,Cam c2]]");
        tree("two models", "tl1:B/c3,A/c1,B/c2", "Layer tl1[A[Cam c1],B[Cam c2,Cam c3]]");
        tree("one model on two layers", "tl1:A/c1;tl2:;tl3:A/c2",
             "Layer tl1[A[Cam c1]],Layer tl3[A[Cam c2]]");
        tree("model names keep case", "tl1:a/c1,A/c2", "Layer tl1[A[Cam c2],a[Cam c1]]");

        const auto state = [](const char *name, const QString &layers, const char *actions,
                              const char *selected, const char *disabled, const char *tracked) {
            QTest::newRow(name) << layers << actions
                                << QString("selected: %1 | disabled: %2 | tracked: %3")
                                           .arg(selected, disabled, tracked);
        };
        const char *otherModel = "tl1/B tl1/c3 tl2/B tl2/c5";
        state("device selects its type, disables other models", kTree, "+tl1/c1", "tl1/A tl1/c1",
              otherModel, "tl1/c1");
        state("second device of the type", kTree, "+tl1/c1 +tl1/c2", "tl1/A tl1/c1 tl1/c2",
              otherModel, "tl1/c1 tl1/c2");
        state("not the last deselection", kTree, "+tl1/c1 +tl1/c2 -tl1/c1", "tl1/A tl1/c2",
              otherModel, "tl1/c2");
        state("last deselection undoes it", kTree, "+tl1/c1 +tl1/c2 -tl1/c1 -tl1/c2", "", "", "");
        state("same model on another layer", kTree, "+tl1/c1 +tl2/c4", "tl1/A tl1/c1 tl2/A tl2/c4",
              otherModel, "tl1/c1 tl2/c4");
        state("type selects its model everywhere", kTree, "+tl1/A",
              "tl1/A tl1/c1 tl1/c2 tl2/A tl2/c4", otherModel, "tl1/c1 tl1/c2 tl2/c4");
        state("type deselects its model everywhere", kTree, "+tl2/A -tl1/A", "", "", "");
        state("device deselected under a selected type", kTree, "+tl1/A -tl1/c1",
              "tl1/A tl1/c2 tl2/A tl2/c4", otherModel, "tl1/c2 tl2/c4");
        state("same id twice: the later one stays tracked", "tl1:A/x;tl2:A/x", "+tl1/x +tl2/x",
              "tl1/A tl1/x tl2/A tl2/x", "", "tl2/x");
        state("same id twice, through the type", "tl1:A/x;tl2:A/x", "+tl1/A",
              "tl1/A tl1/x tl2/A tl2/x", "", "tl2/x");
        state("ids in code-unit order", "tl1:M/b,M/a10,M/a9,M/B,M/_", "+tl1/M",
              "tl1/B tl1/M tl1/_ tl1/a10 tl1/a9 tl1/b", "", "tl1/B tl1/_ tl1/a10 tl1/a9 tl1/b");
        state("transport layers take no part", kTree, "+tl1", "tl1", "", "");

        // Parents before children, column 0, one signal per node, after the
        // edit's own; rows in name order, as the sorted view shows them.
        const auto emitted = [](const char *name, const char *actions, const QString &emitted) {
            QTest::newRow(name) << "tl1:B/c3,A/c1,A/c2" << actions << "signals: " + emitted;
        };
        QString sweep = "tl1@0[#] tl1/A@0[#] tl1/c1@0[#] tl1/c2@0[#] tl1/B@0[#] tl1/c3@0[#]";
        emitted("first device", "+tl1/c1", "tl1/c1@0[0] " + QString(sweep).replace('#', "0,8"));
        emitted("second device: only its own row", "+tl1/c1 +tl1/c2", "tl1/c2@0[0]");
        emitted("last device", "+tl1/c1 -tl1/c1",
                "tl1/c1@0[0] " + QString(sweep).replace('#', "0,8"));
        emitted("type", "+tl1/A", "tl1/A@0[0] " + sweep.replace('#', "0,8,2"));
    }

    void cameraTree()
    {
        QFETCH(QString, layers);
        QFETCH(QString, actions);
        QFETCH(QString, expected);

        // Every build replaces the previous tree at once, selection included.
        toggle(model(), "+tl1/c1");
        QPointer<CFirmwareUpdateEntity> old = Probe::entity(Probe::find(*m_model, "tl1/c1"));
        QSignalSpy reset(m_model.data(), &QAbstractItemModel::modelReset);
        model(layers);
        QCOMPARE(reset.count(), 1);
        QVERIFY(old.isNull());
        QCOMPARE(Probe::state(*m_model), "selected:  | disabled:  | tracked: ");

        QStringList steps = actions.split(' ', Qt::SkipEmptyParts);
        const QString last = steps.isEmpty() ? QString() : steps.takeLast();
        toggle(*m_model, steps.join(' '));
        QSignalSpy spy(m_model.data(), &QAbstractItemModel::dataChanged);
        toggle(*m_model, last);
        if (expected.startsWith("signals: "))
            QCOMPARE("signals: " + Probe::dataChanged(spy), expected);
        else
            QCOMPARE(actions.isEmpty() ? Probe::tree(*m_model) : Probe::state(*m_model), expected);
    }
};

QTEST_MAIN(TestModelTree)
#include "tst_model_tree.moc"
