#pragma once

// Drives the whole wizard the way a user does: the plug-in in a simulated
// viewer, real pages, clicks on their buttons and the update file typed into
// page 2. Log lines are compared without their time stamps.

#include "support/SimulatedHost.h"

#include "host/ServiceLookup.h"
#include "model/CFirmwareUpdateTreeModel.h"
#include "plugin/CFirmwareUpdaterPlugin.h"
#include "plugin/IFirmwareUpdaterService.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CFirmwareUpdateDialog.h"
#include "view/CResultSummaryDialog.h"
#include "view/CUpdateSelectionDialog.h"
#include "view/CUpdateSummaryDialog.h"

#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace View = Plugin::FirmwareUpdater::Internal::View;

class WizardDriver
{
public:
    WizardDriver()
    {
        plugin->initialize(host.registry);
        plugin->extensionsInitialized();
        service = Core::Service::findService<Plugin::FirmwareUpdater::IFirmwareUpdaterService>(
                host.registry);
        const auto pages = host.mainWindow->findChildren<View::CUpdateDialogBase *>();
        for (View::CUpdateDialogBase *page : pages) {
            if (auto *p = qobject_cast<View::CCameraSelectionDialog *>(page))
                page1 = p;
            else if (auto *p = qobject_cast<View::CUpdateSelectionDialog *>(page))
                page2 = p;
            else if (auto *p = qobject_cast<View::CUpdateSummaryDialog *>(page))
                page3 = p;
            else if (auto *p = qobject_cast<View::CFirmwareUpdateDialog *>(page))
                page4 = p;
            else if (auto *p = qobject_cast<View::CResultSummaryDialog *>(page))
                page5 = p;
        }
    }

    ~WizardDriver()
    {
        plugin->uninitialize(host.registry);
        service.reset();
        plugin.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // "id|display name|model|firmware" on one transport layer.
    void addCameras(const QStringList &cameras)
    {
        // Null when the layer exists already.
        host.pool.addTransportLayer(QStringLiteral("GigE"), QStringLiteral("GigE"));
        for (const QString &line : cameras) {
            const QStringList f = line.split(QLatin1Char('|'));
            Simulator::CSimulatedCamera::Setup setup;
            setup.id = f.value(0);
            setup.displayName = f.value(1);
            setup.modelName = f.value(2);
            setup.firmwareVersion = f.value(3);
            setup.secondaryName = QStringLiteral("S-") + setup.id;
            setup.detailText = QStringLiteral("detail ") + setup.id;
            host.pool.addCamera(QStringLiteral("GigE"), setup);
        }
    }

    QString writeUpdateFile(const QByteArray &content, const QString &name = "update.guf")
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return QString();
        file.write(content);
        return path;
    }

    static QAbstractButton *button(QWidget *page, const QString &text)
    {
        auto *box = page->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        for (QAbstractButton *candidate : box->buttons()) {
            if (candidate->text().remove(QLatin1Char('&')) == text)
                return candidate;
        }
        return nullptr;
    }

    static bool click(QWidget *page, const QString &text)
    {
        QAbstractButton *b = button(page, text);
        if (!b || !b->isEnabled() || !b->isVisible())
            return false;
        QTest::mouseClick(b, Qt::LeftButton);
        return true;
    }

    static bool nextEnabled(QWidget *page)
    {
        QAbstractButton *b = button(page, QStringLiteral("Next"));
        return b && b->isEnabled();
    }

    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    bool start()
    {
        service->startWizard();
        settle();
        return page1 && page1->isVisible();
    }

    // Checks cameras the way the check box editor does.
    void check(const QStringList &ids, bool checked = true)
    {
        const auto model = page1->treeModel();
        for (const QString &id : ids) {
            const QModelIndex index = model->findCameraIndex(QStringLiteral("GigE"), id, 0);
            model->setData(index, checked, Qt::EditRole);
            model->applySelectionRules(index);
        }
    }

    // Page 3's check boxes on the update model.
    void checkPlanned(const QString &id, bool checked)
    {
        const auto model = page3->treeModel();
        const QModelIndex index = model->findCameraIndex(QString(), id, 0);
        model->setData(index, checked, Qt::EditRole);
    }

    void typePath(const QString &path)
    {
        auto *edit = page2->findChild<QLineEdit *>(QStringLiteral("updateFileLineEdit"));
        edit->clear();
        QTest::keyClicks(edit, path);
    }

    // Page 1 to page 3 with the given cameras checked and file typed.
    bool toSummary(const QStringList &ids, const QString &path)
    {
        check(ids);
        if (!click(page1, QStringLiteral("Next")) || !page2->isVisible())
            return false;
        typePath(path);
        if (!click(page2, QStringLiteral("Next")))
            return false;
        return page3->isVisible();
    }

    bool waitForResults()
    {
        return QTest::qWaitFor([this] { return page5->isVisible(); }, 60000);
    }

    bool closeOn(QWidget *page)
    {
        logPath = service->logFilePath();
        const bool clicked = click(page, QStringLiteral("Close"));
        settle();
        return clicked && !page->isVisible() && service->logFilePath().isEmpty();
    }

    // The run's log without time stamps: "LEVEL message".
    QStringList log() const
    {
        QFile file(logPath);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return { QStringLiteral("<no log at %1>").arg(logPath) };
        const QString text = QString::fromUtf8(file.readAll());
        QStringList lines = text.split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        static const QRegularExpression stamp(
                QStringLiteral("^.*? (?=(DEBUG|INFO|WARNING|CRITICAL) )"));
        for (QString &line : lines)
            line.remove(stamp);
        return lines;
    }

    QString counts() const
    {
        int failed = 0, ok = 0, skipped = 0;
        page5->treeModel()->countUpdateResults(&failed, &ok, &skipped);
        return QStringLiteral("%1 %2 %3").arg(ok).arg(failed).arg(skipped);
    }

    SimulatedHost host;
    QTemporaryDir dir;
    std::unique_ptr<Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin> plugin {
        new Plugin::FirmwareUpdater::CFirmwareUpdaterPlugin
    };
    QSharedPointer<Plugin::FirmwareUpdater::IFirmwareUpdaterService> service;
    QPointer<View::CCameraSelectionDialog> page1;
    QPointer<View::CUpdateSelectionDialog> page2;
    QPointer<View::CUpdateSummaryDialog> page3;
    QPointer<View::CFirmwareUpdateDialog> page4;
    QPointer<View::CResultSummaryDialog> page5;
    QString logPath;
};

// Expected log lines, built from the texts the run writes.
namespace ExpectedLog {

struct Update
{
    QString file;
    QString version;
    QString description;
    QString notes;
    unsigned int totalMs;
};

inline QStringList plan(const QString &path, const QList<Update> &updates)
{
    QStringList lines { QStringLiteral("INFO Selected firmware update file ") + path };
    for (const Update &u : updates)
        lines << QStringLiteral("INFO Contains firmware update to version ") + u.version
              << QStringLiteral("INFO Description: ") + u.description;
    return lines;
}

inline QString created(const QString &verb, const QString &model, const QString &name,
                       const QString &from, const QString &to)
{
    return QStringLiteral("INFO Created update: Update will ") + verb + QStringLiteral(" camera ")
            + model + QLatin1Char(' ') + name + QStringLiteral(" with version ") + from
            + QStringLiteral(" to version ") + to;
}

inline QStringList begin(int i, int n, const QString &name, const QString &from, const Update &u)
{
    return { QStringLiteral("INFO Starting firmware update (%1/%2) for camera ").arg(i).arg(n)
                     + name,
             QStringLiteral("INFO Camera info before update:"),
             QStringLiteral("INFO DeviceFirmwareVersion: ") + from,
             QStringLiteral("INFO Update infos:"),
             QStringLiteral("INFO Filename: ") + u.file,
             QStringLiteral("INFO Version: ") + u.version,
             QStringLiteral("INFO Description: ") + u.description,
             QStringLiteral("INFO Release Notes: ") + u.notes,
             QStringLiteral("INFO Update will take approximately %1 msec").arg(u.totalMs) };
}

// One phase as the simulator reports it; a failing one stops after 50 %.
inline QStringList phase(const QString &step, unsigned int ms, const QString &description,
                         const QString &failure = QString())
{
    QStringList lines { QStringLiteral("INFO Entering update step: ") + step };
    if (!description.isEmpty())
        lines << QStringLiteral("INFO Update step description: ") + description;
    lines << QStringLiteral("INFO Update step will take approximately %1 msec").arg(ms);
    for (int p : { 0, 25, 50, 75, 100 }) {
        if (!failure.isNull() && p > 50)
            break;
        lines << QStringLiteral("INFO %1 progress: %2%").arg(step).arg(p);
    }
    if (!failure.isNull())
        return lines << QStringLiteral("CRITICAL ") + failure;
    return lines << QStringLiteral("INFO Finished update step: ") + step
                 << QStringLiteral("INFO Update remaining time approximately %1 msec").arg(ms);
}

inline QStringList end(int i, int n, const QString &to)
{
    return { QStringLiteral("INFO Camera info after update:"),
             QStringLiteral("INFO DeviceFirmwareVersion: ") + to,
             QStringLiteral("INFO Finished firmware update (%1/%2)").arg(i).arg(n) };
}

inline QStringList failed(int i, int n, bool more)
{
    QStringList lines { QStringLiteral("CRITICAL Firmware update (%1/%2) failed.").arg(i).arg(n) };
    if (more)
        lines << QStringLiteral("WARNING Further firmware updates will be skipped");
    return lines;
}

inline QString finishedAll()
{
    return QStringLiteral("INFO Finished all firmware updates");
}

} // namespace ExpectedLog
