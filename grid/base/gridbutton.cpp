#include "grid/base/gridbutton.h"

#include "grid/base/drawroutines.h"
#include "platform/rtl.h"

#include <QEnterEvent>
#include <QEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QStyleOption>
#include <cmath>

void FillBandGradient(TCanvas &Canvas, TColor FromColor, TColor ToColor, TColor Frame, int Bands,
                      const TRect &R, bool Horizontal)
{
    const int n = std::max(1, Bands);
    const double h = double(Horizontal ? R.Width() : R.Height()) / n;
    const int len = int(Round(h)) + 1;
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Style = psSolid;
    Canvas.Pen.Width = 1;
    for (int i = 0; i < n; ++i) {
        const TColor c = InterpolateColor(FromColor, ToColor, 0, n, i);
        Canvas.Brush.Color = c;
        Canvas.Pen.Color = c;
        const int o = int(Round(i * h));
        if (Horizontal)
            Canvas.Rectangle(R.Left + o, R.Top, R.Left + o + len, R.Bottom);
        else
            Canvas.Rectangle(R.Left, R.Top + o, R.Right, R.Top + o + len);
    }
    if (Frame != clNone) {
        Canvas.Brush.Style = bsClear;
        Canvas.Pen.Color = Frame;
        Canvas.Rectangle(R);
        Canvas.Brush.Style = bsSolid;
    }
}

// ---- action link ------------------------------------------------------------------------

namespace {

int ActionGroupIndex(const QAction *action)
{
    return action->property("GroupIndex").toInt();
}

} // namespace

TDazGridButtonActionLink::TDazGridButtonActionLink(TDazGridButton *Client, QAction *Action)
    : FClient(Client), FAction(Action), FCaption(Action->text()), FChecked(Action->isChecked()),
      FGroupIndex(ActionGroupIndex(Action))
{
    connect(Action, &QAction::changed, this, [this] { ActionChanged(); });
    connect(Action, &QAction::toggled, this, [this] { ActionChanged(); });
    Action->installEventFilter(this);
}

bool TDazGridButtonActionLink::IsCaptionLinked() const
{
    return FAction && FClient->Caption() == FCaption;
}

bool TDazGridButtonActionLink::IsCheckedLinked() const
{
    return FAction && FClient->GroupIndex() != 0 && FClient->AllowAllUp() && FClient->Down() == FChecked;
}

bool TDazGridButtonActionLink::IsGroupIndexLinked() const
{
    return FAction && FClient->GroupIndex() == FGroupIndex;
}

void TDazGridButtonActionLink::SetCaption(const QString &Value)
{
    if (IsCaptionLinked())
        FClient->SetCaption(Value);
    FCaption = Value;
}

void TDazGridButtonActionLink::SetChecked(bool Value)
{
    if (IsCheckedLinked())
        FClient->SetDown(Value);
    FChecked = Value;
}

void TDazGridButtonActionLink::SetGroupIndex(int Value)
{
    if (IsGroupIndexLinked())
        FClient->SetGroupIndex(Value);
    FGroupIndex = Value;
}

bool TDazGridButtonActionLink::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FAction && Event->type() == QEvent::DynamicPropertyChange)
        ActionChanged();
    return false;
}

// The action tells only that something changed: compare with what it held before.
void TDazGridButtonActionLink::ActionChanged()
{
    if (!FAction)
        return;
    if (FAction->text() != FCaption)
        SetCaption(FAction->text());
    if (FAction->isChecked() != FChecked)
        SetChecked(FAction->isChecked());
    if (ActionGroupIndex(FAction) != FGroupIndex)
        SetGroupIndex(ActionGroupIndex(FAction));
}

// ---- button -----------------------------------------------------------------------------

namespace {

TColor TransparentColorOf(const QImage &image)
{
    return FromQColor(image.pixelColor(0, image.height() - 1));
}

} // namespace

TDazGridButton::TDazGridButton(QWidget *AOwner) : QWidget(AOwner)
{
    FFont = TFont::FromQFont(font(), clWindowText);
    resize(22, 23);
    setAttribute(Qt::WA_Hover);
    FShortcut = new QShortcut(this);
    connect(FShortcut, &QShortcut::activated, this, [this] { Accelerator(); });
}

TDazGridButton::~TDazGridButton() = default;

bool TDazGridButton::Hovered() const
{
    return FMouseInControl && isEnabled();
}

void TDazGridButton::SetGroupIndex(int Value)
{
    if (FGroupIndex != Value) {
        FGroupIndex = Value;
        NotifyGroup();
    }
}

void TDazGridButton::SetGlyph(const QImage &Value)
{
    FGlyph = Value.isNull() ? QImage() : Value.convertToFormat(QImage::Format_RGB32);
    if (FGlyphDisabled.isNull() && !FGlyph.isNull()) {
        QImage grey = FGlyph;
        for (int y = 0; y < grey.height(); ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(grey.scanLine(y));
            for (int x = 0; x < grey.width(); ++x) {
                const int g = 96 + (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3 / 2;
                line[x] = qRgb(g, g, g);
            }
        }
        FGlyphDisabled = grey;
    }
    update();
}

void TDazGridButton::BuildGlyphShade()
{
    if (FGlyph.isNull()) {
        FGlyphShade = QImage();
        return;
    }
    FGlyphShade = FGlyph;
    const QRgb key = FGlyph.pixel(0, FGlyph.height() - 1);
    for (int y = 0; y < FGlyphShade.height(); ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(FGlyphShade.scanLine(y));
        for (int x = 0; x < FGlyphShade.width(); ++x)
            if (line[x] != key)
                line[x] = qRgb(0x80, 0x80, 0x80);
    }
}

void TDazGridButton::SetDown(bool Value)
{
    if (FGroupIndex == 0 && FStyle == tasButton)
        Value = false;
    if (FStyle == tasCheck) {
        FDown = Value;
        update();
        return;
    }
    if (Value == FDown || (FDown && !FAllowAllUp))
        return;
    FDown = Value;
    if (Value) {
        FState = bsExclusive;
        update();
        NotifyGroup();
    } else {
        FState = bsUp;
        update();
    }
}

void TDazGridButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp != Value) {
        FAllowAllUp = Value;
        NotifyGroup();
    }
}

void TDazGridButton::NotifyGroup()
{
    if (FGroupIndex == 0 || !parentWidget())
        return;
    for (QObject *child : parentWidget()->children())
        if (auto *button = dynamic_cast<TDazGridButton *>(child))
            button->ButtonPressed(FGroupIndex, this);
}

void TDazGridButton::ButtonPressed(int Group, TDazGridButton *Sender)
{
    if (Group != FGroupIndex || Sender == this)
        return;
    if (Sender->Down() && FDown) {
        FDown = false;
        FState = bsUp;
        if (QAction *action = Action())
            action->setChecked(false);
        update();
    }
    FAllowAllUp = Sender->AllowAllUp();
}

void TDazGridButton::SetLayout(TButtonLayout Value)
{
    if (FLayout != Value) {
        FLayout = Value;
        update();
    }
}

void TDazGridButton::SetSpacing(int Value)
{
    if (FSpacing != Value) {
        FSpacing = Value;
        update();
    }
}

void TDazGridButton::SetMargin(int Value)
{
    if (Value != FMargin && Value >= -1) {
        FMargin = Value;
        update();
    }
}

void TDazGridButton::SetFlat(bool Value)
{
    if (FFlat != Value) {
        FFlat = Value;
        update();
    }
}

void TDazGridButton::SetColorAndRepaint(TColor &Field, TColor Value)
{
    Field = Value;
    update();
}

void TDazGridButton::SetColor(TColor Value) { SetColorAndRepaint(FColor, Value); }
void TDazGridButton::SetColorTo(TColor Value) { SetColorAndRepaint(FColorTo, Value); }
void TDazGridButton::SetColorHot(TColor Value) { SetColorAndRepaint(FColorHot, Value); }
void TDazGridButton::SetColorHotTo(TColor Value) { SetColorAndRepaint(FColorHotTo, Value); }
void TDazGridButton::SetColorDown(TColor Value) { SetColorAndRepaint(FColorDown, Value); }
void TDazGridButton::SetColorDownTo(TColor Value) { SetColorAndRepaint(FColorDownTo, Value); }
void TDazGridButton::SetColorChecked(TColor Value) { SetColorAndRepaint(FColorChecked, Value); }
void TDazGridButton::SetColorCheckedTo(TColor Value) { SetColorAndRepaint(FColorCheckedTo, Value); }
void TDazGridButton::SetBorderColor(TColor Value) { SetColorAndRepaint(FBorderColor, Value); }
void TDazGridButton::SetBorderDownColor(TColor Value) { SetColorAndRepaint(FBorderDownColor, Value); }
void TDazGridButton::SetBorderHotColor(TColor Value) { SetColorAndRepaint(FBorderHotColor, Value); }

void TDazGridButton::SetGlyphDisabled(const QImage &Value)
{
    FGlyphDisabled = Value.isNull() ? QImage() : Value.convertToFormat(QImage::Format_RGB32);
}

void TDazGridButton::SetGlyphHot(const QImage &Value)
{
    FGlyphHot = Value.isNull() ? QImage() : Value.convertToFormat(QImage::Format_RGB32);
}

void TDazGridButton::SetGlyphDown(const QImage &Value)
{
    FGlyphDown = Value.isNull() ? QImage() : Value.convertToFormat(QImage::Format_RGB32);
}

void TDazGridButton::SetShaded(bool Value)
{
    FShaded = Value;
    if (Value)
        BuildGlyphShade();
}

void TDazGridButton::SetStyle(TDazGridButtonStyle Value)
{
    FStyle = Value;
    update();
}

void TDazGridButton::SetLook(int Value)
{
    struct TLookColors {
        TColor Color, ColorTo, Hot, HotTo, Down, DownTo, Checked, CheckedTo, BorderDown, BorderHot;
    };
    static constexpr TLookColors looks[7] = {
        {0xEDF1F1, 0xDFEBEB, 0xFAFCFC, 0xE5ECED, 0xE0E6E7, 0xD8E0E1, 0xFFFFFF, clNone, 0xAF987A, 0xC3CECE},
        {clBtnFace, clNone, 0xEED2C1, clNone, 0xE2B598, clNone, 0xE8E6E1, clNone, 0xC56A31, 0xC56A31},
        {0xFDEADA, 0xE4AE88, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 5615103, 0x000000, 0x000000},
        {0xCFF0EA, 0x8CC0B1, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 5615103, 0x000000, 0x000000},
        {0xECE2E1, 0xB39698, 0xCCF4FF, 0x91D0FF, 0x4E91FE, 0x8ED3FF, 0x8ED3FF, 5615103, 0x000000, 0x000000},
        {clBtnFace, clNone, clBtnFace, clNone, 0xD8D3D2, clNone, 0xCAC7C7, clNone, clNone, clNone},
        {0xCAFFFF, 0xA6FFFF, 0xA8F0FD, 0x7CE9FC, 0x4DE0FB, 0x7AE9FC, 0xB5E6F2, 0x9CDDED, 0x808080, 0x808080},
    };
    if (Value < 0 || Value > 6)
        return;
    const TLookColors &l = looks[Value];
    FLook = Value;
    FColor = l.Color;
    FColorTo = l.ColorTo;
    FColorHot = l.Hot;
    FColorHotTo = l.HotTo;
    FColorDown = l.Down;
    FColorDownTo = l.DownTo;
    FColorChecked = l.Checked;
    FColorCheckedTo = l.CheckedTo;
    FBorderDownColor = l.BorderDown;
    FBorderHotColor = l.BorderHot;
    FBorderColor = clNone;
    FFlat = true;
    FRounded = Value == 0;
    update();
}

void TDazGridButton::SetRounded(bool Value)
{
    FRounded = Value;
    update();
}

void TDazGridButton::SetDropDownButton(bool Value)
{
    FDropDownButton = Value;
    update();
}

void TDazGridButton::SetAutoThemeAdapt(bool Value)
{
    FAutoThemeAdapt = Value;
    if (Value)
        ThemeAdapt();
}

void TDazGridButton::SetAutoXPStyle(bool Value)
{
    FAutoXPStyle = Value;
    update();
}

QMenu *TDazGridButton::DropDownMenu() const
{
    return FDropDownMenu;
}

void TDazGridButton::SetDropDownMenu(QMenu *Value)
{
    FDropDownMenu = Value;
}

void TDazGridButton::SetShowCaption(bool Value)
{
    if (FShowCaption != Value) {
        FShowCaption = Value;
        update();
    }
}

void TDazGridButton::SetCaption(const QString &Value)
{
    FCaption = Value;
    FShortcut->setKey(QKeySequence::mnemonic(Value));
    update();
}

void TDazGridButton::SetFont(const TFont &Value)
{
    FFont = Value;
    update();
}

QAction *TDazGridButton::Action() const
{
    return FActionLink ? FActionLink->Action() : nullptr;
}

void TDazGridButton::SetAction(QAction *Value)
{
    FActionLink.reset();
    if (!Value)
        return;
    FActionLink = std::make_unique<TDazGridButtonActionLink>(this, Value);
    SetCaption(Value->text());
    setEnabled(Value->isEnabled());
}

int TDazGridButton::LookForColorScheme(const QString &Scheme)
{
    if (Scheme == QLatin1String("NormalColor"))
        return 2;
    if (Scheme == QLatin1String("HomeStead"))
        return 3;
    if (Scheme == QLatin1String("Metallic"))
        return 4;
    return 1;
}

// There are no Windows XP visual styles here, so the scheme is always the unthemed one.
void TDazGridButton::ThemeAdapt()
{
    SetLook(LookForColorScheme(QString()));
}

void TDazGridButton::Loaded()
{
    if (FShaded)
        BuildGlyphShade();
    if (FAutoThemeAdapt)
        ThemeAdapt();
}

void TDazGridButton::Click()
{
    if (OnClick)
        OnClick(this);
    else if (QAction *action = Action())
        action->trigger();
}

void TDazGridButton::Accelerator()
{
    if (isEnabled() && isVisible() && parentWidget() && parentWidget()->isVisible())
        Click();
}

// ---- painting ---------------------------------------------------------------------------

void TDazGridButton::UpdateState()
{
    if (!isEnabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = FDown && FGroupIndex != 0 ? bsExclusive : bsUp;
    }
    if (FStyle == tasCheck && FDown)
        FState = bsDown;
}

// A 16-band gradient framed in Frame, or a rectangle outlined in Frame (in the face colour
// when Frame is clNone).
void TDazGridButton::PaintFrame(TCanvas &Canvas, TColor Face, TColor FaceTo, TColor Frame,
                                const TRect &R)
{
    if (FaceTo != clNone) {
        FillBandGradient(Canvas, Face, FaceTo, Frame, 16, R, false);
        return;
    }
    Canvas.Brush.Color = Face;
    Canvas.Brush.Style = bsSolid;
    Canvas.Pen.Color = Frame == clNone ? Face : Frame;
    Canvas.Pen.Style = psSolid;
    Canvas.Rectangle(R);
}

void TDazGridButton::PaintStandard(TCanvas &Canvas, TRect &R)
{
    QStyleOptionButton opt;
    opt.initFrom(this);
    opt.rect = R.ToQRect();
    opt.state &= ~(QStyle::State_MouseOver | QStyle::State_HasFocus);
    if (FState == bsDown || FState == bsExclusive)
        opt.state |= QStyle::State_Sunken | QStyle::State_On;
    else
        opt.state |= QStyle::State_Raised;
    if (FAutoXPStyle && FMouseInControl)
        opt.state |= QStyle::State_MouseOver;
    Canvas.Save();
    style()->drawControl(QStyle::CE_PushButtonBevel, &opt, Canvas.Painter(), this);
    Canvas.Restore();
    // The classic button leaves its face inside a two-pixel edge.
    if (!FAutoXPStyle)
        InflateRect(R, -2, -2);
}

void TDazGridButton::Paint(TCanvas &Canvas)
{
    UpdateState();
    TRect r(0, 0, width(), height());
    Canvas.Font = FFont;
    const bool hovered = Hovered();
    if (FFlat) {
        if (FBorderDownColor == clNone || FRounded)
            InflateRect(r, -1, -1);
        Canvas.Pen.Width = 1;
        Canvas.Pen.Style = psSolid;
        Canvas.Brush.Style = bsSolid;
        if (!hovered) {
            if (FStyle == tasCheck && FDown) {
                PaintFrame(Canvas, FColorChecked, FColorCheckedTo, FBorderDownColor, r);
            } else {
                if (FColorTo != clNone) {
                    FillBandGradient(Canvas, FColor, FColorTo,
                                     FRounded ? clNone : FDown ? FBorderDownColor : FBorderColor, 16,
                                     r, false);
                } else {
                    Canvas.Brush.Color = ColorToRGB(FColor);
                    Canvas.FillRect(r);
                }
                if (FBorderColor != clNone) {
                    Canvas.Brush.Style = bsClear;
                    Canvas.Pen.Color = FBorderColor;
                    if (FRounded) {
                        InflateRect(r, 1, 1);
                        Canvas.RoundRect(r.Left, r.Top, r.Right, r.Bottom, 8, 8);
                    } else {
                        Canvas.Rectangle(r);
                    }
                    Canvas.Brush.Style = bsSolid;
                }
            }
        } else {
            TColor face = FColorHot, faceTo = FColorHotTo, frame = FBorderHotColor;
            if (FState == bsDown) {
                face = FColorDown;
                faceTo = FColorDownTo;
                frame = FBorderDownColor;
            }
            if (FStyle == tasCheck && FDown && FState != bsDown) {
                face = FColorChecked;
                faceTo = FColorCheckedTo;
                frame = FBorderDownColor;
            }
            PaintFrame(Canvas, face, faceTo, FRounded ? clNone : frame, r);
            if (FRounded) {
                InflateRect(r, 1, 1);
                const TColor border = FState == bsDown ? FBorderDownColor : FBorderHotColor;
                if (border != clNone) {
                    Canvas.Brush.Style = bsClear;
                    Canvas.Pen.Color = border;
                    Canvas.RoundRect(r.Left, r.Top, r.Right, r.Bottom, 8, 8);
                    Canvas.Brush.Style = bsSolid;
                }
            }
            if (FDropDownButton) {
                Canvas.MoveTo(r.Right - 12, r.Top);
                Canvas.LineTo(r.Right - 12, r.Bottom);
            }
        }
        InflateRect(r, -1, -1);
    } else {
        PaintStandard(Canvas, r);
    }

    TPoint offset(0, 0);
    if (FState == bsDown || FState == bsExclusive) {
        if (FState == bsExclusive && (!FFlat || !hovered)) {
            TRect face = r;
            InflateRect(face, 1, 1);
            PaintFrame(Canvas, FColorChecked, FColorCheckedTo, FDown ? FBorderDownColor : FBorderColor, face);
        }
        if (!FFlat)
            offset = TPoint(1, 1);
    } else if (FFlat && hovered && FShaded) {
        offset = TPoint(-1, -1);
    }

    if (FDropDownButton) {
        const int m = r.Top + (r.Bottom - r.Top) / 2;
        Canvas.Brush.Color = FFont.Color;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = FFont.Color;
        Canvas.Polygon({{r.Right - 8, m - 1}, {r.Right - 4, m - 1}, {r.Right - 6, m + 1}});
        r.Right -= 12;
    }

    PaintGlyphAndText(Canvas, r, offset, FDown && FGroupIndex != 0 ? bsDown : FState);
}

TDazGridButton::TGlyphTextPlace TDazGridButton::LayoutGlyphAndText(TCanvas &Canvas, const TRect &Client,
                                                                   const TPoint &Offset)
{
    TButtonLayout layout = FLayout;
    if (isRightToLeft()) {
        if (layout == blGlyphLeft)
            layout = blGlyphRight;
        else if (layout == blGlyphRight)
            layout = blGlyphLeft;
    }
    const QSize gs = FGlyph.isNull() ? QSize(0, 0) : FGlyph.size();
    QSize ts(0, 0);
    if (!FCaption.isEmpty()) {
        TRect tb(0, 0, Client.Width(), 0);
        Canvas.Font = FFont;
        Canvas.DrawText(FCaption, tb, DT_CALCRECT);
        ts = QSize(tb.Width(), tb.Height());
    }
    return CalcGlyphTextLayout(Client, gs, ts, layout, FMargin,
                               FCaption.isEmpty() || gs.width() == 0 ? 0 : FSpacing, Offset);
}

TDazGridButton::TGlyphTextPlace TDazGridButton::CalcGlyphTextLayout(const TRect &C, QSize gs, QSize ts,
                                                                    TButtonLayout Layout, int Margin,
                                                                    int Spacing, const TPoint &Offset)
{
    TPoint gp, tp;
    const bool horz = Layout == blGlyphLeft || Layout == blGlyphRight;
    if (horz) {
        gp.Y = (C.Height() - gs.height() + 1) / 2;
        tp.Y = (C.Height() - ts.height() + 1) / 2;
    } else {
        gp.X = (C.Width() - gs.width() + 1) / 2;
        tp.X = (C.Width() - ts.width() + 1) / 2;
    }
    const int extent = horz ? C.Width() : C.Height();
    const int g = horz ? gs.width() : gs.height();
    const int t = horz ? ts.width() : ts.height();
    if (Margin == -1) {
        if (Spacing == -1) {
            Margin = (extent - g - t) / 3;
            Spacing = Margin;
        } else {
            Margin = (extent - (g + Spacing + t) + 1) / 2;
        }
    } else if (Spacing == -1) {
        Spacing = ((extent - (Margin + g)) - t) / 2;
    }
    switch (Layout) {
    case blGlyphLeft:
        gp.X = Margin;
        tp.X = gp.X + gs.width() + Spacing;
        break;
    case blGlyphRight:
        gp.X = C.Width() - Margin - gs.width();
        tp.X = gp.X - Spacing - ts.width();
        break;
    case blGlyphTop:
        gp.Y = Margin;
        tp.Y = gp.Y + gs.height() + Spacing;
        break;
    case blGlyphBottom:
        gp.Y = C.Height() - Margin - gs.height();
        tp.Y = gp.Y - Spacing - ts.height();
        break;
    }
    const int dx = C.Left + Offset.X, dy = C.Top + Offset.Y;
    return {TPoint(gp.X + dx, gp.Y + dy), Bounds(tp.X + dx, tp.Y + dy, ts.width(), ts.height())};
}

void TDazGridButton::PaintGlyphAndText(TCanvas &Canvas, const TRect &R, TPoint Offset, TButtonState State)
{
    TGlyphTextPlace place = LayoutGlyphAndText(Canvas, R, Offset);
    if (FCaption.isEmpty())
        place.GlyphPos = TPoint(0, 0);
    PaintGlyph(Canvas, place.GlyphPos, State);
    if (FFlat && Hovered() && FShaded && State != bsDown && State != bsExclusive)
        OffsetRect(place.TextBounds, 1, 1);
    if (FShowCaption)
        PaintCaption(Canvas, place.TextBounds, State);
}

void TDazGridButton::PaintGlyph(TCanvas &Canvas, TPoint Pos, TButtonState State)
{
    const bool hovered = Hovered();
    const bool pressed = State == bsDown || State == bsExclusive;
    const QImage *glyph = &FGlyph;
    if (!FGlyphDown.isNull() && pressed)
        glyph = &FGlyphDown;
    else if (hovered && !FGlyphHot.isNull())
        glyph = &FGlyphHot;
    if (!isEnabled() && !FGlyphDisabled.isNull())
        glyph = &FGlyphDisabled;
    if (glyph->isNull())
        return;
    if (hovered && FShaded && State != bsDown && !FGlyphShade.isNull()) {
        const TPoint at = FCaption.isEmpty() ? Pos : TPoint(Pos.X + 2, Pos.Y + 2);
        Canvas.DrawTransparent(at.X, at.Y, FGlyphShade, TransparentColorOf(FGlyphShade));
    }
    Canvas.DrawTransparent(Pos.X, Pos.Y, *glyph, TransparentColorOf(*glyph));
}

void TDazGridButton::PaintCaption(TCanvas &Canvas, TRect R, TButtonState State)
{
    Canvas.Brush.Style = bsClear;
    const unsigned flags = DT_CENTER | DT_VCENTER;
    if (State == bsDisabled) {
        TRect shifted = R;
        OffsetRect(shifted, 1, 1);
        Canvas.Font.Color = clBtnHighlight;
        Canvas.DrawText(FCaption, shifted, flags);
        Canvas.Font.Color = clBtnShadow;
    } else {
        Canvas.Font.Color = FFont.Color;
    }
    Canvas.DrawText(FCaption, R, flags);
}

void TDazGridButton::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    Paint(canvas);
}

// ---- mouse and state --------------------------------------------------------------------

namespace {

bool InsideButton(const QWidget *w, const QPoint &p)
{
    return p.x() >= 0 && p.x() < w->width() && p.y() >= 0 && p.y() <= w->height();
}

} // namespace

void TDazGridButton::mousePressEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton || !isEnabled())
        return;
    if (FDropDownButton && e->position().x() > width() - 12) {
        FState = bsUp;
        update();
        if (OnDropDown)
            OnDropDown(this);
        if (FDropDownMenu)
            FDropDownMenu->popup(mapToGlobal(QPoint(0, height())));
        return;
    }
    if (!FDown) {
        FState = bsDown;
        update();
    }
    if (FStyle == tasCheck) {
        FState = bsDown;
        update();
    }
    FDragging = true;
}

void TDazGridButton::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint p = e->position().toPoint();
    if (FDragging) {
        TButtonState next = FDown ? bsExclusive : bsUp;
        if (InsideButton(this, p))
            next = FDown ? bsExclusive : bsDown;
        if (FStyle == tasCheck && FDown)
            next = bsDown;
        if (next != FState) {
            FState = next;
            update();
        }
    } else if (!FMouseInControl) {
        RefreshMouseInControl(p);
    }
}

void TDazGridButton::mouseReleaseEvent(QMouseEvent *e)
{
    if (!FDragging)
        return;
    FDragging = false;
    const QPoint p = e->position().toPoint();
    const bool inside = InsideButton(this, p);
    if (FGroupIndex == 0) {
        FState = bsUp;
        if (FStyle == tasCheck) {
            SetDown(!FDown);
            FState = bsUp;
        }
        if (inside)
            update();
    } else if (inside) {
        SetDown(!FDown);
        if (FDown)
            update();
    } else if (FDown) {
        FState = bsExclusive;
        update();
    }
    if (inside)
        Click();
    RefreshMouseInControl(p);
}

void TDazGridButton::mouseDoubleClickEvent(QMouseEvent *e)
{
    mousePressEvent(e);
    if (FDown && OnDblClick)
        OnDblClick(this);
}

void TDazGridButton::MouseEnter()
{
    if (isEnabled() && !QWidget::mouseGrabber()) {
        FMouseInControl = true;
        update();
    }
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TDazGridButton::MouseLeave()
{
    if (isEnabled() && !FDragging) {
        FMouseInControl = false;
        update();
    }
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TDazGridButton::RefreshMouseInControl(const QPoint &pos)
{
    if (!FFlat || !isEnabled())
        return;
    if (rect().contains(pos))
        MouseEnter();
    else
        MouseLeave();
}

void TDazGridButton::enterEvent(QEnterEvent *)
{
    MouseEnter();
}

void TDazGridButton::leaveEvent(QEvent *)
{
    MouseLeave();
}

void TDazGridButton::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::EnabledChange:
        RefreshMouseInControl(mapFromGlobal(QCursor::pos()));
        update();
        break;
    case QEvent::FontChange:
        FFont = TFont::FromQFont(font(), FFont.Color);
        update();
        break;
    case QEvent::ThemeChange:
    case QEvent::PaletteChange:
        if (FAutoThemeAdapt)
            ThemeAdapt();
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(e);
}
