// Scrolling without the scroll bars: the wheel, wheel panning with its compass window and
// direction cursors, automatic scrolling near the edges, and the timers of input.
#include "controls/tree/lazytree.h"

#include <QApplication>
#include <QBitmap>
#include <QDateTime>
#include <QCursor>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <cmath>
#include <cstring>

using enum TLazyTreeState;
using enum TLTScrollDirection;
using enum TLTShiftStateItem;

namespace {

constexpr int EditTimer = 2;
constexpr int ScrollTimer = 4;
constexpr int SearchTimer = 7;
constexpr int PanningInterval = 20;
constexpr int PanningDeadZone = 8;
const QColor Fuchsia(0xFF, 0x00, 0xFF);

bool Panning(TLazyTreeStates States)
{
    return States.Contains(tsWheelPanning) || States.Contains(tsWheelScrolling);
}

// An arrow head at (X, Y) pointing by (DX, DY).
void Arrow(QPainter &P, QPointF Tip, QPointF Dir, double Size)
{
    const QPointF side(-Dir.y(), Dir.x());
    QPainterPath path;
    path.moveTo(Tip);
    path.lineTo(Tip - Dir * Size + side * Size * 0.7);
    path.lineTo(Tip - Dir * Size - side * Size * 0.7);
    path.closeSubpath();
    P.fillPath(path, Qt::black);
}

// The compass picture: a disc with the arrows of the directions that can scroll, on the
// transparent key colour.
QImage PanningImage(bool Wide, bool Tall)
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(Fuchsia);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(0.5, 0.5, 31, 31));
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPointF c(16, 16);
    if (Tall) {
        Arrow(p, QPointF(16, 4), QPointF(0, -1), 5);
        Arrow(p, QPointF(16, 28), QPointF(0, 1), 5);
    }
    if (Wide) {
        Arrow(p, QPointF(4, 16), QPointF(-1, 0), 5);
        Arrow(p, QPointF(28, 16), QPointF(1, 0), 5);
    }
    p.fillRect(QRectF(c.x() - 1, c.y() - 1, 3, 3), Qt::black);
    return image;
}

// A direction cursor by its name: the arrows its name's letters point to.
QCursor PanningCursor(const QString &Name)
{
    const QString dirs = Name.mid(int(std::strlen("LT_MOVE")));
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(12.5, 12.5, 7, 7));
    auto arrow = [&](double dx, double dy) { Arrow(p, QPointF(16 + dx * 14, 16 + dy * 14), QPointF(dx, dy), 5); };
    if (dirs == QLatin1String("ALL")) {
        arrow(0, -1), arrow(0, 1), arrow(-1, 0), arrow(1, 0);
    } else if (dirs == QLatin1String("EW")) {
        arrow(-1, 0), arrow(1, 0);
    } else if (dirs == QLatin1String("NS")) {
        arrow(0, -1), arrow(0, 1);
    } else {
        double dx = 0, dy = 0;
        dy -= dirs.contains(QLatin1Char('N'));
        dy += dirs.contains(QLatin1Char('S'));
        dx += dirs.contains(QLatin1Char('E'));
        dx -= dirs.contains(QLatin1Char('W'));
        const double len = std::hypot(dx, dy);
        arrow(dx / len, dy / len);
    }
    return QCursor(QPixmap::fromImage(image), 16, 16);
}

// The panning window: a frameless tool window showing the compass picture; the key colour
// is cut away by its mask.
class TLTPanningWindow : public QWidget
{
public:
    TLTPanningWindow(QWidget *Owner, const QImage &Image)
        : QWidget(Owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus), FImage(Image)
    {
        setObjectName(QStringLiteral("LTPanningWindow"));
        setAttribute(Qt::WA_ShowWithoutActivating);
        setFixedSize(32, 32);
        if (FImage.isNull())
            throw ELazyTreeAssertion("Invalid wheel panning image.");
        QRegion region;
        for (int y = 0; y < FImage.height(); ++y) {
            int x = 0;
            while (x < FImage.width()) {
                while (x < FImage.width() && QColor(FImage.pixel(x, y)) == Fuchsia)
                    ++x;
                const int start = x;
                while (x < FImage.width() && QColor(FImage.pixel(x, y)) != Fuchsia)
                    ++x;
                if (x > start)
                    region += QRect(start, y, x - start, 1);
            }
        }
        setMask(region);
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter p(this);
        p.drawImage(0, 0, FImage);
    }

private:
    QImage FImage;
};

}   // namespace

// ---------------------------------------------------------------------------------------
// The wheel

void TBaseLazyTree::wheelEvent(QWheelEvent *Event)
{
    const QPoint angle = Event->angleDelta();
    const int delta = angle.y() != 0 ? angle.y() : angle.x();
    MouseWheel(delta, ShiftStateOf(Event->modifiers()), QApplication::wheelScrollLines());
    Event->accept();
}

void TBaseLazyTree::MouseWheel(int WheelDelta, TLTShiftState Shift, int Lines)
{
    StopPanning();
    const double factor = WheelDelta / 120.0;
    const bool page = Shift.Contains(ssCtrl) || Lines <= 0;
    if (ClientHeight() < int(FRangeY) && !Shift.Contains(ssShift)) {
        const double amount = page ? ClientHeight() * factor : Lines * factor * double(FDefaultNodeHeight);
        SetOffsetY(FOffsetY + int(amount));
        return;
    }
    TLazyTreeColumns &columns = FHeader->Columns();
    const double amount = page ? (ClientWidth() - columns.GetVisibleFixedWidth()) * factor
                               : double(columns.GetScrollWidth()) * Lines * factor;
    const int dx = int(amount);
    SetOffsetX(FOffsetX + (UseRightToLeftReading() ? -dx : dx));
}

// ---------------------------------------------------------------------------------------
// Panning

void TBaseLazyTree::StartPanning(QPoint Position)
{
    KillTreeTimer(ScrollTimer);
    DoStateChange({tsWheelPanning, tsWheelScrolling});
    const bool wide = int(FRangeX) > ClientWidth(), tall = int(FRangeY) > ClientHeight();
    delete FPanningWindow;
    FPanningWindow = new TLTPanningWindow(this, PanningImage(wide, tall || !wide));
    FPanningWindow->move(viewport()->mapToGlobal(Position) - QPoint(16, 16));
    FPanningWindow->show();
    setFocus(Qt::OtherFocusReason);
    UpdatePanningCursor(Position.x(), Position.y());
    SetTreeTimer(ScrollTimer, PanningInterval);
}

void TBaseLazyTree::StopPanning()
{
    if (!Panning(FStates))
        return;
    KillTreeTimer(ScrollTimer);
    DoStateChange({}, {tsWheelPanning, tsWheelScrolling});
    delete FPanningWindow;
    FPanningWindow = nullptr;
    FPanningCursorName.clear();
    FPanningCursorShape = Qt::ArrowCursor;
    viewport()->unsetCursor();
}

void TBaseLazyTree::UpdatePanningCursor(int X, int Y)
{
    const bool moved = std::abs(X - FLastClickPos.x()) > 7 || std::abs(Y - FLastClickPos.y()) > 7;
    const int dx = X - FLastClickPos.x(), dy = Y - FLastClickPos.y();
    const bool wide = int(FRangeX) > ClientWidth(), tall = int(FRangeY) > ClientHeight();
    const bool above = Y < FLastClickPos.y();
    const char *name;
    if (!moved) {
        name = !wide ? "LT_MOVENS" : tall ? "LT_MOVEALL" : "LT_MOVEEW";
    } else if (wide && tall) {
        if (dx < -PanningDeadZone)
            name = dy < -PanningDeadZone ? "LT_MOVENW" : dy <= PanningDeadZone ? "LT_MOVEW" : "LT_MOVESW";
        else if (dx <= PanningDeadZone)
            name = above ? "LT_MOVEN" : "LT_MOVES";
        else
            name = dy < -PanningDeadZone ? "LT_MOVENE" : dy <= PanningDeadZone ? "LT_MOVEE" : "LT_MOVESE";
    } else if (wide) {
        name = X < FLastClickPos.x() ? "LT_MOVEW" : "LT_MOVEE";
    } else {
        name = above ? "LT_MOVEN" : "LT_MOVES";
    }
    const QString n = QString::fromLatin1(name);
    if (n == FPanningCursorName)
        return;
    FPanningCursorName = n;
    const QCursor cursor = PanningCursor(n);
    FPanningCursorShape = cursor.shape();
    viewport()->setCursor(cursor);
}

// ---------------------------------------------------------------------------------------
// Automatic scrolling

int64_t TBaseLazyTree::TickCount() const
{
    return FTickClock ? FTickClock() : QDateTime::currentMSecsSinceEpoch();
}

QPoint TBaseLazyTree::GlobalCursorPos() const
{
    return QCursor::pos();
}

bool TBaseLazyTree::AutoScrollAllowed()
{
    const bool panning = Panning(FStates);
    return (panning || FOptions->AutoOptions().Contains(TLTAutoOption::toAutoScroll)) &&
           FHeader->States().Empty() &&
           (IsMouseSelecting() || IsDropTarget() || FStates.Contains(tsVCLDragging) || panning);
}

TLTScrollDirections TBaseLazyTree::ScrollDirectionsAt(int X, int Y)
{
    TLTScrollDirections result;
    if (!AutoScrollAllowed())
        return result;
    if (Panning(FStates)) {
        const int dx = X - FLastClickPos.x(), dy = Y - FLastClickPos.y();
        result.Set(sdRight, dx > PanningDeadZone);
        result.Set(sdLeft, dx < -PanningDeadZone);
        result.Set(sdUp, dy < -PanningDeadZone);
        result.Set(sdDown, dy > PanningDeadZone);
        return result;
    }
    const int d = int(FDefaultNodeHeight);
    const int w = ClientWidth(), h = ClientHeight();
    result.Set(sdLeft, X < d && FEffectiveOffsetX != 0);
    result.Set(sdRight, w + FEffectiveOffsetX < int(FRangeX) && X > w - d);
    result.Set(sdUp, Y < d && FOffsetY != 0);
    result.Set(sdDown, h - FOffsetY < int(FRangeY) && Y > h - d);
    if (result.Empty())
        return result;
    if (!IsDropTarget() && !viewport()->rect().contains(X, Y))
        return result;
    if (FDragScrollStart == 0)
        FDragScrollStart = TickCount();
    if (TickCount() - FDragScrollStart < int64_t(FAutoScrollDelay))
        return {};
    return result;
}

void TBaseLazyTree::ArmAutoScroll(int X, int Y)
{
    FScrollDirections = ScrollDirectionsAt(X, Y);
    if (Panning(FStates))
        return;
    const bool armed = FStates.Contains(tsScrollPending) || FStates.Contains(tsScrolling);
    if (FScrollDirections.Empty()) {
        if (armed) {
            KillTreeTimer(ScrollTimer);
            DoStateChange({}, {tsScrollPending, tsScrolling});
        }
    } else if (!armed) {
        DoStateChange({tsScrollPending});
        SetTreeTimer(ScrollTimer, int(FAutoScrollDelay));
    }
}

void TBaseLazyTree::AutoScrollStep()
{
    const QPoint p = GlobalCursorPos();
    const QPoint pc = viewport()->mapFromGlobal(p);
    const QRect client(viewport()->mapToGlobal(QPoint(0, 0)), viewport()->size());
    const bool inside = client.contains(p);
    const bool panning = Panning(FStates);
    const bool selecting = IsMouseSelecting();
    if (selecting || inside || panning) {
        int dx = 0, dy = 0;
        const int step = std::min(FScrollBarOptions->VerticalIncrement(), ClientHeight());
        const int stepX = FScrollBarOptions->HorizontalIncrement();
        if (FScrollDirections.Contains(sdUp)) {
            dy = panning ? FLastClickPos.y() - pc.y() - PanningDeadZone
                         : inside ? step : step * std::abs(client.top() - p.y());
            if (FOffsetY == 0)
                FScrollDirections.Exclude(sdUp);
        }
        if (FScrollDirections.Contains(sdDown)) {
            dy = panning ? FLastClickPos.y() - pc.y() + PanningDeadZone
                         : inside ? -step : -step * std::abs(p.y() - (client.top() + client.height()));
            if (ClientHeight() - FOffsetY == int(FRangeY))
                FScrollDirections.Exclude(sdDown);
        }
        if (FScrollDirections.Contains(sdLeft)) {
            dx = panning ? FLastClickPos.x() - pc.x() - PanningDeadZone
                         : inside ? stepX : std::abs(client.left() - p.x()) * stepX;
            if (FEffectiveOffsetX == 0)
                FScrollDirections.Exclude(sdLeft);
        }
        if (FScrollDirections.Contains(sdRight)) {
            dx = panning ? FLastClickPos.x() - pc.x() + PanningDeadZone
                         : inside ? -stepX : -stepX * std::abs(p.x() - (client.left() + client.width()));
            if (ClientWidth() + FEffectiveOffsetX == int(FRangeX))
                FScrollDirections.Exclude(sdRight);
        }
        if (UseRightToLeftReading())
            dx = -dx;
        const TOffsetChangeParts all{TOffsetChangePart::ocpRepaintHeader, TOffsetChangePart::ocpRepaintScrollBars,
                                     TOffsetChangePart::ocpScrollClient, TOffsetChangePart::ocpUpdateScrollBars};
        if (selecting) {
            const QRect clip = viewport()->rect().translated(dx, dy);
            ApplyScrollOffset(QPoint(FOffsetX + dx, FOffsetY + dy), all, &clip);
            // The band follows the pointer; what scrolled in repaints either way.
            if (CalculateSelRect(pc.x(), pc.y()))
                UpdateRubberBand();
            InvalidateTree();
        } else if (!IsDropTarget() && (dx != 0 || dy != 0)) {
            ApplyScrollOffset(QPoint(FOffsetX + dx, FOffsetY + dy), all);
        }
    }
    if (FScrollDirections.Empty() && !panning) {
        KillTreeTimer(ScrollTimer);
        DoStateChange({}, {tsScrolling, tsScrollPending});
    }
}

// ---------------------------------------------------------------------------------------
// Timers

bool TBaseLazyTree::InputTimerExpired(int Id)
{
    switch (Id) {
    case EditTimer:
        KillTreeTimer(EditTimer);
        if (FStates.Contains(tsEditPending))
            StartEditing();
        return true;
    case ScrollTimer:
        if (FStates.Contains(tsScrollPending)) {
            DoStateChange({tsScrolling}, {tsScrollPending, tsHint});
            SetTreeTimer(ScrollTimer, int(FAutoScrollInterval));
        }
        AutoScrollStep();
        return true;
    case SearchTimer:
        StopIncrementalSearch();
        return true;
    case 1:   // the drop target waited long enough
        ExpandDropTarget();
        return true;
    default: return false;
    }
}
