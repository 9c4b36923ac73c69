// The drop-down edit's window: making it, opening it below or above the edit within the
// work area, and closing it accepted or cancelled.
#include "controls/dropdown/dropdownbutton.h"
#include "controls/dropdown/dropdownedit.h"
#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownpanels.h"
#include "controls/dropdown/dropdownscreen.h"

#include <QApplication>
#include <QKeyEvent>
#include <QToolTip>

namespace {
// A click re-opens only this long after the window lost activation.
constexpr uint32_t kReopenDelayMs = 250;
}   // namespace

void TDazCustomDropDown::InitializeDropDown()
{
    CreateDropDownForm();
    CreateButton();
    SetText(QString());
    FOldText.clear();
    SetSelectionColorStyle(scOffice2007);
    SetComponentStyle(tsOffice2007Luna);
    auto refresh = [this](TObject *) {
        if (FDroppedDown && FDropDownForm)
            FDropDownForm->InitializeAndUpdate();
    };
    FDropDownHeader->OnChange = FDropDownHeader->OnButtonsChanged = refresh;
    FDropDownFooter->OnChange = FDropDownFooter->OnButtonsChanged = refresh;
}

QString TDazCustomDropDown::Version() const
{
    const unsigned v = GetVersionNr();
    return QStringLiteral("%1.%2.%3.%4")
        .arg(v >> 24)
        .arg((v >> 16) & 0xFF)
        .arg((v >> 8) & 0xFF)
        .arg(v & 0xFF);
}

void TDazCustomDropDown::CreateDropDownForm()
{
    if (FDropDownForm)
        return;
    FDropDownForm = new TDropDownForm(this);
    FDropDownForm->SetDazDropDown(this);
    FDropDownForm->resize(FDropDownWidth, FDropDownHeight);
    FDropDownForm->OnHide = [this](TObject *) { AfterHideDropDown(); };
    FDropDownForm->OnSizing = [this](TObject *) { DropDownSizing(); };
    FDropDownForm->OnWheel = [this](int Delta) { Wheel(Delta); };
    FDropDownForm->installEventFilter(this);
}

void TDazCustomDropDown::CreateButton()
{
    if (!FButton) {
        FButton = new TDropDownEditButton(this);
        FButton->OnClick = [this](TObject *) { ButtonClick(); };
    }
    AdjustButtonSize();
}

void TDazCustomDropDown::AdjustButtonSize()
{
    if (!FButton)
        return;
    FButton->SetBounds(width() - FButton->FBWidth - 2, 2, FDropDownButtonWidth, 17);
    FButton->setVisible(true);
    FButton->SetFocusControl(this);
    ResizeControl();
}

void TDazCustomDropDown::SetDropDownButtonWidth(int Value)
{
    if (!FButton || Value == FDropDownButtonWidth)
        return;
    FDropDownButtonWidth = Value;
    FButton->FBWidth = Value;
    AdjustButtonSize();
}

void TDazCustomDropDown::SetDropDownButtonHint(const QString &Value)
{
    if (Value == FDropDownButtonHint)
        return;
    FDropDownButtonHint = Value;
    if (FButton)
        FButton->setToolTip(Value);
}

QImage TDazCustomDropDown::DropDownButtonGlyph() const
{
    return FButton ? FButton->Glyph() : QImage();
}

void TDazCustomDropDown::SetDropDownButtonGlyph(const QImage &Value)
{
    if (FButton)
        FButton->SetGlyph(Value);
}

void TDazCustomDropDown::SetDropDownWidth(int Value)
{
    if (Value != FDropDownWidth)
        FUserDropDownWidth = FUserDropDownHeight = -1;
    FDropDownWidth = Value;
}

void TDazCustomDropDown::SetDropDownHeight(int Value)
{
    if (Value != FDropDownHeight)
        FUserDropDownWidth = FUserDropDownHeight = -1;
    FDropDownHeight = Value;
}

void TDazCustomDropDown::SetDropDownControl(QWidget *Control)
{
    if (Control == FControl)
        return;
    FControl = Control;
    PlaceDropDownControl();
}

void TDazCustomDropDown::PlaceDropDownControl()
{
    if (FDropDownForm && FControl)
        FDropDownForm->SetControl(FControl);
}

void TDazCustomDropDown::SizeDropDownForm()
{
    if (!FDropDownForm)
        return;
    const bool control = FControl && !FControl->isHidden();
    const int w = FDropDownWidth > 0 ? FDropDownWidth : control ? FControl->width() : width();
    int h = FDropDownHeight;
    if (h <= 0) {
        h = 2 * DropDownBorderWidth;
        if (TDazHeader *hd = FDropDownForm->Header(); hd && !hd->isHidden())
            h += hd->height();
        if (TDazFooter *ft = FDropDownForm->Footer(); ft && !ft->isHidden())
            h += ft->height();
        if (control)
            h += FControl->height();
    }
    FDropDownForm->resize(w, h);
}

void TDazCustomDropDown::BeforeDropDown()
{
    if (OnBeforeDropDown)
        OnBeforeDropDown(this);
}

void TDazCustomDropDown::FocusDropDownControl()
{
    if (FFocusControl && FFocusControl->focusPolicy() & Qt::TabFocus && FFocusControl->isEnabled() &&
        !FFocusControl->hasFocus())
        FFocusControl->setFocus();
}

void TDazCustomDropDown::ButtonClick()
{
    if (!FDropDownForm || FDropDownForm->isVisible())
        return;
    if (DropDownScreen().TickCount() - FDropDownForm->DeActivateTime() > kReopenDelayMs)
        DoShowDropDown();
}

void TDazCustomDropDown::DoShowDropDown()
{
    if (!FDropDownForm || FDropDownForm->isVisible() || !isEnabled() || isReadOnly())
        return;
    BeforeDropDown();
    FDropDownForm->Shadow = DropDownShadow;
    FDropDownForm->Sizeable = DropDownSizeable;
    FDropDownForm->InitializeAndUpdate();
    SizeDropDownForm();
    PlaceDropDownControl();
    FDropDownForm->setMinimumSize(80, 50);
    if (FControl)
        FControl->installEventFilter(this);
    const QPoint p = mapToGlobal(QPoint(0, 0));
    QSize size = FDropDownForm->size().expandedTo(QSize(80, 50));
    QPoint at(p.x(), p.y() + height() - 1);
    if (DropPosition == dpUp ||
        (DropPosition == dpAuto && p.y() + size.height() >= DropDownScreen().ScreenHeight(p)))
        at.setY(p.y() - size.height());
    bool accept = true;
    if (OnDropDown)
        OnDropDown(this, accept);
    if (!accept)
        return;
    const QRect work = DropDownScreen().WorkArea(p);
    const int workRight = work.x() + work.width();
    if (work.x() >= 0 && at.x() + size.width() > workRight && at.x() < workRight)
        at.setX(workRight - size.width());
    if (FUserDropDownWidth != -1 && FUserDropDownHeight != -1)
        size = QSize(FUserDropDownWidth, FUserDropDownHeight);
    int h = size.height();
    AdjustDropDownHeight(h);
    size.setHeight(h);
    FDroppedDown = true;
    FDropDownForm->setGeometry(QRect(at, size));
    FDropDownForm->show();
    FDropDownForm->raise();
    FDropDownForm->activateWindow();
    FocusDropDownControl();
}

void TDazCustomDropDown::DoHideDropDown(bool Cancelled)
{
    if (!FDropDownForm || !FDropDownForm->isVisible())
        return;
    if (OnBeforeDropUp)
        OnBeforeDropUp(this);
    FUserDropDownWidth = FDropDownForm->width();
    FUserDropDownHeight = FDropDownForm->height();
    FDropDownForm->hide();
    QToolTip::hideText();
    if (Cancelled)
        SetText(FOldText);
    if (OnDropUp)
        OnDropUp(this, Cancelled);
}

void TDazCustomDropDown::AfterHideDropDown()
{
    FDroppedDown = false;
    if (focusPolicy() & Qt::TabFocus && isEnabled() && isVisible() && !hasFocus())
        setFocus();
}

void TDazCustomDropDown::ControlKey(QKeyEvent *Event)
{
    QKeyEvent copy(Event->type(), Event->key(), Event->modifiers(), Event->text());
    QApplication::sendEvent(this, &copy);
}

bool TDazCustomDropDown::eventFilter(QObject *Watched, QEvent *Event)
{
    const bool key = Event->type() == QEvent::KeyPress || Event->type() == QEvent::KeyRelease;
    // The window's own keys are those typed while no control inside it has the focus; a
    // key a control ignores reaches the window too but was passed on already.
    const QWidget *focus = QApplication::focusWidget();
    const bool windowKey = Watched == FDropDownForm &&
                           !(focus && focus != FDropDownForm && FDropDownForm->isAncestorOf(focus));
    if (key && FDropDownForm && (Watched == FControl || windowKey))
        ControlKey(static_cast<QKeyEvent *>(Event));
    return QLineEdit::eventFilter(Watched, Event);
}

void TDazCustomDropDown::Assign(const TDazCustomDropDown *Source)
{
    if (!Source)
        return;
    const TDazCustomDropDown &s = *Source;
    FocusDraw = s.FocusDraw;
    ForceShadow = s.ForceShadow;
    DropDownEnabled = s.DropDownEnabled;
    DropDownColor = s.DropDownColor;
    DropDownColorTo = s.DropDownColorTo;
    DropDownGradient = s.DropDownGradient;
    DropDownBorderColor = s.DropDownBorderColor;
    DropDownBorderWidth = s.DropDownBorderWidth;
    DropDownShadow = s.DropDownShadow;
    FDropDownWidth = s.FDropDownWidth;
    FDropDownHeight = s.FDropDownHeight;
    DropDownSizeable = s.DropDownSizeable;
    FEditType = s.FEditType;
    ReturnIsTab = s.ReturnIsTab;
    LengthLimit = s.LengthLimit;
    FPrecision = s.FPrecision;
    FPrefix = s.FPrefix;
    FSuffix = s.FSuffix;
    DefaultHandling = s.DefaultHandling;
    CanUndo = s.CanUndo;
    ExcelStyleDecimalSeparator = s.ExcelStyleDecimalSeparator;
    ValidChars = s.ValidChars;
    Signed = s.Signed;
    AutoThousandSeparator = s.AutoThousandSeparator;
    FButtonAppearance.Assign(&s.FButtonAppearance);
    FDropDownHeader->Assign(s.FDropDownHeader.get());
    FDropDownFooter->Assign(s.FDropDownFooter.get());
    DropPosition = s.DropPosition;
    Flat = s.Flat;
    SetDropDownButtonWidth(s.FDropDownButtonWidth);
    SetDropDownButtonHint(s.FDropDownButtonHint);
    FEditorEnabled = s.FEditorEnabled;
    if (FButton && s.FButton) {
        FButton->SetGlyph(s.FButton->Glyph());
        FButton->SetButtonCaption(s.FButton->ButtonCaption());
    }
    Etched = s.Etched;
    Images = s.Images;
    FSelectionColorStyle = s.FSelectionColorStyle;
    SelectionColor = s.SelectionColor;
    SelectionColorTo = s.SelectionColorTo;
}
