#pragma once

#include <QDialogButtonBox>
#include <QModelIndex>
#include <QString>

class QAbstractButton;
class QAbstractItemModel;
class QLabel;
class QPoint;
class QWidget;

// What the demo does with the pages' widgets: only what a user has, by
// object name and role, so it runs in every language.
namespace Sandbox::DemoWidgets {

// The first visible button of that object name on the page.
QAbstractButton *buttonNamed(QWidget *page, const char *name);
QAbstractButton *standardButton(QWidget *page, QDialogButtonBox::StandardButton which);
bool enabled(QAbstractButton *button);
// A camera row (under its layer and model rows) showing the text.
QModelIndex findRow(const QAbstractItemModel *model, const QString &text,
                    const QModelIndex &parent = QModelIndex());
// The number a label ends in, -1 for none.
int trailingNumber(const QLabel *label);
// The local file a label's link points to, empty for none.
QString linkedLocalFile(const QLabel *label);
// What the window system delivers when the mouse moves over the widget.
void hover(QWidget *widget, const QPoint &position);
void press(QWidget *widget, int key, Qt::KeyboardModifiers modifiers, QChar text = QChar());

} // namespace Sandbox::DemoWidgets
