#include "controls/tree/lazytreeedit.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>

using enum TLazyTreeState;
using enum TLazyNodeState;

namespace {
constexpr int MinEditWidth = 30;
}

// ---------------------------------------------------------------------------------------
// TLTEdit

TLTEdit::TLTEdit(std::shared_ptr<TStringEditLink> Link, QWidget *Parent)
    : QPlainTextEdit(Parent), FRefLink(std::move(Link)), FLink(FRefLink.get())
{
    setFrameShape(QFrame::NoFrame);
    setToolTip(QString());
    document()->setDocumentMargin(0);
    SetMultiline(false);
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

void TLTEdit::SetMultiline(bool Value)
{
    FMultiline = Value;
    setLineWrapMode(Value ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Value ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

QString TLTEdit::text() const
{
    // The raw text keeps non-breaking spaces; blocks and soft breaks become the node's breaks.
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QChar('\n'));
    raw.replace(QChar::LineSeparator, QChar('\n'));
    if (FLineBreak != QStringLiteral("\n"))
        raw.replace(QChar('\n'), FLineBreak);
    return raw;
}

void TLTEdit::setText(const QString &Text)
{
    FLineBreak = Text.contains(QChar('\n')) && !Text.contains(QStringLiteral("\r\n")) ? QStringLiteral("\n")
                                                                                        : QStringLiteral("\r\n");
    setPlainText(Text);
}

bool TLTEdit::isModified() const
{
    return document()->isModified();
}

void TLTEdit::setModified(bool Value)
{
    document()->setModified(Value);
}

int TLTEdit::cursorPosition() const
{
    return textCursor().position();
}

void TLTEdit::setCursorPosition(int Position)
{
    QTextCursor cursor = textCursor();
    cursor.setPosition(std::clamp(Position, 0, document()->characterCount() - 1));
    setTextCursor(cursor);
}

void TLTEdit::setAlignment(Qt::Alignment Value)
{
    QTextOption option = document()->defaultTextOption();
    option.setAlignment(Value);
    document()->setDefaultTextOption(option);
}

void TLTEdit::SetTextMargin(int Left)
{
    setViewportMargins(Left, 0, 0, 0);
}

void TLTEdit::insertFromMimeData(const QMimeData *Source)
{
    if (FMultiline || !Source || !Source->hasText()) {
        QPlainTextEdit::insertFromMimeData(Source);
        return;
    }
    // A single-line caption takes pasted lines joined by spaces.
    QString text = Source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    text.replace(QChar('\r'), QChar(' '));
    text.replace(QChar('\n'), QChar(' '));
    insertPlainText(text);
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
    return QPlainTextEdit::event(Event);
}

void TLTEdit::keyPressEvent(QKeyEvent *Event)
{
    TStringEditLink *link = FLink;
    TCustomLazyStringTree *tree = link ? link->FTree : nullptr;
    if (!tree) {
        QPlainTextEdit::keyPressEvent(Event);
        return;
    }
    const bool multiline = FMultiline;
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
            return;
        }
        // A multi-line node takes the line break; the soft break of Shift+Enter is a break too.
        insertPlainText(QStringLiteral("\n"));
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
            QPlainTextEdit::keyPressEvent(&moved);
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
    QPlainTextEdit::keyPressEvent(Event);
    if (!multiline)
        AutoAdjustSize();
}

void TLTEdit::focusOutEvent(QFocusEvent *Event)
{
    QPlainTextEdit::focusOutEvent(Event);
    // Another window or application taking the focus, or a popup, leaves the edit running:
    // only a focus move inside this window ends it.
    if (Event->reason() == Qt::ActiveWindowFocusReason || Event->reason() == Qt::PopupFocusReason)
        return;
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
    FEdit->SetMultiline(Node->Has(vsMultiline));
    FEdit->setText(text);
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
    FEdit->setModified(false);
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
    FEdit->SetTextMargin(std::max(FTree->TextMargin() - d, 0));
}
