#pragma once
// "Create New Configuration": takes a name, creates PROJECTS/<name>/ with its bin folder
// and makes it the current project.
#include <QDialog>

class QLabel;
class QLineEdit;
class TLbButton;
struct TDialog_Frame;

class TFNew_Project : public QDialog
{
    Q_OBJECT
public:
    explicit TFNew_Project(QWidget *parent = nullptr);

    void Set_Lang();
    void FormShow();
    // Creates the project; on any failure shows the message and leaves the dialog open.
    void Btn_OKClick();

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QLabel *Label1;
    QLineEdit *E_New_Proj;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;

protected:
    void showEvent(QShowEvent *event) override;

private:
    TDialog_Frame Frame();
};

extern TFNew_Project *FNew_Project;
