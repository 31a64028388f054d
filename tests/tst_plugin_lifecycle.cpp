#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "plugin/CFirmwareUpdaterPlugin.h"
#include "plugin/IFirmwareUpdaterService.h"
#include "simulator/CDeviceSelectorService.h"
#include "support/SimulatedHost.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CUpdateSelectionDialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using Core::Service::findService;
using Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin;
using Plugin::FirmwareUpdater::IFirmwareUpdaterService;
using namespace Plugin::FirmwareUpdater::Internal::View;

namespace {

const char kMenu[] = "FirmwareUpdater.Menu.Start";
const char kContext[] = "FirmwareUpdater.Context.Start";
const QString kQuestion = QStringLiteral(
        "Fimware Updater|<p>To use the Firmware Updater, you have to stop continuous image "
        "acquisition as well as any recordings.|Yes/No:1 default No:1 min/max:1 32x32 filler:1");

// "version" or "version/camera id": an update for Model A cameras.
QByteArray updateFile(const QString &update)
{
    const QString ids = update.contains('/') ? '"' + update.section('/', 1) + '"' : QString();
    return QStringLiteral("{ \"updates\": [ { \"version\": \"%1\", \"models\": [\"Model A\"], "
                          "\"cameraIds\": [%2], \"phases\": [ { \"step\": \"FileUpload\", "
                          "\"estimatedMs\": 0 } ] } ] }")
            .arg(update.section('/', 0, 0), ids)
            .toUtf8();
}

// The viewer's start-up with the plug-in, after withdrawing the host services
// whose class names match missing.
struct Started
{
    explicit Started(const QString &missing = QString())
    {
        host.addCamera("GigE", "A1", "Model A");
        host.addCamera("GigE", "A2", "Model A");
        host.addCamera("GigE", "X1", "Model X", 5);
        withdraw(missing);
        plugin->initialize(host.registry);
        plugin->extensionsInitialized();
        service = findService<IFirmwareUpdaterService>(host.registry);
        page1 = host.mainWindow->findChild<CCameraSelectionDialog *>();
        page2 = host.mainWindow->findChild<CUpdateSelectionDialog *>();
    }
    ~Started()
    {
        plugin->uninitialize(host.registry);
        service.reset();
        plugin.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void withdraw(const QString &classPattern)
    {
        const QRegularExpression pattern(classPattern);
        for (const auto &hostService : host.registry->services()) {
            if (!classPattern.isEmpty()
                && pattern.match(hostService->metaObject()->className()).hasMatch())
                host.withdraw(hostService);
        }
    }
    QAction *action(const char *id) const
    {
        Plugin::Vantor::ICommand *command = host.menuService->command(Core::CId(id));
        return command ? command->action() : nullptr;
    }
    // Answers the next modal box from the event loop the way a user would,
    // after noting what it looked like.
    void answerNextBox(const QString &answer)
    {
        QTimer::singleShot(0, [this, answer] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            bool filler = false;
            for (QWidget *w : box->findChildren<QWidget *>())
                filler |= w->minimumSize() == QSize(570, 1) && w->maximumSize() == QSize(570, 1)
                        && box->layout()->indexOf(w) >= 0 && box->width() >= 570;
            question = QStringLiteral("%1|%2|Yes/No:%3 default No:%4 min/max:%5 %6x%7 filler:%8")
                               .arg(box->windowTitle(), box->text().section("</p>", 0, 0))
                               .arg(box->standardButtons() == (QMessageBox::Yes | QMessageBox::No))
                               .arg(box->defaultButton() == box->button(QMessageBox::No))
                               .arg(box->windowFlags().testFlag(Qt::WindowMinMaxButtonsHint))
                               .arg(box->iconPixmap().width())
                               .arg(box->iconPixmap().height())
                               .arg(filler);
            if (answer == QLatin1String("Enter"))
                QTest::keyClick(box, Qt::Key_Return);
            else
                box->button(answer == "Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
        });
    }
    // What the user sees and what the run left behind.
    QMap<QString, QString> state() const
    {
        const QAction *menu = action(kMenu), *context = action(kContext);
        const auto camera = service->preselectedCamera();
        const auto a1 = host.pool.camera("A1");
        QFile log(service->logFilePath());
        const QString text = !log.fileName().isEmpty() && log.open(QIODevice::ReadOnly)
                ? QString::fromUtf8(log.readAll())
                : QString();
        QMap<QString, QString> state {
            { "menu", menu ? QString::number(menu->isEnabled()) : "-" },
            { "context", context ? QString::number(context->isVisible()) : "-" },
            { "pre", camera ? camera->id() : "-" },
            { "asked", QString(question).replace(kQuestion, "1") },
            { "logs", QString::number(temp.logs().size()) },
            { "busy", QString::number(a1 && a1->isBusy()) },
            { "lines", QString::number(text.count('\n')) },
            { "critical", QString::number(text.count(" CRITICAL ")) },
        };
        if (!page1) // the wizard is built with the menus
            return state;
        QAbstractButton *next = nullptr;
        for (QAbstractButton *button : page2->findChild<QDialogButtonBox *>()->buttons())
            next = button->text() == QLatin1String("Next") ? button : next;
        const auto label = [this](const char *name) {
            return page2->findChild<QLabel *>(name);
        };
        state.insert({ { "page", QString::number(page1->isVisible()) },
                       { "checked", QString::number(page1->treeModel()->selectedCameras().size()) },
                       { "next", QString::number(next->isEnabled()) },
                       { "error", QString::number(label("errorTextLabel")->isVisibleTo(page2)) },
                       { "version", label("updateVersionTextLabel")->text() } });
        return state;
    }

    TempFolder temp;
    SimulatedHost host;
    std::unique_ptr<CFirmwareUpdaterPlugin> plugin { new CFirmwareUpdaterPlugin };
    QSharedPointer<IFirmwareUpdaterService> service;
    CCameraSelectionDialog *page1 = nullptr;
    CUpdateSelectionDialog *page2 = nullptr;
    QString question;
};

} // namespace

class tst_PluginLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void serviceLivesWithThePlugin()
    {
        QPointer<IFirmwareUpdaterService> service;
        {
            Started f;
            QVERIFY(f.plugin->initialize(f.host.registry)); // again: still the one service
            const auto services
                    = Core::Service::findServices<IFirmwareUpdaterService>(f.host.registry);
            QVERIFY(services.size() == 1 && services.first() == f.service);
            QVERIFY(f.host.menuService->toolsMenu()->actions().contains(f.action(kMenu)));
            QVERIFY(f.host.menuService->contextMenu()->actions().contains(f.action(kContext)));
            for (const QAction *action : { f.action(kMenu), f.action(kContext) })
                QVERIFY(action->text() == "Firmware Updater" && !action->icon().isNull());

            // The wizard's states still share the service when it goes.
            service = f.service.data();
            f.service.reset();
            QVERIFY(f.plugin->uninitialize(f.host.registry));
            QVERIFY(!findService<IFirmwareUpdaterService>(f.host.registry));
        }
        QVERIFY(!service);
    }

    // Steps: "enum" reports an enumeration; a camera id or "null" a
    // selection; "L01" a new setup with so many cameras per transport layer;
    // "-Name" withdraws a host service; "Yes"/"No"/"Enter" answer the next
    // box; "menu"/"context"/"start" start the wizard; "check:A1,A2" checks
    // cameras on page 1, "pre:A2" pre-selects one; "file:..." types a file.
    // Only the state named in expected is compared.
    void hostDrivesThePlugin_data()
    {
        QTest::addColumn<QString>("missing");
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        // clang-format off
        QTest::newRow("start-up") << "" << "" << "menu:0 context:0 pre:-";
        QTest::newRow("supported camera") << "" << "enum A1" << "menu:1 context:1 pre:A1";
        QTest::newRow("unsupported camera") << "" << "enum A1 X1" << "menu:1 context:0 pre:X1";
        QTest::newRow("null selection") << "" << "enum A1 null" << "menu:1 context:0 pre:A1";
        QTest::newRow("empty layers") << "" << "enum A1 L00 enum" << "menu:0 context:0";
        QTest::newRow("second layer") << "" << "enum A1 L01 enum" << "menu:1 context:1";
        QTest::newRow("no menu service") << "Menu" << "enum A1 null" << "menu:- context:- pre:A1";
        QTest::newRow("no camera services") << "Enumeration|Selector" << "enum A1" << "menu:0 pre:-";

        QTest::newRow("none busy") << "" << "menu" << "asked: page:1 logs:1 busy:0 checked:0";
        QTest::newRow("Yes") << "" << "Yes busy context" << "asked:1 page:1 logs:1 busy:0";
        QTest::newRow("No") << "" << "No busy menu" << "asked:1 page:0 logs:0 busy:1";
        QTest::newRow("Enter") << "" << "Enter busy menu" << "asked:1 page:0 logs:0 busy:1";
        QTest::newRow("second start") << "" << "pre:A2 start check:A1 log start" << "checked:2 lines:1 logs:1";

        // A host service gone at the moment the plug-in needs it.
        QTest::newRow("status at start") << "" << "Yes busy -Status start" << "asked: page:0 logs:0 busy:1";
        QTest::newRow("enumeration at start") << "" << "Yes busy -Enumeration start" << "asked: page:0 logs:0 busy:1";
        QTest::newRow("stream control at start") << "" << "Yes busy -StreamControl start" << "asked: page:0 logs:0 busy:1";
        QTest::newRow("enumeration at refresh") << "" << "start check:A1 -Enumeration refresh" << "page:1 checked:1";
        QTest::newRow("enumeration at report") << "" << "start check:A1 -Enumeration enum" << "page:1 checked:1";
        QTest::newRow("update at file check") << "" << "start check:A1 -DeviceFirmwareUpdate file:2.0.0" << "next:0 error:1 critical:0";

        QTest::newRow("no file") << "" << "start check:A1 file:" << "next:0 error:0 version: critical:0";
        QTest::newRow("folder") << "" << "start check:A1 file:/" << "next:0 error:0 version: critical:0";
        QTest::newRow("host throws") << "" << "start check:A1 file:%1" << "next:0 error:1 version: critical:1";
        QTest::newRow("no checked camera") << "" << "start file:2.1.0/A2" << "next:0 error:1 version: critical:0";
        QTest::newRow("fits another") << "" << "start check:A1,A2 file:2.1.0/A2" << "next:0 error:1 version:";
        QTest::newRow("compatible") << "" << "start check:A2 file:2.1.0/A2" << "next:1 error:0 version:2.1.0";
        // clang-format on
    }
    void hostDrivesThePlugin()
    {
        QFETCH(QString, missing);
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        Started f(missing);
        Simulator::CCameraPool &pool = f.host.pool;
        QString answer;
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            const QString arg = step.section(':', 1);
            if (step == QLatin1String("enum")) {
                emit pool.enumerationService()->enumerationChanged();
            } else if (step == QLatin1String("null")) {
                pool.selectorService()->select(nullptr);
            } else if (step.startsWith('L')) {
                pool.clear();
                for (int layer = 1; layer < step.size(); ++layer) {
                    const QString id = QStringLiteral("TL%1").arg(layer);
                    pool.addTransportLayer(id, id);
                    for (int camera = 0; camera < step.at(layer).digitValue(); ++camera)
                        f.host.addCamera(id, id + QString::number(camera), "Model A");
                }
            } else if (step.startsWith('-')) {
                f.withdraw(step.mid(1));
            } else if (step == QLatin1String("busy")) {
                pool.setCameraBusy("A1", true);
            } else if (QStringList { "Yes", "No", "Enter" }.contains(step)) {
                answer = step;
            } else if (QStringList { "menu", "context", "start" }.contains(step)) {
                if (!answer.isEmpty())
                    f.answerNextBox(answer);
                if (step == QLatin1String("start"))
                    f.service->startWizard();
                else
                    f.action(step == QLatin1String("menu") ? kMenu : kContext)->trigger();
            } else if (step == QLatin1String("refresh")) {
                emit f.page1->refreshCamTreeClicked();
            } else if (step == QLatin1String("log")) {
                f.service->writeLog(Plugin::FirmwareUpdater::Info, QStringLiteral("line"));
            } else if (step.startsWith(QLatin1String("check:"))) {
                const auto model = f.page1->treeModel();
                for (const QString &id : arg.split(',')) {
                    const QModelIndex index = model->findCameraIndex("GigE", id, 0);
                    model->setData(index, true, Qt::EditRole);
                    model->applySelectionRules(index);
                }
            } else if (step.startsWith(QLatin1String("pre:"))) {
                f.service->setPreselectedCamera(pool.camera(arg));
            } else if (step.startsWith(QLatin1String("file:"))) {
                // Typed on page 2: no file, a folder, unreadable or an update.
                const QString path = f.temp.path() + QStringLiteral("/update.guf");
                QFile file(path);
                if (arg == QLatin1String("/"))
                    QDir().mkdir(path);
                else if (!arg.isEmpty() && file.open(QIODevice::WriteOnly))
                    file.write(arg.contains('.') ? updateFile(arg) : arg.toUtf8());
                file.close();
                emit f.page2->pathChanged(path);
                QCOMPARE(f.service->updateFilePath(), path);
            } else {
                pool.selectCamera(step);
            }
            SimulatedHost::settle();
        }
        const QMap<QString, QString> state = f.state();
        QStringList actual;
        for (const QString &entry : expected.split(' '))
            actual << entry.section(':', 0, 0) + ':' + state.value(entry.section(':', 0, 0));
        QCOMPARE(actual.join(' '), expected);
    }

    void pagesWithoutMainWindowGoWithTheService()
    {
        QList<QPointer<QWidget>> pages;
        {
            Started f("Window");
            for (QWidget *widget : QApplication::topLevelWidgets()) {
                if (qobject_cast<CUpdateDialogBase *>(widget))
                    pages << widget;
            }
            QCOMPARE(pages.size(), 5);
        }
        for (const QPointer<QWidget> &page : pages)
            QVERIFY(!page);
    }
};

QTEST_MAIN(tst_PluginLifecycle)
#include "tst_plugin_lifecycle.moc"
