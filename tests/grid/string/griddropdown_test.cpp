// Drop-down cell editors, driven through a stand-in drop-down control.
#include "editfixture.h"

#include "grid/string/griddropdown.h"

#include "grid/base/imagelist.h"

#include <QLineEdit>
#include <algorithm>

namespace {

// Keeps every key it is given, as an open drop-down panel does.
class TPanelEdit : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;

protected:
    void keyPressEvent(QKeyEvent *e) override
    {
        QLineEdit::keyPressEvent(e);
        e->accept();
    }
};

// The shared part of the stand-ins: an edit that keeps its keys, recording the set-up calls.
template <class I>
class TFakeMember : public I
{
public:
    explicit TFakeMember(QWidget *Parent) : Edit(new TPanelEdit(Parent)) {}
    ~TFakeMember() override { delete Edit; }
    QWidget *Control() override { return Edit; }
    QString Text() const override { return Edit->text(); }
    void SetText(const QString &Value) override { Edit->setText(Value); }
    bool DroppedDown() const override { return Dropped; }
    void ShowDropDown() override { Dropped = true; }
    void SelectAll() override { Edit->selectAll(); }
    void SetSelection(int Start, int Length) override { Edit->setSelection(Start, Length); }
    void SetEditorEnabled(bool Value) override { EditorEnabled = Value; }
    void SetAppearance(const THeaderAppearance &Header, const TFooterAppearance &) override
    {
        HeaderCaption = Header.Caption();
    }
    void SetComponentStyle(TQVRStyle Value) override { Style = Value; }
    void SetColorTones(const TColorTones &Value) override { ToneBrush = Value.Background.BrushColor; }
    void SetFocusDraw(bool Value) override { FocusDraw = Value; }
    TPanelEdit *Edit;
    bool Dropped = false;
    bool EditorEnabled = false;
    bool FocusDraw = true;
    QString HeaderCaption;
    TQVRStyle Style = tsCustom;
    TColor ToneBrush = clNone;
};

using TFakeDropDown = TFakeMember<IDropDownEditor>;

class DropDownFixture : public EditFixture
{
protected:
    void SetUp() override
    {
        for (TEditorType t : {edTrackbarDropDown, edColorPickerDropDown})
            SetDropDownEditorMaker(t, [](QWidget *P) { return new TFakeDropDown(P); });
        EditFixture::SetUp();
        grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 1)
                E = Type;
        };
        grid->SetCells(1, 1, "10");
        grid->FocusCell(1, 1, true);
    }
    void TearDown() override
    {
        EditFixture::TearDown();
        for (TEditorType t : {edTrackbarDropDown, edColorPickerDropDown})
            SetDropDownEditorMaker(t, nullptr);
    }
    TFakeDropDown *Drop() { return static_cast<TFakeDropDown *>(grid->DropDownEditor(Type)); }
    TEditorType Type = edTrackbarDropDown;
};

}   // namespace

TEST_F(DropDownFixture, EnterCommitsEscapeRestoresAndUpWithTheListOpenDoesNotMove)
{
    Key(Qt::Key_F2);
    ASSERT_TRUE(Drop()->Edit->isVisible());
    EXPECT_EQ(Drop()->Text(), "10");
    Drop()->SetText("20");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(Drop()->Edit->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "20");
    Flush();
    EXPECT_EQ(log->Only({"CellValidate", "EditCellDone"}),
              (QStringList{"CellValidate 1,1 20", "EditCellDone 1,1"}));

    grid->FocusCell(1, 1, true);
    Key(Qt::Key_F2);
    Drop()->SetText("30");
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    EXPECT_FALSE(Drop()->Edit->isVisible());
    EXPECT_EQ(grid->Cells(1, 1), "20");

    grid->FocusCell(1, 2, true);
    Key(Qt::Key_F2);
    Drop()->Dropped = true;
    Drop()->SetText("40");
    Key(Qt::Key_Up);
    EXPECT_FALSE(Drop()->Edit->isVisible());
    EXPECT_EQ(grid->Cells(1, 2), "40");
    EXPECT_EQ(grid->Row(), 2);
}

TEST_F(DropDownFixture, ARefusedValueKeepsTheEditorOpen)
{
    log->Validate = [](int, int, QString &V, bool &Valid) {
        Valid = V.toInt() < 50;
        if (!Valid)
            V = "49";
    };
    Key(Qt::Key_F2);
    Drop()->SetText("70");
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_TRUE(Drop()->Edit->isVisible());
    EXPECT_EQ(Drop()->Text(), "49");
}

TEST_F(DropDownFixture, TheOpenColourPanelKeepsTheArrows)
{
    Type = edColorPickerDropDown;
    Key(Qt::Key_F2);
    ASSERT_TRUE(Drop()->Edit->isVisible());
    Drop()->Dropped = true;
    Key(Qt::Key_Up);
    Key(Qt::Key_Down);
    EXPECT_TRUE(Drop()->Edit->isVisible());
    Key(Qt::Key_Return, Qt::NoModifier, "\r");
    EXPECT_FALSE(Drop()->Edit->isVisible());
}

TEST_F(DropDownFixture, ATypeWithoutAControlOpensNothing)
{
    Type = edMemoDropDown;
    Key(Qt::Key_F2);
    EXPECT_EQ(grid->DropDownEditor(edMemoDropDown), nullptr);
    EXPECT_FALSE(grid->EditMode());
}

// ---------------------------------------------------------------------------------------
// The members of the family: what the grid loads into each and writes back.
// ---------------------------------------------------------------------------------------

namespace {

class TFakeTrackBar : public TFakeMember<ITrackBarDropDown>
{
public:
    using TFakeMember::TFakeMember;
    int Position() const override { return Text().toInt(); }
    void SetPosition(int Value) override { SetText(QString::number(std::clamp(Value, 0, 100))); }
};

class TFakeMemo : public TFakeMember<IMemoDropDown>
{
public:
    using TFakeMember::TFakeMember;
    TStringList &MemoText() override { return Lines; }
    void Type(const QString &Line)
    {
        Lines.Add(Line);
        if (OnChange)
            OnChange();
    }
    TStringList Lines;
};

// The detail, multi-column and grid lists: items by caption.
template <class I>
class TFakeList : public TFakeMember<I>
{
public:
    using TFakeMember<I>::TFakeMember;
    int Find(const QString &Text) const { return int(Items.indexOf(Text)); }
    void SetItemIndex(int Value) override { Index = Value; }
    QStringList Items{"Alpha", "Beta", "Gamma"};
    int Index = -1;
};

class TFakeDetail : public TFakeList<IDetailDropDown>
{
public:
    using TFakeList::TFakeList;
    int IndexOfItem(const QString &Text) const override { return Find(Text); }
};

// The lists that select inside an update; Updates is the open update depth.
template <class I>
class TFakeUpdatedList : public TFakeList<I>
{
public:
    using TFakeList<I>::TFakeList;
    void BeginUpdate() override { ++Updates; }
    void EndUpdate() override { --Updates; }
    int Updates = 0;
};

class TFakeMultiColumn : public TFakeUpdatedList<IMultiColumnDropDown>
{
public:
    using TFakeUpdatedList::TFakeUpdatedList;
    int GetItemIndex(const QString &Text) const override { return Find(Text); }
};

class TFakeGridList : public TFakeUpdatedList<IGridDropDown>
{
public:
    using TFakeUpdatedList::TFakeUpdatedList;
    TDazStringGrid *Grid() override { return &Inner; }
    bool UseItems() const override { return true; }
    int LookupText(const QString &Text) const override
    {
        for (int i = 0; i < Items.size(); ++i)
            if (Items[i].startsWith(Text))
                return i;
        return -1;
    }
    TDazStringGrid Inner;
};

class TFakeColorPicker : public TFakeMember<IColorPickerDropDown>
{
public:
    using TFakeMember::TFakeMember;
    void AddDefaultColors() override { Defaults = true; }
    TColor SelectedColor() const override { return Color; }
    void SetSelectedColor(TColor Value) override { Color = Value; }
    QString GetSelectedColorText() const override
    {
        return Color == clRed ? "Red" : Color == clBlue ? "Blue" : "Other";
    }
    void Pick(TColor Value)
    {
        Color = Value;
        if (OnSelect)
            OnSelect();
    }
    TColor Color = clNone;
    bool Defaults = false;
};

class TFakeImagePicker : public TFakeMember<IImagePickerDropDown>
{
public:
    using TFakeMember::TFakeMember;
    TCustomImageList *Images() const override { return List; }
    void SetImages(TCustomImageList *Value) override { List = Value; }
    int ItemCount() const override { return Count; }
    QString ItemCaption(int Index) const override { return QStringLiteral("Image %1").arg(Index); }
    void AddImagesFromImageList() override { Count = 4; }
    int ImageIndex() const override { return Item; }
    void SetImageIndex(int Value) override { Item = Value >= 0 && Value < Count ? Value : -1; }
    int ItemIndex() const override { return Item; }
    void Pick(int Value)
    {
        Item = Value;
        if (OnSelect)
            OnSelect();
    }
    TCustomImageList *List = nullptr;
    int Count = 0;
    int Item = -1;
};

const TEditorType kMembers[] = {edTrackbarDropDown, edMemoDropDown,        edCalculatorDropDown,
                                edTimePickerDropDown, edDetailDropDown,    edGridDropDown,
                                edColorPickerDropDown, edImagePickerDropDown, edDazGridDropDown};

class MemberFixture : public EditFixture
{
protected:
    void SetUp() override
    {
        SetDropDownEditorMaker(edTrackbarDropDown, [](QWidget *P) { return new TFakeTrackBar(P); });
        SetDropDownEditorMaker(edMemoDropDown, [](QWidget *P) { return new TFakeMemo(P); });
        SetDropDownEditorMaker(edCalculatorDropDown,
                               [](QWidget *P) { return new TFakeMember<IDropDownEditor>(P); });
        SetDropDownEditorMaker(edTimePickerDropDown,
                               [](QWidget *P) { return new TFakeMember<IDropDownEditor>(P); });
        SetDropDownEditorMaker(edDetailDropDown, [](QWidget *P) { return new TFakeDetail(P); });
        SetDropDownEditorMaker(edGridDropDown, [](QWidget *P) { return new TFakeMultiColumn(P); });
        SetDropDownEditorMaker(edDazGridDropDown, [](QWidget *P) { return new TFakeGridList(P); });
        SetDropDownEditorMaker(edColorPickerDropDown,
                               [](QWidget *P) { return new TFakeColorPicker(P); });
        SetDropDownEditorMaker(edImagePickerDropDown,
                               [](QWidget *P) { return new TFakeImagePicker(P); });
        EditFixture::SetUp();
        grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 1)
                E = Type;
        };
    }
    void TearDown() override
    {
        EditFixture::TearDown();
        for (TEditorType t : kMembers)
            SetDropDownEditorMaker(t, nullptr);
    }
    // Opens the editor of type T on cell (1, 1) holding Text.
    template <class F>
    F *Open(TEditorType T, const QString &Text)
    {
        Type = T;
        grid->SetCells(1, 1, Text);
        grid->FocusCell(1, 1, true);
        Key(Qt::Key_F2);
        auto *f = dynamic_cast<F *>(grid->DropDownEditor(T));
        EXPECT_TRUE(f && f->Control()->isVisible());
        return f;
    }
    void Enter() { Key(Qt::Key_Return, Qt::NoModifier, "\r"); }
    TEditorType Type = edNormal;
};

}   // namespace

TEST_F(MemberFixture, EveryMemberOpensWithTheGridsLookAndRelaysItsButtons)
{
    grid->ControlLook().DropDownHeader().SetCaption("Pick one");
    grid->SetComponentStyle(tsWindowsXP);
    QStringList clicks;
    grid->OnDropDownHeaderButtonClick = [&](TObject *S, int C, int R, int I) {
        clicks << QStringLiteral("header %1,%2 %3 %4").arg(C).arg(R).arg(I).arg(S == grid.get());
    };
    grid->OnDropDownFooterButtonClick = [&](TObject *, int C, int R, int I) {
        clicks << QStringLiteral("footer %1,%2 %3").arg(C).arg(R).arg(I);
    };
    for (TEditorType t : kMembers) {
        SCOPED_TRACE(int(t));
        auto *f = Open<IDropDownEditor>(t, "10");
        ASSERT_NE(f, nullptr);
        f->OnHeaderButtonClick(2);
        f->OnFooterButtonClick(0);
        Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
        EXPECT_FALSE(f->Control()->isVisible());
        EXPECT_EQ(grid->Cells(1, 1), "10");
    }
    EXPECT_EQ(clicks.size(), 18);
    EXPECT_EQ(clicks.first(), "header 1,1 2 1");
    EXPECT_EQ(clicks[1], "footer 1,1 0");

    auto *calc = dynamic_cast<TFakeMember<IDropDownEditor> *>(grid->DropDownEditor(edCalculatorDropDown));
    EXPECT_EQ(calc->HeaderCaption, "Pick one");
    EXPECT_EQ(calc->Style, tsWindowsXP);
    EXPECT_TRUE(calc->EditorEnabled);
    auto *time = dynamic_cast<TFakeMember<IDropDownEditor> *>(grid->DropDownEditor(edTimePickerDropDown));
    EXPECT_FALSE(time->FocusDraw);
    EXPECT_TRUE(time->EditorEnabled);
    EXPECT_TRUE(dynamic_cast<TFakeColorPicker *>(grid->DropDownEditor(edColorPickerDropDown))->Defaults);
}

TEST_F(MemberFixture, TrackBarAndMemoLoadAndWriteTheirValues)
{
    auto *bar = Open<TFakeTrackBar>(edTrackbarDropDown, " 42 ");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->Position(), 42);
    bar->SetPosition(170);
    Enter();
    EXPECT_EQ(grid->Cells(1, 1), "100");

    auto *memo = Open<TFakeMemo>(edMemoDropDown, "first");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->Text(), "first");
    EXPECT_EQ(memo->Edit->cursorPosition(), 0);
    memo->Type("one");
    // Every change of the lines reaches the cell at once.
    EXPECT_EQ(grid->Cells(1, 1), "one\r\n");
    memo->Type("two");
    Enter();
    EXPECT_EQ(grid->Cells(1, 1), "one\r\ntwo\r\n");
}

TEST_F(MemberFixture, ListsSelectTheItemOfTheCellText)
{
    auto *detail = Open<TFakeDetail>(edDetailDropDown, "Beta");
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->Index, 1);
    EXPECT_TRUE(detail->EditorEnabled);
    Enter();
    EXPECT_EQ(grid->Cells(1, 1), "Beta");

    auto *multi = Open<TFakeMultiColumn>(edGridDropDown, "");
    ASSERT_NE(multi, nullptr);
    EXPECT_EQ(multi->Index, 0);   // an empty text takes the first item
    EXPECT_EQ(multi->Updates, 0);
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    multi = Open<TFakeMultiColumn>(edGridDropDown, "Gamma");
    EXPECT_EQ(multi->Index, 2);
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));

    auto *inner = Open<TFakeGridList>(edDazGridDropDown, "Ga");
    ASSERT_NE(inner, nullptr);
    EXPECT_TRUE(inner->Inner.FixedRowAlways());
    EXPECT_EQ(inner->Index, 2);
    EXPECT_EQ(inner->Text(), "Ga");
    inner->SetText("Gamma");
    Enter();
    EXPECT_EQ(grid->Cells(1, 1), "Gamma");
}

TEST_F(MemberFixture, ColourPickerTakesAndGivesTheCellOrShapeColour)
{
    QStringList events;
    grid->OnColorSelect = [&](TObject *, int C, int R, TColor Color, const QString &V) {
        events << QStringLiteral("select %1,%2 %3 %4").arg(C).arg(R).arg(Color == clBlue).arg(V);
    };
    grid->OnColorSelected = [&](TObject *, int, int, TColor &Color, QString &V) {
        events << "selected " + V;
        if (Color == clBlue)
            V = "Azure";
    };
    grid->SetColors(1, 1, clRed);
    auto *picker = Open<TFakeColorPicker>(edColorPickerDropDown, "Red");
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->SelectedColor(), clRed);
    picker->Pick(clBlue);
    Enter();
    EXPECT_EQ(grid->Cells(1, 1), "Azure");
    EXPECT_EQ(grid->Colors(1, 1), clBlue);
    EXPECT_EQ(events, (QStringList{"select 1,1 1 Blue", "selected Blue"}));

    // A shape cell gives and takes its fill colour; the cell colour stays.
    grid->AddShape(1, 1, csCircle, clRed, clBlack, haLeft, vaTop);
    picker = Open<TFakeColorPicker>(edColorPickerDropDown, "x");
    EXPECT_EQ(picker->SelectedColor(), clRed);
    picker->Pick(clBlue);
    Enter();
    EXPECT_EQ(TColor(grid->GetCellGraphic(1, 1)->CellIndex), clBlue);
    EXPECT_EQ(grid->Colors(1, 1), clBlue);
}

TEST_F(MemberFixture, ImagePickerServesImageListAndDataImageCells)
{
    TCustomImageList images(16, 16);
    grid->SetGridImages(&images);
    QStringList events;
    grid->OnImageSelect = [&](TObject *, int C, int R, int I) {
        events << QStringLiteral("select %1,%2 %3").arg(C).arg(R).arg(I);
    };
    grid->OnImageSelected = [&](TObject *, int, int, int &I) {
        events << QStringLiteral("selected %1").arg(I);
        ++I;
    };
    grid->AddImageIdx(1, 1, 2, haLeft, vaTop);
    auto *picker = Open<TFakeImagePicker>(edImagePickerDropDown, "");
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(picker->Images(), &images);
    EXPECT_EQ(picker->ItemCount(), 4);   // filled from the image list
    EXPECT_EQ(picker->ItemIndex(), 2);
    EXPECT_EQ(picker->Text(), "Image 2");
    picker->Pick(1);
    Enter();
    int idx = -1;
    ASSERT_TRUE(grid->GetImageIdx(1, 1, idx));
    EXPECT_EQ(idx, 2);
    EXPECT_EQ(events, (QStringList{"select 1,1 1", "selected 1"}));

    grid->RemoveImageIdx(1, 1);
    grid->SetCells(1, 1, "3");
    grid->AddDataImage(1, 1, 0, haLeft, vaTop);
    picker = Open<TFakeImagePicker>(edImagePickerDropDown, "3");
    EXPECT_EQ(picker->ItemIndex(), 3);
    picker->Pick(0);
    Enter();
    EXPECT_EQ(grid->Cells(1, 1), "1");
    grid->SetGridImages(nullptr);
}

TEST_F(MemberFixture, DirectDropOpensTheListAtOnce)
{
    grid->MouseActions().SetDirectComboDrop(true);
    auto *calc = Open<TFakeMember<IDropDownEditor>>(edCalculatorDropDown, "1");
    ASSERT_NE(calc, nullptr);
    EXPECT_TRUE(calc->Dropped);
}

TEST_F(MemberFixture, MadeDropDownsFollowTheGridsStylesTonesAndLooks)
{
    auto *calc = Open<TFakeMember<IDropDownEditor>>(edCalculatorDropDown, "1");
    ASSERT_NE(calc, nullptr);
    Key(Qt::Key_Escape, Qt::NoModifier, QString(QChar(27)));
    grid->SetComponentStyle(tsOffice2007Luna);
    EXPECT_EQ(calc->Style, tsOffice2007Luna);
    grid->SetLook(glXP);
    EXPECT_EQ(calc->Style, tsWindowsXP);
    TColorTones tones;
    tones.Background.BrushColor = 0x123456;
    grid->SetColorTones(tones);
    EXPECT_EQ(calc->ToneBrush, TColor(0x123456));
}

TEST_F(MemberFixture, AGridDestroyedWhileADropDownIsOpenGoesQuietly)
{
    for (TEditorType t : kMembers) {
        SCOPED_TRACE(int(t));
        ASSERT_NE(Open<IDropDownEditor>(t, "1"), nullptr);
        log.reset();
        grid.reset();
        Flush();
        EditFixture::SetUp();
        grid->OnGetEditorType = [this](TObject *, int ACol, int, TEditorType &E) {
            if (ACol == 1)
                E = Type;
        };
    }
}
