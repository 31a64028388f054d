#include "host/CStyleHelper.h"
#include "support/PageTestSupport.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CFirmwareUpdateDialog.h"
#include "view/CResultSummaryDialog.h"
#include "view/CUpdateSelectionDialog.h"
#include "view/CUpdateSummaryDialog.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using namespace Plugin::FirmwareUpdater::Internal::View;

namespace {

std::unique_ptr<CUpdateDialogBase> makePage(int number)
{
    switch (number) {
    case 1:
        return std::make_unique<CCameraSelectionDialog>();
    case 2:
        return std::make_unique<CUpdateSelectionDialog>();
    case 3:
        return std::make_unique<CUpdateSummaryDialog>();
    case 4:
        return std::make_unique<CFirmwareUpdateDialog>();
    default:
        return std::make_unique<CResultSummaryDialog>();
    }
}

// Counts of the page signals, e.g. "back=1 close=2"; signals a page lacks never appear.
class SignalCounts
{
public:
    explicit SignalCounts(QObject *page)
    {
        for (const char *name : { "backClicked()", "closeClicked()", "nextClicked()" }) {
            if (page->metaObject()->indexOfSignal(name) >= 0)
                m_spies.emplace_back(QByteArray(name),
                                     std::make_unique<QSignalSpy>(
                                             page, QByteArray("2").append(name).constData()));
        }
    }
    QString text() const
    {
        QStringList parts;
        for (const auto &[name, spy] : m_spies) {
            if (spy->count())
                parts << QStringLiteral("%1=%2")
                                 .arg(QString::fromLatin1(name).remove(QLatin1String("Clicked()")))
                                 .arg(spy->count());
        }
        return parts.join(QLatin1Char(' '));
    }

private:
    std::vector<std::pair<QByteArray, std::unique_ptr<QSignalSpy>>> m_spies;
};

} // namespace

class TestPageFrame : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { m_warnings = std::make_unique<PageTest::WarningCatcher>(); }
    void cleanup()
    {
        const QStringList warnings = PageTest::WarningCatcher::take();
        QVERIFY2(warnings.isEmpty(), qPrintable(warnings.join(QLatin1Char('\n'))));
    }

    void buttons_data();
    void buttons();
    void escapeAndWindowClose_data();
    void escapeAndWindowClose();
    void ignoresForeignButtons_data() { pages_data(); }
    void ignoresForeignButtons();
    void frame_data();
    void frame();
    void rendersWithModel_data() { pages_data(); }
    void rendersWithModel();

private:
    void pages_data();
    std::unique_ptr<PageTest::WarningCatcher> m_warnings;
};

void TestPageFrame::pages_data()
{
    QTest::addColumn<int>("page");
    for (int page = 1; page <= 5; ++page)
        QTest::addRow("page %d", page) << page;
}

void TestPageFrame::buttons_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("emitted");
    QTest::addColumn<bool>("staysVisible");

    // Reject-role buttons report twice on pages 2 to 5: once by role, once
    // through the form's rejected-to-reject connection.
    QTest::newRow("1 next") << 1 << "Next"
                            << "next=1" << true;
    QTest::newRow("1 close") << 1 << "Close"
                             << "close=1" << true;
    QTest::newRow("2 back") << 2 << "Back"
                            << "back=1" << false;
    QTest::newRow("2 next") << 2 << "Next"
                            << "next=1" << true;
    QTest::newRow("2 close") << 2 << "Close"
                             << "close=2" << true;
    QTest::newRow("3 back") << 3 << "Back"
                            << "back=1" << false;
    QTest::newRow("3 next") << 3 << "Next"
                            << "next=1" << true;
    QTest::newRow("3 close") << 3 << "Close"
                             << "close=2" << true;
    QTest::newRow("4 cancel") << 4 << "Cancel"
                              << "close=2" << true;
    QTest::newRow("5 next") << 5 << "Next"
                            << "next=1" << false;
    QTest::newRow("5 close") << 5 << "Close"
                             << "close=2" << true;
}

void TestPageFrame::buttons()
{
    QFETCH(int, page);
    QFETCH(QString, button);
    QFETCH(QString, emitted);
    QFETCH(bool, staysVisible);

    auto dialog = makePage(page);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QPushButton *pushButton = PageTest::button(dialog.get(), button);
    QVERIFY(pushButton);
    SignalCounts counts(dialog.get());

    QTest::mouseClick(pushButton, Qt::LeftButton);

    QCOMPARE(counts.text(), emitted);
    QCOMPARE(dialog->isVisible(), staysVisible);
}

void TestPageFrame::escapeAndWindowClose_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<bool>("escape");
    for (int page = 1; page <= 5; ++page) {
        QTest::addRow("%d escape", page) << page << true;
        QTest::addRow("%d window close", page) << page << false;
    }
}

void TestPageFrame::escapeAndWindowClose()
{
    QFETCH(int, page);
    QFETCH(bool, escape);

    auto dialog = makePage(page);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    QSignalSpy finished(dialog.get(), &QDialog::finished);
    SignalCounts counts(dialog.get());

    if (escape)
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    else
        QVERIFY(!dialog->close());

    QCOMPARE(counts.text(), QStringLiteral("close=1"));
    QVERIFY(dialog->isVisible());
    QCOMPARE(finished.count(), 0);
}

void TestPageFrame::ignoresForeignButtons()
{
    QFETCH(int, page);

    auto dialog = makePage(page);
    auto *box = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QPushButton *help = box->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
    QPushButton stranger(QStringLiteral("Stranger"));
    SignalCounts counts(dialog.get());

    dialog->dialogButtonClicked(nullptr);
    dialog->dialogButtonClicked(&stranger);
    dialog->dialogButtonClicked(help);

    QCOMPARE(counts.text(), QString());
}

void TestPageFrame::frame_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("formName");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("buttonsInSheet");
    QTest::addColumn<QString>("defaultButton");
    QTest::addColumn<QColor>("stripGrey");

    const QColor grey(240, 240, 240);
    QTest::newRow("1") << 1 << "CameraSelectionDialogUi"
                       << "Step 1: Select cameras" << false << "Next" << grey;
    QTest::newRow("2") << 2 << "UpdateSelectionDialogUi"
                       << "Step 2: Select update file" << true << "Next" << grey;
    QTest::newRow("3") << 3 << "UpdateSummaryDialogUi"
                       << "Step 3: Update Summary" << true << "Next" << grey;
    QTest::newRow("4") << 4 << "FirmwareUpdateDialogUi"
                       << "Step 4: Updating firmware" << false << "" << grey;
    QTest::newRow("5") << 5 << "ResultSummaryDialogUi"
                       << "Step 5: Result summary" << true << "" << QColor(245, 240, 240);
}

void TestPageFrame::frame()
{
    QFETCH(int, page);
    QFETCH(QString, formName);
    QFETCH(QString, title);
    QFETCH(bool, buttonsInSheet);
    QFETCH(QString, defaultButton);
    QFETCH(QColor, stripGrey);

    auto dialog = makePage(page);
    const int pixels = Core::OndrelViewerComponents::CStyleHelper::computePixelFontSize(12);

    QCOMPARE(dialog->objectName(), formName);
    const Qt::WindowFlags requested(0x0A008001);
    QCOMPARE(dialog->windowFlags() & requested, requested);
    QVERIFY(dialog->isModal());
    QCOMPARE(dialog->minimumSize(), QSize(570, 556));
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Firmware Updater"));
    QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("stepTitleLabel"))->text(), title);
    QCOMPARE(dialog->font().family(), QStringLiteral("Segoe UI"));
    QCOMPARE(dialog->font().pixelSize(), pixels);
    QString sheet = QStringLiteral("QLabel {font-size:%1px;}").arg(pixels);
    if (buttonsInSheet)
        sheet += QStringLiteral(" QPushButton {font-size:%1px;}").arg(pixels);
    QCOMPARE(dialog->styleSheet(), sheet);
    QVERIFY(!dialog->treeModel());

    auto *box = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QString actualDefault;
    for (QAbstractButton *button : box->buttons()) {
        if (qobject_cast<QPushButton *>(button)->isDefault())
            actualDefault = button->text();
    }
    QCOMPARE(actualDefault, defaultButton);
    QCOMPARE(box->palette().color(QPalette::Active, QPalette::Window), stripGrey);
    QCOMPARE(dialog->findChild<QLabel *>(QStringLiteral("label"))
                     ->palette()
                     .color(QPalette::Disabled, QPalette::Window),
             QColor(240, 240, 240));
}

void TestPageFrame::rendersWithModel()
{
    QFETCH(int, page);

    auto dialog = makePage(page);
    QSharedPointer<PageTest::CFirmwareUpdateTreeModel> model;
    if (page == 1) {
        model = QSharedPointer<PageTest::CFirmwareUpdateTreeModel>::create();
        model->buildFromTransportLayers(
                Fake::layers(QStringLiteral("tl1:A/c1,A/c2,B/c3;tl2:A/c4")));
    } else {
        model = PageTest::updateModel(QStringLiteral("OK,Failed,Skipped"));
    }
    dialog->setTreeModel(model);
    dialog->show();
    QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));

    const QImage image = dialog->grab().toImage();
    QCOMPARE(image.size(), dialog->size());
    QCOMPARE(dialog->treeModel(), model);
}

QTEST_MAIN(TestPageFrame)
#include "tst_page_frame.moc"
