// TDazStringGrid: editing the EDIT, PASSWORD, MASK and COMBO elements of mark-up cells in a
// line edit or combo box over the element; the value goes back into the element's mark-up.
#include "grid/string/dazstringgrid.h"

#include "grid/base/markup.h"
#include "grid/base/markuprender.h"
#include "grid/string/cellcontroleditors.h"

#include <QEvent>
#include <QFocusEvent>
#include <QImage>
#include <QLineEdit>
#include <QPainter>

namespace {

// Ends the element edit when its editor loses the focus (not to its own pop-up list).
class TControlExitFilter : public QObject
{
public:
    TControlExitFilter(QObject *Parent, std::function<void()> Exit)
        : QObject(Parent), FExit(std::move(Exit))
    {
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::FocusOut &&
            static_cast<QFocusEvent *>(e)->reason() != Qt::PopupFocusReason &&
            static_cast<QFocusEvent *>(e)->reason() != Qt::ActiveWindowFocusReason)
            FExit();
        return false;
    }

private:
    std::function<void()> FExit;
};

}   // namespace

void EditNextCellControl(TDazStringGrid &Grid, int ACol, int ARow, const QString &CurrentID)
{
    const QString id = ACol >= 0 && ARow >= 0 && ACol < Grid.ColCount() && ARow < Grid.RowCount()
                           ? NextEditControlID(Grid.Cells(Grid.RealColIndex(ACol), ARow), CurrentID)
                           : QString();
    if (id.isEmpty()) {
        Grid.setFocus(Qt::OtherFocusReason);
        return;
    }
    const int realCol = Grid.RealColIndex(ACol);
    const QString text = Grid.Cells(realCol, ARow);
    // Laid out as the press's hit test does, so the editor lands where a click would put it.
    TRect r = Grid.CellRect(ACol, ARow);
    r.Left += Grid.XYOffset().X + 1;
    r.Top += Grid.XYOffset().Y + 1;
    if (Grid.HasCheckBox(realCol, ARow))
        r.Left += Grid.ControlLook().CheckSize();
    QImage scratch(1, 1, QImage::Format_RGB32);
    QPainter painter(&scratch);
    TCanvas canvas(&painter);
    canvas.Font = Grid.Font().Value();
    THtmlRenderParams params;
    params.Images = Grid.GetCellImageList(realCol, ARow);
    params.AnchorColor = Grid.URLColor();
    params.PictureCache = &Grid.ImageCache();
    params.Container = Grid.PictureContainer();
    params.ThemeWindow = &Grid;
    params.HitTestOnly = true;
    params.ControlID = id;
    THtmlRenderResult result;
    if (!RenderHtmlText(canvas, text, r, params, result) || result.ControlID != id) {
        Grid.setFocus(Qt::OtherFocusReason);
        return;
    }
    Grid.StartControlEdit(text, result.ControlType, ARow, realCol, ACol, result.ControlRect,
                          result.ControlValue, result.ControlID);
}

void TDazStringGrid::StartControlEdit(const QString &Text, const QString &CtrlType, int ARow,
                                      int RealCol, int ACol, const TRect &CtrlRect,
                                      const QString &CtrlVal, const QString &CtrlID)
{
    Q_UNUSED(ACol);
    const QString type = CtrlType.toUpper();
    const bool edit = type == u"EDIT" || type == u"PASSWORD" || type == u"MASK";
    if (!edit && type != u"COMBO")
        return;
    if (FCtrlEditing)
        EndControlEdit();
    FCtrlXY = {RealCol, ARow};
    FCtrlID = CtrlID;
    FCtrlType = type;
    FCtrlEditing = true;
    const int maxLen = GetControlMaxLen(Text, CtrlID);
    const QPoint at = viewport()->mapTo(this, QPoint(CtrlRect.Left, CtrlRect.Top));
    const int w = CtrlRect.Right - CtrlRect.Left;
    if (edit) {
        TControlEdit *e = ControlEdit();
        if (!e->property("cfExitFilter").toBool()) {
            e->installEventFilter(new TControlExitFilter(e, [this] { EndControlEdit(); }));
            e->setProperty("cfExitFilter", true);
            e->OnControlExit = [this] { EndControlEdit(); };
            e->OnEditNextControl = [this] {
                ::EditNextCellControl(*this, DisplColIndex(FCtrlXY.X), FCtrlXY.Y, FCtrlID);
            };
        }
        e->setEchoMode(type == u"PASSWORD" ? QLineEdit::Password : QLineEdit::Normal);
        e->setInputMask(type == u"MASK" ? GetControlProp(Text, CtrlID) : QString());
        e->setMaxLength(maxLen > 0 ? maxLen : 32767);
        e->setText(CtrlVal);
        e->setFrame(false);
        e->setGeometry(at.x() + 1, at.y() + 1, std::max(1, w - 4),
                       std::max(14, CtrlRect.Bottom - CtrlRect.Top - 2));
        e->setEnabled(true);
        e->show();
        e->raise();
        e->setFocus(Qt::OtherFocusReason);
        return;
    }
    TControlCombo *c = ControlCombo();
    if (!c->property("cfExitFilter").toBool()) {
        c->installEventFilter(new TControlExitFilter(c, [this] { EndControlEdit(); }));
        c->setProperty("cfExitFilter", true);
        c->OnControlExit = [this] { EndControlEdit(); };
        c->OnEditNextControl = [this] {
            ::EditNextCellControl(*this, DisplColIndex(FCtrlXY.X), FCtrlXY.Y, FCtrlID);
        };
        connect(c, qOverload<int>(&QComboBox::activated), this,
                [this](int) { ControlComboSelect(); });
    }
    TStringList values;
    bool editable = true;
    int dropCount = 8;
    if (OnControlComboList)
        OnControlComboList(this, ARow, RealCol, CtrlID, type, CtrlVal, values, editable,
                           dropCount);
    c->clear();
    for (int i = 0; i < values.Count(); ++i)
        c->addItem(values[i]);
    c->setEditable(editable);
    const int index = c->findText(CtrlVal);
    c->setCurrentIndex(index);
    if (editable) {
        c->setEditText(CtrlVal);
        c->lineEdit()->setMaxLength(maxLen > 0 ? maxLen : 32767);
    }
    c->setMaxVisibleItems(std::max(1, dropCount));
    c->setGeometry(at.x() - 1, at.y(), std::max(1, w), std::max(c->sizeHint().height(), 18));
    c->setEnabled(true);
    c->show();
    c->raise();
    c->setFocus(Qt::OtherFocusReason);
}

void TDazStringGrid::EndControlEdit()
{
    if (!FCtrlEditing)
        return;
    FCtrlEditing = false;
    QString value;
    QWidget *editor = nullptr;
    if (FCtrlType == u"COMBO")
        editor = FControlCombo, value = FControlCombo ? FControlCombo->currentText() : QString();
    else
        editor = FControlEdit, value = FControlEdit ? FControlEdit->text() : QString();
    if (FCtrlXY.X >= 0 && FCtrlXY.Y >= 0 && FCtrlXY.X < ColCount() && FCtrlXY.Y < RowCount()) {
        QString text = GetCellEx(FCtrlXY.X, FCtrlXY.Y);
        if (SetControlValue(text, FCtrlID, value))
            SetCellEx(FCtrlXY.X, FCtrlXY.Y, text);
    }
    if (editor) {
        if (editor->hasFocus())
            setFocus(Qt::OtherFocusReason);
        editor->hide();
    }
    const QString type = FCtrlType;
    FCtrlType.clear();
    if (OnControlEditDone)
        OnControlEditDone(this, FCtrlXY.Y, FCtrlXY.X, FCtrlID, type, value);
}

void TDazStringGrid::ControlComboSelect()
{
    if (!OnControlComboSelect || !FControlCombo)
        return;
    const int i = FControlCombo->currentIndex();
    OnControlComboSelect(this, FCtrlXY.Y, FCtrlXY.X, i, FCtrlID,
                         i >= 0 ? FControlCombo->itemText(i) : QString());
}
