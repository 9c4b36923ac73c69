#pragma once
// What a person sees of a window's labels and texts: which labels are seen (shown, with text,
// topmost at their centre but for labels), which of them overlap, what each text displays
// under the "&" rule, and whether a label's pixels show that text.
#include "mbus/dazpagecontrol.h"
#include "platform/acceltext.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QStyleFactory>
#include <QTextDocument>
#include <QAbstractButton>
#include <QGroupBox>
#include <QPainter>
#include <QStyleOption>
#include <QTabBar>
#include <memory>
#include <vector>

namespace window_look {

// The label's rectangle in its window, cut by its ancestors.
inline QRect Window_Rect(QWidget *w)
{
    QWidget *window = w->window();
    QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
    for (QWidget *p = w->parentWidget(); p && p != window; p = p->parentWidget())
        r &= QRect(p->mapTo(window, QPoint(0, 0)), p->size());
    return r & window->rect();
}

inline bool Is_Rich(const QLabel *l)
{
    return l->textFormat() == Qt::RichText
           || (l->textFormat() == Qt::AutoText && Qt::mightBeRichText(l->text()));
}

// Whether l is the topmost widget at point c of its window, labels above it looked through
// (a label over a label leaves both seen; that is an overlap).
inline bool Is_On_Top(QWidget *window, QLabel *l, QPoint c)
{
    const bool own = l->testAttribute(Qt::WA_TransparentForMouseEvents);
    l->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    std::vector<QWidget *> peeled;
    QWidget *top = window->childAt(c);
    while (top && top != l && qobject_cast<QLabel *>(top)) {
        top->setAttribute(Qt::WA_TransparentForMouseEvents, true);
        peeled.push_back(top);
        top = window->childAt(c);
    }
    for (QWidget *w : peeled)
        w->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    l->setAttribute(Qt::WA_TransparentForMouseEvents, own);
    return top == l;
}

inline std::vector<QLabel *> Seen_Labels(QWidget *window)
{
    std::vector<QLabel *> out;
    for (QLabel *l : window->findChildren<QLabel *>()) {
        if (!l->isVisible() || l->text().trimmed().isEmpty())
            continue;
        const QRect r = Window_Rect(l);
        if (r.isEmpty() || !Is_On_Top(window, l, r.center()))
            continue;
        out.push_back(l);
    }
    return out;
}

inline QString Name(const QWidget *w)
{
    return w->objectName().isEmpty() ? QStringLiteral("(%1)").arg(w->metaObject()->className())
                                     : w->objectName();
}

// "A / B" for every two seen labels whose rectangles overlap.
inline QStringList Overlapping_Labels(QWidget *window)
{
    QStringList out;
    const std::vector<QLabel *> seen = Seen_Labels(window);
    for (size_t i = 0; i < seen.size(); ++i)
        for (size_t j = i + 1; j < seen.size(); ++j)
            if (Window_Rect(seen[i]).intersects(Window_Rect(seen[j])))
                out << Name(seen[i]) + QStringLiteral(" / ") + Name(seen[j]);
    return out;
}

// Whether the label's pixels are those of expected drawn as it stands by a plain QPainter, in
// the label's font, colour and text rectangle, over the label painted without text. No "&"
// rule takes part in the reference, so a label that shows "&&" where expected has one "&"
// differs from it.
inline bool Shows(QLabel *l, const QString &expected)
{
    const QString text = l->text();
    l->setText(QString());
    QImage ref = l->grab().toImage();
    l->setText(text);
    // The text rectangle as QLabel lays it out.
    const Qt::Alignment align = QStyle::visualAlignment(l->layoutDirection(), l->alignment());
    int indent = l->indent();
    if (indent < 0 && l->frameWidth())
        indent = l->fontMetrics().horizontalAdvance(u'x') / 2 - l->margin();
    QRect cr = l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    if (indent > 0) {
        if (align & Qt::AlignLeft)
            cr.setLeft(cr.left() + indent);
        if (align & Qt::AlignRight)
            cr.setRight(cr.right() - indent);
        if (align & Qt::AlignTop)
            cr.setTop(cr.top() + indent);
        if (align & Qt::AlignBottom)
            cr.setBottom(cr.bottom() - indent);
    }
    QStyleOption opt;
    opt.initFrom(l);
    QPainter p(&ref);
    p.setFont(l->font());
    p.setPen(l->isEnabled() ? opt.palette.color(l->foregroundRole())
                            : opt.palette.color(QPalette::Disabled, l->foregroundRole()));
    int flags = int(align) | Qt::TextForceLeftToRight;
    if (l->wordWrap())
        flags |= Qt::TextWordWrap;
    p.drawText(cr, flags, expected);
    p.end();
    return ref == l->grab().toImage();
}

// What a person reads of a text control: a label or button applies the "&" rule, rich text
// shows its document's text.
inline QString Displayed(const QLabel *l)
{
    if (Is_Rich(l)) {
        QTextDocument doc;
        doc.setHtml(l->text());
        return doc.toPlainText();
    }
    return Accel_Shown_Text(l->text());
}

// Every text a person sees in the window, as "name: raw text" with what it displays: the
// title, labels, buttons, check boxes, radio buttons, group box titles and tabs.
struct TSeenText {
    QString where;
    QString raw;
    QString shown;
};

inline std::vector<TSeenText> Seen_Texts(QWidget *window)
{
    std::vector<TSeenText> out;
    out.push_back({QStringLiteral("title"), window->windowTitle(), window->windowTitle()});
    for (QLabel *l : window->findChildren<QLabel *>())
        if (l->isVisible() && !l->text().isEmpty())
            out.push_back({Name(l), l->text(), Displayed(l)});
    for (QAbstractButton *b : window->findChildren<QAbstractButton *>())
        if (b->isVisible() && !b->text().isEmpty())
            out.push_back({Name(b), b->text(), Accel_Shown_Text(b->text())});
    for (QGroupBox *g : window->findChildren<QGroupBox *>())
        if (g->isVisible() && !g->title().isEmpty())
            out.push_back({Name(g), g->title(), Accel_Shown_Text(g->title())});
    for (QTabBar *t : window->findChildren<QTabBar *>())
        if (t->isVisible())
            for (int i = 0; i < t->count(); ++i)
                if (t->isTabVisible(i))
                    out.push_back({Name(t) + QStringLiteral(" tab %1").arg(i), t->tabText(i),
                                   Accel_Shown_Text(t->tabText(i))});
    for (TDazTabSheet *s : window->findChildren<TDazTabSheet *>())
        if (s->DazPageControl() && s->DazPageControl()->isVisible() && s->TabIndex() >= 0)
            out.push_back({Name(s), s->Caption(), Accel_Shown_Text(s->Caption())});
    return out;
}

// Seen texts that show a doubled "&".
inline QStringList Doubled_Ampersands(QWidget *window)
{
    QStringList out;
    for (const TSeenText &t : Seen_Texts(window))
        if (t.shown.contains(QLatin1String("&&")))
            out << t.where + QStringLiteral(": ") + t.raw;
    return out;
}

// Seen labels with an "&" whose pixels differ from their text under the "&" rule.
inline QStringList Wrong_Ampersands(QWidget *window)
{
    QStringList out;
    for (QLabel *l : Seen_Labels(window))
        if (l->text().contains(u'&') && !Is_Rich(l) && !Shows(l, Accel_Shown_Text(l->text())))
            out << Name(l) + QStringLiteral(": ") + l->text();
    return out;
}

} // namespace window_look
