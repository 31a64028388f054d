#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "plugin/CFirmwareUpdaterPlugin.h"
#include "api/IFirmwareUpdaterService.h"
#include "simulator/CDeviceFirmwareUpdateService.h"
#include "support/SimulatedHost.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CFirmwareUpdateDialog.h"
#include "view/CUpdateSelectionDialog.h"
#include "view/CUpdateSummaryDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

using namespace Core::Service;
using namespace Plugin::FirmwareUpdater;
using namespace Plugin::FirmwareUpdater::Internal::View;

namespace {

const char kMenu[] = "FirmwareUpdater.Menu.Start";
const char kContext[] = "FirmwareUpdater.Context.Start";
const QString kQuestion = QStringLiteral(
        "Fimware Updater|<p>To use the Firmware Updater, you have to stop continuous image "
        "acquisition as well as any recordings.|Yes/No:1 default No:1 focus No:1 min/max:1 32x32 "
        "filler:1");

// Version 2.1.0 for camera A2 of Model A.
const char kUpdate[] = R"({"updates":[{"version":"2.1.0","models":["Model A"],)"
                       R"("cameraIds":["A2"],"phases":[{"step":"FileUpload","estimatedMs":0}]}]})";

// The pages there are, wherever they live.
int pageCount()
{
    int count = 0;
    for (QWidget *widget : QApplication::allWidgets())
        count += qobject_cast<CUpdateDialogBase *>(widget) != nullptr;
    return count;
}

// Answers the next modal box from the event loop the way a user would, after
// noting what it looked like: title, first paragraph, buttons, default,
// min/max buttons, icon size and a 570 px filler in its layout.
void answerNextBox(const QString &answer, QString *question)
{
    QTimer::singleShot(0, [answer, question] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        if (!box->button(QMessageBox::Yes)) {
            // Not the question: the notice of what the viewer lacks.
            *question = "missing:" + box->text().section(": ", 1).remove('.').replace(' ', '_');
            box->button(QMessageBox::Ok)->click();
            return;
        }
        bool filler = false;
        for (QWidget *w : box->findChildren<QWidget *>())
            filler |= w->minimumSize() == QSize(570, 1) && w->maximumSize() == QSize(570, 1)
                    && box->layout()->indexOf(w) >= 0 && box->width() >= 570;
        *question = QString::asprintf(
                "%s|%s|Yes/No:%d default No:%d focus No:%d min/max:%d %dx%d filler:%d",
                qPrintable(box->windowTitle()), qPrintable(box->text().section("</p>", 0, 0)),
                box->standardButtons() == (QMessageBox::Yes | QMessageBox::No),
                box->defaultButton() == box->button(QMessageBox::No)
                        && !qobject_cast<QPushButton *>(box->button(QMessageBox::Yes))->isDefault(),
                box->focusWidget() == box->button(QMessageBox::No),
                box->windowFlags().testFlag(Qt::WindowMinMaxButtonsHint), box->iconPixmap().width(),
                box->iconPixmap().height(), filler);
        // Keys go where the window system sends them: to the focused button.
        QWidget *focus = box->focusWidget() ? box->focusWidget() : box;
        if (answer == "Enter")
            QTest::keyClick(focus, Qt::Key_Return);
        else if (answer == "Escape")
            QTest::keyClick(focus, Qt::Key_Escape);
        else
            box->button(answer == "Yes" ? QMessageBox::Yes : QMessageBox::No)->click();
    });
}

// The simulator's update file reader, with empty entries around what it reads.
class CPaddingUpdateService : public Simulator::CDeviceFirmwareUpdateService
{
public:
    using CDeviceFirmwareUpdateService::CDeviceFirmwareUpdateService;
    QVector<Plugin::Dorvix::FirmwareUpdateInfoPtr> readUpdateFile(const QString &path,
                                                                  const QString &second) override
    {
        return QVector<Plugin::Dorvix::FirmwareUpdateInfoPtr>(1)
                + CDeviceFirmwareUpdateService::readUpdateFile(path, second)
                + QVector<Plugin::Dorvix::FirmwareUpdateInfoPtr>(1);
    }
};

// The viewer's start-up with the plug-in, after withdrawing the host services
// whose class names contain a name given as "!Name".
struct Started
{
    explicit Started(const QString &steps = QString())
    {
        host.addCamera("GigE", "A1", "Model A");
        host.addCamera("GigE", "A2", "Model A");
        host.addCamera("GigE", "X1", "Model X", 5);
        withdraw(steps.split(' ').filter(QRegularExpression("^!")).replaceInStrings("!", ""));
        if (steps.split(' ').contains("nulls")) {
            withdraw({ "DeviceFirmwareUpdate" });
            host.registry->addService(QSharedPointer<CPaddingUpdateService>::create(&host.pool));
        }
        load();
    }
    void load()
    {
        plugin->initialize(host.registry);
        plugin->extensionsInitialized();
        service = findService<IFirmwareUpdaterService>(host.registry);
        page1 = host.mainWindow->findChild<CCameraSelectionDialog *>();
        page2 = host.mainWindow->findChild<CUpdateSelectionDialog *>();
    }
    ~Started()
    {
        if (plugin)
            plugin->uninitialize(host.registry);
    }

    void withdraw(const QStringList &names)
    {
        for (const auto &hostService : host.registry->services())
            for (const QString &name : names)
                if (QString(hostService->metaObject()->className()).contains(name))
                    host.registry->removeService(hostService);
    }
    QAction *action(const char *id) const
    {
        Plugin::Vantor::ICommand *command = host.menuService->command(Core::CId(id));
        return command ? command->action() : nullptr;
    }

    // What the user sees and what the run left behind, as "key:value" for the
    // keys named in expected.
    QString state(const QString &expected, QString question) const
    {
        QFile log(temp.path() + '/' + temp.logs().value(0));
        const QString text = log.open(QIODevice::ReadOnly) ? log.readAll() : QString();
        QMap<QString, QString> state {
            { "menu", action(kMenu) ? QString::number(action(kMenu)->isEnabled()) : "-" },
            { "context", action(kContext) ? QString::number(action(kContext)->isVisible()) : "-" },
            { "pre", service && service->preselectedCamera() ? service->preselectedCamera()->id() : "-" },
            { "asked", question.replace(kQuestion, "1") },
            { "logs", QString::number(temp.logs().size()) },
            { "busy", QString::number(host.pool.camera("A1") && host.pool.camera("A1")->isBusy()) },
            { "critical", QString::number(text.count(" CRITICAL ")) },
            { "pages", QString::number(pageCount()) },
            { "modal", QString::number(QApplication::activeModalWidget() != nullptr) },
            { "closing", QString::number(text.count("Firmware Updater unloaded while")) },
        };
        if (page1 && page2) { // the wizard is built with the menus
            state["page"] = QString::number(page1->isVisible());
            state["checked"] = QString::number(page1->treeModel()->selectedCameras().size());
            for (QAbstractButton *button : page2->findChild<QDialogButtonBox *>()->buttons())
                if (button->text() == "Next")
                    state["next"] = QString::number(button->isEnabled());
            const auto *error = page2->findChild<QLabel *>("errorTextLabel");
            state["error"] = QString::number(error->isVisibleTo(page2));
            state["version"] = page2->findChild<QLabel *>("updateVersionTextLabel")->text();
            const auto *page3 = host.mainWindow->findChild<CUpdateSummaryDialog *>();
            state["summary"] = QString::number(page3->isVisible());
        }
        QStringList actual;
        for (const QString &entry : expected.split(' '))
            actual << entry.section(':', 0, 0) + ':' + state.value(entry.section(':', 0, 0));
        return actual.join(' ');
    }

    TempFolder temp;
    SimulatedHost host;
    std::unique_ptr<CFirmwareUpdaterPlugin> plugin { new CFirmwareUpdaterPlugin };
    QSharedPointer<IFirmwareUpdaterService> service;
    QPointer<CCameraSelectionDialog> page1;
    QPointer<CUpdateSelectionDialog> page2;
};

} // namespace

class tst_PluginLifecycle : public QObject
{
    Q_OBJECT

private slots:
    void serviceLivesWithThePlugin()
    {
        auto f = std::make_unique<Started>();
        QVERIFY(f->plugin->initialize(f->host.registry)); // again: still the one service
        QCOMPARE(findServices<IFirmwareUpdaterService>(f->host.registry).size(), 1);
        QVERIFY(f->host.menuService->toolsMenu()->actions().contains(f->action(kMenu)));
        QVERIFY(f->host.menuService->contextMenu()->actions().contains(f->action(kContext)));
        for (const QAction *action : { f->action(kMenu), f->action(kContext) })
            QVERIFY(action->text() == "Firmware Updater" && !action->icon().isNull());

        // The wizard's states still share the service when it goes.
        const QPointer<IFirmwareUpdaterService> service = f->service.data();
        f->service.reset();
        QVERIFY(f->plugin->uninitialize(f->host.registry));
        QVERIFY(!findService<IFirmwareUpdaterService>(f->host.registry));
        f.reset();
        QVERIFY(!service);
    }

    void languageSwitch_data()
    {
        QTest::addColumn<QString>("language");
        // Start actions | page 4's Cancel button = the button its hint names.
        QTest::addColumn<QString>("shown");
        QTest::newRow("ja") << "ja"
                            << "ファームウェア アップデーター | キャンセル = キャンセル";
        QTest::newRow("ko") << "ko"
                            << "펌웨어 업데이터 | 취소 = 취소";
        QTest::newRow("zh") << "zh"
                            << "固件更新程序 | 取消 = 取消";
        QTest::newRow("back to English") << "en"
                                         << "Firmware Updater | Cancel = Cancel";
        QTest::newRow("unknown") << "xx"
                                 << "Firmware Updater | Cancel = Cancel";
    }
    // The plug-in's texts, Qt's standard buttons and the hints naming them
    // change together, also back from another language.
    void languageSwitch()
    {
        QFETCH(QString, language);
        QFETCH(QString, shown);
        Started f;
        auto *page4 = f.host.mainWindow->findChild<CFirmwareUpdateDialog *>();
        QVERIFY(page4);
        f.plugin->setLanguage(QStringLiteral("ko"));
        f.plugin->setLanguage(language);
        QCoreApplication::processEvents();
        const QString hint = page4->findChild<QLabel *>(QStringLiteral("infoTextLabel_2"))->text();
        const QString named
                = QRegularExpression(QStringLiteral("<b>([^<]*)</b>")).match(hint).captured(1);
        const QString cancel
                = page4->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->text();
        QCOMPARE(f.action(kContext)->text(), f.action(kMenu)->text());
        QCOMPARE(QStringLiteral("%1 | %2 = %3").arg(f.action(kMenu)->text(), cancel, named), shown);
        f.plugin->setLanguage(QStringLiteral("en"));
    }

    // Steps: "enum" reports an enumeration, anything unknown ("A1", "null")
    // selects that camera; "clear" leaves one empty transport layer, "+B1"
    // adds a camera on a second one; "!Name" withdraws a host service before
    // start-up, "-Name" then; "busy" makes A1 busy; "menu"/"context" start the
    // wizard, answering the box that may come with ":Yes", ":No" or
    // ":Enter"; "check:A1,A2" checks cameras on page 1; "file:..." types a
    // file: nothing, a folder "/", "update" (2.1.0 for A2) or other text;
    // "next" clicks Next on page 1 or 2. "nulls" has the host read update files
    // with empty entries around the descriptions.
    // After " => " the state expected; only the state named there is compared.
    void hostDrivesThePlugin_data()
    {
        QTest::addColumn<QString>("row");
        // clang-format off
        QTest::newRow("start-up") << " => menu:0 context:0 pre:-";
        QTest::newRow("supported camera") << "enum A1 => menu:1 context:1 pre:A1";
        QTest::newRow("unsupported camera") << "enum A1 X1 => menu:1 context:0 pre:X1";
        QTest::newRow("null selection") << "enum A1 null => menu:1 context:0 pre:A1";
        QTest::newRow("empty layers") << "enum A1 clear enum => menu:0 context:0";
        QTest::newRow("second layer") << "enum A1 clear +B1 enum => menu:1 context:1";
        QTest::newRow("no menu service") << "!Menu enum A1 null => menu:- context:- pre:A1";
        QTest::newRow("no window service") << "!Window enum A1 => menu:1 pages:5";
        QTest::newRow("no camera services") << "!Enumeration !Selector enum A1 => menu:0 pre:-";

        QTest::newRow("none busy") << "menu => asked: page:1 logs:1 busy:0 checked:0";
        QTest::newRow("Yes") << "busy context:Yes => asked:1 page:1 logs:1 busy:0";
        QTest::newRow("No") << "busy menu:No => asked:1 page:0 logs:0 busy:1";
        QTest::newRow("Enter") << "busy menu:Enter => asked:1 page:0 logs:0 busy:1";
        QTest::newRow("Escape") << "busy menu:Escape => asked:1 page:0 logs:0 busy:1";
        QTest::newRow("second start") << "A2 menu check:A1 log menu => checked:2 critical:1 logs:1";

        // A host service gone at the moment the plug-in needs it.
        QTest::newRow("status at start") << "busy -Status menu => asked:missing:camera_status page:0 logs:0 busy:1";
        QTest::newRow("enumeration at start") << "busy -Enumeration menu => asked:missing:camera_enumeration page:0 logs:0 busy:1";
        QTest::newRow("stream control at start") << "busy -StreamControl menu => asked:missing:camera_stream_control page:0 logs:0 busy:1";
        QTest::newRow("stream control not needed") << "-StreamControl menu => asked: page:1 logs:1";

        // The viewer unloads the plug-in: nothing of the wizard stays behind
        // or keeps the viewer's window blocked, and a reload starts afresh.
        QTest::newRow("unload while idle") << "enum unload => pages:0 modal:0 logs:0";
        QTest::newRow("unload on page 1") << "menu unload => pages:0 modal:0 logs:1 closing:1";
        QTest::newRow("unload and reload") << "menu unload reload unload reload => pages:5 modal:0";
        QTest::newRow("reload and start") << "menu unload reload A1 menu => pages:5 page:1 modal:1 checked:1";
        QTest::newRow("enumeration at refresh") << "menu check:A1 -Enumeration refresh => page:1 checked:1";
        QTest::newRow("enumeration at report") << "menu check:A1 -Enumeration enum => page:1 checked:1";
        QTest::newRow("update at file check") << "menu check:A2 -DeviceFirmwareUpdate file:update => next:0 error:1 critical:0";

        QTest::newRow("no file") << "menu check:A1 file: => next:0 error:0 version: critical:0";
        QTest::newRow("folder") << "menu check:A1 file:/ => next:0 error:0 version: critical:0";
        QTest::newRow("host throws") << "menu check:A1 file:%1 => next:0 error:1 version: critical:1";
        QTest::newRow("no checked camera") << "menu file:update => next:0 error:1 version: critical:0";
        QTest::newRow("fits another") << "menu check:A1,A2 file:update => next:0 error:1 version:";
        QTest::newRow("compatible") << "menu check:A2 file:update => next:1 error:0 version:2.1.0";
        QTest::newRow("empty entries from the host") << "nulls menu check:A2 next file:update next => version:2.1.0 summary:1";
        // clang-format on
    }
    void hostDrivesThePlugin()
    {
        QFETCH(QString, row);
        const QString steps = row.section(" => ", 0, 0), expected = row.section(" => ", 1);
        auto f = std::make_unique<Started>(steps);
        QString question;
        for (const QString &step : steps.split(' ', Qt::SkipEmptyParts)) {
            const QString verb = step.section(':', 0, 0), arg = step.section(':', 1);
            if (step == "enum") {
                emit f->host.pool.enumerationService()->enumerationChanged();
            } else if (step == "clear") {
                f->host.pool.clear();
                f->host.pool.addTransportLayer("TL1", "TL1");
            } else if (step.startsWith('+')) {
                f->host.addCamera("TL2", step.mid(1), "Model A");
            } else if (step.startsWith('-') || step.startsWith('!')) {
                f->withdraw({ step.mid(1) });
            } else if (step == "busy") {
                f->host.pool.setCameraBusy("A1", true);
            } else if (verb == "menu" || verb == "context") {
                answerNextBox(arg, &question);
                f->action(verb == "menu" ? kMenu : kContext)->trigger();
            } else if (step == "unload") {
                f->plugin->uninitialize(f->host.registry);
                f->service.reset();
                f->plugin.reset();
                QTest::qWait(0); // deferred deletions
            } else if (step == "reload") {
                f->plugin.reset(new CFirmwareUpdaterPlugin);
                f->load();
            } else if (step == "refresh") {
                emit f->page1->refreshCamTreeClicked();
            } else if (step == "log") {
                f->service->writeLog(Critical, "line");
            } else if (verb == "check") {
                const auto model = f->page1->treeModel();
                for (const QString &id : arg.split(',')) {
                    const QModelIndex index = model->findCameraIndex("GigE", id, 0);
                    model->setData(index, true, Qt::EditRole);
                    model->applySelectionRules(index);
                }
            } else if (step == "next") {
                QWidget *page = f->page1->isVisible() ? static_cast<QWidget *>(f->page1) : f->page2;
                for (QAbstractButton *button : page->findChild<QDialogButtonBox *>()->buttons())
                    if (button->text() == "Next")
                        button->click();
            } else if (step == "nulls") {
                // replaced at start-up
            } else if (verb == "file") {
                // Typed on page 2: nothing there, a folder, an update or other text.
                const QString path = f->temp.path() + (arg == "/" ? "" : "/update.guf");
                QFile file(path); // unbuffered: on disk before the page looks
                if (!arg.isEmpty() && file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
                    file.write(arg == "update" ? QByteArray(kUpdate) : arg.toUtf8());
                emit f->page2->pathChanged(path);
            } else {
                f->host.pool.selectCamera(step);
            }
            SimulatedHost::settle();
        }
        QCOMPARE(f->state(expected, question), expected);
        // Whatever the host offered, the pages go with the plug-in.
        f.reset();
        QCOMPARE(pageCount(), 0);
    }
};

QTEST_MAIN(tst_PluginLifecycle)
#include "tst_plugin_lifecycle.moc"
