// The image picker: items from an image list and a folder, selection events, the open list's
// keys and cancel, and the edit's picture.
#include "controls/dropdown/dropdownscreen.h"
#include "controls/dropdown/imagepicker.h"
#include "grid/base/imagelist.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace {

QImage Filled(int W, int H, QColor C)
{
    QImage img(W, H, QImage::Format_RGB32);
    img.fill(C);
    return img;
}

class ImagePickerTest : public ::testing::Test
{
protected:
    TFakeDropDownScreenGuard Screen;
    TCustomImageList List{16, 16};
    TDazImagePickerDropDown Picker;
    QStringList Log;

    ImagePickerTest()
    {
        for (QColor c : {Qt::red, Qt::green, Qt::blue, Qt::yellow, Qt::cyan})
            List.Add(Filled(16, 16, c));
        Picker.Images = &List;
        Picker.OnChange = [this](TObject *) { Log << "change " + QString::number(Picker.ItemIndex()); };
        Picker.OnSelect = [this](TObject *) { Log << "select " + QString::number(Picker.ItemIndex()); };
        Picker.move(10, 100);
        Picker.show();
    }
    ~ImagePickerTest() override { Picker.HideDropDown(false); }
    void Key(int K, Qt::KeyboardModifiers M = Qt::NoModifier, const QString &Text = {})
    {
        QKeyEvent e(QEvent::KeyPress, K, M, Text);
        QApplication::sendEvent(&Picker, &e);
    }
};

TEST_F(ImagePickerTest, ItemsFromTheImageListAndImageIndex)
{
    EXPECT_EQ(Picker.Items().Count(), 0);
    Picker.AddImagesFromImageList();
    ASSERT_EQ(Picker.Items().Count(), 5);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(Picker.Items().Items(i)->ImageIndex(), i);
        EXPECT_EQ(Picker.Items().Items(i)->Caption(), "");
    }
    Picker.SetImageIndex(3);
    EXPECT_EQ(Picker.ItemIndex(), 3);
    EXPECT_EQ(Picker.ImageIndex(), 3);
    Picker.SetImageIndex(7);
    EXPECT_EQ(Picker.ItemIndex(), -1);
    EXPECT_EQ(Picker.ImageIndex(), -1);
    Picker.Images = nullptr;
    Picker.AddImagesFromImageList();   // nothing without a list
    EXPECT_EQ(Picker.Items().Count(), 5);
}

TEST_F(ImagePickerTest, AChangeFiresChangeThenSelectAndTheSameIndexNothing)
{
    Picker.AddImagesFromImageList();
    Picker.SetItemIndex(2);
    Picker.SetItemIndex(2);
    Picker.SetItemIndex(9);   // beyond the items
    EXPECT_EQ(Log, QStringList({"change 2", "select 2"}));
}

TEST_F(ImagePickerTest, AFolderGivesOneItemPerEntry)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const char *name : {"a.png", "b.png", "c.png"})
        ASSERT_TRUE(Filled(8, 6, Qt::red).save(dir.filePath(name)));
    QFile text(dir.filePath("notes.txt"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a picture");
    text.close();
    Picker.AddImagesFromFolder(dir.filePath("*"), false);
    ASSERT_EQ(Picker.Items().Count(), 4);
    EXPECT_EQ(Picker.Items().Items(0)->Image().Width(), 8);
    EXPECT_EQ(Picker.Items().Items(0)->Caption(), "");
    EXPECT_TRUE(Picker.Items().Items(3)->Image().Empty());
    Picker.AddImagesFromFolder(dir.filePath("*"), true);   // appended, with names
    ASSERT_EQ(Picker.Items().Count(), 8);
    EXPECT_EQ(Picker.Items().Items(4)->Caption(), "a.png");
    EXPECT_EQ(Picker.Items().Items(7)->Caption(), "");
    EXPECT_TRUE(Picker.Items().Items(7)->Image().Empty());
    Picker.AddImagesFromFolder(dir.filePath("*.png"), true);
    EXPECT_EQ(Picker.Items().Count(), 11);
    // A sub-folder matching the mask is an entry too, without a picture.
    ASSERT_TRUE(QDir(dir.path()).mkdir("d.png"));
    Picker.AddImagesFromFolder(dir.filePath("*.png"), true);
    ASSERT_EQ(Picker.Items().Count(), 15);
    EXPECT_TRUE(Picker.Items().Items(14)->Image().Empty());
    EXPECT_EQ(Picker.Items().Items(14)->Caption(), "");
    Picker.AddImagesFromFolder(dir.filePath("missing/*.png"), true);
    EXPECT_EQ(Picker.Items().Count(), 15);
}

TEST_F(ImagePickerTest, EscAfterMovingRestoresTheIndexOfTheOpening)
{
    Picker.AddImagesFromImageList();
    for (int opening : {-1, 1}) {
        if (opening >= 0)
            Picker.SetItemIndex(opening);
        Picker.ShowDropDown();
        ASSERT_TRUE(Picker.DroppedDown());
        EXPECT_EQ(Picker.ItemSelector()->Items().Count(), 5);
        Key(Qt::Key_Down);
        Key(Qt::Key_Down);
        EXPECT_TRUE(Picker.DroppedDown());
        EXPECT_NE(Picker.ItemIndex(), opening);
        Key(Qt::Key_Escape);
        EXPECT_FALSE(Picker.DroppedDown());
        EXPECT_EQ(Picker.ItemIndex(), opening);
    }
}

TEST_F(ImagePickerTest, KeysWhileClosedAndEnter)
{
    Picker.AddImagesFromImageList();
    Key(Qt::Key_Down);
    EXPECT_EQ(Picker.ItemIndex(), 0);
    Key(Qt::Key_Down);
    Key(Qt::Key_End);
    EXPECT_EQ(Picker.ItemIndex(), 4);
    Key(Qt::Key_Up);
    EXPECT_EQ(Picker.ItemIndex(), 3);
    Key(Qt::Key_Home);
    EXPECT_EQ(Picker.ItemIndex(), 0);
    Log.clear();
    Key(Qt::Key_Return);
    EXPECT_EQ(Log, QStringList({"select 0"}));
    Key(Qt::Key_Down, Qt::AltModifier);   // opens, nothing else
    EXPECT_TRUE(Picker.DroppedDown());
    EXPECT_EQ(Picker.ItemIndex(), 0);
    Picker.ItemSelector()->HotNext();
    Picker.ItemSelector()->HotNext();
    Log.clear();
    Key(Qt::Key_Return);   // takes the hot item and closes
    EXPECT_FALSE(Picker.DroppedDown());
    EXPECT_EQ(Picker.ItemIndex(), 1);
    EXPECT_EQ(Log, QStringList({"change 1", "select 1"}));
}

TEST_F(ImagePickerTest, TypeAheadFindsACaptionInTheOpenList)
{
    for (const char *c : {"Apple", "Banana", "Cherry"})
        Picker.Items().Add()->SetCaption(c);
    Picker.ShowDropDown();
    Key(Qt::Key_C, Qt::NoModifier, "c");
    EXPECT_EQ(Picker.ItemIndex(), 2);
    EXPECT_TRUE(Picker.DroppedDown());
    EXPECT_EQ(Picker.CurSearch(), "C");
    Key(Qt::Key_PageUp);
    EXPECT_EQ(Picker.ItemIndex(), 0);
}

TEST_F(ImagePickerTest, WheelStepsWhileClosedAndMovesTheHotItemWhileOpen)
{
    Picker.AddImagesFromImageList();
    auto wheel = [&](int Delta) {
        QWheelEvent e(QPointF(5, 5), Picker.mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, Delta),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&Picker, &e);
    };
    Picker.ShowDropDown();
    wheel(-120);
    wheel(-120);
    EXPECT_EQ(Picker.ItemSelector()->ItemHot(), 1);
    EXPECT_EQ(Picker.ItemIndex(), -1);
    Picker.HideDropDown(false);
    wheel(-120);   // closed: the selection, without closing anything
    wheel(-120);
    wheel(120);
    EXPECT_EQ(Picker.ItemIndex(), 0);
    Picker.setEnabled(false);
    wheel(-120);
    EXPECT_EQ(Picker.ItemIndex(), 0);
}

TEST_F(ImagePickerTest, TheEditShowsTheSelectedPictureCentred)
{
    Picker.resize(200, 25);
    Picker.AddImagesFromImageList();
    Picker.Items().Items(1)->Image().SetImage(Filled(10, 8, Qt::magenta));
    const TRect r = Picker.GetEditRect();
    auto render = [&] {
        QImage img(Picker.size(), QImage::Format_RGB32);
        img.fill(Qt::white);
        Picker.render(&img);
        return img;
    };
    Picker.SetItemIndex(2);   // a list image, 16 x 16
    QImage img = render();
    const int lx = r.Left + (r.Width() - 16) / 2, ly = r.Top + (r.Height() - 16) / 2;
    EXPECT_EQ(img.pixelColor(lx, ly), QColor(Qt::blue));
    EXPECT_EQ(img.pixelColor(lx + 15, ly + 15), QColor(Qt::blue));
    EXPECT_NE(img.pixelColor(lx - 1, ly), QColor(Qt::blue));
    Picker.SetItemIndex(1);   // its own picture wins
    img = render();
    const int px = r.Left + (r.Width() - 10) / 2, py = r.Top + (r.Height() - 8) / 2;
    EXPECT_EQ(img.pixelColor(px, py), QColor(Qt::magenta));
    EXPECT_NE(img.pixelColor(lx, ly), QColor(Qt::green));
    TRect given;
    Picker.OnDrawSelectedImage = [&](TObject *, TCanvas &, const TRect &R) { given = R; };
    img = render();
    EXPECT_EQ(given, r);
    EXPECT_NE(img.pixelColor(px, py), QColor(Qt::magenta));
}

TEST_F(ImagePickerTest, TheOpenListTakesTheItemsWithTheirLook)
{
    Picker.AddImagesFromImageList();
    Picker.Columns = 2;
    Picker.SetItemIndex(4);
    int drawn = 0;
    Picker.OnDrawItem = [&](TObject *Sender, TCanvas &, const TRect &, int) {
        EXPECT_EQ(Sender, &Picker);
        ++drawn;
    };
    Picker.ShowDropDown();
    TDazCustomItemSelector *list = Picker.ItemSelector();
    EXPECT_EQ(list->Columns(), 2);
    EXPECT_EQ(list->SelectorType(), stImage);
    EXPECT_EQ(list->ItemIndex(), 4);
    // 16 x 16 pictures without captions: 24-pixel cells, two a row, three rows.
    EXPECT_EQ(list->GetPanelSize(), QSize(2 + 48 + 2, 2 + 72 + 2));
    QImage img(list->GetPanelSize(), QImage::Format_RGB32);
    list->Panel()->render(&img);
    EXPECT_EQ(drawn, 5);
    Key(Qt::Key_Up);   // a row up
    EXPECT_EQ(Picker.ItemIndex(), 2);
}

}   // namespace
