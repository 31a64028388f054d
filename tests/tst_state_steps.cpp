#include "support/CTestFirmwareUpdaterService.h"

#include "entity/CFirmwareUpdateEntity.h"
#include "host/CServiceRegistry.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "simulator/CSimulatedCamera.h"
#include "simulator/CSimulatedTransportLayer.h"
#include "state/CCameraSelectionStep.h"
#include "state/CFirmwareUpdateDoneStep.h"
#include "state/CFirmwareUpdateStepBase.h"
#include "state/CResultSummaryStep.h"
#include "state/CUpdateSelectionStep.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CResultSummaryDialog.h"
#include "view/CUpdateSelectionDialog.h"

#include <QDialogButtonBox>
#include <QFinalState>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QStateMachine>
#include <QtTest>

using namespace Plugin::FirmwareUpdater::Internal;
using Entity::CFirmwareUpdateEntity;
using Model::CFirmwareUpdateTreeModel;

namespace {

// Exposes how many slots listen to the model's dataChanged.
class CProbeModel : public CFirmwareUpdateTreeModel
{
public:
    int dataChangedReceivers() const
    {
        return receivers(SIGNAL(dataChanged(QModelIndex, QModelIndex, QVector<int>)));
    }
};

QPushButton *buttonWithText(QWidget *page, const QString &text)
{
    for (QPushButton *button : page->findChildren<QPushButton *>()) {
        if (button->text().remove(QLatin1Char('&')) == text)
            return button;
    }
    return nullptr;
}

QVector<Plugin::Dorvix::TransportLayerInfoPtr> oneLayer(int cameras)
{
    auto layer = QSharedPointer<Simulator::CSimulatedTransportLayer>::create("tl", "Layer");
    for (int i = 0; i < cameras; ++i) {
        Simulator::CSimulatedCamera::Setup setup;
        setup.id = QStringLiteral("id-%1").arg(i);
        setup.displayName = QStringLiteral("Cam %1").arg(i);
        setup.modelName = QStringLiteral("Model");
        setup.firmwareVersion = QStringLiteral("1.0");
        layer->addCamera(QSharedPointer<Simulator::CSimulatedCamera>::create(setup, "tl"));
    }
    return { layer };
}

// Flat update list entries with the given results ("OK", "Failed", "Skipped").
QList<CFirmwareUpdateEntity *> resultEntities(const QStringList &results)
{
    QList<CFirmwareUpdateEntity *> entities;
    const auto layers = oneLayer(results.size());
    const auto cameras = layers.first()->cameras();
    const QMetaEnum resultEnum
            = QMetaEnum::fromType<CFirmwareUpdateEntity::EFirmwareUpdateResult>();
    for (int i = 0; i < results.size(); ++i) {
        auto *entity = new CFirmwareUpdateEntity;
        entity->setEntityType(CFirmwareUpdateEntity::CameraDevice);
        entity->setCameraInfo(cameras[i]);
        entity->setSelected(true);
        entity->setUpdateResult(CFirmwareUpdateEntity::EFirmwareUpdateResult(
                resultEnum.keyToValue(results[i].toLatin1().constData())));
        entities << entity;
    }
    return entities;
}

} // namespace

class tst_StateSteps : public QObject
{
    Q_OBJECT

signals:
    void next();
    void back();

private slots:
    void init();
    void cleanup();
    void firstPageKeepsItsOwnGeometry();
    void geometryCarriesOver_data();
    void geometryCarriesOver();
    void doneStepEndsEachRun();
    void cameraNextFollowsSelection_data();
    void cameraNextFollowsSelection();
    void cameraSetModelKeepsOneConnection();
    void updateSelectionClearsPlan();
    void resultSummary_data();
    void resultSummary();

private:
    void runMachine();

    Core::Service::CServiceRegistry *m_registry = nullptr;
    QSharedPointer<CTestFirmwareUpdaterService> m_service;
    QStateMachine *m_machine = nullptr;
    QList<QWidget *> m_pages;
};

void tst_StateSteps::init()
{
    m_registry = new Core::Service::CServiceRegistry;
    m_service.reset(new CTestFirmwareUpdaterService);
    m_service->pageSz = QSize(-1, -1);
    m_registry->addService(m_service);
    m_machine = new QStateMachine;
}

void tst_StateSteps::cleanup()
{
    delete m_machine;
    qDeleteAll(m_pages);
    m_pages.clear();
    delete m_registry;
    m_service.reset();
}

void tst_StateSteps::runMachine()
{
    QSignalSpy started(m_machine, &QStateMachine::started);
    m_machine->start();
    QVERIFY(started.wait());
}

void tst_StateSteps::firstPageKeepsItsOwnGeometry()
{
    auto *page = new QWidget;
    m_pages << page;
    page->move(40, 50);
    page->resize(640, 480);
    auto *step = new State::CFirmwareUpdateStepBase(m_registry, page, nullptr);
    m_machine->addState(step);
    m_machine->setInitialState(step);
    runMachine();
    QVERIFY(page->isVisible());
    QCOMPARE(page->size(), QSize(640, 480));
    QCOMPARE(page->pos(), QPoint(40, 50));
    QCOMPARE(page->windowState(), Qt::WindowNoState);
}

void tst_StateSteps::geometryCarriesOver_data()
{
    QTest::addColumn<int>("leftState");
    QTest::addColumn<int>("expectedState");
    QTest::addColumn<bool>("geometryApplied");

    QTest::newRow("normal") << int(Qt::WindowNoState) << int(Qt::WindowNoState) << true;
    QTest::newRow("maximized") << int(Qt::WindowMaximized) << int(Qt::WindowMaximized) << false;
    QTest::newRow("full screen comes back maximized")
            << int(Qt::WindowFullScreen) << int(Qt::WindowMaximized) << false;
    QTest::newRow("minimized") << int(Qt::WindowMinimized) << int(Qt::WindowMinimized) << true;
}

void tst_StateSteps::geometryCarriesOver()
{
    QFETCH(int, leftState);
    QFETCH(int, expectedState);
    QFETCH(bool, geometryApplied);

    auto *first = new QWidget;
    auto *second = new QWidget;
    m_pages << first << second;
    second->setGeometry(10, 20, 300, 200);
    auto *step1 = new State::CFirmwareUpdateStepBase(m_registry, first, nullptr);
    auto *step2 = new State::CFirmwareUpdateStepBase(m_registry, second, nullptr);
    step1->addTransition(this, &tst_StateSteps::next, step2);
    m_machine->addState(step1);
    m_machine->addState(step2);
    m_machine->setInitialState(step1);
    runMachine();

    first->move(100, 100);
    first->resize(700, 500);
    first->setWindowState(Qt::WindowStates(leftState));
    QSignalSpy entered(step2, &QState::entered);
    emit next();
    QVERIFY(entered.count() == 1 || entered.wait());

    QVERIFY(!first->isVisible());
    QVERIFY(second->isVisible());
    QCOMPARE(int(second->windowState()), expectedState);
    QCOMPARE(m_service->pageWindowState(), Qt::WindowStates(leftState));
    if (geometryApplied) {
        QCOMPARE(second->pos(), QPoint(100, 100));
        QCOMPARE(second->size(), QSize(700, 500));
    } else {
        // A maximized page ignores the stored normal geometry.
        QVERIFY(second->pos() != QPoint(100, 100) || second->size() != QSize(700, 500));
    }
}

void tst_StateSteps::doneStepEndsEachRun()
{
    auto model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
    auto *start = new QState;
    auto *done = new State::CFirmwareUpdateDoneStep(m_registry, nullptr);
    done->setModel(model);
    done->setModel(model);
    start->addTransition(this, &tst_StateSteps::next, done);
    m_machine->addState(start);
    m_machine->addState(done);
    m_machine->setInitialState(start);

    for (int run = 1; run <= 2; ++run) {
        model->setEntities(resultEntities({ "OK", "Failed" }));
        m_service->logOpen = true;
        m_service->lastError = QStringLiteral("boom");
        QSignalSpy finished(m_machine, &QStateMachine::finished);
        runMachine();
        emit next();
        QVERIFY(finished.count() == 1 || finished.wait());
        QCOMPARE(model->rowCount(), 0);
        QCOMPARE(m_service->closeCount, run);
        QVERIFY(m_service->lastError.isEmpty());
    }
}

void tst_StateSteps::cameraNextFollowsSelection_data()
{
    QTest::addColumn<QVector<int>>("roles");
    QTest::addColumn<bool>("ruleRuns");

    QTest::newRow("selection role") << QVector<int> { 2 } << true;
    QTest::newRow("check box column") << QVector<int> { 0 } << true;
    QTest::newRow("selection among others") << QVector<int> { 0, 8, 2 } << true;
    QTest::newRow("firmware role") << QVector<int> { 4 } << false;
    QTest::newRow("status role") << QVector<int> { 6 } << false;
    QTest::newRow("all roles") << QVector<int>() << false;
}

void tst_StateSteps::cameraNextFollowsSelection()
{
    QFETCH(QVector<int>, roles);
    QFETCH(bool, ruleRuns);

    auto model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
    model->buildFromTransportLayers(oneLayer(2));
    auto *page = new View::CCameraSelectionDialog(nullptr);
    m_pages << page;
    page->setTreeModel(model);
    auto *step = new State::CCameraSelectionStep(m_registry, page, nullptr);
    step->setModel(model);
    m_machine->addState(step);
    m_machine->setInitialState(step);
    runMachine();

    QPushButton *nextButton = buttonWithText(page, QStringLiteral("Next"));
    QVERIFY(nextButton);
    QVERIFY(!nextButton->isEnabled());

    // Checking through the model enables Next.
    const QModelIndex first = model->findCameraIndex("tl", "id-0", 2);
    QVERIFY(model->setData(first, true, Qt::EditRole));
    QVERIFY(nextButton->isEnabled());
    QVERIFY(nextButton->isDefault());
    QVERIFY(model->setData(first, false, Qt::EditRole));
    QVERIFY(!nextButton->isEnabled());

    // A selection that changed without a signal is picked up only on the
    // roles that stand for the check state.
    model->setData(model->findCameraIndex("tl", "id-1", 0), true, Qt::EditRole);
    page->setNextEnabled(false);
    emit model->dataChanged(first, first, roles);
    QCOMPARE(nextButton->isEnabled(), ruleRuns);
}

void tst_StateSteps::cameraSetModelKeepsOneConnection()
{
    auto first = QSharedPointer<CProbeModel>::create();
    auto second = QSharedPointer<CProbeModel>::create();
    auto *page = new View::CCameraSelectionDialog(nullptr);
    m_pages << page;
    State::CCameraSelectionStep step(m_registry, page, nullptr);
    const int before = first->dataChangedReceivers();

    step.setModel(first);
    step.setModel(first);
    QCOMPARE(first->dataChangedReceivers(), before + 1);
    step.setModel(second);
    QCOMPARE(first->dataChangedReceivers(), before);
    QCOMPARE(second->dataChangedReceivers(), before + 1);
    step.setModel({});
    QCOMPARE(second->dataChangedReceivers(), before);
}

void tst_StateSteps::updateSelectionClearsPlan()
{
    auto updateModel = QSharedPointer<CFirmwareUpdateTreeModel>::create();
    updateModel->setEntities(resultEntities({ "OK", "OK" }));
    auto *page = new View::CUpdateSelectionDialog(nullptr);
    m_pages << page;
    auto *step = new State::CUpdateSelectionStep(m_registry, page, nullptr);
    step->setModel(updateModel);
    m_machine->addState(step);
    m_machine->setInitialState(step);
    runMachine();

    QCOMPARE(updateModel->rowCount(), 0);
    QVERIFY(page->isVisible());
    auto *info = page->findChild<QLabel *>("infoTextLabel");
    QVERIFY(info);
    QVERIFY2(info->text().contains(m_service->supportUrl()), qPrintable(info->text()));
}

void tst_StateSteps::resultSummary_data()
{
    QTest::addColumn<QStringList>("results");
    QTest::addColumn<QString>("lastError");
    QTest::addColumn<QString>("expectedErrorText");

    QTest::newRow("all successful")
            << QStringList { "OK", "OK", "OK" }
            << QStringLiteral("Firmware updates have been canceled by the user.") << QString();
    QTest::newRow("failure with skipped")
            << QStringList { "Failed", "Skipped", "Skipped" } << QStringLiteral("Boom %1")
            << QStringLiteral("An error has occurred during the update. The subsequent updates "
                              "have been skipped.<br>Error message: Boom %1.");
    QTest::newRow("last failed, none skipped")
            << QStringList { "OK", "OK", "Failed" } << QStringLiteral("Boom")
            << QStringLiteral("An error has occurred during the update.<br>Error message: Boom.");
}

void tst_StateSteps::resultSummary()
{
    QFETCH(QStringList, results);
    QFETCH(QString, lastError);
    QFETCH(QString, expectedErrorText);

    auto updateModel = QSharedPointer<CFirmwareUpdateTreeModel>::create();
    updateModel->setEntities(resultEntities(results));
    auto *page = new View::CResultSummaryDialog(nullptr);
    m_pages << page;
    page->setTreeModel(updateModel);
    auto *step = new State::CResultSummaryStep(m_registry, page, nullptr);
    step->setModel(updateModel);
    auto *done = new QFinalState;
    step->addTransition(this, &tst_StateSteps::next, done);
    m_machine->addState(step);
    m_machine->addState(done);
    m_machine->setInitialState(step);
    m_service->lastError = lastError;
    auto *errorLabel = page->findChild<QLabel *>("errorTextLabel");
    QVERIFY(errorLabel);
    const QString placeholder = errorLabel->text();
    runMachine();

    QCOMPARE(errorLabel->text(), expectedErrorText.isEmpty() ? placeholder : expectedErrorText);
    auto *logLink = page->findChild<QLabel *>("infoTextLabel_3");
    QVERIFY(logLink);
    QVERIFY(logLink->text().contains(m_service->logFilePath()));
    QVERIFY(logLink->text().contains(m_service->supportUrl()));

    QSignalSpy finished(m_machine, &QStateMachine::finished);
    emit next();
    QVERIFY(finished.count() == 1 || finished.wait());
    QCOMPARE(updateModel->rowCount(), 0);
    QVERIFY(!page->isVisible());
}

QTEST_MAIN(tst_StateSteps)
#include "tst_state_steps.moc"
