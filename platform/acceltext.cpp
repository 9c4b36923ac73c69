#include "platform/acceltext.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QStyleFactory>

void TAccelTextStyle::drawItemText(QPainter *painter, const QRect &rect, int flags,
                                   const QPalette &pal, bool enabled, const QString &text,
                                   QPalette::ColorRole textRole) const
{
    // A label without a buddy draws its text as it stands; a label's painter paints on it.
    if (!(flags & Qt::TextShowMnemonic) && text.contains(u'&')) {
        QPaintDevice *device = painter->device();
        if (device && device->devType() == QInternal::Widget
            && qobject_cast<QLabel *>(static_cast<QWidget *>(device)))
            flags |= Qt::TextShowMnemonic | Qt::TextHideMnemonic;
    }
    QProxyStyle::drawItemText(painter, rect, flags, pal, enabled, text, textRole);
}

void Install_Accel_Text_Rule()
{
    if (!qApp || dynamic_cast<TAccelTextStyle *>(QApplication::style()))
        return;
    QApplication::setStyle(new TAccelTextStyle(QStyleFactory::create(QApplication::style()->name())));
}

QString Accel_Shown_Text(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'&') {
            shown += text[i];
        } else if (i + 1 < text.size() && text[i + 1] == u'&') {
            shown += u'&';
            ++i;
        }
    }
    return shown;
}
