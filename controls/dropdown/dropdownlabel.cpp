// The drop-down edit's caption label, its placement beside the edit, the layout of button
// and text area, and the mouse with typing off.
#include "controls/dropdown/dropdownbutton.h"
#include "controls/dropdown/dropdownedit.h"

#include "grid/string/editorpaint.h"
#include "platform/canvas.h"
#include "platform/parttheme.h"

#include <QFontMetrics>
#include <QLabel>
#include <QMouseEvent>

namespace {

// A label whose clicks reach the edit.
class TDropDownLabel : public QLabel
{
public:
    TDropDownLabel(TDazCustomDropDown *Edit, QWidget *Parent) : QLabel(Parent), FEdit(Edit) {}

protected:
    void mouseReleaseEvent(QMouseEvent *Event) override
    {
        QLabel::mouseReleaseEvent(Event);
        if (Event->button() == Qt::LeftButton && rect().contains(Event->position().toPoint()))
            FEdit->DoLabelClick();
    }
    void mouseDoubleClickEvent(QMouseEvent *Event) override
    {
        QLabel::mouseDoubleClickEvent(Event);
        FEdit->DoLabelDblClick();
    }

private:
    TDazCustomDropDown *FEdit;
};

}   // namespace

void TDazCustomDropDown::DoLabelClick()
{
    if (OnLabelClick)
        OnLabelClick(this);
}

void TDazCustomDropDown::DoLabelDblClick()
{
    if (OnLabelDblClick)
        OnLabelDblClick(this);
}

QString TDazCustomDropDown::LabelCaption() const
{
    return FLabel ? FLabel->text() : QString();
}

void TDazCustomDropDown::SetLabelCaption(const QString &Value)
{
    if (!FLabel) {
        FLabel = new TDropDownLabel(this, parentWidget());
        FLabel->setBuddy(this);
        FLabel->setFont(ParentFont() ? font() : LabelFont);
    }
    FLabel->setText(Value);
    UpdateLabel();
}

void TDazCustomDropDown::SetLabelPosition(TLabelPosition Value)
{
    FLabelPosition = Value;
    UpdateLabel();
}

void TDazCustomDropDown::SetLabelMargin(int Value)
{
    FLabelMargin = Value;
    UpdateLabel();
}

void TDazCustomDropDown::SetLabelTransparent(bool Value)
{
    FLabelTransparent = Value;
    UpdateLabel();
}

void TDazCustomDropDown::SetLabelFont(const QFont &Value)
{
    if (!ParentFont())
        LabelFont = Value;
    UpdateLabel();
}

bool TDazCustomDropDown::ParentFont() const
{
    return !testAttribute(Qt::WA_SetFont);
}

void TDazCustomDropDown::UpdateLabel()
{
    if (!FLabel)
        return;
    FLabel->setAutoFillBackground(!FLabelTransparent);
    FLabel->setFont(ParentFont() ? font() : LabelFont);
    const int w = QFontMetrics(FLabel->font()).horizontalAdvance(FLabel->text());
    FLabel->resize(w, FLabel->sizeHint().height());
    FLabel->move(LabelPlace(FLabelPosition, geometry(), FLabel->size(), FLabelMargin, w));
    FLabel->setVisible(isVisible() || (!isHidden() && !parentWidget()));
}

void TDazCustomDropDown::moveEvent(QMoveEvent *Event)
{
    QLineEdit::moveEvent(Event);
    UpdateLabel();
}

void TDazCustomDropDown::resizeEvent(QResizeEvent *Event)
{
    QLineEdit::resizeEvent(Event);
    ResizeControl();
    UpdateLabel();
}

void TDazCustomDropDown::changeEvent(QEvent *Event)
{
    QLineEdit::changeEvent(Event);
    if (Event->type() == QEvent::EnabledChange && FButton)
        FButton->setEnabled(isEnabled());
    if (Event->type() == QEvent::ReadOnlyChange && FButton)
        FButton->Button()->update();   // the arrow follows the read-only state
    if (Event->type() == QEvent::FontChange) {
        SetEditRect();
        UpdateLabel();   // with ParentFont the label takes the edit's new font
    }
}

bool TDazCustomDropDown::event(QEvent *Event)
{
    const bool result = QLineEdit::event(Event);
    const QEvent::Type type = Event->type();
    if (FLabel && !FLabel->text().isEmpty() &&
        (type == QEvent::ShowToParent || type == QEvent::HideToParent))
        FLabel->setVisible(type == QEvent::ShowToParent);
    return result;
}

void TDazCustomDropDown::Loaded()
{
    SetEditRect();
    ResizeControl();
    if (FButton)
        FButton->setEnabled(isEnabled());
    if (FLabel && !LabelAlwaysEnabled)
        FLabel->setEnabled(isEnabled());
    UpdateLabel();
}

int TDazCustomDropDown::GetMinHeight() const
{
    const int tm = QFontMetrics(font()).height();
    const int sys = QFontMetrics(QFont()).height();
    return tm + std::min(sys, tm) / 4;
}

void TDazCustomDropDown::ResizeControl()
{
    if (height() < GetMinHeight()) {
        resize(width(), GetMinHeight());
        update();
        return;
    }
    if (FButton) {
        const int d = Flat ? 3 : 4, t = Flat ? 1 : -1;
        FButton->SetBounds(width() - FButton->FBWidth - d, t + 1, FButton->FBWidth, height() - d);
        SetEditRect();
    }
    update();
}

void TDazCustomDropDown::SetEditRect()
{
    const int buttonWidth = FButton ? FButton->width() : 0;
    FEditRect = TRect(1, 1, width() - buttonWidth - 3, height() + 1);
    setTextMargins(0, 0, buttonWidth + 3, 0);
}

void TDazCustomDropDown::mousePressEvent(QMouseEvent *Event)
{
    if (!FEditorEnabled && Event->button() == Qt::LeftButton) {
        QLineEdit::mousePressEvent(Event);
        ButtonClick();
        return;
    }
    if (Event->button() == Qt::LeftButton && hasSelectedText() && hasFocus()) {
        // A press inside the selection keeps it; the release places the caret.
        const int at = cursorPositionAt(Event->position().toPoint());
        const int start = int(selectionStart());
        if (at >= start && at <= start + SelLength()) {
            FButtonDown = true;
            return;
        }
    }
    QLineEdit::mousePressEvent(Event);
}

void TDazCustomDropDown::mouseReleaseEvent(QMouseEvent *Event)
{
    if (!FEditorEnabled || isReadOnly())
        update();   // the focused look
    if (Event->button() != Qt::LeftButton) {
        QLineEdit::mouseReleaseEvent(Event);
        return;
    }
    if (FButtonDown)
        setCursorPosition(cursorPositionAt(Event->position().toPoint()));
    FButtonDown = false;
    QLineEdit::mouseReleaseEvent(Event);
    KeepCaretInValue();
}

void TDazCustomDropDown::KeepCaretInValue()
{
    const int prefixLength = int(FPrefix.size());
    const int valueEnd = prefixLength + int(GetText().size());
    if (!FPrefix.isEmpty() && SelStart() < prefixLength) {
        SelectAll();
        return;
    }
    if (FSuffix.isEmpty())
        return;
    if (SelLength() == 0) {
        if (cursorPosition() > valueEnd)
            setCursorPosition(valueEnd);
    } else if (SelStart() + SelLength() > valueEnd) {
        const int start = SelStart();
        SetSelection(start, std::max(0, valueEnd - start));
    }
}

// ---------------------------------------------------------------------------------------
// Focus look and border
// ---------------------------------------------------------------------------------------

void TDazCustomDropDown::DrawFocus(TCanvas &Canvas)
{
    if (FEditorEnabled || !hasFocus() || !FocusDraw)
        return;
    const TRect r(2, 2, width() - FDropDownButtonWidth - 1, height() - 2);
    Canvas.Pen.Color = clBlack;
    Canvas.Pen.Width = 1;
    Canvas.Brush.Color = clHighlight;
    Canvas.Brush.Style = bsSolid;
    Canvas.Rectangle(r);
    Canvas.Font = TFont::FromQFont(font(), clHighlightText);
    Canvas.Brush.Style = bsClear;
    TRect text(r.Left + 2, r.Top, r.Right - 3, r.Bottom);
    Canvas.DrawText(GetText(), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    Canvas.Brush.Style = bsSolid;
}

void TDazCustomDropDown::DrawBorder(TCanvas &Canvas)
{
    if (isEnabled() && !Flat && BorderColor == clNone && FocusBorderColor == clNone)
        return;
    const TRect r(0, 0, width(), height());
    const bool active = underMouse() || hasFocus();
    if (!isEnabled() && DisabledBorder && PartTheme().ThemedCommonControls()) {
        FrameRectColor(Canvas, r, 0xC0C0C0);
    } else if (BorderColor != clNone) {
        if (!hasFocus() || FocusBorderColor == clNone)
            FrameRectColor(Canvas, r, BorderColor);
    } else if (FocusBorderColor != clNone) {
        if (hasFocus())
            FrameRectColor(Canvas, r, FocusBorderColor);
    } else if (active) {
        TRect e = r;
        DrawEdge(Canvas, e, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FrameRectColor(Canvas, e, clBtnFace);
    } else {
        const TColor back = parentWidget() ? FromQColor(parentWidget()->palette().window().color())
                                           : clBtnFace;
        FrameRectColor(Canvas, r, back);
        FrameRectColor(Canvas, TRect(1, 1, width() - 1, height() - 1), back);
    }
    if (FButton)
        FButton->Button()->SetFocused(active);
}

void TDazCustomDropDown::paintEvent(QPaintEvent *Event)
{
    QLineEdit::paintEvent(Event);
    TCanvas canvas(this);
    DrawFocus(canvas);
    if (FocusBorderColor != clNone || BorderColor != clNone || (!isEnabled() && DisabledBorder) ||
        Flat)
        DrawBorder(canvas);
}
