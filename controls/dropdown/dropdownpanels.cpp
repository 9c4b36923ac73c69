// Header and footer strips of the drop-down window.
#include "controls/dropdown/dropdownpanels.h"

#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/imagelist.h"
#include "grid/base/intlist.h"
#include "platform/canvas.h"

#include <QMouseEvent>
#include <QWindow>

// ---------------------------------------------------------------------------------------
// Button list
// ---------------------------------------------------------------------------------------

TDazButton *TDbgList::GetItemsEx(int Index) const
{
    if (Index >= Count() || Index < 0)
        throw EListError(Index < 0 ? "List index out of bounds"
                                   : "Index out of bounds in list read access");
    return FItems[size_t(Index)];
}

void TDbgList::SetItemsEx(int Index, TDazButton *Value)
{
    if (Index >= Count() || Index < 0)
        throw EListError(Index < 0 ? "List index out of bounds"
                                   : "Index out of bounds in list write access");
    FItems[size_t(Index)] = Value;
}

// ---------------------------------------------------------------------------------------
// Both panels
// ---------------------------------------------------------------------------------------

TDazDropDownPanel::TDazDropDownPanel(QWidget *Parent, TDropDownAppearance &Appearance,
                                     bool Footer)
    : QWidget(Parent), FAppearance(Appearance), FFooter(Footer)
{
}

void TDazDropDownPanel::Init()
{
    FAppearance.OnChange = [this](TObject *) { VisibilityUpdate(); };
}

TDazDropDownPanel::~TDazDropDownPanel()
{
    SetImages(nullptr);
}

void TDazDropDownPanel::VisibilityUpdate()
{
    setVisible(FAppearance.Visible());
    resize(width(), FAppearance.Height());
}

void TDazDropDownPanel::SetImages(TCustomImageList *Value)
{
    Rewatch<TCustomImageList>(this, FImages, Value);
}

void TDazDropDownPanel::Notification(TComponent *AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent == FImages)
        FImages = nullptr;
}

void TDazDropDownPanel::SetDazDropDown(TDazCustomDropDown *Value)
{
    FDazDropDown = Value;
    if (!Value) {
        SetImages(nullptr);
        return;
    }
    SetImages(Value->Images);
    FAppearance.Assign(&EditorAppearance());
}

void TDazDropDownPanel::ButtonClick(TObject *Sender)
{
    auto *button = dynamic_cast<TDazButton *>(Sender);
    if (!button || !FDazDropDown)
        return;
    const auto &event = FFooter ? FDazDropDown->OnDropDownFooterButtonClick
                                : FDazDropDown->OnDropDownHeaderButtonClick;
    if (event)
        event(FDazDropDown, button->Tag);
}

void TDazDropDownPanel::CreateButtons()
{
    if (!FDazDropDown)
        return;
    ClearButtons();
    const int limit = ButtonArea().Height();
    const TAppearanceButtons &items = EditorButtons();
    for (int i = 0; i < items.Count(); ++i) {
        const auto *item = static_cast<const TAppearanceButton *>(items.Items(i));
        auto *b = new TDazButton(this);
        b->Appearance = &FDazDropDown->ButtonAppearance();
        b->SetCaption(item->Caption());
        b->SetImages(FImages);
        b->ImageIndex = item->ImageIndex();
        b->setEnabled(item->Enabled());
        if (const auto *f = dynamic_cast<const TFooterButton *>(item)) {
            b->DazDropDown = FDazDropDown;
            b->ModalResult = f->ModalResult();
        }
        b->AutoSizeButton();
        if (item->Width() > 0)
            b->resize(item->Width(), b->height());
        if (item->Height() > 0)
            b->resize(b->width(), item->Height());
        if (b->height() > limit)
            b->resize(b->width(), limit);
        b->Tag = i;
        b->OnClick = [this](TObject *Sender) { ButtonClick(Sender); };
        b->show();
        FButtonList.Add(b);
    }
    ArrangeButtons();
}

void TDazDropDownPanel::ClearButtons()
{
    for (int i = FButtonList.Count() - 1; i >= 0; --i)
        delete FButtonList.GetItemsEx(i);
    FButtonList.Clear();
}

void TDazDropDownPanel::ArrangeButtons()
{
    if (!FFooter && FButtonList.Empty())
        return;
    const TRect a = ButtonArea();
    int x = FAppearance.ButtonAlignment() == baRight ? a.Right : a.Left;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TDazButton *b = FButtonList.GetItemsEx(i);
        const int top = std::max(a.Top, (a.Bottom - b->height()) / 2);
        if (FAppearance.ButtonAlignment() == baRight) {
            x -= b->width();
            b->move(x, top);
        } else {
            b->move(x, top);
            x += b->width();
        }
    }
}

void TDazDropDownPanel::UpdateButtons()
{
    if (!FDazDropDown)
        return;
    const TAppearanceButtons &items = EditorButtons();
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TDazButton *b = FButtonList.GetItemsEx(i);
        b->Appearance = &FDazDropDown->ButtonAppearance();
        b->SetImages(FImages);
        if (i < items.Count()) {
            const auto *item = static_cast<const TAppearanceButton *>(items.Items(i));
            b->SetCaption(item->Caption());
            b->ImageIndex = item->ImageIndex();
            b->setEnabled(item->Enabled());
        }
        b->AutoSizeButton();
    }
    ArrangeButtons();
}

void TDazDropDownPanel::resizeEvent(QResizeEvent *Event)
{
    QWidget::resizeEvent(Event);
    ArrangeButtons();
}

void TDazDropDownPanel::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    Paint(canvas);
}

void TDazDropDownPanel::Paint(TCanvas &Canvas)
{
    const TRect r(0, 0, width(), height());
    if (OnDrawBackGround) {
        OnDrawBackGround(this, Canvas, r);
        return;
    }
    const TDropDownAppearance &ap = FAppearance;
    if (ap.ColorTo() != clNone) {
        DrawDropDownGradient(Canvas, ap.Color(), ap.ColorTo(), 80, r,
                             ap.GradientDirection() == gdHorizontal);
    } else if (ap.Color() != clNone) {
        Canvas.Brush.Color = ap.Color();
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(r);
    }
    const int bw = ap.BorderWidth();
    if (ap.BorderColor() != clNone && bw > 0) {
        Canvas.Pen.Color = ap.BorderColor();
        Canvas.Pen.Width = bw;
        const bool frame = !FDazDropDown || FDazDropDown->DropDownBorderWidth <= 0 ||
                           FDazDropDown->DropDownBorderColor == clNone;
        if (!FFooter) {
            Canvas.MoveTo(r.Left, r.Bottom - 1);
            Canvas.LineTo(r.Right, r.Bottom - 1);
            if (frame) {
                Canvas.MoveTo(r.Left, r.Bottom - 1);
                Canvas.LineTo(r.Left, r.Top);
                Canvas.LineTo(r.Right, r.Top);
                Canvas.LineTo(r.Right, r.Bottom - 1);
            }
        } else {
            Canvas.MoveTo(r.Left, r.Top);
            Canvas.LineTo(r.Right, r.Top);
            if (frame) {
                Canvas.MoveTo(r.Left, r.Top);
                Canvas.LineTo(r.Left, r.Bottom);
                Canvas.LineTo(r.Right, r.Bottom);
                Canvas.LineTo(r.Right, r.Top);
            }
        }
        Canvas.Pen.Width = 1;
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = BlendColor(ap.BorderColor(), clWhite, 20);
        if (!FFooter)
            Canvas.Rectangle(r.Left, r.Top, r.Right, r.Bottom - bw);
        else
            Canvas.Rectangle(r.Left, r.Top + bw, r.Right, r.Bottom);
    }
    TRect t = r;
    InflateRect(t, -bw, -bw);
    if (ap.ImageIndex() >= 0 && FImages) {
        FImages->Draw(Canvas, t.Left + 4, t.Top + (t.Height() - FImages->Height()) / 2,
                      ap.ImageIndex());
        t.Left += FImages->Width() + 8;
    }
    QString text = ap.Caption();
    if (OnGetText)
        OnGetText(this, text);
    if (text.isEmpty())
        return;
    if (!FButtonList.Empty())
        t.Right = FButtonList.Last()->x() - 2;
    Canvas.Font = ap.Font().Value();
    QSize extent;
    DrawHtmlCaption(Canvas, text, t, FImages, false, this, extent);
    if (extent.height() < t.Height())
        t.Top += (t.Height() - extent.height()) / 2;
    DrawHtmlCaption(Canvas, text, t, FImages, true, this, extent);
}

// ---------------------------------------------------------------------------------------
// Header
// ---------------------------------------------------------------------------------------

TDazHeader::TDazHeader(QWidget *Parent)
    : TDazDropDownPanel(Parent, FOwnAppearance, false), FOwnAppearance(nullptr)
{
    Init();
    FOwnAppearance.OnButtonsChanged = [](TObject *) {};
}

const THeaderButtons *TDazHeader::Buttons() const
{
    return FDazDropDown ? &FDazDropDown->DropDownHeader().Buttons() : nullptr;
}

TRect TDazHeader::ButtonArea() const
{
    return TRect(2, 2, width() - 2, height() - 3);
}

const TDropDownAppearance &TDazHeader::EditorAppearance() const
{
    return FDazDropDown->DropDownHeader();
}

const TAppearanceButtons &TDazHeader::EditorButtons() const
{
    return FDazDropDown->DropDownHeader().Buttons();
}

// ---------------------------------------------------------------------------------------
// Footer
// ---------------------------------------------------------------------------------------

TDazFooter::TDazFooter(QWidget *Parent)
    : TDazDropDownPanel(Parent, FOwnAppearance, true), FOwnAppearance(nullptr)
{
    Init();
    setMouseTracking(true);   // the grip's cursor follows the mouse
}

const TFooterButtons *TDazFooter::Buttons() const
{
    return FDazDropDown ? &FDazDropDown->DropDownFooter().Buttons() : nullptr;
}

bool TDazFooter::SizeGripShown() const
{
    return FOwnAppearance.SizeGrip() && FDazDropDown && FDazDropDown->DropDownSizeable;
}

TRect TDazFooter::ButtonArea() const
{
    const int g = SizeGripShown() ? 12 : 0;
    return TRect(2, 2, width() - 2 - g, height() - 2);
}

bool TDazFooter::InGripZone(QPoint At) const
{
    return At.x() > width() - 12 && At.y() > height() - 15;
}

const TDropDownAppearance &TDazFooter::EditorAppearance() const
{
    return FDazDropDown->DropDownFooter();
}

const TAppearanceButtons &TDazFooter::EditorButtons() const
{
    return FDazDropDown->DropDownFooter().Buttons();
}

void TDazFooter::Paint(TCanvas &Canvas)
{
    TDazDropDownPanel::Paint(Canvas);
    if (OnDrawBackGround || !SizeGripShown())
        return;
    const TRect g(width() - BorderWidth - 16, 1, width() - BorderWidth - 1, height());
    static const int blocks[][2] = {{5, 2}, {9, 2}, {13, 2}, {13, 6}, {13, 10}, {9, 6}};
    auto fill = [&](TColor Color, int Shift) {
        Canvas.Pen.Color = Color;
        Canvas.Brush.Color = Color;
        Canvas.Brush.Style = bsSolid;
        for (const auto &b : blocks) {
            const int x = g.Left + b[0] - Shift, y = g.Bottom - b[1] - Shift;
            Canvas.FillRect(TRect(x, y - 2, x + 2, y));
        }
    };
    fill(clWhite, 0);
    fill(FOwnAppearance.BorderColor(), 1);
}

void TDazFooter::StartSizing()
{
    if (QWindow *w = window()->windowHandle())
        w->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
}

void TDazFooter::mousePressEvent(QMouseEvent *Event)
{
    if (SizeGripShown() && Event->button() == Qt::LeftButton && parentWidget() &&
        InGripZone(Event->position().toPoint()))
        StartSizing();
    else
        QWidget::mousePressEvent(Event);
}

void TDazFooter::mouseMoveEvent(QMouseEvent *Event)
{
    if (SizeGripShown() && parentWidget() && InGripZone(Event->position().toPoint())) {
        if (cursor().shape() != Qt::SizeFDiagCursor)
            setCursor(Qt::SizeFDiagCursor);
    } else {
        RestoreCursor();
    }
    QWidget::mouseMoveEvent(Event);
}

void TDazFooter::RestoreCursor()
{
    if (cursor().shape() != FOldCursor)
        setCursor(FOldCursor);
}

void TDazFooter::mouseReleaseEvent(QMouseEvent *Event)
{
    RestoreCursor();
    QWidget::mouseReleaseEvent(Event);
}

void TDazFooter::enterEvent(QEnterEvent *Event)
{
    if (cursor().shape() != Qt::SizeFDiagCursor)
        FOldCursor = cursor().shape();
    QWidget::enterEvent(Event);
}

void TDazFooter::leaveEvent(QEvent *Event)
{
    QWidget::leaveEvent(Event);
    RestoreCursor();
}
