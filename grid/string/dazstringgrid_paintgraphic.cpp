// TDazStringGrid: placing and drawing a cell's graphic inside its cell (check boxes, radio
// buttons, images, pictures, icons, comment marks, shapes, buttons and interfaced
// objects); check boxes and radio buttons through the glyph code.
#include "grid/string/dazstringgrid.h"

#include "grid/base/cellshape.h"
#include "grid/base/drawroutines.h"
#include "grid/base/imagelist.h"


void TDazStringGrid::DrawCellGraphic(TCanvas &Canvas, int RCol, int ARow, const TRect &R,
                                     TGridDrawState AState, TCellGraphic *Graphic,
                                     int TextWidth)
{
    if (!Graphic)
        return;
    TCellVAlign va;
    TCellHAlign ha;
    bool showText = true;
    int gw = 0, gh = 0;
    GetCellGraphicLayout(RCol, ARow, va, ha, showText, gh, gw);
    const TCellType kind = Graphic->CellType;
    if (kind == ctEmpty || kind == ctValue || kind == ctSummary)
        return;

    TAlignment halign = taLeftJustify;
    TVAlignment valign = vtaTop;
    GetCellAlignment(RCol, ARow, halign, valign);
    const TRect place = PlaceCellGraphic(R, kind, ha, va, gw, gh, TextWidth, halign, valign,
                                         FVAlignment, FXYOffset);
    const int x = place.Left;
    const int y = place.Top;
    gw = place.Width();
    gh = place.Height();

    switch (kind) {
    case ctBitmap:
        if (const auto *b = dynamic_cast<const TGraphic *>(Graphic->CellBitmap); b && !b->Empty()) {
            if (Graphic->CellTransparent)
                Canvas.DrawTransparent(x, y, b->Image(), FromQColor(b->Image().pixelColor(0, 0)));
            else
                Canvas.Draw(x, y, b->Image());
        }
        break;
    case ctIcon:
        if (Graphic->CellIcon && !Graphic->CellIcon->Empty())
            Canvas.Draw(x, y, Graphic->CellIcon->Image());
        break;
    case ctImageList:
        if (const TCustomImageList *il = GetCellImageList(RCol, ARow))
            il->Draw(Canvas, x, y, Graphic->CellIndex);
        break;
    case ctDataImage:
        if (const TCustomImageList *il = GetCellImageList(RCol, ARow)) {
            bool ok = false;
            const int v = Cells(RCol, ARow).trimmed().toInt(&ok);
            const int idx = (ok ? v : 0) + Graphic->CellIndex;
            if (idx >= 0 && idx < il->Count())
                il->Draw(Canvas, x, y, idx);
        }
        break;
    case ctImages:
        if (const auto *list = dynamic_cast<const TIntList *>(Graphic->CellBitmap)) {
            if (const TCustomImageList *il = GetCellImageList(RCol, ARow)) {
                int px = x, py = y;
                for (int i = 0; i < list->Count(); ++i) {
                    il->Draw(Canvas, px, py, list->GetInteger(i));
                    if (Graphic->CellBoolean)
                        px += il->Width();
                    else
                        py += il->Height();
                }
            }
        }
        break;
    case ctPicture:
        if (const auto *p = dynamic_cast<const TGraphic *>(Graphic->CellBitmap); p && !p->Empty()) {
            if (Graphic->CellAngle != noStretch)
                Canvas.StretchDraw(place, p->Image());
            else
                Canvas.Draw(x, y, p->Image());
        }
        break;
    case ctFilePicture:
        if (const auto *p = dynamic_cast<const TFilePicture *>(Graphic->CellBitmap))
            p->DrawPicture(Canvas, place);
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
    case ctTriStateCheckBox: {
        bool checked = Graphic->CellBoolean;
        const bool grey = kind != ctTriStateCheckBox && kind != ctDataCheckBox &&
                          kind != ctVirtCheckBox && Graphic->CellAngle > 0 &&
                          !(kind == ctCheckBox && Graphic->CellAngle == 1);
        if (kind == ctDataCheckBox || kind == ctVirtCheckBox) {
            QString yes;
            GetCheckTrue(RCol, ARow, yes);
            checked = Cells(RCol, ARow) == yes;
        }
        const bool enabled =
            isEnabled() && (!ReadOnly(RCol, ARow) || FControlLook.NoDisabledCheckRadioLook());
        DrawCheck(Canvas, place, checked, int(Graphic->CellCheckBoxState),
                  kind == ctTriStateCheckBox, FControlLook.ControlStyle(), grey, enabled);
        break;
    }
    case ctRadioButton: {
        const bool enabled =
            isEnabled() && (!ReadOnly(RCol, ARow) || FControlLook.NoDisabledCheckRadioLook());
        DrawRadioGroup(Canvas, TRect(R.Left + FXYOffset.X, place.Top, R.Right, place.Bottom),
                       false, 1.0, FControlLook.ControlStyle(), ARow, RCol,
                       AState.Contains(gdSelected), QStringList{QString()}, !enabled, true,
                       Graphic->CellBoolean ? 0 : -2, 1);
        break;
    }
    case ctComment: {
        if (FControlLook.CommentColor() == clNone)
            break;
        const TColor c = Graphic->CellIndex != int32_t(clNone) ? TColor(Graphic->CellIndex)
                                                               : FControlLook.CommentColor();
        const int right = R.Right + FXYOffset.X;
        const int top = R.Top - FXYOffset.Y;
        Canvas.Brush.Color = c;
        Canvas.Brush.Style = bsSolid;
        Canvas.Pen.Color = c;
        Canvas.Polygon({TPoint(right - 8, top + 1), TPoint(right - 3, top + 1),
                        TPoint(right - 3, top + 6)});
        Canvas.Brush.Color = Color();
        break;
    }
    case ctShape: {
        const TColor line = Graphic->CellVar.isValid() ? TColor(Graphic->CellVar.toUInt()) : clBlack;
        DrawCellShape(Canvas, x, y, gw, gh, TCellShape(Graphic->CellAngle),
                      TColor(Graphic->CellIndex), line);
        break;
    }
    case ctButton:
    case ctBitButton:
    case ctExpand: {
        TRect b = kind == ctExpand ? TRect(R.Right - 13, R.Top, R.Right, R.Top + 13) : place;
        Graphic->CellValue = double(((b.Top - R.Top) << 16) | ((b.Left - R.Left) & 0xFFFF));
        const int state = ButtonGlyphState(RCol, ARow, *Graphic);
        const int look = ButtonGlyphLook();
        DrawPushButtonFace(Canvas, this, b, look, state, ColorTones());
        if (Graphic->CellBoolean)
            OffsetRect(b, 1, 1);
        if (kind == ctExpand) {
            Canvas.Pen.Color = clBlack;
            const bool up = Graphic->CellVar.toBool();
            const int l = R.Right - 10, t = R.Top;
            if (up)
                Canvas.Polyline({TPoint(l, t + 8), TPoint(l + 3, t + 5), TPoint(l + 7, t + 9)});
            else
                Canvas.Polyline({TPoint(l, t + 5), TPoint(l + 3, t + 8), TPoint(l + 7, t + 4)});
            break;
        }
        if (kind == ctBitButton)
            if (const auto *glyph = dynamic_cast<const TGraphic *>(Graphic->CellBitmap);
                glyph && !glyph->Empty()) {
                const QImage &img = glyph->Image();
                // Alone and with room the glyph sits in the middle; a caption follows it.
                const bool centred =
                    Graphic->CellText.isEmpty() && img.width() + 6 <= b.Width();
                const int gx = centred ? b.Left + (b.Width() - img.width()) / 2 : b.Left + 3;
                Canvas.DrawTransparent(gx, b.Top + (b.Height() - img.height()) / 2, img,
                                       FromQColor(img.pixelColor(0, 0)));
                b.Left = gx + img.width();
            }
        Canvas.Brush.Style = bsClear;
        Canvas.Font = Font().Value();
        if (look == glyphCustom)
            Canvas.Font.Color = ButtonToneTextColor(state);
        Canvas.DrawText(Graphic->CellText, b,
                        DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS |
                            (Graphic->CellText.contains(u'\r') ? DT_WORDBREAK : DT_SINGLELINE));
        Canvas.Brush.Style = bsSolid;
        break;
    }
    case ctInterface:
        if (auto *o = dynamic_cast<IGridCellObject *>(Graphic->CellBitmap)) {
            TRect ir = R;
            --ir.Left;
            --ir.Top;
            o->Draw(Canvas, ir, RCol, ARow, AState.Contains(gdSelected), this);
        }
        break;
    default:
        DrawOtherCellGraphic(Canvas, RCol, ARow, R, place, AState, Graphic);
        break;
    }
}
