#include "grid/string/inplaceedit.h"

#include "grid/base/textroutines.h"
#include "grid/string/dazstringgrid.h"
#include "grid/string/grideditoraccess.h"
#include "platform/locale.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QMimeData>

namespace {

QChar ThousandSeparatorChar()
{
    const QString group = QLocale().groupSeparator();
    const QChar dec = DecimalSeparator();
    if (group.size() == 1 && group.at(0) != dec)
        return group.at(0);
    return dec == u',' ? QChar(u'.') : QChar(u',');
}

bool IsDigit(QChar C)
{
    return C >= u'0' && C <= u'9';
}

}   // namespace

TDazInplaceEdit::TDazInplaceEdit(TDazStringGrid *Grid) : TInplaceEdit(Grid), FGrid(Grid)
{
    // Paths that would bypass the character and paste filters stay closed.
    setContextMenuPolicy(Qt::NoContextMenu);
    setAcceptDrops(false);
    setMaxLength(32767);
}

void TDazInplaceEdit::SetVAlign(bool Value)
{
    FVAlign = Value;
    setAlignment(Value ? Qt::AlignRight : Qt::AlignLeft);
}

void TDazInplaceEdit::SetWordWrap(bool Value)
{
    FWordWrap = Value;
    setWrapping(Value);
}

// ---------------------------------------------------------------------------------------
// Loading and placing

void TDazInplaceEdit::UpdateContents()
{
    if (!FGrid)
        return;
    // The limit filters typing and pasting; a longer text already in the cell stays whole.
    LoadText(QString());
    FGrid->FNoEditChange = true;
    // A password or a masked cell is edited on one line.
    setEchoMode(FGrid->FEditControl == edPassword ? QLineEdit::Password : QLineEdit::Normal);
    setInputMask(FGrid->GetEditMask(FGrid->Col(), FGrid->Row()));
    setMaxLength(32767);
    LoadText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
    FLengthLimit = int16_t(std::clamp(FGrid->GetEditLimit(), -32768, 32767));

    TGridDrawState state;
    TBrush brush;
    brush.Color = FGrid->Color();
    TColor colorTo = clNone, mirror = clNone, mirrorTo = clNone;
    TFont font = FGrid->Font().Value();
    TAlignment hAlign = taLeftJustify;
    TVAlignment vAlign = vtaTop;
    bool wrap = FGrid->WordWrap();
    TCellGradientDirection dir = GradientVertical;
    const int realCol = FGrid->RealCol();
    FGrid->GetVisualProperties(FGrid->Col(), FGrid->Row(), state, false, false, true, brush,
                               colorTo, mirror, mirrorTo, font, hAlign, vAlign, wrap, dir);
    if (brush.Color == clNone)
        brush.Color = FGrid->Color();
    QPalette pal = palette();
    if (brush.Color != clNone)
        pal.setColor(QPalette::Base, ToQColor(brush.Color));
    pal.setColor(QPalette::Text, ToQColor(font.Color));
    setPalette(pal);
    setFont(font.ToQFont());
    SetVAlign(hAlign == taRightJustify);
    FWordWrap = FGrid->WordWrap();
    setWrapping(wrap);
    FColE = FGrid->Col();
    FRowE = FGrid->Row();
    FGrid->DoGetEditorProp(realCol, FGrid->Row(), nullptr);
}

void TDazInplaceEdit::BoundsChanged()
{
    if (!FGrid)
        return;
    // The cell's whole rectangle (a merge included), one pixel inside its lines.
    const TRect r = FGrid->CellRect(FGrid->Col(), FGrid->Row());
    if (r.Right > r.Left && r.Bottom > r.Top)
        setGeometry(r.Left, r.Top, std::max(1, r.Right - r.Left - 1),
                    std::max(1, r.Bottom - r.Top - 1));
    // Text inside the cell's frame: 3 pixels from the left and the top.
    setTextMargins(2, 2, 1, 0);
}

// ---------------------------------------------------------------------------------------
// Text changes

void TDazInplaceEdit::Change()
{
    TInplaceEdit::Change();
    if (FGrid && !FGrid->FNoEditChange && FGrid->OnEditChange)
        FGrid->OnEditChange(FGrid, FGrid->RealCol(), FGrid->Row(), text());
}

void TDazInplaceEdit::SetTextKeepCell(const QString &Value)
{
    const bool was = FGrid->FNoEditChange;
    FGrid->FNoEditChange = true;
    setText(Value);
    FGrid->FNoEditChange = was;
}

void TDazInplaceEdit::DoChange()
{
    if (Workmode && TGridEditorAccess::LookupComplete(FGrid, this))
        GotKey = false;
}

// ---------------------------------------------------------------------------------------
// Keys

bool TDazInplaceEdit::event(QEvent *e)
{
    if (e->type() == QEvent::KeyRelease) {
        auto *k = static_cast<QKeyEvent *>(e);
        if (k->key() == Qt::Key_Backspace && (k->modifiers() & Qt::AltModifier))
            FAltBack = false;
    }
    return TInplaceEdit::event(e);
}

void TDazInplaceEdit::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Backspace && (e->modifiers() & Qt::AltModifier))
        FAltBack = true;
    FKeyConsumed = false;
    TInplaceEdit::keyPressEvent(e);
    FKeyConsumed = false;
}

void TDazInplaceEdit::ShowRefused(const QString &OldCellText)
{
    // The validation proposed a text, shown without reaching the cell; the baseline of the
    // edit stays the old one.
    LoadText(FGrid->FNewCellText);
    if (FGrid->Navigation().EditSelectAll())
        selectAll();
    else
        setCursorPosition(int(text().size()));
    FGrid->FOldCellText = OldCellText;
    update();
}

bool TDazInplaceEdit::CommitAndValidate(bool WriteFirst)
{
    const QString oldCellText = FGrid->FOldCellText;
    const QString value = text();
    if (WriteFirst) {
        FGrid->FValidating = true;
        try {
            FGrid->SetCurrentCellEditText(value);
        } catch (...) {
            FGrid->FValidating = false;
            throw;
        }
        FGrid->FValidating = false;
    }
    if (!FGrid->ValidateCell(value)) {
        if (isVisible())
            ShowRefused(oldCellText);
        return false;
    }
    if (isVisible())
        SetTextKeepCell(FGrid->FNewCellText);
    return true;
}

void TDazInplaceEdit::WMKeyDown(TKeyMessage &Message)
{
    if (!FGrid) {
        TInplaceEdit::WMKeyDown(Message);
        return;
    }
    const uint16_t key = Message.CharCode;
    const TShiftState shift = Message.Shift;
    const bool ctrl = shift.Contains(ssCtrl);
    FOldSelStart = Caret();
    TNavigation &nav = FGrid->Navigation();

    if (key == VK_ESCAPE) {
        // The text the cell had when it was entered comes back; the key goes on.
        setText(FGrid->FCellCache);
        FGrid->HideInplaceEdit();
        TInplaceEdit::WMKeyDown(Message);
        return;
    }
    if (key == 'A' && ctrl && !shift.Contains(ssAlt)) {
        selectAll();
        Message.Result = 1;
        FKeyConsumed = true;
        return;
    }
    const bool multiline = FGrid->WordWrap() || FGrid->Multilinecells();
    if (key == VK_RETURN && ctrl && !(nav.AllowCtrlEnter() && multiline)) {
        Message.Result = 1;
        FKeyConsumed = true;
        return;
    }

    if (key == VK_RETURN && ctrl && nav.LineFeedOnEnter()) {
        // Enter types line breaks here: Ctrl+Enter ends the edit as Enter would.
        FKeyConsumed = true;
        Message.Result = 1;
        QChar enter(13);
        TInplaceEdit::KeyPress(enter);
        return;
    }

    const int len = int(text().size());
    if (key == VK_TAB && FGrid->EditorWantsTab()) {
        FKeyConsumed = true;
        Message.Result = 1;
        const bool back = shift.Contains(ssShift);
        if (!CommitAndValidate(false))
            return;
        TDazStringGrid *grid = FGrid;
        grid->HideInplaceEdit();
        if (grid->Options().Contains(goTabs)) {
            grid->TabToNextCell(back);
        } else {
            // The dialog moves the focus on, as a Tab pressed in the grid would.
            QApplication::postEvent(grid, new QKeyEvent(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab,
                                                        back ? Qt::ShiftModifier : Qt::NoModifier));
        }
        return;
    }
    if (nav.CursorWalkEditor() && shift == TShiftState{ssShift} && !hasSelectedText() &&
        ((key == VK_LEFT && Caret() == 0) || (key == VK_RIGHT && Caret() == len))) {
        FKeyConsumed = true;
        if (CommitAndValidate(true)) {
            FGrid->HideInplaceEdit();
            FGrid->setFocus(Qt::OtherFocusReason);
        }
        return;
    }
    if (((key == VK_UP && CaretOnFirstLine()) || (key == VK_DOWN && CaretOnLastLine())) && !ctrl) {
        // The caret leaves the text: the cell is written and validated first.
        if (!CommitAndValidate(true)) {
            FKeyConsumed = true;
            return;
        }
        TDazStringGrid *grid = FGrid;
        const int row = grid->Row();
        TInplaceEdit::WMKeyDown(Message);
        if (grid->Row() != row && grid->MouseActions().DisjunctRowSelect()) {
            grid->ClearRowSelect();
            grid->SetRowSelect(grid->Row(), true);
        }
        return;
    }
    if (key == VK_RETURN && !ctrl && !nav.LineFeedOnEnter()) {
        if (!CommitAndValidate(false))
            FKeyConsumed = true;
        return;
    }
    if ((key == VK_HOME || key == VK_END) && !ctrl && !shift.Contains(ssShift)) {
        setCursorPosition(key == VK_HOME ? 0 : len);
        Message.Result = 1;
        return;
    }
    TInplaceEdit::WMKeyDown(Message);
}

void TDazInplaceEdit::KeyDown(uint16_t &Key, TShiftState Shift)
{
    FSelKeyDown = Caret();
    Workmode = Key != VK_BACK && Key != VK_DELETE;
    if (!FGrid) {
        TInplaceEdit::KeyDown(Key, Shift);
        return;
    }
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool shift = Shift.Contains(ssShift);
    if (Key == VK_RETURN && !FGrid->Navigation().AllowCtrlEnter() &&
        (FGrid->WordWrap() || FGrid->Multilinecells()))
        FGrid->FEditing = false;
    if (Key == VK_RETURN && (shift || ctrl) && FGrid->SizeWhileTyping().Height() &&
        FGrid->Multilinecells())
        GrowRow();
    // Up and Down move the caret between the lines of the text.
    if (((Key == VK_UP && !CaretOnFirstLine()) || (Key == VK_DOWN && !CaretOnLastLine())) &&
        !ctrl) {
        if (FPendingKey)
            DefaultKey(FPendingKey);
        Key = 0;
        return;
    }
    // Clipboard keys run through the grid's paste and cut rules.
    if ((ctrl && Key == 'V') || (shift && !ctrl && Key == VK_INSERT)) {
        WMPaste();
        Key = 0;
        return;
    }
    if ((ctrl && Key == 'X') || (shift && !ctrl && Key == VK_DELETE)) {
        WMCut();
        Key = 0;
        return;
    }
    if ((ctrl && Key == 'C') || (ctrl && !shift && Key == VK_INSERT)) {
        WMCopy();
        Key = 0;
        return;
    }
    TInplaceEdit::KeyDown(Key, Shift);
}

void TDazInplaceEdit::KeyPress(QChar &Key)
{
    if (FGrid && Key.unicode() == 13 && !FGrid->Navigation().LineFeedOnEnter() &&
        !FGrid->ValidateCell(text())) {
        SetTextKeepCell(FGrid->GetCurrentCell());
        Key = QChar();
        return;
    }
    TInplaceEdit::KeyPress(Key);
}

bool TDazInplaceEdit::FilterChar(QChar &Ch, const TKeyMessage &Message)
{
    const ushort c = Ch.unicode();
    const bool ctrl = Message.Shift.Contains(ssCtrl);
    const QChar dec = DecimalSeparator();
    const QChar thousand = ThousandSeparatorChar();
    const QString t = text();
    const QString sel = selectedText();
    const int selStart = hasSelectedText() ? selectionStart() : Caret();
    const QString outside = t.left(selStart) + t.mid(selStart + sel.size());
    auto beep = [] { QApplication::beep(); };
    const bool control = c == 8 || c == 9 || c == 13 || c == 27;

    switch (FGrid->FEditControl) {
    case edNormal:
    case edPassword:
        return true;
    case edNumeric:
        if (control || IsDigit(Ch))
            return true;
        if (Ch == u'-' && !t.contains(u'-') && Caret() == 0)
            return true;
        beep();
        return false;
    case edPositiveNumeric:
        if (control || IsDigit(Ch))
            return true;
        beep();
        return false;
    case edFloat:
    case edPositiveFloat: {
        const bool positive = FGrid->FEditControl == edPositiveFloat;
        const bool candidate = control || IsDigit(Ch) || Ch == u',' || Ch == u'.' ||
                               (Ch == u'-' && !positive);
        if (!candidate) {
            if (ctrl)
                return true;
            if (Ch == u'-')
                beep();
            return false;
        }
        if (Ch == dec)
            return !outside.contains(dec);
        if (Ch == thousand)
            return false;
        if (Ch == u'-') {
            if (sel.contains(u'-') || (Caret() == 0 && !t.contains(u'-')))
                return true;
            beep();
            return false;
        }
        return true;
    }
    case edCapital:
    case edUpperCase:
        Ch = Ch.toUpper();
        return true;
    case edLowerCase:
        Ch = Ch.toLower();
        return true;
    case edMixedCase:
        return true;
    case edValidChars: {
        if (c == 8 || c == 13)
            return true;
        const QString valid = FGrid->ValidChars();
        if (!valid.isEmpty() ? valid.contains(Ch) : (c <= 255 && FGrid->ValidCharSet().test(c)))
            return true;
        beep();
        return false;
    }
    default:
        return false;
    }
}

void TDazInplaceEdit::GrowRow()
{
    // The row takes the lines the text has with the line break about to be typed.
    TDazStringGrid *grid = FGrid;
    const int row = grid->Row();
    const int lines = CountCellLines(text() + QStringLiteral("\r\n "), true);
    const bool synch = grid->ColumnSize().SynchWithGrid();
    grid->ColumnSize().SetSynchWithGrid(false);
    if (lines < grid->MaxRowLines(row)) {
        grid->AutoSizeRow(row);
    } else {
        const QFontMetrics fm(font());
        grid->SetRowHeights(row, lines * fm.height() + grid->CellYMargin());
    }
    grid->ColumnSize().SetSynchWithGrid(synch);
    if (grid->OnEndRowSize)
        grid->OnEndRowSize(grid, row);
}

void TDazInplaceEdit::PassChar(QChar Ch, TKeyMessage &Message)
{
    Message.CharCode = Ch.unicode();
    TInplaceEdit::WMChar(Message);
}

void TDazInplaceEdit::WMChar(TKeyMessage &Message)
{
    if (!FGrid) {
        TInplaceEdit::WMChar(Message);
        return;
    }
    if (FKeyConsumed) {
        Message.Result = 1;
        return;
    }
    QChar ch(Message.CharCode);
    const bool ctrl = Message.Shift.Contains(ssCtrl);
    TNavigation &nav = FGrid->Navigation();
    if (Message.KeypadDecimal && ch == u'.' && FGrid->ExcelStyleDecimalSeparator())
        ch = DecimalSeparator();
    if ((ch.unicode() == 1 && ctrl) ||
        (ch.unicode() == 10 && ctrl &&
         !(nav.AllowCtrlEnter() && (FGrid->WordWrap() || FGrid->Multilinecells())))) {
        Message.Result = 1;
        return;
    }
    const ushort c = ch.unicode();
    if (FLengthLimit > 0 && text().size() >= FLengthLimit && !hasSelectedText() && c != 8 &&
        c != 27 && c != 13)
        return;
    // A line break adds CR LF to the cell's text: dropped when the two do not fit.
    const bool breakFits = FLengthLimit <= 0 ||
                           text().size() - selectedText().size() + 2 <= FLengthLimit;
    const TEditorType type = FGrid->FEditControl;
    if (c == 13 && nav.LineFeedOnEnter() &&
        (type == edNormal || type == edCapital || type == edMixedCase || type == edLowerCase ||
         type == edUpperCase || type == edValidChars)) {
        if (breakFits)
            DefaultChar(ch);   // a line break
        return;
    }
    if (c == 10 && !breakFits)
        return;
    if (!IsTextEditorType(type) && FGrid->FEditMode)
        return;
    if (!FilterChar(ch, Message))
        return;
    if (type == edMixedCase && c >= 32) {
        PassChar(ch, Message);
        const int pos = Caret();
        SetTextKeepCell(ToMixedCase(text()));
        TInplaceEdit::Change();
        setCursorPosition(std::min(pos, int(text().size())));
    } else {
        PassChar(ch, Message);
    }
    // A full field moves on by itself.
    const int maxLen = FGrid->MaxEditLength();
    if (FGrid && nav.AdvanceAuto() && nav.AdvanceOnEnter() && maxLen > 0 &&
        text().size() >= maxLen && !hasSelectedText() && Caret() == text().size()) {
        QChar enter(13);
        FGrid->KeyPress(enter);
    }
}

void TDazInplaceEdit::WMKeyUp(TKeyMessage &Message)
{
    TInplaceEdit::WMKeyUp(Message);
}

void TDazInplaceEdit::KeyUp(uint16_t &Key, TShiftState Shift)
{
    if (!FGrid) {
        TInplaceEdit::KeyUp(Key, Shift);
        return;
    }
    if (TGridEditorAccess::CursorWalk(FGrid, this, Key, Shift, FSelKeyDown,
                                      [this] { return CommitAndValidate(true); }))
        return;
    TInplaceEdit::KeyUp(Key, Shift);
    DoChange();
    // The cell grows with its text.
    TDazStringGrid *grid = FGrid;
    if (grid->SizeWhileTyping().Width())
        grid->AutoSizeCol(grid->Col());
    if (grid->SizeWhileTyping().Height() && grid->WordWrap()) {
        const bool synch = grid->ColumnSize().SynchWithGrid();
        grid->ColumnSize().SetSynchWithGrid(false);
        grid->AutoSizeRow(grid->Row());
        grid->ColumnSize().SetSynchWithGrid(synch);
        if (grid->OnEndRowSize)
            grid->OnEndRowSize(grid, grid->Row());
    }
}

void TDazInplaceEdit::mouseDoubleClickEvent(QMouseEvent *e)
{
    TInplaceEdit::mouseDoubleClickEvent(e);
    if (FGrid && FGrid->OnDblClickCell)
        FGrid->OnDblClickCell(FGrid, FGrid->Row(), FGrid->Col());
}

// ---------------------------------------------------------------------------------------
// Clipboard

void TDazInplaceEdit::WMPaste()
{
    if (!FGrid)
        return;
    QString value;
    if (!TGridEditorAccess::PasteText(FGrid, this, value))
        return;
    if (FLengthLimit > 0 && value.size() > FLengthLimit)
        return;
    const int col = FGrid->RealCol();
    const int row = FGrid->Row();
    int start = 0;
    bool replaced = false;
    const QString result = TGridEditorAccess::PasteResult(this, value, start, replaced);
    if (FLengthLimit > 0 && result.size() > FLengthLimit)
        return;

    const int kind = DetectNumberKind(value);
    QString stored = result;
    bool ok = true;
    switch (FGrid->FEditControl) {
    case edNumeric:
        ok = kind == 0;
        break;
    case edPositiveNumeric:
        ok = kind == 0 && !value.contains(u'-');
        break;
    case edFloat:
        ok = kind == 0 || kind == 1;
        break;
    case edPositiveFloat:
        ok = (kind == 0 || kind == 1) && !value.contains(u'-');
        break;
    case edMixedCase:
        stored = ToMixedCase(result);
        break;
    case edLowerCase:
        stored = result.toLower();
        break;
    case edUpperCase:
        stored = result.toUpper();
        break;
    case edValidChars:
        for (QChar ch : value)
            ok = ok && FGrid->ValidChars().contains(ch);
        break;
    default:
        break;
    }
    if (ok)
        setText(stored);
    FGrid->SetCurrentCellEditText(text());
    if (ok)
        TGridEditorAccess::ShowPasted(this, start, int(value.size()), replaced);
    if (FGrid->OnClipboardAfterPasteCell)
        FGrid->OnClipboardAfterPasteCell(this, col, row, text());
}

void TDazInplaceEdit::WMCut()
{
    bool allow = true;
    if (FGrid && FGrid->OnClipboardCut)
        FGrid->OnClipboardCut(this, allow);
    if (allow)
        cut();
}

void TDazInplaceEdit::WMCopy()
{
    bool allow = true;
    if (FGrid && FGrid->OnClipboardCopy)
        FGrid->OnClipboardCopy(this, allow);
    if (allow)
        copy();
}

// ---------------------------------------------------------------------------------------
// Focus

void TDazInplaceEdit::focusInEvent(QFocusEvent *e)
{
    TInplaceEdit::focusInEvent(e);
    if (!FGrid)
        return;
    FGotFocus = true;
    FGrid->FNoEditChange = false;
    FLengthLimit = int16_t(std::clamp(FGrid->GetEditLimit(), -32768, 32767));
    // A masked edit opened from the keyboard starts on its first position.
    if (!inputMask().isEmpty() && !FGrid->FLButFlg && FGrid->Navigation().ImproveMaskSel()) {
        setSelection(0, 1);
        return;
    }
    if (!FGrid->Navigation().EditSelectAll())
        setCursorPosition(int(text().size()));
    if (FGrid->FLButFlg) {
        FGrid->FLButFlg = false;
        // The caret goes under the press that opened the edit.
        const QPoint p = mapFromGlobal(
            FGrid->viewport()->mapToGlobal(QPoint(FGrid->FClickPos.X, FGrid->FClickPos.Y)));
        if (rect().contains(p))
            setCursorPosition(cursorPositionAt(p));
    }
}

void TDazInplaceEdit::focusOutEvent(QFocusEvent *e)
{
    // A popup or another window taking the focus for a while does not end the edit: Qt
    // gives it back when it returns.
    if (e->reason() == Qt::PopupFocusReason || e->reason() == Qt::ActiveWindowFocusReason) {
        TInplaceEdit::focusOutEvent(e);
        return;
    }
    if (!FGrid) {
        TInplaceEdit::focusOutEvent(e);
        return;
    }
    TDazStringGrid *grid = FGrid;
    grid->FStartEditChar = QChar();
    if (grid->LookupHistory() && !text().isEmpty() && grid->LookupItems().IndexOf(text()) < 0)
        grid->LookupItems().Add(text());
    TInplaceEdit::focusOutEvent(e);
    if (FAltBack)
        return;
    const QWidget *now = QApplication::focusWidget();
    const bool toGrid = now == grid || now == grid->viewport();
    if (!toGrid) {
        struct Close
        {
            TDazStringGrid *g;
            TDazInplaceEdit *e;
            ~Close()
            {
                g->HideInplaceEdit();
                g->FEditing = false;
                g->FEditMode = false;
                g->SelectCell(e->FColE, e->FRowE);
            }
        } close{grid, this};
        grid->ValidateCell(text());
        SetTextKeepCell(grid->GetCurrentCell());
    }
    SetTextKeepCell(grid->GetCurrentCell());
    if (FGotFocus && !grid->FReopening) {
        FGotFocus = false;
        grid->NotifyEditDone(grid->RealColIndex(FColE), FRowE);
    }
}
