// Camera tree timings behind a sorted proxy in an expanded tree view, next to
// a QStandardItemModel holding the same tree, and on the real camera page.
// Run by hand (or all benchmarks with scripts/bench):
//   QT_QPA_PLATFORM=offscreen <build>/bench/bench_model
#include "BenchFigures.h"

#include "model/CFirmwareUpdateTreeModel.h"
#include "simulator/CSimulatedCamera.h"
#include "simulator/CSimulatedTransportLayer.h"
#include "view/CCameraSelectionDialog.h"

#include <QElapsedTimer>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QTreeView>
#include <QtTest>

#include <algorithm>
#include <functional>
#include <random>

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel;

namespace {

constexpr int kLayers = 10;
constexpr int kModels = 10;
constexpr int kRuns = 5;

QString modelName(int model)
{
    return QStringLiteral("Model %1").arg(model, 2, 10, QLatin1Char('0'));
}

QVector<Plugin::Dorvix::TransportLayerInfoPtr> makeLayers(int cameras)
{
    QVector<Plugin::Dorvix::TransportLayerInfoPtr> layers;
    for (int l = 0; l < kLayers; ++l) {
        const QString layerId = QStringLiteral("TL%1").arg(l);
        auto layer = QSharedPointer<Simulator::CSimulatedTransportLayer>::create(
                layerId, QStringLiteral("Interface %1").arg(l));
        // Enumeration order is not name order.
        QVector<int> order;
        for (int c = l; c < cameras; c += kLayers)
            order << c;
        std::shuffle(order.begin(), order.end(), std::mt19937(l));
        for (int c : qAsConst(order)) {
            Simulator::CSimulatedCamera::Setup setup;
            setup.id = QStringLiteral("SN%1").arg(c, 6, 10, QLatin1Char('0'));
            setup.displayName = QStringLiteral("Camera ") + setup.id;
            setup.modelName = modelName((c / kLayers) % kModels);
            setup.firmwareVersion = QStringLiteral("1.0.0");
            layer->addCamera(Core::DorvixComponents::CameraInfoPtr(
                    new Simulator::CSimulatedCamera(setup, layerId)));
        }
        layers << layer;
    }
    return layers;
}

// The same three levels and eight columns as rows of a QStandardItemModel.
QList<QStandardItem *> referenceRow(const QString &name, const QString &id, bool checkable,
                                    const QString &firmware)
{
    QList<QStandardItem *> items;
    for (const QString &text : { name, id, QStringLiteral("false"), firmware, QString(),
                                 QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("2") })
        items << new QStandardItem(text);
    items.first()->setCheckable(checkable);
    return items;
}

void fillReference(QStandardItemModel &model,
                   const QVector<Plugin::Dorvix::TransportLayerInfoPtr> &layers)
{
    model.clear();
    model.setColumnCount(8);
    for (const auto &layer : layers) {
        const QList<QStandardItem *> layerRow
                = referenceRow(layer->displayName(), layer->id(), false, QString());
        QMap<QString, QList<QStandardItem *>> types;
        for (const auto &camera : layer->cameras()) {
            QList<QStandardItem *> &type = types[camera->modelName()];
            if (type.isEmpty())
                type = referenceRow(camera->modelName(), camera->id(), true, QString());
            type.first()->appendRow(referenceRow(camera->displayName(), camera->id(), true,
                                                 camera->currentFirmwareVersion()));
        }
        for (const QList<QStandardItem *> &type : qAsConst(types))
            layerRow.first()->appendRow(type);
        model.appendRow(layerRow);
    }
}

// Checks every node of one camera model and disables the others: one
// dataChanged per node, as the update tree model's rule does.
void checkReference(QStandardItem *parent, const QString &model, bool check)
{
    for (int row = 0; row < parent->rowCount(); ++row) {
        QStandardItem *item = parent->child(row);
        if (item->isCheckable()) {
            const bool sameModel
                    = item->hasChildren() ? item->text() == model : item->parent()->text() == model;
            if (sameModel)
                item->setCheckState(check ? Qt::Checked : Qt::Unchecked);
            else
                item->setEnabled(!check);
        }
        checkReference(item, model, check);
    }
}

double medianMs(const std::function<void()> &work)
{
    QVector<double> times;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        times << timer.nsecsElapsed() / 1e6;
    }
    std::sort(times.begin(), times.end());
    return times.at(kRuns / 2);
}

enum ViewMode { NoView, View, UniformView };

// The camera page's arrangement: sorted proxy, expanded tree view.
struct Shown
{
    Shown(QAbstractItemModel *source, int mode)
    {
        if (mode == NoView)
            return;
        view.setUniformRowHeights(mode == UniformView);
        proxy.setSourceModel(source);
        view.setModel(&proxy);
        view.setSortingEnabled(true);
        view.sortByColumn(0, Qt::AscendingOrder);
        view.resize(800, 600);
        view.show();
    }
    void expand()
    {
        if (view.model())
            view.expandAll();
    }
    QSortFilterProxyModel proxy;
    QTreeView view;
};

QString row(const QString &what, int cameras, double ours, double reference)
{
    return QStringLiteral("%1 | %2 | %3 | %4 | %5")
            .arg(what, -26)
            .arg(cameras, 6)
            .arg(ours, 9, 'f', 2)
            .arg(reference, 9, 'f', 2)
            .arg(ours / reference, 5, 'f', 2);
}

} // namespace

class BenchModel : public QObject
{
    Q_OBJECT

private slots:
    void cameraPage();
    void cameraTree();
};

// The camera page as shown: its own view, header, delegate and proxy, one
// column; each step includes the repaint it causes. The reference is a
// QStandardItemModel behind the same proxy and view.
void BenchModel::cameraPage()
{
    using Plugin::FirmwareUpdater::Internal::View::CCameraSelectionDialog;
    Bench::printHeader("camera page (ms, repaint included)");
    const auto paint = [] {
        QCoreApplication::processEvents();
    };
    for (int cameras : { 1000, 10000 }) {
        const auto layers = makeLayers(cameras);
        auto model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
        CCameraSelectionDialog ours;
        ours.resize(700, 600);
        ours.setTreeModel(model);
        ours.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ours));

        CCameraSelectionDialog reference;
        reference.resize(700, 600);
        reference.setTreeModel(QSharedPointer<CFirmwareUpdateTreeModel>::create());
        auto *view = reference.findChild<QTreeView *>();
        auto *proxy = qobject_cast<QSortFilterProxyModel *>(view->model());
        QStandardItemModel standard;
        proxy->setSourceModel(&standard);
        for (int column = 1; column < 8; ++column)
            view->setColumnHidden(column, true);
        reference.show();
        QVERIFY(QTest::qWaitForWindowExposed(&reference));

        const QString size = QString::number(cameras);
        Bench::compare(
                QStringLiteral("P1 build, page, %1 cameras").arg(size),
                [&] {
                    return Bench::elapsedMs([&] {
                        model->buildFromTransportLayers(layers);
                        ours.setTreeModel(model);
                        paint();
                    });
                },
                [&] {
                    return Bench::elapsedMs([&] {
                        fillReference(standard, layers);
                        view->expandAll();
                        view->sortByColumn(0, Qt::AscendingOrder);
                        paint();
                    });
                },
                QStringLiteral("ratio <= 0.5"));

        const QModelIndex type = model->index(0, 0, model->index(0, 0));
        bool check = false;
        bool referenceCheck = false;
        QStandardItem *root = standard.invisibleRootItem();
        Bench::compare(
                QStringLiteral("P1 check a model, page, %1 cameras").arg(size),
                [&] {
                    return Bench::elapsedMs([&] {
                        check = !check;
                        model->setData(type, check);
                        model->applySelectionRules(type);
                        paint();
                    });
                },
                [&] {
                    return Bench::elapsedMs([&] {
                        referenceCheck = !referenceCheck;
                        checkReference(root, modelName(0), referenceCheck);
                        paint();
                    });
                },
                cameras == 1000 ? QStringLiteral("< 5 ms, ratio <= 0.5")
                                : QStringLiteral("ratio <= 0.25"),
                Bench::kRuns * 2);
        QCOMPARE(model->selectedCameras().size(), 0);
    }
}

void BenchModel::cameraTree()
{
    QStringList table = { QStringLiteral(
            "work                       | cameras |   ours ms |    ref ms | ratio") };
    for (int cameras : { 100, 1000, 10000 }) {
        const auto layers = makeLayers(cameras);
        for (int visible : { NoView, View, UniformView }) {
            const QString where = QStringList({ "", ", view", ", uniform view" }).at(visible);
            CFirmwareUpdateTreeModel model;
            Shown ours(&model, visible);
            QStandardItemModel standard;
            Shown reference(&standard, visible);

            const double buildOurs = medianMs([&] {
                model.buildFromTransportLayers(layers);
                ours.expand();
            });
            const double buildReference = medianMs([&] {
                fillReference(standard, layers);
                reference.expand();
            });
            table << row(QStringLiteral("build") + where, cameras, buildOurs, buildReference);

            // Toggle the same type node back and forth: the same work each time.
            const QModelIndex type = model.index(0, 0, model.index(0, 0));
            QCOMPARE(model.rowCount(type), cameras / kLayers / kModels);
            bool check = false;
            const double checkOurs = medianMs([&] {
                check = !check;
                model.setData(type, check);
                model.applySelectionRules(type);
            });
            QCOMPARE(model.selectedCameras().size(), check ? cameras / kModels : 0);
            QStandardItem *root = standard.invisibleRootItem();
            const QString typeName = modelName(0);
            check = false;
            const double checkReferenceMs = medianMs([&] {
                check = !check;
                checkReference(root, typeName, check);
            });
            table << row(QStringLiteral("check type") + where, cameras, checkOurs,
                         checkReferenceMs);
        }
    }
    for (const QString &line : qAsConst(table))
        qInfo().noquote() << line;
}

QTEST_MAIN(BenchModel)
#include "bench_model.moc"
