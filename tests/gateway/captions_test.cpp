// The fixed-size windows of this model, rendered with the stand-ins of the fonts they were
// designed with: no caption, label, check box or header may be wider than its control.
#include "app/about.h"
#include "app/lbbutton.h"
#include "app/new_project.h"
#include "app/openconf.h"
#include "app/softoptions.h"
#include "gateway/boot.h"
#include "gateway/ethernetip_data_seg.h"
#include "gateway/ethernetip_eds.h"
#include "gateway/ethernetip_master_access.h"
#include "gateway/lora_set_access.h"
#include "gateway/pargen.h"
#include "gateway_fixture.h"
#include "grid/string/dazstringgrid.h"
#include "platform/fonts.h"

#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QStyle>
#include <QTextDocument>

namespace {

// Lets a test read the header widths the grid measures with.
class TGrid_Probe : public TDazStringGrid
{
public:
    static int Header_Width(TDazStringGrid *grid, const QString &text)
    {
        // Through a member pointer: the grid is not a probe, so no downcast.
        return (grid->*(&TGrid_Probe::TextExtentWidth))(grid->FixedFont().Value(), text);
    }
};

QString Plain(QString text)
{
    return text.remove(QLatin1Char('&'));
}

// "window/control: text (needs N, has M)" for every text of root that its control cuts.
QStringList Cut_Texts(QWidget *root)
{
    QStringList cuts;
    const auto check = [&](const QWidget *w, const QString &text, int need, int have) {
        if (!text.isEmpty() && need > have)
            cuts << QStringLiteral("%1/%2: \"%3\" (needs %4, has %5)")
                        .arg(root->objectName(), w->objectName(), text)
                        .arg(need)
                        .arg(have);
    };
    for (QWidget *w : root->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(root))
            continue;
        if (auto *label = qobject_cast<QLabel *>(w)) {
            if (label->wordWrap() || Qt::mightBeRichText(label->text()))
                continue;
            check(label, label->text(), label->fontMetrics().horizontalAdvance(label->text()),
                  label->contentsRect().width());
        } else if (auto *box = qobject_cast<QCheckBox *>(w)) {
            const int indicator = box->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, box) +
                                  box->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, box);
            check(box, box->text(), box->fontMetrics().horizontalAdvance(Plain(box->text())) + indicator, box->width());
        } else if (auto *button = qobject_cast<TLbButton *>(w)) {
            // The face keeps 4 pixels each side, and a glyph cell with 4 more beside it.
            int room = button->width() - 8;
            if (button->NumGlyphs() > 0 && !button->Glyph().isNull())
                room -= button->Glyph().width() / button->NumGlyphs() + 4;
            check(button, button->Caption(), QFontMetrics(button->font()).horizontalAdvance(Plain(button->Caption())),
                  room);
        } else if (auto *grid = qobject_cast<TDazStringGrid *>(w)) {
            for (int c = 0; c < grid->ColCount(); ++c) {
                const QString header = grid->GetCellEx(grid->RealColIndex(c), 0);
                // The grid writes a header 2 pixels in from the cell's left edge.
                check(grid, header, TGrid_Probe::Header_Width(grid, header) + 2, grid->ColWidths(c));
            }
        }
    }
    return cuts;
}

class CaptionsTest : public GatewayTest
{
protected:
    void SetUp() override
    {
        Install_Font_Substitutes();
        GatewayTest::SetUp();
    }
};

TEST(FontStandIns, EachDesignFontHasAnInstalledFamily)
{
    Install_Font_Substitutes();
    struct Case
    {
        const char *name;
        const char *family;
    };
    const Case cases[] = {
        {"Tahoma", "Liberation Sans"},        {"MS Sans Serif", "Liberation Sans"}, {"arial", "Liberation Sans"},
        {"Verdana", "DejaVu Sans"},           {"Courier New", "Liberation Mono"},  {"DejaVu Sans", "DejaVu Sans"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(Installed_Font_Family(QLatin1String(c.name)), QLatin1String(c.family)) << c.name;
        // Qt finds the family installed, through the substitution for the design names.
        EXPECT_EQ(QFontInfo(QFont(QLatin1String(c.name), 8)).family(), QLatin1String(c.family)) << c.name;
    }
    Install_Font_Substitutes();   // a second call changes nothing
    EXPECT_EQ(QFontInfo(QFont(QStringLiteral("Tahoma"), 8)).family(), QStringLiteral("Liberation Sans"));
}

TEST_F(CaptionsTest, FixedSizeWindowsCutNoText)
{
    Start_Main();
    auto chooser = std::make_unique<TFEtherNEtIP_EDS>();
    auto data_seg = std::make_unique<TFEtherNetIP_Data_Seg>();
    std::vector<std::unique_ptr<QWidget>> windows;
    windows.push_back(std::make_unique<TFNew_Project>());
    windows.push_back(std::make_unique<TFOpenConf>());
    windows.push_back(std::make_unique<TFAbout>());
    windows.push_back(std::make_unique<TFSoftOptions>());
    windows.push_back(std::make_unique<TFParGen>());
    windows.push_back(std::make_unique<TFLoRa_Set_Access>());
    windows.push_back(std::make_unique<TFEtherNetIP_Master_Access>());
    auto boot = std::make_unique<TFBoot>();
    boot->Form_Type = 1;

    QStringList cuts;
    const auto render = [&cuts](QWidget *w) {
        w->show();
        w->grab();
        cuts << Cut_Texts(w);
        w->hide();
    };
    render(Main.get());
    for (const auto &w : windows)
        render(w.get());
    render(chooser.get());
    render(data_seg.get());
    render(boot.get());
    EXPECT_TRUE(cuts.isEmpty()) << cuts.join(QLatin1Char('\n')).toStdString();
}

} // namespace
