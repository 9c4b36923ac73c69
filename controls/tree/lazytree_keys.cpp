// The keyboard: navigation keys with the selection that follows the focus, the command
// keys, the space-bar check toggle and incremental search with its time-out.
#include "controls/tree/lazytree.h"

#include <QApplication>
#include <QKeyEvent>

using enum TLazyNodeState;
using enum TLazyTreeState;
using enum TLTSelectionOption;
using enum TLTMiscOption;
using enum TLTShiftStateItem;

namespace {

constexpr int SearchTimer = 7;

int KeyCodeOf(const QKeyEvent &E)
{
    const int key = E.key();
    const bool keypad = E.modifiers().testFlag(Qt::KeypadModifier);
    switch (key) {
    case Qt::Key_Backspace: return TBaseLazyTree::VK_BACK;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return TBaseLazyTree::VK_TAB;
    case Qt::Key_Return:
    case Qt::Key_Enter: return TBaseLazyTree::VK_RETURN;
    case Qt::Key_Escape: return TBaseLazyTree::VK_ESCAPE;
    case Qt::Key_Space: return TBaseLazyTree::VK_SPACE;
    case Qt::Key_PageUp: return TBaseLazyTree::VK_PRIOR;
    case Qt::Key_PageDown: return TBaseLazyTree::VK_NEXT;
    case Qt::Key_End: return TBaseLazyTree::VK_END;
    case Qt::Key_Home: return TBaseLazyTree::VK_HOME;
    case Qt::Key_Left: return TBaseLazyTree::VK_LEFT;
    case Qt::Key_Up: return TBaseLazyTree::VK_UP;
    case Qt::Key_Right: return TBaseLazyTree::VK_RIGHT;
    case Qt::Key_Down: return TBaseLazyTree::VK_DOWN;
    case Qt::Key_Menu: return TBaseLazyTree::VK_APPS;
    case Qt::Key_F1: return TBaseLazyTree::VK_F1;
    case Qt::Key_F2: return TBaseLazyTree::VK_F2;
    case Qt::Key_Asterisk: return keypad ? TBaseLazyTree::VK_MULTIPLY : '8';
    case Qt::Key_Plus: return keypad ? TBaseLazyTree::VK_ADD : 187;
    case Qt::Key_Minus: return keypad ? TBaseLazyTree::VK_SUBTRACT : 189;
    case Qt::Key_Slash: return keypad ? TBaseLazyTree::VK_DIVIDE : 191;
    default: break;
    }
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return key;
    return key < 256 ? key : 0;
}

// The character of a key with Ctrl taken as released.
QChar CharOf(const QKeyEvent &E)
{
    const QString text = E.text();
    if (!text.isEmpty() && (text[0].unicode() >= 32 || !E.modifiers().testFlag(Qt::ControlModifier)))
        return text[0];
    const int key = E.key();
    if (key >= 32 && key < 127) {
        const QChar c(key);
        return E.modifiers().testFlag(Qt::ShiftModifier) ? c.toUpper() : c.toLower();
    }
    return QChar();
}

}   // namespace

TLTShiftState TBaseLazyTree::ShiftStateOf(Qt::KeyboardModifiers Modifiers, Qt::MouseButtons Buttons)
{
    TLTShiftState s;
    s.Set(ssShift, Modifiers.testFlag(Qt::ShiftModifier));
    s.Set(ssAlt, Modifiers.testFlag(Qt::AltModifier));
    s.Set(ssCtrl, Modifiers.testFlag(Qt::ControlModifier));
    s.Set(ssLeft, Buttons.testFlag(Qt::LeftButton));
    s.Set(ssRight, Buttons.testFlag(Qt::RightButton));
    s.Set(ssMiddle, Buttons.testFlag(Qt::MiddleButton));
    return s;
}

void TBaseLazyTree::keyPressEvent(QKeyEvent *Event)
{
    int code = KeyCodeOf(*Event);
    const QChar c = CharOf(*Event);
    if (code != 0 || !c.isNull()) {
        const TLTShiftState shift = ShiftStateOf(Event->modifiers());
        if (code != 0)
            KeyDown(code, shift, c);
        if (!c.isNull())
            KeyChar(c);
        Event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(Event);
}

void TBaseLazyTree::keyReleaseEvent(QKeyEvent *Event)
{
    if (Event->isAutoRepeat())
        return;
    if (const int code = KeyCodeOf(*Event)) {
        KeyUp(code, ShiftStateOf(Event->modifiers()));
        Event->accept();
        return;
    }
    QAbstractScrollArea::keyReleaseEvent(Event);
}

bool TBaseLazyTree::focusNextPrevChild(bool Next)
{
    // Tab moves between columns when the tree wants tabs.
    if (FWantTabs)
        return false;
    return QAbstractScrollArea::focusNextPrevChild(Next);
}

void TBaseLazyTree::SetIncrementalSearch(TLTIncrementalSearch Value)
{
    if (Value == FIncrementalSearch)
        return;
    FIncrementalSearch = Value;
    if (Value == TLTIncrementalSearch::isNone) {
        KillTreeTimer(SearchTimer);
        FSearchBuffer.clear();
        FLastSearchNode = nullptr;
    }
}

bool TBaseLazyTree::AskKeyAction(int &CharCode, TLTShiftState &Shift)
{
    bool doDefault = true;
    if (OnKeyAction)
        OnKeyAction(this, CharCode, Shift, doDefault);
    return doDefault;
}

void TBaseLazyTree::StopIncrementalSearch()
{
    KillTreeTimer(SearchTimer);
    FSearchBuffer.clear();
    FLastSearchNode = nullptr;
    DoStateChange({}, {tsIncrementalSearching});
}

void TBaseLazyTree::MessageBeep()
{
    QApplication::beep();
}

void TBaseLazyTree::ShowHelpContext(int)
{
    // The program has no context help; a descendant may show one.
}

void TBaseLazyTree::KeyDown(int &CharCode, TLTShiftState Shift, QChar Char)
{
    if (OnKeyDown)
        OnKeyDown(this, CharCode, Shift);
    if (CharCode == 0)
        return;
    Shift = Shift * TLTShiftState{ssShift, ssAlt, ssCtrl};
    if (!AskKeyAction(CharCode, Shift))
        return;
    if (FStates.Contains(tsKeyCheckPending) && CharCode != VK_SPACE) {
        DoStateChange({}, {tsKeyCheckPending});
        if (FCheckNode) {
            FCheckNode->CheckState = UnpressedCheckState(FCheckNode->CheckState);
            RepaintNode(FCheckNode);
        }
        FCheckNode = nullptr;
    }
    const TLTSelectionOptions selection = FOptions->SelectionOptions();
    const TLTMiscOptions misc = FOptions->MiscOptions();
    TLazyTreeColumns &columns = FHeader->Columns();
    const bool navigation =
        CharCode == VK_BACK || CharCode == VK_TAB || (CharCode >= VK_PRIOR && CharCode <= VK_DOWN);
    if (navigation && FRoot->ChildCount > 0) {
        const bool extend = Shift.Contains(ssShift) && selection.Contains(toMultiSelect) &&
                            !FStates.Contains(tsEditing);
        bool rangeKey = extend && (CharCode == VK_PRIOR || CharCode == VK_NEXT || CharCode == VK_END ||
                                   CharCode == VK_HOME);
        const bool invalidateAll = rangeKey || FSelection.size() > 1;
        const bool deselect = Shift.Empty() || (misc.Contains(toGridExtensions) && !Shift.Contains(ssShift)) ||
                              !selection.Contains(toMultiSelect) || CharCode == VK_BACK || CharCode == VK_TAB;
        PLazyNode lastFocused = FFocusedNode;
        if (!lastFocused && !Shift.Empty())
            lastFocused = GetFirstVisible(nullptr, true);
        if (!FRangeAnchor)
            FRangeAnchor = GetFirstSelected();
        if (!FRangeAnchor)
            FRangeAnchor = GetFirst();
        const int direction = UseRightToLeftReading() ? -1 : 1;
        const TLTShiftState shiftCtrl{ssShift, ssCtrl}, shiftAlt{ssShift, ssAlt};
        const bool ctrl = Shift.Contains(ssCtrl);
        auto before = [this](PLazyNode A, PLazyNode B) { return A && B && CompareDisplayOrder(A, B) < 0; };
        auto after = [this](PLazyNode A, PLazyNode B) { return A && B && CompareDisplayOrder(A, B) > 0; };
        auto pageColumns = [&](bool Left) {
            if (FFocusedColumn < 0 || !columns.IsValidColumn(FFocusedColumn)) {
                SetFocusedColumn(columns.GetFirstVisibleColumn());
                return;
            }
            int sum = 0;
            for (TLazyTreeColumn *c : columns.GetVisibleColumns())
                if (c->Options().Contains(TLTColumnOption::coFixed))
                    sum += c->Width();
            TColumnIndex column = FFocusedColumn;
            for (;;) {
                const TColumnIndex next =
                    Left ? columns.GetPreviousVisibleColumn(column) : columns.GetNextVisibleColumn(column);
                if (next < 0 || sum + columns[column].Width() >= ClientWidth() ||
                    columns[next].Options().Contains(TLTColumnOption::coFixed))
                    break;
                sum += columns[column].Width();
                column = next;
            }
            SetFocusedColumn(column);
        };
        switch (CharCode) {
        case VK_PRIOR:
        case VK_NEXT: {
            const bool up = CharCode == VK_PRIOR;
            if (Shift == shiftCtrl) {
                SetOffsetX(FOffsetX + (up ? 1 : -1) * ClientWidth());
            } else if (Shift == shiftAlt) {
                pageColumns(up);
            } else if (ctrl) {
                SetOffsetY(FOffsetY + (up ? 1 : -1) * ClientHeight());
            } else {
                PLazyNode node = FFocusedNode;
                if (!node)
                    node = up ? GetFirstVisible(nullptr, true) : GetLastVisible(nullptr, true);
                int sum = 0;
                for (;;) {
                    PLazyNode next = up ? GetPreviousVisible(node, true) : GetNextVisible(node, true);
                    if (!next || sum + int(NodeHeight(node)) >= ClientHeight())
                        break;
                    sum += int(NodeHeight(node));
                    node = next;
                }
                SetFocusedNode(node);
            }
            break;
        }
        case VK_HOME:
        case VK_END: {
            const bool backwards = CharCode == VK_END || UseRightToLeftReading();
            PLazyNode target = backwards ? GetLastVisible(nullptr, true) : GetFirstVisible(nullptr, true);
            TColumnIndex column = NoColumn;
            bool accepted = true;
            if (FHeader->UseColumns()) {
                accepted = false;
                for (TColumnIndex c = backwards ? columns.GetLastVisibleColumn() : columns.GetFirstVisibleColumn();
                     c >= 0; c = backwards ? columns.GetPreviousVisibleColumn(c) : columns.GetNextVisibleColumn(c))
                    if (AskFocusChange(FFocusedNode, FFocusedNode, FFocusedColumn, c)) {
                        column = c;
                        accepted = true;
                        break;
                    }
            }
            if (!accepted)
                break;
            if (Shift == TLTShiftState{ssCtrl} && !misc.Contains(toGridExtensions)) {
                ScrollIntoView(target, selection.Contains(toCenterScrollIntoView),
                               !FOptions->AutoOptions().Contains(TLTAutoOption::toDisableAutoscrollOnFocus));
                SetOffsetX(CharCode == VK_HOME && !UseRightToLeftReading() ? 0 : -2147483647);
            } else {
                if (!misc.Contains(toGridExtensions) || ctrl)
                    SetFocusedNode(target);
                if (misc.Contains(toGridExtensions) && !selection.Contains(toFullRowSelect))
                    SetFocusedColumn(column);
            }
            break;
        }
        case VK_LEFT:
        case VK_RIGHT: {
            const bool left = CharCode == VK_LEFT;
            if (ctrl) {
                SetOffsetX(FOffsetX + (left ? 1 : -1) * direction * columns.GetScrollWidth());
            } else if (selection.Contains(toExtendedFocus) && misc.Contains(toGridExtensions)) {
                const TColumnIndex c = left ? columns.GetPreviousVisibleColumn(FFocusedColumn, true)
                                            : columns.GetNextVisibleColumn(FFocusedColumn, true);
                if (c >= 0)
                    SetFocusedColumn(c);
            } else if (FFocusedNode && Shift.Empty() && FFocusedNode->Has(vsHasChildren) &&
                       FFocusedNode->Has(vsExpanded) == left) {
                ToggleNode(FFocusedNode);
            } else if (!FFocusedNode) {
                SetFocusedNode(GetFirstVisible(nullptr, true));
            } else if (left) {
                PLazyNode parent = FFocusedNode->Parent;
                if (parent != FRoot) {
                    if (extend) {
                        if (FFocusedNode->Index > 0)
                            rangeKey = true;
                        else if (after(lastFocused, FRangeAnchor))
                            RemoveFromSelection(FFocusedNode);
                    }
                    SetFocusedNode(parent);
                }
            } else if (PLazyNode child = GetFirstVisibleChild(FFocusedNode)) {
                if (extend && before(lastFocused, FRangeAnchor))
                    RemoveFromSelection(FFocusedNode);
                SetFocusedNode(child);
            }
            break;
        }
        case VK_UP:
        case VK_DOWN: {
            const bool up = CharCode == VK_UP;
            if (ctrl) {
                SetOffsetY(FOffsetY + (up ? 1 : -1) * int(FDefaultNodeHeight));
                break;
            }
            PLazyNode target = FFocusedNode ? (up ? GetPreviousVisible(FFocusedNode, true)
                                                  : GetNextVisible(FFocusedNode, true))
                                            : (up ? GetLastVisible(nullptr, true) : GetFirstVisible(nullptr, true));
            if (!target) {
                RepaintNode(FFocusedNode);
                break;
            }
            if (!EndEditNode())
                return;
            // Moving back towards the anchor unselects the node left behind.
            if (FFocusedNode && extend && (up ? after(lastFocused, FRangeAnchor) : before(lastFocused, FRangeAnchor)))
                RemoveFromSelection(FFocusedNode);
            if (FFocusedColumn < 0)
                FFocusedColumn = FHeader->MainColumn();
            SetFocusedNode(target);
            break;
        }
        case VK_BACK:
            if (FStates.Contains(tsIncrementalSearching))
                DoStateChange({tsIncrementalSearchPending});
            else if (FFocusedNode && FFocusedNode->Parent != FRoot)
                SetFocusedNode(FFocusedNode->Parent);
            break;
        case VK_TAB: {
            if (!selection.Contains(toExtendedFocus) || !FHeader->UseColumns())
                break;
            const bool forward = !Shift.Contains(ssShift);
            PLazyNode node = FFocusedNode ? FFocusedNode : GetFirstVisible(nullptr, true);
            TColumnIndex column = FFocusedColumn;
            while (node) {
                column = column < 0 ? (forward ? columns.GetFirstVisibleColumn() : columns.GetLastVisibleColumn())
                                    : (forward ? columns.GetNextVisibleColumn(column)
                                               : columns.GetPreviousVisibleColumn(column));
                if (column < 0) {
                    node = forward ? GetNextVisible(node, true) : GetPreviousVisible(node, true);
                    continue;
                }
                if (AskFocusChange(FFocusedNode, node, FFocusedColumn, column)) {
                    FocusNodeAndColumn(node, column);
                    break;
                }
            }
            break;
        }
        default: break;
        }
        // The selection follows the focus.
        bool cleared = false;
        if (deselect && (FFocusedNode != lastFocused || FSelection.size() != 1)) {
            ClearSelection();
            cleared = true;
        }
        if (Shift.Empty()) {
            FRangeAnchor = FFocusedNode;
            FLastSelectionLevel = FFocusedNode ? int(GetNodeLevel(FFocusedNode)) : -1;
        }
        if (FFocusedNode) {
            if (rangeKey)
                ToggleRange(lastFocused, FFocusedNode);
            if (FFocusedNode != lastFocused || cleared)
                AddToSelection(FFocusedNode);
        }
        if (invalidateAll)
            InvalidateTree();
        return;
    }

    // The command path: the typed character decides over keypad and main-block keys.
    const ushort ch = Char.unicode();
    if (ch == '*')
        CharCode = VK_MULTIPLY;
    else if (ch == '+')
        CharCode = VK_ADD;
    else if (ch == '-')
        CharCode = VK_SUBTRACT;
    else if (ch == '/')
        CharCode = VK_DIVIDE;
    const bool ctrl = Shift.Contains(ssCtrl);
    const bool searching = FStates.Contains(tsIncrementalSearching);
    auto arm = [this] { DoStateChange({tsIncrementalSearchPending}); };
    switch (CharCode) {
    case VK_ESCAPE:
        if (IsMouseSelecting()) {
            DoStateChange({}, {tsDrawSelPending, tsDrawSelecting});
            InvalidateTree();
        } else if (FStates.Contains(tsEditing)) {
            CancelEditNode();
        }
        break;
    case VK_SPACE:
        if (misc.Contains(toCheckSupport) && FFocusedNode && FFocusedNode->CheckType != TCheckType::ctNone) {
            if (FStates.Contains(tsKeyCheckPending) || FStates.Contains(tsMouseCheckPending) ||
                FFocusedNode->Has(vsDisabled))
                break;
            TCheckState next = NextCheckState(FFocusedNode->CheckType, FFocusedNode->CheckState);
            if (DoChecking(FFocusedNode, next)) {
                DoStateChange({tsKeyCheckPending});
                FCheckNode = FFocusedNode;
                FPendingCheckState = next;
                FCheckNode->CheckState = PressedCheckState(FCheckNode->CheckState);
                RepaintNode(FCheckNode);
            }
        } else {
            arm();
        }
        break;
    case 'A':
        if (ctrl)
            SelectAll(true);
        else
            arm();
        break;
    case VK_APPS:
        if (FFocusedNode) {
            const TRect r = GetDisplayRect(FFocusedNode, FFocusedColumn, true);
            int w = NodeContentWidth(FFocusedNode, FFocusedColumn, nullptr);
            w = std::min(w, columns.IsValidColumn(FFocusedColumn) ? columns[FFocusedColumn].Width() : ClientWidth());
            ShowNodePopup(FFocusedNode, FFocusedColumn, QPoint(r.Left + w / 2, (r.Top + r.Bottom) / 2));
        } else {
            ShowNodePopup(nullptr, FFocusedColumn, QPoint(-1, -1));
        }
        break;
    case VK_MULTIPLY:
        if (searching)
            arm();
        else if (FFocusedNode)
            FullExpand(FFocusedNode);
        break;
    case VK_DIVIDE:
        if (searching)
            arm();
        else if (FFocusedNode)
            FullCollapse(FFocusedNode);
        break;
    case VK_ADD:
    case VK_SUBTRACT: {
        const bool add = CharCode == VK_ADD;
        if (searching) {
            arm();
        } else if (ctrl) {
            if (misc.Contains(toReverseFullExpandHotKey) != Shift.Contains(ssShift)) {
                if (add)
                    FullExpand(nullptr);
                else
                    FullCollapse(nullptr);
            } else if (add) {
                FHeader->AutoFitColumns(true, TSmartAutoFitType::smaUseColumnOption, NoColumn, NoColumn);
            } else {
                FHeader->RestoreColumns();
            }
        } else if (FFocusedNode && FFocusedNode->Has(vsExpanded) != add) {
            ToggleNode(FFocusedNode);
        }
        break;
    }
    case VK_F1:
        if (OnGetHelpContext) {
            int context = 0;
            for (PLazyNode run = FFocusedNode; run && run != FRoot && context == 0; run = run->Parent)
                OnGetHelpContext(this, run, std::max(FFocusedColumn, 0), context);
            if (context == 0)
                context = FHelpContext;
            for (QWidget *w = parentWidget(); w && context == 0; w = w->parentWidget())
                context = w->property("HelpContext").toInt();
            if (context != 0)
                ShowHelpContext(context);
        }
        break;
    case VK_F2:
        if (Shift.Empty() && FFocusedNode && CanEdit(FFocusedNode, FFocusedColumn)) {
            FEditColumn = FFocusedColumn;
            StartEditing();
        }
        break;
    default:
        if (ctrl == Shift.Contains(ssAlt) && CharCode >= 32)
            arm();
        break;
    }
}

void TBaseLazyTree::KeyChar(QChar Char)
{
    if (FStates.Contains(tsIncrementalSearchPending)) {
        IncrementalSearchStep(Char);
        DoStateChange({}, {tsIncrementalSearchPending});
    }
    if (OnKeyPress)
        OnKeyPress(this, Char);
}

void TBaseLazyTree::KeyUp(int CharCode, TLTShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, CharCode, Shift);
    if (CharCode == VK_TAB) {
        EnsureFocusedNode();
    } else if (CharCode == VK_SPACE && FStates.Contains(tsKeyCheckPending)) {
        DoStateChange({}, {tsKeyCheckPending});
        if (FCheckNode) {
            if (FCheckNode == FFocusedNode)
                CommitCheckState(FCheckNode, FPendingCheckState);
            else
                FCheckNode->CheckState = UnpressedCheckState(FCheckNode->CheckState);
            RepaintNode(FCheckNode);
        }
        FCheckNode = nullptr;
    }
}

int TBaseLazyTree::DoIncrementalSearch(PLazyNode Node, const QString &Text)
{
    int result = 0;
    if (OnIncrementalSearch)
        OnIncrementalSearch(this, Node, Text, result);
    return result;
}

void TBaseLazyTree::IncrementalSearchStep(QChar CharCode)
{
    using enum TLTIncrementalSearch;
    KillTreeTimer(SearchTimer);
    if (FIncrementalSearch == isNone)
        return;
    if (!CharCode.isNull()) {
        DoStateChange({tsIncrementalSearching});
        const bool backSpace = CharCode.unicode() == 8;
        if (!(backSpace && FSearchBuffer.isEmpty())) {
            PLazyNode start = nullptr;
            switch (FSearchStart) {
            case TLTSearchStart::ssAlwaysStartOver: break;
            case TLTSearchStart::ssLastHit: start = FLastSearchNode; break;
            case TLTSearchStart::ssFocusedNode: start = FFocusedNode; break;
            }
            if (start && FIncrementalSearch == isInitializedOnly && !start->Has(vsInitialized))
                start = nullptr;
            if (start && FIncrementalSearch == isVisibleOnly && (!FullyVisible(start) || GetEffectivelyFiltered(start)))
                start = nullptr;
            const bool forward = (FSearchDirection == TLTSearchDirection::sdForward) != backSpace;
            bool sameChar = FSearchBuffer.size() == 1 && !backSpace && FSearchBuffer[0] == CharCode;
            if (sameChar && start && DoIncrementalSearch(start, FSearchBuffer + CharCode) == 0)
                sameChar = false;
            // One step of the walk; nil wraps around to the first (last) node.
            auto step = [&](PLazyNode Node) -> PLazyNode {
                switch (FIncrementalSearch) {
                case isAll:
                    return Node ? (forward ? GetNext(Node) : GetPrevious(Node)) : (forward ? GetFirst() : GetLast());
                case isInitializedOnly:
                    return Node ? (forward ? GetNextNoInit(Node) : GetPreviousNoInit(Node))
                                : (forward ? GetFirstNoInit() : GetLastNoInit());
                default:
                    return Node ? (forward ? GetNextVisible(Node, true) : GetPreviousVisible(Node, true))
                                : (forward ? GetFirstVisible(nullptr, true) : GetLastVisible(nullptr, true));
                }
            };
            PLazyNode run = start;
            if (FSearchBuffer.isEmpty() || !run || sameChar || backSpace) {
                run = step(run);
                if (!run)
                    run = step(nullptr);
            }
            QString text = FSearchBuffer;
            if (backSpace)
                text.chop(1);
            else if (!sameChar)
                text += CharCode;
            bool found = false;
            if (run) {
                const PLazyNode first = run;
                bool wrapped = false;
                for (;;) {
                    if (DoIncrementalSearch(run, text) == 0) {
                        found = true;
                        break;
                    }
                    run = step(run);
                    if (!run) {
                        if (wrapped || !start)
                            break;
                        wrapped = true;
                        run = step(nullptr);
                    }
                    if (!run || run == start || run == first)
                        break;
                }
            }
            if (found) {
                ClearSelection();
                FSearchBuffer = text;
                FLastSearchNode = run;
                SetFocusedNode(run);
                SetSelected(run, true);
            } else if (start && DoIncrementalSearch(start, text) != 0) {
                MessageBeep();
            }
        }
    }
    SetTreeTimer(SearchTimer, int(FSearchTimeout));
}
