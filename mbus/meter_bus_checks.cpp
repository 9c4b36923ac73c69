// The checks of the network editor: ranges of the typed values, distinct registers within a
// node, unique node addresses and no Modbus register used twice across the network.
#include "app/language.h"
#include "mbus/meter_bus.h"
#include "platform/dialogs.h"
#include "platform/rtl.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace UMeter_Bus;

namespace {

// A field's integer; a text that does not convert counts as -1, which every range refuses.
int Int_Text(const QLineEdit *e)
{
    int v;
    return TryStrToInt(e->text(), v) ? v : -1;
}

int64_t Wide_Int_Text(const QLineEdit *e)
{
    int64_t v;
    return TryStrToInt64(e->text(), v) ? v : -1;
}

bool In(int64_t v, int64_t lo, int64_t hi)
{
    return v >= lo && v <= hi;
}

} // namespace

bool TFMeter_Bus::Controllo_Dati_New_Nodo()
{
    auto fail = [this](int text) {
        MessageError(Lang_Text(text), {}, this);
        return false;
    };
    bool ok = true;
    int ns, in;
    if (CB_MBus_Type->currentIndex() == 0) {
        if (!In(Int_Text(E_wMBus_ManID), 0, 0xFFFF))
            return fail(1845);
        if (!In(Int_Text(E_wMBus_Ver), 0, 0xFF))
            return fail(1847);
        if (!In(Int_Text(E_wMBus_DevType), 0, 0xFF))
            return fail(1848);
        if (CB_wMBus_EnKey->isChecked())
            for (int i = 0; i < 16; ++i)
                if (!In(Int_Text(E_wMBus_K[size_t(i)]), 0, 0xFF))
                    return fail(1849 + i);
        ns = Int_Text(E_wMBus_NodeState);
        if (!In(ns, 0, 59999))
            return fail(1865);
        in = Int_Text(E_wMBus_Ident);
        if (!In(in, 0, 59999))
            return fail(1866);
        const int rssi = Int_Text(E_wMBus_RSSI);
        if (!In(rssi, 0, 59999))
            return fail(1867);
        const int an = Int_Text(E_wMBus_Access_Number);
        if (!In(an, 0, 59999))
            return fail(1868);
        const struct { int a, b, text; } pairs[] = {{ns, in, 1869}, {in, rssi, 1870}, {in, an, 1871},
                                                     {ns, rssi, 1872}, {ns, an, 1873}, {rssi, an, 1874}};
        for (const auto &p : pairs)
            if (p.a > 0 && p.b > 0 && p.a == p.b)
                return fail(p.text);
    } else {
        const int type = RB_ID_Primary->isChecked() ? 0 : 1;
        const int id = Int_Text(type == 0 ? E_New_Node_ID_Pri : E_New_Node_ID_Sec);
        if (type == 0 && !In(id, 0, 255))
            return fail(1875);
        if (type == 1 && !In(id, 0, 99999999))
            return fail(1876);
        // A clash is shown and refuses the node, but the checks go on.
        if (!Check_Node_ID(id, type))
            ok = false;
        ns = -1;
        if (CB_Node_State->isChecked()) {
            ns = Int_Text(E_Node_State);
            if (!In(ns, 0, 1536))
                return fail(1877);
        }
        in = -1;
        if (CB_Ident_Num->isChecked()) {
            in = Int_Text(E_Iden);
            if (!In(in, 0, 1536))
                return fail(1878);
        }
        if (ns > 0 && in > 0 && ns == in)
            return fail(1879);
    }

    int ms = -1;
    if (CB_Manu_Spec_Data->isChecked()) {
        ms = Int_Text(E_Manu_Spec_Data);
        if (!In(ms, 0, 1536))
            return fail(1880);
    }
    if (ms > 0 && in > 0 && ms == in)
        return fail(1881);
    if (ms > 0 && ns > 0 && ms == ns)
        return fail(1882);
    if (ms > 0) {
        const int length = Int_Text(E_MSD_Length), offset = Int_Text(E_MSD_Offset);
        if (!In(length, 1, 241))
            return fail(1883);
        if (!In(offset, 0, 240))
            return fail(1884);
        if (length + offset > 241)
            return fail(1885);
    }
    if (CB_MBus_Type->currentIndex() == 1 && CB_Access_Number->isChecked()) {
        const int an = Int_Text(E_Access_Number);
        if (!In(an, 0, 1536))
            return fail(1886);
        if (an > 0 && in > 0 && an == in)
            return fail(1887);
        if (an > 0 && ns > 0 && an == ns)
            return fail(1888);
        if (an > 0 && ms > 0 && an == ms)
            return fail(1889);
    }
    return ok;
}

bool TFMeter_Bus::Check_Node_ID(int ID, int ID_Type)
{
    for (int k = 0; k < int(Nodi_List.size()); ++k) {
        const TNodo &n = *Nodi_List[size_t(k)];
        const int address = ID_Type == 0 ? n.Node_Pri : n.Node_Sec;
        if (k == IND_NODO) {
            // The selected node is the one being modified, unless a variable is selected:
            // the page then adds a new node.
            if (IND_VAR != -1 && n.Node_ID_Type == ID_Type && address == ID) {
                MessageError(Lang_Text(1891), {}, this);
                return false;
            }
        } else if (n.MBus_Type != 0 && n.Node_ID_Type == ID_Type && address == ID) {
            MessageError(Lang_Text(1892), {}, this);
            return false;
        }
    }
    return true;
}

bool TFMeter_Bus::Check_Node_ID2(int ID, int ID_Type)
{
    for (const auto &n : Nodi_List)
        if (n->Node_ID_Type == ID_Type && (ID_Type == 0 ? n->Node_Pri : n->Node_Sec) == ID) {
            MessageError(Lang_Text(1890), {}, this);
            return false;
        }
    return true;
}

bool TFMeter_Bus::Controllo_Dati_New_Var(bool NewVar)
{
    auto fail = [this](int text) {
        MessageError(Lang_Text(text), {}, this);
        return false;
    };
    const int R = Int_Text(E_Var_MR);
    if (!In(R, 1, 1536))
        return fail(1835);
    if (!In(Wide_Int_Text(E_Sto_Num), 0, 0xFFFFFFFFLL))
        return fail(1838);
    if (!In(Wide_Int_Text(E_Tariff), 0, 0xFFFFF))
        return fail(1839);
    if (CB_Var_Dim->currentIndex() == 7 && !In(Int_Text(E_Length), 0, 191))
        return fail(1840);
    int T = 0;
    if (CB_Var_ToD->currentIndex() == 20 && CB_TP_MR->isChecked()) {
        T = Int_Text(E_TP_Year);
        if (!In(T, 1, 59995))
            return fail(1841);
    }
    if (T > 0 && In(R, T, T + 5))
        return fail(1842);
    if (!In(Int_Text(E_Position), 1, 512))
        return fail(1844);
    return !Check_Registers(R, 0, T, NewVar);
}

bool TFMeter_Bus::Check_Registers(int R, int S, int T, bool NewVar)
{
    auto quoted = [](int lead, const QString &node) { return Lang_Text(lead) + node; };
    auto hit = [this](const QString &text) {
        MessageError(text, {}, this);
        return true;
    };
    for (int k = 0; k < int(Nodi_List.size()); ++k) {
        const TNodo &n = *Nodi_List[size_t(k)];
        if (n.Enable != 1)
            continue;
        const QString &d = n.Description;
        const bool wireless = n.MBus_Type == 0;
        const bool rssi = wireless && n.RSSI > 0;
        if (n.Node_State == R)
            return hit(quoted(1787, d) + Lang_Text(1788));
        if (n.Ident_Num == R)
            return hit(quoted(1789, d) + Lang_Text(1790));
        if (rssi && n.RSSI == R)
            return hit(quoted(1791, d) + Lang_Text(1792));
        if (S > 0 && n.Node_State == S)
            return hit(quoted(1793, d) + Lang_Text(1794));
        if (S > 0 && n.Ident_Num == S)
            return hit(quoted(1795, d) + Lang_Text(1796));
        if (S > 0 && rssi && n.RSSI == S)
            return hit(quoted(1797, d) + Lang_Text(1798));
        if (T > 0 && In(n.Node_State, T, T + 5))
            return hit(quoted(1799, d) + Lang_Text(1800));
        if (T > 0 && In(n.Ident_Num, T, T + 5))
            return hit(quoted(1801, d) + Lang_Text(1802));
        if (T > 0 && rssi && In(n.RSSI, T, T + 5))
            return hit(quoted(1803, d) + Lang_Text(1804));
        for (int j = 0; j < int(n.Var_List.size()); ++j) {
            const TVariabile &v = *n.Var_List[size_t(j)];
            if (!v.Enable || (!NewVar && k == IND_NODO && j == IND_VAR))
                continue;
            // lead + node + ", Variable " + variable + tail: texts lead, lead + 1, lead + 2.
            auto message = [&](int lead) {
                return Lang_Text(lead) + d + Lang_Text(lead + 1) + v.Description + Lang_Text(lead + 2);
            };
            const int64_t year = v.TP_Mod_Year;
            if (v.PositionData == R)
                return hit(message(1805));
            if (v.TP_Mod_Regs && In(R, year, year + 5))
                return hit(message(1811));
            if (S > 0 && v.PositionData == S)
                return hit(message(1814));
            if (S > 0 && v.TP_Mod_Regs && In(S, year, year + 4))
                return hit(message(1820));
            if (T > 0 && In(v.PositionData, T, T + 4))
                return hit(message(1823));
        }
    }
    return false;
}
