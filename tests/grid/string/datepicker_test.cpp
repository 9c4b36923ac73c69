#include "grid/string/datetimepicker.h"
#include "editortest.h"

#include "grid/base/styledetect.h"
#include "platform/theme.h"

#include <QCheckBox>
#include <QLabel>

namespace {

// 5 March 2024, 10:20:30.
TDateTime March5()
{
    return EncodeDate(2024, 3, 5) + EncodeTime(10, 20, 30, 0);
}

struct PickerFixture : EditorFixture {
    void Flush() { QApplication::sendPostedEvents(); }
};

// ---- the platform picker ----------------------------------------------------------------

TEST_F(PickerFixture, KeepsTheWholeValueWhateverItShows)
{
    TDateTimePicker p(&window);
    EXPECT_EQ(p.FrameworkKind(), dtkDate);
    EXPECT_TRUE(p.calendarPopup());
    EXPECT_TRUE(p.Checked());
    EXPECT_FALSE(p.ShowCheckbox());
    p.SetPickerDateTime(March5());
    EXPECT_EQ(p.Text(), "05/03/2024");
    p.SetPickerDate(EncodeDate(2025, 1, 2));
    EXPECT_DOUBLE_EQ(p.PickerDateTime(), EncodeDate(2025, 1, 2) + EncodeTime(10, 20, 30, 0));
    p.SetFrameworkKind(dtkTime);
    EXPECT_FALSE(p.calendarPopup());
    EXPECT_EQ(p.Text(), "10:20:30");
    p.SetPickerFormat("HH:mm");
    EXPECT_EQ(p.Text(), "10:20");
    p.SetPickerTime(EncodeTime(8, 5, 0, 0));
    EXPECT_DOUBLE_EQ(p.PickerDate(), EncodeDate(2025, 1, 2));
    p.SetDateMode(dmUpDown);
    p.SetFrameworkKind(dtkDate);
    EXPECT_FALSE(p.calendarPopup());
}

TEST_F(PickerFixture, UserEditsFireOnChangeAndKeepTheOtherPart)
{
    TDateTimePicker p(&window);
    p.SetPickerDateTime(March5());
    int changes = 0;
    p.OnChange = [&](TObject *) { ++changes; };
    p.SetPickerDateTime(March5() + 1);
    EXPECT_EQ(changes, 0);
    Show();
    p.setFocus();
    p.setSelectedSection(QDateTimeEdit::DaySection);
    Key(&p, Qt::Key_Up);
    EXPECT_EQ(changes, 1);
    EXPECT_DOUBLE_EQ(p.PickerDateTime(), March5() + 2);
    p.setSelectedSection(QDateTimeEdit::DaySection);
    Keys(&p, "1");
    EXPECT_EQ(p.Text(), "1/03/2024");
    EXPECT_DOUBLE_EQ(p.PickerTime(), EncodeTime(10, 20, 30, 0));

    p.OnKeyDown = [](TObject *, uint16_t &k, TShiftState) {
        if (k == VK_UP)
            k = 0;
    };
    const TDateTime before = p.PickerDateTime();
    Key(&p, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(p.PickerDateTime(), before);
}

TEST_F(PickerFixture, CheckBoxSwitchesTheValueOff)
{
    TDateTimePicker p(&window);
    p.resize(150, 24);
    int changes = 0;
    p.OnChange = [&](TObject *) { ++changes; };
    p.SetShowCheckbox(true);
    ASSERT_NE(p.CheckBox(), nullptr);
    EXPECT_TRUE(p.CheckBox()->isChecked());
    p.CheckBox()->click();
    EXPECT_FALSE(p.Checked());
    EXPECT_TRUE(p.isReadOnly());
    EXPECT_EQ(changes, 1);
    p.SetChecked(true);
    EXPECT_FALSE(p.isReadOnly());
    EXPECT_EQ(changes, 1);
}

TEST_F(PickerFixture, CalendarOpenAndClose)
{
    TDateTimePicker p(&window);
    int downs = 0, ups = 0;
    p.OnDropDown = [&](TObject *) { ++downs; };
    p.OnCloseUp = [&](TObject *) { ++ups; };
    Show();
    p.SetDroppedDown(true);
    EXPECT_TRUE(p.DroppedDown());
    EXPECT_EQ(downs, 1);
    p.SetDroppedDown(false);
    EXPECT_FALSE(p.DroppedDown());
    EXPECT_EQ(ups, 1);
    p.setFocus();
    Key(&p, Qt::Key_F4);
    EXPECT_TRUE(p.DroppedDown());
    EXPECT_EQ(downs, 2);
}

// ---- the flat picker --------------------------------------------------------------------

struct FlatPickerFixture : PickerFixture {
    TRudDateTimePicker *rud = new TRudDateTimePicker(&window);
    TDateTimePicker *plain = new TDateTimePicker(&window);

    FlatPickerFixture()
    {
        window.setPalette(QPalette(QColor(0xC0, 0xC0, 0xC0)));
        for (TDateTimePicker *p : {static_cast<TDateTimePicker *>(rud), plain}) {
            p->resize(150, 24);
            p->SetPickerDateTime(March5());
        }
        rud->move(200, 100);
        plain->move(200, 150);
        auto *sink = new QWidget(&window);
        sink->setFocusPolicy(Qt::StrongFocus);
        Show();
        sink->setFocus();
    }
};

TEST_F(FlatPickerFixture, VersionIsFixed)
{
    rud->SetVersion("9.9.9.9");
    EXPECT_EQ(rud->Version(), "1.0.0.0");
    EXPECT_EQ(rud->BorderStyle(), bsNone);
    EXPECT_EQ(rud->BorderColor(), clNone);
    EXPECT_TRUE(rud->Ctl3D());
    EXPECT_FALSE(rud->MetroStyle());
}

TEST_F(FlatPickerFixture, WithoutFlatLookItPaintsAsThePlatformPicker)
{
    EXPECT_EQ(RenderWidget(*rud), RenderWidget(*plain));
    rud->SetCtl3D(false);
    plain->SetCtl3D(false);
    EXPECT_EQ(RenderWidget(*rud), RenderWidget(*plain));   // no border colour: no frame
}

TEST_F(FlatPickerFixture, FlatFramePen)
{
    rud->SetCtl3D(false);
    rud->SetBorderColor(clRed);
    EXPECT_EQ(PixelAt(RenderWidget(*rud), 0, 0), 0xC0C0C0);   // bsNone: the parent's colour
    rud->SetBorderStyle(bsSingle);
    const QImage img = RenderWidget(*rud);
    EXPECT_EQ(PixelAt(img, 0, 0), clRed);
    EXPECT_EQ(PixelAt(img, 149, 22), clRed);
    EXPECT_EQ(PixelAt(img, 148, 23), clRed);
    EXPECT_EQ(PixelAt(img, 1, 5), 0xC0C0C0);
}

TEST_F(FlatPickerFixture, MetroButtonAndBorder)
{
    TFakeThemePlatformGuard guard;   // a Vista-generation platform without an active theme
    UnbindThemeLibrary();
    rud->SetMetroStyle(true);
    rud->ButtonColor = clRed;
    rud->ButtonTextColor = clBlue;
    rud->SetBorderColor(clNavy);
    QImage img = RenderWidget(*rud);
    const int left = 150 - rud->ButtonWidth() + 3;
    EXPECT_EQ(PixelAt(img, 0, 0), clNavy);
    EXPECT_EQ(PixelAt(img, left + 4, 4), clRed);
    EXPECT_EQ(PixelAt(img, left + 8, 1 + 8), clBlue);   // inside the arrow
    rud->SetFrameworkKind(dtkTime);
    img = RenderWidget(*rud);
    EXPECT_NE(PixelAt(img, left + 4, 4), clRed);
    EXPECT_EQ(PixelAt(img, 0, 0), clNavy);
    UnbindThemeLibrary();
}

TEST_F(FlatPickerFixture, MetroThemedButton)
{
    TFakeThemePlatformGuard guard;
    guard.Fake.LibraryPresent = true;
    guard.Fake.ThemeActive = true;
    UnbindThemeLibrary();
    TRudDateTimePicker p(&window);
    p.resize(150, 24);
    p.SetMetroStyle(true);
    RenderWidget(p);
    ASSERT_FALSE(guard.Fake.Draws.empty());
    EXPECT_EQ(guard.Fake.Draws.back().Class, "combobox");
    EXPECT_EQ(guard.Fake.Draws.back().State, 1);
    UnbindThemeLibrary();
}

// ---- the date-time picker ---------------------------------------------------------------

TEST_F(PickerFixture, EmbeddedPartNeverDrawsTheMetroLook)
{
    TFakeThemePlatformGuard guard;
    UnbindThemeLibrary();
    TCustomDateTimePicker part(&window);
    EXPECT_FALSE(part.Ctl3D());
    EXPECT_EQ(part.BorderColor(), clBlack);
    EXPECT_EQ(part.BorderStyle(), bsNone);
    EXPECT_FALSE(part.AutoTab());
    EXPECT_TRUE(part.IsEmbeddedPart());
    part.resize(150, 24);
    part.SetMetroStyle(true);
    part.ButtonColor = clRed;
    const QImage img = RenderWidget(part);
    EXPECT_EQ(CountPixels(img, TRect(0, 0, 150, 24), clRed), 0);
    UnbindThemeLibrary();
}

TEST_F(PickerFixture, AutoTabMovesOnWhenATimeFieldChanged)
{
    TCustomDateTimePicker p(&window);
    p.SetFrameworkKind(dtkTime);
    p.SetPickerDateTime(March5());
    p.SetAutoTab(true);
    Show();
    p.setFocus();
    p.setSelectedSection(QDateTimeEdit::HourSection);
    Keys(&p, "1");   // 1 may still become 1x
    Flush();
    EXPECT_EQ(p.currentSection(), QDateTimeEdit::HourSection);
    Keys(&p, "3");
    Flush();
    EXPECT_EQ(p.currentSection(), QDateTimeEdit::MinuteSection);
    EXPECT_EQ(p.Text(), "13:20:30");
    Keys(&p, "7");   // no minute starts with 7
    Flush();
    EXPECT_EQ(p.currentSection(), QDateTimeEdit::SecondSection);
}

struct DazFixture : PickerFixture {
    TDazDateTimePicker *dtp = new TDazDateTimePicker(&window);
    DazFixture() { dtp->setGeometry(150, 50, 220, 24); }
};

TEST_F(DazFixture, Defaults)
{
    EXPECT_EQ(dtp->Kind(), dkDateTime);
    ASSERT_NE(dtp->TimePicker(), nullptr);
    EXPECT_EQ(dtp->TimePicker()->FrameworkKind(), dtkTime);
    dtp->SetVersion("0.0.0.1");
    EXPECT_EQ(dtp->Version(), "1.2.0.0");
    EXPECT_EQ(dtp->BorderStyle(), bsSingle);
    EXPECT_TRUE(dtp->Ctl3D());
    EXPECT_FALSE(dtp->MetroStyle());
    EXPECT_FALSE(dtp->IsEmbeddedPart());
    EXPECT_EQ(dtp->LabelMargin(), 4);
    EXPECT_EQ(dtp->TimeFormat(), "");
    EXPECT_EQ(dtp->PickerLabel(), nullptr);
}

TEST_F(DazFixture, DateAndTimeGoToTheirParts)
{
    dtp->SetDateTime(March5() + EncodeTime(0, 0, 0, 450));
    EXPECT_DOUBLE_EQ(dtp->DateTime(), March5());
    EXPECT_EQ(dtp->Text(), "05/03/2024");
    EXPECT_EQ(dtp->TimePicker()->Text(), "10:20:30");
    dtp->SetDate(EncodeDate(2025, 12, 24));
    EXPECT_DOUBLE_EQ(dtp->DateTime(), EncodeDate(2025, 12, 24) + EncodeTime(10, 20, 30, 0));
    dtp->TimePicker()->SetPickerTime(EncodeTime(7, 0, 0, 0));
    EXPECT_DOUBLE_EQ(dtp->Time(), EncodeTime(7, 0, 0, 0));
    EXPECT_DOUBLE_EQ(dtp->DateTime(), EncodeDate(2025, 12, 24) + EncodeTime(7, 0, 0, 0));
    dtp->resize(230, 24);   // a new layout keeps the time typed into the part
    EXPECT_DOUBLE_EQ(dtp->Time(), EncodeTime(7, 0, 0, 0));
    dtp->SetTimeFormat("HH:mm");
    EXPECT_EQ(dtp->TimePicker()->Text(), "07:00");
}

TEST_F(DazFixture, KindMakesAndFreesTheTimePart)
{
    dtp->SetKind(dkTime);
    EXPECT_EQ(dtp->TimePicker(), nullptr);
    EXPECT_EQ(dtp->FrameworkKind(), dtkTime);
    dtp->SetKind(dkDate);
    EXPECT_EQ(dtp->TimePicker(), nullptr);
    EXPECT_EQ(dtp->FrameworkKind(), dtkDate);
    dtp->SetKind(dkDateTime);
    ASSERT_NE(dtp->TimePicker(), nullptr);
    Show();
    QApplication::processEvents();
    const QRect part = dtp->TimePicker()->geometry();
    EXPECT_TRUE(dtp->rect().contains(part)) << part.x() << "," << part.y() << " " << part.width();
    EXPECT_GT(part.left(), 100);
}

TEST_F(DazFixture, TimePartEditsReportAsTheirPicker)
{
    dtp->SetDateTime(March5());
    std::vector<TObject *> changes, timeChanges;
    dtp->OnChange = [&](TObject *s) { changes.push_back(s); };
    dtp->OnTimeChange = [&](TObject *s) { timeChanges.push_back(s); };
    std::vector<uint16_t> keys;
    dtp->OnKeyDown = [&](TObject *s, uint16_t &k, TShiftState) {
        EXPECT_EQ(s, dtp);
        keys.push_back(k);
    };
    Show();
    TCustomDateTimePicker *part = dtp->TimePicker();
    part->setFocus();
    part->setSelectedSection(QDateTimeEdit::HourSection);
    Key(part, Qt::Key_Up);
    EXPECT_DOUBLE_EQ(dtp->DateTime(), March5() + EncodeTime(1, 0, 0, 0));
    EXPECT_EQ(changes, std::vector<TObject *>{dtp});
    EXPECT_EQ(timeChanges, std::vector<TObject *>{dtp});
    EXPECT_EQ(keys, std::vector<uint16_t>{VK_UP});
}

TEST_F(DazFixture, AutoTabWalksTheDateThenTheTime)
{
    dtp->SetDateTime(March5());
    dtp->SetAutoTab(true);
    EXPECT_TRUE(dtp->TimePicker()->AutoTab());
    dtp->SetFormat("dd/MM/yyyy");
    Show();
    dtp->setFocus();
    dtp->setSelectedSection(QDateTimeEdit::DaySection);
    Keys(dtp, "4");
    Flush();
    EXPECT_EQ(dtp->currentSection(), QDateTimeEdit::MonthSection);
    dtp->setSelectedSection(QDateTimeEdit::YearSection);
    Keys(dtp, "202");
    Flush();
    EXPECT_TRUE(dtp->hasFocus());
    Keys(dtp, "5");
    Flush();
    EXPECT_EQ(DateToStr(dtp->Date()), "04/03/2025");
    EXPECT_TRUE(dtp->TimePicker()->hasFocus());
}

TEST_F(DazFixture, UncheckingDisablesTheTimePart)
{
    dtp->SetShowCheckbox(true);
    dtp->CheckBox()->click();
    EXPECT_FALSE(dtp->TimePicker()->isEnabled());
    dtp->CheckBox()->click();
    EXPECT_TRUE(dtp->TimePicker()->isEnabled());
    dtp->setEnabled(false);
    EXPECT_FALSE(dtp->TimePicker()->isEnabled());
}

TEST_F(DazFixture, LabelClicksReportThePicker)
{
    std::vector<TObject *> clicks;
    dtp->OnLabelClick = [&](TObject *s) { clicks.push_back(s); };
    dtp->OnLabelDblClick = [&](TObject *s) { clicks.push_back(s); };
    dtp->SetLabelCaption("Start");
    QLabel *label = dtp->PickerLabel();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->y(), 50);
    EXPECT_LT(label->x() + label->width(), 150);
    Mouse(label, QEvent::MouseButtonRelease, {2, 2});
    Mouse(label, QEvent::MouseButtonDblClick, {2, 2});
    EXPECT_EQ(clicks, (std::vector<TObject *>{dtp, dtp}));
    dtp->SetFocusLabel(true);
    Show();
    dtp->setFocus();
    EXPECT_TRUE(label->font().bold());
}

} // namespace
