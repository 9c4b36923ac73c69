#include "grid/string/searchpanel.h"

#include "grid/base/basegrid.h"
#include "grid/string/dropdownappearance.h"

#include <QEvent>
#include <QKeyEvent>

void TRetEdit::keyPressEvent(QKeyEvent *e)
{
    if (e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) {
        QLineEdit::keyPressEvent(e);
        return;
    }
    const auto &event = e->modifiers().testFlag(Qt::ControlModifier) ? OnCtrlReturn : OnReturn;
    if (event)
        event(this);
    e->accept();
}

namespace {

QImage Glyph(const char *Name)
{
    return QImage(QLatin1String(":/") + QLatin1String(Name));
}

// A control's fixed place on the panel.
struct TPlace
{
    QWidget *Control;
    int Left, Top, Width, Height;
    bool Mirrored;
};

constexpr int ButtonHeight = 23;
constexpr int CheckBoxHeight = 18;

}   // namespace

TSearchPanel::TSearchPanel(QWidget *AOwner)
    : QFrame(AOwner),
      FEdit(new TRetEdit(this)),
      FClose(new TDazGridButton(this)),
      FForward(new TDazGridButton(this)),
      FBackward(new TDazGridButton(this)),
      FHighLight(new TDazGridButton(this)),
      FMatchCase(new TDazCheckBox(this))
{
    setFrameShape(QFrame::NoFrame);
    FForward->SetGlyph(Glyph("ASGARDOWN"));
    FForward->SetGlyphDisabled(Glyph("ASGARDOWND"));
    FBackward->SetGlyph(Glyph("ASGARUP"));
    FBackward->SetGlyphDisabled(Glyph("ASGARUPD"));
    FClose->SetGlyph(Glyph("ASGCLOSE"));
    FClose->SetGlyphHot(Glyph("ASGCLOSEH"));
    FClose->SetGlyphDown(Glyph("ASGCLOSED"));
    FHighLight->SetGlyph(Glyph("ASGHI"));
    FHighLight->SetGlyphDisabled(Glyph("ASGHID"));
    FHighLight->SetStyle(tasCheck);
    FHighLight->SetAllowAllUp(true);
    FHighLight->SetGroupIndex(1);
    // Nothing to find until a text is typed.
    for (TDazGridButton *b : {FForward, FBackward, FHighLight})
        b->setEnabled(false);
    LayoutControls();

    FClose->OnClick = [this](QObject *) { Fire(OnExitClick); };
    FForward->OnClick = [this](QObject *) { Fire(OnForwardClick); };
    FBackward->OnClick = [this](QObject *) { Fire(OnBackwardClick); };
    FHighLight->OnClick = [this](QObject *) { Fire(OnHighLightClick); };
    FEdit->OnReturn = [this](QObject *) { Fire(OnForwardClick); };
    FEdit->OnCtrlReturn = [this](QObject *) { Fire(OnBackwardClick); };
    QObject::connect(FEdit, &QLineEdit::textChanged, this, [this] { EditChanged(); });
}

void TSearchPanel::Fire(const std::function<void(QObject *)> &Event)
{
    if (Event)
        Event(this);
}

void TSearchPanel::EditChanged()
{
    const bool any = !FEdit->text().isEmpty();
    for (TDazGridButton *b : {FForward, FBackward, FHighLight})
        b->setEnabled(any);
    Fire(OnEditChange);
}

void TSearchPanel::LayoutControls()
{
    const int editHeight = FEdit->sizeHint().height();
    const TPlace places[] = {
        {FEdit, 25, 6, 110, editHeight, true},
        {FForward, 140, 5, 90, ButtonHeight, true},
        {FBackward, 235, 5, 90, ButtonHeight, true},
        {FClose, 5, 7, 14, 14, true},
        {FHighLight, 330, 5, 90, ButtonHeight, true},
        {FMatchCase, FHighLight->isVisibleTo(this) ? 425 : 330, 8, 120, CheckBoxHeight, false},
    };
    const bool rtl = layoutDirection() == Qt::RightToLeft;
    for (const TPlace &p : places) {
        const int h = p.Control->isVisibleTo(this) || p.Control == FEdit ? p.Height : 0;
        const int left = rtl && p.Mirrored ? width() - p.Width - p.Left : p.Left;
        p.Control->setGeometry(left, p.Top, p.Width, h);
    }
}

void TSearchPanel::SetColor(TColor Value)
{
    FColor = Value;
    update();
}

void TSearchPanel::SetColorTo(TColor Value)
{
    FColorTo = Value;
    update();
}

void TSearchPanel::SetEditColor(TColor Value)
{
    FEditColor = Value;
    QPalette pal = FEdit->palette();
    pal.setColor(QPalette::Base, ToQColor(Value));
    FEdit->setPalette(pal);
    FEdit->update();
}

void TSearchPanel::paintEvent(QPaintEvent *)
{
    TCanvas canvas(this);
    const TRect r(0, 0, width(), height());
    canvas.Brush.Color = FColor;
    canvas.Pen.Color = FColor;
    if (FColorTo == clNone)
        canvas.FillRect(r);
    else
        DrawDropDownGradient(canvas, FColor, FColorTo, 32, r, false);
    const auto *grid = dynamic_cast<const TBaseGrid *>(parentWidget());
    canvas.Pen.Color = grid ? grid->GridLineColor() : clSilver;
    canvas.MoveTo(0, 0);
    canvas.LineTo(width(), 0);
}

void TSearchPanel::resizeEvent(QResizeEvent *)
{
    LayoutControls();
}

void TSearchPanel::changeEvent(QEvent *e)
{
    QFrame::changeEvent(e);
    if (e->type() == QEvent::LayoutDirectionChange)
        LayoutControls();
}
