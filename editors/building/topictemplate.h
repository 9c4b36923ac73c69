#pragma once
// "Set Template" / "Set Topic": edits one MQTT payload template (or topic) of several lines
// beside a legend of the keywords it may hold.
#include <QDialog>

class QLabel;
class QPlainTextEdit;
class TDazStringGrid;
class TLbButton;

class TFTopicTemplate : public QDialog
{
    Q_OBJECT
public:
    explicit TFTopicTemplate(QWidget *parent = nullptr);

    int exec() override;   // runs FormShow first

    void Set_Lang();
    void FormShow();
    // Fills the legend: one row per keyword; without keywords one blank row.
    void Laod_Keywords();

    // Set by the caller before the showing.
    int TopicTemplate = 1;   // 1 a template, 0 a topic
    int Working_Mode = 1;
    int Pub_Sub = 0;         // 0 publish, 1 subscribe

    QLabel *L_SW_Code;
    QLabel *L_SW_Desc;
    QPlainTextEdit *RE_TopicTemplate;
    QLabel *L_List_Keywords;
    TDazStringGrid *RUD_Keywords;
    TLbButton *Btn_OK;
    TLbButton *Btn_Cancel;
};

extern TFTopicTemplate *FTopicTemplate;
