// The drop-down window.
#include "controls/dropdown/dropdownform.h"

#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/dropdownhelpers.h"
#include "controls/dropdown/dropdownpanels.h"
#include "controls/dropdown/dropdownscreen.h"
#include "platform/canvas.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>

TDropDownForm::TDropDownForm(QWidget *Owner)
    : QWidget(Owner, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating, false);
    setMouseTracking(true);   // the sizing corner's cursor
}

int TDropDownForm::BorderWidth() const
{
    return FDazDropDown ? FDazDropDown->DropDownBorderWidth : 0;
}

void TDropDownForm::InitializeAndUpdate()
{
    if (!FDazDropDown)
        return;
    auto link = [this](auto *&Panel, auto &Appearance, auto Draw, auto GetText) {
        using TPanel = std::remove_pointer_t<std::remove_reference_t<decltype(Panel)>>;
        if (!Panel && Appearance.Visible()) {
            Panel = new TPanel(this);
            Panel->resize(width(), Appearance.Height());
        }
        if (!Panel)
            return;
        Panel->SetDazDropDown(FDazDropDown);
        Panel->BuildButtons();
        Panel->setVisible(Appearance.Visible());
        Panel->OnDrawBackGround = Draw;
        Panel->OnGetText = GetText;
        Panel->update();
    };
    link(FHeader, FDazDropDown->DropDownHeader(), FDazDropDown->OnDrawHeader,
         FDazDropDown->OnGetHeaderText);
    link(FFooter, FDazDropDown->DropDownFooter(), FDazDropDown->OnDrawFooter,
         FDazDropDown->OnGetFooterText);
    LayoutChildren();
}

void TDropDownForm::SetControl(QWidget *Control)
{
    FControl = Control;
    if (Control) {
        Control->setParent(this);
        Control->show();
    }
    LayoutChildren();
}

void TDropDownForm::LayoutChildren()
{
    const int bw = BorderWidth();
    QRect client = rect().adjusted(bw, bw, -bw, -bw);
    if (FHeader && !FHeader->isHidden()) {
        FHeader->setGeometry(client.left(), client.top(), client.width(), FHeader->height());
        client.setTop(client.top() + FHeader->height());
    }
    if (FFooter && !FFooter->isHidden()) {
        FFooter->setGeometry(client.left(), client.bottom() + 1 - FFooter->height(),
                             client.width(), FFooter->height());
        client.setBottom(client.bottom() - FFooter->height());
    }
    if (FControl)
        FControl->setGeometry(client);   // aligned to what header and footer leave
}

void TDropDownForm::DrawBackground(TCanvas &Canvas)
{
    if (!FDazDropDown)
        return;
    const TDazCustomDropDown &e = *FDazDropDown;
    const int bw = e.DropDownBorderWidth;
    TRect r(0, 0, width(), height());
    InflateRect(r, -bw, -bw);
    if (e.DropDownColor != clNone && e.DropDownColorTo != clNone) {
        DrawDropDownGradient(Canvas, e.DropDownColor, e.DropDownColorTo, 80, r,
                             e.DropDownGradient == gdHorizontal);
    } else if (e.DropDownColor != clNone) {
        Canvas.Brush.Color = e.DropDownColor;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(r);
    }
    if (bw > 0 && e.DropDownBorderColor != clNone) {
        const TRect o(bw / 2, bw / 2, width(), height());
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = e.DropDownBorderColor;
        Canvas.Pen.Width = bw;
        Canvas.Rectangle(o);
        Canvas.Pen.Width = 1;
    }
}

void TDropDownForm::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    DrawBackground(canvas);
}

void TDropDownForm::resizeEvent(QResizeEvent *Event)
{
    QWidget::resizeEvent(Event);
    LayoutChildren();
    if (OnSizing && isVisible())
        OnSizing(this);
}

void TDropDownForm::Deactivated(QWidget *NewActive)
{
    if (BlockActivate || !isVisible())
        return;
    FDeActivate = DropDownScreen().TickCount();
    for (QWidget *w = NewActive; w; w = w->parentWidget())
        if (w == this)
            return;
    if (FDazDropDown)
        FDazDropDown->DoHideDropDown(CancelOnDeActivate);
    else
        hide();
}

void TDropDownForm::changeEvent(QEvent *Event)
{
    QWidget::changeEvent(Event);
    if (Event->type() == QEvent::ActivationChange && !isActiveWindow())
        Deactivated(QApplication::activeWindow());
}

void TDropDownForm::hideEvent(QHideEvent *Event)
{
    QWidget::hideEvent(Event);
    if (OnHide)
        OnHide(this);
}

bool TDropDownForm::InSizingCorner(QPoint At) const
{
    return Sizeable && At.x() > width() - 10 && At.y() > height() - 10;
}

void TDropDownForm::mousePressEvent(QMouseEvent *Event)
{
    if (Event->button() == Qt::LeftButton && InSizingCorner(Event->position().toPoint()))
        if (QWindow *w = windowHandle())
            w->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
}

void TDropDownForm::mouseMoveEvent(QMouseEvent *Event)
{
    const bool corner = InSizingCorner(Event->position().toPoint());
    if (corner != (cursor().shape() == Qt::SizeFDiagCursor))
        setCursor(corner ? Qt::SizeFDiagCursor : Qt::ArrowCursor);
    QWidget::mouseMoveEvent(Event);
}

void TDropDownForm::wheelEvent(QWheelEvent *Event)
{
    if (OnWheel)
        OnWheel(Event->angleDelta().y());
    Event->accept();
}
