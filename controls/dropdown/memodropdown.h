#pragma once
// TDazMemoDropDown: a multi-line text edited in a memo that drops down. With typing off in
// the edit, the edit shows the first line, cut with "..." to fit or followed by "..." when
// more lines follow. Keys in the open memo stay with it except Esc, F4 and Alt combinations.
#include "controls/dropdown/dropdownedit.h"
#include "grid/base/gridtypes.h"
#include "grid/base/stringlist.h"

class QMenu;
class QPlainTextEdit;


class TDazMemoDropDown : public TDazCustomDropDown
{
public:
    explicit TDazMemoDropDown(QWidget *Parent = nullptr);
    ~TDazMemoDropDown() override;

    QPlainTextEdit *Memo() const { return FMemo; }
    TStringList &MemoText() { return *FMemoText; }
    void SetMemoText(const TStringList &Value);
    bool MemoReadOnly() const { return FMemoReadOnly; }
    void SetMemoReadOnly(bool Value);
    // Given to the memo at each opening.
    QMenu *MemoPopup = nullptr;
    TScrollStyle MemoScrollBars = ssNone;
    // Open whenever the edit takes the focus (not when it comes back from the drop-down).
    bool AutoDrop = false;
    TNotifyEvent OnMemoChange;

    // The edit's display of MemoText.
    void UpdateEditText();
    void DoHideDropDown(bool Cancelled) override;

protected:
    void CreateDropDownForm() override;
    void BeforeDropDown() override;
    void AfterHideDropDown() override;
    void Change() override;
    void ControlKey(QKeyEvent *Event) override;
    void focusInEvent(QFocusEvent *Event) override;

private:
    std::unique_ptr<TStringList> FMemoText;
    QPlainTextEdit *FMemo = nullptr;
    bool FMemoReadOnly = false;
    bool FInternalUpdate = false;
};
