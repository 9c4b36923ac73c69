#pragma once
// "Open Configuration": lists the project folders under PROJECTS, preselects the current
// project and returns the chosen name in Name_Conf.
#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class TLbButton;
struct TDialog_Frame;

class TFOpenConf : public QDialog
{
    Q_OBJECT
public:
    explicit TFOpenConf(QWidget *parent = nullptr);

    void Set_Lang();
    void FormShow();
    void Load_Existing_Configuration();
    // Index in SL of the first name equal to name after ASCII upper-casing, or -1.
    int Search_Open_Conf(const QString &name) const;
    void ListBox1Click();

    QStringList SL;
    QString Name_Conf;

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QLabel *Label1;
    QListWidget *ListBox1;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TDialog_Frame Frame();
};

extern TFOpenConf *FOpenConf;
