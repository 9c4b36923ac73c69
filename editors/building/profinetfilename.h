#pragma once
// "PROFINET XML File Name": composes the GSDML file name from the fixed part, the engineer's
// user part and the date part, which is taken once when the window is created at start-up.
#include <QDate>
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class TLbButton;

class TFProfinetFileName : public QDialog
{
    Q_OBJECT
public:
    // today: the date of the date part (the program's start date).
    explicit TFProfinetFileName(QWidget *parent = nullptr, const QDate &today = QDate::currentDate());

    void Set_Lang();
    // Composes Name_File_XML and closes with OK; a user part no file name may hold is
    // refused with a message and the window stays open.
    void Btn_OK_Click();

    // The composed name, read by the main window after OK.
    QString Name_File_XML;

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QLabel *L_Select_Name;
    QLabel *L_FixPart_1;
    QLabel *L_UsedPart;
    QLabel *L_FixPart_2;
    QLabel *L_XML_Fix1;
    QLineEdit *E_XML_User;
    QLabel *L_XML_Fix2;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
};

// The user part's first character or sequence that no file name may hold, empty when none:
// path separators, "..", control characters and the characters Windows refuses.
QString Bad_File_Name_Part(const QString &user_part);

extern TFProfinetFileName *FProfinetFileName;
