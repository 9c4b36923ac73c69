#include "grid/string/flatcombobox.h"

#include "grid/base/styledetect.h"
#include "grid/string/editorpaint.h"
#include "platform/theme.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCompleter>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QResizeEvent>
#include <QStyle>

namespace {

constexpr TColor kThemedDisabledBorder = 0xB99D7F;

}   // namespace

TRudCustomCombo::TRudCustomCombo(QWidget *AOwner) : QComboBox(AOwner), FLabel(this)
{
    FLabel.Owner = this;
    FButtonWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    FIsThemed = ThemePlatform().CommonControlsMajorVersion() > 5;
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover);
    SetStyle(csDropDown);
    connect(this, &QComboBox::activated, this, [this] {
        Change();
        if (OnSelect)
            OnSelect(this);
    });
    view()->window()->installEventFilter(this);
}

// ---- items and text ---------------------------------------------------------------------

QStringList TRudCustomCombo::Items() const
{
    QStringList list;
    for (int i = 0; i < count(); ++i)
        list << itemText(i);
    return list;
}

void TRudCustomCombo::SetItems(const QStringList &Value)
{
    const QString text = currentText();
    clear();
    addItems(Value);
    if (FStyle != csDropDownList)
        setEditText(text);
}

void TRudCustomCombo::AddItem(const QString &S, TObject *AObject)
{
    addItem(S, QVariant::fromValue(quintptr(AObject)));
}

TObject *TRudCustomCombo::ItemObject(int Index) const
{
    if (Index < 0 || Index >= count())
        return nullptr;
    return reinterpret_cast<TObject *>(itemData(Index).value<quintptr>());
}

int TRudCustomCombo::IndexOf(const QString &S) const
{
    return findText(S, Qt::MatchFixedString);
}

void TRudCustomCombo::SelectItem(const QString &S)
{
    const int i = IndexOf(S);
    if (i >= 0)
        setCurrentIndex(i);
}

void TRudCustomCombo::SetText(const QString &Value)
{
    if (FStyle == csDropDownList)
        setCurrentIndex(IndexOf(Value));
    else
        setEditText(Value);
}

void TRudCustomCombo::SetStyle(TComboBoxStyle Value)
{
    FStyle = Value;
    setEditable(Value != csDropDownList);
    if (QLineEdit *e = lineEdit()) {
        e->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
        e->setFrame(false);
        if (!FAutoComplete)
            setCompleter(nullptr);
        if (e != FConnectedEdit) {
            connect(e, &QLineEdit::textEdited, this, [this] { Change(); });
            FConnectedEdit = e;
        }
    }
    PlaceEditField();
    update();
}

void TRudCustomCombo::SetMaxLength(int Value)
{
    FMaxLength = std::max(0, Value);
    if (QLineEdit *e = lineEdit())
        e->setMaxLength(FMaxLength > 0 ? FMaxLength : 32767);
}

void TRudCustomCombo::SetAutoComplete(bool Value)
{
    FAutoComplete = Value;
    if (lineEdit() && !Value)
        setCompleter(nullptr);
}

int TRudCustomCombo::SelStart() const
{
    const QLineEdit *e = lineEdit();
    if (!e)
        return 0;
    return e->hasSelectedText() ? e->selectionStart() : e->cursorPosition();
}

int TRudCustomCombo::SelLength() const
{
    return lineEdit() ? int(lineEdit()->selectedText().size()) : 0;
}

void TRudCustomCombo::SetDroppedDown(bool Value)
{
    if (Value == FDroppedDown)
        return;
    if (Value)
        showPopup();
    else
        hidePopup();
}

void TRudCustomCombo::showPopup()
{

    if (FDropWidth > 0)
        view()->setMinimumWidth(FDropWidth);
    FDroppedDown = true;
    if (OnDropDown)
        OnDropDown(this);
    QComboBox::showPopup();
    update();
}

void TRudCustomCombo::hidePopup()
{
    QComboBox::hidePopup();
    // The list also closes by itself (a click outside); the filter on its window reports it.
    if (FDroppedDown && !view()->window()->isVisible()) {
        FDroppedDown = false;
        update();
        if (OnDropUp)
            OnDropUp(this);
    }
}

bool TRudCustomCombo::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Event->type() == QEvent::Hide && Watched == view()->window() && FDroppedDown) {
        FDroppedDown = false;
        update();
        if (OnDropUp)
            OnDropUp(this);
    }
    return QComboBox::eventFilter(Watched, Event);
}

// ---- look -------------------------------------------------------------------------------

void TRudCustomCombo::ApplyColor(TColor Value)
{
    FColor = Value;
    QPalette p = palette();
    p.setColor(QPalette::Base, ToQColor(Value));
    setPalette(p);
    update();
}

void TRudCustomCombo::SetColor(TColor Value)
{
    if (FLoading)
        FLoadedColor = Value;
    FNormalColor = Value;
    ApplyColor(Value);
}

void TRudCustomCombo::Init()
{
    FNormalColor = FColor;
}

void TRudCustomCombo::Loaded()
{
    FLoading = false;
    if (FDropWidth > 0)
        view()->setMinimumWidth(FDropWidth);
    FOldColor = FLoadedColor;
    if (!FFlatParentColor || FFlat)
        SetColor(FLoadedColor);
    FLabel.Update();
    Init();
}

void TRudCustomCombo::SetFlat(bool Value)
{
    if (Value == FFlat)
        return;
    FFlat = Value;
    if (FFlatParentColor && Value && parentWidget())
        SetColor(ParentBrushColor(this));
    else
        SetColor(FLoadedColor);
    PlaceEditField();
    update();
}

void TRudCustomCombo::SetEtched(bool Value)
{
    FEtched = Value;
    update();
}

void TRudCustomCombo::SetFlatParentColor(bool Value)
{
    FFlatParentColor = Value;
    update();
}

void TRudCustomCombo::SetFlatLineColor(TColor Value)
{
    FFlatLineColor = Value;
    update();
}

void TRudCustomCombo::SetBorderColor(TColor Value)
{
    if (Value == FBorderColor)
        return;
    FBorderColor = Value;
    PlaceEditField();
    update();
}

void TRudCustomCombo::SetFocusBorderColor(TColor Value)
{
    FFocusBorderColor = Value;
    PlaceEditField();
    update();
}

void TRudCustomCombo::SetFocusBorder(bool Value)
{
    FFocusBorder = Value;
    update();
}

void TRudCustomCombo::SetDisabledBorder(bool Value)
{
    FDisabledBorder = Value;
    update();
}

void TRudCustomCombo::SetButtonWidth(int Value)
{
    if (Value < 14 || Value > 32)
        return;
    FButtonWidth = Value;
    PlaceEditField();
    update();
}

void TRudCustomCombo::SetDropWidth(int Value)
{
    FDropWidth = Value;
    if (Value > 0)
        view()->setMinimumWidth(Value);
}

void TRudCustomCombo::SetIsWinXP(bool Value)
{
    FIsWinXP = Value;
    update();
}

void TRudCustomCombo::SetIsVista(bool Value)
{
    FIsVista = Value;
    PlaceEditField();
    update();
}

// ---- label ------------------------------------------------------------------------------

void TRudCustomCombo::SetLabelPosition(TLabelPosition Value)
{
    FLabel.Position = Value;
    FLabel.Update();
}

void TRudCustomCombo::SetLabelMargin(int Value)
{
    FLabel.Margin = Value;
    FLabel.Update();
}

void TRudCustomCombo::SetLabelTransparent(bool Value)
{
    FLabel.Transparent = Value;
    FLabel.Update();
}

void TRudCustomCombo::SetLabelAlwaysEnabled(bool Value)
{
    FLabel.AlwaysEnabled = Value;
    FLabel.Update();
}

void TRudCustomCombo::SetLabelFont(const TFont &Value)
{
    if (FLabel.ParentFont)
        return;
    FLabel.Font = Value;
    FLabel.Update();
}

void TRudCustomCombo::SetParentFont(bool Value)
{
    FLabel.ParentFont = Value;
    FLabel.Update();
}

void TRudCustomCombo::setVisible(bool Visible)
{
    QComboBox::setVisible(Visible);
    FLabel.Update();
}

void TRudCustomCombo::SetEnabled(bool Value)
{
    const bool was = isEnabled();
    setEnabled(Value);
    if (!FLoading && was != isEnabled()) {
        FLabel.SetEnabled(Value);
        FLabel.Update();
    }
}

// ---- painting ---------------------------------------------------------------------------

bool TRudCustomCombo::ThemesActive() const
{
    return FIsThemed && IsThemeActive();
}

bool TRudCustomCombo::IsActive() const
{
    return FMouseInControl || hasFocus();
}

bool TRudCustomCombo::BorderHot() const
{
    return IsActive() && FFocusBorder;
}

bool TRudCustomCombo::PaintsOwnLook() const
{
    if (FIsVista && ButtonColor == clNone)
        return false;
    return FFlat || ButtonColor != clNone || FBorderColor != clNone ||
           (FFocusBorderColor != clNone && hasFocus()) ||
           (!isEnabled() && ThemesActive() && !FDisabledBorder);
}

void TRudCustomCombo::PlaceEditField()
{
    QLineEdit *e = lineEdit();
    if (!e)
        return;
    if (!PaintsOwnLook()) {
        // The platform's look places the edit field itself.
        QResizeEvent re(size(), size());
        QComboBox::resizeEvent(&re);
        return;
    }
    e->setGeometry(3, 3, std::max(0, width() - FButtonWidth - 7), std::max(0, height() - 6));
}

void TRudCustomCombo::DrawButton(TCanvas &Canvas)
{
    const int cw = width(), ch = height();
    TRect r(cw - FButtonWidth + 2, 0, cw, ch);
    InflateRect(r, -1, -1);
    const bool mouseDown = IsMouseButtonDown();
    if (ButtonColor == clNone) {
        if (ThemesActive()) {
            if (const TThemeHandle theme = OpenThemeData(this, QStringLiteral("combobox"))) {
                int state = 1;
                if (!isEnabled())
                    state = 4;
                else if (mouseDown && FDroppedDown)
                    state = 3;
                else if (FButtonHover && !mouseDown && !FDroppedDown)
                    state = 2;
                DrawThemeBackground(theme, Canvas, 1, state, r);
                CloseThemeData(theme);
            }
        } else {
            r.Left -= 4;
            r.Top += 1;
            r.Bottom -= 1;
            ThemePlatform().DrawFrameControl(Canvas, r, DFC_SCROLL,
                                             DFCS_SCROLLCOMBOBOX | (isEnabled() ? DFCS_FLAT : DFCS_INACTIVE));
        }
    } else {
        TColor face = ButtonColor;
        if (FButtonHover && mouseDown && ButtonColorDown != clNone)
            face = ButtonColorDown;
        else if (FButtonHover && ButtonColorHot != clNone)
            face = ButtonColorHot;
        r = TRect(r.Left - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        Canvas.Brush.Color = face;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(r);
        if (ButtonBorderColor != clNone) {
            Canvas.Pen.Color = ButtonBorderColor;
            Canvas.MoveTo(r.Left, r.Top);
            Canvas.LineTo(r.Left, r.Bottom);
        }
        const TColor arrow = mouseDown && ButtonTextColorDown != clNone ? ButtonTextColorDown : ButtonTextColor;
        if (arrow != clNone) {
            Canvas.Brush.Color = arrow;
            Canvas.Pen.Color = arrow;
            Canvas.Polygon({{r.Left + 4, r.Top + 7}, {r.Left + 10, r.Top + 7}, {r.Left + 7, r.Top + 10}});
        }
    }
    ExcludeClipRect(Canvas, TRect(cw - FButtonWidth - 4, 0, cw + 2, ch));
}

void TRudCustomCombo::DrawBorders(TCanvas &Canvas)
{
    TRect r(0, 0, width(), height());
    if (!isEnabled() && FIsThemed && !FDisabledBorder) {
        FrameRectColor(Canvas, r, kThemedDisabledBorder);
        return;
    }
    if (FBorderColor != clNone && !(FHasFocus && FFocusBorderColor != clNone)) {
        FrameRectColor(Canvas, r, FBorderColor);
        return;
    }
    if (FFocusBorderColor != clNone) {
        if (FHasFocus)
            FrameRectColor(Canvas, r, FFocusBorderColor);
        return;
    }
    const TColor a = BorderHot() ? clBtnFace : ParentBrushColor(this);
    const TColor b = FColor;
    if (BorderHot()) {
        DrawEdge(Canvas, r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
        FrameRectColor(Canvas, r, a);
        InflateRect(r, -1, -1);
        FrameRectColor(Canvas, r, b);
    } else {
        FrameRectColor(Canvas, r, a);
        InflateRect(r, -1, -1);
        r.Right -= FButtonWidth;
        FrameRectColor(Canvas, r, a);
        InflateRect(r, -1, -1);
        FrameRectColor(Canvas, r, b);
        r.Right += FButtonWidth;
    }
    if (FFlat && FFlatLineColor != clNone) {
        Canvas.Pen.Color = FFlatLineColor;
        Canvas.MoveTo(r.Left - 2, height() - 1);
        Canvas.LineTo(r.Right - FButtonWidth - 1, height() - 1);
    }
}

void TRudCustomCombo::DrawButtonFace(TCanvas &Canvas)
{
    const int cw = width(), ch = height();
    Canvas.Save();
    ExcludeClipRect(Canvas, TRect(cw - FButtonWidth + 4, 4, cw - 4, ch - 4));
    TRect r(cw - FButtonWidth - 2, 0, cw, ch);
    InflateRect(r, -2, -2);
    if (!IsActive()) {
        Canvas.Brush.Color = clBtnFace;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(TRect(r.Left, r.Top + 1, r.Right - 1, r.Bottom - 1));
    }
    Canvas.Restore();
}

void TRudCustomCombo::DrawBorder(TCanvas &Canvas)
{
    if ((isEnabled() && !FFlat && FBorderColor == clNone && FFocusBorderColor == clNone) ||
        (FIsVista && FBorderColor == clNone))
        return;
    DrawBorders(Canvas);
    if (FStyle != csSimple && !(FIsWinXP && ThemesActive()))
        DrawButtonFace(Canvas);
}

void TRudCustomCombo::PaintText(TCanvas &Canvas)
{
    if (lineEdit())
        return;   // the edit field paints its text itself
    TRect r(3, 3, width() - FButtonWidth - 4, height() - 3);
    const bool selected = hasFocus() && !FDroppedDown;
    if (selected) {
        Canvas.Brush.Color = clHighlight;
        Canvas.Brush.Style = bsSolid;
        Canvas.FillRect(r);
    }
    Canvas.Font = TFont::FromQFont(font(), !isEnabled() ? clGrayText : selected ? clHighlightText : clWindowText);
    Canvas.Brush.Style = bsClear;
    TRect tr = r;
    tr.Left += 2;
    Canvas.DrawText(currentText(), tr, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    Canvas.Brush.Style = bsSolid;
}

void TRudCustomCombo::paintEvent(QPaintEvent *e)
{
    if (!PaintsOwnLook()) {
        QComboBox::paintEvent(e);
        return;
    }
    TCanvas canvas(this);
    canvas.Save();
    if (FStyle != csSimple) {
        canvas.Brush.Color = FColor;
        canvas.Brush.Style = bsSolid;
        canvas.FillRect(TRect(0, 0, width(), height()));
        if (layoutDirection() == Qt::LeftToRight)
            DrawButton(canvas);
    }
    PaintText(canvas);
    canvas.Restore();
    if (layoutDirection() == Qt::LeftToRight)
        DrawBorder(canvas);
}

// ---- keys -------------------------------------------------------------------------------

bool TRudCustomCombo::WantSpecialKey(uint16_t, TShiftState) const
{
    return false;
}

void TRudCustomCombo::WMKeyDown(TKeyMessage &Message)
{
    KeyDown(Message.CharCode, Message.Shift);
    if (Message.CharCode != 0)
        DefaultKeyDown();
}

void TRudCustomCombo::WMChar(TKeyMessage &Message)
{
    QChar ch(Message.CharCode);
    KeyPress(ch);
    Message.CharCode = ch.unicode();
    if (!ch.isNull())
        DefaultChar(ch);
}

void TRudCustomCombo::WMKeyUp(TKeyMessage &Message)
{
    KeyUp(Message.CharCode, Message.Shift);
}

void TRudCustomCombo::KeyDown(uint16_t &Key, TShiftState Shift)
{
    if (Key != 0 && OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TRudCustomCombo::KeyPress(QChar &Key)
{
    if (!Key.isNull() && OnKeyPress)
        OnKeyPress(this, Key);
}

void TRudCustomCombo::KeyUp(uint16_t &Key, TShiftState Shift)
{
    if (Key != 0 && OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TRudCustomCombo::DefaultKeyDown()
{
    if (!FPendingKey || FPendingKey->key() == Qt::Key_Backspace)
        return;
    // A new item chosen by key is reported through activated (Change).
    QKeyEvent plain(QEvent::KeyPress, FPendingKey->key(), FPendingKey->modifiers(), QString());
    QComboBox::keyPressEvent(&plain);
}

void TRudCustomCombo::DefaultChar(QChar Ch)
{
    const ushort c = Ch.unicode();
    if (QLineEdit *e = lineEdit()) {
        if (e->isReadOnly())
            return;
        // The edit reports the typed text as edited (Change).
        if (c == 8)
            e->backspace();
        else if (c >= 32 && c != 127)
            e->insert(QString(Ch));
        return;
    }
    if (c >= 32 && c != 127) {
        // The list style selects the next item that starts with the typed character.
        QKeyEvent typed(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(Ch));
        QComboBox::keyPressEvent(&typed);
    }
}

void TRudCustomCombo::Change()
{
    if (OnChange)
        OnChange(this);
}

bool TRudCustomCombo::event(QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
            WantSpecialKey(VK_TAB, ShiftStateOf(k->modifiers()))) {
            keyPressEvent(k);
            return true;
        }
    }
    return QComboBox::event(e);
}

void TRudCustomCombo::keyPressEvent(QKeyEvent *e)
{
    const TKeyInfo k = TranslateKeyEvent(*e);
    if (k.Key == VK_TAB && !WantSpecialKey(VK_TAB, k.Shift)) {
        e->ignore();
        return;
    }
    QPointer<TRudCustomCombo> self(this);
    FPendingKey = e;
    bool ctrlShortcut = false;
    if (k.Key) {
        TKeyMessage m = MakeKeyMessage(k.Key, k);
        WMKeyDown(m);
        ctrlShortcut = k.Shift.Contains(ssCtrl) && k.Char.unicode() >= 1 && k.Char.unicode() < 32 &&
                       k.Key != VK_RETURN;
    }
    if (!self)
        return;
    FPendingKey = nullptr;
    if (!k.Char.isNull() && !ctrlShortcut) {
        TKeyMessage m = MakeKeyMessage(k.Char.unicode(), k);
        WMChar(m);
    }
    e->accept();
}

void TRudCustomCombo::keyReleaseEvent(QKeyEvent *e)
{
    const TKeyInfo k = TranslateKeyEvent(*e);
    if (k.Key) {
        TKeyMessage m = MakeKeyMessage(k.Key, k);
        WMKeyUp(m);
    }
    e->accept();
}

// ---- focus and mouse --------------------------------------------------------------------

void TRudCustomCombo::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TRudCustomCombo::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TRudCustomCombo::focusInEvent(QFocusEvent *e)
{
    QComboBox::focusInEvent(e);
    if (e->reason() == Qt::PopupFocusReason)
        return;
    FHasFocus = true;
    if (FFocusColor != clNone)
        ApplyColor(FFocusColor);
    if (FLabel.FocusLabel)
        FLabel.SetBold(true);
    PlaceEditField();
    update();
    DoEnter();
}

void TRudCustomCombo::focusOutEvent(QFocusEvent *e)
{
    QComboBox::focusOutEvent(e);
    // The drop-down list taking the focus is not leaving the combo.
    if (e->reason() == Qt::PopupFocusReason)
        return;
    FHasFocus = false;
    if (FFocusColor != clNone && FNormalColor != clNone)
        ApplyColor(FNormalColor);
    FLabel.SetBold(false);
    PlaceEditField();
    update();
    DoExit();
}

void TRudCustomCombo::enterEvent(QEnterEvent *e)
{
    QComboBox::enterEvent(e);
    if (!FMouseInControl && isEnabled()) {
        FMouseInControl = true;
        update();
    }
    if (FAutoFocus && (!window() || window()->isActiveWindow()))
        setFocus(Qt::MouseFocusReason);
}

void TRudCustomCombo::leaveEvent(QEvent *e)
{
    QComboBox::leaveEvent(e);
    FMouseInControl = false;
    FButtonHover = false;
    update();
}

void TRudCustomCombo::mouseMoveEvent(QMouseEvent *e)
{
    QComboBox::mouseMoveEvent(e);
    const int x = int(e->position().x());
    const bool hover = width() - FButtonWidth < x && x < width();
    if (hover != FButtonHover) {
        FButtonHover = hover;
        update();
    }
}

void TRudCustomCombo::resizeEvent(QResizeEvent *e)
{
    QComboBox::resizeEvent(e);
    PlaceEditField();
    FLabel.Update();
}

void TRudCustomCombo::moveEvent(QMoveEvent *e)
{
    QComboBox::moveEvent(e);
    FLabel.Update();
}

void TRudCustomCombo::changeEvent(QEvent *e)
{
    switch (e->type()) {
    case QEvent::EnabledChange:
        if (FFlat && !FLoading) {
            if (isEnabled()) {
                ApplyColor(FOldColor);
            } else {
                FOldColor = FColor;
                ApplyColor(ParentBrushColor(this));
            }
        }
        break;
    case QEvent::ParentChange:
        FLabel.Reparent();
        break;
    case QEvent::FontChange:
        FLabel.Update();
        break;
    default:
        break;
    }
    QComboBox::changeEvent(e);
}
