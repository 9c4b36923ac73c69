#pragma once
// The string tree's in-place editor: TStringEditLink drives a TLTEdit, a frameless text
// edit laid over the caption, through the tree's edit protocol. A multi-line node is
// edited with its line breaks; any other node keeps to one line.
#include "controls/tree/lazystringtree.h"

#include <QPlainTextEdit>
#include <QPointer>

class TStringEditLink;

class TLTEdit : public QPlainTextEdit
{
public:
    TLTEdit(std::shared_ptr<TStringEditLink> Link, QWidget *Parent = nullptr);
    ~TLTEdit() override;
    TStringEditLink *Link() const { return FLink; }
    // Lets go of the link; the link ends when nothing else holds it.
    void Detach();
    // Sizes the control to its text (single-line nodes without grid extensions).
    void AutoAdjustSize();

    // One line, or wrapped lines with a vertical scroll bar.
    void SetMultiline(bool Value);
    bool Multiline() const { return FMultiline; }
    // The text with the node's own line breaks ("\r\n" unless the caption used "\n").
    QString text() const;
    void setText(const QString &Text);
    bool isModified() const;
    void setModified(bool Value);
    int cursorPosition() const;
    void setCursorPosition(int Position);
    void setAlignment(Qt::Alignment Value);
    void SetTextMargin(int Left);

protected:
    void keyPressEvent(QKeyEvent *Event) override;
    void focusOutEvent(QFocusEvent *Event) override;
    bool event(QEvent *Event) override;
    void insertFromMimeData(const QMimeData *Source) override;

private:
    friend class TStringEditLink;
    std::shared_ptr<TStringEditLink> FRefLink;
    TStringEditLink *FLink = nullptr;
    bool FMultiline = false;
    QString FLineBreak = QStringLiteral("\r\n");
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
