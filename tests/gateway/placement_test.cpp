// Where the windows of this model and their message boxes appear at their first showing.
#include "gateway/boot.h"
#include "gateway/lora_set_access.h"
#include "gateway_fixture.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

namespace {

QPoint Screen_Centre()
{
    return QGuiApplication::primaryScreen()->availableGeometry().center();
}

// Each coordinate of a centre within two pixels of the other (integer halves on both sides).
void Expect_Centred(const QPoint &centre, const QPoint &on, const char *what)
{
    EXPECT_LE((centre - on).manhattanLength(), 4) << what << ": centre " << centre.x() << "," << centre.y()
                                                  << " instead of " << on.x() << "," << on.y();
}

using PlacementTest = GatewayTest;

TEST_F(PlacementTest, UpdateDialogIsCentredFromItsFirstShowing)
{
    TFBoot boot;
    boot.Form_Type = 1;
    for (int showing = 0; showing < 2; ++showing) {
        boot.show();
        Expect_Centred(boot.geometry().center(), Screen_Centre(), "update dialog");
        boot.hide();
    }
}

TEST_F(PlacementTest, WarningOfAWindowNotShownYetIsCentred)
{
    SetDialogs(nullptr);   // the real message box
    TFLoRa_Set_Access form;
    form.move(0, 0);
    QRect box;
    QTimer::singleShot(0, [&box] {
        if (QWidget *modal = QApplication::activeModalWidget()) {
            box = modal->geometry();
            if (auto *message = qobject_cast<QMessageBox *>(modal))
                message->done(QMessageBox::Ok);
        }
    });
    // No ParGen.xml: the show handler warns before the window opens.
    ASSERT_TRUE(form.FormShow());
    ASSERT_FALSE(box.isEmpty());
    Expect_Centred(box.center(), Screen_Centre(), "warning");
}

} // namespace
