#pragma once
// The communication settings panels of the family's other gateway models, built from one
// table: each panel's rows with their control names and UI texts, and how the panel lays
// itself out for the values chosen. This build hides them; nothing loads or saves them.
// Also the panel lists of all 29 models with their ordering and relayout.
#include "gateway/pargen_rows.h"

#include <QHash>
#include <QString>
#include <vector>

class QLineEdit;
class QObject;
class TCategoryPanel;
class TCategoryPanelGroup;
class TFParGen;

// The caption text of a panel ("CP_LoRa" gives 406); -1 for a panel without a caption.
int Panel_Caption_Text(const QString &panel);

// Shows the panels one below the other from the top, captioned "k. " and their caption
// text, with tab orders 0 up. The captions keep the language of this moment.
void Order_Panels(const std::vector<TCategoryPanel *> &panels);

class TParGen_Other_Panels
{
public:
    TParGen_Other_Panels(TCategoryPanelGroup *group, std::vector<TText_Binding> &texts, TFParGen &form);
    ~TParGen_Other_Panels();

    // The item lists that follow the UI language, each with its first item selected.
    void Set_Lang();
    // Whether a change of this list, or a click of this box, lays the panels out again.
    bool Relays_On_Change(const QObject *sender) const;
    bool Relays_On_Click(const QObject *sender) const;
    std::vector<QLineEdit *> Octet_Edits() const;
    // The control of that component name on these panels, or nullptr.
    QWidget *Control(const QString &name) const;

    // The layout member of a panel of this table ("CP_MBus"); false for another name.
    bool RePosition_Object(const QString &panel);

    // The family's models: model m shows Ethernet Connection, LoRaWAN and then its own
    // panels; model 0 is the one this build configures.
    static int Model_Count();
    static QStringList Model_Panels(int model);
    void Order_TAB_Panels_Model(int model);
    void RePosition_Objects_Model(int model);

private:
    struct TPanel;
    TPanel *Find(const QString &panel);
    TCategoryPanelGroup *group_;
    TFParGen &form_;
    QHash<QString, QWidget *> controls_;
    std::vector<QLineEdit *> octets_;
    std::vector<TPanel> panels_;
    struct TItem_List
    {
        const char *Combo;
        int First, Last;
    };
};
