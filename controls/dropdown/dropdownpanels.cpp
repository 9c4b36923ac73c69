#include "controls/dropdown/dropdownpanels.h"

#include "controls/dropdown/dropdownhelpers.h"
#include "grid/base/imagelist.h"
#include "grid/base/intlist.h"
#include "platform/canvas.h"

#include <QMouseEvent>
#include <QWindow>
#include <algorithm>

TDazButton *TDbgList::GetItemsEx(int Index) const
{
    if (Index >= Count() || Index < 0)
        throw EListError("Index out of bounds in list read access");
    return FItems[size_t(Index)];
}

void TDbgList::SetItemsEx(int Index, TDazButton *Value)
{
    if (Index >= Count() || Index < 0)
        throw EListError("Index out of bounds in list write access");
    FItems[size_t(Index)] = Value;
}

TDazDropDownPanel::TDazDropDownPanel(QWidget *Parent, bool Footer) : QWidget(Parent), FFooter(Footer) {}

void TDazDropDownPanel::AppearanceChanged()
{
    setVisible(Appearance().Visible());
    resize(width(), Appearance().Height());
}

void TDazDropDownPanel::SetDazDropDown(TDazDropDownHost *Value)
{
    FDazDropDown = Value;
    if (!Value) {
        FImages = nullptr;
        return;
    }
    FImages = Value->Images();
    Appearance().Assign(&EditorAppearance());
}

void TDazDropDownPanel::BuildButtons()
{
    if (FDazDropDown)
        CreateButtons();
}

TAppearanceButtons *TDazDropDownPanel::Buttons() const
{
    if (!FDazDropDown)
        return nullptr;
    return FFooter ? static_cast<TAppearanceButtons *>(&FDazDropDown->DropDownFooter().Buttons())
                   : static_cast<TAppearanceButtons *>(&FDazDropDown->DropDownHeader().Buttons());
}

TRect TDazDropDownPanel::ButtonArea() const
{
    return TRect(2, 2, width() - 2, height() - 3);
}

void TDazDropDownPanel::CreateButtons()
{
    if (!FDazDropDown)
        return;
    ClearButtons();
    const TRect area = ButtonArea();
    const int limit = area.Height();
    TAppearanceButtons *items = Buttons();
    for (int i = 0; i < items->Count(); ++i) {
        const auto *item = static_cast<const TAppearanceButton *>(items->Items(i));
        auto *b = new TDazButton(this);
        b->FAppearance = &FDazDropDown->ButtonAppearance();
        b->SetCaption(item->Caption());
        b->FImages = FImages;
        b->FImageIndex = item->ImageIndex();
        b->setEnabled(item->Enabled());
        if (FFooter) {
            b->FDazDropDown = FDazDropDown;
            b->FModalResult = static_cast<const TFooterButton *>(item)->ModalResult();
        }
        b->AutoSizeButton();
        if (item->Width() > 0)
            b->resize(item->Width(), b->height());
        if (item->Height() > 0)
            b->resize(b->width(), item->Height());
        if (b->height() > limit)
            b->resize(b->width(), limit);
        b->Tag = i;
        b->OnClick = [this](TDazButton *sender) { ButtonClick(sender); };
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
    const TRect a = ButtonArea();
    const bool right = Appearance().ButtonAlignment() == baRight;
    int x = right ? a.Right : a.Left;
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TDazButton *b = FButtonList.GetItemsEx(i);
        const int top = std::max(a.Top, (a.Bottom - b->height()) / 2);
        if (right) {
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
    TAppearanceButtons *items = Buttons();
    for (int i = 0; i < FButtonList.Count(); ++i) {
        TDazButton *b = FButtonList.GetItemsEx(i);
        b->FAppearance = &FDazDropDown->ButtonAppearance();
        b->FImages = FImages;
        if (i < items->Count()) {
            const auto *item = static_cast<const TAppearanceButton *>(items->Items(i));
            b->SetCaption(item->Caption());
            b->FImageIndex = item->ImageIndex();
            b->setEnabled(item->Enabled());
        }
        b->AutoSizeButton();
    }
    ArrangeButtons();
}

void TDazDropDownPanel::ButtonClick(TDazButton *Sender)
{
    if (!FDazDropDown)
        return;
    const auto &event = FFooter ? FDazDropDown->OnDropDownFooterButtonClick : FDazDropDown->OnDropDownHeaderButtonClick;
    if (event)
        event(FDazDropDown, Sender->Tag);
}

void TDazDropDownPanel::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    ArrangeButtons();
}

void TDazDropDownPanel::PaintBorder(TCanvas &Canvas, const TRect &R)
{
    const TDropDownAppearance &ap = Appearance();
    const int bw = ap.BorderWidth();
    Canvas.Pen.Color = ap.BorderColor();
    Canvas.Pen.Width = bw;
    const bool frame = !FDazDropDown || FDazDropDown->DropDownBorderWidth() <= 0 ||
                       FDazDropDown->DropDownBorderColor() == clNone;
    const auto line = [&Canvas](int x1, int y1, int x2, int y2) {
        Canvas.MoveTo(x1, y1);
        Canvas.LineTo(x2, y2);
    };
    if (!FFooter) {
        line(R.Left, R.Bottom - 1, R.Right, R.Bottom - 1);
        if (frame) {
            line(R.Left, R.Bottom - 1, R.Left, R.Top);
            line(R.Left, R.Top, R.Right, R.Top);
            line(R.Right, R.Top, R.Right, R.Bottom - 1);
        }
    } else {
        line(R.Left, R.Top, R.Right, R.Top);
        if (frame) {
            line(R.Left, R.Top, R.Left, R.Bottom);
            line(R.Left, R.Bottom, R.Right, R.Bottom);
            line(R.Right, R.Bottom, R.Right, R.Top);
        }
    }
    // The inner highlight: 20 % border colour on white.
    Canvas.Pen.Width = 1;
    Canvas.Brush.Style = bsClear;
    Canvas.Pen.Color = BlendColor(ap.BorderColor(), clWhite, 20);
    TRect inner = R;
    if (FFooter)
        inner.Top += bw;
    else
        inner.Bottom -= bw;
    Canvas.Rectangle(inner);
}

void TDazDropDownPanel::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    const TRect R(0, 0, width(), height());
    if (OnDrawBackGround) {
        OnDrawBackGround(this, canvas, R);
        return;
    }
    const TDropDownAppearance &ap = Appearance();
    if (ap.ColorTo() != clNone) {
        DrawDropDownGradient(canvas, ap.Color(), ap.ColorTo(), 80, R, ap.GradientDirection() == gdHorizontal);
    } else if (ap.Color() != clNone) {
        canvas.Brush.Style = bsSolid;
        canvas.Brush.Color = ap.Color();
        canvas.FillRect(R);
    }
    if (ap.BorderColor() != clNone && ap.BorderWidth() > 0)
        PaintBorder(canvas, R);

    TRect T = R;
    T.Left += ap.BorderWidth(), T.Top += ap.BorderWidth();
    T.Right -= ap.BorderWidth(), T.Bottom -= ap.BorderWidth();
    if (ap.ImageIndex() >= 0 && FImages) {
        FImages->Draw(canvas, T.Left + 4, T.Top + (T.Height() - FImages->Height()) / 2, ap.ImageIndex());
        T.Left += FImages->Width() + 8;
    }
    QString text = ap.Caption();
    if (OnGetText)
        OnGetText(this, text);
    if (!text.isEmpty()) {
        if (FButtonList.Count() > 0)
            T.Right = FButtonList.GetItemsEx(FButtonList.Count() - 1)->x() - 2;
        canvas.Font = ap.Font().Value();
        QSize extent;
        DrawHtmlCaption(canvas, text, T, FImages, false, this, extent);
        if (extent.height() < T.Height())
            T.Top += (T.Height() - extent.height()) / 2;
        DrawHtmlCaption(canvas, text, T, FImages, true, this, extent);
    }
    PaintGrip(canvas);
}

TDazHeader::TDazHeader(QWidget *Parent) : TDazDropDownPanel(Parent, false), FAppearance(nullptr)
{
    FAppearance.OnChange = [this](TObject *) { AppearanceChanged(); };
    FAppearance.OnButtonsChanged = [](TObject *) {};
}

TDropDownAppearance &TDazHeader::EditorAppearance()
{
    return FDazDropDown->DropDownHeader();
}

TDazFooter::TDazFooter(QWidget *Parent) : TDazDropDownPanel(Parent, true), FAppearance(nullptr)
{
    FAppearance.OnChange = [this](TObject *) { AppearanceChanged(); };
    setMouseTracking(true);
}

TDropDownAppearance &TDazFooter::EditorAppearance()
{
    return FDazDropDown->DropDownFooter();
}

bool TDazFooter::GripShown() const
{
    return FAppearance.SizeGrip() && FDazDropDown && FDazDropDown->DropDownSizeable();
}

TRect TDazFooter::ButtonArea() const
{
    const int g = GripShown() ? 12 : 0;
    return TRect(2, 2, width() - 2 - g, height() - 2);
}

TRect TDazFooter::GripRect() const
{
    // The panel's own border width: nothing in the strips sets one, so it is 0.
    return TRect(width() - 16, 1, width() - 1, height());
}

bool TDazFooter::InGripZone(const QPoint &P) const
{
    return P.x() > width() - 12 && P.y() > height() - 15;
}

void TDazFooter::PaintGrip(TCanvas &Canvas)
{
    if (!GripShown())
        return;
    const TRect G = GripRect();
    static const int Blocks[][2] = {{5, 2}, {9, 2}, {13, 2}, {13, 6}, {13, 10}, {9, 6}};
    const auto blocks = [&](TColor color, int dx, int dy) {
        Canvas.Pen.Color = color;
        Canvas.Brush.Style = bsSolid;
        Canvas.Brush.Color = color;
        for (const auto &b : Blocks) {
            const int a = b[0] + dx, d = b[1] + dy;
            Canvas.FillRect(TRect(G.Left + a, G.Bottom - d - 2, G.Left + a + 2, G.Bottom - d));
        }
    };
    blocks(clWhite, 0, 0);
    blocks(FAppearance.BorderColor(), -1, 1);
}

void TDazFooter::StartSizing()
{
    if (QWindow *w = window()->windowHandle())
        w->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
}

void TDazFooter::mousePressEvent(QMouseEvent *event)
{
    QWidget::mousePressEvent(event);
    if (GripShown() && event->button() == Qt::LeftButton && parentWidget() &&
        InGripZone(event->position().toPoint()))
        StartSizing();
}

void TDazFooter::mouseMoveEvent(QMouseEvent *event)
{
    QWidget::mouseMoveEvent(event);
    if (GripShown() && parentWidget() && InGripZone(event->position().toPoint())) {
        if (!FSizingCursor) {
            FSizingCursor = true;
            setCursor(Qt::SizeFDiagCursor);
        }
    } else {
        RestoreCursor();
    }
}

void TDazFooter::mouseReleaseEvent(QMouseEvent *event)
{
    QWidget::mouseReleaseEvent(event);
    RestoreCursor();
}

void TDazFooter::leaveEvent(QEvent *event)
{
    QWidget::leaveEvent(event);
    RestoreCursor();
}

void TDazFooter::RestoreCursor()
{
    if (!FSizingCursor)
        return;
    FSizingCursor = false;
    unsetCursor();
}
