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

// "QString:1.0.0", ":" when there is no value.
QString show(const QVariant &value)
{
    return QString(value.typeName()).section("::", -1) + ':' + value.toString();
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

    // "node@column" with 'e' for the edit role, 'd' for the decoration role,
    // 'c' check state, 'a' accessible text, 'n' accessible description and
    // 't' the tool tip,
    // shown as "type:value" and " editable" when it is. A disabled node stays
    // editable: the check box editor shows it disabled.
    void cells()
    {
        Probe::entity(Probe::find(model(), "tl1/c1"))
                ->setDeviceFirmwareUpdate(Fake::update("0.9.9"));
        const QString cells
                = "tl1/A@0e tl1@1 tl1/B@1 tl1/c2@2e tl1/A@3 tl1/c2@3 tl1/c1@3 tl1/c2@5 "
                  "tl1/c2@6 tl1/c2@7 tl1/c2@1d tl1/c1@0c tl1@0c tl1/c2@3a tl1/c2@5a tl1/c2@6a "
                  "tl1/c2@7a tl1/c2@0n tl1@0n tl1/c1@3t tl1/A@0t";
        QStringList shown;
        for (const QString &cell : cells.split(' ')) {
            const int column = cell.section('@', 1).left(1).toInt();
            const QModelIndex index
                    = Probe::find(*m_model, cell.section('@', 0, 0)).siblingAtColumn(column);
            const int letter = QString("-det------can").indexOf(cell.back());
            const int role = qMax(0, letter); // display: 0
            Probe::entity(index)->setEnabled(false);
            const int flags = m_model->flags(index) ^ Qt::ItemIsSelectable ^ Qt::ItemIsEnabled;
            const QString editable = flags == (Qt::ItemIsEditable | Qt::ItemIsUserCheckable)
                    ? " editable"
                    : flags ? " ?"
                            : "";
            shown << cell + ' ' + show(index.data(role)) + editable;
            QCOMPARE(m_model->rowCount(index.siblingAtColumn(1)), 0);
        }
        QCOMPARE(shown,
                 QStringList({ "tl1/A@0e QString:A editable", "tl1@1 QString:tl1",
                               "tl1/B@1 QString:c3", "tl1/c2@2e bool:false",
                               "tl1/A@3 :", "tl1/c2@3 QString:1.0.0", "tl1/c1@3 QString:0.9.9",
                               "tl1/c2@5 int:3", "tl1/c2@6 EFirmwareUpdateStatus:Waiting",
                               "tl1/c2@7 EFirmwareUpdateResult:Skipped",
                               "tl1/c2@1d :", "tl1/c1@0c int:0 editable",
                               "tl1@0c :", "tl1/c2@3a :", "tl1/c2@5a QString:Unknown",
                               "tl1/c2@6a QString:Waiting", "tl1/c2@7a QString:Skipped",
                               "tl1/c2@0n QString:Unavailable: cameras of another model are "
                               "checked editable",
                               "tl1@0n :",
                               "tl1/c1@3t QString:<qt>Name: Cam c1<br>Id: c1<br>Model: A<br>"
                               "Transport layer: Layer tl1<br>Firmware: 0.9.9</qt>",
                               "tl1/A@0t : editable" }));
    }

    // The shipped catalogues carry the labels in the "QObject" context; the
    // labels follow the catalogues installed at the time they are asked for.
    void header()
    {
        MarkingTranslator translator;
        const CFirmwareUpdateTreeModel model;
        const auto labels = [&] {
            QStringList shown;
            for (int section = -1; section <= 9; ++section)
                shown << model.headerData(section, Qt::Horizontal).toString();
            return shown.join('|');
        };
        QCoreApplication::installTranslator(&translator);
        const QString translated = labels();
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(translated,
                 "|<Cameras>|Id|SelectionStatus|<Current Firmware>|<Firmware "
                 "Selected>|<Details>|<Details>|<Details>|Enabled|");
        QCOMPARE(labels(),
                 "|Cameras|Id|SelectionStatus|Current Firmware|Firmware "
                 "Selected|Details|Details|Details|Enabled|");
        QVERIFY(!model.headerData(0, Qt::Vertical).isValid()
                && !model.headerData(0, Qt::Horizontal, Qt::EditRole).isValid());
    }

    // Per write to camera c2: accepted (1) or not, what it emitted, what the
    // column shows then (column 2 for column 0) and how many cameras are
    // tracked; unchecking through either column stops tracking again.
    void setData()
    {
        const int edit = Qt::EditRole;
        // The second firmware write changes nothing and is still announced.
        const QVariant complete = QVariant::fromValue(CFirmwareUpdateEntity::Complete);
        const std::tuple<int, int, QVariant> writes[]
                = { { 0, edit, true }, { 2, edit, true }, { 4, edit, "2.0" },
                    { 4, edit, "" },   { 6, edit, 1 },    { 6, edit, complete },
                    { 7, edit, 1 },    { 3, edit, "9" },  { 0, Qt::CheckStateRole, 2 } };
        QStringList results;
        for (const auto &[column, role, value] : writes) {
            const QModelIndex index = Probe::find(model(), "tl1/c2");
            QSignalSpy spy(m_model.data(), &QAbstractItemModel::dataChanged);
            results << QString("%1 %2 %3 %4")
                               .arg(m_model->setData(index.siblingAtColumn(column), value, role))
                               .arg(Probe::dataChanged(spy))
                               .arg(show(index.siblingAtColumn(column ? column : 2).data()))
                               .arg(m_model->selectedCameras().size());
            m_model->setData(index.siblingAtColumn(column ? 2 : 0), false);
            QVERIFY(m_model->selectedCameras().isEmpty());
        }
        QVERIFY(!m_model->setData({}, true));
        QCOMPARE(results,
                 QStringList({ "1 tl1/c2@0[0] bool:true 1", "1 tl1/c2@2[2] bool:true 1",
                               "1 tl1/c2@4[4] QString:2.0 0", "1 tl1/c2@4[4] QString: 0",
                               "1 tl1/c2@6[6] EFirmwareUpdateStatus:Updating 0",
                               "1 tl1/c2@6[6] EFirmwareUpdateStatus:Complete 0",
                               "1 tl1/c2@7[7] EFirmwareUpdateResult:Failed 0", "0  QString:1.0.0 0",
                               "0  bool:false 0" }));
    }

    // Out of range columns and cameras of another layer find nothing; an id
    // on two layers is told apart by its layer.
    void findCameraIndex()
    {
        model("tl1:A/c1,B/c3;tl2:A/c1,B/c4");
        QStringList found;
        const std::tuple<const char *, const char *, int> rows[]
                = { { "tl1", "c3", 2 }, { "tl2", "c4", 7 },  { "tl2", "c3", 0 },
                    { "tl1", "c1", 8 }, { "tl1", "c1", -1 }, { "tl2", "c1", 1 } };
        for (const auto &[layer, id, column] : rows) {
            const QModelIndex index = m_model->findCameraIndex(layer, id, column);
            found << (index.isValid() ? Probe::label(Probe::entity(index)) + '@'
                                      + QString::number(index.column())
                                      : "-");
            if (index.isValid())
                QCOMPARE(index, m_model->index(index.row(), column, index.parent()));
        }
        QCOMPARE(found.join(' '), "tl1/c3@2 tl2/c4@7 - - - tl2/c1@1");
    }

    void flatList()
    {
        model();
        QSignalSpy reset(m_model.data(), &QAbstractItemModel::modelReset);
        // "t" is a camera model node; every other one a device.
        using E = CFirmwareUpdateEntity;
        const std::tuple<const char *, E::EFirmwareUpdateResult, bool> nodes[]
                = { { "b", E::OK, true },
                    { "a", E::OK, true },
                    { "c", E::Failed, false },
                    { "t", E::OK, false },
                    { "d", E::Skipped, false } };
        QList<E *> list;
        for (const auto &[id, result, selected] : nodes) {
            list << new E;
            list.last()->setEntityType(*id == 't' ? E::CameraType : E::CameraDevice);
            list.last()->setCameraInfo(Fake::camera(id, "M", "tl"));
            list.last()->setUpdateResult(result);
            list.last()->setSelected(selected);
        }
        E *kept = list.first();
        QPointer<E> dropped = list.at(2);
        list.insert(1, nullptr);
        m_model->setEntities(list);
        QCOMPARE(reset.count(), 1);
        QCOMPARE(Probe::tree(*m_model), "Cam b,Cam a,Cam c,M,Cam d");
        QCOMPARE(Probe::state(*m_model), "a b |  | a b");

        // Devices only, added to what the counters held.
        int failed = 10, ok = 20, skipped = 30;
        m_model->countUpdateResults(&failed, &ok, &skipped);
        QCOMPARE(QList<int>({ failed, ok, skipped }), QList<int>({ 11, 22, 31 }));

        // In a flat list the transport layer takes no part in the match.
        QCOMPARE(m_model->findCameraIndex("other", "c", 6).row(), 2);

        // The next list replaces this one; an entity handed over again survives.
        m_model->setEntities({ kept });
        QVERIFY(dropped.isNull());
        QCOMPARE(Probe::state(*m_model), "b |  | b");
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
        tree("shared names get their ids", "tl1:A/x;tl2:A/x,A/y",
             "Layer tl1[A[Cam x (x)]],Layer tl2[A[Cam x (x),Cam y]]");

        // "selected | disabled | tracked", '#' for the other model's nodes.
        const auto state = [](const char *name, const char *actions, QString expected,
                              const QString &layers = kTree) {
            QTest::newRow(name) << layers << actions
                                << expected.replace('#', "tl1/B tl1/c3 tl2/B tl2/c5");
        };
        state("device: its type, other models off", "+tl1/c1", "tl1/A tl1/c1 | # | tl1/c1");
        state("not the last deselection", "+tl1/c1 +tl1/c2 -tl1/c1", "tl1/A tl1/c2 | # | tl1/c2");
        state("last deselection undoes it", "+tl1/c1 +tl1/c2 -tl1/c1 -tl1/c2", " |  | ");
        state("other layer", "+tl1/c1 +tl2/c4", "tl1/A tl1/c1 tl2/A tl2/c4 | # | tl1/c1 tl2/c4");
        state("type", "+tl1/A", "tl1/A tl1/c1 tl1/c2 tl2/A tl2/c4 | # | tl1/c1 tl1/c2 tl2/c4");
        state("type deselects its model everywhere", "+tl2/A -tl1/A", " |  | ");
        state("device off, type on", "+tl1/A -tl1/c1",
              "tl1/A tl1/c2 tl2/A tl2/c4 | # | tl1/c2 tl2/c4");
        state("same id twice: the later one stays tracked", "+tl1/x +tl2/x",
              "tl1/A tl1/x tl2/A tl2/x |  | tl2/x", "tl1:A/x;tl2:A/x");
        state("same id twice, through the type", "+tl1/A", "tl1/A tl1/x tl2/A tl2/x |  | tl2/x",
              "tl1:A/x;tl2:A/x");
        state("ids in code-unit order", "+tl1/M",
              "tl1/B tl1/M tl1/_ tl1/a10 tl1/a9 tl1/b |  | tl1/B tl1/_ tl1/a10 tl1/a9 tl1/b",
              "tl1:M/b,M/a10,M/a9,M/B,M/_");
        state("transport layers take no part", "+tl1", "tl1 |  | ");
        state("model still checked on another layer", "+tl1/c1 +tl2/c4 -tl1/c1",
              "tl2/A tl2/c4 | # | tl2/c4");
        state("model still checked on another layer, through its type", "+tl2/A -tl1/c1 -tl1/c2",
              "tl2/A tl2/c4 | # | tl2/c4");

        // After the edit's own signal, column 0 of every node once: one
        // signal per run of sibling leaves, each parent alone, parents before
        // children; rows in name order, as the sorted view shows them.
        const auto emitted = [](const char *name, const char *actions, const QString &emitted,
                                const char *layers = "tl1:B/c3,A/c1,A/c2") {
            QTest::newRow(name) << layers << actions << "signals: " + emitted;
        };
        emitted("two transport layers", "+tl2/B",
                "tl2/B@0[0] tl1@0[0,8,2] tl2@0[0,8,2] tl1/A@0[0,8,2] tl1/c1@0[0,8,2] "
                "tl2/A@0[0,8,2] tl2/B@0[0,8,2] tl2/c2@0[0,8,2] tl2/c3@0..tl2/c4[0,8,2]",
                "tl1:A/c1;tl2:B/c4,A/c2,B/c3");
        QString sweep = "tl1@0[#] tl1/A@0[#] tl1/B@0[#] tl1/c1@0..tl1/c2[#] tl1/c3@0[#]";
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
        QVERIFY(reset.count() == 1 && old.isNull());
        QCOMPARE(Probe::state(*m_model), " |  | ");

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

    // Random clicks on whatever check box is enabled, over models spread on
    // several layers: after every click the cameras shown checked (checked
    // and enabled) are exactly the selection, all of one model.
    // FU_RANDOM_SEQUENCES runs more sequences, FU_RANDOM_SEED another seed.
    void randomClicksKeepSelectionTrue()
    {
        const int sequences = qEnvironmentVariable("FU_RANDOM_SEQUENCES", "300").toInt();
        const quint32 seed = qEnvironmentVariable("FU_RANDOM_SEED", "20261206").toUInt();
        QRandomGenerator random(seed);
        m_tester.reset(); // its checks on every signal would dominate the run
        for (int sequence = 0; sequence < sequences; ++sequence) {
            model("tl1:A/c1,A/c2,B/c3;tl2:A/c4,B/c5,C/c6;tl3:B/c7,A/c8");
            QStringList clicks;
            for (int click = 0; click < 12; ++click) {
                QModelIndexList clickable;
                for (const QModelIndex &index : Probe::indexes(*m_model)) {
                    const CFirmwareUpdateEntity *node = Probe::entity(index);
                    if (node->enabled() && node->entityType() != CFirmwareUpdateEntity::TransportLayer)
                        clickable << index;
                }
                const QModelIndex index = clickable.at(random.bounded(clickable.size()));
                clicks << (Probe::entity(index)->selected() ? '-' : '+')
                                + Probe::label(Probe::entity(index));
                toggle(*m_model, clicks.last());

                QStringList shown, models, tracked;
                for (const QModelIndex &node : Probe::indexes(*m_model)) {
                    const CFirmwareUpdateEntity *camera = Probe::entity(node);
                    if (camera->entityType() != CFirmwareUpdateEntity::CameraDevice
                        || !camera->selected())
                        continue;
                    if (camera->enabled())
                        shown << Probe::label(camera);
                    models << camera->cameraInfo()->modelName();
                }
                for (const auto &camera : m_model->selectedCameras())
                    tracked << Probe::label(camera);
                shown.sort();
                tracked.sort();
                models.removeDuplicates();
                const QString where = QString("seed %1, sequence %2: ").arg(seed).arg(sequence);
                QVERIFY2(shown == tracked && models.size() <= 1,
                         qPrintable(where + clicks.join(' ')));
            }
        }
    }
};

QTEST_MAIN(TestModelTree)
#include "tst_model_tree.moc"
