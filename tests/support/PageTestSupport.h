#pragma once

// Helpers for the page tests: the five pages by number, a guard that turns
// every warning the widgets print into a failure, flat update lists written
// in a few words, and the parts of a label's rich text that a user can see
// or follow.

#include "model/CFirmwareUpdateTreeModel.h"
#include "support/FakeCameras.h"
#include "view/CCameraSelectionDialog.h"
#include "view/CFirmwareUpdateDialog.h"
#include "view/CResultSummaryDialog.h"
#include "view/CUpdateSelectionDialog.h"
#include "view/CUpdateSummaryDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QTextBlock>
#include <QTextDocument>

namespace PageTest {

using Plugin::FirmwareUpdater::Internal::Entity::CFirmwareUpdateEntity;
using Plugin::FirmwareUpdater::Internal::Model::CFirmwareUpdateTreeModel;
using namespace Plugin::FirmwareUpdater::Internal::View;

inline std::unique_ptr<CUpdateDialogBase> makePage(int number)
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

// Every warning the widgets print once catchWarnings() ran; each cleanup()
// takes them and expects none.
inline QStringList caughtWarnings;

inline void catchWarnings()
{
    static const QtMessageHandler previous = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext &context, const QString &message) {
                if (type == QtWarningMsg || type == QtCriticalMsg)
                    caughtWarnings << message;
                if (previous)
                    previous(type, context, message);
            });
}

// "OK,Failed,Skipped": one camera device per entry, ids c1, c2, ... in order.
inline QSharedPointer<CFirmwareUpdateTreeModel> updateModel(const QString &results)
{
    QList<CFirmwareUpdateEntity *> entities;
    const QStringList names = results.split(QLatin1Char(','), Qt::SkipEmptyParts);
    for (const QString &name : names) {
        auto *entity = new CFirmwareUpdateEntity;
        entity->setEntityType(CFirmwareUpdateEntity::CameraDevice);
        entity->setCameraInfo(Fake::camera(QStringLiteral("c%1").arg(entities.size() + 1),
                                           QStringLiteral("M"), QStringLiteral("tl")));
        entity->setSelected(true);
        entity->setSelectedFirmware(QStringLiteral("2.0.0"));
        entity->setUpdateResult(CFirmwareUpdateEntity::EFirmwareUpdateResult(
                QStringList { "OK", "Failed", "Skipped" }.indexOf(name)));
        entities.append(entity);
    }
    auto model = QSharedPointer<CFirmwareUpdateTreeModel>::create();
    model->setEntities(entities);
    return model;
}

// A push button of the page, by its text or its object name.
inline QPushButton *button(QWidget *page, const QString &text)
{
    for (QPushButton *candidate : page->findChildren<QPushButton *>()) {
        if (candidate->text() == text || candidate->objectName() == text)
            return candidate;
    }
    return nullptr;
}

// What a rich-text label shows and where its links lead.
struct RichText
{
    QString plain;
    QStringList links;
};

// What the page's named label shows a user, with the targets of its links.
inline RichText shown(QWidget *page, const char *name)
{
    const auto *label = page->findChild<QLabel *>(QLatin1String(name));
    if (label->textFormat() == Qt::PlainText
        || (label->textFormat() == Qt::AutoText && !Qt::mightBeRichText(label->text())))
        return { label->text(), {} };
    QTextDocument document;
    document.setHtml(label->text());
    RichText result { document.toPlainText(), {} };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (format.isAnchor() && !result.links.contains(format.anchorHref()))
                result.links.append(format.anchorHref());
        }
    }
    return result;
}

// "1101" for whether the named widgets are shown, in order.
inline QString visibility(QWidget *page, std::initializer_list<const char *> names)
{
    QString result;
    for (const char *name : names)
        result += page->findChild<QWidget *>(QLatin1String(name))->isHidden() ? '0' : '1';
    return result;
}

} // namespace PageTest
