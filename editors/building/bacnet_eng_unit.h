#pragma once
// "Select the BACnet Engineering Unit": the engineer picks a BACnet engineering unit by
// category and name; the code comes back as decimal text in E_Selected_EU. Also the table
// that names a unit code (Desc_Unit).
#include <QDialog>
#include <QString>
#include <QStringList>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class TLbButton;

// The name of a unit code; "unknown" outside 0..236.
QString Desc_Unit(int code);

// The unit table in the order of the picker's lists.
struct TEng_Unit
{
    int Code;
    const char *Name;
};
struct TEng_Unit_Category
{
    const char *Name;
    std::vector<TEng_Unit> Units;
};
const std::vector<TEng_Unit_Category> &Eng_Unit_Categories();

class TFBACnet_Eng_Unit : public QDialog
{
    Q_OBJECT
public:
    explicit TFBACnet_Eng_Unit(QWidget *parent = nullptr);

    int exec() override;   // runs FormShow first

    void Set_Lang();
    void FormShow();
    void CB_Select_TypeSelect();
    void Btn_Select_Eng_UnitClick();
    // The caller's side of a use: the cell text into the edit and its name into Label5.
    void Set_Selected(const QString &cell);

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QLabel *Label1;
    QLineEdit *E_Selected_EU;
    QLabel *Label5;
    QLabel *Label2;
    QLabel *Label3;
    QComboBox *CB_Select_Type;
    QLabel *Label4;
    QComboBox *CB_Select_Unit;
    TLbButton *Btn_Select_Eng_Unit;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
};

extern TFBACnet_Eng_Unit *FBACnet_Eng_Unit;
