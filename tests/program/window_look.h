#pragma once
// What a person sees of a window's labels: which labels are seen (shown, with text, topmost at
// their centre), which of them overlap, and whether a label shows the text the "&" rule gives.
#include "platform/acceltext.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QStyle>
#include <QStyleFactory>
#include <QTextDocument>
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

inline std::vector<QLabel *> Seen_Labels(QWidget *window)
{
    std::vector<QLabel *> out;
    for (QLabel *l : window->findChildren<QLabel *>()) {
        if (!l->isVisible() || l->text().trimmed().isEmpty())
            continue;
        const QRect r = Window_Rect(l);
        if (r.isEmpty() || window->childAt(r.center()) != l)
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

// Whether the label's pixels are those of a label of the same look whose text shows expected.
inline bool Shows(QLabel *l, const QString &expected)
{
    QLabel ref;
    ref.setAttribute(Qt::WA_DontShowOnScreen);
    ref.setFont(l->font());
    ref.setPalette(l->palette());
    ref.setForegroundRole(l->foregroundRole());
    ref.setBackgroundRole(l->backgroundRole());
    ref.setStyleSheet(l->styleSheet());
    ref.setFrameStyle(l->frameStyle());
    ref.setContentsMargins(l->contentsMargins());
    ref.setMargin(l->margin());
    ref.setIndent(l->indent());
    ref.setAlignment(l->alignment());
    ref.setWordWrap(l->wordWrap());
    ref.setEnabled(l->isEnabled());
    ref.setTextFormat(Qt::PlainText);
    QString escaped = expected;
    ref.setText(escaped.replace(u'&', QStringLiteral("&&")));
    ref.resize(l->size());
    return ref.grab().toImage() == l->grab().toImage();
}

// Labels whose pixels differ from their text under the "&" rule, and window titles with "&&".
inline QStringList Wrong_Ampersands(QWidget *window)
{
    QStringList out;
    if (window->windowTitle().contains(QLatin1String("&&")))
        out << QStringLiteral("title: ") + window->windowTitle();
    for (QLabel *l : Seen_Labels(window))
        if (l->text().contains(u'&') && !Is_Rich(l) && !Shows(l, Accel_Shown_Text(l->text())))
            out << Name(l) + QStringLiteral(": ") + l->text();
    return out;
}

} // namespace window_look
