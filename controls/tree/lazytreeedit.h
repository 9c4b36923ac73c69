#pragma once
// The string tree's in-place editor: TStringEditLink drives a TLTEdit, a frameless line
// edit laid over the caption, through the tree's edit protocol.
#include "controls/tree/lazystringtree.h"

#include <QLineEdit>
#include <QPointer>

class TStringEditLink;

class TLTEdit : public QLineEdit
{
public:
    TLTEdit(std::shared_ptr<TStringEditLink> Link, QWidget *Parent = nullptr);
    ~TLTEdit() override;
    TStringEditLink *Link() const { return FLink; }
    // Lets go of the link; the link ends when nothing else holds it.
    void Detach();
    // Sizes the control to its text (single-line nodes without grid extensions).
    void AutoAdjustSize();

protected:
    void keyPressEvent(QKeyEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    bool event(QEvent *Event) override;

private:
    friend class TStringEditLink;
    std::shared_ptr<TStringEditLink> FRefLink;
    TStringEditLink *FLink = nullptr;
};

class TStringEditLink : public ILTEditLink, public std::enable_shared_from_this<TStringEditLink>
{
public:
    TStringEditLink() = default;
    ~TStringEditLink() override;

    bool BeginEdit() override;
    bool CancelEdit() override;
    bool EndEdit() override;
    bool PrepareEdit(TBaseLazyTree *Tree, PLazyNode Node, TColumnIndex Column) override;
    TRect GetBounds() const override;
    void ProcessMessage(QEvent *Event) override;
    void SetBounds(TRect R) override;

    TLTEdit *Edit() const { return FEdit; }
    TCustomLazyStringTree *Tree() const { return FTree; }
    PLazyNode Node() const { return FNode; }
    TColumnIndex Column() const { return FColumn; }
    TLTAlignment Alignment() const { return FAlignment; }
    bool Stopping() const { return FStopping; }

private:
    friend class TLTEdit;
    QPointer<TLTEdit> FEdit;
    TCustomLazyStringTree *FTree = nullptr;
    PLazyNode FNode = nullptr;
    TColumnIndex FColumn = NoColumn;
    TLTAlignment FAlignment = TLTAlignment::taLeftJustify;
    TRect FTextBounds;
    bool FStopping = false;
};
