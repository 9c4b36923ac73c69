#include "grid/string/editbtn.h"

#include "grid/base/styledetect.h"
#include "grid/string/editorpaint.h"
#include "platform/theme.h"

#include <QMenu>

namespace {

constexpr unsigned DFCS_ADJUSTRECT = 0x2000;

}   // namespace

// ---------------------------------------------------------------------------------------
// TDazSpeedButton

TDazSpeedButton::TDazSpeedButton(QWidget *AOwner) : TSpeedButton(AOwner) {}

void TDazSpeedButton::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    update();
}

TRudEditButton *TDazSpeedButton::Owner() const
{
    return dynamic_cast<TRudEditButton *>(parentWidget());
}

void TDazSpeedButton::MouseEnter()
{
    FHot = true;
    TSpeedButton::MouseEnter();
}

void TDazSpeedButton::MouseLeave()
{
    FHot = false;
    TSpeedButton::MouseLeave();
}

void TDazSpeedButton::Paint(TCanvas &Canvas)
{
    TRect r(0, 0, width(), height());
    const bool down = State() == bsDown || State() == bsExclusive;
    const TRudEditButton *owner = Owner();
    if (owner && owner->ButtonColor != clNone) {
        SetFlat(true);
        const TColor c = owner->FaceColor(down, FHot);
        Canvas.Brush.Color = c;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(r);
    } else if (FIsWinXP && IsThemeActive()) {
        if (const TThemeHandle theme = OpenThemeData(parentWidget(), QStringLiteral("button"))) {
            DrawThemeBackground(theme, Canvas, 1, down ? 3 : FHot ? 2 : 1, r);
            CloseThemeData(theme);
        }
    } else if (Flat()) {
        DrawEdge(Canvas, r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT | BF_MIDDLE);
        InflateRect(r, -1, -1);
    } else {
        ThemePlatform().DrawFrameControl(Canvas, r, DFC_BUTTON,
                                         DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (down ? DFCS_PUSHED : 0));
        InflateRect(r, -2, -2);
    }
    PaintGlyphAndCaption(Canvas, TRect(0, 0, width(), height()), State() == bsDown);
}

// ---------------------------------------------------------------------------------------
// TRudEditButton

TRudEditButton::TRudEditButton(QWidget *AOwner) : QWidget(AOwner)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FButton = new TDazSpeedButton(this);
    FButton->OnMouseUp = [this](TObject *Sender, TMouseButton Button, TShiftState, int, int) {
        BtnMouseUp(Sender, Button);
    };
    FButton->show();
    resize(20, 25);
}

void TRudEditButton::resizeEvent(QResizeEvent *)
{
    FButton->setGeometry(0, 0, width(), height());
}

void TRudEditButton::BtnMouseUp(TObject *Sender, TMouseButton Button)
{
    if (Button != mbLeft)
        return;
    if (Sender == FButton && OnClick)
        OnClick(this);
    QWidget *fc = FFocusControl;
    if (fc && fc->focusPolicy() != Qt::NoFocus && fc->isEnabled() && !fc->hasFocus())
        fc->setFocus(Qt::MouseFocusReason);
    else if (TabStop() && !hasFocus() && isEnabled())
        setFocus(Qt::MouseFocusReason);
}

// ---------------------------------------------------------------------------------------
// TRudEditBtn

TRudEditBtn::TRudEditBtn(QWidget *AOwner) : TRudCustomEdit(AOwner)
{
    FButton = new TRudEditButton(this);
    FButton->resize(FButtonWidth, 18);
    FButton->SetFocusControl(this);
    FButton->OnClick = [this](TObject *Sender) { ClickBtn(Sender); };
    SetText(QStringLiteral("0"));
    resize(121, 21);
}

void TRudEditBtn::ClickBtn(TObject *Sender)
{
    if (OnClickBtn)
        OnClickBtn(Sender);
}

void TRudEditBtn::SetButtonWidth(int Value)
{
    FButtonWidth = Value;
    FButton->resize(Value, FButton->height());
    AdjustLayout();
}

void TRudEditBtn::SetRightAlign(bool Value)
{
    if (Value == FRightAlign)
        return;
    FRightAlign = Value;
    setAlignment(Value ? Qt::AlignRight : Qt::AlignLeft);
}

void TRudEditBtn::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    FButton->Button()->SetIsWinXP(Value);
}

void TRudEditBtn::AdjustLayout()
{
    const int left = BorderStyle() == bsSingle ? 1 : 3;
    const int right = FButtonWidth + FUnitSize + 5 + (FUnitSize > 0 ? 3 : 0);
    setTextMargins(left, 0, right, 0);
    FButton->setGeometry(RightButtonRect(FButtonWidth));
}

void TRudEditBtn::KeyDown(uint16_t &Key, TShiftState Shift)
{
    TRudCustomEdit::KeyDown(Key, Shift);
    if (Key == VK_F4 && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt))
        ClickBtn(this);
}

void TRudEditBtn::WMChar(TKeyMessage &Message)
{
    if (EditorEnabled())
        TRudCustomEdit::WMChar(Message);
}

void TRudEditBtn::DoEnter()
{
    if (AutoSelect() && !IsLeftMouseButtonDown())
        selectAll();
    TRudCustomEdit::DoEnter();
}

// ---------------------------------------------------------------------------------------
// TRudUnitEditBtn

TRudUnitEditBtn::TRudUnitEditBtn(QWidget *AOwner) : TRudEditBtn(AOwner)
{
    FUnitSize = 20;
    SetRightAlign(true);
    AdjustLayout();
}

void TRudUnitEditBtn::SetUnitID(const QString &Value)
{
    FUnitID = Value;
    update();
}

void TRudUnitEditBtn::SetUnitSpace(int Value)
{
    FUnitSize = Value;
    AdjustLayout();
    update();
}

void TRudUnitEditBtn::SetTextAndUnit(const QString &Value)
{
    for (const QString &unit : FUnits) {
        const qsizetype at = Value.indexOf(unit);
        if (at >= 0 && at == Value.size() - unit.size()) {
            SetText(Value.left(at));
            SetUnitID(unit);
            return;
        }
    }
}

void TRudUnitEditBtn::ClickBtn(TObject *)
{
    if (OnClickBtn)
        OnClickBtn(this);
    const int id = TrackUnitMenu(mapToGlobal(QPoint(width() - 15, height())));
    if (id > 0)
        UnitMenuCommand(id);
}

int TRudUnitEditBtn::TrackUnitMenu(const QPoint &Pos)
{
    QMenu menu(this);
    for (const QString &unit : FUnits)
        menu.addAction(unit);
    const QAction *chosen = menu.exec(Pos);
    return chosen ? int(menu.actions().indexOf(chosen)) + 1 : 0;
}

void TRudUnitEditBtn::UnitMenuCommand(int Id)
{
    if (Id < 1 || Id > FUnits.size())
        return;
    const QString unit = FUnits[Id - 1];
    const bool changed = unit != FUnitID;
    SetUnitID(unit);
    if (changed && OnUnitChanged)
        OnUnitChanged(this, unit);
}

void TRudUnitEditBtn::paintEvent(QPaintEvent *e)
{
    TRudEditBtn::paintEvent(e);
    if (FUnitID.isEmpty())
        return;
    const int f = BorderWidth();
    const int right = width() - f - (ButtonWidth() + 3);
    TRect r(right - FUnitSize, f, right, height() - f);
    TCanvas canvas(this);
    canvas.Font = TFont::FromQFont(font(), clWindowText);
    canvas.Brush.Style = bsClear;
    canvas.DrawText(FUnitID, r, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}
