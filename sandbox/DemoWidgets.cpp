#include "sandbox/DemoWidgets.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QUrl>

namespace Sandbox::DemoWidgets {

QAbstractButton *buttonNamed(QWidget *page, const char *name)
{
    if (!page)
        return nullptr;
    const auto buttons = page->findChildren<QAbstractButton *>(QLatin1String(name));
    for (QAbstractButton *button : buttons) {
        if (button->isVisible())
            return button;
    }
    return nullptr;
}

QAbstractButton *standardButton(QWidget *page, QDialogButtonBox::StandardButton which)
{
    if (!page)
        return nullptr;
    const auto boxes = page->findChildren<QDialogButtonBox *>();
    for (QDialogButtonBox *box : boxes) {
        if (QAbstractButton *button = box->button(which))
            return button;
    }
    return nullptr;
}

bool enabled(QAbstractButton *button)
{
    return button && button->isVisible() && button->isEnabled();
}

// Depth-first, so that a camera is found under its layer and model rows.
QModelIndex findRow(const QAbstractItemModel *model, const QString &text, const QModelIndex &parent)
{
    for (int row = 0; row < model->rowCount(parent); ++row) {
        const QModelIndex index = model->index(row, 0, parent);
        if (parent.isValid() && parent.parent().isValid()
            && index.data(Qt::DisplayRole).toString() == text)
            return index;
        const QModelIndex found = findRow(model, text, index);
        if (found.isValid())
            return found;
    }
    return {};
}

int trailingNumber(const QLabel *label)
{
    static const QRegularExpression number(QStringLiteral("(\\d+)\\s*$"));
    const QRegularExpressionMatch match
            = label ? number.match(label->text()) : QRegularExpressionMatch();
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString linkedLocalFile(const QLabel *label)
{
    static const QRegularExpression link(QStringLiteral("href=\"(file:[^\"]+)\""));
    const QRegularExpressionMatch match
            = label ? link.match(label->text()) : QRegularExpressionMatch();
    if (!match.hasMatch())
        return {};
    const QString url = QTextDocumentFragment::fromHtml(match.captured(1)).toPlainText();
    return QUrl(url).toLocalFile();
}

// What the window system delivers when the mouse moves over the widget.
void hover(QWidget *widget, const QPoint &position)
{
    QMouseEvent move(QEvent::MouseMove, position, widget->mapToGlobal(position), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void press(QWidget *widget, int key, Qt::KeyboardModifiers modifiers, QChar text)
{
    const QString typed = text.isNull() ? QString() : QString(text);
    QKeyEvent down(QEvent::KeyPress, key, modifiers, typed);
    QApplication::sendEvent(widget, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, typed);
    QApplication::sendEvent(widget, &up);
}

} // namespace Sandbox::DemoWidgets
