#pragma once
// TCellGraphic: what turns a cell into more than text (check box, radio button, picture,
// icon, image-list entry, button, rotated text, progress bar, ...). A cell's properties hold
// at most one; painting reads it and the binary cell stream writes and reads its published
// fields, in the order they are declared here.
//
// Ownership: CellBitmap (or CellIcon) belongs to the graphic only where the destructor's
// rules say so (CellCreated, or an owned check-box glyph); otherwise it stays the caller's.
#include "grid/base/classes.h"
#include "grid/base/gridenums.h"
#include "grid/base/gridevents.h"

#include <QSize>
#include <QString>
#include <QVariant>
#include <cstdint>

class TBitmap;
class TIcon;
class TPicture;
class TFilePicture;

enum TCellType : uint8_t {
    ctBitmap,
    ctIcon,
    ctNone,
    ctImageList,
    ctCheckBox,
    ctDataCheckBox,
    ctRotated,
    ctDataImage,
    ctNode,
    ctRadio,
    ctEmpty,
    ctImages,
    ctPicture,
    ctFilePicture,
    ctValue,
    ctProgress,
    ctComment,
    ctButton,
    ctBitButton,
    ctVirtCheckBox,
    ctRowCheckBox,
    ctProgressPie,
    ctSummary,
    ctRangeIndicator,
    ctXPProgress,
    ctInterface,
    ctScrollbar,
    ctRadioButton,
    ctBalloon,
    ctShape,
    ctRating,
    ctTriStateCheckBox,
    ctExpand
};

enum TCellHAlign : uint8_t { haLeft, haRight, haCenter, haBeforeText, haAfterText, haFull };
enum TCellVAlign : uint8_t { vaTop, vaBottom, vaCenter, vaUnderText, vaAboveText, vaFull };

// How a picture fits its cell (kept in CellAngle).
enum TStretchMode { noStretch, Stretch, StretchWithAspectRatio, Shrink, ShrinkWithAspectRatio };

class TCellGraphic : public TPersistent
{
public:
    TCellGraphic() = default;
    TCellGraphic(const TCellGraphic &) = delete;
    TCellGraphic &operator=(const TCellGraphic &) = delete;
    ~TCellGraphic() override;

    // The setters give the graphic its type and the type's values; the object passed in is
    // not owned (set CellCreated to hand it over).
    void SetBitmap(TBitmap *ABmp, bool Transparent, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetPicture(TPicture *APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                    TCellHAlign HAlign, TCellVAlign VAlign);
    void SetFilePicture(TFilePicture *APicture, bool Transparent, TStretchMode StretchMode,
                        int Padding, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetIcon(TIcon *AIcon, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetImageIdx(int Idx, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetDataImage(int Idx, TCellHAlign HAlign, TCellVAlign VAlign);
    // A list of image indexes, made and owned here, with (ACol, ARow) as its cell;
    // OnChange is told of its changes.
    void SetMultiImage(int ACol, int ARow, bool Horizontal, TCellHAlign HAlign,
                       TCellVAlign VAlign, const TImageChangeEvent &OnChange);
    void SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign);
    // The three-state check box.
    void SetCheckBox(TCheckBoxState State, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign);
    void SetRadioButton(bool Value, bool Flat, TCellHAlign HAlign, TCellVAlign VAlign);
    // Width in the low and Height in the high 16 bits of CellIndex.
    void SetButton(int Width, int Height, const QString &Caption, TCellHAlign HAlign,
                   TCellVAlign VAlign);
    void SetBitButton(int Width, int Height, const QString &Caption, TBitmap *Glyph,
                      TCellHAlign HAlign, TCellVAlign VAlign);
    // Rotated text; the angle is brought into 0..360 (360 stays 360).
    void SetAngle(int AAngle);
    void SetInterfacedCell(TObject *AObject);

    // The size to draw a picture cell in, from the picture's size, the space available less
    // the padding (CellIndex) and the stretch mode (CellAngle). Other cell types leave
    // Size as it is.
    void GetPictureSize(int AvailWidth, int AvailHeight, bool HasText, QSize &Size) const;

    // Copies the published fields from another cell graphic; object references and
    // CellVar stay.
    void Assign(const TPersistent *Source) override;

    // Published, in streaming order.
    TCellType CellType = ctNone;
    TCellVAlign CellVAlign = vaTop;
    TCellHAlign CellHAlign = haLeft;
    int32_t CellIndex = 0;   // image index; button size; picture padding
    bool CellTransparent = false;
    bool CellCreated = false;   // CellBitmap / CellIcon belongs to the graphic
    bool CellBoolean = false;
    TCheckBoxState CellCheckBoxState = cbUnchecked;
    int32_t CellAngle = 0;   // degrees; stretch mode; 1: the check box owns its glyph
    double CellValue = 0;
    int32_t CellErrFrom = 0;
    int32_t CellErrLen = 0;
    QString CellText;

    // Public.
    TObject *CellBitmap = nullptr;
    TIcon *CellIcon = nullptr;
    QVariant CellVar;

private:
    void SetAlign(TCellHAlign HAlign, TCellVAlign VAlign)
    {
        CellHAlign = HAlign;
        CellVAlign = VAlign;
    }
    void SetPictureCell(TCellType Type, TObject *APicture, bool Transparent,
                        TStretchMode StretchMode, int Padding, TCellHAlign HAlign,
                        TCellVAlign VAlign);
};
