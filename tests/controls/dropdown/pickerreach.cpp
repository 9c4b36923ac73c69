#include "pickerreach.h"

#include "controls/dropdown/detaildropdown.h"
#include "controls/dropdown/imagepicker.h"
#include "controls/dropdown/memodropdown.h"

void SetDetailCaptions(QWidget *Control, const QStringList &Captions)
{
    auto *detail = dynamic_cast<TDazDetailDropDown *>(Control);
    if (!detail)
        return;
    detail->Items().Clear();
    for (const QString &c : Captions)
        detail->Items().Add()->SetCaption(c);
}

int DetailItemIndex(QWidget *Control)
{
    auto *detail = dynamic_cast<TDazDetailDropDown *>(Control);
    return detail ? detail->ItemIndex() : -2;
}

QPlainTextEdit *MemoOf(QWidget *Control)
{
    auto *memo = dynamic_cast<TDazMemoDropDown *>(Control);
    return memo ? memo->Memo() : nullptr;
}

void ClickImageItem(QWidget *Control, int Index)
{
    auto *picker = dynamic_cast<TDazImagePickerDropDown *>(Control);
    if (picker && picker->ItemSelector())
        picker->ItemSelector()->Panel()->SetItemIndex(Index);
}
