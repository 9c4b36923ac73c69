#include "controls/tree/lazytreestyledscroll.h"
#include "controls/tree/lazydrawtree.h"
#include "controls/tree/lazystringtree.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <cmath>

using TS = TThemedScrollBar;

namespace {

// Looks of an element: arrows have four (normal, hot, pressed, disabled) from 0 on, thumbs
// three from tsThumbBtnHorzNormal on.
enum TLook { lkNormal, lkHot, lkPressed, lkDisabled };
constexpr int FirstThumb = int(TS::tsThumbBtnHorzNormal);

int Look(TS State)
{
    const int v = int(State);
    return v < FirstThumb ? v % 4 : (v - FirstThumb) % 3;
}

TS WithLook(TS State, int L)
{
    const int v = int(State);
    return TS(v < FirstThumb ? v - v % 4 + L : v - (v - FirstThumb) % 3 + L);
}

// The shortest thumb the bars show.
constexpr int MinThumbLength = 8;

// A bar's scroll information as the platform keeps it: the range includes the page.
struct TScrollInfo
{
    int Min, Max, Page, Pos;
};

TScrollInfo ScrollInfo(const QScrollBar *Bar)
{
    const int page = Bar->pageStep();
    return {Bar->minimum(), Bar->maximum() + std::max(page - 1, 0), page, Bar->value()};
}

// The thumb inside Track (along the bar's direction) for the bar's position.
QRect ThumbIn(const QRect &Track, const QScrollBar *Bar, bool Vertical)
{
    const TScrollInfo info = ScrollInfo(Bar);
    const int length = Vertical ? Track.height() : Track.width();
    const int span = info.Max - info.Min + 1;
    int thumb = span > 0 && info.Page > 0 ? int(int64_t(length) * info.Page / span) : length;
    thumb = std::clamp(thumb, std::min(MinThumbLength, length), length);
    const int travel = Bar->maximum() - Bar->minimum();
    const int start = travel > 0 ? int(int64_t(length - thumb) * (info.Pos - info.Min) / travel) : 0;
    return Vertical ? QRect(Track.left(), Track.top() + start, Track.width(), thumb)
                    : QRect(Track.left() + start, Track.top(), thumb, Track.height());
}

}   // namespace

// ---------------------------------------------------------------------------------------
// Overlays

TVclStyleScrollBarsHook::TVclStyleScrollBarWindow::TVclStyleScrollBarWindow(TVclStyleScrollBarsHook *Owner,
                                                                            bool Vertical, QWidget *Parent)
    : QWidget(Parent), FScrollBarVertical(Vertical), FScrollBarWindowOwner(Owner)
{
    // Every click reaches the bar below.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_OpaquePaintEvent);
    hide();
}

void TVclStyleScrollBarsHook::TVclStyleScrollBarWindow::paintEvent(QPaintEvent *)
{
    if (!FScrollBarWindowOwner)
        return;
    QPainter p(this);
    if (FScrollBarVertical)
        FScrollBarWindowOwner->PaintVertBar(p);
    else
        FScrollBarWindowOwner->PaintHorzBar(p);
}

// ---------------------------------------------------------------------------------------
// Life

TVclStyleScrollBarsHook::TVclStyleScrollBarsHook(TBaseLazyTree &Tree, ILTStyleSource &Style)
    : QObject(&Tree), FTree(Tree), FStyle(Style)
{
    setObjectName(QStringLiteral("StyleScrollBarsHook"));
    QWidget *parent = Tree.parentWidget() ? Tree.parentWidget() : &Tree;
    FVertScrollBarWindow = new TVclStyleScrollBarWindow(this, true, parent);
    FHorzScrollBarWindow = new TVclStyleScrollBarWindow(this, false, parent);
    PostScroll = [this](int Bar, int Code, int) {
        QPointer<TBaseLazyTree> tree = &FTree;
        QMetaObject::invokeMethod(
            &FTree,
            [tree, Bar, Code] {
                if (tree)
                    Bar == SB_VERT ? tree->VScroll(Code) : tree->HScroll(Code);
            },
            Qt::QueuedConnection);
    };
    FTree.installEventFilter(this);
    FTree.viewport()->installEventFilter(this);
    for (QScrollBar *bar : {FTree.verticalScrollBar(), FTree.horizontalScrollBar()}) {
        bar->installEventFilter(this);
        bar->setMouseTracking(true);
        // The tree updated its bars or scrolled.
        auto changed = [this] {
            UpdateBarRects();
            RepaintBars();
        };
        connect(bar, &QAbstractSlider::valueChanged, this, changed);
        connect(bar, &QAbstractSlider::rangeChanged, this, changed);
    }
    UpdateBarRects();
    PlaceBarWindows();
}

TVclStyleScrollBarsHook::~TVclStyleScrollBarsHook()
{
    delete FVertScrollBarWindow.data();
    delete FHorzScrollBarWindow.data();
}

TVclStyleScrollBarsHook *TVclStyleScrollBarsHook::Attach(TBaseLazyTree &Tree, ILTStyleSource *Style)
{
    if (!Style || !Style->Available())
        return nullptr;
    if (!qobject_cast<TCustomLazyStringTree *>(&Tree) && !qobject_cast<TCustomLazyDrawTree *>(&Tree))
        return nullptr;
    if (auto *hook = Tree.findChild<TVclStyleScrollBarsHook *>(QString(), Qt::FindDirectChildrenOnly))
        return hook;
    return new TVclStyleScrollBarsHook(Tree, *Style);
}

// ---------------------------------------------------------------------------------------
// Geometry

QRect TVclStyleScrollBarsHook::BarRect(const QScrollBar *Bar) const
{
    const QPoint topLeft = Bar->mapTo(&FTree, QPoint(0, 0)) - FTree.viewport()->pos();
    return QRect(topLeft, Bar->size());
}

void TVclStyleScrollBarsHook::UpdateBarRects()
{
    if (!FVertScrollBarWindow || !FHorzScrollBarWindow)
        return;
    const QScrollBar *v = FTree.verticalScrollBar();
    FVertScrollBarWindow->FScrollBarVisible = v->isVisibleTo(&FTree);
    FVertScrollBarWindow->FScrollBarEnabled = v->isEnabled();
    if (FVertScrollBarWindow->FScrollBarVisible) {
        const QRect r = BarRect(v);
        const int t = std::min(FStyle.ArrowButtonSize(true), r.height() / 2);
        FVertScrollBarRect = r;
        FVertScrollBarDownButtonRect = QRect(r.left(), r.bottom() + 1 - t, r.width(), t);
        FVertScrollBarUpButtonRect = QRect(r.left(), r.top(), r.width(), t);
        FVertScrollBarSliderTrackRect = QRect(r.left(), r.top() + t, r.width(), r.height() - 2 * t);
    }
    const QScrollBar *h = FTree.horizontalScrollBar();
    FHorzScrollBarWindow->FScrollBarVisible = h->isVisibleTo(&FTree);
    FHorzScrollBarWindow->FScrollBarEnabled = h->isEnabled();
    if (FHorzScrollBarWindow->FScrollBarVisible) {
        const QRect r = BarRect(h);
        const int t = std::min(FStyle.ArrowButtonSize(false), r.width() / 2);
        FHorzScrollBarRect = r;
        FHorzScrollBarDownButtonRect = QRect(r.right() + 1 - t, r.top(), t, r.height());
        FHorzScrollBarUpButtonRect = QRect(r.left(), r.top(), t, r.height());
        FHorzScrollBarSliderTrackRect = QRect(r.left() + t, r.top(), r.width() - 2 * t, r.height());
    }
}

QRect TVclStyleScrollBarsHook::VertThumbRect() const
{
    if (!FVertScrollBarWindow || !FVertScrollBarWindow->FScrollBarVisible ||
        !FVertScrollBarWindow->FScrollBarEnabled)
        return QRect();
    return ThumbIn(FVertScrollBarSliderTrackRect, FTree.verticalScrollBar(), true);
}

QRect TVclStyleScrollBarsHook::HorzThumbRect() const
{
    if (!FHorzScrollBarWindow || !FHorzScrollBarWindow->FScrollBarVisible ||
        !FHorzScrollBarWindow->FScrollBarEnabled)
        return QRect();
    return ThumbIn(FHorzScrollBarSliderTrackRect, FTree.horizontalScrollBar(), false);
}

bool TVclStyleScrollBarsHook::InTreeHeader(QPoint P) const
{
    return FTree.Header().InHeader(P);
}

void TVclStyleScrollBarsHook::PlaceBarWindows()
{
    if (!FVertScrollBarWindow || !FHorzScrollBarWindow)
        return;
    QWidget *parent = FVertScrollBarWindow->parentWidget();
    // Client rectangles to the overlays' parent.
    auto place = [&](TVclStyleScrollBarWindow *Window, QRect R) {
        R.translate(FTree.viewport()->pos());
        if (parent != &FTree)
            R.translate(FTree.pos());
        Window->setGeometry(R);
        Window->show();
        Window->raise();
    };
    const bool rtl = FTree.UseRightToLeftReading();
    if (FVertScrollBarWindow->FScrollBarVisible) {
        QRect r = FVertScrollBarRect;
        if (rtl)
            r.moveLeft(FTree.frameWidth() - FTree.viewport()->x());
        place(FVertScrollBarWindow, r);
    } else {
        FVertScrollBarWindow->hide();
    }
    if (FHorzScrollBarWindow->FScrollBarVisible) {
        QRect r = FHorzScrollBarRect;
        if (rtl && FVertScrollBarWindow->FScrollBarVisible)
            r.translate(FVertScrollBarRect.width(), 0);
        place(FHorzScrollBarWindow, r);
    } else {
        FHorzScrollBarWindow->hide();
    }
}

// ---------------------------------------------------------------------------------------
// Painting

void TVclStyleScrollBarsHook::RepaintBars()
{
    for (TVclStyleScrollBarWindow *w : {FVertScrollBarWindow.data(), FHorzScrollBarWindow.data()})
        if (w && w->isVisible())
            w->update();
}

void TVclStyleScrollBarsHook::PaintHorzBar(QPainter &Painter)
{
    PaintBar(Painter, false);
}

void TVclStyleScrollBarsHook::PaintVertBar(QPainter &Painter)
{
    PaintBar(Painter, true);
}

void TVclStyleScrollBarsHook::PaintBar(QPainter &Painter, bool Vertical)
{
    TVclStyleScrollBarWindow *window = Vertical ? FVertScrollBarWindow.data() : FHorzScrollBarWindow.data();
    if (!window || !window->FScrollBarVisible || !FStyle.Available())
        return;
    const QRect bar = Vertical ? FVertScrollBarRect : FHorzScrollBarRect;
    const QRect up = Vertical ? FVertScrollBarUpButtonRect : FHorzScrollBarUpButtonRect;
    const QRect down = Vertical ? FVertScrollBarDownButtonRect : FHorzScrollBarDownButtonRect;
    const bool enabled = window->FScrollBarEnabled;
    QImage image(Vertical ? QSize(bar.width(), window->height()) : bar.size(), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return;
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.translate(-bar.topLeft());
        if (Vertical) {
            FStyle.DrawElement(p, TS::tsUpperTrackVertNormal,
                               QRect(bar.left(), bar.top(), bar.width(), image.height()));
            FStyle.DrawElement(p, TS::tsUpperTrackVertNormal,
                               QRect(bar.left(), up.bottom() + 1, bar.width(), down.top() - up.bottom() - 1));
        } else {
            FStyle.DrawElement(p, TS::tsUpperTrackHorzNormal,
                               QRect(up.right() + 1, bar.top(), down.left() - up.right() - 1, bar.height()));
        }
        const QRect thumb = Vertical ? VertThumbRect() : HorzThumbRect();
        if (!thumb.isEmpty())
            FStyle.DrawElement(p, Vertical ? FVertScrollBarSliderState : FHorzScrollBarSliderState, thumb);
        const TS upState = Vertical ? FVertScrollBarUpButtonState : FHorzScrollBarUpButtonState;
        const TS downState = Vertical ? FVertScrollBarDownButtonState : FHorzScrollBarDownButtonState;
        FStyle.DrawElement(p, enabled ? upState : WithLook(upState, lkDisabled), up);
        FStyle.DrawElement(p, enabled ? downState : WithLook(downState, lkDisabled), down);
    }
    Painter.drawImage(0, 0, image);
}

// ---------------------------------------------------------------------------------------
// Mouse

bool TVclStyleScrollBarsHook::MouseMessage(TMouseKind Kind, bool NonClient, QPoint ClientPoint,
                                           QPoint ScreenPoint)
{
    switch (Kind) {
    case TMouseKind::Press:
    case TMouseKind::DblClick:
        return NonClient && NonClientPress(ClientPoint, ScreenPoint);
    case TMouseKind::Move:
        if (Look(FVertScrollBarSliderState) == lkPressed)
            return DragThumb(true, ScreenPoint);
        if (Look(FHorzScrollBarSliderState) == lkPressed)
            return DragThumb(false, ScreenPoint);
        if (NonClient) {
            TrackHot(ClientPoint);
            return false;
        }
        // Over the client area nothing of a bar is hot any more.
        for (TS *s : {&FHorzScrollBarSliderState, &FVertScrollBarSliderState, &FHorzScrollBarUpButtonState,
                      &FHorzScrollBarDownButtonState, &FVertScrollBarUpButtonState,
                      &FVertScrollBarDownButtonState})
            if (Look(*s) == lkHot) {
                *s = WithLook(*s, lkNormal);
                RepaintBars();
                break;
            }
        if (FLeftMouseButtonDown)
            RepaintBars();
        return false;
    case TMouseKind::Release:
        return NonClient ? NonClientRelease(ClientPoint) : CapturedRelease(ClientPoint);
    }
    return false;
}

std::array<TVclStyleScrollBarsHook::TBarParts, 2> TVclStyleScrollBarsHook::Parts()
{
    return {TBarParts{FVertScrollBarWindow, &FVertScrollBarSliderState, &FVertScrollBarUpButtonState,
                      &FVertScrollBarDownButtonState, FVertScrollBarUpButtonRect, FVertScrollBarDownButtonRect, true},
            TBarParts{FHorzScrollBarWindow, &FHorzScrollBarSliderState, &FHorzScrollBarUpButtonState,
                      &FHorzScrollBarDownButtonState, FHorzScrollBarUpButtonRect, FHorzScrollBarDownButtonRect, false}};
}

bool TVclStyleScrollBarsHook::NonClientPress(QPoint P, QPoint Screen)
{
    if (InTreeHeader(P))
        return false;
    for (const TBarParts &b : Parts()) {
        if (!b.Window || !b.Window->FScrollBarVisible)
            continue;
        if ((b.Vertical ? VertThumbRect() : HorzThumbRect()).contains(P)) {
            FLeftMouseButtonDown = true;
            QScrollBar *bar = b.Vertical ? FTree.verticalScrollBar() : FTree.horizontalScrollBar();
            FScrollPos = float(ScrollInfo(bar).Pos);
            FPrevScrollPos = b.Vertical ? Screen.y() : Screen.x();
            *b.Slider = WithLook(*b.Slider, lkPressed);
            RepaintBars();
            return true;
        }
        if (b.Window->FScrollBarEnabled) {
            if (b.DownRect.contains(P))
                *b.Down = WithLook(*b.Down, lkPressed);
            else if (b.UpRect.contains(P))
                *b.Up = WithLook(*b.Up, lkPressed);
        }
    }
    FLeftMouseButtonDown = true;
    RepaintBars();
    return false;
}

bool TVclStyleScrollBarsHook::DragThumb(bool Vertical, QPoint Screen)
{
    QScrollBar *bar = Vertical ? FTree.verticalScrollBar() : FTree.horizontalScrollBar();
    const TScrollInfo info = ScrollInfo(bar);
    if (info.Pos != int(std::lround(FScrollPos)))
        FScrollPos = float(info.Pos);
    const QRect track = Vertical ? FVertScrollBarSliderTrackRect : FHorzScrollBarSliderTrackRect;
    const int length = Vertical ? track.height() : track.width();
    const int cursor = Vertical ? Screen.y() : Screen.x();
    if (length > 0)
        FScrollPos += float(cursor - FPrevScrollPos) / float(length) * float(info.Max - info.Min);
    FScrollPos = std::clamp(FScrollPos, float(info.Min), float(info.Max));
    if (info.Page != 0 && std::lround(FScrollPos) > info.Max - info.Page + 1)
        FScrollPos = float(info.Max - info.Page + 1);
    FPrevScrollPos = cursor;
    const int position = int(std::lround(FScrollPos));
    {
        const QSignalBlocker quiet(bar);
        bar->setValue(position);
    }
    // The vertical message carries the position in 16 bits; the tree reads the full one
    // from the bar.
    if (PostScroll)
        PostScroll(Vertical ? SB_VERT : SB_HORZ, SB_THUMBPOSITION, Vertical ? std::min(position, 32767) : position);
    RepaintBars();
    return true;
}

bool TVclStyleScrollBarsHook::NonClientRelease(QPoint P)
{
    const bool header = InTreeHeader(P);
    if (!header) {
        for (const TBarParts &b : Parts()) {
            if (!b.Window || !b.Window->FScrollBarVisible || !b.Window->FScrollBarEnabled)
                continue;
            if (Look(*b.Slider) == lkPressed) {
                FLeftMouseButtonDown = false;
                *b.Slider = WithLook(*b.Slider, lkNormal);
                RepaintBars();
                return true;
            }
            *b.Up = WithLook(*b.Up, b.UpRect.contains(P) ? lkHot : lkNormal);
            *b.Down = WithLook(*b.Down, b.DownRect.contains(P) ? lkHot : lkNormal);
        }
    }
    if ((!header && FHorzScrollBarWindow && FHorzScrollBarWindow->FScrollBarVisible) ||
        (FVertScrollBarWindow && FVertScrollBarWindow->FScrollBarVisible))
        RepaintBars();
    return false;
}

bool TVclStyleScrollBarsHook::CapturedRelease(QPoint P)
{
    if (!InTreeHeader(P)) {
        for (const TBarParts &b : Parts()) {
            if (Look(*b.Slider) == lkPressed) {
                if (PostScroll)
                    PostScroll(b.Vertical ? SB_VERT : SB_HORZ, SB_ENDSCROLL, 0);
                FLeftMouseButtonDown = false;
                *b.Slider = WithLook(*b.Slider, lkNormal);
                RepaintBars();
                return true;
            }
            for (TS *s : {b.Up, b.Down})
                if (Look(*s) == lkPressed)
                    *s = WithLook(*s, lkNormal);
        }
        RepaintBars();
    }
    FLeftMouseButtonDown = false;
    return false;
}

void TVclStyleScrollBarsHook::TrackHot(QPoint P)
{
    if (InTreeHeader(P)) {
        RepaintBars();
        return;
    }
    bool changed = false;
    auto follow = [&](TS &State, const QRect &R) {
        const int look = Look(State);
        if (look == lkPressed)
            return;
        const int wanted = R.contains(P) ? lkHot : lkNormal;
        if (look != wanted) {
            State = WithLook(State, wanted);
            changed = true;
        }
    };
    for (const TBarParts &b : Parts()) {
        if (!b.Window || !b.Window->FScrollBarEnabled)
            continue;
        follow(*b.Slider, b.Vertical ? VertThumbRect() : HorzThumbRect());
        follow(*b.Up, b.UpRect);
        follow(*b.Down, b.DownRect);
    }
    if (changed)
        RepaintBars();
}

void TVclStyleScrollBarsHook::CaptureChanged()
{
    for (const TBarParts &b : Parts()) {
        if (!b.Window || !b.Window->FScrollBarVisible || !b.Window->FScrollBarEnabled)
            continue;
        for (TS *s : {b.Up, b.Down})
            if (Look(*s) == lkPressed) {
                *s = WithLook(*s, lkNormal);
                RepaintBars();
            }
    }
}

void TVclStyleScrollBarsHook::MouseLeave()
{
    for (TS *s : {&FHorzScrollBarSliderState, &FVertScrollBarSliderState, &FHorzScrollBarUpButtonState,
                  &FHorzScrollBarDownButtonState, &FVertScrollBarUpButtonState, &FVertScrollBarDownButtonState})
        if (Look(*s) == lkHot)
            *s = WithLook(*s, lkNormal);
    RepaintBars();
}

// ---------------------------------------------------------------------------------------
// Events of the tree, its viewport and its bars

bool TVclStyleScrollBarsHook::eventFilter(QObject *Watched, QEvent *Event)
{
    const bool onBar = Watched == FTree.verticalScrollBar() || Watched == FTree.horizontalScrollBar();
    switch (Event->type()) {
    case QEvent::Resize:
    case QEvent::Move:
    case QEvent::Show:
        if (Watched == &FTree && !FTree.TreeStates().Contains(TLazyTreeState::tsWindowCreating)) {
            UpdateBarRects();
            PlaceBarWindows();
            RepaintBars();
        }
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
        RepaintBars();
        return false;
    case QEvent::Leave:
        if (Watched == &FTree)
            MouseLeave();
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(Event);
        if (e->type() != QEvent::MouseMove && e->button() != Qt::LeftButton)
            return false;
        auto *widget = static_cast<QWidget *>(Watched);
        const QPoint client =
            widget->mapTo(&FTree, e->position().toPoint()) - FTree.viewport()->pos();
        const QPoint screen = e->globalPosition().toPoint();
        // The band of the tree outside its viewport and the bars are the non-client area.
        const bool nonClient = Watched != FTree.viewport();
        const bool thumbHeld =
            Look(FVertScrollBarSliderState) == lkPressed || Look(FHorzScrollBarSliderState) == lkPressed;
        if (!onBar && Watched == &FTree && e->type() == QEvent::MouseMove && !thumbHeld)
            return false;
        TMouseKind kind = TMouseKind::Move;
        if (e->type() == QEvent::MouseButtonPress)
            kind = TMouseKind::Press;
        else if (e->type() == QEvent::MouseButtonDblClick)
            kind = TMouseKind::DblClick;
        else if (e->type() == QEvent::MouseButtonRelease)
            kind = TMouseKind::Release;
        // After a thumb press the hook holds the mouse: moves and the release are its own.
        return MouseMessage(kind, nonClient && !thumbHeld, client, screen);
    }
    default:
        return false;
    }
}
