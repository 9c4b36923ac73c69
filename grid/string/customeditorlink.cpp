#include "grid/string/customeditorlink.h"

#include "grid/string/grideditoraccess.h"

#include <QApplication>
#include <QKeyEvent>

TEditLink::TEditLink(QObject *AOwner) : QObject(AOwner) {}

TEditLink::~TEditLink()
{
    FOwner = nullptr;
    if (FFiltered)
        FFiltered->removeEventFilter(this);
    if (FPopupForm)
        FPopupForm->removeEventFilter(this);
    delete FPopupForm;
}

QWidget *TEditLink::GetParent() const
{
    if (EditStyle == esPopup && FPopupForm)
        return FPopupForm;
    return FOwner ? FOwner->viewport() : nullptr;
}

QString TEditLink::GetCellValue() const
{
    return FOwner ? FOwner->Cells(FOwner->RealCol(), FOwner->Row()) : QString();
}

void TEditLink::SetCellValue(const QString &S)
{
    if (FOwner)
        FOwner->SetCellFromEditor(FOwner->RealCol(), FOwner->Row(), S);
}

void TEditLink::SetFocus(bool Value)
{
    QWidget *control = GetEditControl();
    if (!control)
        return;
    if (Value) {
        control->setVisible(true);
        control->setEnabled(true);
        // The grid hears the control's keys first (its window procedure in front).
        if (FFiltered != control) {
            if (FFiltered)
                FFiltered->removeEventFilter(this);
            control->installEventFilter(this);
            FFiltered = control;
        }
        control->setFocus(Qt::OtherFocusReason);
    } else if (FOwner) {
        FOwner->setFocus(Qt::OtherFocusReason);
    }
}

void TEditLink::SetRect(const QRect &R)
{
    QWidget *control = GetEditControl();
    if (!control)
        return;
    const int line = FOwner ? FOwner->GridLineWidth() : 0;
    control->setGeometry(R.left(), R.top(), std::max(1, R.width() - line),
                         std::max(1, R.height() - line));
}

void TEditLink::SetVisible(bool Value)
{
    if (QWidget *control = GetEditControl())
        control->setVisible(Value);
}

void TEditLink::RestoreWinProc()
{
    QWidget *control = GetEditControl();
    if (EditStyle != esInplace || !control)
        return;
    if (FFiltered) {
        FFiltered->removeEventFilter(this);
        FFiltered = nullptr;
    }
    control->hide();
}

void TEditLink::HideEditor()
{
    SetCellValue(GetEditorValue());
    if (FOwner)
        FOwner->HideInplaceEdit();
    RestoreWinProc();
}

void TEditLink::FormExit()
{
    if (!FOwner || FClosing)
        return;
    if (FForcedExit) {
        SetCellValue(GetEditorValue());
        return;
    }
    const QPointer<TDazStringGrid> grid = FOwner;
    HideEditor();
    if (EditStyle == esPopup && FPopupForm) {
        DestroyEditor();
        FPopupForm->hide();
    }
    if (grid)
        grid->SetInvokedFocusChange(true);
}

void TEditLink::Open(TDazStringGrid *AGrid, int RealCol, int ARow, const QRect &CellRect,
                     TColor AColor, const TFont &AFont, const QString &Value)
{
    FOwner = AGrid;
    FEditCell = QPoint(RealCol, ARow);
    if (EditStyle == esPopup) {
        if (AutoPopupWidth)
            PopupWidth = CellRect.width();
        if (!FPopupForm) {
            FPopupForm = new QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint |
                                                  Qt::WindowStaysOnTopHint);
            FPopupForm->setObjectName(QStringLiteral("gridform"));
            FPopupForm->installEventFilter(this);
        }
        const QPoint at = PopupLeft == -1 || PopupTop == -1
                              ? AGrid->viewport()->mapToGlobal(CellRect.topLeft())
                              : QPoint(PopupLeft, PopupTop);
        FPopupForm->move(at);
        FPopupForm->resize(PopupWidth, PopupHeight);
        FPopupForm->show();
        CreateEditor(FPopupForm);
        SetRect(QRect(0, 0, PopupWidth, PopupHeight));
    } else {
        CreateEditor(AGrid->viewport());
        SetRect(CellRect);
    }
    SetVisible(true);
    SetCellProps(AColor, AFont);
    SetProperties();
    SetEditorValue(Value);
    SetFocus(true);
}

void TEditLink::Close()
{
    FClosing = true;
    if (EditStyle != esPopup)
        SetVisible(false);
    RestoreWinProc();
    if (EditStyle == esPopup && FPopupForm)
        FPopupForm->hide();
    FClosing = false;
}

void TEditLink::Finish()
{
    FForcedExit = true;
    FOwner->setFocus(Qt::OtherFocusReason);
    FForcedExit = false;
    FOwner->HideInplaceEdit();
}

void TEditLink::EditKeyDown(uint16_t &Key, TShiftState Shift)
{
    TDazStringGrid *grid = FOwner;
    if (!grid)
        return;
    bool ends = Shift.Contains(ssAlt);
    switch (Key) {
    case VK_TAB: ends = ends || !WantTabs; break;
    case VK_RETURN: ends = ends || !WantKeyReturn; break;
    case VK_ESCAPE: ends = ends || !WantKeyEscape; break;
    case VK_PRIOR:
    case VK_NEXT: ends = ends || !WantKeyPriorNext; break;
    case VK_END: ends = ends || !WantKeyHomeEnd; break;
    case VK_LEFT:
    case VK_RIGHT: ends = ends || !WantKeyLeftRight; break;
    case VK_UP:
    case VK_DOWN: ends = ends || !WantKeyUpDown; break;
    default: break;
    }
    if (!ends)
        return;
    const uint16_t key = Key;
    Key = 0;
    if (key == VK_ESCAPE)
        SetEditorValue(grid->CellCache());
    Finish();
    if (!grid->LastValidation()) {
        // The flag is set again for the reopened editor: its next value is judged afresh
        // instead of reopening the editor for good.
        TGridEditorAccess::ClearRefusal(grid);
        grid->ShowInplaceEdit();
        return;
    }
    if (key == VK_TAB) {
        grid->TabToNextCell(Shift.Contains(ssShift));
    } else if (key == VK_RETURN) {
        grid->AdvanceToNextCell(grid->Col(), grid->Row(), true, false, !Shift.Contains(ssShift),
                                true, false);
    } else if (key >= VK_LEFT && key <= VK_DOWN) {
        TGridEditorAccess::GridKeyDown(grid, key, Shift);
    }
}

bool TEditLink::eventFilter(QObject *Watched, QEvent *Event)
{
    if (Watched == FPopupForm && Event->type() == QEvent::WindowDeactivate) {
        FormExit();
        return false;
    }
    if (Watched == FFiltered && Event->type() == QEvent::KeyPress) {
        const TKeyInfo k = TranslateKeyEvent(*static_cast<QKeyEvent *>(Event));
        uint16_t key = k.Key;
        if (key == 0)
            return false;
        EditKeyDown(key, k.Shift);
        return key == 0;
    }
    if (Watched == FFiltered && Event->type() == QEvent::ShortcutOverride) {
        // Tab must reach the key filter instead of moving the focus.
        return false;
    }
    return QObject::eventFilter(Watched, Event);
}
