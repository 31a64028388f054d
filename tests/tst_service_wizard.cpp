#include "model/CFirmwareUpdateTreeModel.h"
#include "service/CFirmwareUpdaterService.h"
#include "simulator/CCameraStatusService.h"
#include "simulator/CCameraStreamControlService.h"
#include "support/SimulatedHost.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CResultSummaryDialog.h"
#include "view/CUpdateSelectionDialog.h"

#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <functional>
#include <memory>

using Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel;
using Plugin::FirmwareUpdater::Internal::Service::CFirmwareUpdaterService;
using Plugin::FirmwareUpdater::Internal::View::CCameraSelectionDialog;

namespace {

void settle()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

// What the busy-camera question looked like when it came up.
struct Question
{
    bool shown = false;
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
    bool minMaxButtons = false;
    QSize iconSize;
    bool wideFiller = false;
    int width = 0;
};

// Answers the next modal box from the event loop, the way a user would.
void answerNextBox(Question *question, std::function<void(QMessageBox *)> answer)
{
    QTimer::singleShot(0, [question, answer] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        question->shown = true;
        question->title = box->windowTitle();
        question->text = box->text();
        question->buttons = box->standardButtons();
        question->defaultButton = box->standardButton(box->defaultButton());
        question->minMaxButtons = box->windowFlags().testFlag(Qt::WindowMinMaxButtonsHint);
        question->iconSize = box->iconPixmap().size();
        question->width = box->width();
        if (auto *grid = qobject_cast<QGridLayout *>(box->layout())) {
            for (int i = 0; i < grid->count(); ++i) {
                QWidget *widget = grid->itemAt(i)->widget();
                int row, column, rowSpan, columnSpan;
                grid->getItemPosition(i, &row, &column, &rowSpan, &columnSpan);
                if (widget && widget->minimumSize() == QSize(570, 1)
                    && widget->maximumSize() == QSize(570, 1) && row == 0 && column == 0
                    && columnSpan == grid->columnCount() && widget->autoFillBackground())
                    question->wideFiller = true;
            }
        }
        answer(box);
    });
}

// The service as the plug-in makes it, published in a simulated host whose
// log folder is private to the test.
struct Fixture
{
    explicit Fixture(bool buildWizard = true)
    {
        qputenv("TMPDIR", temp.path().toLocal8Bit());
        host.addCamera("GigE", "A1", "Model A");
        host.addCamera("GigE", "A2", "Model A");
        host.addCamera("USB", "B1", "Model B");
        host.registry->addService(service);
        if (buildWizard)
            service->createWizard();
    }
    ~Fixture()
    {
        host.registry->removeService(service);
        service.reset();
        owner.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        qunsetenv("TMPDIR");
    }

    CCameraSelectionDialog *page1() const
    {
        return host.mainWindow->findChild<CCameraSelectionDialog *>();
    }
    QStringList selectedIds() const
    {
        QStringList ids;
        for (const auto &entity : page1()->treeModel()->selectedCameras())
            ids << entity->cameraInfo()->id();
        return ids;
    }
    void check(const QString &layer, const QString &id)
    {
        const auto model = page1()->treeModel();
        const QModelIndex index = model->findCameraIndex(layer, id, 0);
        QVERIFY(model->setData(index, true, Qt::EditRole));
        model->applySelectionRules(index);
    }
    QStringList logs() const
    {
        return QDir(temp.path()).entryList({ QStringLiteral("*.log") }, QDir::Files);
    }

    QTemporaryDir temp;
    SimulatedHost host;
    std::unique_ptr<QObject> owner { new QObject };
    QSharedPointer<CFirmwareUpdaterService> service { CFirmwareUpdaterService::create(
            host.registry, owner.get()) };
};

} // namespace

class tst_ServiceWizard : public QObject
{
    Q_OBJECT

private slots:
    void isCameraSupported_data()
    {
        QTest::addColumn<bool>("camera");
        QTest::addColumn<quint32>("statusCode");
        QTest::addColumn<bool>("supported");
        QTest::newRow("ready") << true << 0u << true;
        QTest::newRow("status 1") << true << 1u << false;
        QTest::newRow("all bits") << true << 0xFFFFFFFFu << false;
        QTest::newRow("no camera") << false << 0u << false;
    }
    void isCameraSupported()
    {
        QFETCH(bool, camera);
        QFETCH(quint32, statusCode);
        QFETCH(bool, supported);
        Fixture fixture(false);
        Core::DorvixComponents::CameraInfoPtr info;
        if (camera)
            info = fixture.host.addCamera("GigE", "S1", "Model S", statusCode);
        QCOMPARE(fixture.service->isCameraSupported(info), supported);
    }

    void wizardIsBuiltOnceOnTheMainWindow()
    {
        Fixture fixture;
        using namespace Plugin::FirmwareUpdater::Internal::View;
        const auto pages = fixture.host.mainWindow->findChildren<CUpdateDialogBase *>();
        QCOMPARE(pages.size(), 5);
        QVERIFY(fixture.service->createWizard());
        QCOMPARE(fixture.host.mainWindow->findChildren<CUpdateDialogBase *>(), pages);
        for (CUpdateDialogBase *page : pages)
            QVERIFY(!page->isVisible());
    }

    void pagesWithoutMainWindowGoWithTheService()
    {
        QList<QPointer<QWidget>> pages;
        {
            Fixture fixture(false);
            fixture.host.withdraw(fixture.host.windowService);
            QVERIFY(fixture.service->createWizard());
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<Plugin::FirmwareUpdater::Internal::View::CUpdateDialogBase *>(
                            widget))
                    pages << widget;
            }
            QCOMPARE(pages.size(), 5);
        }
        for (const QPointer<QWidget> &page : pages)
            QVERIFY(!page);
    }

    void startWithoutBusyCameras()
    {
        Fixture fixture;
        Question question;
        answerNextBox(&question, [](QMessageBox *box) { box->reject(); });
        fixture.service->startWizard();
        settle();
        QVERIFY(!question.shown);
        QVERIFY(fixture.page1()->isVisible());
        QCOMPARE(fixture.logs().size(), 1);
        QCOMPARE(QFileInfo(fixture.service->logFilePath()).fileName(), fixture.logs().first());
        QCOMPARE(fixture.page1()->treeModel()->rowCount(), 2);
        QVERIFY(fixture.selectedIds().isEmpty());
    }

    void busyCamerasAskFirst_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("started");
        QTest::newRow("Yes") << "yes" << true;
        QTest::newRow("No") << "no" << false;
        QTest::newRow("Enter") << "enter" << false;
        QTest::newRow("Escape") << "escape" << false;
    }
    void busyCamerasAskFirst()
    {
        QFETCH(QString, answer);
        QFETCH(bool, started);
        Fixture fixture;
        fixture.host.pool.setCameraBusy("B1", true);
        Question question;
        answerNextBox(&question, [answer](QMessageBox *box) {
            if (answer == QLatin1String("yes"))
                box->button(QMessageBox::Yes)->click();
            else if (answer == QLatin1String("no"))
                box->button(QMessageBox::No)->click();
            else
                QTest::keyClick(box,
                                answer == QLatin1String("enter") ? Qt::Key_Return : Qt::Key_Escape);
        });
        fixture.service->startWizard();
        settle();

        QVERIFY(question.shown);
        QCOMPARE(question.title, QStringLiteral("Fimware Updater"));
        QVERIFY(question.text.startsWith(
                QStringLiteral("<p>To use the Firmware Updater, you have to stop continuous image "
                               "acquisition as well as any recordings.</p>")));
        QCOMPARE(question.buttons, QMessageBox::Yes | QMessageBox::No);
        QCOMPARE(question.defaultButton, QMessageBox::No);
        QVERIFY(question.minMaxButtons);
        QCOMPARE(question.iconSize, QSize(32, 32));
        QVERIFY(question.wideFiller);
        QVERIFY(question.width >= 570);

        QCOMPARE(fixture.page1()->isVisible(), started);
        QCOMPARE(fixture.logs().size(), started ? 1 : 0);
        QCOMPARE(fixture.host.pool.camera("B1")->isBusy(), !started);
        QCOMPARE(fixture.service->logFilePath().isEmpty(), !started);
    }

    void missingHostServicesStartNothing_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<bool>("busy");
        QTest::newRow("status") << "status" << false;
        QTest::newRow("enumeration") << "enumeration" << false;
        QTest::newRow("stream control, busy camera") << "stream" << true;
    }
    void missingHostServicesStartNothing()
    {
        QFETCH(QString, missing);
        QFETCH(bool, busy);
        Fixture fixture;
        fixture.host.pool.setCameraBusy("A1", busy);
        auto &pool = fixture.host.pool;
        if (missing == QLatin1String("status"))
            fixture.host.withdraw(pool.statusService());
        else if (missing == QLatin1String("enumeration"))
            fixture.host.withdraw(pool.enumerationService());
        else
            fixture.host.withdraw(pool.streamControlService());
        Question question;
        answerNextBox(&question, [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });

        fixture.service->startWizard();
        settle();
        QVERIFY(!question.shown);
        QVERIFY(!fixture.page1()->isVisible());
        QVERIFY(fixture.logs().isEmpty());
        QCOMPARE(pool.camera("A1")->isBusy(), busy);
    }

    void withoutWizardStartDoesNothing()
    {
        Fixture fixture(false);
        fixture.host.pool.setCameraBusy("A1", true);
        Question question;
        answerNextBox(&question, [](QMessageBox *box) { box->button(QMessageBox::Yes)->click(); });
        fixture.service->startWizard();
        settle();
        QVERIFY(!question.shown);
        QVERIFY(fixture.logs().isEmpty());
        QVERIFY(fixture.host.pool.camera("A1")->isBusy());
    }

    void preselectedCameraStartsChecked_data()
    {
        QTest::addColumn<QString>("preselected");
        QTest::addColumn<QStringList>("selected");
        QTest::newRow("none") << "" << QStringList {};
        QTest::newRow("enumerated camera") << "A2" << QStringList { "A2" };
        QTest::newRow("unplugged camera") << "gone" << QStringList {};
    }
    void preselectedCameraStartsChecked()
    {
        QFETCH(QString, preselected);
        QFETCH(QStringList, selected);
        Fixture fixture;
        if (preselected == QLatin1String("gone")) {
            fixture.service->setPreselectedCamera(fixture.host.pool.camera("A1"));
            fixture.host.pool.removeCamera("A1");
        } else if (!preselected.isEmpty()) {
            fixture.service->setPreselectedCamera(fixture.host.pool.camera(preselected));
        }
        fixture.service->startWizard();
        settle();
        QCOMPARE(fixture.selectedIds(), selected);
    }

    void enumerationChangeRebuildsTheRunningWizard()
    {
        Fixture fixture;
        fixture.service->setPreselectedCamera(fixture.host.pool.camera("A1"));
        const auto model = fixture.page1()->treeModel();

        // Not running yet: the report is ignored.
        fixture.service->onEnumerationChanged();
        QCOMPARE(model->rowCount(), 0);

        fixture.service->startWizard();
        settle();
        fixture.check("GigE", "A2");
        QCOMPARE(fixture.selectedIds(), (QStringList { "A1", "A2" }));

        fixture.host.addCamera("USB", "B2", "Model B");
        QSignalSpy resets(model.data(), &QAbstractItemModel::modelReset);
        fixture.service->onEnumerationChanged();
        QCOMPARE(resets.count(), 1);
        QCOMPARE(fixture.selectedIds(), QStringList { "A1" });
        QCOMPARE(model->rowCount(model->index(1, 0)), 1); // USB: one model type
        QVERIFY(model->findCameraIndex("USB", "B2", 0).isValid());

        fixture.host.withdraw(fixture.host.pool.enumerationService());
        fixture.service->onEnumerationChanged();
        QCOMPARE(resets.count(), 1);
    }

    void secondStartWhileRunningKeepsTheRun()
    {
        Fixture fixture;
        fixture.service->startWizard();
        settle();
        fixture.check("GigE", "A1");
        fixture.service->writeLog(Plugin::FirmwareUpdater::Info, QStringLiteral("first"));
        const QString log = fixture.service->logFilePath();

        fixture.service->startWizard();
        settle();
        QCOMPARE(fixture.selectedIds(), QStringList { "A1" });
        QCOMPARE(fixture.service->logFilePath(), log);
        QVERIFY(QFileInfo(log).size() > 0);
    }

    void refreshAsksTheHost()
    {
        Fixture fixture;
        QSignalSpy reports(fixture.host.pool.enumerationService().data(),
                           &Plugin::Dorvix::ICameraEnumerationService::enumerationChanged);
        emit fixture.page1()->refreshCamTreeClicked();
        QVERIFY(reports.wait());

        fixture.host.withdraw(fixture.host.pool.enumerationService());
        emit fixture.page1()->refreshCamTreeClicked();
        settle();
        QCOMPARE(reports.count(), 1);
    }

    void closingEndsTheRunAndAnotherStarts()
    {
        Fixture fixture;
        fixture.service->startWizard();
        settle();
        fixture.service->setLastErrorMessage(QStringLiteral("stale"));
        emit fixture.page1()->closeClicked();
        settle();
        QVERIFY(!fixture.page1()->isVisible());
        QCOMPARE(fixture.service->logFilePath(), QString());
        QCOMPARE(fixture.service->lastErrorMessage(), QString());

        fixture.service->startWizard();
        settle();
        QVERIFY(fixture.page1()->isVisible());
        QVERIFY(!fixture.service->logFilePath().isEmpty());
    }
};

QTEST_MAIN(tst_ServiceWizard)
#include "tst_service_wizard.moc"
