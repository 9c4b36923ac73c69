#pragma once
// HTTP GET behind one interface: the real client speaks HTTP/1.0 over Qt's TCP (and TLS)
// sockets with a deadline and sends no cookies; tests install THttpFake, which records each
// request and answers from a script.
#include <QByteArray>
#include <QString>
#include <QUrl>
#include <deque>
#include <vector>

struct THttpReply
{
    int Status = 0;          // 200 and so on; 0 when no reply came
    QByteArray Body;
    QString Error;           // empty when a reply came
    bool Ok() const { return Error.isEmpty() && Status >= 200 && Status <= 299; }
};

class IHttpClient
{
public:
    virtual ~IHttpClient() = default;
    // Blocks until the reply is complete, the server closes, or the deadline passes.
    virtual THttpReply Get(const QUrl &url) = 0;
};

class THttpClient : public IHttpClient
{
public:
    explicit THttpClient(int timeout_ms = 10000);
    THttpReply Get(const QUrl &url) override;

    // The headers every request carries.
    static const QByteArray Accept;
    static const QByteArray User_Agent;
    static constexpr qsizetype Max_Reply = 1 << 20;   // a longer reply is cut here

private:
    int timeout_ms_;
};

IHttpClient &Http();
void SetHttp(IHttpClient *client);   // nullptr restores the real client

class THttpFake : public IHttpClient
{
public:
    std::vector<QUrl> Requests;
    std::deque<THttpReply> Replies;  // answered in order; when empty: no reply (an error)
    THttpReply Get(const QUrl &url) override;
};

// Installs a fake for the lifetime of the guard (tests).
class THttpFakeGuard
{
public:
    THttpFakeGuard() { SetHttp(&Fake); }
    ~THttpFakeGuard() { SetHttp(nullptr); }
    THttpFake Fake;
};
