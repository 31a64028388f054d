#pragma once

#include <QPointer>
#include <QStyledItemDelegate>

class QLabel;

namespace Plugin::FirmwareUpdater::Internal::Entity {
class CFirmwareUpdateEntity;
}

namespace Plugin::FirmwareUpdater::Internal::View {

// A camera's cell of an icon and an elided text; subclasses say what it shows.
class CIconTextDelegate : public QStyledItemDelegate
{
public:
    ~CIconTextDelegate() override;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

protected:
    // BoldMarkup: rich text in <b>, elided as a whole; BoldFont: a bold font.
    enum class Weight { Normal, BoldFont, BoldMarkup };
    struct Shown
    {
        QString text;
        QString icon; // resource path, empty for none
        Weight weight = Weight::Normal;
    };

    explicit CIconTextDelegate(QObject *parent);
    virtual Shown shown(const Entity::CFirmwareUpdateEntity &entity) const = 0;

private:
    int textWidth(const QStyleOptionViewItem &option) const;

    QPointer<QWidget> m_cell;
    QPointer<QLabel> m_icon;
    QPointer<QLabel> m_text;
};

} // namespace Plugin::FirmwareUpdater::Internal::View
