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

TRudCustomCombo::TRudCustomCombo(QWidget *AOwner)
    : TEditorKeys<QComboBox>(AOwner), TLabelProperties(FLabel), FLabel(this)
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
    if (Value == csDropDownList && isEditable()) {
        // The edit field is deleted later, with the combo as its focus proxy: its deletion
        // would clear the focus of the combo, which by then may be an open cell editor.
        if (QLineEdit *e = lineEdit())
            e->setFocusProxy(nullptr);
        setEditable(false);
    } else {
        setEditable(Value != csDropDownList);
    }
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
    return FHover.MouseInControl || hasFocus();
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
        DrawStandardDropButton(Canvas, this, r, TRect(r.Left - 4, r.Top + 1, r.Right, r.Bottom - 1),
                               ThemesActive(),
                               DropButtonThemeState(isEnabled(), mouseDown, FDroppedDown, FHover.ButtonHover),
                               isEnabled());
    } else {
        const TColor face = FaceColor(FHover.ButtonHover && mouseDown, FHover.ButtonHover);
        const TColor arrow = mouseDown && ButtonTextColorDown != clNone ? ButtonTextColorDown : ButtonTextColor;
        r = TRect(r.Left - 1, r.Top + 1, r.Right - 1, r.Bottom - 1);
        DrawCustomDropButton(Canvas, r, r.Left, face, ButtonBorderColor, arrow, r.Left + 4, r.Top + 7);
    }
    ExcludeClipRect(Canvas, TRect(cw - FButtonWidth - 4, 0, cw + 2, ch));
}

void TRudCustomCombo::DrawBorders(TCanvas &Canvas)
{
    TFlatBorderLook look;
    look.Enabled = isEnabled();
    look.Themed = FIsThemed;
    look.DisabledBorder = FDisabledBorder;
    look.Focused = FHasFocus;
    look.Hot = BorderHot();
    look.BorderColor = FBorderColor;
    look.FocusBorderColor = FFocusBorderColor;
    look.ParentColor = ParentBrushColor(this);
    look.ControlColor = FColor;
    look.ButtonWidth = FButtonWidth;
    TRect r;
    if (DrawFlatBorders(Canvas, TRect(0, 0, width(), height()), look, r) && FFlat &&
        FFlatLineColor != clNone) {
        Canvas.Pen.Color = FFlatLineColor;
        Canvas.MoveTo(r.Left - 2, height() - 1);
        Canvas.LineTo(r.Right - FButtonWidth - 1, height() - 1);
    }
}

void TRudCustomCombo::DrawButtonFace(TCanvas &Canvas)
{
    DrawFlatButtonFace(Canvas, width(), height(), FButtonWidth, IsActive(), false, FDroppedDown);
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

void TRudCustomCombo::DefaultKeyDown()
{
    QKeyEvent *pending = PendingKey();
    if (!pending || pending->key() == Qt::Key_Backspace)
        return;
    // A new item chosen by key is reported through activated (Change).
    QKeyEvent plain(QEvent::KeyPress, pending->key(), pending->modifiers(), QString());
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

// ---- focus and mouse --------------------------------------------------------------------

void TRudCustomCombo::DoEnter()
{
    FHasFocus = true;
    if (FFocusColor != clNone)
        ApplyColor(FFocusColor);
    if (FLabel.FocusLabel)
        FLabel.SetBold(true);
    PlaceEditField();
    update();
    TEditorKeys<QComboBox>::DoEnter();
}

void TRudCustomCombo::DoExit()
{
    FHasFocus = false;
    if (FFocusColor != clNone && FNormalColor != clNone)
        ApplyColor(FNormalColor);
    FLabel.SetBold(false);
    PlaceEditField();
    update();
    TEditorKeys<QComboBox>::DoExit();
}

void TRudCustomCombo::enterEvent(QEnterEvent *e)
{
    QComboBox::enterEvent(e);
    if (FHover.Enter(isEnabled()))
        update();
    if (FAutoFocus && (!window() || window()->isActiveWindow()))
        setFocus(Qt::MouseFocusReason);
}

void TRudCustomCombo::leaveEvent(QEvent *e)
{
    QComboBox::leaveEvent(e);
    if (FHover.Leave())
        update();
}

void TRudCustomCombo::mouseMoveEvent(QMouseEvent *e)
{
    QComboBox::mouseMoveEvent(e);
    if (FHover.Move(int(e->position().x()), width(), FButtonWidth))
        update();
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
