// The memo drop-down.
#include "controls/dropdown/memodropdown.h"

#include "controls/dropdown/dropdownform.h"
#include "controls/dropdown/dropdownhelpers.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>

namespace {

constexpr int kMemoHeight = 100;
const QString kEllipsis = QStringLiteral("...");

// The hosted memo keeps every key it is given: the drop-down has seen it already (through
// its filter on the memo), and a key passed on to the window would reach it twice.
class TDropDownMemo : public QPlainTextEdit
{
public:
    using QPlainTextEdit::QPlainTextEdit;
    // Characters the memo holds at most; 0 for no limit.
    int MaxLength = 0;

protected:
    // The room left for typed or pasted text when the selection is replaced.
    int Room() const
    {
        const int length = document()->characterCount() - 1;
        return MaxLength - (length - int(textCursor().selectedText().size()));
    }
    void keyPressEvent(QKeyEvent *Event) override
    {
        const QString typed = Event->text();
        const bool inserts = !typed.isEmpty() && (typed.front() >= u' ' || typed.front() == u'\r');
        if (!(MaxLength > 0 && inserts && !(Event->modifiers() & Qt::ControlModifier) && Room() < 1))
            QPlainTextEdit::keyPressEvent(Event);
        Event->accept();
    }
    void insertFromMimeData(const QMimeData *Source) override
    {
        if (MaxLength <= 0 || !Source->hasText())
            QPlainTextEdit::insertFromMimeData(Source);
        else
            insertPlainText(Source->text().left(std::max(0, Room())));
    }
    void keyReleaseEvent(QKeyEvent *Event) override
    {
        QPlainTextEdit::keyReleaseEvent(Event);
        Event->accept();
    }
};

}   // namespace

TDazMemoDropDown::TDazMemoDropDown(QWidget *Parent)
    : TDazCustomDropDown(Parent), FMemoText(std::make_unique<TStringList>())
{
    InitializeDropDown();
    FMemoText->OnChange = [this](TObject *) { UpdateEditText(); };
}

TDazMemoDropDown::~TDazMemoDropDown()
{
    FMemoText->OnChange = nullptr;
}

void TDazMemoDropDown::SetMemoText(const TStringList &Value)
{
    FMemoText->Assign(&Value);
    if (FMemo)
        FMemo->setPlainText(FMemoText->Text());
}

void TDazMemoDropDown::SetMemoReadOnly(bool Value)
{
    FMemoReadOnly = Value;
    if (DroppedDown() && FMemo)
        FMemo->setReadOnly(Value);
}

void TDazMemoDropDown::CreateDropDownForm()
{
    TDazCustomDropDown::CreateDropDownForm();
    if (!DropDownForm())
        return;
    if (!FMemo) {
        FMemo = new TDropDownMemo(DropDownForm());
        FMemo->resize(FMemo->width(), kMemoHeight);
        FMemo->setFrameShape(QFrame::NoFrame);
        QObject::connect(FMemo, &QPlainTextEdit::textChanged, this, [this] {
            if (OnMemoChange)
                OnMemoChange(this);
        });
        QObject::connect(FMemo, &QWidget::customContextMenuRequested, this, [this](QPoint At) {
            if (MemoPopup)
                MemoPopup->popup(FMemo->mapToGlobal(At));
        });
    }
    SetDropDownControl(FMemo);
}

void TDazMemoDropDown::BeforeDropDown()
{
    TDazCustomDropDown::BeforeDropDown();
    if (DropDownForm())
        DropDownForm()->CancelOnDeActivate = false;   // a click outside accepts
    if (!FMemo)
        return;
    FMemo->setPlainText(FMemoText->Text());
    FMemo->setContextMenuPolicy(MemoPopup ? Qt::CustomContextMenu : Qt::DefaultContextMenu);
    const bool vertical = MemoScrollBars == ssVertical || MemoScrollBars == ssBoth;
    const bool horizontal = MemoScrollBars == ssHorizontal || MemoScrollBars == ssBoth;
    FMemo->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    FMemo->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn
                                                   : Qt::ScrollBarAlwaysOff);
    FMemo->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
    FMemo->setReadOnly(FMemoReadOnly);
    // A line edit without a limit answers 32767.
    static_cast<TDropDownMemo *>(FMemo)->MaxLength = maxLength() < 32767 ? maxLength() : 0;
}

void TDazMemoDropDown::DoHideDropDown(bool Cancelled)
{
    // The focus coming back to the edit must not open the drop-down again.
    const bool autoDrop = AutoDrop;
    AutoDrop = false;
    if (Cancelled && FMemo)
        FMemo->setPlainText(FMemoText->Text());
    // The framework's restore of the last set text is no edit of the lines: they keep
    // their contents and the display shows them again.
    const bool internal = FInternalUpdate;
    FInternalUpdate = internal || Cancelled;
    TDazCustomDropDown::DoHideDropDown(Cancelled);
    FInternalUpdate = internal;
    if (Cancelled)
        UpdateEditText();
    AutoDrop = autoDrop;
}

void TDazMemoDropDown::AfterHideDropDown()
{
    TDazCustomDropDown::AfterHideDropDown();
    if (FMemo)
        FMemoText->SetText(FMemo->toPlainText());
    UpdateEditText();
    setCursorPosition(0);
}

void TDazMemoDropDown::Change()
{
    if (!FInternalUpdate) {
        const TNotifyEvent notify = std::move(FMemoText->OnChange);
        FMemoText->OnChange = nullptr;
        FMemoText->SetText(GetText());
        FMemoText->OnChange = notify;
    }
    TDazCustomDropDown::Change();
}

void TDazMemoDropDown::UpdateEditText()
{
    QString display;
    if (FMemoText->Count() == 0 || EditorEnabled()) {
        display = FMemoText->Text();
    } else {
        QImage surface(1, 1, QImage::Format_RGB32);
        TCanvas canvas(&surface);
        canvas.Font = TFont::FromQFont(font());
        const QString line = FMemoText->Strings(0);
        const int w = GetEditRect().Width();
        if (MeasureText(canvas, line).width() < w)
            display = FMemoText->Count() > 1 ? line + kEllipsis : line;
        else
            FitText(canvas, line, w, true, display);
    }
    const bool internal = FInternalUpdate;
    FInternalUpdate = true;
    SetTextUnformatted(display);
    FInternalUpdate = internal;
}

void TDazMemoDropDown::ControlKey(QKeyEvent *Event)
{
    const bool alt = Event->modifiers() & Qt::AltModifier;
    if (alt || Event->key() == Qt::Key_Escape || Event->key() == Qt::Key_F4)
        TDazCustomDropDown::ControlKey(Event);
    if (Event->type() == QEvent::KeyPress && FMemo && Event->key() == Qt::Key_A &&
        (Event->modifiers() & Qt::ControlModifier))
        FMemo->selectAll();
}

void TDazMemoDropDown::focusInEvent(QFocusEvent *Event)
{
    TDazCustomDropDown::focusInEvent(Event);
    // A window coming back to the front (as after the drop-down closes) is no entering.
    if (AutoDrop && Event->reason() != Qt::ActiveWindowFocusReason)
        DoShowDropDown();
}
