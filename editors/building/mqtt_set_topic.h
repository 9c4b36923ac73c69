#pragma once
// "Set MQTT Topics": what the gateway publishes to an MQTT broker and what it takes from its
// subscriptions, with payload templates, in MQTT_Set_Topic.xml. Each showing sets which
// columns this gateway uses; hidden columns keep their cells and are saved alike.
#include "editors/fieldbus/ruleeditor.h"

#include <functional>

enum TMQTT_Pub_Col
{
    MP_N, MP_Topic, MP_Retained, MP_QoS, MP_DataType, MP_Dimension, MP_Position, MP_IPAddress, MP_InputTemplate,
    MP_Template, MP_OnChange, MP_OnCMD, MP_OnTimer, MP_Time, MP_Channel, MP_Swap, MP_SwapWord, MP_Mnemonic,
    MP_Col_Count
};
enum TMQTT_Sub_Col
{
    MS_N, MS_Topic, MS_Retained, MS_QoS, MS_DataType, MS_Dimension, MS_Position, MS_IPAddress, MS_Port, MS_EthType,
    MS_InputTemplate, MS_Template, MS_Swap, MS_SwapWord, MS_Mnemonic, MS_Col_Count
};

const TRule_Editor_Desc &MQTT_Set_Topic_Desc();

// True when the text holds an odd number of "$".
bool Error_In_Topic_Template(const QString &Str);
// The check of one row of the publish (0) or subscribe (1) table; shown(c) tells whether
// real column c is shown (a hidden column's check does not run).
QString MQTT_Check_Row(int table, const QStringList &cells, int NByte, const std::function<bool(int)> &shown);

class TFMQTT_Set_Topic : public TRule_Editor
{
    Q_OBJECT
public:
    explicit TFMQTT_Set_Topic(QWidget *parent = nullptr);

    void DblClickCell(TDazStringGrid *Sender, int ARow, int ACol) override;
    // The template (or topic) of the cell in the template dialog; OK writes it back.
    void Show_Form_Topic(TDazStringGrid *Sender, int ARow, int ACol);
    QString Check_Row(int table, int row, const QStringList &cells) override;

    TDazColumnGrid *ACG_Pub;
    TDazColumnGrid *ACG_Sub;
    QStringList &Hint_MQTT_Set_Topic_Pub;
    QStringList &Hint_MQTT_Set_Topic_Sub;
    bool &Do_Copy_Pub;
    bool &Do_Copy_Sub;
    int Byte_IN = 0;
    int Byte_OUT = 0;
    int Working_Mode = 0;

protected:
    void Show_Setup() override;
};

extern TFMQTT_Set_Topic *FMQTT_Set_Topic;
