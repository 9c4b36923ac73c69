#pragma once
// Message and file dialogs behind one interface: the real one uses QMessageBox and
// QFileDialog, tests install TFakeDialogs, which records every call and answers from a script.
#include <QString>
#include <QStringList>
#include <deque>
#include <memory>
#include <vector>

class QWidget;

// ConfirmationCancel: Yes, No and Cancel.
enum class TMsgKind { Error, Warning, Information, Confirmation, ConfirmationCancel };
enum class TMsgResult { OK, Cancel, Yes, No };

class IDialogs
{
public:
    virtual ~IDialogs() = default;
    // A message box with an OK button (Error, Warning, Information) or Yes/No (Confirmation).
    virtual TMsgResult Message(TMsgKind kind, const QString &text, const QString &caption,
                               QWidget *parent) = 0;
    // Empty result when cancelled. filter: "XML files (*.xml);;All files (*)".
    virtual QString OpenFile(const QString &caption, const QString &dir, const QString &filter,
                             QWidget *parent) = 0;
    virtual QString SaveFile(const QString &caption, const QString &dir, const QString &filter,
                             QWidget *parent) = 0;
};

IDialogs &Dialogs();
void SetDialogs(IDialogs *dialogs);   // nullptr restores the real dialogs

// Short forms the windows call. A missing caption takes the application's name, as
// Windows message boxes do.
void ShowMessage(const QString &text, QWidget *parent = nullptr);                     // information
void MessageError(const QString &text, const QString &caption = {}, QWidget *parent = nullptr);
void MessageWarning(const QString &text, const QString &caption = {}, QWidget *parent = nullptr);
void MessageInfo(const QString &text, const QString &caption = {}, QWidget *parent = nullptr);
bool MessageYesNo(const QString &text, const QString &caption = {}, QWidget *parent = nullptr);
// Yes, No or Cancel (the close box answers Cancel).
TMsgResult MessageYesNoCancel(const QString &text, const QString &caption = {}, QWidget *parent = nullptr);

// Records every call; answers come from the scripted queues, else the defaults.
class TFakeDialogs : public IDialogs
{
public:
    struct Call {
        QString what;       // "message", "open", "save"
        TMsgKind kind = TMsgKind::Information;
        QString text;       // message text, or the dialog's caption for file dialogs
        QString caption;
        QString dir, filter;   // file dialogs
    };
    std::vector<Call> Calls;
    std::deque<TMsgResult> Answers;      // for both confirmations; default Yes
    std::deque<QString> FileAnswers;     // for OpenFile / SaveFile; default empty (cancel)

    TMsgResult Message(TMsgKind kind, const QString &text, const QString &caption,
                       QWidget *parent) override;
    QString OpenFile(const QString &caption, const QString &dir, const QString &filter,
                     QWidget *parent) override;
    QString SaveFile(const QString &caption, const QString &dir, const QString &filter,
                     QWidget *parent) override;

    QStringList Texts() const;           // the texts of the messages, in order
    QString LastText() const;
};

// Installs a fake for the lifetime of the guard (tests).
class TFakeDialogsGuard
{
public:
    TFakeDialogsGuard() { SetDialogs(&Fake); }
    ~TFakeDialogsGuard() { SetDialogs(nullptr); }
    TFakeDialogs Fake;
};
