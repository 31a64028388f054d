#include "model/CFirmwareUpdateTreeModel.h"
#include "support/FakeCameras.h"
#include "support/ModelProbe.h"

#include <QAbstractItemModelTester>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QtTest>

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel;

namespace {

const QString kTree = QStringLiteral("tl1:A/c1,A/c2,B/c3;tl2:A/c4,B/c5");
const auto kMode = QAbstractItemModelTester::FailureReportingMode::QtTest;

// What the check box editor does: write the state, then apply the rule.
void toggle(CFirmwareUpdateTreeModel &model, const QString &action)
{
    const bool check = action.startsWith(QLatin1Char('+'));
    const QModelIndex index = Probe::find(model, action.mid(1));
    QVERIFY2(index.isValid(), qPrintable(action));
    QVERIFY(model.setData(index, check, Qt::EditRole));
    model.applySelectionRules(index);
}

} // namespace

class TestModelSelection : public QObject
{
    Q_OBJECT

private slots:
    void rules_data();
    void rules();
    void signalSequence_data();
    void signalSequence();
    void throughSortedView();
};

void TestModelSelection::rules_data()
{
    QTest::addColumn<QString>("layers");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<QString>("state");

    QTest::newRow("device selects its type, disables other models")
            << kTree << "+tl1/c1"
            << "selected: tl1/A tl1/c1 | disabled: tl1/B tl1/c3 tl2/B tl2/c5 | tracked: tl1/c1";
    QTest::newRow("second device of the type")
            << kTree << "+tl1/c1 +tl1/c2"
            << "selected: tl1/A tl1/c1 tl1/c2 | disabled: tl1/B tl1/c3 tl2/B tl2/c5 | tracked: "
               "tl1/c1 tl1/c2";
    QTest::newRow("not the last deselection")
            << kTree << "+tl1/c1 +tl1/c2 -tl1/c1"
            << "selected: tl1/A tl1/c2 | disabled: tl1/B tl1/c3 tl2/B tl2/c5 | tracked: tl1/c2";
    QTest::newRow("last deselection undoes it") << kTree << "+tl1/c1 +tl1/c2 -tl1/c1 -tl1/c2"
                                                << "selected:  | disabled:  | tracked: ";
    QTest::newRow("same model on another layer")
            << kTree << "+tl1/c1 +tl2/c4"
            << "selected: tl1/A tl1/c1 tl2/A tl2/c4 | disabled: tl1/B tl1/c3 tl2/B tl2/c5 | "
               "tracked: tl1/c1 tl2/c4";
    QTest::newRow("type selects its model everywhere")
            << kTree << "+tl1/A"
            << "selected: tl1/A tl1/c1 tl1/c2 tl2/A tl2/c4 | disabled: tl1/B tl1/c3 tl2/B tl2/c5 "
               "| tracked: tl1/c1 tl1/c2 tl2/c4";
    QTest::newRow("type deselects its model everywhere") << kTree << "+tl2/A -tl1/A"
                                                         << "selected:  | disabled:  | tracked: ";
    QTest::newRow("device deselected under a selected type")
            << kTree << "+tl1/A -tl1/c1"
            << "selected: tl1/A tl1/c2 tl2/A tl2/c4 | disabled: tl1/B tl1/c3 tl2/B tl2/c5 | "
               "tracked: tl1/c2 tl2/c4";
    QTest::newRow("other model") << kTree << "+tl2/c5"
                                 << "selected: tl2/B tl2/c5 | disabled: tl1/A tl1/c1 tl1/c2 "
                                    "tl2/A tl2/c4 | tracked: tl2/c5";
    QTest::newRow("same id twice: the later one stays tracked")
            << "tl1:A/x;tl2:A/x"
            << "+tl1/x +tl2/x"
            << "selected: tl1/A tl1/x tl2/A tl2/x | disabled:  | tracked: tl2/x";
    QTest::newRow("same id twice, through the type")
            << "tl1:A/x;tl2:A/x"
            << "+tl1/A"
            << "selected: tl1/A tl1/x tl2/A tl2/x | disabled:  | tracked: tl2/x";
    QTest::newRow("ids in code-unit order")
            << "tl1:M/b,M/a10,M/a9,M/B,M/_"
            << "+tl1/M"
            << "selected: tl1/B tl1/M tl1/_ tl1/a10 tl1/a9 tl1/b | disabled:  | tracked: tl1/B "
               "tl1/_ tl1/a10 tl1/a9 tl1/b";
    QTest::newRow("transport layers take no part") << kTree << "+tl1"
                                                   << "selected: tl1 | disabled:  | tracked: ";
}

void TestModelSelection::rules()
{
    QFETCH(QString, layers);
    QFETCH(QString, actions);
    QFETCH(QString, state);

    CFirmwareUpdateTreeModel model;
    QAbstractItemModelTester tester(&model, kMode);
    model.buildFromTransportLayers(Fake::layers(layers));
    for (const QString &action : actions.split(QLatin1Char(' ')))
        toggle(model, action);
    QCOMPARE(Probe::state(model), state);
}

void TestModelSelection::signalSequence_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("emitted");

    const QString sweep08 = "tl1@0[0,8] tl1/A@0[0,8] tl1/c1@0[0,8] tl1/c2@0[0,8] tl1/B@0[0,8] "
                            "tl1/c3@0[0,8]";
    QTest::newRow("first device") << ""
                                  << "+tl1/c1"
                                  << "tl1/c1@0[0] " + sweep08;
    QTest::newRow("second device: only its own row") << "+tl1/c1"
                                                     << "+tl1/c2"
                                                     << "tl1/c2@0[0]";
    QTest::newRow("last device") << "+tl1/c1"
                                 << "-tl1/c1"
                                 << "tl1/c1@0[0] " + sweep08;
    QTest::newRow("type")
            << ""
            << "+tl1/A"
            << "tl1/A@0[0] tl1@0[0,8,2] tl1/A@0[0,8,2] tl1/c1@0[0,8,2] tl1/c2@0[0,8,2] "
               "tl1/B@0[0,8,2] tl1/c3@0[0,8,2]";
}

// Parents before children, column 0, one signal per node, after the edit's own.
void TestModelSelection::signalSequence()
{
    QFETCH(QString, before);
    QFETCH(QString, action);
    QFETCH(QString, emitted);

    CFirmwareUpdateTreeModel model;
    QAbstractItemModelTester tester(&model, kMode);
    model.buildFromTransportLayers(Fake::layers("tl1:B/c3,A/c1,A/c2"));
    for (const QString &step : before.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        toggle(model, step);
    QSignalSpy spy(&model, &QAbstractItemModel::dataChanged);
    toggle(model, action);

    // Rows come in name order, as the sorted view shows them.
    QCOMPARE(Probe::dataChanged(spy), emitted);
}

void TestModelSelection::throughSortedView()
{
    CFirmwareUpdateTreeModel model;
    QAbstractItemModelTester tester(&model, kMode);
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(&model);
    QAbstractItemModelTester proxyTester(&proxy, kMode);
    QTreeView view;
    view.setModel(&proxy);
    proxy.sort(0);
    view.resize(400, 300);
    view.show();

    for (int pass = 0; pass < 2; ++pass) {
        model.buildFromTransportLayers(Fake::layers("tl2:B/c5,A/c4;tl1:B/c3,A/c2,A/c1"));
        view.expandAll();
        QCOMPARE(Probe::tree(proxy),
                 "Layer tl1[A[Cam c1,Cam c2],B[Cam c3]],Layer tl2[A[Cam c4],B[Cam c5]]");
        QCOMPARE(proxy.index(0, 0).data().toString(), "Layer tl1");
        const QModelIndex typeInProxy = proxy.index(0, 0, proxy.index(0, 0));
        QCOMPARE(typeInProxy.data().toString(), "A");
        const QModelIndex type = proxy.mapToSource(typeInProxy);
        QVERIFY(model.setData(type, true));
        model.applySelectionRules(type);
        QCOMPARE(Probe::state(model),
                 "selected: tl1/A tl1/c1 tl1/c2 tl2/A tl2/c4 | disabled: tl1/B tl1/c3 tl2/B "
                 "tl2/c5 | tracked: tl1/c1 tl1/c2 tl2/c4");
        QVERIFY(view.isExpanded(typeInProxy));
        toggle(model, "-tl1/c1");
    }
}

QTEST_MAIN(TestModelSelection)
#include "tst_model_selection.moc"
