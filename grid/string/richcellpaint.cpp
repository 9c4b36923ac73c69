#include "grid/string/richcellpaint.h"

#include "grid/string/richtext.h"
#include "platform/color.h"

#include <QAbstractTextDocumentLayout>
#include <QHash>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

struct TRichKey {
    QString Text;
    QFont Font;
    int Width;
    TColor Color;
    friend bool operator==(const TRichKey &, const TRichKey &) = default;
};

size_t qHash(const TRichKey &k, size_t base = 0)
{
    return qHashMulti(base, k.Text, k.Font.key(), k.Width, k.Color);
}

// Enough for every visible rich cell of a few grids; cleared as a whole when full, which
// costs one re-layout per visible cell.
constexpr qsizetype MaxCachedDocuments = 512;

QHash<TRichKey, std::shared_ptr<QTextDocument>> &Cache()
{
    static QHash<TRichKey, std::shared_ptr<QTextDocument>> cache;
    return cache;
}

const QTextDocument &Document(const QString &Text, const QFont &Font, int Width, TColor Color)
{
    auto &cache = Cache();
    TRichKey key{Text, Font, Width, Color};
    if (auto it = cache.constFind(key); it != cache.constEnd())
        return **it;
    if (cache.size() >= MaxCachedDocuments)
        cache.clear();
    auto doc = std::make_shared<QTextDocument>();
    doc->setDefaultFont(Font);
    doc->setDocumentMargin(0);
    RtfToDocument(Text, *doc);
    if (Color != clNone) {
        QTextCursor all(doc.get());
        all.select(QTextCursor::Document);
        QTextCharFormat f;
        f.setForeground(ToQColor(Color));
        all.mergeCharFormat(f);
    }
    doc->setTextWidth(Width > 0 ? Width : -1);
    if (Width <= 0)
        doc->setTextWidth(doc->idealWidth());
    return **cache.insert(key, std::move(doc));
}

} // namespace

void DrawRichCellText(TCanvas &Canvas, const QString &Text, const TRect &R, TAlignment HAlign,
                      TVAlignment VAlign, bool WordWrap, TColor TextColor)
{
    QPainter *p = Canvas.Painter();
    if (!p || R.Width() <= 0 || R.Height() <= 0)
        return;
    const QTextDocument &doc =
        Document(Text, Canvas.Font.ToQFont(), WordWrap ? R.Width() : -1, TextColor);
    // A wrapped document is as wide as the cell; its lines are placed by their widest one.
    const QSizeF size(std::min(doc.idealWidth(), doc.size().width()), doc.size().height());
    double x = R.Left, y = R.Top;
    if (HAlign == taRightJustify)
        x = R.Right - size.width();
    else if (HAlign == taCenter)
        x = R.Left + (R.Width() - size.width()) / 2;
    if (VAlign == vtaBottom)
        y = R.Bottom - size.height();
    else if (VAlign == vtaCenter)
        y = R.Top + (R.Height() - size.height()) / 2;
    // Text starting left of or above the cell shows its start, as a left/top aligned one.
    x = std::max(x, double(R.Left));
    y = std::max(y, double(R.Top));

    p->save();
    p->setClipRect(QRect(R.Left, R.Top, R.Width(), R.Height()), Qt::IntersectClip);
    p->translate(x, y);
    QAbstractTextDocumentLayout::PaintContext ctx;
    ctx.palette.setColor(QPalette::Text,
                         ToQColor(TextColor != clNone ? TextColor : Canvas.Font.Color));
    ctx.clip = QRectF(R.Left - x, R.Top - y, R.Width(), R.Height());
    doc.documentLayout()->draw(p, ctx);
    p->restore();
}

QSize RichCellTextSize(const QString &Text, const TFont &Font, int WrapWidth)
{
    const QSizeF s = Document(Text, Font.ToQFont(), WrapWidth, clNone).size();
    return QSize(int(std::ceil(s.width())), int(std::ceil(s.height())));
}

void ClearRichCellCache()
{
    Cache().clear();
}
