// TDazStringGrid: the size and place of a cell's graphic, and the check-box and radio
// glyphs in every control style.
#include "grid/base/drawroutines.h"
#include "grid/base/styledetect.h"
#include "grid/string/dazstringgrid.h"
#include "platform/theme.h"

#include <QHash>
#include <QPainter>
#include <algorithm>

namespace {

bool IsCheckKind(TCellType Kind)
{
    switch (Kind) {
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctRadioButton:
    case ctTriStateCheckBox:
        return true;
    default:
        return false;
    }
}

// The glyph bitmaps of the bitmap styles, drawn once. The names are the resource
// names; their pixels are our own: a box or a circle on a magenta key colour (the
// transparent colour is the one of pixel (0, 0)), a tick or a dot when checked, greyed when
// disabled.
const QImage &GlyphImage(const QString &Name)
{
    static QHash<QString, QImage> cache;
    auto it = cache.find(Name);
    if (it != cache.end())
        return *it;
    const bool radio = Name.startsWith(QLatin1String("ASGRAD"));
    const int n = Name.right(2).toInt();
    const bool qvr = n <= 4;
    const int size = (!radio && qvr) ? 20 : 16;
    const int variant = (n - 1) % 4;   // checked, unchecked, checked disabled, unchecked disabled
    const bool checked = variant == 0 || variant == 2;
    const bool disabled = variant >= 2;
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, radio);
    const QColor frame = disabled ? QColor(176, 176, 176) : (qvr ? QColor(0, 60, 116) : QColor(28, 81, 128));
    const QColor face = disabled ? QColor(240, 240, 240) : QColor(255, 255, 255);
    const QColor mark = disabled ? QColor(160, 160, 160) : QColor(33, 161, 33);
    const QRectF box(1.5, 1.5, 12, 12);
    p.setPen(QPen(frame, 1));
    p.setBrush(face);
    if (radio)
        p.drawEllipse(box);
    else
        p.drawRect(QRectF(box.x() + (size - 16) / 2.0, box.y() + (size - 16) / 2.0, 12, 12));
    if (checked) {
        const double o = (size - 16) / 2.0;
        if (radio) {
            p.setPen(Qt::NoPen);
            p.setBrush(mark);
            p.drawEllipse(QRectF(5, 5, 5, 5));
        } else {
            p.setPen(QPen(mark, 2));
            p.drawPolyline(QPolygonF({QPointF(o + 4, o + 7.5), QPointF(o + 6.5, o + 10),
                                      QPointF(o + 11, o + 4.5)}));
        }
    }
    p.end();
    return *cache.insert(Name, img);
}

void DrawGlyph(TCanvas &Canvas, const QString &Name, int X, int Y)
{
    const QImage &img = GlyphImage(Name);
    DrawBitmapTransparent(Canvas, img, Canvas.Brush.Color, TRect(X, Y, X + img.width(), Y + img.height()));
}

// Theme states of the button class's check-box and radio parts.
constexpr int BP_RADIOBUTTON = 2, BP_CHECKBOX = 3;

}   // namespace

// ---------------------------------------------------------------------------------------
// Layout and placement
// ---------------------------------------------------------------------------------------

TCellGraphic *TDazStringGrid::GetCellGraphicLayout(int ACol, int ARow, TCellVAlign &VAlign,
                                                   TCellHAlign &HAlign, bool &ShowText,
                                                   int &Height, int &Width)
{
    Width = 0;
    Height = 0;
    ShowText = true;
    VAlign = vaTop;
    HAlign = haLeft;
    TCellGraphic *g = GetCellGraphic(ACol, ARow);
    if (!g)
        return nullptr;
    VAlign = g->CellVAlign;
    HAlign = g->CellHAlign;
    auto square = [&](int side) { Width = Height = side; };
    auto sizeOf = [&](const TObject *o) {
        if (const auto *pic = dynamic_cast<const TGraphic *>(o)) {
            Width = pic->Width();
            Height = pic->Height();
        }
    };
    switch (g->CellType) {
    case ctBitmap:
        sizeOf(g->CellBitmap);
        break;
    case ctIcon:
        sizeOf(g->CellIcon);
        break;
    case ctCheckBox:
    case ctTriStateCheckBox:
        square(FControlLook.CheckSize());
        break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
        square(FControlLook.CheckSize());
        ShowText = false;
        break;
    case ctDataImage:
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
        ShowText = false;
        break;
    case ctPicture:
    case ctFilePicture: {
        QSize s;
        const int dc = DisplColIndex(ACol);
        const int w = dc >= 0 && dc < ColCount() ? ColWidths(dc) : 0;
        const int h = ARow >= 0 && ARow < RowCount() ? RowHeights(ARow) : 0;
        if (const auto *pic = dynamic_cast<const TGraphic *>(g->CellBitmap))
            s = QSize(pic->Width(), pic->Height());
        g->GetPictureSize(w, h, !Cells(ACol, ARow).isEmpty(), s);
        Width = s.width();
        Height = s.height();
        break;
    }
    case ctButton:
    case ctBitButton:
        Width = g->CellIndex & 0xFFFF;
        Height = (uint32_t(g->CellIndex) >> 16) & 0xFFFF;
        break;
    case ctProgressPie:
        square(20);
        break;
    case ctRadioButton:
        square(FControlLook.RadioSize() + 4);
        break;
    case ctShape:
        square((ARow >= 0 && ARow < RowCount() ? RowHeights(ARow) : DefaultRowHeight()) -
               2 * XYOffset().Y);
        break;
    case ctRating:
        Width = g->CellAngle * 18;
        Height = 16;
        ShowText = false;
        break;
    default:
        break;
    }
    return g;
}

TRect TDazStringGrid::PlaceCellGraphic(TRect R, TCellType Kind, TCellHAlign HAlign,
                                       TCellVAlign VAlign, int Width, int Height,
                                       int TextWidth, TAlignment TextAlign,
                                       TVAlignment CellVAlign, TVAlignment GridVAlign,
                                       TPoint XYOffset)
{
    if (Kind != ctNode && Kind != ctProgress && Kind != ctRangeIndicator &&
        Kind != ctXPProgress)
        InflateRect(R, -(XYOffset.X - 1), -(XYOffset.Y - 1));
    if (TextWidth > 0)
        TextWidth += 2;
    const int w = R.Width();
    const int h = R.Height();
    int x = R.Left + 1;
    int width = Width;
    switch (HAlign) {
    case haLeft:
        x = R.Left + 1;
        break;
    case haRight:
        x = R.Right - 1 - Width;
        break;
    case haCenter:
        x = Width <= w ? R.Left + (w - Width) / 2 : R.Left + 1;
        break;
    case haBeforeText:
        if (TextAlign == taRightJustify)
            x = std::max(R.Left, R.Right - TextWidth - Width);
        else if (TextAlign == taCenter)
            x = std::max(R.Left, R.Left + (w - TextWidth - Width) / 2);
        else
            x = R.Left + 1;
        break;
    case haAfterText:
        if (TextAlign == taRightJustify)
            x = R.Right - 1 - Width;
        else if (TextAlign == taCenter)
            x = std::max(R.Left, R.Left + (w - TextWidth - Width) / 2) + TextWidth;
        else
            x = R.Left + TextWidth;
        break;
    case haFull:
        x = R.Left;
        width = w;
        break;
    }
    if (IsCheckKind(Kind)) {
        if (CellVAlign != GridVAlign)
            VAlign = CellVAlign == vtaCenter ? vaCenter : CellVAlign == vtaBottom ? vaBottom : vaTop;
        // Placed by the text alignment; the kinds that show their text keep it beside them.
        const bool besideText = Kind == ctCheckBox || Kind == ctTriStateCheckBox ||
                                Kind == ctRadioButton;
        const int text = besideText ? TextWidth : 0;
        if (TextAlign == taRightJustify)
            x = R.Right - 1 - Width - text;
        else if (TextAlign == taCenter)
            x = R.Left + (w - Width - text) / 2;
        else
            x = R.Left + 1;
        x = std::max(x, R.Left + 1);
        width = Width;
    }
    int y = R.Top + 1;
    int height = Height;
    switch (VAlign) {
    case vaTop:
    case vaAboveText:
        y = R.Top + 1;
        break;
    case vaBottom:
        y = R.Bottom - 1 - Height;
        break;
    case vaCenter:
        y = Height <= h ? R.Top + (h - Height) / 2 : R.Top + 1;
        break;
    case vaUnderText:
        y = R.Bottom - Height;
        break;
    case vaFull:
        y = R.Top;
        height = h;
        break;
    }
    return TRect(x, y, x + width, y + height);
}

// ---------------------------------------------------------------------------------------
// Glyphs
// ---------------------------------------------------------------------------------------

void TDazStringGrid::DrawCheck(TCanvas &Canvas, const TRect &R, bool Checked, int TriState,
                               bool TriStateMode, TControlStyle Style, bool Grey, bool Enabled)
{
    if (FControlLook.NoDisabledCheckRadioLook() || FControlLook.CheckAlwaysActive())
        Enabled = true;
    if (TriStateMode) {
        Checked = TriState == 1;
        Grey = TriState == 2;
    }
    const int size = FControlLook.CheckSize();
    if (Style == csTheme) {
        const TThemeHandle theme = IsComCtlVer6() && IsThemeActive()
                                       ? OpenThemeData(this, QStringLiteral("button"))
                                       : 0;
        if (theme) {
            const int state = Grey ? (Enabled ? 9 : 12) : Checked ? (Enabled ? 5 : 8)
                                                                  : (Enabled ? 1 : 4);
            DrawThemeBackground(theme, Canvas, BP_CHECKBOX, state,
                                TRect(R.Left, R.Top, R.Left + size, R.Top + size));
            CloseThemeData(theme);
            return;
        }
        Style = csClassic;
    }
    switch (Style) {
    case csClassic:
    case csFlat: {
        unsigned state = DFCS_BUTTONCHECK;
        if (Grey)
            state = DFCS_BUTTON3STATE | DFCS_CHECKED;
        else if (Checked)
            state |= DFCS_CHECKED;
        if (Style == csFlat)
            state |= DFCS_FLAT;
        if (!Enabled)
            state |= DFCS_INACTIVE;
        const int x = R.Left + (R.Width() - size) / 2;
        const int y = R.Top + (R.Height() - size) / 2;
        ThemePlatform().DrawFrameControl(Canvas, TRect(x, y, x + size, y + size), DFC_BUTTON,
                                         state);
        break;
    }
    case csWinXP:
        DrawGlyph(Canvas, Checked ? (Enabled ? "ASGCHK05" : "ASGCHK07")
                                  : (Enabled ? "ASGCHK06" : "ASGCHK08"),
                  R.Left, R.Top);
        break;
    case csQVR:
        DrawGlyph(Canvas, Checked ? (Enabled ? "ASGCHK01" : "ASGCHK03")
                                  : (Enabled ? "ASGCHK02" : "ASGCHK04"),
                  R.Left, R.Top);
        break;
    case csGlyph: {
        const TBitmap &glyph =
            Checked ? FControlLook.CheckedGlyph() : FControlLook.UnCheckedGlyph();
        if (!glyph.Empty())
            DrawBitmapTransparent(Canvas, glyph.Image(), Canvas.Brush.Color,
                                  TRect(R.Left, R.Top, R.Left + glyph.Width(), R.Top + glyph.Height()));
        break;
    }
    case csVantrel: {
        const TRect box(R.Left, R.Top, R.Left + size, R.Top + size);
        Canvas.Brush.Color = Enabled ? clBtnFace : clBtnShadow;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = clBtnFace;
        Canvas.Pen.Width = 1;
        Canvas.Rectangle(box);
        DrawEdgeLines(Canvas, box, clBtnHighlight, clBtnShadow);
        if (Checked) {
            Canvas.Pen.Color = Enabled ? FControlLook.Color() : TColor(0x808080);
            Canvas.Pen.Width = 2;
            const int mid = box.Top + size / 2;
            Canvas.MoveTo(box.Left + 3, mid);
            Canvas.LineTo(box.Left + 3, box.Bottom - 3);
            Canvas.MoveTo(box.Left + 3, box.Bottom - 3);
            Canvas.LineTo(box.Right - 3, box.Top + 3);
            Canvas.Pen.Width = 1;
        }
        break;
    }
    default:
        break;
    }
}

void TDazStringGrid::DrawRadioGroup(TCanvas &Canvas, const TRect &R, bool Upwards, double Scale,
                                    TControlStyle Style, int ARow, int ACol, bool Selected,
                                    const QStringList &Items, bool Disabled, bool Horizontal,
                                    int CheckedIndex, int Count)
{
    if (Count <= 0)
        return;
    if (FControlLook.NoDisabledCheckRadioLook() || FControlLook.RadioAlwaysActive())
        Disabled = false;
    const TBrushStyle oldBrush = Canvas.Brush.Style;
    Canvas.Brush.Style = bsClear;
    const QString cellText = (ACol >= 0 && ARow >= 0) ? Cells(ACol, ARow) : QString();
    const TColor oldFontColor = Canvas.Font.Color;
    if (Selected && ShowSelection())
        Canvas.Font.Color = SelectionTextColor();
    TThemeHandle theme = 0;
    if (Style == csTheme) {
        if (IsComCtlVer6() && IsThemeActive())
            theme = OpenThemeData(this, QStringLiteral("button"));
        if (!theme)
            Style = csClassic;
    }
    const bool frameStyle = Style == csClassic || Style == csFlat;
    const bool bitmapStyle = Style == csWinXP || Style == csQVR;
    const int radio = FControlLook.RadioSize();
    const int frameSize =
        int(std::lround((Style == csFlat ? radio + 2 : radio) * (Scale > 0 ? Scale : 1.0)));
    const int glyph = frameStyle ? frameSize : 16;
    const int lineHeight = frameStyle ? Canvas.TextHeight(QStringLiteral("gh"))
                                      : std::max(16, Canvas.TextHeight(QStringLiteral("gh")));
    int captionsBefore = 0;
    for (int i = 1; i <= Count; ++i) {
        const QString caption = i - 1 < Items.size() ? Items[i - 1] : QString();
        const bool checked =
            CheckedIndex == i - 1 || (CheckedIndex == -1 && !caption.isEmpty() && caption == cellText);
        int gx, gy, tx, ty;
        if (Horizontal) {
            gx = frameStyle ? R.Left + 2 + (i - 1) * radio + captionsBefore
                            : R.Left + 16 * i - 14 + captionsBefore;
            gy = R.Top + (R.Height() - glyph) / 2;
            tx = frameStyle ? gx + glyph : gx + 16;
            ty = R.Top + (R.Height() - Canvas.TextHeight(caption.isEmpty() ? QStringLiteral("gh") : caption)) / 2;
        } else {
            const int line = i - 1;
            gy = Upwards ? R.Bottom - 2 - (line + 1) * lineHeight : R.Top + 2 + line * lineHeight;
            gx = R.Left + 2;
            tx = frameStyle ? gx + radio + 4 : (bitmapStyle ? R.Left + 18 : R.Left + 20);
            ty = gy + (bitmapStyle ? 1 : 0);
        }
        if (caption.isEmpty())
            gx = R.Left + (R.Width() - glyph) / 2;
        const TRect g(gx, gy, gx + glyph, gy + glyph);
        switch (Style) {
        case csClassic:
        case csFlat: {
            unsigned state = DFCS_BUTTONRADIO;
            if (Style == csFlat)
                state |= DFCS_FLAT;
            if (Disabled)
                state |= DFCS_INACTIVE;
            if (checked)
                state |= DFCS_CHECKED;
            ThemePlatform().DrawFrameControl(Canvas, g, DFC_BUTTON, state);
            break;
        }
        case csTheme:
            DrawThemeBackground(theme, Canvas, BP_RADIOBUTTON,
                                checked ? (Disabled ? 8 : 5) : (Disabled ? 4 : 1), g);
            break;
        case csWinXP:
            DrawGlyph(Canvas, checked ? (Disabled ? "ASGRAD07" : "ASGRAD05")
                                      : (Disabled ? "ASGRAD08" : "ASGRAD06"),
                      gx, gy);
            break;
        case csQVR:
            DrawGlyph(Canvas, checked ? (Disabled ? "ASGRAD03" : "ASGRAD01")
                                      : (Disabled ? "ASGRAD04" : "ASGRAD02"),
                      gx, gy);
            break;
        case csGlyph: {
            const TBitmap &bmp = checked ? FControlLook.RadioOnGlyph() : FControlLook.RadioOffGlyph();
            if (!bmp.Empty())
                DrawBitmapTransparent(Canvas, bmp.Image(), Canvas.Brush.Color,
                                      TRect(gx, gy, gx + bmp.Width(), gy + bmp.Height()));
            break;
        }
        case csVantrel: {
            const TBrushStyle keep = Canvas.Brush.Style;
            Canvas.Brush.Style = bsSolid;
            Canvas.Brush.Color = clBtnFace;
            Canvas.Pen.Color = checked ? clGray : clWhite;
            Canvas.Polygon({TPoint(gx + 8, gy + 2), TPoint(gx + 14, gy + 8),
                            TPoint(gx + 8, gy + 14), TPoint(gx + 2, gy + 8)});
            if (checked) {
                Canvas.Brush.Color = FControlLook.Color();
                Canvas.Pen.Color = FControlLook.Color();
                Canvas.Polygon({TPoint(gx + 8, gy + 5), TPoint(gx + 11, gy + 8),
                                TPoint(gx + 8, gy + 11), TPoint(gx + 5, gy + 8)});
            }
            Canvas.Brush.Style = keep;
            break;
        }
        }
        if (!caption.isEmpty()) {
            Canvas.Brush.Style = bsClear;
            Canvas.TextOut(tx, ty, caption);
        }
        if (Horizontal)
            captionsBefore += Canvas.TextWidth(caption);
    }
    if (theme)
        CloseThemeData(theme);
    Canvas.Font.Color = oldFontColor;
    Canvas.Brush.Style = oldBrush;
}
