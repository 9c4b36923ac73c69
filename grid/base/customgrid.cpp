#include "grid/base/customgrid.h"
#include "grid/base/indexedit.h"
#include "grid/base/gridstore.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <climits>

namespace {

constexpr int WHEEL_DELTA = 120;

bool EmptyRect(const TRect &r)
{
    return r.Right <= r.Left || r.Bottom <= r.Top;
}

void MoveAdjust(int &CellPos, int FromIndex, int ToIndex)
{
    if (CellPos == FromIndex)
        CellPos = ToIndex;
    else if (CellPos > FromIndex && CellPos <= ToIndex)
        --CellPos;
    else if (CellPos < FromIndex && CellPos >= ToIndex)
        ++CellPos;
}

TMouseButton ButtonOf(Qt::MouseButton b)
{
    return b == Qt::RightButton ? mbRight : b == Qt::MiddleButton ? mbMiddle : mbLeft;
}

TGridCoord Restrict(TGridCoord c, int MinX, int MinY, int MaxX, int MaxY)
{
    c.X = std::clamp(c.X, MinX, std::max(MinX, MaxX));
    c.Y = std::clamp(c.Y, MinY, std::max(MinY, MaxY));
    return c;
}

}   // namespace

TGridRect GridRect(TGridCoord a, TGridCoord b)
{
    return {std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y)};
}

bool PointInGridRect(int col, int row, const TGridRect &rect)
{
    return col >= rect.Left && col <= rect.Right && row >= rect.Top && row <= rect.Bottom;
}

// ---------------------------------------------------------------------------------------
// TGridAxisExtents

void TGridAxisExtents::SetCount(int Value)
{
    Value = std::max(0, Value);
    const int old = Count();
    for (int i = Value; i < old; ++i)
        if (FExtents[size_t(i)] != FDefault)
            --FNonDefault;
    FExtents.resize(size_t(Value), FDefault);
    Invalidate(std::min(old, Value));
}

void TGridAxisExtents::SetDefault(int Value)
{
    FDefault = Value;
    std::fill(FExtents.begin(), FExtents.end(), Value);
    FNonDefault = 0;
    FPrefix.clear();
    FPrefixValid = 0;
}

int TGridAxisExtents::Extent(int Index) const
{
    return Index >= 0 && Index < Count() ? FExtents[size_t(Index)] : FDefault;
}

void TGridAxisExtents::SetExtent(int Index, int Value)
{
    int &e = FExtents[size_t(Index)];
    if (e == Value)
        return;
    if (e == FDefault)
        ++FNonDefault;
    if (Value == FDefault)
        --FNonDefault;
    e = Value;
    Invalidate(Index);
}

void TGridAxisExtents::Invalidate(int Index) const
{
    FPrefixValid = std::min(FPrefixValid, Index + 1);
}

int64_t TGridAxisExtents::Offset(int Index) const
{
    if (Index <= 0)
        return 0;
    const int n = Count();
    const int upto = std::min(Index, n);
    int64_t sum;
    if (FNonDefault == 0) {
        sum = int64_t(upto) * FDefault;
    } else {
        if (FPrefix.size() != size_t(n) + 1) {
            FPrefix.resize(size_t(n) + 1);
            FPrefixValid = std::min(FPrefixValid, n + 1);
        }
        if (FPrefixValid == 0) {
            FPrefix[0] = 0;
            FPrefixValid = 1;
        }
        for (int i = FPrefixValid; i <= upto; ++i)
            FPrefix[size_t(i)] = FPrefix[size_t(i) - 1] + FExtents[size_t(i) - 1];
        FPrefixValid = std::max(FPrefixValid, upto + 1);
        sum = FPrefix[size_t(upto)];
    }
    return sum + int64_t(Index - upto) * FDefault;
}

void TGridAxisExtents::Move(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex)
        return;
    auto b = FExtents.begin();
    if (FromIndex < ToIndex)
        std::rotate(b + FromIndex, b + FromIndex + 1, b + ToIndex + 1);
    else
        std::rotate(b + ToIndex, b + FromIndex, b + FromIndex + 1);
    Invalidate(std::min(FromIndex, ToIndex));
}

void TGridAxisExtents::Delete(const std::vector<int> &Indexes, int *Taken)
{
    if (Indexes.empty())
        return;
    const size_t first = size_t(std::lower_bound(Indexes.begin(), Indexes.end(), 0) - Indexes.begin());
    const size_t last =
        size_t(std::lower_bound(Indexes.begin(), Indexes.end(), Count()) - Indexes.begin());
    if (FNonDefault == 0) {
        // Every entry is the default: nothing moves, there are only fewer of them.
        if (Taken)
            std::fill_n(Taken, Indexes.size(), FDefault);
        FExtents.resize(FExtents.size() - (last - first));
    } else {
        if (Taken) {
            std::fill_n(Taken, first, FDefault);
            std::fill(Taken + last, Taken + Indexes.size(), FDefault);
        }
        EraseIndexes(FExtents, Indexes, [&](size_t j, int &&Extent) {
            if (Extent != FDefault)
                --FNonDefault;
            if (Taken)
                Taken[j] = Extent;
        });
    }
    Invalidate(Indexes.front());
}

void TGridAxisExtents::Insert(const std::vector<int> &Indexes)
{
    if (Indexes.empty())
        return;
    if (FNonDefault == 0)
        FExtents.resize(FExtents.size() + InsertedCount(FExtents.size(), Indexes), FDefault);
    else
        InsertIndexes(FExtents, Indexes, FDefault);
    Invalidate(Indexes.front());
}

// ---------------------------------------------------------------------------------------
// TInplaceEdit

// The hidden one-line edit of a masked or password cell: it keeps the text and applies the
// mask; TInplaceEdit hands it the keys the edit control handles itself.
class TInplaceLine : public QLineEdit
{
public:
    using QLineEdit::QLineEdit;
    void Key(QKeyEvent *e) { QLineEdit::keyPressEvent(e); }
};

TInplaceEdit::TInplaceEdit(TCustomGrid *Grid) : QPlainTextEdit(Grid ? Grid->viewport() : nullptr), FGrid(Grid)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    // Tab leaves the editor unless the grid wants it (event() takes it then).
    setTabChangesFocus(true);
    document()->setDocumentMargin(1);
    hide();
    // The document also reports layout and format changes: only a new text counts.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (FSyncing || FLine)
            return;
        QString now = DocText();
        if (now == FLastDoc)
            return;
        FLastDoc = std::move(now);
        TextChanged();
    });
}

TInplaceEdit::~TInplaceEdit()
{
    delete FLine;
}

void TInplaceEdit::TextChanged()
{
    Change();
}

// ---- text and positions

QString TInplaceEdit::DocText() const
{
    QString raw = document()->toRawText();
    for (QChar &c : raw)
        if (c == QChar::ParagraphSeparator || c == QChar::LineSeparator)
            c = u'\n';
    return raw;
}

QString TInplaceEdit::ToDoc(const QString &Value) const
{
    QString d = Value;
    d.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    d.replace(u'\r', u'\n');
    return d;
}

int TInplaceEdit::DocToText(int DocPos) const
{
    if (FBreak.size() == 1)
        return DocPos;
    const QString d = DocText();
    return DocPos + int(QStringView(d).left(std::clamp(DocPos, 0, int(d.size()))).count(u'\n'));
}

int TInplaceEdit::TextToDoc(int TextPos) const
{
    if (FBreak.size() == 1)
        return TextPos;
    const QString d = DocText();
    int t = 0;
    for (int i = 0; i < d.size(); ++i) {
        const int w = d[i] == u'\n' ? 2 : 1;
        if (t + w > TextPos)
            return i;
        t += w;
    }
    return int(d.size());
}

QString TInplaceEdit::text() const
{
    if (FLine)
        return FLine->text();
    const QString d = DocText();
    if (d == FLoadedDoc)
        return FLoadedText;
    if (FBreak == u"\n")
        return d;
    QString t = d;
    return t.replace(u'\n', FBreak);
}

void TInplaceEdit::SetDocText(const QString &Value)
{
    const bool was = FSyncing;
    FSyncing = true;
    setPlainText(Value);
    FLastDoc = DocText();
    FSyncing = was;
}

void TInplaceEdit::setText(const QString &Value)
{
    if (FLine) {
        FLine->setText(Value);   // textChanged shows it and reports the change
        return;
    }
    FLoadedText = Value;
    FLoadedDoc = ToDoc(Value);
    if (Value.contains(QLatin1String("\r\n")) || !Value.contains(u'\n'))
        FBreak = Value.contains(u'\r') && !Value.contains(QLatin1String("\r\n")) ? QStringLiteral("\r")
                                                                              : QStringLiteral("\r\n");
    else
        FBreak = QStringLiteral("\n");
    if (FLoadedDoc.size() > FMaxLength)
        FLoadedDoc.truncate(FMaxLength);
    const bool changed = FLoadedDoc != FLastDoc;
    SetDocText(FLoadedDoc);
    if (FLoadedDoc.size() != ToDoc(Value).size())
        FLoadedText = text();
    moveCursor(QTextCursor::End);
    if (changed)
        TextChanged();
}

int TInplaceEdit::cursorPosition() const
{
    return DocToText(textCursor().position());
}

void TInplaceEdit::setCursorPosition(int Pos)
{
    QTextCursor c = textCursor();
    c.setPosition(std::clamp(TextToDoc(Pos), 0, int(DocText().size())));
    setTextCursor(c);
}

bool TInplaceEdit::hasSelectedText() const
{
    return textCursor().hasSelection();
}

QString TInplaceEdit::selectedText() const
{
    const QTextCursor c = textCursor();
    if (!c.hasSelection())
        return QString();
    if (FLine) {
        ViewToLine();
        return FLine->selectedText();
    }
    const int a = DocToText(c.selectionStart());
    const int b = DocToText(c.selectionEnd());
    return text().mid(a, b - a);
}

int TInplaceEdit::selectionStart() const
{
    const QTextCursor c = textCursor();
    return c.hasSelection() ? DocToText(c.selectionStart()) : -1;
}

void TInplaceEdit::setSelection(int Start, int Length)
{
    const int n = int(DocText().size());
    QTextCursor c = textCursor();
    c.setPosition(std::clamp(TextToDoc(Start), 0, n));
    c.setPosition(std::clamp(TextToDoc(Start + Length), 0, n), QTextCursor::KeepAnchor);
    setTextCursor(c);
}

void TInplaceEdit::selectAll()
{
    QPlainTextEdit::selectAll();
}

void TInplaceEdit::deselect()
{
    QTextCursor c = textCursor();
    c.clearSelection();
    setTextCursor(c);
}

void TInplaceEdit::insert(const QString &Value)
{
    if (FLine) {
        ViewToLine();
        FLine->insert(Value);
        return;
    }
    QTextCursor c = textCursor();
    QString v = ToDoc(Value);
    const int room = FMaxLength - (int(DocText().size()) - (c.selectionEnd() - c.selectionStart()));
    if (v.size() > room)
        v.truncate(std::max(0, room));
    if (v.isEmpty() && !c.hasSelection())
        return;
    c.insertText(v);
    setTextCursor(c);
}

void TInplaceEdit::backspace()
{
    if (FLine) {
        ViewToLine();
        FLine->backspace();
        return;
    }
    QTextCursor c = textCursor();
    if (c.hasSelection())
        c.removeSelectedText();
    else
        c.deletePreviousChar();
    setTextCursor(c);
}

void TInplaceEdit::cut()
{
    if (FLine) {
        ViewToLine();
        FLine->cut();
        return;
    }
    QPlainTextEdit::cut();
}

void TInplaceEdit::copy()
{
    if (FLine) {
        ViewToLine();
        FLine->copy();
        return;
    }
    QPlainTextEdit::copy();
}

int TInplaceEdit::cursorPositionAt(const QPoint &Pos) const
{
    return DocToText(cursorForPosition(Pos - viewport()->pos()).position());
}

QString TInplaceEdit::inputMask() const
{
    return FMask;
}

void TInplaceEdit::setInputMask(const QString &Mask)
{
    FMask = Mask;
    UpdateLineMode();
}

void TInplaceEdit::setMaxLength(int Value)
{
    FMaxLength = Value > 0 ? Value : 32767;
    if (FLine)
        FLine->setMaxLength(FMaxLength);
}

void TInplaceEdit::setEchoMode(QLineEdit::EchoMode Mode)
{
    FEchoMode = Mode;
    UpdateLineMode();
}

void TInplaceEdit::UpdateLineMode()
{
    const bool oneLine = !FMask.isEmpty() || FEchoMode != QLineEdit::Normal;
    if (!oneLine) {
        if (FLine) {
            const QString t = FLine->text();
            delete FLine;
            FLine = nullptr;
            setLineWrapMode(FWrapping ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
            const bool was = FLoading;
            FLoading = true;
            setText(t);
            FLoading = was;
        }
        return;
    }
    if (!FLine) {
        const QString t = text();
        FLine = new TInplaceLine;
        FLine->setMaxLength(FMaxLength);
        connect(FLine, &QLineEdit::textChanged, this, [this] {
            LineToView();
            TextChanged();
        });
        connect(FLine, &QLineEdit::cursorPositionChanged, this, [this] { LineToView(); });
        connect(FLine, &QLineEdit::selectionChanged, this, [this] { LineToView(); });
        setLineWrapMode(QPlainTextEdit::NoWrap);
        const bool was = FLoading;
        FLoading = true;
        FLine->setText(t);
        FLoading = was;
    }
    FLine->setEchoMode(FEchoMode);
    if (FLine->inputMask() != FMask) {
        const QString t = FLine->text();
        const bool was = FLoading;
        FLoading = true;
        FLine->setInputMask(FMask);
        FLine->setText(t);
        FLoading = was;
    }
    LineToView();
}

void TInplaceEdit::LineToView()
{
    if (!FLine || FSyncing)
        return;
    const bool was = FSyncing;
    FSyncing = true;
    QString shown = FLine->displayText();
    for (QChar &c : shown)
        if (c == u'\n' || c == u'\r')
            c = QChar(0x00B6);
    if (DocText() != shown)
        setPlainText(shown);
    QTextCursor c = textCursor();
    const int n = int(shown.size());
    if (FLine->hasSelectedText()) {
        const int a = FLine->selectionStart();
        const int b = FLine->selectionEnd();
        const bool caretAtStart = FLine->cursorPosition() == a;
        c.setPosition(std::clamp(caretAtStart ? b : a, 0, n));
        c.setPosition(std::clamp(caretAtStart ? a : b, 0, n), QTextCursor::KeepAnchor);
    } else {
        c.setPosition(std::clamp(FLine->cursorPosition(), 0, n));
    }
    setTextCursor(c);
    FSyncing = was;
}

void TInplaceEdit::ViewToLine() const
{
    if (!FLine)
        return;
    auto *self = const_cast<TInplaceEdit *>(this);
    const bool was = self->FSyncing;
    self->FSyncing = true;
    const QTextCursor c = textCursor();
    if (c.hasSelection()) {
        if (c.position() < c.anchor())
            FLine->setSelection(c.anchor(), c.position() - c.anchor());
        else
            FLine->setSelection(c.anchor(), c.position() - c.anchor());
    } else {
        FLine->setCursorPosition(c.position());
    }
    self->FSyncing = was;
}

void TInplaceEdit::setAlignment(Qt::Alignment Value)
{
    FAlignment = Value & Qt::AlignHorizontal_Mask;
    QTextOption o = document()->defaultTextOption();
    if (o.alignment() == FAlignment)
        return;
    o.setAlignment(FAlignment);
    document()->setDefaultTextOption(o);
}

void TInplaceEdit::setWrapping(bool Value)
{
    FWrapping = Value;
    setLineWrapMode(Value && !FLine ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TInplaceEdit::setTextMargins(int Left, int Top, int Right, int Bottom)
{
    setViewportMargins(Left, Top, Right, Bottom);
}

bool TInplaceEdit::isModified() const
{
    return FLine ? FLine->isModified() : document()->isModified();
}

void TInplaceEdit::setModified(bool Value)
{
    if (FLine)
        FLine->setModified(Value);
    document()->setModified(Value);
}

bool TInplaceEdit::CaretOnFirstLine() const
{
    QTextCursor c = textCursor();
    c.clearSelection();
    return !c.movePosition(QTextCursor::Up);
}

bool TInplaceEdit::CaretOnLastLine() const
{
    QTextCursor c = textCursor();
    c.clearSelection();
    return !c.movePosition(QTextCursor::Down);
}

// ---- the grid's side

void TInplaceEdit::UpdateContents()
{
    if (!FGrid)
        return;
    FLoading = true;
    setText(QString());
    setInputMask(FGrid->GetEditMask(FGrid->Col(), FGrid->Row()));
    setText(FGrid->GetEditText(FGrid->Col(), FGrid->Row()));
    const int limit = FGrid->GetEditLimit();
    setMaxLength(limit > 0 ? limit : 32767);
    FLoading = false;
}

void TInplaceEdit::BoundsChanged() {}

void TInplaceEdit::Move(const TRect &ARect)
{
    if (EmptyRect(ARect)) {
        HideEditor();
        return;
    }
    setGeometry(ARect.ToQRect());
    show();
    raise();
    BoundsChanged();
    if (FGrid && (FGrid->hasFocus() || FGrid->viewport()->hasFocus() ||
                  FGrid->window()->focusWidget() == FGrid))
        setFocus(Qt::OtherFocusReason);
}

void TInplaceEdit::HideEditor()
{
    if (!isVisible())
        return;
    if (hasFocus() && FGrid)
        FGrid->setFocus(Qt::OtherFocusReason);
    hide();
}

void TInplaceEdit::Deselect()
{
    deselect();
    setCursorPosition(int(text().size()));
}

void TInplaceEdit::LoadText(const QString &Value)
{
    const bool was = FLoading;
    FLoading = true;
    setText(Value);
    FLoading = was;
}

void TInplaceEdit::Change()
{
    if (FGrid && !FLoading)
        FGrid->UpdateText();
}

void TInplaceEdit::WMKeyDown(TKeyMessage &Message)
{
    KeyDown(Message.CharCode, Message.Shift);
}

void TInplaceEdit::WMChar(TKeyMessage &Message)
{
    QChar ch(Message.CharCode);
    KeyPress(ch);
    Message.CharCode = ch.unicode();
    if (!ch.isNull())
        DefaultChar(ch);
}

void TInplaceEdit::WMKeyUp(TKeyMessage &Message)
{
    KeyUp(Message.CharCode, Message.Shift);
}

void TInplaceEdit::KeyDown(uint16_t &Key, TShiftState Shift)
{
    auto sendToParent = [&] {
        if (FGrid)
            FGrid->KeyDown(Key, Shift);
        Key = 0;
    };
    const bool ctrl = Shift.Contains(ssCtrl);
    const int len = int(text().size());
    const bool leftSide = cursorPosition() == 0 && (!hasSelectedText() || selectedText().size() == len);
    const bool rightSide = cursorPosition() == len && (!hasSelectedText() || selectedText().size() == len);
    const bool forward = FGrid && FGrid->Options().Contains(goAlwaysShowEditor);
    switch (Key) {
    case VK_UP:
    case VK_DOWN:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_ESCAPE:
        sendToParent();
        break;
    case VK_INSERT:
        if (Shift.Empty())
            sendToParent();
        else if (Shift == TShiftState{ssShift} && FGrid && !FGrid->CanEditModify())
            Key = 0;
        break;
    case VK_LEFT:
    case VK_HOME:
        if (forward && (ctrl || leftSide))
            sendToParent();
        break;
    case VK_RIGHT:
    case VK_END:
        if (forward && (ctrl || rightSide))
            sendToParent();
        break;
    case VK_TAB:
        if (!Shift.Contains(ssAlt))
            sendToParent();
        break;
    case VK_DELETE:
        if (ctrl)
            sendToParent();
        else if (FGrid && !FGrid->CanEditModify())
            Key = 0;
        break;
    default:
        break;
    }
    if (Key != 0 && FGrid && FGrid->OnKeyDown)
        FGrid->OnKeyDown(FGrid, Key, Shift);
    if (Key != 0 && OnKeyDown)
        OnKeyDown(FGrid, Key, Shift);
    // What is left goes to the edit control itself (caret movement, deleting).
    if (Key != 0 && FPendingKey && FPendingKey->key() != Qt::Key_Backspace) {
        QKeyEvent plain(QEvent::KeyPress, FPendingKey->key(), FPendingKey->modifiers(), QString());
        DefaultKey(&plain);
    }
}

void TInplaceEdit::DefaultKey(QKeyEvent *e)
{
    // Enter and Tab type through the character step, never here.
    switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return;
    default:
        break;
    }
    if (FLine) {
        ViewToLine();
        FLine->Key(e);
        LineToView();
        return;
    }
    QPlainTextEdit::keyPressEvent(e);
}

void TInplaceEdit::KeyPress(QChar &Key)
{
    if (FGrid)
        FGrid->KeyPress(Key);
    if (FGrid && Key.unicode() >= 32 && !FGrid->CanEditAcceptKey(Key))
        Key = QChar();
    switch (Key.unicode()) {
    case 9:
    case 27:
        Key = QChar();
        break;
    case 13:
        if (selectedText().size() == text().size() && !text().isEmpty())
            Deselect();
        else
            selectAll();
        Key = QChar();
        break;
    default:
        if ((Key.unicode() == 8 || Key.unicode() == 10 || Key.unicode() >= 32) && FGrid &&
            !FGrid->CanEditModify())
            Key = QChar();
        break;
    }
    if (!Key.isNull() && OnKeyPress)
        OnKeyPress(FGrid, Key);
}

void TInplaceEdit::KeyUp(uint16_t &Key, TShiftState Shift)
{
    if (FGrid && FGrid->OnKeyUp)
        FGrid->OnKeyUp(FGrid, Key, Shift);
    if (Key != 0 && OnKeyUp)
        OnKeyUp(FGrid, Key, Shift);
}

void TInplaceEdit::DefaultChar(QChar Ch)
{
    const ushort c = Ch.unicode();
    if (c == 8)
        backspace();
    else if (c == 10 || c == 13) {
        if (!FLine)
            insert(QStringLiteral("\n"));
    } else if (c >= 32 && c != 127)
        insert(QString(Ch));
}

bool TInplaceEdit::event(QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && FGrid && FGrid->WantTabs()) {
            keyPressEvent(k);
            return true;
        }
    }
    return QPlainTextEdit::event(e);
}

void TInplaceEdit::keyPressEvent(QKeyEvent *e)
{
    if ((e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) && !(FGrid && FGrid->WantTabs())) {
        e->ignore();
        return;
    }
    const TKeyInfo k = TranslateKeyEvent(*e);
    FPendingKey = e;
    bool ctrlShortcut = false;
    if (k.Key) {
        TKeyMessage m = MakeKeyMessage(k.Key, k);
        WMKeyDown(m);
        // Clipboard and undo shortcuts are the edit control's own key-down work; their
        // control characters must not act twice.
        ctrlShortcut = k.Shift.Contains(ssCtrl) && k.Char.unicode() >= 1 && k.Char.unicode() < 32 &&
                       k.Key != VK_RETURN;
    } else if (k.Char.isNull()) {
        DefaultKey(e);
    }
    FPendingKey = nullptr;
    if (!k.Char.isNull() && !ctrlShortcut) {
        TKeyMessage m = MakeKeyMessage(k.Char.unicode(), k);
        WMChar(m);
    }
    e->accept();
}

void TInplaceEdit::keyReleaseEvent(QKeyEvent *e)
{
    const TKeyInfo k = TranslateKeyEvent(*e);
    if (k.Key) {
        TKeyMessage m = MakeKeyMessage(k.Key, k);
        WMKeyUp(m);
    }
    e->accept();
}

void TInplaceEdit::focusInEvent(QFocusEvent *e)
{
    QPlainTextEdit::focusInEvent(e);
    if (FGrid)
        FGrid->EditorFocusIn();
}

void TInplaceEdit::focusOutEvent(QFocusEvent *e)
{
    QPlainTextEdit::focusOutEvent(e);
    if (FGrid)
        FGrid->EditorFocusOut();
}

void TInplaceEdit::mouseDoubleClickEvent(QMouseEvent *e)
{
    QPlainTextEdit::mouseDoubleClickEvent(e);
}

// ---------------------------------------------------------------------------------------
// TCustomGrid: construction and dimensions

TCustomGrid::TCustomGrid(QWidget *Parent) : QAbstractScrollArea(Parent)
{
    FOptions = {goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, goRangeSelect};
    FColWidths.SetDefault(64);
    FRowHeights.SetDefault(24);
    FColWidths.SetCount(FColCount);
    FRowHeights.SetCount(FRowCount);
    FTabStops.assign(size_t(FColCount), true);
    FFont.SetValue(TFont::FromQFont(font(), clWindowText));
    FFont.OnChange = [this](TObject *) {
        setFont(FFont.ToQFont());
        UpdateScrollRange();
        InvalidateGrid();
    };
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setFocusProxy(this);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setFrameShape(QFrame::StyledPanel);
    FTimer.setInterval(60);
    connect(&FTimer, &QTimer::timeout, this, [this] { TimerScroll(); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { ScrollBarAction(SB_VERT, action); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
            [this](int action) { ScrollBarAction(SB_HORZ, action); });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        ModifyScrollBar(SB_VERT, SB_THUMBPOSITION, verticalScrollBar()->sliderPosition());
        ModifyScrollBar(SB_VERT, SB_ENDSCROLL, verticalScrollBar()->sliderPosition());
        UpdateScrollPos();
    });
    connect(horizontalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        ModifyScrollBar(SB_HORZ, SB_THUMBPOSITION, horizontalScrollBar()->sliderPosition());
        ModifyScrollBar(SB_HORZ, SB_ENDSCROLL, horizontalScrollBar()->sliderPosition());
        UpdateScrollPos();
    });
    SetScrollBars(ssBoth);
    UpdateScrollRange();
}

TCustomGrid::~TCustomGrid()
{
    // The editor goes first: Qt would delete it after this grid's parts are gone, and its
    // focus loss would then call into them.
    FTimer.stop();
    if (FInplaceEdit) {
        FInplaceEdit->FGrid = nullptr;
        delete FInplaceEdit;
        FInplaceEdit = nullptr;
    }
}

void TCustomGrid::SetColCount(int Value)
{
    Value = std::max(1, Value);
    if (Value > TGridStore::MaxColumns)
        throw EGridError("Grid too large");
    if (Value == FColCount)
        return;
    if (Value <= FFixedCols)
        TCustomGrid::SetFixedCols(Value - 1);
    ChangeSize(Value, FRowCount);
}

void TCustomGrid::SetRowCount(int Value)
{
    Value = std::max(1, Value);
    if (Value > TGridStore::MaxRows)
        throw EGridError("Grid too large");
    if (Value == FRowCount)
        return;
    if (Value <= FFixedRows)
        TCustomGrid::SetFixedRows(Value - 1);
    ChangeSize(FColCount, Value);
}

void TCustomGrid::SetFixedCols(int Value)
{
    if (Value == FFixedCols)
        return;
    if (Value < 0)
        throw EGridError("Grid index out of range");
    if (Value >= FColCount)
        throw EGridError("Fixed column count must be less than column count");
    FFixedCols = Value;
    Initialize();
}

void TCustomGrid::SetFixedRows(int Value)
{
    if (Value == FFixedRows)
        return;
    if (Value < 0)
        throw EGridError("Grid index out of range");
    if (Value >= FRowCount)
        throw EGridError("Fixed row count must be less than row count");
    FFixedRows = Value;
    Initialize();
}

void TCustomGrid::Initialize()
{
    FTopLeft = {FFixedCols, FFixedRows};
    FCurrent = FTopLeft;
    FAnchor = FCurrent;
    if (FOptions.Contains(goRowSelect))
        FAnchor.X = FColCount - 1;
    UpdateScrollRange();
    UpdateScrollPos();
    InvalidateGrid();
}

void TCustomGrid::ChangeSize(int NewColCount, int NewRowCount)
{
    const int oldColCount = FColCount;
    const int oldRowCount = FRowCount;
    FColCount = NewColCount;
    FRowCount = NewRowCount;
    if (FFixedCols > NewColCount)
        FFixedCols = NewColCount - 1;
    if (FFixedRows > NewRowCount)
        FFixedRows = NewRowCount - 1;
    FColWidths.SetCount(FColCount);
    FRowHeights.SetCount(FRowCount);
    FTabStops.resize(size_t(FColCount), true);

    TGridCoord coord = FCurrent;
    if (coord.Y >= FRowCount)
        coord.Y = FRowCount - 1;
    if (coord.X >= FColCount)
        coord.X = FColCount - 1;
    if (coord.X != FCurrent.X || coord.Y != FCurrent.Y) {
        MoveCurrent(coord.X, coord.Y, true, true);
        // A vetoed move must not leave the current cell outside the grid.
        if (FCurrent.X >= FColCount || FCurrent.Y >= FRowCount) {
            FCurrent = coord;
            FAnchor = coord;
        }
    }
    if (FAnchor.X != coord.X || FAnchor.Y != coord.Y)
        MoveAnchor(coord);
    InvalidateGrid();
    UpdateScrollRange();
    SizeChanged(oldColCount, oldRowCount);
}

void TCustomGrid::SetDefaultColWidth(int Value)
{
    FColWidths.SetDefault(Value);
    ColWidthsChanged();
    InvalidateGrid();
}

void TCustomGrid::SetDefaultRowHeight(int Value)
{
    FRowHeights.SetDefault(Value);
    RowHeightsChanged();
    InvalidateGrid();
}

void TCustomGrid::SetColWidths(int Index, int Value)
{
    if (Index < 0 || Index >= FColCount)
        throw EGridError("Grid index out of range");
    Value = std::max(-1, Value);
    if (FColWidths.Extent(Index) == Value)
        return;
    FColWidths.SetExtent(Index, Value);
    InvalidateGrid();
    ColWidthsChanged();
}

void TCustomGrid::SetRowHeights(int Index, int Value)
{
    if (Index < 0 || Index >= FRowCount)
        throw EGridError("Grid index out of range");
    Value = std::max(-1, Value);
    if (FRowHeights.Extent(Index) == Value)
        return;
    FRowHeights.SetExtent(Index, Value);
    InvalidateGrid();
    RowHeightsChanged();
}

void TCustomGrid::SetGridLineWidth(int Value)
{
    Value = std::max(0, Value);
    if (Value == FGridLineWidth)
        return;
    FGridLineWidth = Value;
    UpdateScrollRange();
    InvalidateGrid();
}

bool TCustomGrid::TabStops(int Index) const
{
    return Index >= 0 && Index < int(FTabStops.size()) ? FTabStops[size_t(Index)] : true;
}

void TCustomGrid::SetTabStops(int Index, bool Value)
{
    if (Index < 0 || Index >= FColCount)
        throw EGridError("Grid index out of range");
    FTabStops[size_t(Index)] = Value;
}

void TCustomGrid::SetScrollBars(TScrollStyle Value)
{
    FScrollBars = Value;
    const bool h = Value == ssHorizontal || Value == ssBoth;
    const bool v = Value == ssVertical || Value == ssBoth;
    setHorizontalScrollBarPolicy(h ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(v ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    UpdateScrollRange();
}

void TCustomGrid::SetColor(TColor Value)
{
    FColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetFixedColor(TColor Value)
{
    FFixedColor = Value;
    InvalidateGrid();
}

void TCustomGrid::SetDefaultDrawing(bool Value)
{
    FDefaultDrawing = Value;
    InvalidateGrid();
}

void TCustomGrid::SetOptions(TGridOptions Value)
{
    if (Value == FOptions)
        return;
    if (Value.Contains(goRowSelect))
        Value.Exclude(goAlwaysShowEditor);
    FOptions = Value;
    if (!FEditorMode) {
        if (Value.Contains(goAlwaysShowEditor))
            ShowEditor();
        else
            HideEditor();
    }
    if (Value.Contains(goRowSelect) && FCurrent.X < FColCount && FCurrent.Y < FRowCount)
        MoveCurrent(FCurrent.X, FCurrent.Y, true, false);
    InvalidateGrid();
}

// ---------------------------------------------------------------------------------------
// Geometry

int TCustomGrid::ClientWidth() const
{
    return viewport()->width();
}

int TCustomGrid::ClientHeight() const
{
    return viewport()->height();
}

TCustomGrid::TAxisInfo TCustomGrid::CalcAxis(bool Horizontal) const
{
    return CalcAxisAt(Horizontal, Horizontal ? FTopLeft.X : FTopLeft.Y);
}

TCustomGrid::TAxisInfo TCustomGrid::CalcAxisAt(bool Horizontal, int FirstGridCell) const
{
    TAxisInfo a;
    a.EffectiveLineWidth = FGridLineWidth;
    a.Extents = Horizontal ? &FColWidths : &FRowHeights;
    a.FixedCellCount = Horizontal ? FFixedCols : FFixedRows;
    a.GridCellCount = Horizontal ? FColCount : FRowCount;
    a.FirstGridCell = FirstGridCell;
    a.GridExtent = Horizontal ? ClientWidth() : ClientHeight();
    int fixed = 0;
    for (int i = 0; i < a.FixedCellCount; ++i)
        fixed += a.Step(i);
    a.FixedBoundary = fixed;
    a.GridBoundary = fixed;
    a.FullVisBoundary = fixed;
    a.LastFullVisibleCell = a.FirstGridCell;
    a.LastVisibleCell = a.FirstGridCell - 1;
    for (int i = a.FirstGridCell; i < a.GridCellCount; ++i) {
        const int start = a.GridBoundary;
        if (start < a.GridExtent && a.Step(i) > 0)
            a.LastVisibleCell = i;
        a.GridBoundary += a.Step(i);
        if (a.GridBoundary > a.GridExtent + a.EffectiveLineWidth) {
            a.GridBoundary = a.GridExtent;
            break;
        }
        a.LastFullVisibleCell = i;
        a.FullVisBoundary = a.GridBoundary;
        if (start >= a.GridExtent)
            break;
    }
    return a;
}

int TCustomGrid::CalcMaxCell(const TAxisInfo &Axis, int Start)
{
    int result = Start;
    int line = Axis.GridExtent + Axis.EffectiveLineWidth;
    for (int i = Start; i >= Axis.FixedCellCount; --i) {
        const int extent = Axis.Extent(i);
        if (extent > 0) {
            line -= extent + Axis.EffectiveLineWidth;
            if (line < Axis.FixedBoundary) {
                if (result == Start && Axis.Extent(Start) <= 0)
                    result = i;
                break;
            }
            result = i;
        }
    }
    return std::max(result, Axis.FixedCellCount);
}

int TCustomGrid::MaxLeftCol() const
{
    return CalcMaxCell(CalcAxis(true), FColCount - 1);
}

int TCustomGrid::MaxTopRow() const
{
    return CalcMaxCell(CalcAxis(false), FRowCount - 1);
}

int TCustomGrid::LinePos(const TAxisInfo &Axis, int Line)
{
    int pos = 0;
    int start = 0;
    if (Line >= Axis.FixedCellCount) {
        pos = Axis.FixedBoundary;
        start = Axis.FirstGridCell;
    }
    for (int i = start; i < Line; ++i)
        pos += Axis.Step(i);
    return pos;
}

bool TCustomGrid::CalcScreenSpan(const TAxisInfo &Axis, int Min, int Max, int &ScreenMin,
                                 int &ScreenMax)
{
    Min = std::max(Min, 0);
    Max = std::min(Max, Axis.GridCellCount - 1);
    if (Min > Max)
        return false;
    // Cells scrolled out before the first shown one, or past the last one, do not show.
    if (Min >= Axis.FixedCellCount && Min < Axis.FirstGridCell)
        Min = Axis.FirstGridCell;
    if (Max >= Axis.FixedCellCount && Max < Axis.FirstGridCell)
        Max = Axis.FixedCellCount - 1;
    if (Max > Axis.LastVisibleCell && Max >= Axis.FixedCellCount)
        Max = std::max(Axis.LastVisibleCell, Axis.FixedCellCount - 1);
    if (Min > Max)
        return false;
    ScreenMin = LinePos(Axis, Min);
    ScreenMax = LinePos(Axis, Max) + std::max(0, Axis.Extent(Max));
    ScreenMax = std::min(ScreenMax, Axis.GridExtent);
    return ScreenMin < ScreenMax;
}

TRect TCustomGrid::BoxRect(const TGridRect &R) const
{
    int l, r, t, b;
    if (!CalcScreenSpan(CalcAxis(true), R.Left, R.Right, l, r) ||
        !CalcScreenSpan(CalcAxis(false), R.Top, R.Bottom, t, b))
        return TRect();
    return TRect(l, t, r, b);
}

TRect TCustomGrid::CellRect(int ACol, int ARow) const
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        return TRect();
    return BoxRect({ACol, ARow, ACol, ARow});
}

int TCustomGrid::CoordFromPoint(const TAxisInfo &Axis, int Pos)
{
    if (Pos < 0)
        return -1;
    if (Pos < Axis.FixedBoundary) {
        int line = 0;
        for (int i = 0; i < Axis.FixedCellCount; ++i) {
            line += Axis.Step(i);
            if (Pos < line)
                return i;
        }
        return -1;
    }
    int line = Axis.FixedBoundary;
    for (int i = Axis.FirstGridCell; i < Axis.GridCellCount; ++i) {
        line += Axis.Step(i);
        if (Pos < line)
            return i;
        if (line > Axis.GridExtent)
            break;
    }
    return -1;
}

TGridCoord TCustomGrid::MouseCoord(int X, int Y) const
{
    TGridCoord c{CoordFromPoint(CalcAxis(true), X), CoordFromPoint(CalcAxis(false), Y)};
    if (c.X < 0 || c.Y < 0)
        return {-1, -1};
    return c;
}

void TCustomGrid::MouseToCell(int X, int Y, int &ACol, int &ARow) const
{
    const TGridCoord c = MouseCoord(X, Y);
    ACol = c.X;
    ARow = c.Y;
}

int TCustomGrid::VisibleColCount() const
{
    return CalcAxis(true).LastFullVisibleCell - FTopLeft.X + 1;
}

int TCustomGrid::VisibleRowCount() const
{
    return CalcAxis(false).LastFullVisibleCell - FTopLeft.Y + 1;
}

// ---------------------------------------------------------------------------------------
// View and scrolling

void TCustomGrid::SetLeftCol(int Value)
{
    Value = std::clamp(Value, FFixedCols, std::max(FFixedCols, FColCount - 1));
    if (Value != FTopLeft.X)
        MoveTopLeft(Value, FTopLeft.Y);
}

void TCustomGrid::SetTopRow(int Value)
{
    Value = std::clamp(Value, FFixedRows, std::max(FFixedRows, FRowCount - 1));
    if (Value != FTopLeft.Y)
        MoveTopLeft(FTopLeft.X, Value);
}

void TCustomGrid::MoveTopLeft(int ALeft, int ATop)
{
    if (ALeft == FTopLeft.X && ATop == FTopLeft.Y)
        return;
    FTopLeft = {ALeft, ATop};
    UpdateScrollPos();
    viewport()->update();
    TopLeftChanged();
}

void TCustomGrid::ClampInView(TGridCoord Coord)
{
    const TAxisInfo h = CalcAxis(true);
    const TAxisInfo v = CalcAxis(false);
    TGridCoord topLeft = FTopLeft;
    // Fixed cells are always in view; only a scrollable coordinate moves the view.
    if (Coord.X >= FFixedCols && Coord.X < FColCount) {
        if (Coord.X < FTopLeft.X)
            topLeft.X = Coord.X;
        else if (Coord.X > h.LastFullVisibleCell)
            topLeft.X = CalcMaxCell(h, Coord.X);
    }
    if (Coord.Y >= FFixedRows && Coord.Y < FRowCount) {
        if (Coord.Y < FTopLeft.Y)
            topLeft.Y = Coord.Y;
        else if (Coord.Y > v.LastFullVisibleCell)
            topLeft.Y = CalcMaxCell(v, Coord.Y);
    }
    MoveTopLeft(topLeft.X, topLeft.Y);
}

void TCustomGrid::UpdateScrollRange()
{
    if (FSyncingScrollBars)
        return;
    const int maxLeft = MaxLeftCol();
    const int maxTop = MaxTopRow();
    // A view scrolled past what the window now needs comes back (it grew, rows went).
    const TGridCoord old = FTopLeft;
    TGridCoord topLeft{std::clamp(FTopLeft.X, FFixedCols, std::max(FFixedCols, maxLeft)),
                       std::clamp(FTopLeft.Y, FFixedRows, std::max(FFixedRows, maxTop))};
    FSyncingScrollBars = true;
    QScrollBar *hb = horizontalScrollBar();
    QScrollBar *vb = verticalScrollBar();
    hb->setRange(FFixedCols, std::max(FFixedCols, maxLeft));
    hb->setPageStep(std::max(1, VisibleColCount()));
    hb->setSingleStep(1);
    vb->setRange(FFixedRows, std::max(FFixedRows, maxTop));
    vb->setPageStep(std::max(1, VisibleRowCount()));
    vb->setSingleStep(1);
    FSyncingScrollBars = false;
    if (!(topLeft == old))
        MoveTopLeft(topLeft.X, topLeft.Y);
    UpdateScrollPos();
}

void TCustomGrid::UpdateScrollPos()
{
    const bool was = FSyncingScrollBars;
    FSyncingScrollBars = true;
    horizontalScrollBar()->setValue(FTopLeft.X);
    verticalScrollBar()->setValue(FTopLeft.Y);
    FSyncingScrollBars = was;
}

void TCustomGrid::ScrollBarAction(int ScrollBar, int Action)
{
    if (FSyncingScrollBars)
        return;
    QScrollBar *bar = ScrollBar == SB_VERT ? verticalScrollBar() : horizontalScrollBar();
    int code;
    switch (Action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = bar->isSliderDown() ? SB_THUMBTRACK : SB_THUMBPOSITION; break;
    default: return;
    }
    ModifyScrollBar(ScrollBar, code, bar->sliderPosition());
    if (code == SB_THUMBTRACK)
        return;   // the thumb stays under the mouse until it is let go
    if (code != SB_THUMBPOSITION)
        ModifyScrollBar(ScrollBar, SB_ENDSCROLL, bar->sliderPosition());
    FSyncingScrollBars = true;
    bar->setSliderPosition(ScrollBar == SB_VERT ? FTopLeft.Y : FTopLeft.X);
    FSyncingScrollBars = false;
}

void TCustomGrid::ModifyScrollBar(int ScrollBar, int ScrollCode, int Pos)
{
    const bool vert = ScrollBar == SB_VERT;
    const int current = vert ? FTopLeft.Y : FTopLeft.X;
    const int fixed = vert ? FFixedRows : FFixedCols;
    const int max = std::max(fixed, vert ? MaxTopRow() : MaxLeftCol());
    const int page = std::max(1, vert ? VisibleRowCount() : VisibleColCount());
    int target = current;
    switch (ScrollCode) {
    case SB_LINEUP: target = current - 1; break;
    case SB_LINEDOWN: target = current + 1; break;
    case SB_PAGEUP: target = current - page; break;
    case SB_PAGEDOWN: target = current + page; break;
    case SB_THUMBPOSITION: target = Pos; break;
    case SB_THUMBTRACK:
        if (FOptions.Contains(goThumbTracking))
            target = Pos;
        break;
    case SB_TOP: target = fixed; break;
    case SB_BOTTOM: target = max; break;
    default: return;
    }
    target = std::clamp(target, fixed, max);
    if (target == current)
        return;
    if (vert)
        MoveTopLeft(FTopLeft.X, target);
    else
        MoveTopLeft(target, FTopLeft.Y);
}

void TCustomGrid::scrollContentsBy(int, int)
{
    // The view follows LeftCol/TopRow, moved by ModifyScrollBar; the bars only report.
}

// ---------------------------------------------------------------------------------------
// Current cell and selection

TGridRect TCustomGrid::Selection() const
{
    return GridRect(FCurrent, FAnchor);
}

void TCustomGrid::SetSelection(const TGridRect &Value)
{
    const TGridRect old = Selection();
    FAnchor = Value.TopLeft();
    FCurrent = Value.BottomRight();
    SelectionMoved(old);
}

void TCustomGrid::SetCol(int Value)
{
    if (Value != FCurrent.X)
        FocusCell(Value, FCurrent.Y, true);
}

void TCustomGrid::SetRow(int Value)
{
    if (Value != FCurrent.Y)
        FocusCell(FCurrent.X, Value, true);
}

void TCustomGrid::MoveCurrent(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    if (ACol < 0 || ARow < 0 || ACol >= FColCount || ARow >= FRowCount)
        throw EGridError("Grid index out of range");
    if (!SelectCell(ACol, ARow))
        return;
    const TGridRect old = Selection();
    FCurrent = {ACol, ARow};
    if (!FOptions.Contains(goAlwaysShowEditor))
        HideEditor();
    if (MoveAnchor || !FOptions.Contains(goRangeSelect)) {
        FAnchor = FCurrent;
        if (FOptions.Contains(goRowSelect))
            FAnchor.X = FColCount - 1;
    }
    if (FOptions.Contains(goRowSelect))
        FCurrent.X = FFixedCols;
    if (Show)
        ClampInView(FCurrent);
    SelectionMoved(old);
}

void TCustomGrid::MoveColRow(int ACol, int ARow, bool MoveAnchor, bool Show)
{
    MoveCurrent(ACol, ARow, MoveAnchor, Show);
}

void TCustomGrid::FocusCell(int ACol, int ARow, bool MoveAnchor)
{
    MoveCurrent(ACol, ARow, MoveAnchor, true);
    UpdateEdit();
    Click();
}

void TCustomGrid::MoveAnchor(TGridCoord NewAnchor)
{
    if (FOptions.Contains(goRangeSelect)) {
        const TGridRect old = Selection();
        FAnchor = NewAnchor;
        if (FOptions.Contains(goRowSelect))
            FAnchor.X = FColCount - 1;
        ClampInView(NewAnchor);
        SelectionMoved(old);
    } else {
        MoveCurrent(NewAnchor.X, NewAnchor.Y, true, true);
    }
}

void TCustomGrid::SelectionMoved(const TGridRect &OldSel)
{
    InvalidateGridRect(OldSel);
    InvalidateGridRect(Selection());
}

bool TCustomGrid::SelectCell(int ACol, int ARow)
{
    bool can = true;
    if (OnSelectCell)
        OnSelectCell(this, ACol, ARow, can);
    return can;
}

// ---------------------------------------------------------------------------------------
// Hooks with the grid's own default

void TCustomGrid::TopLeftChanged()
{
    if (FEditorMode && FInplaceEdit && FInplaceCol >= 0) {
        const TRect r = CellRect(FCurrent.X, FCurrent.Y);
        if (EmptyRect(r)) {
            FInplaceEdit->HideEditor();
        } else {
            FInplaceEdit->setGeometry(r.ToQRect());
            if (FInplaceEdit->isHidden())
                FInplaceEdit->show();
            FInplaceEdit->BoundsChanged();
        }
    }
    if (OnTopLeftChanged)
        OnTopLeftChanged(this);
}

void TCustomGrid::SizeChanged(int, int) {}

void TCustomGrid::ColWidthsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::RowHeightsChanged()
{
    UpdateScrollRange();
    UpdateEdit();
}

void TCustomGrid::ColumnMoved(int FromIndex, int ToIndex)
{
    if (OnColumnMoved)
        OnColumnMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::RowMoved(int FromIndex, int ToIndex)
{
    if (OnRowMoved)
        OnRowMoved(this, FromIndex, ToIndex);
}

void TCustomGrid::Resize()
{
    UpdateScrollRange();
    if (FEditorMode && FInplaceEdit && FInplaceEdit->isVisible())
        FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
}

// ---------------------------------------------------------------------------------------
// Structure

void TCustomGrid::MoveColumn(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex)
        return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FColCount || ToIndex >= FColCount)
        throw EGridError("Grid index out of range");
    FColWidths.Move(FromIndex, ToIndex);
    const bool stop = FTabStops[size_t(FromIndex)];
    FTabStops.erase(FTabStops.begin() + FromIndex);
    FTabStops.insert(FTabStops.begin() + ToIndex, stop);
    MoveAdjust(FCurrent.X, FromIndex, ToIndex);
    MoveAdjust(FAnchor.X, FromIndex, ToIndex);
    MoveAdjust(FInplaceCol, FromIndex, ToIndex);
    InvalidateGrid();
    ColumnMoved(FromIndex, ToIndex);
    ColWidthsChanged();
    UpdateEdit();
}

void TCustomGrid::MoveRow(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex)
        return;
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= FRowCount || ToIndex >= FRowCount)
        throw EGridError("Grid index out of range");
    FRowHeights.Move(FromIndex, ToIndex);
    MoveAdjust(FCurrent.Y, FromIndex, ToIndex);
    MoveAdjust(FAnchor.Y, FromIndex, ToIndex);
    MoveAdjust(FInplaceRow, FromIndex, ToIndex);
    InvalidateGrid();
    RowMoved(FromIndex, ToIndex);
    RowHeightsChanged();
    UpdateEdit();
}

namespace {

// A row list for DeleteRows / InsertRows: ascending, each once, within 0..Limit-1.
void CheckRowList(const std::vector<int> &Rows, int Limit)
{
    for (size_t i = 0; i < Rows.size(); ++i)
        if (Rows[i] < 0 || Rows[i] >= Limit || (i > 0 && Rows[i] <= Rows[i - 1]))
            throw EGridError("Grid index out of range");
}

// Where row Pos ends up when the rows Rows are deleted: the row that takes its place.
void DeleteAdjust(int &Pos, const std::vector<int> &Rows)
{
    Pos -= int(std::lower_bound(Rows.begin(), Rows.end(), Pos) - Rows.begin());
}

// Where row Pos ends up when new rows land at the final indexes Rows.
void InsertAdjust(int &Pos, const std::vector<int> &Rows)
{
    if (Pos < 0)
        return;
    int shift = 0;
    while (shift < int(Rows.size()) && Rows[size_t(shift)] <= int64_t(Pos) + shift)
        ++shift;
    Pos = int(std::min<int64_t>(int64_t(Pos) + shift, INT_MAX));
}

}   // namespace

void TCustomGrid::DeleteRows(const std::vector<int> &Rows, int *Heights)
{
    if (Rows.empty())
        return;
    CheckRowList(Rows, FRowCount);
    if (int(Rows.size()) >= FRowCount)
        throw EGridError("Grid index out of range");
    FRowHeights.Delete(Rows, Heights);
    DeleteAdjust(FCurrent.Y, Rows);
    DeleteAdjust(FAnchor.Y, Rows);
    DeleteAdjust(FInplaceRow, Rows);
    RowsDeleted(Rows);
    ChangeSize(FColCount, FRowCount - int(Rows.size()));
    RowHeightsChanged();
    UpdateEdit();
}

void TCustomGrid::InsertRows(const std::vector<int> &Rows)
{
    if (Rows.empty())
        return;
    if (Rows.size() > size_t(TGridStore::MaxRows - FRowCount))
        throw EGridError("Grid too large");
    CheckRowList(Rows, FRowCount + int(Rows.size()));
    FRowHeights.Insert(Rows);
    InsertAdjust(FCurrent.Y, Rows);
    InsertAdjust(FAnchor.Y, Rows);
    InsertAdjust(FInplaceRow, Rows);
    RowsInserted(Rows);
    ChangeSize(FColCount, FRowCount + int(Rows.size()));
    RowHeightsChanged();
    UpdateEdit();
}

void TCustomGrid::RowsDeleted(const std::vector<int> &) {}

void TCustomGrid::RowsInserted(const std::vector<int> &) {}

void TCustomGrid::DeleteColumn(int ACol)
{
    MoveColumn(ACol, FColCount - 1);
    TCustomGrid::SetColCount(FColCount - 1);
}

void TCustomGrid::DeleteRow(int ARow)
{
    MoveRow(ARow, FRowCount - 1);
    TCustomGrid::SetRowCount(FRowCount - 1);
}

// ---------------------------------------------------------------------------------------
// Repainting

void TCustomGrid::InvalidateCell(int ACol, int ARow)
{
    InvalidateGridRect({ACol, ARow, ACol, ARow});
}

void TCustomGrid::InvalidateCol(int ACol)
{
    InvalidateGridRect({ACol, 0, ACol, FRowCount - 1});
}

void TCustomGrid::InvalidateRow(int ARow)
{
    InvalidateGridRect({0, ARow, FColCount - 1, ARow});
}

void TCustomGrid::InvalidateGridRect(const TGridRect &ARect)
{
    // A hidden grid is painted whole when it shows: bulk writes skip the geometry.
    if (!isVisible())
        return;
    // Most writes to a big grid land outside the view. A cell's screen position is at least
    // the fixed cells' extents plus those of the cells from the first scrolled one up to it
    // (a step is never below its extent), so those writes are ruled out without laying out
    // the view.
    const auto outOfView = [this](bool Horizontal, int First, int Last) {
        const int fixed = Horizontal ? FFixedCols : FFixedRows;
        const int top = Horizontal ? FTopLeft.X : FTopLeft.Y;
        const int lo = std::min(First, Last), hi = std::max(First, Last);
        if (lo < fixed)
            return false;
        if (hi < top)
            return true;
        const TGridAxisExtents &e = Horizontal ? FColWidths : FRowHeights;
        const int64_t start = e.Offset(fixed) + e.Offset(std::max(lo, top)) - e.Offset(top);
        return start >= (Horizontal ? ClientWidth() : ClientHeight());
    };
    if (outOfView(false, ARect.Top, ARect.Bottom) || outOfView(true, ARect.Left, ARect.Right))
        return;
    const TRect r = BoxRect(GridRect(ARect.TopLeft(), ARect.BottomRight()));
    if (!EmptyRect(r))
        viewport()->update(r.ToQRect().adjusted(0, 0, FGridLineWidth, FGridLineWidth));
}

void TCustomGrid::InvalidateGrid()
{
    viewport()->update();
}

// ---------------------------------------------------------------------------------------
// Painting

void TCustomGrid::paintEvent(QPaintEvent *)
{
    QPainter p(viewport());
    PaintTo(p);
}

void TCustomGrid::PaintTo(QPainter &Painter)
{
    TCanvas canvas(&Painter);
    canvas.Font = FFont.Value();
    TCanvas *old = FCanvas;
    FCanvas = &canvas;
    try {
        Paint();
    } catch (...) {
        FCanvas = old;
        throw;
    }
    FCanvas = old;
}

void TCustomGrid::Paint()
{
    TCanvas &c = *FCanvas;
    const TAxisInfo h = CalcAxis(true);
    const TAxisInfo v = CalcAxis(false);
    const TGridDrawState fixed{gdFixed};
    DrawCells(c, 0, 0, 0, 0, h.FixedBoundary, v.FixedBoundary, fixed, h, v);
    DrawCells(c, FTopLeft.X, 0, h.FixedBoundary, 0, h.GridBoundary, v.FixedBoundary, fixed, h, v);
    DrawCells(c, 0, FTopLeft.Y, 0, v.FixedBoundary, h.FixedBoundary, v.GridBoundary, fixed, h, v);
    DrawCells(c, FTopLeft.X, FTopLeft.Y, h.FixedBoundary, v.FixedBoundary, h.GridBoundary,
              v.GridBoundary, {}, h, v);
    DrawLines(c, h, v);

    // The area past the last column and row.
    const int w = ClientWidth();
    const int ht = ClientHeight();
    c.Brush.Color = FColor;
    c.Brush.Style = bsSolid;
    if (h.GridBoundary < w)
        c.FillRect(TRect(h.GridBoundary, 0, w, ht));
    if (v.GridBoundary < ht)
        c.FillRect(TRect(0, v.GridBoundary, std::min(w, h.GridBoundary), ht));
    DrawDragFeedback(c, h, v);
}

void TCustomGrid::DrawCells(TCanvas &C, int ACol, int ARow, int StartX, int StartY, int StopX,
                            int StopY, TGridDrawState IncludeState, const TAxisInfo &H,
                            const TAxisInfo &V)
{
    const TGridRect sel = Selection();
    const bool focused = IsActiveControl();
    const bool highlightFocused =
        FOptions.Contains(goDrawFocusSelected) || FOptions.Contains(goRowSelect);
    const TColor fontColor = C.Font.Color;
    for (int row = ARow, y = StartY; y < StopY && row < FRowCount; ++row) {
        const int height = V.Extent(row);
        if (height > 0) {
            for (int col = ACol, x = StartX; x < StopX && col < FColCount; ++col) {
                const int width = H.Extent(col);
                if (width > 0) {
                    const TRect where(x, y, x + width, y + height);
                    TGridDrawState state = IncludeState;
                    if (!state.Contains(gdFixed)) {
                        if (focused && row == FCurrent.Y && col == FCurrent.X)
                            state += gdFocused;
                        if (PointInGridRect(col, row, sel))
                            state += gdSelected;
                    }
                    if (FDefaultDrawing) {
                        C.Font.Color = fontColor;
                        C.Brush.Style = bsSolid;
                        if (state.Contains(gdFixed)) {
                            C.Brush.Color = FFixedColor;
                        } else if (state.Contains(gdSelected) &&
                                   (!state.Contains(gdFocused) || highlightFocused)) {
                            C.Brush.Color = clHighlight;
                            C.Font.Color = clHighlightText;
                        } else {
                            C.Brush.Color = FColor;
                        }
                        C.FillRect(where);
                    }
                    DrawCell(col, row, where, state);
                    if (FDefaultDrawing && state.Contains(gdFocused) &&
                        !FOptions.Contains(goRowSelect)) {
                        C.Pen = TPen{clWindowText, 1, psDot, pmCopy};
                        C.Brush.Style = bsClear;
                        C.Rectangle(where);
                    }
                }
                x += H.Step(col);
            }
        }
        y += V.Step(row);
    }
    C.Font.Color = fontColor;
}

void TCustomGrid::DrawLines(TCanvas &C, const TAxisInfo &H, const TAxisInfo &V)
{
    const int lw = FGridLineWidth;
    if (lw <= 0)
        return;
    const bool fixedVert = FOptions.Contains(goFixedVertLine);
    const bool fixedHorz = FOptions.Contains(goFixedHorzLine);
    const bool vert = FOptions.Contains(goVertLine);
    const bool horz = FOptions.Contains(goHorzLine);
    C.Brush.Style = bsSolid;
    // A line that is switched off leaves its room to the background of its cells. Those
    // gaps are filled first, so a line drawn later crosses them unbroken.
    bool drawingLines = false;
    auto fill = [&](const TRect &r, bool on, bool isFixed) {
        if (on != drawingLines)
            return;
        C.Brush.Color = on ? (isFixed ? FixedLineColor : LineColor)
                           : (isFixed ? FFixedColor : FColor);
        C.FillRect(r);
    };

    // Vertical lines: in the band of the fixed rows every line is a fixed one.
    auto columnLines = [&](int first, int last, int x) {
        for (int col = first; col <= last && col < FColCount; ++col) {
            const int w = H.Extent(col);
            if (w + lw > 0) {
                const int lx = x + std::max(0, w);
                const bool isFixedCol = col < FFixedCols;
                if (V.FixedBoundary > 0)
                    fill(TRect(lx, 0, lx + lw, V.FixedBoundary), fixedVert, true);
                if (V.GridBoundary > V.FixedBoundary)
                    fill(TRect(lx, V.FixedBoundary, lx + lw, V.GridBoundary),
                         isFixedCol ? fixedVert : vert, isFixedCol);
            }
            x += H.Step(col);
        }
    };
    auto rowLines = [&](int first, int last, int y) {
        for (int row = first; row <= last && row < FRowCount; ++row) {
            const int ht = V.Extent(row);
            if (ht + lw > 0) {
                const int ly = y + std::max(0, ht);
                const bool isFixedRow = row < FFixedRows;
                if (H.FixedBoundary > 0)
                    fill(TRect(0, ly, H.FixedBoundary, ly + lw), fixedHorz, true);
                if (H.GridBoundary > H.FixedBoundary)
                    fill(TRect(H.FixedBoundary, ly, H.GridBoundary, ly + lw),
                         isFixedRow ? fixedHorz : horz, isFixedRow);
            }
            y += V.Step(row);
        }
    };
    for (bool pass : {false, true}) {
        drawingLines = pass;
        columnLines(0, FFixedCols - 1, 0);
        columnLines(FTopLeft.X, H.LastVisibleCell, H.FixedBoundary);
        rowLines(0, FFixedRows - 1, 0);
        rowLines(FTopLeft.Y, V.LastVisibleCell, V.FixedBoundary);
    }
}

void TCustomGrid::DrawDragFeedback(TCanvas &C, const TAxisInfo &H, const TAxisInfo &V)
{
    C.Brush.Color = clBlack;
    C.Brush.Style = bsSolid;
    if (FGridState == gsColSizing) {
        C.FillRect(TRect(FSizingPos - 1, 0, FSizingPos + 1, V.GridBoundary));
    } else if (FGridState == gsRowSizing) {
        C.FillRect(TRect(0, FSizingPos - 1, H.GridBoundary, FSizingPos + 1));
    } else if (FGridState == gsColMoving && FMovePos >= 0) {
        // The bar shows where the column will land: before the destination when moving
        // left, after it when moving right.
        const TRect r = CellRect(FMovePos, 0);
        if (!EmptyRect(r)) {
            const int x = FMovePos > FMoveIndex ? r.Right : r.Left;
            C.FillRect(TRect(x - 1, 0, x + 2, V.GridBoundary));
        }
    } else if (FGridState == gsRowMoving && FMovePos >= 0) {
        const TRect r = CellRect(0, FMovePos);
        if (!EmptyRect(r)) {
            const int y = FMovePos > FMoveIndex ? r.Bottom : r.Top;
            C.FillRect(TRect(0, y - 1, H.GridBoundary, y + 2));
        }
    }
}

void TCustomGrid::DrawCell(int ACol, int ARow, const TRect &ARect, TGridDrawState AState)
{
    if (OnDrawCell)
        OnDrawCell(this, ACol, ARow, ARect, AState);
}

// ---------------------------------------------------------------------------------------
// Editing

bool TCustomGrid::IsActiveControl() const
{
    const QWidget *f = window()->focusWidget();
    return f && (f == this || f == viewport() || (FInplaceEdit && f == FInplaceEdit));
}

bool TCustomGrid::CanEditShow()
{
    return (FOptions * TGridOptions{goRowSelect, goEditing}) == TGridOptions{goEditing} &&
           FEditorMode && (FOptions.Contains(goAlwaysShowEditor) || IsActiveControl());
}

bool TCustomGrid::CanEditModify()
{
    return FCanEditModify;
}

bool TCustomGrid::CanEditAcceptKey(QChar)
{
    return true;
}

TInplaceEdit *TCustomGrid::CreateEditor()
{
    return new TInplaceEdit(this);
}

QString TCustomGrid::GetEditText(int ACol, int ARow)
{
    QString value;
    if (OnGetEditText)
        OnGetEditText(this, ACol, ARow, value);
    return value;
}

void TCustomGrid::SetEditText(int ACol, int ARow, const QString &Value)
{
    if (OnSetEditText)
        OnSetEditText(this, ACol, ARow, Value);
}

int TCustomGrid::GetEditLimit()
{
    return 0;
}

QString TCustomGrid::GetEditMask(int ACol, int ARow)
{
    QString value;
    if (OnGetEditMask)
        OnGetEditMask(this, ACol, ARow, value);
    return value;
}

bool TCustomGrid::WantTabs() const
{
    return FOptions.Contains(goTabs);
}

void TCustomGrid::SetEditorMode(bool Value)
{
    if (!Value) {
        HideEditor();
    } else {
        ShowEditor();
        if (FInplaceEdit)
            FInplaceEdit->Deselect();
    }
}

void TCustomGrid::ShowEditor()
{
    FEditorMode = true;
    UpdateEdit();
}

void TCustomGrid::ShowEditorChar(QChar Ch)
{
    ShowEditor();
    if (FInplaceEdit && FInplaceEdit->isVisible() && FInplaceCol >= 0) {
        TKeyMessage m{Ch.unicode(), {}, false, 0};
        FInplaceEdit->WMChar(m);
    }
}

void TCustomGrid::HideEditor()
{
    FEditorMode = false;
    HideEdit();
}

void TCustomGrid::HideEdit()
{
    if (!FInplaceEdit)
        return;
    struct Finally
    {
        TCustomGrid *g;
        ~Finally()
        {
            g->FInplaceCol = -1;
            g->FInplaceRow = -1;
            g->FInplaceEdit->HideEditor();
        }
    } finally{this};
    UpdateText();
}

void TCustomGrid::UpdateText()
{
    if (FInplaceEdit && FInplaceCol >= 0 && FInplaceRow >= 0)
        SetEditText(FInplaceCol, FInplaceRow, FInplaceEdit->text());
}

void TCustomGrid::UpdateEdit()
{
    if (!CanEditShow())
        return;
    if (FCurrent.X < 0 || FCurrent.Y < 0 || FCurrent.X >= FColCount || FCurrent.Y >= FRowCount)
        return;
    auto updateEditor = [this] {
        FInplaceCol = FCurrent.X;
        FInplaceRow = FCurrent.Y;
        FInplaceEdit->UpdateContents();
        FCanEditModify = true;
        FInplaceEdit->selectAll();
    };
    if (!FInplaceEdit) {
        FInplaceEdit = CreateEditor();
        if (FInplaceEdit->parentWidget() != viewport())
            FInplaceEdit->setParent(viewport());
        FInplaceEdit->FGrid = this;
        updateEditor();
    } else if (FCurrent.X != FInplaceCol || FCurrent.Y != FInplaceRow) {
        HideEdit();
        updateEditor();
    }
    FInplaceEdit->Move(CellRect(FCurrent.X, FCurrent.Y));
}

// ---------------------------------------------------------------------------------------
// Keyboard

bool TCustomGrid::event(QEvent *e)
{
    if (e->type() == QEvent::KeyPress) {
        auto *k = static_cast<QKeyEvent *>(e);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) && WantTabs()) {
            keyPressEvent(k);
            return true;
        }
    }
    return QAbstractScrollArea::event(e);
}

void TCustomGrid::keyPressEvent(QKeyEvent *e)
{
    if ((e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab) && !WantTabs()) {
        e->ignore();   // the focus moves on
        return;
    }
    const TKeyInfo k = TranslateKeyEvent(*e);
    if (k.Key) {
        TKeyMessage m = MakeKeyMessage(k.Key, k);
        WMKeyDown(m);
    }
    if (!k.Char.isNull()) {
        TKeyMessage m = MakeKeyMessage(k.Char.unicode(), k);
        WMChar(m);
    }
    e->accept();
}

void TCustomGrid::keyReleaseEvent(QKeyEvent *e)
{
    const TKeyInfo k = TranslateKeyEvent(*e);
    if (k.Key) {
        TKeyMessage m = MakeKeyMessage(k.Key, k);
        WMKeyUp(m);
    }
    e->accept();
}

void TCustomGrid::WMKeyDown(TKeyMessage &Message)
{
    KeyDown(Message.CharCode, Message.Shift);
}

void TCustomGrid::WMChar(TKeyMessage &Message)
{
    const QChar ch(Message.CharCode);
    const ushort c = ch.unicode();
    if (FOptions.Contains(goEditing) && (c == 8 || (c >= 32 && c <= 255))) {
        ShowEditorChar(ch);
    } else {
        QChar key = ch;
        KeyPress(key);
        Message.CharCode = key.unicode();
    }
}

void TCustomGrid::WMKeyUp(TKeyMessage &Message)
{
    KeyUp(Message.CharCode, Message.Shift);
}

void TCustomGrid::KeyDown(uint16_t &Key, TShiftState Shift)
{
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
    if (Key == 0)
        return;
    const TAxisInfo h = CalcAxis(true);
    const TAxisInfo v = CalcAxis(false);
    const int pageWidth = std::max(1, h.LastFullVisibleCell - FTopLeft.X);
    const int pageHeight = std::max(1, v.LastFullVisibleCell - FTopLeft.Y);
    const bool rowSelect = FOptions.Contains(goRowSelect);
    // A current cell put far outside (a selection shown nowhere) steps from the grid's edge.
    TGridCoord cur{std::clamp(FCurrent.X, -1, FColCount), std::clamp(FCurrent.Y, -1, FRowCount)};
    TGridCoord topLeft = FTopLeft;
    if (Shift.Contains(ssCtrl)) {
        switch (Key) {
        case VK_UP: --topLeft.Y; break;
        case VK_DOWN: ++topLeft.Y; break;
        case VK_LEFT:
            if (!rowSelect) {
                cur.X -= pageWidth;
                topLeft.X -= pageWidth;
            }
            break;
        case VK_RIGHT:
            if (!rowSelect) {
                cur.X += pageWidth;
                topLeft.X += pageWidth;
            }
            break;
        case VK_PRIOR: cur.Y = FTopLeft.Y; break;
        case VK_NEXT: cur.Y = v.LastFullVisibleCell; break;
        case VK_HOME: cur = {FFixedCols, FFixedRows}; break;
        case VK_END: cur = {FColCount - 1, FRowCount - 1}; break;
        default: break;
        }
    } else {
        switch (Key) {
        case VK_UP: --cur.Y; break;
        case VK_DOWN: ++cur.Y; break;
        case VK_LEFT:
            if (rowSelect)
                --cur.Y;
            else
                --cur.X;
            break;
        case VK_RIGHT:
            if (rowSelect)
                ++cur.Y;
            else
                ++cur.X;
            break;
        case VK_NEXT:
            cur.Y += pageHeight;
            topLeft.Y += pageHeight;
            break;
        case VK_PRIOR:
            cur.Y -= pageHeight;
            topLeft.Y -= pageHeight;
            break;
        case VK_HOME:
            if (rowSelect)
                cur.Y = FFixedRows;
            else
                cur.X = FFixedCols;
            break;
        case VK_END:
            if (rowSelect)
                cur.Y = FRowCount - 1;
            else
                cur.X = FColCount - 1;
            break;
        case VK_TAB:
            if (!Shift.Contains(ssAlt) && FColCount > FFixedCols) {
                // Walks the tab stops row by row; a full round without one stays put.
                const bool back = Shift.Contains(ssShift);
                int guard = FColCount + 1;
                do {
                    if (back) {
                        if (--cur.X < FFixedCols) {
                            cur.X = FColCount - 1;
                            if (--cur.Y < FFixedRows)
                                cur.Y = FRowCount - 1;
                        }
                    } else if (++cur.X >= FColCount) {
                        cur.X = FFixedCols;
                        if (++cur.Y >= FRowCount)
                            cur.Y = FFixedRows;
                    }
                } while (!TabStops(cur.X) && cur.X != FCurrent.X && --guard > 0);
                Shift.Exclude(ssShift);   // a Tab never extends the selection
            }
            break;
        case VK_F2:
            SetEditorMode(true);
            break;
        default:
            break;
        }
    }
    const TGridCoord maxTopLeft{CalcMaxCell(h, FColCount - 1), CalcMaxCell(v, FRowCount - 1)};
    topLeft = Restrict(topLeft, FFixedCols, FFixedRows, maxTopLeft.X, maxTopLeft.Y);
    if (topLeft.X != FTopLeft.X || topLeft.Y != FTopLeft.Y)
        MoveTopLeft(topLeft.X, topLeft.Y);
    cur = Restrict(cur, FFixedCols, FFixedRows, FColCount - 1, FRowCount - 1);
    if (cur.X != FCurrent.X || cur.Y != FCurrent.Y)
        FocusCell(cur.X, cur.Y, !Shift.Contains(ssShift));
}

void TCustomGrid::KeyPress(QChar &Key)
{
    if (OnKeyPress)
        OnKeyPress(this, Key);
    if (!FOptions.Contains(goAlwaysShowEditor) && Key.unicode() == 13) {
        if (FEditorMode)
            HideEditor();
        else
            ShowEditor();
        Key = QChar();
    }
}

void TCustomGrid::KeyUp(uint16_t &Key, TShiftState Shift)
{
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

// ---------------------------------------------------------------------------------------
// Mouse

void TCustomGrid::CalcSizingState(int X, int Y, TGridState &State, int &Index, int &SizingPos,
                                  int &SizingOfs)
{
    State = gsNormal;
    Index = -1;
    if (!FOptions.Contains(goColSizing) && !FOptions.Contains(goRowSizing))
        return;
    const TAxisInfo h = CalcAxis(true);
    const TAxisInfo v = CalcAxis(false);
    auto axisState = [&](const TAxisInfo &axis, int pos, TGridState newState) {
        int line = axis.FixedBoundary;
        int range = axis.EffectiveLineWidth;
        int back = 0;
        if (range < 7) {
            range = 7;
            back = (range - axis.EffectiveLineWidth) >> 1;
        }
        for (int i = axis.FirstGridCell; i < axis.GridCellCount; ++i) {
            line += std::max(0, axis.Extent(i));
            if (line > axis.GridBoundary)
                break;
            if (pos >= line - back && pos <= line - back + range) {
                State = newState;
                SizingPos = line;
                SizingOfs = line - pos;
                Index = i;
                return;
            }
            line += axis.EffectiveLineWidth;
        }
        if (axis.GridBoundary == axis.GridExtent && pos >= axis.GridExtent - back &&
            pos <= axis.GridExtent) {
            State = newState;
            SizingPos = axis.GridExtent;
            SizingOfs = axis.GridExtent - pos;
            Index = axis.LastFullVisibleCell + 1;
        }
    };
    // Columns size from the fixed rows, rows from the fixed columns.
    if (X > h.FixedBoundary && FOptions.Contains(goColSizing)) {
        if (Y >= v.FixedBoundary)
            return;
        axisState(h, X, gsColSizing);
    } else if (Y > v.FixedBoundary && FOptions.Contains(goRowSizing)) {
        if (X >= h.FixedBoundary)
            return;
        axisState(v, Y, gsRowSizing);
    }
    if (State != gsNormal &&
        Index >= (State == gsColSizing ? FColCount : FRowCount)) {
        State = gsNormal;
        Index = -1;
    }
}

bool TCustomGrid::BeginColumnDrag(int &, int &, QPoint) { return true; }
bool TCustomGrid::CheckColumnDrag(int &, int &, QPoint) { return true; }
bool TCustomGrid::EndColumnDrag(int &, int &, QPoint) { return true; }
bool TCustomGrid::BeginRowDrag(int &, int &, QPoint) { return true; }
bool TCustomGrid::CheckRowDrag(int &, int &, QPoint) { return true; }
bool TCustomGrid::EndRowDrag(int &, int &, QPoint) { return true; }

void TCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    HideEdit();
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
        if (!IsActiveControl())
            return;
    }
    if (Button == mbLeft && Shift.Contains(ssDouble)) {
        DblClick();
    } else if (Button == mbLeft) {
        CalcSizingState(X, Y, FGridState, FSizingIndex, FSizingPos, FSizingOfs);
        if (FGridState != gsNormal) {
            viewport()->update();
        } else {
            const TGridCoord hit = MouseCoord(X, Y);
            if (hit.X >= FFixedCols && hit.Y >= FFixedRows) {
                if (FOptions.Contains(goEditing)) {
                    if (hit.X == FCurrent.X && hit.Y == FCurrent.Y) {
                        ShowEditor();
                    } else {
                        MoveCurrent(hit.X, hit.Y, true, true);
                        UpdateEdit();
                    }
                    Click();
                } else {
                    FGridState = gsSelecting;
                    FTimer.start();
                    if (Shift.Contains(ssShift))
                        MoveAnchor(hit);
                    else
                        MoveCurrent(hit.X, hit.Y, true, true);
                }
            } else if (FOptions.Contains(goRowMoving) && hit.X >= 0 && hit.X < FFixedCols &&
                       hit.Y >= FFixedRows) {
                FMoveIndex = hit.Y;
                FMovePos = FMoveIndex;
                if (BeginRowDrag(FMoveIndex, FMovePos, QPoint(X, Y))) {
                    FGridState = gsRowMoving;
                    FTimer.start();
                    viewport()->update();
                }
            } else if (FOptions.Contains(goColMoving) && hit.Y >= 0 && hit.Y < FFixedRows &&
                       hit.X >= FFixedCols) {
                FMoveIndex = hit.X;
                FMovePos = FMoveIndex;
                if (BeginColumnDrag(FMoveIndex, FMovePos, QPoint(X, Y))) {
                    FGridState = gsColMoving;
                    FTimer.start();
                    viewport()->update();
                }
            }
        }
    }
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TCustomGrid::MoveAndScroll(int Mouse, int CellHit, bool Horizontal, QPoint MousePt)
{
    TAxisInfo axis = CalcAxis(Horizontal);
    if (CellHit == FMovePos)
        return;
    if (FMovePos == axis.FixedCellCount && Mouse < axis.FixedBoundary)
        return;
    if (FMovePos == axis.GridCellCount - 1 && Mouse > axis.GridBoundary)
        return;
    const int bar = Horizontal ? SB_HORZ : SB_VERT;
    if (Mouse < axis.FixedBoundary) {
        if (FMovePos > axis.FixedCellCount) {
            ModifyScrollBar(bar, SB_LINEUP, 0);
            axis = CalcAxis(Horizontal);
        }
        CellHit = axis.FirstGridCell;
    } else if (Mouse >= axis.FullVisBoundary) {
        if (FMovePos == axis.LastFullVisibleCell && FMovePos < axis.GridCellCount - 1) {
            ModifyScrollBar(bar, SB_LINEDOWN, 0);
            axis = CalcAxis(Horizontal);
        }
        CellHit = axis.LastFullVisibleCell;
    } else if (CellHit < 0) {
        CellHit = FMovePos;
    }
    const bool ok = FGridState == gsColMoving ? CheckColumnDrag(FMoveIndex, CellHit, MousePt)
                                              : CheckRowDrag(FMoveIndex, CellHit, MousePt);
    if (ok)
        FMovePos = CellHit;
    viewport()->update();
}

void TCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    switch (FGridState) {
    case gsSelecting:
    case gsColMoving:
    case gsRowMoving: {
        const TAxisInfo h = CalcAxis(true);
        const TAxisInfo v = CalcAxis(false);
        const int hx = CoordFromPoint(h, X);
        const int hy = CoordFromPoint(v, Y);
        if (FGridState == gsSelecting) {
            if (hx >= FFixedCols && hy >= FFixedRows && hx <= h.LastFullVisibleCell + 1 &&
                hy <= v.LastFullVisibleCell + 1 && (hx != FAnchor.X || hy != FAnchor.Y))
                MoveAnchor({hx, hy});
        } else if (FGridState == gsColMoving) {
            MoveAndScroll(X, hx, true, QPoint(X, Y));
        } else {
            MoveAndScroll(Y, hy, false, QPoint(X, Y));
        }
        break;
    }
    case gsRowSizing:
    case gsColSizing:
        FSizingPos = (FGridState == gsRowSizing ? Y : X) + FSizingOfs;
        viewport()->update();
        break;
    default:
        break;
    }
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    struct Finally
    {
        TCustomGrid *g;
        ~Finally()
        {
            g->FGridState = gsNormal;
            g->StopTimer();
        }
    } finally{this};
    switch (FGridState) {
    case gsSelecting:
        MouseMove(Shift, X, Y);
        StopTimer();
        UpdateEdit();
        Click();
        break;
    case gsColSizing:
    case gsRowSizing: {
        const bool cols = FGridState == gsColSizing;
        const TAxisInfo axis = CalcAxis(cols);
        int line = axis.FixedBoundary;
        for (int i = axis.FirstGridCell; i < FSizingIndex; ++i)
            line += axis.Step(i);
        const int newSize = FSizingPos - line;
        FGridState = gsNormal;
        viewport()->update();
        if (newSize > 1) {
            if (cols)
                SetColWidths(FSizingIndex, newSize);
            else
                SetRowHeights(FSizingIndex, newSize);
        }
        break;
    }
    case gsColMoving:
    case gsRowMoving: {
        const bool cols = FGridState == gsColMoving;
        StopTimer();
        FGridState = gsNormal;
        viewport()->update();
        const bool ok = cols ? EndColumnDrag(FMoveIndex, FMovePos, QPoint(X, Y))
                             : EndRowDrag(FMoveIndex, FMovePos, QPoint(X, Y));
        if (ok && FMoveIndex != FMovePos) {
            if (cols)
                MoveColumn(FMoveIndex, FMovePos);
            else
                MoveRow(FMoveIndex, FMovePos);
        }
        UpdateEdit();
        break;
    }
    default:
        UpdateEdit();
        break;
    }
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

void TCustomGrid::StopTimer()
{
    FTimer.stop();
}

void TCustomGrid::TimerScroll()
{
    if (FGridState != gsSelecting && FGridState != gsRowMoving && FGridState != gsColMoving) {
        StopTimer();
        return;
    }
    const QPoint pt = FLastMousePos;
    const TAxisInfo h = CalcAxis(true);
    const TAxisInfo v = CalcAxis(false);
    if (FGridState == gsColMoving) {
        MoveAndScroll(pt.x(), CoordFromPoint(h, pt.x()), true, pt);
        return;
    }
    if (FGridState == gsRowMoving) {
        MoveAndScroll(pt.y(), CoordFromPoint(v, pt.y()), false, pt);
        return;
    }
    TGridCoord anchor = FAnchor;
    if (pt.x() < h.FixedBoundary && FAnchor.X > FFixedCols)
        --anchor.X;
    else if (pt.x() > h.FullVisBoundary && FAnchor.X < FColCount - 1)
        ++anchor.X;
    if (pt.y() < v.FixedBoundary && FAnchor.Y > FFixedRows)
        --anchor.Y;
    else if (pt.y() > v.FullVisBoundary && FAnchor.Y < FRowCount - 1)
        ++anchor.Y;
    if (anchor.X != FAnchor.X || anchor.Y != FAnchor.Y)
        MoveAnchor(anchor);
}

void TCustomGrid::Click()
{
    if (OnClick)
        OnClick(this);
}

void TCustomGrid::DblClick()
{
    if (OnDblClick)
        OnDblClick(this);
}

bool TCustomGrid::DoMouseWheel(TShiftState Shift, int WheelDelta, QPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheel)
        OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
    if (handled)
        return true;
    FWheelAccumulator += WheelDelta;
    bool result = false;
    while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
        if (FWheelAccumulator < 0) {
            FWheelAccumulator += WHEEL_DELTA;
            result = DoMouseWheelDown(Shift, MousePos);
        } else {
            FWheelAccumulator -= WHEEL_DELTA;
            result = DoMouseWheelUp(Shift, MousePos);
        }
    }
    return result;
}

bool TCustomGrid::DoMouseWheelDown(TShiftState Shift, QPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelDown)
        OnMouseWheelDown(this, Shift, MousePos, handled);
    if (!handled && FCurrent.Y < FRowCount - 1)
        SetRow(FCurrent.Y + 1);
    return true;
}

bool TCustomGrid::DoMouseWheelUp(TShiftState Shift, QPoint MousePos)
{
    bool handled = false;
    if (OnMouseWheelUp)
        OnMouseWheelUp(this, Shift, MousePos, handled);
    if (!handled && FCurrent.Y > FFixedRows)
        SetRow(FCurrent.Y - 1);
    return true;
}

// ---------------------------------------------------------------------------------------
// Focus and Qt events

void TCustomGrid::DoEnter()
{
    if (OnEnter)
        OnEnter(this);
}

void TCustomGrid::DoExit()
{
    if (OnExit)
        OnExit(this);
}

void TCustomGrid::focusInEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusInEvent(e);
    const bool fromEditor = FFocusFromEditor;
    FFocusFromEditor = false;
    if (!FFocusWithin) {
        FFocusWithin = true;
        DoEnter();
    }
    if (!fromEditor) {
        InvalidateGridRect(Selection());
        UpdateEdit();
    }
}

void TCustomGrid::focusOutEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusOutEvent(e);
    InvalidateGridRect(Selection());
    const QWidget *now = QApplication::focusWidget();
    if (FInplaceEdit && now != FInplaceEdit)
        HideEdit();
    if (now != FInplaceEdit || !FInplaceEdit)
        CheckFocusLeft();
}

void TCustomGrid::EditorFocusIn()
{
    if (!FFocusWithin) {
        FFocusWithin = true;
        DoEnter();
    }
}

void TCustomGrid::EditorFocusOut()
{
    const QWidget *now = QApplication::focusWidget();
    FFocusFromEditor = now == this || now == viewport();
    if (!FFocusFromEditor)
        CheckFocusLeft();
}

void TCustomGrid::CheckFocusLeft()
{
    // Another window becoming active is no exit: the focus comes back here with it.
    const QWidget *now = QApplication::focusWidget();
    if (!now || now->window() != window())
        return;
    if (FFocusWithin && now != this && now != viewport() && (!FInplaceEdit || now != FInplaceEdit)) {
        FFocusWithin = false;
        DoExit();
    }
}

void TCustomGrid::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    Resize();
}

void TCustomGrid::mousePressEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    FLastMousePos = pos;
    const TMouseButton button = ButtonOf(e->button());
    MouseDown(button, ShiftStateOf(e->modifiers(), e->buttons()), pos.x(), pos.y());
    e->accept();
}

void TCustomGrid::mouseDoubleClickEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    FLastMousePos = pos;
    const TMouseButton button = ButtonOf(e->button());
    MouseDown(button, ShiftStateOf(e->modifiers(), e->buttons()) + ssDouble, pos.x(), pos.y());
    e->accept();
}

void TCustomGrid::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    FLastMousePos = pos;
    MouseMove(ShiftStateOf(e->modifiers(), e->buttons()), pos.x(), pos.y());
    e->accept();
}

void TCustomGrid::mouseReleaseEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    FLastMousePos = pos;
    const TMouseButton button = ButtonOf(e->button());
    MouseUp(button, ShiftStateOf(e->modifiers(), e->buttons()), pos.x(), pos.y());
    e->accept();
}

void TCustomGrid::wheelEvent(QWheelEvent *e)
{
    const QPoint pos = e->position().toPoint();
    DoMouseWheel(ShiftStateOf(e->modifiers(), e->buttons()), e->angleDelta().y(), pos);
    e->accept();
}
