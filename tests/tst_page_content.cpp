#include "simulator/CSimulatedFirmwareUpdateInfo.h"
#include "support/FakeCameras.h"
#include "support/PageTestSupport.h"
#include "view/CCameraSelectionDialog.h"

#include <QAccessible>
#include <QBoxLayout>
#include <QDir>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTreeView>
#include <QtTest>

#include <functional>

using namespace PageTest;
using Simulator::CSimulatedFirmwareUpdateInfo;

namespace {

// Height of the spacer that follows the named row in the content column.
int spacerAfter(QWidget *page, const char *row)
{
    auto *content = page->findChild<QVBoxLayout *>(QStringLiteral("contentVerticalLayout"));
    const int index = content->indexOf(page->findChild<QLayout *>(QLatin1String(row)));
    return content->itemAt(index + 1)->spacerItem()->sizeHint().height();
}

// "description|version|notes"
QSharedPointer<CSimulatedFirmwareUpdateInfo> updateInfo(const QString &file)
{
    const QStringList details = file.split(QLatin1Char('|'));
    CSimulatedFirmwareUpdateInfo::Description description;
    description.description = details.value(0);
    description.version = details.value(1);
    description.releaseNotes = details.value(2);
    return QSharedPointer<CSimulatedFirmwareUpdateInfo>::create(description);
}

// Display texts in the order a view walks them, depth first.
QString walk(const QAbstractItemModel &model, const QModelIndex &parent = QModelIndex())
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(parent); ++row) {
        const QModelIndex index = model.index(row, 0, parent);
        texts << index.data().toString();
        const QString children = walk(model, index);
        if (!children.isEmpty())
            texts << children;
    }
    return texts.join(QLatin1Char('|'));
}

// Calls back on each paint of the widget it filters.
struct PaintSpy : QObject
{
    std::function<void()> painted;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted();
        return false;
    }
};

} // namespace

class TestPageContent : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { catchWarnings(); }
    void cleanup() { QCOMPARE(std::exchange(caughtWarnings, {}), QStringList()); }

    void fileDetails_data()
    {
        QTest::addColumn<QString>("file"); // "-": no file, "": no updates in it
        QTest::addColumn<bool>("compatible");
        // Error icon and text and Next enabled, then each row's text and
        // links; "-": hidden.
        QTest::addColumn<QString>("shown");

        QTest::newRow("all details, does not fit")
                << "Fixes|2.1.0|Minor fixes" << false << "110 Fixes | 2.1.0 | Minor fixes | -";
        const char *rows[][3] = {
            { "nothing in the file", "||", "001 No details available | - | - | -" },
            { "no file, both flags", "-", "000 No file selected | - | - | -" },
            { "file without updates", "", "001 No details available | - | - | -" },
            { "notes are an address in capitals", "d|1|HTTPS://EXAMPLE.COM/NOTES",
              "001 d | 1 | HTTPS://EXAMPLE.COM/NOTES | Firmware Release Notes -> "
              "HTTPS://EXAMPLE.COM/NOTES" },
            { "address inside the notes", "d|1|See http://example.com/n?a=1&b=2 for more.",
              "001 d | 1 | See http://example.com/n?a=1&b=2 for more. | Firmware Release "
              "Notes -> http://example.com/n?a=1&b=2" },
            { "notes break out of the link",
              "d|1|http://x.test/\" onmouseover=\"y\"><b>bold</b><a href=\"http://evil.test\">",
              "001 d | 1 | http://x.test/\" onmouseover=\"y\"><b>bold</b><a "
              "href=\"http://evil.test\"> | Firmware Release Notes -> http://x.test/" },
            { "http without an address", "d|1|Ask the HTTP team",
              "001 d | 1 | Ask the HTTP team | -" },
            { "local file, not a web address", "d|1|file:///usr/bin/tool?http",
              "001 d | 1 | file:///usr/bin/tool?http | -" },
            { "markup in plain notes", "d|1|<b>bold</b> & <i>",
              "001 d | 1 | <b>bold</b> & <i> | -" },
            { "markup in description and version", "<img src=x><b>big</b>|<i>1.0</i>|",
              "001 <img src=x><b>big</b> | <i>1.0</i> | - | -" },
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString(row[1]) << true << QString(row[2]);
    }

    void fileDetails()
    {
        QFETCH(QString, file);
        QFETCH(bool, compatible);
        QFETCH(QString, shown);

        CUpdateSelectionDialog page;
        // A richer file first, so every row has to follow the new one.
        page.showUpdateDetails({ updateInfo("old|old|old") }, false);
        QVector<QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>> infos;
        if (!file.isEmpty() && file != "-")
            infos << updateInfo(file) << updateInfo("second entry is never shown");
        page.showUpdateDetails(infos, file == "-");
        page.setUpdateFileState(compatible, file == "-");

        const auto row = [&](const char *caption, const char *text) {
            const QString visible = visibility(&page, { caption, text });
            const RichText content = PageTest::shown(&page, text);
            return visible == "00" ? QStringLiteral("-")
                                   : (visible == "11" ? "" : "half shown: ")
                            + (QStringList(content.plain) + content.links).join(" -> ");
        };
        QCOMPARE(visibility(&page, { "errorIconLabel", "errorTextLabel" })
                         + QString::number(button(&page, "Next")->isEnabled()) + ' '
                         + row("updateDescriptionLabel", "updateDescriptionTextLabel") + " | "
                         + row("updateVersionLabel", "updateVersionTextLabel") + " | "
                         + row("updateNotesLabel", "updateNotesTextLabel") + " | "
                         + row("updateNotesLinkLabel", "updateNotesLinkLabel"),
                 shown);
    }

    void pathChanges()
    {
        CUpdateSelectionDialog page;
        QSignalSpy path(&page, &CUpdateSelectionDialog::pathChanged);
        const QString home = QDir::toNativeSeparators(QDir::homePath());

        page.show(); // shows the last path, first the home folder
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QTest::keyClicks(page.findChild<QLineEdit *>(QStringLiteral("updateFileLineEdit")), "/x");
        page.setUpdateFilePath(QStringLiteral("/data/update.guf")); // no echo of the service's path
        page.hide();
        page.show();

        QStringList paths;
        for (const QList<QVariant> &arguments : path)
            paths << arguments.at(0).toString();
        QCOMPARE(paths, QStringList({ home, home + "/", home + "/x", "/data/update.guf" }));
    }

    void links_data()
    {
        QTest::addColumn<QString>("logFile");
        QTest::addColumn<QString>("support");

        const QString support
                = QStringLiteral("https://support.example.com/en/sales-support/support-contact/");
        QTest::newRow("plain path")
                << "/tmp/OndrelFirmwareUpdaterGUI_20240101_120000.log" << support;
        QTest::newRow("blanks and hash") << "/tmp/my logs/run #2.log" << support;
        QTest::newRow("non-ASCII letters") << QStringLiteral("/tmp/Prüfung/ログ.log") << support;
        QTest::newRow("percent signs") << "/tmp/100%1 %2.log" << support;
        QTest::newRow("support address that tries markup")
                << "/tmp/run.log"
                << QStringLiteral("https://x.test/\"><b>hi</b><a href=\"http://evil.test");
    }

    void links()
    {
        QFETCH(QString, logFile);
        QFETCH(QString, support);

        CResultSummaryDialog result;
        result.setLinks(support, logFile);
        CUpdateSelectionDialog selection;
        selection.setSupportUrl(support);
        const RichText full = shown(&result, "infoTextLabel_3");
        const RichText brief = shown(&result, "infoTextLabel_2");
        const RichText info = shown(&selection, "infoTextLabel");
        QCOMPARE(full.plain + '\n' + brief.plain + '\n' + info.plain,
                 "For more information, see the log file. If you require assistance, contact the "
                 "Stavrik Support.\nSee log file for more information.\nTo update the firmware of "
                 "your cameras, you need a firmware update file from Stavrik Support.");
        QCOMPARE(QUrl(full.links.value(0)).toLocalFile(), logFile);
        QCOMPARE(full.links + brief.links + info.links,
                 QStringList({ full.links.at(0), support, full.links.at(0), support }));


        // A log that could not be written is named, not offered.
        result.showLogFileIncomplete(support, logFile);
        const RichText missingFull = shown(&result, "infoTextLabel_3");
        const RichText missingBrief = shown(&result, "infoTextLabel_2");
        const QString notice = "The log file " + QDir::toNativeSeparators(logFile)
                + " could not be written and is missing or incomplete.";
        QCOMPARE(missingFull.plain + '\n' + missingBrief.plain,
                 notice + " If you require assistance, contact the Stavrik Support.\n" + notice);
        QCOMPARE(missingFull.links + missingBrief.links, QStringList { support });
    }

    void summaryWarnings_data()
    {
        QTest::addColumn<bool>("downgrade");
        QTest::addColumn<bool>("reinstall");
        QTest::addColumn<QString>("shown"); // each row's icon and text, then the spacer below it

        QTest::newRow("none") << false << false << "00 0 | 00 0";
        QTest::newRow("reinstall") << false << true << "00 0 | 11 13";
        QTest::newRow("both") << true << true << "11 13 | 11 13";
    }

    void summaryWarnings()
    {
        QFETCH(bool, downgrade);
        QFETCH(bool, reinstall);
        QFETCH(QString, shown);

        CUpdateSummaryDialog page;
        page.setTreeModel(updateModel(QStringLiteral("Skipped")));
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        page.setDowngradeWarningVisible(downgrade);
        page.setReinstallWarningVisible(reinstall);
        page.layout()->activate();

        QCOMPARE(QStringLiteral("%1 %2 | %3 %4")
                         .arg(visibility(&page, { "warningIconLabel_1", "warningTextLabel_1" }))
                         .arg(spacerAfter(&page, "warningHorizontalLayout_1"))
                         .arg(visibility(&page, { "warningIconLabel_2", "warningTextLabel_2" }))
                         .arg(spacerAfter(&page, "warningHorizontalLayout_2")),
                 shown);
    }

    void progress_data()
    {
        QTest::addColumn<QList<int>>("values"); // current, total, value, maximum
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<QString>("shown"); // indicator, bar, Cancel and the window's close button

        QTest::newRow("start, busy") << QList<int> { 1, 4, 0, 0 } << true << "1/4 | 0-0 0 | 11";
        QTest::newRow("half way") << QList<int> { 3, 7, 50, 100 } << true << "3/7 | 0-100 50 | 11";
        QTest::newRow("cancel requested")
                << QList<int> { 12, 12, 100, 100 } << false << "12/12 | 0-100 100 | 00";
    }

    void progress()
    {
        QFETCH(QList<int>, values);
        QFETCH(bool, cancel);
        QFETCH(QString, shown);

        CFirmwareUpdateDialog page;
        auto *bar = page.findChild<QProgressBar *>(QStringLiteral("progressBar"));
        // From a running update with a different range, as between two cameras.
        page.setProgress(30, 40);
        page.setCancelEnabled(!cancel);
        page.setProgressText(values.at(0), values.at(1));
        page.setProgress(values.at(2), values.at(3));
        page.setCancelEnabled(cancel);
        QCOMPARE(PageTest::shown(&page, "progressIndicatorLabel").plain
                         + QStringLiteral(" | %1-%2 %3 | %4%5")
                                   .arg(bar->minimum())
                                   .arg(bar->maximum())
                                   .arg(bar->value())
                                   .arg(button(&page, "Cancel")->isEnabled())
                                   .arg(page.windowFlags().testFlag(Qt::WindowCloseButtonHint)),
                 shown);
    }

    void cameraOrder_data()
    {
        QTest::addColumn<QString>("layers");
        QTest::addColumn<QString>("order");

        QTest::newRow("numbers as people count")
                << "tl1:M10/c10,M9/c9,M9/c10,M9/c1,M9/C2"
                << "Layer tl1|M9|Cam c1|Cam C2|Cam c9|Cam c10 (c10)|M10|Cam c10 (c10)";
        QTest::newRow("names equal but for case") << "tl1:a/c1,A/c2"
                                                  << "Layer tl1|A|Cam c2|a|Cam c1";
    }

    void cameraOrder()
    {
        QFETCH(QString, layers);
        QFETCH(QString, order);

        const auto model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
        model->buildFromTransportLayers(Fake::layers(layers));
        CCameraSelectionDialog page;
        page.setTreeModel(model);
        // The rows are built in the order page 1's sorted view shows them.
        QCOMPARE(walk(*model), order);
        QCOMPARE(walk(*page.findChild<QTreeView *>("cameraTreeView")->model()), order);
    }

    void timeLeft_data()
    {
        QTest::addColumn<QString>("estimates"); // milliseconds, one call each
        QTest::addColumn<QString>("shown"); // "-": hidden

        const char *rows[][3] = {
            { "none yet", "-1", "-" },
            { "nothing left", "0", "Less than a minute left" },
            { "just under a minute", "59999", "Less than a minute left" },
            { "a minute", "60000", "About a minute left" },
            { "rounds up at the half", "150000", "About 3 minutes left" },
            { "last minutes shown", "5369999", "About 89 minutes left" },
            { "then hours", "5400000", "About 2 hours left" },
            { "estimate withdrawn", "120000,-1", "-" },
            { "held back within a second", "120000,3600000", "About 2 minutes left" },
            { "shown again at once", "120000,-1,3600000", "About 60 minutes left" },
        };
        for (const auto &row : rows)
            QTest::newRow(row[0]) << QString(row[1]) << QString(row[2]);
    }

    void timeLeft()
    {
        QFETCH(QString, estimates);
        QFETCH(QString, shown);

        CFirmwareUpdateDialog page;
        for (const QString &msecs : estimates.split(','))
            page.setTimeLeft(msecs.toLongLong());
        const auto *label = page.findChild<QLabel *>(QStringLiteral("timeLeftLabel"));
        QCOMPARE(label->isHidden() ? QStringLiteral("-") : label->text(), shown);
    }

    // A flood of reports sets every value at once but paints none of them
    // on the spot: the bar paints once the frame is due, with the last value.
    void progressPaintsPerFrame()
    {
        CFirmwareUpdateDialog page;
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        auto *bar = page.findChild<QProgressBar *>(QStringLiteral("progressBar"));
        QList<int> painted;
        PaintSpy spy;
        spy.painted = [&] {
            painted << bar->value();
        };
        bar->installEventFilter(&spy);
        for (int value = 0; value <= 1000; ++value) {
            page.setProgress(value, 1000);
            QCOMPARE(bar->value(), value);
        }
        QCOMPARE(painted, QList<int>());
        QTRY_VERIFY(!painted.isEmpty());
        QCOMPARE(painted.last(), 1000);
    }

    // Page 4 expands its tree for a new model or new rows only: expanding
    // again throws away the view's row heights, once per camera of a run.
    void expansion()
    {
        CFirmwareUpdateDialog page;
        auto model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
        model->buildFromTransportLayers(Fake::layers(QStringLiteral("tl1:A/c1,B/c2")));
        auto *view = page.findChild<QTreeView *>();
        const auto expanded = [&] {
            const QModelIndex layer = model->index(0, 0);
            return QStringLiteral("%1%2%3")
                    .arg(view->isExpanded(layer))
                    .arg(view->isExpanded(model->index(0, 0, layer)))
                    .arg(view->isExpanded(model->index(1, 0, layer)));
        };
        QStringList states;
        page.setTreeModel(model);
        states << expanded();
        view->collapse(model->index(0, 0));
        page.setTreeModel(model);
        states << expanded();
        model->buildFromTransportLayers(Fake::layers(QStringLiteral("tl1:A/c1,B/c3")));
        page.setTreeModel(model);
        states << expanded();
        QCOMPARE(states.join(' '), QStringLiteral("111 011 111"));
    }

    void results_data()
    {
        QTest::addColumn<QString>("results"); // "-": no model yet
        QTest::addColumn<QString>("error"); // reported by the update that failed
        QTest::addColumn<int>("spacer"); // under the short log link
        // Counts; whether the repeat hint, short log link, error row and
        // support row are shown (icon and text each) and the failed and
        // skipped counts; the error text.
        QTest::addColumn<QString>("shown");

        const QString failed = QStringLiteral("An error has occurred during the update.");
        // Without skipped cameras the error says nothing of them.
        QTest::newRow("all successful") << "OK,OK,OK"
                                        << "" << 16 << "3 0 0 | 1111000000";
        QTest::newRow("no model yet") << "-"
                                      << "" << 16 << "0 0 0 | 1111000000";
        QTest::newRow("failure and skipped") << "Failed,Skipped,Skipped"
                                             << "No answer" << 0
                                             << "0 1 2 | 0000111111 | " + failed
                        + " The subsequent updates have been skipped.\nError message: No answer.";
        QTest::newRow("markup and placeholders in the message")
                << "Failed"
                << "<b>bad</b> & <a href=\"http://evil.test\">x</a><br>%2" << 0
                << "0 1 0 | 0000111111 | " + failed
                        + "\nError message: <b>bad</b> & <a href=\"http://evil.test\">x</a><br>%2.";
    }

    void results()
    {
        QFETCH(QString, results);
        QFETCH(QString, error);
        QFETCH(int, spacer);
        QFETCH(QString, shown);

        CResultSummaryDialog page;
        if (results != "-")
            page.setTreeModel(updateModel(results));
        if (!error.isEmpty())
            page.setErrorMessage(error, !results.contains("Skipped"));
        page.refreshResults();

        QStringList counts;
        for (const char *name :
             { "successfulUpdatesLabel", "failedUpdatesLabel", "skippedUpdatesLabel" })
            counts << PageTest::shown(&page, name).plain.section(": ", 1);
        QString text = counts.join(' ') + " | "
                + visibility(&page,
                             { "infoIconLabel_1", "infoTextLabel_1", "infoIconLabel_2",
                               "infoTextLabel_2", "errorIconLabel", "errorTextLabel",
                               "infoIconLabel_3", "infoTextLabel_3", "failedUpdatesLabel",
                               "skippedUpdatesLabel" });
        RichText errorText = PageTest::shown(&page, "errorTextLabel");
        QVERIFY(errorText.links.isEmpty());
        if (!error.isEmpty())
            text += " | " + errorText.plain.replace(QChar::LineSeparator, '\n');
        QCOMPARE(text, shown);
        QCOMPARE(spacerAfter(&page, "infoHorizontalLayout_2"), spacer);
    }

    void accessibility_data()
    {
        QTest::addColumn<int>("page");
        // What a screen reader finds: "name=role" of the named widgets, then
        // "cell: name [states]" for the tree cells of the given column.
        QTest::addColumn<QStringList>("widgets");
        QTest::addColumn<int>("column");
        QTest::addColumn<QString>("cells");

        QTest::newRow("cameras")
                << 1
                << QStringList { "refreshButton=Refresh camera list=Button",
                                 "infoIconLabel==Graphic" }
                << 0
                << "Layer tl1 | A [checkable checked] | Cam c1 [checkable checked] | "
                   "Cam c2 [checkable] | B [checkable disabled] | Cam c3 [checkable disabled]";
        QTest::newRow("update file")
                << 2
                << QStringList { "updateFileLineEdit=Firmware update file=EditableText",
                                 "errorIconLabel==Graphic", "infoIconLabel==Graphic" }
                << -1 << "";
        QTest::newRow("summary") << 3 << QStringList { "warningIconLabel_1==Graphic" } << 5
                                 << "Unknown | Unknown";
        QTest::newRow("progress") << 4 << QStringList { "infoIconLabel_1==Graphic" } << 6
                                  << "Updating | Complete | Waiting";
        QTest::newRow("results") << 5 << QStringList { "errorIconLabel==Graphic" } << 7
                                 << "OK | Failed | Skipped";
    }

    // Names, roles and states as Qt's accessibility hands them on; the
    // status and result cells say their words.
    void accessibility()
    {
        QFETCH(int, page);
        QFETCH(QStringList, widgets);
        QFETCH(int, column);
        QFETCH(QString, cells);

        QAccessible::setActive(true);
        const std::unique_ptr<CUpdateDialogBase> dialog = makePage(page);
        QSharedPointer<CFirmwareUpdateTreeModel> model;
        if (page == 1) {
            model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
            model->buildFromTransportLayers(Fake::layers("tl1:A/c1,A/c2,B/c3"));
            const QModelIndex c1 = model->findCameraIndex("tl1", "c1", 0);
            model->setData(c1, true);
            model->applySelectionRules(c1);
        } else if (page > 2) {
            model = updateModel(QStringList { "OK,OK", "OK,OK,OK", "OK,Failed,Skipped" }[page - 3]);
        }
        if (page == 4) { // updating, complete, waiting
            for (int row = 0; row < 3; ++row)
                model->setData(model->index(row, CFirmwareUpdateEntity::UpdateStatus),
                               (row + 1) % 3);
        }
        if (model)
            dialog->setTreeModel(model);
        if (auto *results = qobject_cast<CResultSummaryDialog *>(dialog.get())) {
            results->refreshResults();
            results->setErrorMessage("No answer", false);
        }
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

        QStringList found;
        for (const QString &widget : widgets) {
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(
                    dialog->findChild<QWidget *>(widget.section('=', 0, 0)));
            found << widget.section('=', 0, 0) + '=' + face->text(QAccessible::Name) + '='
                            + QString(QMetaEnum::fromType<QAccessible::Role>().valueToKey(
                                    face->role()));
        }
        QCOMPARE(found, widgets);
        if (page == 1) {
            auto *refresh = dialog->findChild<QPushButton *>("refreshButton");
            QVERIFY(!refresh->toolTip().isEmpty()
                    && refresh->toolTip() != refresh->accessibleName());
        }

        // Every text row's words are announced once, without markup.
        QAccessibleInterface *pageFace = QAccessible::queryAccessibleInterface(dialog.get());
        for (QLabel *label : dialog->findChildren<QLabel *>(QRegularExpression("TextLabel"))) {
            const QString text
                    = QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name);
            QVERIFY2(!text.contains('<'), qPrintable(text));
            int times = 0;
            for (int i = 0; i < pageFace->childCount(); ++i) {
                times += pageFace->child(i)->text(QAccessible::Name) == text;
                times += pageFace->child(i)->text(QAccessible::Description) == text;
            }
            QVERIFY2(text.isEmpty() || times == 1, qPrintable(text));
        }

        if (column < 0)
            return;
        QAccessibleInterface *tree = QAccessible::queryAccessibleInterface(
                dialog->findChild<QTreeView *>("cameraTreeView"));
        QAccessibleTableInterface *table = tree->tableInterface();
        QVERIFY(table);
        QStringList shown;
        for (int row = 0; row < table->rowCount(); ++row) {
            QAccessibleInterface *cell = table->cellAt(row, column);
            QString text = cell->text(QAccessible::Name);
            const QAccessible::State state = cell->state();
            QStringList states;
            if (state.checkable)
                states << "checkable";
            if (state.checked)
                states << "checked";
            if (!cell->text(QAccessible::Description).isEmpty())
                states << "disabled";
            shown << (states.isEmpty() ? text : text + " [" + states.join(' ') + ']');
        }
        QCOMPARE(shown.join(" | "), cells);
    }
};

QTEST_MAIN(TestPageContent)
#include "tst_page_content.moc"
