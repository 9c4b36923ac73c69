#include "grid/base/markupcontrols.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QWidget>

namespace {

class TStyleControlPainter : public THtmlControlPainter
{
public:
    bool Themed() const override { return true; }

    void DrawPart(TCanvas &canvas, THtmlControlPart part, const TRect &r,
                  const THtmlControlState &state, const QWidget *themeWindow) override
    {
        QPainter *p = canvas.Painter();
        if (!p || r.Width() <= 0 || r.Height() <= 0)
            return;
        // Only what can show is drawn: styles cache a pixmap of the whole part, which for a
        // giant part would be a giant buffer. The cut edges stay outside the visible area.
        QRect area = p->hasClipping() ? p->clipBoundingRect().toAlignedRect()
                                      : p->deviceTransform().inverted().mapRect(
                                            QRect(0, 0, p->device()->width(), p->device()->height()));
        area.adjust(-4, -4, 4, 4);
        const QRect visible = r.ToQRect().intersected(area);
        if (visible.isEmpty())
            return;
        QStyle *style = themeWindow ? themeWindow->style() : QApplication::style();
        auto init = [&](QStyleOption &o) {
            if (themeWindow)
                o.initFrom(themeWindow);
            else
                o.palette = QApplication::palette();
            o.rect = visible;
            o.state = QStyle::State_Enabled;
            if (state.Hot)
                o.state |= QStyle::State_MouseOver;
            if (state.Pressed)
                o.state |= QStyle::State_Sunken;
        };
        p->save();
        switch (part) {
        case THtmlControlPart::ComboButton: {
            QStyleOptionButton o;
            init(o);
            style->drawControl(QStyle::CE_PushButtonBevel, &o, p, themeWindow);
            QStyleOption arrow;
            init(arrow);
            arrow.rect = visible.adjusted(3, 3, -3, -3);
            style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, p, themeWindow);
            break;
        }
        case THtmlControlPart::CheckBox:
        case THtmlControlPart::RadioButton: {
            QStyleOptionButton o;
            init(o);
            o.state |= state.Checked ? QStyle::State_On : QStyle::State_Off;
            style->drawPrimitive(part == THtmlControlPart::CheckBox
                                     ? QStyle::PE_IndicatorCheckBox
                                     : QStyle::PE_IndicatorRadioButton,
                                 &o, p, themeWindow);
            break;
        }
        case THtmlControlPart::PushButton: {
            QStyleOptionButton o;
            init(o);
            if (!state.Pressed)
                o.state |= QStyle::State_Raised;
            style->drawControl(QStyle::CE_PushButtonBevel, &o, p, themeWindow);
            break;
        }
        }
        p->restore();
    }
};

} // namespace

THtmlControlPainter &DefaultHtmlControlPainter()
{
    static TStyleControlPainter painter;
    return painter;
}
