// The cell graphic store: kinds, queries, removal and the space a graphic takes.
#include "paintfixture.h"

#include "grid/base/imagelist.h"

namespace {

using GraphicsTest = PaintFixture;

TEST_F(GraphicsTest, CommentKindsAndTheCommentProperty)
{
    EXPECT_EQ(grid->GetCellType(2, 2), ctEmpty);
    EXPECT_EQ(grid->GetCellType(-1, 2), ctEmpty);
    grid->AddComment(2, 2, QStringLiteral("note"));
    EXPECT_EQ(grid->GetCellType(2, 2), ctComment);
    EXPECT_EQ(grid->CellComment(2, 2), QStringLiteral("note"));
    EXPECT_EQ(grid->Cells(2, 2), QStringLiteral("r2c2"));   // the text stays
    EXPECT_TRUE(grid->RemoveComment(2, 2));
    EXPECT_EQ(grid->GetCellType(2, 2), ctEmpty);

    // Writing the property: a new comment on a plain cell, nothing on another graphic.
    grid->SetCellComment(3, 2, QStringLiteral("new"));
    EXPECT_EQ(grid->GetCellGraphic(3, 2)->CellIndex, int32_t(grid->ControlLook().CommentColor()));
    TBitmap bmp;
    grid->AddBitmap(3, 3, &bmp, false, haLeft, vaTop);
    grid->SetCellComment(3, 3, QStringLiteral("ignored"));
    EXPECT_EQ(grid->GetCellType(3, 3), ctBitmap);
    EXPECT_EQ(grid->CellComment(3, 3), QString());
}

TEST_F(GraphicsTest, ImageOperationsNeedAnImageList)
{
    int idx = -1;
    grid->AddImageIdx(2, 2, 3, haLeft, vaTop);
    EXPECT_EQ(grid->GetCellType(2, 2), ctEmpty);
    EXPECT_FALSE(grid->HasCellProperties(2, 2));
    EXPECT_FALSE(grid->GetImageIdx(2, 2, idx));

    TCustomImageList images(16, 16);
    grid->SetGridImages(&images);
    grid->AddImageIdx(2, 2, 3, haLeft, vaTop);
    ASSERT_TRUE(grid->GetImageIdx(2, 2, idx));
    EXPECT_EQ(idx, 3);
    grid->SetImageIdx(2, 2, 5);
    EXPECT_TRUE(grid->GetImageIdx(2, 2, idx));
    EXPECT_EQ(idx, 5);

    // A data image keeps a number already in the cell and writes its index into an empty one.
    grid->SetCells(3, 2, QStringLiteral("7"));
    grid->AddDataImage(3, 2, 2, haLeft, vaTop);
    EXPECT_EQ(grid->Cells(3, 2), QStringLiteral("7"));
    grid->SetCells(3, 3, QString());
    grid->AddDataImage(3, 3, 2, haLeft, vaTop);
    EXPECT_EQ(grid->Cells(3, 3), QStringLiteral("2"));
    grid->RemoveDataImage(3, 3);
    EXPECT_EQ(grid->Cells(3, 3), QString());
    EXPECT_FALSE(grid->HasDataImage(3, 3));
    grid->SetGridImages(nullptr);
}

TEST_F(GraphicsTest, MarkersRotationShapesAndBalloons)
{
    TBitmap bmp;
    grid->AddBitmap(2, 2, &bmp, false, haLeft, vaTop);
    grid->AddMarker(2, 2, 1, 3);
    EXPECT_EQ(grid->GetCellType(2, 2), ctBitmap);
    int from = 0, len = 0;
    grid->GetMarker(2, 2, from, len);
    EXPECT_EQ(std::pair(from, len), std::pair(1, 3));
    grid->RemoveMarker(2, 2);
    EXPECT_EQ(grid->GetCellType(2, 2), ctBitmap);
    grid->GetMarker(2, 2, from, len);
    EXPECT_EQ(std::pair(from, len), std::pair(0, 0));
    // A marker alone is removed with its graphic.
    grid->AddMarker(3, 2, 0, 2);
    EXPECT_EQ(grid->GetCellType(3, 2), ctEmpty);
    EXPECT_NE(grid->GetCellGraphic(3, 2), nullptr);
    grid->RemoveMarker(3, 2);
    EXPECT_EQ(grid->GetCellGraphic(3, 2), nullptr);

    int angle = 0;
    for (auto [in, out] : {std::pair(-30, 330), std::pair(720, 360), std::pair(45, 45)}) {
        grid->SetRotated(4, 2, in);
        ASSERT_TRUE(grid->IsRotated(4, 2, angle));
        EXPECT_EQ(angle, out) << in;
    }

    EXPECT_EQ(grid->GetShapeColor(1, 3), clNone);
    grid->AddShape(1, 3, csRectangle, 0x00FF00, clBlack, haLeft, vaTop);
    EXPECT_EQ(grid->GetShapeColor(1, 3), 0x00FF00u);

    QString title, text;
    TBalloonIcon icon = biNone;
    grid->AddBalloon(2, 2, QStringLiteral("t"), QStringLiteral("x"), biInfo);
    EXPECT_EQ(grid->GetCellType(2, 2), ctBitmap);
    EXPECT_FALSE(grid->IsBalloon(2, 2, title, text, icon));
    grid->AddCheckBox(2, 4, true, false);
    grid->AddBalloon(2, 4, QStringLiteral("t"), QStringLiteral("x"), biWarning);
    EXPECT_EQ(grid->GetCellType(2, 4), ctCheckBox);
    EXPECT_FALSE(grid->HasBalloon(2, 4));
    ASSERT_TRUE(grid->IsBalloon(2, 4, title, text, icon));
    EXPECT_EQ(std::tuple(title, text, icon), std::tuple(QString("t"), QString("x"), biWarning));
    grid->RemoveBalloon(2, 4);
    EXPECT_FALSE(grid->IsBalloon(2, 4, title, text, icon));
    EXPECT_EQ(grid->GetCellType(2, 4), ctCheckBox);
}

TEST_F(GraphicsTest, ScrollBarExpandAndButtons)
{
    EXPECT_EQ(grid->GetScrollPosition(2, 2), -1);
    grid->AddScrollBar(2, 2, false);
    grid->SetScrollPosition(2, 2, 30);
    grid->SetScrollProp(2, 2, TScrollProp{10, 200});
    EXPECT_EQ(grid->GetScrollPosition(2, 2), 30);
    EXPECT_EQ(grid->GetScrollProp(2, 2).Range, 200);

    EXPECT_EQ(grid->GetExpandHeight(3, 2, true), grid->DefaultRowHeight());
    grid->AddExpand(3, 2, 60);
    EXPECT_FALSE(grid->GetExpandState(3, 2));
    EXPECT_TRUE(grid->ToggleExpand(3, 2));
    EXPECT_EQ(grid->GetExpandHeight(3, 2, true), 60);
    grid->DoExpandClick(3, 2, true);
    EXPECT_EQ(grid->RowHeights(2), 60);
    const TRect cell = grid->CellRect(3, 2);
    EXPECT_EQ(grid->GetExpandButtonRect(3, 2),
              TRect(cell.Right - 13, cell.Top + 2, cell.Right - 2, cell.Top + 13));

    grid->AddButton(4, 3, 30, 16, QStringLiteral("Go"), haLeft, vaTop);
    EXPECT_TRUE(grid->HasButton(4, 3));
    grid->SetButtonText(4, 3, QStringLiteral("Stop"));
    EXPECT_EQ(grid->GetButtonText(4, 3), QStringLiteral("Stop"));
    EXPECT_EQ(grid->GetCellButtonRect(4, 3).Width(), 30);
    EXPECT_EQ(grid->GetCellButtonRect(4, 3).Height(), 16);
    grid->RemoveAllButtons();
    EXPECT_FALSE(grid->HasButton(4, 3));
}

TEST_F(GraphicsTest, ScreenSizeByKind)
{
    grid->SetCells(2, 2, QStringLiteral("text"));
    TBitmap bmp;
    bmp.SetImage(QImage(12, 9, QImage::Format_RGB32));
    struct Case
    {
        const char *name;
        std::function<void()> add;
        TPoint size;
    } cases[] = {
        {"bitmap beside text, left", [&] { grid->AddBitmap(2, 2, &bmp, false, haLeft, vaTop); },
         {0, 0}},
        {"bitmap before text", [&] { grid->AddBitmap(2, 2, &bmp, false, haBeforeText, vaTop); },
         {12, 0}},
        {"bitmap above text", [&] { grid->AddBitmap(2, 2, &bmp, false, haLeft, vaAboveText); },
         {0, 9}},
        {"check box", [&] { grid->AddCheckBox(2, 2, true, false); }, {15, 15}},
        {"progress pie", [&] { grid->AddProgressPie(2, 2, clRed, 40); }, {20, 20}},
        {"rating", [&] { grid->AddRating(2, 2, 5, clRed, clGray); }, {90, 16}},
        {"comment", [&] { grid->AddComment(2, 2, QStringLiteral("c")); }, {0, 0}},
        {"full-width bitmap", [&] { grid->AddBitmap(2, 2, &bmp, false, haFull, vaFull); },
         grid->CellSize(2, 2)},
    };
    for (const Case &c : cases) {
        c.add();
        const TPoint s = grid->GetCellGraphicSize(2, 2);
        EXPECT_EQ(s.X, c.size.X) << c.name;
        EXPECT_EQ(s.Y, c.size.Y) << c.name;
        grid->RemoveCellGraphic(2, 2);
    }
}

TEST_F(GraphicsTest, RatingChangeAsksTheHandler)
{
    double rate = 3;
    EXPECT_TRUE(grid->DoRatingChange(1, 1, rate));
    grid->OnRatingChange = [](TObject *, int, int, double &r, bool &allow) {
        allow = r < 4;
        r = 2.5;
    };
    rate = 5;
    EXPECT_FALSE(grid->DoRatingChange(1, 1, rate));
    EXPECT_EQ(rate, 2.5);
}

}   // namespace
