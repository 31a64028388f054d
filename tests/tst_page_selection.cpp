#include "simulator/CSimulatedFirmwareUpdateInfo.h"
#include "support/PageTestSupport.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CTreeViewCameraSelectionDelegate.h"
#include "view/CUpdateSelectionDialog.h"
#include "view/CUpdateSummaryDialog.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QtTest>

using namespace Plugin::FirmwareUpdater::Internal::View;
using PageTest::CFirmwareUpdateTreeModel;

namespace {

// What a label shows a user, with the targets of its links.
PageTest::RichText shown(const QLabel *label)
{
    if (label->textFormat() == Qt::PlainText
        || (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text())))
        return { label->text(), {} };
    return PageTest::parse(label->text());
}

QLabel *label(QWidget *page, const char *name)
{
    return page->findChild<QLabel *>(QLatin1String(name));
}

QSharedPointer<CFirmwareUpdateTreeModel> cameraModel(const QString &layers)
{
    auto model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
    model->buildFromTransportLayers(Fake::layers(layers));
    return model;
}

// Names of the rows under parent as the view shows them, each with its children.
QString visibleTree(const QTreeView *view, const QModelIndex &parent = QModelIndex())
{
    QStringList rows;
    const QAbstractItemModel *model = view->model();
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        QString text = index.data().toString();
        if (model->rowCount(index) > 0)
            text += (view->isExpanded(index) ? QStringLiteral("[") : QStringLiteral("(collapsed)["))
                    + visibleTree(view, index) + QStringLiteral("]");
        rows << text;
    }
    return rows.join(QLatin1Char(','));
}

} // namespace

class TestPageSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_warnings = std::make_unique<PageTest::WarningCatcher>(); }
    void cleanup()
    {
        const QStringList warnings = PageTest::WarningCatcher::take();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void nextFollowsSelection_data();
    void nextFollowsSelection();
    void secondModelKeepsOneProxyAndDelegate();
    void anotherModelObjectIsShown();
    void columnSpansView_data();
    void columnSpansView();
    void refreshButton();

    void fileState_data();
    void fileState();
    void details_data();
    void details();
    void supportUrl_data();
    void supportUrl();
    void pathChanges();

private:
    std::unique_ptr<PageTest::WarningCatcher> m_warnings;
};

void TestPageSelection::nextFollowsSelection_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::newRow("cameras checked") << true;
    QTest::newRow("nothing checked") << false;
}

void TestPageSelection::nextFollowsSelection()
{
    QFETCH(bool, enabled);

    for (const bool summaryPage : { false, true }) {
        std::unique_ptr<CUpdateDialogBase> page;
        if (summaryPage)
            page = std::make_unique<CUpdateSummaryDialog>();
        else
            page = std::make_unique<CCameraSelectionDialog>();
        page->show();
        QVERIFY(QTest::qWaitForWindowExposed(page.get()));
        QSignalSpy next(page.get(), SIGNAL(nextClicked()));
        QPushButton *nextButton = PageTest::button(page.get(), QStringLiteral("Next"));

        if (summaryPage)
            static_cast<CUpdateSummaryDialog *>(page.get())->setNextEnabled(enabled);
        else
            static_cast<CCameraSelectionDialog *>(page.get())->setNextEnabled(enabled);
        QTest::keyClick(page.get(), Qt::Key_Return);

        QCOMPARE(nextButton->isEnabled(), enabled);
        QCOMPARE(nextButton->isDefault(), enabled);
        QCOMPARE(next.count(), enabled ? 1 : 0);
    }
}

void TestPageSelection::secondModelKeepsOneProxyAndDelegate()
{
    CCameraSelectionDialog page;
    auto *view = page.findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
    const auto model = cameraModel(QStringLiteral("tl1:B/c3,A/c1;tl2:A/c4"));

    page.setTreeModel(model);
    QCOMPARE(visibleTree(view),
             QStringLiteral("Layer tl1[A[Cam c1],B[Cam c3]],Layer tl2[A[Cam c4]]"));

    // The service refills the same object on refresh.
    model->buildFromTransportLayers(Fake::layers(QStringLiteral("tl1:B/c3,C/c5,A/c1,B/c2")));
    page.setTreeModel(model);

    QCOMPARE(visibleTree(view), QStringLiteral("Layer tl1[A[Cam c1],B[Cam c2,Cam c3],C[Cam c5]]"));
    QCOMPARE(view->findChildren<QSortFilterProxyModel *>().size(), 1);
    QCOMPARE(view->findChildren<CTreeViewCameraSelectionDelegate *>().size(), 1);
    QCOMPARE(view->itemDelegateForColumn(0), view->findChild<CTreeViewCameraSelectionDelegate *>());
    for (int column = 0; column < 8; ++column)
        QCOMPARE(view->isColumnHidden(column), column != 0);
    QCOMPARE(page.treeModel(), model);
}

void TestPageSelection::anotherModelObjectIsShown()
{
    CCameraSelectionDialog page;
    auto *view = page.findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
    page.setTreeModel(cameraModel(QStringLiteral("tl1:A/c1")));
    const auto second = cameraModel(QStringLiteral("tl9:Z/c9"));

    page.setTreeModel(second);

    QCOMPARE(visibleTree(view), QStringLiteral("Layer tl9[Z[Cam c9]]"));
    QCOMPARE(page.treeModel(), second);
    QCOMPARE(view->findChildren<QSortFilterProxyModel *>().size(), 1);
}

void TestPageSelection::columnSpansView_data()
{
    QTest::addColumn<int>("pageWidth");
    QTest::newRow("initial") << 570;
    QTest::newRow("wider") << 801;
}

void TestPageSelection::columnSpansView()
{
    QFETCH(int, pageWidth);

    CCameraSelectionDialog page;
    page.setTreeModel(cameraModel(QStringLiteral("tl1:A/c1")));
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.resize(pageWidth, 600);
    QCoreApplication::processEvents();

    auto *view = page.findChild<QTreeView *>(QStringLiteral("cameraTreeView"));
    QCOMPARE(view->width(), pageWidth - 58);
    QCOMPARE(view->columnWidth(0), view->width());
}

void TestPageSelection::refreshButton()
{
    CCameraSelectionDialog page;
    QSignalSpy refresh(&page, &CCameraSelectionDialog::refreshCamTreeClicked);
    QSignalSpy next(&page, &CCameraSelectionDialog::nextClicked);

    QTest::mouseClick(page.findChild<QPushButton *>(QStringLiteral("refreshButton")),
                      Qt::LeftButton);

    QCOMPARE(refresh.count(), 1);
    QCOMPARE(next.count(), 0);
}

void TestPageSelection::fileState_data()
{
    QTest::addColumn<bool>("compatible");
    QTest::addColumn<bool>("noFile");
    QTest::addColumn<bool>("errorShown");
    QTest::addColumn<bool>("nextEnabled");

    QTest::newRow("no readable file") << false << true << false << false;
    QTest::newRow("file does not fit") << false << false << true << false;
    QTest::newRow("file fits") << true << false << false << true;
    QTest::newRow("both flags") << true << true << false << false;
}

void TestPageSelection::fileState()
{
    QFETCH(bool, compatible);
    QFETCH(bool, noFile);
    QFETCH(bool, errorShown);
    QFETCH(bool, nextEnabled);

    CUpdateSelectionDialog page;
    page.setUpdateFileState(compatible, noFile);

    QCOMPARE(!label(&page, "errorIconLabel")->isHidden(), errorShown);
    QCOMPARE(!label(&page, "errorTextLabel")->isHidden(), errorShown);
    QCOMPARE(PageTest::button(&page, QStringLiteral("Next"))->isEnabled(), nextEnabled);
}

void TestPageSelection::details_data()
{
    QTest::addColumn<bool>("hasInfo");
    QTest::addColumn<bool>("noFile");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("shownDescription");
    QTest::addColumn<bool>("versionShown");
    QTest::addColumn<QString>("shownNotes"); // empty: the notes row is hidden
    QTest::addColumn<QStringList>("links");

    const QString linkText = QStringLiteral("Firmware Release Notes");
    QTest::newRow("all details") << true << false << "Fixes"
                                 << "2.1.0"
                                 << "Minor fixes"
                                 << "Fixes" << true << "Minor fixes" << QStringList();
    QTest::newRow("nothing in the file") << true << false << ""
                                         << ""
                                         << ""
                                         << "No details available" << false << "" << QStringList();
    QTest::newRow("no file") << false << true << ""
                             << ""
                             << ""
                             << "No file selected" << false << "" << QStringList();
    QTest::newRow("file without updates") << false << false << ""
                                          << ""
                                          << ""
                                          << "No details available" << false << "" << QStringList();
    QTest::newRow("notes are an address in capitals")
            << true << false << "d"
            << "1"
            << "HTTPS://EXAMPLE.COM/NOTES"
            << "d" << true << linkText << QStringList { "HTTPS://EXAMPLE.COM/NOTES" };
    QTest::newRow("address inside the notes")
            << true << false << "d"
            << "1"
            << "See http://example.com/n?a=1&b=2 for more."
            << "d" << true << linkText << QStringList { "http://example.com/n?a=1&b=2" };
    QTest::newRow("notes break out of the link")
            << true << false << "d"
            << "1"
            << "http://x.test/\" onmouseover=\"y\"><b>bold</b><a href=\"http://evil.test\">"
            << "d" << true << linkText << QStringList { "http://x.test/" };
    QTest::newRow("http without an address") << true << false << "d"
                                             << "1"
                                             << "Ask the HTTP team"
                                             << "d" << true << "Ask the HTTP team" << QStringList();
    QTest::newRow("local file, not a web address")
            << true << false << "d"
            << "1"
            << "file:///usr/bin/tool?http"
            << "d" << true << "file:///usr/bin/tool?http" << QStringList();
    QTest::newRow("markup in plain notes") << true << false << "d"
                                           << "1"
                                           << "<b>bold</b> & <i>"
                                           << "d" << true << "<b>bold</b> & <i>" << QStringList();
    QTest::newRow("markup in description and version")
            << true << false << "<img src=x><b>big</b>"
            << "<i>1.0</i>"
            << ""
            << "<img src=x><b>big</b>" << true << "" << QStringList();
}

void TestPageSelection::details()
{
    QFETCH(bool, hasInfo);
    QFETCH(bool, noFile);
    QFETCH(QString, description);
    QFETCH(QString, version);
    QFETCH(QString, notes);
    QFETCH(QString, shownDescription);
    QFETCH(bool, versionShown);
    QFETCH(QString, shownNotes);
    QFETCH(QStringList, links);

    CUpdateSelectionDialog page;
    QVector<QSharedPointer<Plugin::Dorvix::IFirmwareUpdateInfo>> infos;
    if (hasInfo) {
        Simulator::CSimulatedFirmwareUpdateInfo::Description first;
        first.version = version;
        first.description = description;
        first.releaseNotes = notes;
        Simulator::CSimulatedFirmwareUpdateInfo::Description second;
        second.description = QStringLiteral("second entry is never shown");
        infos << QSharedPointer<Simulator::CSimulatedFirmwareUpdateInfo>::create(first)
              << QSharedPointer<Simulator::CSimulatedFirmwareUpdateInfo>::create(second);
    }
    // A richer file first, so every row has to follow the new one.
    Simulator::CSimulatedFirmwareUpdateInfo::Description previous;
    previous.version = previous.description = previous.releaseNotes = QStringLiteral("old");
    page.showUpdateDetails(
            { QSharedPointer<Simulator::CSimulatedFirmwareUpdateInfo>::create(previous) }, false);

    page.showUpdateDetails(infos, noFile);

    QCOMPARE(shown(label(&page, "updateDescriptionTextLabel")).plain, shownDescription);
    QVERIFY(!label(&page, "updateDescriptionTextLabel")->isHidden());
    QCOMPARE(!label(&page, "updateVersionLabel")->isHidden(), versionShown);
    QCOMPARE(!label(&page, "updateVersionTextLabel")->isHidden(), versionShown);
    if (versionShown)
        QCOMPARE(shown(label(&page, "updateVersionTextLabel")).plain, version);
    QCOMPARE(!label(&page, "updateNotesLabel")->isHidden(), !shownNotes.isEmpty());
    QCOMPARE(!label(&page, "updateNotesTextLabel")->isHidden(), !shownNotes.isEmpty());
    if (!shownNotes.isEmpty()) {
        const PageTest::RichText notesShown = shown(label(&page, "updateNotesTextLabel"));
        QCOMPARE(notesShown.plain, shownNotes);
        QCOMPARE(notesShown.links, links);
    }
}

void TestPageSelection::supportUrl_data()
{
    QTest::addColumn<QString>("url");
    QTest::newRow("address") << "https://support.example.com/en/contact/";
    QTest::newRow("address that tries markup")
            << "https://x.test/\"><b>hi</b><a href=\"http://evil";
}

void TestPageSelection::supportUrl()
{
    QFETCH(QString, url);

    CUpdateSelectionDialog page;
    page.setSupportUrl(url);

    const PageTest::RichText info = shown(label(&page, "infoTextLabel"));
    QCOMPARE(info.plain,
             QStringLiteral("To update the firmware of your cameras, you need a firmware "
                            "update file from Stavrik Support."));
    QCOMPARE(info.links, QStringList { url });
}

void TestPageSelection::pathChanges()
{
    CUpdateSelectionDialog page;
    QSignalSpy path(&page, &CUpdateSelectionDialog::pathChanged);
    QSignalSpy browse(&page, &CUpdateSelectionDialog::browseClicked);
    auto *edit = page.findChild<QLineEdit *>(QStringLiteral("updateFileLineEdit"));
    const QString home = QDir::toNativeSeparators(QDir::homePath());

    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QCOMPARE(path.count(), 1);
    QCOMPARE(path.takeFirst().at(0).toString(), home);

    QTest::keyClicks(edit, QStringLiteral("/x"));
    QCOMPARE(path.count(), 2);
    QCOMPARE(path.at(1).at(0).toString(), home + QStringLiteral("/x"));
    path.clear();

    page.setUpdateFilePath(edit->text());
    page.setUpdateFilePath(QStringLiteral("/data/update.guf"));
    QCOMPARE(edit->text(), QStringLiteral("/data/update.guf"));
    QCOMPARE(path.count(), 0);

    QTest::mouseClick(page.findChild<QPushButton *>(QStringLiteral("browseButton")),
                      Qt::LeftButton);
    QCOMPARE(browse.count(), 1);

    page.hide();
    page.show();
    QCOMPARE(path.count(), 1);
    QCOMPARE(path.at(0).at(0).toString(), QStringLiteral("/data/update.guf"));
}

QTEST_MAIN(TestPageSelection)
#include "tst_page_selection.moc"
