#include "mbus_gateway_sim.h"

#include "mbus/mbus_codec.h"

#include <QRegularExpression>

namespace {

QByteArray Reply(TSim_Reply how, const char *normal)
{
    switch (how) {
    case TSim_Reply::Normal: return QByteArray(normal);
    case TSim_Reply::Wrong: return QByteArrayLiteral("\n\rError\n\r");
    case TSim_Reply::Silent: break;
    }
    return {};
}

const QByteArray Ack(1, char(0xE5));
const QByteArray Collision("\xE5\xE5\x10", 3);
constexpr char Prompt = 0x3E;

} // namespace

std::vector<QByteArray> TGatewaySim::Handle(uint16_t port, const QByteArray &in)
{
    Received.push_back({port, in});
    std::vector<QByteArray> out;
    auto add = [&out](const QByteArray &b) {
        if (!b.isEmpty())
            out.push_back(b);
    };
    if (in == MBus_Text::Enable_Analyzer) {
        Analyzer_Mode = Analyzer_Reply == TSim_Reply::Normal;
        add(Reply(Analyzer_Reply, MBus_Text::Analyzer_Enabled));
    } else if (in == MBus_Text::Disable_Analyzer) {
        if (Disable_Reply == TSim_Reply::Normal)
            Analyzer_Mode = false;
        add(Reply(Disable_Reply, MBus_Text::Analyzer_Disabled));
    } else if (in.size() == 17 && in.startsWith(MBus_Text::Baud_Command_Prefix)) {
        add(Reply(Baud_Reply, MBus_Text::Baud_Done));
    } else if (in == MBus_Text::Enable_Configuration) {
        Configuration_Mode = Configuration_Reply == TSim_Reply::Normal;
        add(Reply(Configuration_Reply, MBus_Text::Configuration_Enabled));
    } else if (in == MBus_Text::Type_Radio_Module) {
        if (Configuration_Mode)
            add(Module == rmTelit ? MBus_Text::Radio_Telit : MBus_Text::Radio_RadioCrafts);
    } else if (in == MBus_Text::Disable_Configuration) {
        Configuration_Mode = false;
        Listening = false;
        add(MBus_Text::Configuration_Disabled);
    } else if (Configuration_Mode && port == Wireless_Port) {
        for (const QByteArray &b : Module == rmTelit ? Telit(in) : RadioCrafts(in))
            add(b);
    } else if (Analyzer_Mode) {
        for (const QByteArray &b : Wired(in))
            add(b);
    }
    return out;
}

std::vector<TSim_Slave *> TGatewaySim::Addressed(uint8_t a)
{
    std::vector<TSim_Slave *> r;
    for (size_t i = 0; i < Slaves.size(); ++i)
        if (a == 255 || (a == 253 && int(i) == selected_) || (a < 251 && Slaves[i].Primary == a))
            r.push_back(&Slaves[i]);
    return r;
}

QByteArray TGatewaySim::Long_Frame(const TSim_Slave &s, int n, uint8_t address)
{
    const TSimBytes &records = s.Frames.at(size_t(n));
    QByteArray f;
    const uint32_t id = s.ID.toUInt(nullptr, 16);
    const uint8_t header[] = {0x08, address, 0x72, uint8_t(id), uint8_t(id >> 8),
                              uint8_t(id >> 16), uint8_t(id >> 24), uint8_t(s.Manufacturer),
                              uint8_t(s.Manufacturer >> 8), s.Version, s.Medium, 0x01, 0x00,
                              0x00, 0x00};
    QByteArray body(reinterpret_cast<const char *>(header), sizeof header);
    body.append(reinterpret_cast<const char *>(records.data()), qsizetype(records.size()));
    uint8_t cs = 0;
    for (char c : body)
        cs = uint8_t(cs + uint8_t(c));
    if (s.Corrupt)
        cs = uint8_t(cs + 1);
    f.append(char(0x68)).append(char(body.size())).append(char(body.size())).append(char(0x68));
    f.append(body).append(char(cs)).append(char(0x16));
    return f;
}

std::vector<QByteArray> TGatewaySim::Wired(const QByteArray &in)
{
    const auto b = [&in](int i) { return uint8_t(in.at(i)); };
    if (in.size() == 5 && b(0) == 0x10) {
        const uint8_t c = b(1), a = b(2);
        std::vector<TSim_Slave *> who = Addressed(a);
        if (c == 0x40) {                                 // SND_NKE
            for (TSim_Slave *s : who) {
                s->Frame = -1;
                s->Last_FCB = -1;
            }
            if (a == 255 || who.empty())
                return {};
            return {who.size() == 1 ? Ack : Collision};
        }
        if ((c & 0xDF) == 0x5B) {                        // REQ_UD2
            if (who.empty())
                return {};
            if (who.size() > 1)
                return {Collision};
            TSim_Slave &s = *who.front();
            if (s.Frames.empty())
                return {};
            const int fcb = (c >> 5) & 1;
            if (s.Frame < 0 || fcb != s.Last_FCB)
                s.Frame = std::min(s.Frame + 1, int(s.Frames.size()) - 1);
            s.Last_FCB = fcb;
            return {Long_Frame(s, s.Frame, uint8_t(std::max(s.Primary, 0)))};
        }
        return {};
    }
    if (in.size() == 9 && b(0) == 0x68 && b(6) == 0x50) {     // application reset
        std::vector<TSim_Slave *> who = Addressed(b(5));
        if (who.empty() || b(5) == 255)
            return {};
        return {who.size() == 1 ? Ack : Collision};
    }
    if (in.size() == 17 && b(0) == 0x68 && b(6) == 0x52) {    // secondary selection
        // Digits of the selection, most significant first; 0xF is a wildcard.
        int pattern[8];
        for (int k = 0; k < 4; ++k) {
            const uint8_t v = b(10 - k);
            pattern[2 * k] = v >> 4;
            pattern[2 * k + 1] = v & 0x0F;
        }
        std::vector<int> match;
        for (size_t i = 0; i < Slaves.size(); ++i) {
            bool ok = true;
            for (int k = 0; k < 8 && ok; ++k)
                ok = pattern[k] == 0xF || Slaves[i].ID.at(k).digitValue() == pattern[k];
            if (ok)
                match.push_back(int(i));
        }
        selected_ = match.size() == 1 ? match.front() : -1;
        if (match.empty())
            return {QByteArray(MBus_Text::No_Slave)};
        if (match.size() > 1)
            return {Collision};
        Slaves[size_t(selected_)].Frame = -1;
        Slaves[size_t(selected_)].Last_FCB = -1;
        return {Ack};
    }
    return {};
}

std::vector<QByteArray> TGatewaySim::Telit(const QByteArray &in)
{
    const QByteArray OK = QByteArrayLiteral("OK\r");
    if (in == "+++") {
        Listening = false;
        return {OK};
    }
    if (!in.endsWith('\r'))
        return {};
    const QString cmd = QString::fromLatin1(in.chopped(1));
    static const QRegularExpression reg(QStringLiteral("^ATS(\\d+)=(\\d+)$"));
    const QRegularExpressionMatch m = reg.match(cmd);
    if (m.hasMatch()) {
        const int r = m.captured(1).toInt(), v = m.captured(2).toInt();
        Telit_Registers[r] = v;
        if (r == 460 && v == 5) {
            TTelit_Key k;
            for (auto &[reg_no, value] : Telit_Registers)
                if ((reg_no >= 461 && reg_no <= 468) || (reg_no >= 470 && reg_no <= 485))
                    k.Registers[reg_no] = value;
            Telit_Keys.push_back(k);
        }
    } else if (cmd == QLatin1String("ATO")) {
        Listening = true;
    } else if (cmd != QLatin1String("ATR")) {
        return {QByteArrayLiteral("ERROR\r")};
    }
    return {OK};
}

std::vector<QByteArray> TGatewaySim::RadioCrafts(const QByteArray &in)
{
    const QByteArray prompt(1, Prompt);
    switch (rc_pending_) {
    case TRC_Pending::Config:
        RC_Config = in;
        rc_pending_ = TRC_Pending::None;
        return {prompt};
    case TRC_Pending::B_Pos:
    case TRC_Pending::K_Pos:
    case TRC_Pending::A_Pos:
        rc_position_ = in.isEmpty() ? 0 : uint8_t(in.at(0));
        if (rc_pending_ == TRC_Pending::B_Pos)
            RC_Positions_Written.push_back(rc_position_);
        rc_pending_ = rc_pending_ == TRC_Pending::B_Pos   ? TRC_Pending::B_Addr
                      : rc_pending_ == TRC_Pending::K_Pos ? TRC_Pending::K_Key
                                                          : TRC_Pending::A_Val;
        return {};
    case TRC_Pending::B_Addr:
        RC_Table[rc_position_].Address = in;
        rc_pending_ = TRC_Pending::None;
        return {prompt};
    case TRC_Pending::K_Key:
        RC_Table[rc_position_].Key = in;
        rc_pending_ = TRC_Pending::None;
        return {prompt};
    case TRC_Pending::A_Val:
        RC_Table[rc_position_].Activation = in;
        rc_pending_ = TRC_Pending::None;
        return {prompt};
    case TRC_Pending::None:
        break;
    }
    if (in.size() != 1)
        return {};
    switch (in.at(0)) {
    case 0x00:
        Listening = false;
        return {prompt};
    case '0':
        return {QByteArray(256, 'r') + prompt};
    case 'M':
        rc_pending_ = TRC_Pending::Config;
        return {prompt};
    case char(0xFF):
        return {prompt};
    case 'B':
        rc_pending_ = TRC_Pending::B_Pos;
        return {prompt};
    case 'K':
        rc_pending_ = TRC_Pending::K_Pos;
        return {prompt};
    case 'A':
        rc_pending_ = TRC_Pending::A_Pos;
        return {prompt};
    case 'X':
        Listening = true;
        return {};
    default:
        return {};
    }
}

QByteArray TGatewaySim::Module_Datagram(const TSimBytes &after_l, uint8_t signal) const
{
    const int l = int(after_l.size()) + (Module == rmRadioCrafts ? 1 : 0);
    QByteArray d(1, char(l));
    d.append(reinterpret_cast<const char *>(after_l.data()), qsizetype(after_l.size()));
    if (Module == rmTelit)
        d.append(char(0x00));
    d.append(char(signal));
    return d;
}

// --- transport ---

void TSimTransport::Activate()
{
    if (Refuse_Bind)
        throw EMBusTransportError("Cannot bind the UDP port: refused");
    active_ = true;
    ++Activations;
}

void TSimTransport::Send(const QString &, uint16_t port, const QByteArray &data)
{
    if (!active_)
        throw EMBusTransportError("The UDP endpoint is not active");
    std::vector<QByteArray> answers;
    {
        const std::lock_guard<std::mutex> hold(lock_);
        answers = Sim.Handle(port, data);
    }
    for (const QByteArray &a : answers)
        if (On_Read)
            On_Read(a);
}

void TSimTransport::Emit(const QByteArray &datagram)
{
    if (On_Read)
        On_Read(datagram);
}

// --- UDP peer ---

TGatewaySimUdp::TGatewaySimUdp(TGatewaySim &sim) : sim_(sim)
{
    analyzer_.Set_Binding(0);
    wireless_.Set_Binding(0);
    auto answer = [this](TMBusUdpEndpoint &ep, bool wireless) {
        return [this, &ep, wireless](const QByteArray &data, const QString &host, uint16_t port) {
            std::vector<QByteArray> answers;
            {
                const std::lock_guard<std::mutex> hold(Sim_Lock);
                answers = sim_.Handle(wireless ? sim_.Wireless_Port : ep.Local_Port(), data);
            }
            if (wireless) {
                const std::lock_guard<std::mutex> hold(peer_lock_);
                peer_host_ = host;
                peer_port_ = port;
            }
            for (const QByteArray &a : answers)
                ep.Send(host, port, a);
        };
    };
    analyzer_.On_Read_From = answer(analyzer_, false);
    wireless_.On_Read_From = answer(wireless_, true);
    analyzer_.Activate();
    wireless_.Activate();
    sim_.Wireless_Port = wireless_.Local_Port();
}

TGatewaySimUdp::~TGatewaySimUdp()
{
    analyzer_.Deactivate();
    wireless_.Deactivate();
}

uint16_t TGatewaySimUdp::Analyzer_Port() const
{
    return analyzer_.Local_Port();
}

uint16_t TGatewaySimUdp::Wireless_Port() const
{
    return wireless_.Local_Port();
}

void TGatewaySimUdp::Emit(const QByteArray &datagram)
{
    QString host;
    uint16_t port = 0;
    {
        const std::lock_guard<std::mutex> hold(peer_lock_);
        host = peer_host_;
        port = peer_port_;
    }
    if (port)
        wireless_.Send(host, port, datagram);
}
