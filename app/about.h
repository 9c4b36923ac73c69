#pragma once
// The about box: the build's software code, version, manual code and description, with a
// link to the maker's web site. Its captions are fixed English texts.
#include <QDialog>

class QLabel;
class TLbButton;

class TFAbout : public QDialog
{
    Q_OBJECT
public:
    explicit TFAbout(QWidget *parent = nullptr);

    int exec() override;
    void FormShow();
    void Label4Click();
    // The about box takes no texts from the UI text table.
    void Set_Lang() {}

    QLabel *Image2;
    QLabel *Label1;
    QLabel *Label2;
    QLabel *Label3;
    QLabel *Label4;
    QLabel *Label6;
    QLabel *Label8;
    QLabel *Label9;
    QLabel *Label10;
    QLabel *Label12;
    QLabel *L_SW_Code;   // the software code: Label9
    TLbButton *LbButton1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

extern TFAbout *FAbout;

// The maker's home page with this program as the referrer.
QString Maker_Home_Page();
