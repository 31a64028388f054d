// The sandbox's camera list and the simulated pool at 10,000 cameras: loading
// the pool, building the list and the periodic text refresh, next to a plain
// QTreeWidget filled with the same rows. Run by hand (or with scripts/bench):
//   QT_QPA_PLATFORM=offscreen <build>/bench/bench_sandbox_list [cameras, 10000 by default]
#include "BenchFigures.h"

#include "sandbox/CCameraSelectorView.h"
#include "simulator/CCameraPool.h"

#include <QApplication>
#include <QHeaderView>
#include <QJsonArray>
#include <QJsonObject>

namespace {

constexpr int kLayers = 10;
int kCameras = 10000;

QJsonObject setup()
{
    QJsonArray layers;
    for (int l = 0; l < kLayers; ++l) {
        QJsonArray cameras;
        for (int c = l; c < kCameras; c += kLayers) {
            const QString id = QStringLiteral("SN%1").arg(c, 6, 10, QLatin1Char('0'));
            cameras.append(QJsonObject { { "id", id },
                                         { "displayName", QStringLiteral("Camera ") + id },
                                         { "modelName", QStringLiteral("Model %1").arg(c % 10) },
                                         { "firmwareVersion", "1.0.0" } });
        }
        layers.append(
                QJsonObject { { "id", QStringLiteral("TL%1").arg(l) }, { "cameras", cameras } });
    }
    return QJsonObject { { "transportLayers", layers } };
}

void fillReference(QTreeWidget &tree, Simulator::CCameraPool &pool)
{
    tree.clear();
    for (const auto &layer : pool.transportLayers()) {
        auto *layerItem = new QTreeWidgetItem(&tree, { layer->displayName() });
        for (const auto &camera : layer->cameras())
            new QTreeWidgetItem(layerItem,
                                { camera->displayName(), camera->modelName(),
                                  camera->currentFirmwareVersion(), QStringLiteral("0"), QString(),
                                  camera->id() });
    }
    tree.expandAll();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc > 1)
        kCameras = std::max(kLayers, QByteArray(argv[1]).toInt());
    Bench::printHeader(
            qPrintable(QStringLiteral("sandbox camera list, %1 cameras (ms)").arg(kCameras)));
    const QJsonObject cameras = setup();
    Simulator::CCameraPool pool;
    Bench::compare(
            QStringLiteral("pool: load the cameras"),
            [&] { return Bench::elapsedMs([&] { pool.loadSetup(cameras); }); }, {},
            QStringLiteral("< 1000 ms"), 3);

    Sandbox::CCameraSelectorView list(&pool);
    list.resize(900, 520);
    list.show();
    QTreeWidget reference;
    reference.setColumnCount(6);
    reference.header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    reference.resize(900, 520);
    reference.show();
    const auto paint = [] {
        QCoreApplication::processEvents();
    };
    Bench::compare(
            QStringLiteral("list: rebuild"),
            [&] {
                return Bench::elapsedMs([&] {
                    list.rebuild();
                    paint();
                });
            },
            [&] {
                return Bench::elapsedMs([&] {
                    fillReference(reference, pool);
                    paint();
                });
            },
            QStringLiteral("< 1000 ms"), 3);
    Bench::compare(
            QStringLiteral("list: refresh texts"),
            [&] {
                return Bench::elapsedMs([&] {
                    list.refreshTexts();
                    paint();
                });
            },
            {}, QStringLiteral("< 100 ms"), 3);
    return 0;
}
