#include "controls/tree/lazytreeedit.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>

using enum TLazyTreeState;
using enum TLazyNodeState;

namespace {
constexpr int MinEditWidth = 30;
}

// ---------------------------------------------------------------------------------------
// TLTEdit

TLTEdit::TLTEdit(std::shared_ptr<TStringEditLink> Link, QWidget *Parent)
    : QLineEdit(Parent), FRefLink(std::move(Link)), FLink(FRefLink.get())
{
    setFrame(false);
    setToolTip(QString());
    hide();
}

TLTEdit::~TLTEdit()
{
    // Destroyed while an edit runs: with auto-accept a changed text is kept.
    if (FLink && !FLink->FStopping && FLink->FTree) {
        auto *tree = FLink->FTree;
        if (tree->TreeOptions().StringOptions().Contains(TLTStringOption::toAutoAcceptEditChange) && isModified())
            tree->SetText(FLink->FNode, FLink->FColumn, text());
    }
    Detach();
}

void TLTEdit::Detach()
{
    FLink = nullptr;
    FRefLink.reset();
}

void TLTEdit::AutoAdjustSize()
{
    if (!FLink || !FLink->FTree || FLink->FNode->Has(vsMultiline) ||
        FLink->FTree->TreeOptions().MiscOptions().Contains(TLTMiscOption::toGridExtensions))
        return;
    TCustomLazyStringTree *tree = FLink->FTree;
    const QSize extent = fontMetrics().size(Qt::TextSingleLine, text() + QStringLiteral("yG"));
    const int w = extent.width() + 2 * tree->TextMargin();
    const int h = extent.height() + 2 * tree->TextMargin();
    if (w < width())
        tree->viewport()->update();
    QRect r = geometry();
    r.setHeight(std::max(r.height(), h));
    if (FLink->FAlignment == TLTAlignment::taRightJustify)
        r.setLeft(r.right() + 1 - w);
    else
        r.setWidth(w);
    FLink->SetBounds(TRect::FromQRect(r));
}

bool TLTEdit::event(QEvent *Event)
{
    // Tab belongs to the edit: it moves the edit down the tree.
    if (Event->type() == QEvent::KeyPress) {
        auto *e = static_cast<QKeyEvent *>(Event);
        if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) {
            keyPressEvent(e);
            return true;
        }
    }
    return QLineEdit::event(Event);
}

void TLTEdit::keyPressEvent(QKeyEvent *Event)
{
    TStringEditLink *link = FLink;
    TCustomLazyStringTree *tree = link ? link->FTree : nullptr;
    if (!tree) {
        QLineEdit::keyPressEvent(Event);
        return;
    }
    const bool multiline = link->FNode->Has(vsMultiline);
    switch (Event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (tree->IsEditing()) {
            PLazyNode node = link->FNode;
            tree->InvalidateNode(node);
            PLazyNode next = tree->GetNextVisible(node, true);
            tree->EndEditNode();
            tree->SetFocusedNode(next);
            if (tree->FocusedNode() && tree->CanEdit(tree->FocusedNode(), tree->FocusedColumn()))
                tree->StartEditing();
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!multiline || Event->modifiers().testFlag(Qt::ControlModifier)) {
            tree->InvalidateNode(link->FNode);
            tree->FinishEditing();
            tree->setFocus();
        }
        return;
    case Qt::Key_Escape:
        tree->AbortEditing();
        tree->setFocus();
        return;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!multiline) {
            // A single line has no rows: the caret moves along it.
            QKeyEvent moved(Event->type(), Event->key() == Qt::Key_Up ? Qt::Key_Left : Qt::Key_Right,
                            Event->modifiers(), Event->text());
            QLineEdit::keyPressEvent(&moved);
            return;
        }
        break;
    case Qt::Key_A:
        if (tree->IsEditing() && Event->modifiers() == Qt::ControlModifier) {
            selectAll();
            return;
        }
        break;
    default: break;
    }
    QLineEdit::keyPressEvent(Event);
    if (!multiline)
        AutoAdjustSize();
}

void TLTEdit::focusOutEvent(QFocusEvent *Event)
{
    QLineEdit::focusOutEvent(Event);
    if (FLink && !FLink->FStopping && FLink->FTree) {
        TCustomLazyStringTree *tree = FLink->FTree;
        if (tree->TreeOptions().StringOptions().Contains(TLTStringOption::toAutoAcceptEditChange))
            tree->FinishEditing();
        else
            tree->AbortEditing();
    }
}

// ---------------------------------------------------------------------------------------
// TStringEditLink

TStringEditLink::~TStringEditLink()
{
    if (FEdit) {
        FEdit->FLink = nullptr;
        FEdit->deleteLater();
    }
}

bool TStringEditLink::PrepareEdit(TBaseLazyTree *Tree, PLazyNode Node, TColumnIndex Column)
{
    auto *tree = dynamic_cast<TCustomLazyStringTree *>(Tree);
    if (!tree)
        return false;
    FTree = tree;
    FNode = Node;
    FColumn = Column;
    FStopping = false;
    if (!FEdit)
        FEdit = new TLTEdit(shared_from_this(), tree->viewport());
    QFont font = tree->font();
    QString text;
    tree->GetTextInfo(Node, Column, font, FTextBounds, text);
    FEdit->setFont(font);
    FEdit->setText(text);
    FEdit->setModified(false);
    TLazyTreeColumns &columns = tree->Header().Columns();
    const bool hasColumn = columns.IsValidColumn(Column);
    const TLTBiDiMode bidi = hasColumn ? columns[Column].BiDiMode() : tree->BiDiMode();
    FAlignment = hasColumn ? columns[Column].Alignment() : tree->Alignment();
    FEdit->setLayoutDirection(bidi == TLTBiDiMode::bdLeftToRight ? Qt::LeftToRight : Qt::RightToLeft);
    if (bidi != TLTBiDiMode::bdLeftToRight) {
        if (FAlignment == TLTAlignment::taLeftJustify)
            FAlignment = TLTAlignment::taRightJustify;
        else if (FAlignment == TLTAlignment::taRightJustify)
            FAlignment = TLTAlignment::taLeftJustify;
    }
    FEdit->setAlignment(FAlignment == TLTAlignment::taRightJustify ? Qt::AlignRight
                        : FAlignment == TLTAlignment::taCenter    ? Qt::AlignHCenter
                                                                   : Qt::AlignLeft);
    return true;
}

bool TStringEditLink::BeginEdit()
{
    if (FStopping || !FEdit)
        return false;
    FEdit->show();
    FEdit->selectAll();
    FEdit->setFocus();
    FEdit->AutoAdjustSize();
    return true;
}

bool TStringEditLink::EndEdit()
{
    if (FStopping)
        return false;
    FStopping = true;
    try {
        if (FEdit && FEdit->isModified())
            FTree->SetText(FNode, FColumn, FEdit->text());
    } catch (...) {
        FStopping = false;
        throw;
    }
    if (FEdit) {
        FEdit->hide();
        FEdit->Detach();
    }
    return true;
}

bool TStringEditLink::CancelEdit()
{
    if (FStopping)
        return false;
    FStopping = true;
    if (FEdit)
        FEdit->hide();
    FTree->CancelEditNode();
    if (FEdit)
        FEdit->Detach();
    return true;
}

TRect TStringEditLink::GetBounds() const
{
    return FEdit ? TRect::FromQRect(FEdit->geometry()) : TRect();
}

void TStringEditLink::ProcessMessage(QEvent *Event)
{
    if (FEdit)
        QCoreApplication::sendEvent(FEdit, Event);
}

void TStringEditLink::SetBounds(TRect R)
{
    if (FStopping || !FEdit)
        return;
    R.Left = std::max(R.Left, 0);
    if (R.Width() < MinEditWidth) {
        if (FAlignment == TLTAlignment::taRightJustify)
            R.Left = R.Right - MinEditWidth;
        else
            R.Right = R.Left + MinEditWidth;
    }
    R.Right = std::min(R.Right, FTree->ClientWidth());
    FEdit->setGeometry(R.ToQRect());
    const int d = (FNode->Has(vsMultiline) ? 0 : 2) + (FTree->TreeStates().Contains(tsUseThemes) ? 1 : 0);
    FEdit->setTextMargins(std::max(FTree->TextMargin() - d, 0), 0, 0, 0);
}
