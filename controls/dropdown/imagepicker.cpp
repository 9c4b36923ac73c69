// The image picker: its items, list, keys and the edit's picture.
#include "controls/dropdown/imagepicker.h"

#include "grid/base/imagelist.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QKeyEvent>

void TImageItem::Assign(const TPersistent *Source)
{
    const auto *s = dynamic_cast<const TImageItem *>(Source);
    if (!s) {
        TCollectionItem::Assign(Source);
        return;
    }
    AssignCaptionImage(*s);
    Hint = s->Hint;
}

TDazImagePickerDropDown::TDazImagePickerDropDown(QWidget *Parent)
    : TDazSelectorDropDown(Parent), FItems(std::make_unique<TImageItems>())
{
    FItems->OnChange = [](TObject *) {};
    InitializeDropDown();
    FItemAppearance = std::make_unique<TItemAppearance>();
    SetEditorEnabled(false);
    DropDownEnabled = true;
    setCursor(Qt::ArrowCursor);
}

void TDazImagePickerDropDown::SetItemIndex(int Value)
{
    if (Value == FItemIndex || Value >= FItems->Count())
        return;
    FItemIndex = Value;
    update();
    if (OnChange)
        OnChange(this);
    if (OnSelect)
        OnSelect(this);
}

int TDazImagePickerDropDown::ImageIndex() const
{
    return FItemIndex >= 0 && FItemIndex < FItems->Count() ? FItems->Items(FItemIndex)->ImageIndex()
                                                           : -1;
}

void TDazImagePickerDropDown::SetImageIndex(int Value)
{
    for (int i = 0; i < FItems->Count(); ++i)
        if (FItems->Items(i)->ImageIndex() == Value) {
            SetItemIndex(i);
            return;
        }
    SetItemIndex(-1);
}

void TDazImagePickerDropDown::AddImagesFromImageList()
{
    if (!Images)
        return;
    for (int i = 0; i < Images->Count(); ++i)
        FItems->Add()->SetImageIndex(i);
}

void TDazImagePickerDropDown::AddImagesFromFolder(const QString &AFolder, bool SetImageCaption)
{
    const QFileInfo mask(AFolder);
    const QDir folder = mask.dir();
    const QStringList entries =
        folder.entryList({mask.fileName()}, QDir::AllEntries | QDir::Hidden | QDir::System |
                                                 QDir::NoDotAndDotDot,
                         QDir::Name);
    for (const QString &name : entries) {
        TImageItem *item = FItems->Add();
        // Anything that does not read as a picture leaves the item without one.
        QImageReader reader(folder.filePath(name));
        const QImage image = reader.read();
        item->Image().SetImage(image);
        if (!image.isNull() && SetImageCaption)
            item->SetCaption(name);
    }
}

void TDazImagePickerDropDown::CreateDropDownForm()
{
    TDazCustomDropDown::CreateDropDownForm();
    if (TDazCustomItemSelector *list = EnsureList(stImage, 150)) {
        list->UpdateSelectorPanel();
        SetDropDownControl(list);
    }
}

void TDazImagePickerDropDown::LoadList()
{
    TDazCustomItemSelector *list = BeginLoadList(Columns, Layout);
    if (!list)
        return;
    for (int i = 0; i < FItems->Count(); ++i) {
        const TImageItem &from = *FItems->Items(i);
        TSelectorItem *item = list->Items().Add();
        item->SetCaption(from.Caption());
        item->SetImage(from.Image());
        item->SetImageIndex(from.ImageIndex());
        item->Hint = from.Hint;
    }
    EndLoadList();
}

void TDazImagePickerDropDown::BeforeDropDown()
{
    TDazCustomDropDown::BeforeDropDown();
    LoadList();
    if (FItemSelector) {
        FItemSelector->OnDrawItem = nullptr;
        if (OnDrawItem)
            FItemSelector->OnDrawItem = [this](TObject *, TCanvas &C, const TRect &R, int I) {
                OnDrawItem(this, C, R, I);
            };
    }
    FOldItemIndex = FItemIndex;
}

void TDazImagePickerDropDown::SizeDropDownForm()
{
    if (FItemSelector)
        SizeListForm();
    else
        TDazCustomDropDown::SizeDropDownForm();
}

void TDazImagePickerDropDown::DoHideDropDown(bool Cancelled)
{
    TDazSelectorDropDown::DoHideDropDown(Cancelled);
    if (Cancelled && FItemSelector)
        SetItemIndex(FOldItemIndex);
}

void TDazImagePickerDropDown::keyPressEvent(QKeyEvent *Event)
{
    const TKeyInfo k = TranslateKeyEvent(*Event);
    const bool taken = TakeHotItem(k.Key);
    TDazSelectorDropDown::keyPressEvent(Event);
    if (!isEnabled() || k.Shift.Contains(ssAlt) || k.Key == 0)
        return;
    if (k.Key == VK_RETURN) {
        if (!taken && OnSelect)
            OnSelect(this);
        return;
    }
    ListKey(k.Key, k.Shift);
}

void TDazImagePickerDropDown::DrawFocus(TCanvas &Canvas)
{
    TDazSelectorDropDown::DrawFocus(Canvas);
    PaintSelectedImage(Canvas);
}

void TDazImagePickerDropDown::PaintSelectedImage(TCanvas &Canvas)
{
    const TRect r = GetEditRect();
    if (OnDrawSelectedImage) {
        OnDrawSelectedImage(this, Canvas, r);
        return;
    }
    if (FItemIndex < 0 || FItemIndex >= FItems->Count())
        return;
    const TImageItem &item = *FItems->Items(FItemIndex);
    auto centred = [&](int W, int H) {
        return TPoint(r.Left + (r.Width() - W) / 2, r.Top + (r.Height() - H) / 2);
    };
    if (!item.Image().Empty()) {
        const TPoint p = centred(item.Image().Width(), item.Image().Height());
        Canvas.Draw(p.X, p.Y, item.Image().Image());
    } else if (Images && item.ImageIndex() >= 0) {
        const TPoint p = centred(Images->Width(), Images->Height());
        Images->Draw(Canvas, p.X, p.Y, item.ImageIndex());
    }
}
