#include "support/WizardDriver.h"

#include "entity/CFirmwareUpdateEntity.h"

#include <QLabel>

#include <memory>

using namespace ExpectedLog;

namespace {

const QString kPhase = QStringLiteral(
        R"({"step": "FileUpload", "estimatedMs": 100, "description": "Uploading"})");

// One update of an update file; ids limit it to those cameras.
QString update(const QString &version, const QString &description, const QStringList &ids = {},
               const QString &failure = QString())
{
    QString json = QStringLiteral(R"({"version": "%1", "description": "%2", "releaseNotes": )"
                                  R"("Notes", "models": ["M"], "phases": [%3])")
                           .arg(version, description, kPhase);
    if (!ids.isEmpty())
        json += QStringLiteral(R"(, "cameraIds": ["%1"])").arg(ids.join(QStringLiteral("\", \"")));
    if (!failure.isNull())
        json += QStringLiteral(R"(, "failure": {"step": "FileUpload", "message": "%1"})")
                        .arg(failure);
    return json + QLatin1Char('}');
}

QByteArray updateFile(const QStringList &updates)
{
    return QStringLiteral(R"({"updates": [%1]})").arg(updates.join(QStringLiteral(", "))).toUtf8();
}

Update info(const QString &version, const QString &description)
{
    return { QStringLiteral("update.guf"), version, description, QStringLiteral("Notes"), 100 };
}

QStringList okCamera(int i, int n, const QString &name, const QString &from, const Update &u)
{
    return begin(i, n, name, from, u) + phase("FileUpload", 100, "Uploading")
            + end(i, n, u.version);
}

const QString kPath = QStringLiteral("<path>");

} // namespace

class tst_WizardRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void run_data();
    void run();
    void deviceResetTicks();
    void unreadableFileOnSummary();
    void emptySelectionOnSummary();

private:
    WizardDriver *m_driver = nullptr;
};

void tst_WizardRun::initTestCase()
{
    qputenv("TZ", "UTC");
}

void tst_WizardRun::run_data()
{
    QTest::addColumn<QStringList>("cameras");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<int>("cancelClicks");
    QTest::addColumn<QString>("warnings");
    QTest::addColumn<QStringList>("expectedLog");
    QTest::addColumn<QString>("expectedCounts");

    const QStringList abc = { "A|Cam A|M|1.0", "B|Cam B|M|1.0", "C|Cam C|M|1.0" };
    const Update v2 = info("2.0", "Fixes");
    const QStringList plannedAbc = { created("update", "M", "Cam A", "1.0", "2.0"),
                                     created("update", "M", "Cam B", "1.0", "2.0"),
                                     created("update", "M", "Cam C", "1.0", "2.0") };

    QTest::newRow("three cameras, all successful")
            << abc << updateFile({ update("2.0", "Fixes") }) << QStringList { "A", "B", "C" } << 0
            << ""
            << (plan(kPath, { v2 }) + plannedAbc + okCamera(1, 3, "Cam A", "1.0", v2)
                + okCamera(2, 3, "Cam B", "1.0", v2) + okCamera(3, 3, "Cam C", "1.0", v2)
                + QStringList { finishedAll() })
            << "3 0 0";

    const Update broken = info("2.1", "Broken");
    QTest::newRow("camera 2 of 3 fails")
            << abc
            << updateFile({ update("2.1", "Broken", { "B" }, "Flash %1 failed"),
                            update("2.0", "Fixes") })
            << QStringList { "A", "B", "C" } << 0 << ""
            << (plan(kPath, { broken, v2 })
                + QStringList { created("update", "M", "Cam A", "1.0", "2.0"),
                                created("update", "M", "Cam B", "1.0", "2.1"),
                                created("update", "M", "Cam C", "1.0", "2.0") }
                + okCamera(1, 3, "Cam A", "1.0", v2) + begin(2, 3, "Cam B", "1.0", broken)
                + phase("FileUpload", 100, "Uploading", "Flash %1 failed") + failed(2, 3, true)
                + QStringList { finishedAll() })
            << "1 1 1";

    QTest::newRow("the last of 3 fails")
            << abc
            << updateFile({ update("2.1", "Broken", { "C" }, "Flash %1 failed"),
                            update("2.0", "Fixes") })
            << QStringList { "A", "B", "C" } << 0 << ""
            << (plan(kPath, { broken, v2 })
                + QStringList { created("update", "M", "Cam A", "1.0", "2.0"),
                                created("update", "M", "Cam B", "1.0", "2.0"),
                                created("update", "M", "Cam C", "1.0", "2.1") }
                + okCamera(1, 3, "Cam A", "1.0", v2) + okCamera(2, 3, "Cam B", "1.0", v2)
                + begin(3, 3, "Cam C", "1.0", broken)
                + phase("FileUpload", 100, "Uploading", "Flash %1 failed") + failed(3, 3, false)
                + QStringList { finishedAll() })
            << "2 1 0";

    const QStringList canceled = plan(kPath, { v2 }) + plannedAbc
            + QStringList { begin(1, 3, "Cam A", "1.0", v2).first(),
                            "WARNING User canceled firmware update" }
            + begin(1, 3, "Cam A", "1.0", v2).mid(1) + phase("FileUpload", 100, "Uploading")
            + end(1, 3, "2.0")
            + QStringList { "INFO Firmware updates have been canceled by the user", finishedAll() };
    QTest::newRow("cancel during camera 1 of 3")
            << abc << updateFile({ update("2.0", "Fixes") }) << QStringList { "A", "B", "C" } << 1
            << "" << canceled << "1 0 2";
    QTest::newRow("cancel pressed twice")
            << abc << updateFile({ update("2.0", "Fixes") }) << QStringList { "A", "B", "C" } << 2
            << "" << canceled << "1 0 2";

    QTest::newRow("a planned camera without an update object")
            << abc << updateFile({ update("2.0", "Fixes", { "A", "C" }) })
            << QStringList { "A", "B", "C" } << 0 << ""
            << (plan(kPath, { v2 })
                + QStringList { created("update", "M", "Cam A", "1.0", "2.0"),
                                "CRITICAL No compatible firmware update found for M S-B: detail B",
                                created("update", "M", "Cam C", "1.0", "2.0") }
                + okCamera(1, 3, "Cam A", "1.0", v2)
                + QStringList { "INFO Starting firmware update (2/3) for camera Cam B",
                                "CRITICAL Internal error: Firmware update is missing and could "
                                "not be applied." }
                + failed(2, 3, true))
            << "1 1 1";

    const Update v3 = info("3.0", "Special");
    QTest::newRow("a file with two descriptions")
            << abc << updateFile({ update("3.0", "Special", { "B" }), update("2.0", "Fixes") })
            << QStringList { "A", "B" } << 0 << ""
            << (plan(kPath, { v3, v2 })
                + QStringList { created("update", "M", "Cam A", "1.0", "2.0"),
                                created("update", "M", "Cam B", "1.0", "3.0") }
                + okCamera(1, 2, "Cam A", "1.0", v2) + okCamera(2, 2, "Cam B", "1.0", v3)
                + QStringList { finishedAll() })
            << "2 0 0";

    QTest::newRow("upgrade, reinstall and downgrade")
            << QStringList { "A|Cam A|M|1.0", "B|Cam B|M|2.0", "C|Cam C|M|3.0" }
            << updateFile({ update("2.0", "Fixes") }) << QStringList { "A", "B", "C" } << 0
            << "downgrade reinstall"
            << (plan(kPath, { v2 })
                + QStringList { created("update", "M", "Cam A", "1.0", "2.0"),
                                created("reinstall", "M", "Cam B", "2.0", "2.0"),
                                created("downgrade", "M", "Cam C", "3.0", "2.0") }
                + okCamera(1, 3, "Cam A", "1.0", v2) + okCamera(2, 3, "Cam B", "2.0", v2)
                + okCamera(3, 3, "Cam C", "3.0", v2) + QStringList { finishedAll() })
            << "3 0 0";

    QTest::newRow("upgrades around a reinstall")
            << QStringList { "A|Cam A|M|1.0", "B|Cam B|M|2.0", "C|Cam C|M|1.5" }
            << updateFile({ update("2.0", "Fixes") }) << QStringList { "A", "B", "C" } << 0
            << "reinstall"
            << (plan(kPath, { v2 })
                + QStringList { created("update", "M", "Cam A", "1.0", "2.0"),
                                created("reinstall", "M", "Cam B", "2.0", "2.0"),
                                created("update", "M", "Cam C", "1.5", "2.0") }
                + okCamera(1, 3, "Cam A", "1.0", v2) + okCamera(2, 3, "Cam B", "2.0", v2)
                + okCamera(3, 3, "Cam C", "1.5", v2) + QStringList { finishedAll() })
            << "3 0 0";

    // Names, descriptions and messages from the host or the file are shown
    // as they are, even when they look like placeholders.
    const Update odd = info("2.0", "Fix %1 and %2");
    QTest::newRow("host texts with placeholders")
            << QStringList { "A|%2 cam %1|M|1.0", "B|%1%1|M|1.0" }
            << updateFile({ update("2.0", "Fix %1 and %2", { "B" }, "Lost %2 at %1"),
                            update("2.0", "Fix %1 and %2") })
            << QStringList { "A", "B" } << 0 << ""
            << (plan(kPath, { odd, odd })
                + QStringList { created("update", "M", "%2 cam %1", "1.0", "2.0"),
                                created("update", "M", "%1%1", "1.0", "2.0") }
                + okCamera(1, 2, "%2 cam %1", "1.0", odd) + begin(2, 2, "%1%1", "1.0", odd)
                + phase("FileUpload", 100, "Uploading", "Lost %2 at %1") + failed(2, 2, false)
                + QStringList { finishedAll() })
            << "1 1 0";
}

void tst_WizardRun::run()
{
    QFETCH(QStringList, cameras);
    QFETCH(QByteArray, file);
    QFETCH(QStringList, checked);
    QFETCH(int, cancelClicks);
    QFETCH(QString, warnings);
    QFETCH(QStringList, expectedLog);
    QFETCH(QString, expectedCounts);

    WizardDriver d;
    d.addCameras(cameras);
    const QString path = d.writeUpdateFile(file);
    QVERIFY(d.start());
    QVERIFY(d.toSummary(checked, path));

    auto *downgrade = d.page3->findChild<QLabel *>("warningTextLabel_1");
    auto *reinstall = d.page3->findChild<QLabel *>("warningTextLabel_2");
    QCOMPARE(!downgrade->isHidden(), warnings.contains("downgrade"));
    QCOMPARE(!reinstall->isHidden(), warnings.contains("reinstall"));

    if (cancelClicks > 0) {
        // Cancel as soon as the first camera is being prepared. The click is
        // posted, so it comes from the event loop like a user's.
        auto clicked = std::make_shared<bool>(false);
        QObject::connect(d.page4->treeModel().data(), &QAbstractItemModel::dataChanged, d.page4,
                         [&d, cancelClicks, clicked](const QModelIndex &index, const QModelIndex &,
                                                     const QVector<int> &roles) {
                             using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
                             if (*clicked || index.row() != 0
                                 || !roles.contains(CFirmwareUpdateEntity::UpdateStatus)
                                 || index.data().toInt() != CFirmwareUpdateEntity::Updating)
                                 return;
                             *clicked = true;
                             QMetaObject::invokeMethod(
                                     d.page4,
                                     [&d, cancelClicks] {
                                         WizardDriver::click(d.page4, QStringLiteral("Cancel"));
                                         if (cancelClicks > 1)
                                             d.page4->close();
                                     },
                                     Qt::QueuedConnection);
                         });
    }
    QVERIFY(WizardDriver::click(d.page3, QStringLiteral("Next")));
    QVERIFY(d.waitForResults());
    QVERIFY(!d.page4->isVisible());
    QCOMPARE(d.counts(), expectedCounts);
    QVERIFY(d.closeOn(d.page5));

    QStringList expected = expectedLog;
    expected.replaceInStrings(kPath, QDir::toNativeSeparators(path));
    QCOMPARE(d.log(), expected);
    // The run is over: nothing planned is left.
    QCOMPARE(d.page5->treeModel()->rowCount(), 0);
}

void tst_WizardRun::deviceResetTicks()
{
    WizardDriver d;
    d.host.pool.setTimeScale(1.0);
    d.addCameras({ "A|Cam A|M|1.0", "B|Cam B|M|1.0" });
    const QString path = d.writeUpdateFile(updateFile({ QStringLiteral(
            R"({"version": "2.0", "models": ["M"], "phases": [{"step": "DeviceReset", )"
            R"("estimatedMs": 700}]})") }));
    QVERIFY(d.start());
    QVERIFY(d.toSummary({ "A", "B" }, path));
    QVERIFY(WizardDriver::click(d.page3, QStringLiteral("Next")));
    QVERIFY(d.waitForResults());
    QVERIFY(d.closeOn(d.page5));

    // The device is silent while it restarts; the step reports the elapsed
    // share of the estimate every 250 ms, on every camera, until the phase ends.
    const QStringList log = d.log();
    QList<QList<int>> ticks;
    bool inReset = false;
    static const QRegularExpression tick(QStringLiteral("^INFO DeviceReset progress: (\\d+)%$"));
    for (const QString &line : log) {
        if (line == QLatin1String("INFO Entering update step: DeviceReset")) {
            inReset = true;
            ticks.append(QList<int>());
        } else if (line == QLatin1String("INFO Finished update step: DeviceReset")) {
            inReset = false;
        } else if (line.contains(QLatin1String("progress"))) {
            const QRegularExpressionMatch m = tick.match(line);
            QVERIFY2(m.hasMatch() && inReset, qPrintable(line));
            ticks.last().append(m.captured(1).toInt());
        }
    }
    QCOMPARE(ticks.size(), 2);
    for (const QList<int> &camera : ticks) {
        QVERIFY(!camera.isEmpty());
        QVERIFY(std::is_sorted(camera.begin(), camera.end()));
    }
    QVERIFY(log.endsWith(finishedAll()));
}

void tst_WizardRun::unreadableFileOnSummary()
{
    WizardDriver d;
    d.addCameras({ "A|Cam A|M|1.0" });
    const QString path = d.writeUpdateFile(updateFile({ update("2.0", "Fixes") }));
    QVERIFY(d.start());
    d.check({ "A" });
    QVERIFY(WizardDriver::click(d.page1, QStringLiteral("Next")));
    d.typePath(path);
    QVERIFY(WizardDriver::nextEnabled(d.page2));
    // The file goes bad between page 2's check and page 3's plan.
    d.writeUpdateFile("{ not json");
    QVERIFY(WizardDriver::click(d.page2, QStringLiteral("Next")));
    QVERIFY(d.page3->isVisible());

    // No plan, so nothing to go on with.
    QVERIFY(!WizardDriver::nextEnabled(d.page3));
    QCOMPARE(d.page3->treeModel()->rowCount(), 0);
    QVERIFY(d.closeOn(d.page3));
    const QStringList log = d.log();
    QCOMPARE(log.size(), 2);
    QCOMPARE(log[0], QStringLiteral("INFO Selected firmware update file ") + path);
    QVERIFY2(log[1].startsWith(QLatin1String("CRITICAL Failed to open firmware update file: ")),
             qPrintable(log[1]));
}

void tst_WizardRun::emptySelectionOnSummary()
{
    WizardDriver d;
    d.addCameras({ "A|Cam A|M|1.0", "B|Cam B|M|1.0" });
    const QString path = d.writeUpdateFile(updateFile({ update("2.0", "Fixes") }));
    QVERIFY(d.start());
    QVERIFY(d.toSummary({ "A", "B" }, path));
    QVERIFY(WizardDriver::nextEnabled(d.page3));
    d.checkPlanned("A", false);
    QVERIFY(WizardDriver::nextEnabled(d.page3));
    d.checkPlanned("B", false);
    QVERIFY(!WizardDriver::nextEnabled(d.page3));
    d.checkPlanned("B", true);
    QVERIFY(WizardDriver::nextEnabled(d.page3));

    // Only the cameras still checked are updated.
    QVERIFY(WizardDriver::click(d.page3, QStringLiteral("Next")));
    QVERIFY(d.waitForResults());
    QCOMPARE(d.counts(), QStringLiteral("1 0 1"));
    QVERIFY(d.closeOn(d.page5));
    QVERIFY(d.log().contains(QStringLiteral("INFO Finished firmware update (1/1)")));
}

QTEST_MAIN(tst_WizardRun)
#include "tst_wizard_run.moc"
