#include "grid/string/griddropdown.h"

#include "grid/string/grideditoraccess.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <map>

namespace {

std::map<TEditorType, TDropDownEditorMaker> &Makers()
{
    static std::map<TEditorType, TDropDownEditorMaker> makers;
    return makers;
}

}   // namespace

void SetDropDownEditorMaker(TEditorType Type, TDropDownEditorMaker Maker)
{
    if (Maker)
        Makers()[Type] = std::move(Maker);
    else
        Makers().erase(Type);
}

TDropDownEditorMaker DropDownEditorMaker(TEditorType Type)
{
    const auto it = Makers().find(Type);
    return it == Makers().end() ? TDropDownEditorMaker() : it->second;
}

bool IsDropDownEditorType(TEditorType Type)
{
    switch (Type) {
    case edTrackbarDropDown:
    case edMemoDropDown:
    case edCalculatorDropDown:
    case edTimePickerDropDown:
    case edDetailDropDown:
    case edGridDropDown:
    case edColorPickerDropDown:
    case edImagePickerDropDown:
    case edDazGridDropDown:
        return true;
    default:
        return false;
    }
}

TGridDropDownKeys::TGridDropDownKeys(TDazStringGrid *Grid, IDropDownEditor *Editor,
                                     TEditorType Type)
    : QObject(Editor->Control()), FGrid(Grid), FEditor(Editor), FType(Type)
{
    Editor->Control()->installEventFilter(this);
}

TGridDropDownKeys::~TGridDropDownKeys() = default;

bool TGridDropDownKeys::Commit()
{
    QString shown;
    const bool ok = TGridEditorAccess::Commit(FGrid, FEditor->Text(), shown);
    FEditor->SetText(shown);
    if (!ok)
        FEditor->SelectAll();
    return ok;
}

void TGridDropDownKeys::KeyDown(uint16_t &Key, TShiftState Shift)
{
    TDazStringGrid *grid = FGrid;
    Forced = false;
    WorkMode = Key != VK_BACK && Key != VK_DELETE;
    const bool dropped = FEditor->DroppedDown();
    const bool color = FType == edColorPickerDropDown;
    bool own;
    if (color && dropped)
        own = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE;
    else
        own = Key == VK_TAB || Key == VK_RETURN || Key == VK_ESCAPE || Key == VK_PRIOR ||
              Key == VK_NEXT || Key == VK_END || Key == VK_UP ||
              (Key == VK_DOWN && !Shift.Contains(ssAlt));
    if (!own)
        return;
    if (Key == VK_ESCAPE) {
        FEditor->SetText(grid->GetCurrentCell());
        TGridEditorAccess::Cancel(grid);
        grid->HideInplaceEdit();
        grid->setFocus(Qt::OtherFocusReason);
        Key = 0;
        return;
    }
    if (Key == VK_RETURN)
        FEditor->BeforeEnterCommit();
    const bool commits = Key == VK_RETURN || (!color && (Key == VK_UP || Key == VK_DOWN));
    if (commits && !Commit()) {
        Key = 0;
        return;
    }
    if (Key == VK_TAB && grid->EditorWantsTab()) {
        if (!Commit()) {
            Key = 0;
            return;
        }
        if (TGridEditorAccess::TabRule(grid, Shift)) {
            Key = 0;
            return;
        }
    }
    if (dropped) {
        grid->HideInplaceEdit();
        if (Key == VK_LEFT || Key == VK_RIGHT)
            TGridEditorAccess::GridKeyDown(grid, Key, Shift);
        if (Key == VK_PRIOR || Key == VK_NEXT || (Key >= VK_LEFT && Key <= VK_DOWN))
            Key = 0;
    } else if (Key == VK_END) {
        return;   // the control's own End
    }
    const uint16_t key = Key;
    Key = 0;
    TGridEditorAccess::Done(grid, key, Shift);
}

bool TGridDropDownKeys::eventFilter(QObject *, QEvent *Event)
{
    if (Event->type() == QEvent::KeyPress) {
        const TKeyInfo k = TranslateKeyEvent(*static_cast<QKeyEvent *>(Event));
        uint16_t key = k.Key;
        if (key == 0)
            return false;
        if (FGrid->OnKeyPress && !k.Char.isNull()) {
            QChar ch = k.Char;
            FGrid->OnKeyPress(this, ch);
        }
        KeyDown(key, k.Shift);
        return key == 0;
    }
    if (Event->type() == QEvent::FocusOut)
        TGridEditorAccess::FocusLost(FGrid, FEditor->Control(),
                                     static_cast<QFocusEvent *>(Event)->reason());
    return false;
}
