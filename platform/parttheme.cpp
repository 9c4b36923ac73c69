#include "platform/parttheme.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QWidget>
#include <algorithm>

namespace {

QStyle::State StyleState(int State)
{
    QStyle::State s;
    if (State != PBS_DISABLED)
        s |= QStyle::State_Enabled;
    s |= State == PBS_PRESSED ? QStyle::State_Sunken : QStyle::State_Raised;
    if (State == PBS_HOT)
        s |= QStyle::State_MouseOver;
    return s;
}

class TStylePartTheme : public IPartTheme
{
public:
    bool ThemedCommonControls() override { return true; }
    bool IsThemeActive() override { return true; }
    bool VistaOrLater() override { return true; }
    bool DrawPart(TCanvas &Canvas, QWidget *Window, const QString &ClassName, int Part,
                  int State, const TRect &Rect) override
    {
        const bool combo = ClassName.compare(ThemeClassComboBox, Qt::CaseInsensitive) == 0 &&
                           Part == CP_DROPDOWNBUTTON;
        const bool button = ClassName.compare(ThemeClassButton, Qt::CaseInsensitive) == 0 &&
                            Part == BP_PUSHBUTTON;
        QPainter *p = Canvas.Painter();
        if (!(combo || button) || !p)
            return false;
        if (Rect.Width() <= 0 || Rect.Height() <= 0)
            return true;
        QStyle *style = Window ? Window->style() : QApplication::style();
        QStyleOptionButton opt;
        opt.rect = Rect.ToQRect();
        opt.palette = Window ? Window->palette() : QApplication::palette();
        opt.state = StyleState(State);
        p->save();
        style->drawControl(QStyle::CE_PushButtonBevel, &opt, p, Window);
        if (combo) {
            // The arrow centred in the button, sized as the style sizes a combo box's.
            QStyleOption arrow = opt;
            const int side = std::min({Rect.Width(), Rect.Height(),
                                       style->pixelMetric(QStyle::PM_MenuButtonIndicator,
                                                          nullptr, Window)});
            arrow.rect = QRect(0, 0, side, side);
            arrow.rect.moveCenter(opt.rect.center());
            style->drawPrimitive(QStyle::PE_IndicatorArrowDown, &arrow, p, Window);
        }
        p->restore();
        return true;
    }
};

TStylePartTheme g_real;
IPartTheme *g_theme = &g_real;

}   // namespace

IPartTheme &PartTheme()
{
    return *g_theme;
}

void SetPartTheme(IPartTheme *Theme)
{
    g_theme = Theme ? Theme : &g_real;
}

bool TFakePartTheme::DrawPart(TCanvas &, QWidget *, const QString &ClassName, int Part,
                              int State, const TRect &Rect)
{
    Draws.push_back({ClassName, Part, State, Rect});
    return true;
}
