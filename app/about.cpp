#include "app/about.h"

#include "app/comon.h"
#include "app/formparts.h"
#include "app/lbbutton.h"
#include "app/tessalinorfirmware.h"
#include "platform/shell.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

TFAbout *FAbout = nullptr;

namespace {

// The maker's round mark.
QPixmap Logo()
{
    QPixmap logo(81, 81);
    logo.fill(Qt::transparent);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0, 84, 147));
    p.setPen(Qt::NoPen);
    p.drawEllipse(2, 2, 77, 77);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(44);
    f.setBold(true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 81, 81), Qt::AlignCenter, QStringLiteral("Q"));
    return logo;
}

QLabel *New_Label(QWidget *parent, const char *name, int left, int top, int width, const QString &text = {})
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    label->setGeometry(left, top, width, 16);
    return label;
}

} // namespace

QString Maker_Home_Page()
{
    return Maker_Site + QStringLiteral("/HOME/default.asp?frompg=CF41R08");
}

TFAbout::TFAbout(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FAbout"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setWindowTitle(QStringLiteral("About"));
    Set_Form_Look(this);
    setFixedSize(425, 148);
    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(12, 12, 81, 81);
    Image2->setScaledContents(true);
    Image2->setPixmap(Logo());
    Image2->setCursor(Qt::PointingHandCursor);
    Label1 = New_Label(this, "Label1", 108, 12, 300, QStringLiteral("Software Tessalinor "));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label2 = New_Label(this, "Label2", 108, 32, 300);
    Label6 = New_Label(this, "Label6", 108, 56, 110, QStringLiteral("Software Code : "));
    Label9 = New_Label(this, "Label9", 220, 56, 180);
    Label3 = New_Label(this, "Label3", 108, 74, 110, QStringLiteral("Version :"));
    Label10 = New_Label(this, "Label10", 220, 74, 180);
    Label8 = New_Label(this, "Label8", 108, 92, 110, QStringLiteral("Document Code :"));
    Label12 = New_Label(this, "Label12", 220, 92, 180);
    L_SW_Code = Label9;
    Label4 = New_Label(this, "Label4", 12, 122, 250, QString(Maker_Site).remove(QStringLiteral("https://")));
    Label4->setCursor(Qt::PointingHandCursor);
    Label4->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline"));
    for (QLabel *link : {Label4, Image2})
        link->installEventFilter(this);
    LbButton1 = new TLbButton(this);
    LbButton1->setObjectName(QStringLiteral("LbButton1"));
    LbButton1->setGeometry(325, 112, 90, 28);
    LbButton1->SetCaption(QStringLiteral("OK"));
    LbButton1->SetModalResult(mrOk);
    Set_Button_Look(LbButton1);
    FormShow();
}

int TFAbout::exec()
{
    FormShow();
    return QDialog::exec();
}

void TFAbout::FormShow()
{
    Label2->setText(SW_Description);
    Label9->setText(QStringLiteral("CF41R08"));
    Label10->setText(QStringLiteral("1.000"));
    Label12->setText(QStringLiteral("UM41R08"));
    setFixedSize(425, 148);
}

void TFAbout::Label4Click()
{
    ShellOpenLink(Maker_Home_Page());
}

bool TFAbout::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == Label4 || watched == Image2) && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        Label4Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}
