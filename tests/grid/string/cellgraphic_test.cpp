// The cell graphic object: type setters, angles, picture sizes, copies and ownership.
#include "grid/base/intlist.h"
#include "grid/string/bitmap.h"
#include "grid/string/cellgraphic.h"
#include "grid/string/gridmessages.h"

#include <gtest/gtest.h>

namespace {

// A bitmap that records its destruction.
class TWatchedBitmap : public TBitmap
{
public:
    explicit TWatchedBitmap(bool *Destroyed) : FDestroyed(Destroyed) {}
    ~TWatchedBitmap() override { *FDestroyed = true; }

private:
    bool *FDestroyed;
};

TPicture *MakePicture(int w, int h)
{
    auto *p = new TPicture;
    p->SetImage(QImage(w, h, QImage::Format_RGB32));
    return p;
}

} // namespace

TEST(CellGraphic, AngleIsBroughtIntoZeroTo360)
{
    const struct { int in, out; } cases[] = {
        {-450, 270}, {720, 360}, {360, 360}, {-90, 270}, {450, 90}, {0, 0}, {-360, 0}, {361, 1}};
    for (const auto &c : cases) {
        TCellGraphic g;
        g.SetAngle(c.in);
        EXPECT_EQ(g.CellType, ctRotated);
        EXPECT_EQ(g.CellAngle, c.out) << c.in;
    }
}

TEST(CellGraphic, PictureSizeByStretchMode)
{
    const struct { int w, h; TStretchMode mode; QSize expected; } cases[] = {
        {100, 50, Stretch, {60, 60}},
        {100, 50, Shrink, {60, 60}},
        {100, 50, StretchWithAspectRatio, {60, 30}},
        {100, 50, ShrinkWithAspectRatio, {60, 30}},
        {100, 50, noStretch, {100, 50}},
        {20, 10, ShrinkWithAspectRatio, {20, 10}},
        {20, 10, StretchWithAspectRatio, {60, 30}},
        {20, 10, Shrink, {20, 10}},
        {10, 20, StretchWithAspectRatio, {30, 60}},
    };
    for (const auto &c : cases) {
        TCellGraphic g;
        g.SetPicture(MakePicture(c.w, c.h), false, c.mode, 0, haLeft, vaTop);
        g.CellCreated = true;
        QSize size(-1, -1);
        g.GetPictureSize(60, 60, true, size);
        EXPECT_EQ(size, c.expected) << c.w << "x" << c.h << " mode " << c.mode;
    }

    // Padding comes off the available space; other cell types leave the size alone.
    TCellGraphic padded;
    padded.SetPicture(MakePicture(100, 50), false, Stretch, 10, haLeft, vaTop);
    padded.CellCreated = true;
    QSize size;
    padded.GetPictureSize(60, 60, false, size);
    EXPECT_EQ(size, QSize(50, 50));
    TCellGraphic text;
    text.SetAngle(90);
    size = QSize(7, 7);
    text.GetPictureSize(60, 60, false, size);
    EXPECT_EQ(size, QSize(7, 7));
}

TEST(CellGraphic, PassedInObjectsStayTheCallersUnlessHandedOver)
{
    bool destroyed = false;
    TWatchedBitmap bitmap(&destroyed);
    {
        TCellGraphic g;
        g.SetBitmap(&bitmap, true, haCenter, vaCenter);
    }
    EXPECT_FALSE(destroyed);

    bool ownedDestroyed = false;
    {
        TCellGraphic g;
        g.SetBitmap(new TWatchedBitmap(&ownedDestroyed), true, haCenter, vaCenter);
        g.CellCreated = true;
    }
    EXPECT_TRUE(ownedDestroyed);

    // A check box frees its glyph only when it owns it (CellAngle 1).
    bool glyphDestroyed = false;
    {
        TCellGraphic g;
        g.SetCheckBox(true, false, false, haLeft, vaTop);
        g.CellBitmap = &bitmap;
    }
    EXPECT_FALSE(destroyed);
    {
        TCellGraphic g;
        g.SetCheckBox(true, false, false, haLeft, vaTop);
        g.CellBitmap = new TWatchedBitmap(&glyphDestroyed);
        g.CellAngle = 1;
    }
    EXPECT_TRUE(glyphDestroyed);

    // The image-index list is made and owned by the graphic.
    TCellGraphic images;
    int changedCol = -1, changedRow = -1;
    images.SetMultiImage(3, 4, true, haLeft, vaTop, [&](TObject *, int c, int r) {
        changedCol = c;
        changedRow = r;
    });
    EXPECT_EQ(images.CellType, ctImages);
    EXPECT_FALSE(images.CellBoolean);
    static_cast<TIntList *>(images.CellBitmap)->Add(2);
    EXPECT_EQ(changedCol, 3);
    EXPECT_EQ(changedRow, 4);
}

TEST(CellGraphic, SettersAndCopies)
{
    TCellGraphic button;
    button.SetButton(80, 20, "Go", haRight, vaBottom);
    EXPECT_EQ(button.CellType, ctButton);
    EXPECT_EQ(button.CellIndex & 0xFFFF, 80);
    EXPECT_EQ(button.CellIndex >> 16, 20);
    EXPECT_EQ(button.CellText, "Go");

    TCellGraphic check;
    check.SetCheckBox(true, true, true, haCenter, vaCenter);
    EXPECT_EQ(check.CellType, ctDataCheckBox);
    EXPECT_TRUE(check.CellBoolean);
    EXPECT_TRUE(check.CellTransparent);

    TCellGraphic tri;
    tri.SetCheckBox(cbGrayed, false, haLeft, vaTop);
    tri.CellValue = 2.5;
    tri.CellErrFrom = 3;
    tri.CellVar = 7;
    TCellGraphic copy;
    copy.Assign(&tri);
    EXPECT_EQ(copy.CellType, ctTriStateCheckBox);
    EXPECT_EQ(copy.CellCheckBoxState, cbGrayed);
    EXPECT_EQ(copy.CellValue, 2.5);
    EXPECT_EQ(copy.CellErrFrom, 3);
    EXPECT_FALSE(copy.CellVar.isValid());
    EXPECT_EQ(copy.ClassName(), "TCellGraphic");
}

TEST(GridMessages, RegisteredOnceAndDistinct)
{
    EXPECT_EQ(GridEditDoneMessage(), GridEditDoneMessage());
    EXPECT_NE(GridEditDoneMessage(), DTPShiftFocusMessage());
    EXPECT_GE(int(GridEditDoneMessage()), int(QEvent::User));
    EXPECT_FALSE(GridCellsClipboardFormat().isEmpty());
}
