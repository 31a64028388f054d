#include "model/CFirmwareUpdateTreeModel.h"
#include "service/CFirmwareUpdaterService.h"
#include "support/SimulatedHost.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CUpdateSelectionDialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

using Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService;
using Plugin::FirmwareUpdater::Internal::View::CCameraSelectionDialog;
using Plugin::FirmwareUpdater::Internal::View::CUpdateSelectionDialog;

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray updateFile(const QString &version, const QString &model, const QString &cameraIds = {})
{
    const QString ids = cameraIds.isEmpty()
            ? QString()
            : QStringLiteral(", \"cameraIds\": [\"%1\"]").arg(cameraIds);
    return QStringLiteral("{ \"updates\": [ { \"version\": \"%1\", \"models\": [\"%2\"]%3, "
                          "\"phases\": [ { \"step\": \"FileUpload\", \"estimatedMs\": 0 } ] } ] }")
            .arg(version, model, ids)
            .toUtf8();
}

// Page 2 as the user sees it after the service's verdict.
struct Verdict
{
    bool nextEnabled;
    bool errorShown;
    QString version;
};

// A running wizard over three cameras with a few update files at hand.
struct Fixture
{
    Fixture()
    {
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        host.addCamera("GigE", "A1", "Model A");
        host.addCamera("GigE", "A2", "Model A");
        host.addCamera("USB", "B1", "Model B");
        host.registry->addService(service);
        service->createWizard();
        service->startWizard();
        QCoreApplication::sendPostedEvents();

        writeFile(path("modelA.guf"), updateFile("2.0.0", "Model A"));
        writeFile(path("onlyA2.guf"), updateFile("2.1.0", "Model A", "A2"));
        writeFile(path("modelB.guf"), updateFile("3.0.0", "Model B"));
        writeFile(path("broken.guf"), "this is no update file %1");
        QDir(temp.path()).mkdir("folder.guf");
    }
    ~Fixture()
    {
        host.registry->removeService(service);
        service.reset();
        owner.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qunsetenv("TMPDIR");
    }

    QString path(const QString &name) const { return QDir(temp.path()).filePath(name); }
    CUpdateSelectionDialog *page2() const
    {
        return host.mainWindow->findChild<CUpdateSelectionDialog *>();
    }
    void check(const QString &layer, const QString &id)
    {
        const auto model = host.mainWindow->findChild<CCameraSelectionDialog *>()->treeModel();
        const QModelIndex index = model->findCameraIndex(layer, id, 0);
        model->setData(index, true, Qt::EditRole);
        model->applySelectionRules(index);
    }
    Verdict verdict() const
    {
        QPushButton *next = nullptr;
        for (QAbstractButton *button : page2()->findChild<QDialogButtonBox *>()->buttons()) {
            if (button->text() == QLatin1String("Next"))
                next = qobject_cast<QPushButton *>(button);
        }
        return { next && next->isEnabled(),
                 page2()->findChild<QLabel *>("errorTextLabel")->isVisibleTo(page2()),
                 page2()->findChild<QLabel *>("updateVersionTextLabel")->text() };
    }
    QString lineEdit() const
    {
        return page2()->findChild<QLineEdit *>("updateFileLineEdit")->text();
    }
    int criticalLines() const
    {
        QFile log(service->logFilePath());
        if (!log.open(QIODevice::ReadOnly))
            return -1;
        return log.readAll().count(" CRITICAL Failed to check for compatible update: ");
    }

    QTemporaryDir temp;
    SimulatedHost host;
    std::unique_ptr<QObject> owner { new QObject };
    QSharedPointer<CFirmwareUpdaterService> service { CFirmwareUpdaterService::create(
            host.registry, owner.get()) };
};

} // namespace

class tst_ServiceUpdateFile : public QObject
{
    Q_OBJECT

private slots:
    void typedPathIsChecked_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QStringList>("checked");
        QTest::addColumn<bool>("nextEnabled");
        QTest::addColumn<bool>("errorShown");
        QTest::addColumn<QString>("version");
        QTest::addColumn<int>("criticalLines");
        const QStringList a1 { "A1" };
        QTest::newRow("fits the camera") << "modelA.guf" << a1 << true << false << "2.0.0" << 0;
        QTest::newRow("other model") << "modelB.guf" << a1 << false << true << "" << 0;
        QTest::newRow("fits only the second checked camera")
                << "onlyA2.guf" << QStringList { "A1", "A2" } << false << true << "" << 0;
        QTest::newRow("fits the first checked camera")
                << "onlyA2.guf" << QStringList { "A2" } << true << false << "2.1.0" << 0;
        QTest::newRow("no camera checked")
                << "modelA.guf" << QStringList {} << false << true << "" << 0;
        QTest::newRow("host cannot read it") << "broken.guf" << a1 << false << true << "" << 1;
        QTest::newRow("folder") << "folder.guf" << a1 << false << false << "" << 0;
        QTest::newRow("missing file") << "missing.guf" << a1 << false << false << "" << 0;
    }
    void typedPathIsChecked()
    {
        QFETCH(QString, file);
        QFETCH(QStringList, checked);
        QFETCH(bool, nextEnabled);
        QFETCH(bool, errorShown);
        QFETCH(QString, version);
        QFETCH(int, criticalLines);
        Fixture fixture;
        for (const QString &id : checked)
            fixture.check("GigE", id);

        const QString path = fixture.path(file);
        emit fixture.page2()->pathChanged(path);
        const Verdict verdict = fixture.verdict();
        QCOMPARE(verdict.nextEnabled, nextEnabled);
        QCOMPARE(verdict.errorShown, errorShown);
        if (!version.isEmpty())
            QCOMPARE(verdict.version, version);
        QCOMPARE(fixture.criticalLines(), criticalLines);
        QCOMPARE(fixture.service->updateFilePath(),
                 QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()));
        QCOMPARE(fixture.lineEdit(), QDir::toNativeSeparators(path));
    }

    void withoutTheHostsUpdateServiceNoFileFits()
    {
        Fixture fixture;
        fixture.check("GigE", "A1");
        emit fixture.page2()->pathChanged(fixture.path("modelA.guf"));
        QVERIFY(fixture.verdict().nextEnabled);

        fixture.host.withdraw(fixture.host.pool.firmwareUpdateService());
        emit fixture.page2()->pathChanged(fixture.path("modelA.guf"));
        const Verdict verdict = fixture.verdict();
        QVERIFY(!verdict.nextEnabled);
        QVERIFY(verdict.errorShown);
        QCOMPARE(fixture.criticalLines(), 0);
    }

    void browse_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("file chosen") << true;
        QTest::newRow("cancelled") << false;
    }
    void browse()
    {
        QFETCH(bool, accept);
        Fixture fixture;
        fixture.check("GigE", "A1");
        emit fixture.page2()->pathChanged(fixture.path("modelB.guf"));
        const QString chosen = fixture.path("modelA.guf");

        QString title;
        QStringList filters;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            filters = dialog->nameFilters();
            mode = dialog->fileMode();
            if (accept) {
                dialog->selectFile(chosen);
                QMetaObject::invokeMethod(dialog, "accept");
            } else {
                dialog->reject();
            }
        });
        emit fixture.page2()->browseClicked();

        QCOMPARE(title, QStringLiteral("Fimware Updater"));
        QCOMPARE(filters, QStringList { "Update files (*.guf)" });
        QCOMPARE(mode, QFileDialog::ExistingFile);
        const QString expected = accept ? chosen : fixture.path("modelB.guf");
        QCOMPARE(fixture.service->updateFilePath(), QDir::toNativeSeparators(expected));
        QCOMPARE(fixture.lineEdit(), QDir::toNativeSeparators(expected));
        QCOMPARE(fixture.verdict().nextEnabled, accept);
    }
};

QTEST_MAIN(tst_ServiceUpdateFile)
#include "tst_service_updatefile.moc"
