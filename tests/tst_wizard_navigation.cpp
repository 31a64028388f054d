#include "support/WizardDriver.h"

#include "entity/CFirmwareUpdateEntity.h"

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;

namespace {

const QStringList kCameras = { "A|Cam A|M|1.0", "B|Cam B|M|1.0", "C|Cam C|M|1.0" };

QByteArray updateFile()
{
    return R"({"updates": [{"version": "2.0", "description": "Fixes", "models": ["M"],)"
           R"( "phases": [{"step": "FileUpload", "estimatedMs": 100}]}]})";
}

QList<QPointer<CFirmwareUpdateEntity>> planned(WizardDriver &d)
{
    return d.page3->treeModel()->selectedCameras();
}

} // namespace

class tst_WizardNavigation : public QObject
{
    Q_OBJECT

private slots:
    void backAndForthRebuildsPlan();
    void closeOnEachPage_data();
    void closeOnEachPage();
    void secondRunReusesGeometryAndFile();
    void enumerationChangesDuringRun();
};

void tst_WizardNavigation::backAndForthRebuildsPlan()
{
    WizardDriver d;
    d.addCameras(kCameras);
    const QString path = d.writeUpdateFile(updateFile());
    QVERIFY(d.start());
    QVERIFY(d.toSummary({ "A", "B", "C" }, path));
    const auto first = planned(d);
    QCOMPARE(first.size(), 3);

    // Back to page 2 throws the plan away.
    QVERIFY(WizardDriver::click(d.page3, QStringLiteral("Back")));
    QVERIFY(d.page2->isVisible());
    QCOMPARE(d.page3->treeModel()->rowCount(), 0);
    // Back to page 1, one camera less, and forward again.
    QVERIFY(WizardDriver::click(d.page2, QStringLiteral("Back")));
    QVERIFY(d.page1->isVisible());
    d.check({ "C" }, false);
    QVERIFY(WizardDriver::click(d.page1, QStringLiteral("Next")));
    QVERIFY(WizardDriver::nextEnabled(d.page2));
    QVERIFY(WizardDriver::click(d.page2, QStringLiteral("Next")));
    QVERIFY(d.page3->isVisible());
    WizardDriver::settle();
    for (const auto &old : first)
        QVERIFY(!old);
    QCOMPARE(planned(d).size(), 2);

    // The rebuilt plan still drives Next.
    d.checkPlanned("A", false);
    d.checkPlanned("B", false);
    QVERIFY(!WizardDriver::nextEnabled(d.page3));
    d.checkPlanned("B", true);
    QVERIFY(WizardDriver::nextEnabled(d.page3));
    QVERIFY(WizardDriver::click(d.page3, QStringLiteral("Next")));
    QVERIFY(d.waitForResults());
    QCOMPARE(d.counts(), QStringLiteral("1 0 1"));
    QVERIFY(d.closeOn(d.page5));

    const QStringList log = d.log();
    QCOMPARE(log.count(QStringLiteral("INFO Selected firmware update file ") + path), 2);
    QCOMPARE(log.filter(QStringLiteral("Created update:")).size(), 5);
    QCOMPARE(log.filter(QStringLiteral("Starting firmware update")),
             QStringList { "INFO Starting firmware update (1/1) for camera Cam B" });
}

void tst_WizardNavigation::closeOnEachPage_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("camera selection") << 1;
    QTest::newRow("update file") << 2;
    QTest::newRow("summary") << 3;
    QTest::newRow("results") << 5;
}

void tst_WizardNavigation::closeOnEachPage()
{
    QFETCH(int, page);

    WizardDriver d;
    d.addCameras(kCameras);
    const QString path = d.writeUpdateFile(updateFile());
    QVERIFY(d.start());
    QWidget *closing = d.page1;
    if (page >= 2) {
        d.check({ "A" });
        QVERIFY(WizardDriver::click(d.page1, QStringLiteral("Next")));
        d.typePath(path);
        closing = d.page2;
    }
    if (page >= 3) {
        QVERIFY(WizardDriver::click(d.page2, QStringLiteral("Next")));
        closing = d.page3;
    }
    if (page >= 5) {
        QVERIFY(WizardDriver::click(d.page3, QStringLiteral("Next")));
        QVERIFY(d.waitForResults());
        closing = d.page5;
    }
    QVERIFY(closing->isVisible());
    QVERIFY(d.closeOn(closing));
    for (QWidget *p : QList<QWidget *> { d.page1, d.page2, d.page3, d.page4, d.page5 })
        QVERIFY(!p->isVisible());
    QCOMPARE(d.page3->treeModel()->rowCount(), 0);

    // The machine has stopped, so the wizard starts again.
    QVERIFY(d.start());
    QVERIFY(d.closeOn(d.page1));
}

void tst_WizardNavigation::secondRunReusesGeometryAndFile()
{
    WizardDriver d;
    d.addCameras(kCameras);
    const QString path = d.writeUpdateFile(updateFile());
    QVERIFY(d.start());
    d.page1->move(120, 80);
    d.page1->resize(720, 600);
    QVERIFY(d.toSummary({ "A" }, path));
    QCOMPARE(d.page3->pos(), QPoint(120, 80));
    QVERIFY(WizardDriver::click(d.page3, QStringLiteral("Next")));
    QVERIFY(d.waitForResults());
    d.page5->resize(760, 610);
    QVERIFY(d.closeOn(d.page5));
    const QStringList firstLog = d.log();
    QVERIFY(firstLog.contains(QStringLiteral("INFO Finished all firmware updates")));

    // Second run: same geometry, same file, its own log.
    QVERIFY(d.start());
    QCOMPARE(d.page1->pos(), QPoint(120, 80));
    QCOMPARE(d.page1->size(), QSize(760, 610));
    d.check({ "B" });
    QVERIFY(WizardDriver::click(d.page1, QStringLiteral("Next")));
    auto *edit = d.page2->findChild<QLineEdit *>(QStringLiteral("updateFileLineEdit"));
    QCOMPARE(edit->text(), QDir::toNativeSeparators(path));
    QVERIFY(WizardDriver::nextEnabled(d.page2));
    QVERIFY(WizardDriver::click(d.page2, QStringLiteral("Next")));
    QVERIFY(WizardDriver::click(d.page3, QStringLiteral("Next")));
    QVERIFY(d.waitForResults());
    QVERIFY(d.closeOn(d.page5));
    const QStringList secondLog = d.log();
    QCOMPARE(secondLog.filter(QStringLiteral("Starting firmware update")),
             QStringList { "INFO Starting firmware update (1/1) for camera Cam B" });
    QCOMPARE(secondLog.count(QStringLiteral("INFO Finished all firmware updates")), 1);
}

void tst_WizardNavigation::enumerationChangesDuringRun()
{
    WizardDriver d;
    d.addCameras(kCameras);
    const QString path = d.writeUpdateFile(updateFile());
    QVERIFY(d.start());
    QVERIFY(d.toSummary({ "A", "B" }, path));

    // A camera appears while page 3 is shown: only the camera tree changes.
    Simulator::CSimulatedCamera::Setup setup;
    setup.id = QStringLiteral("D");
    setup.displayName = QStringLiteral("Cam D");
    setup.modelName = QStringLiteral("M");
    setup.firmwareVersion = QStringLiteral("1.0");
    d.host.pool.addCamera(QStringLiteral("GigE"), setup);
    d.host.pool.announceEnumerationChanged();
    QTRY_VERIFY(d.page1->treeModel()
                        ->findCameraIndex(QStringLiteral("GigE"), QStringLiteral("D"), 0)
                        .isValid());
    QVERIFY(d.page1->treeModel()->selectedCameras().isEmpty());
    QCOMPARE(planned(d).size(), 2);
    QVERIFY(WizardDriver::nextEnabled(d.page3));

    // And again while page 4 runs.
    bool announced = false;
    QObject::connect(
            d.page4->treeModel().data(), &QAbstractItemModel::dataChanged, d.page4,
            [&] {
                if (!announced && d.page4->isVisible()) {
                    announced = true;
                    d.host.pool.removeCamera(QStringLiteral("C"));
                    d.host.pool.announceEnumerationChanged();
                }
            },
            Qt::QueuedConnection);
    QVERIFY(WizardDriver::click(d.page3, QStringLiteral("Next")));
    QVERIFY(d.waitForResults());
    QVERIFY(announced);
    QCOMPARE(d.counts(), QStringLiteral("2 0 0"));
    QVERIFY(d.closeOn(d.page5));
    const QStringList log = d.log();
    QVERIFY(log.filter(QStringLiteral("CRITICAL")).isEmpty());
    QCOMPARE(log.filter(QStringLiteral("Finished firmware update")),
             (QStringList { "INFO Finished firmware update (1/2)",
                            "INFO Finished firmware update (2/2)" }));
}

QTEST_MAIN(tst_WizardNavigation)
#include "tst_wizard_navigation.moc"
