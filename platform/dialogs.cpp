#include "platform/dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <atomic>
#include <stdexcept>

namespace {

class TRealDialogs : public IDialogs
{
public:
    TMsgResult Message(TMsgKind kind, const QString &text, const QString &caption,
                       QWidget *parent) override
    {
        // A window not shown yet (a warning from its show handler) has no place to centre
        // the box on: the active window, or else the screen, takes its part.
        QMessageBox box(parent && parent->window()->isVisible() ? parent : QApplication::activeWindow());
        box.setWindowTitle(caption);
        box.setText(text);
        switch (kind) {
        case TMsgKind::Error: box.setIcon(QMessageBox::Critical); break;
        case TMsgKind::Warning: box.setIcon(QMessageBox::Warning); break;
        case TMsgKind::Information: box.setIcon(QMessageBox::Information); break;
        case TMsgKind::Confirmation:
        case TMsgKind::ConfirmationCancel: box.setIcon(QMessageBox::Question); break;
        }
        if (kind == TMsgKind::ConfirmationCancel) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Yes);
            const int r = box.exec();
            return r == QMessageBox::Yes ? TMsgResult::Yes : r == QMessageBox::No ? TMsgResult::No : TMsgResult::Cancel;
        }
        if (kind == TMsgKind::Confirmation) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            return box.exec() == QMessageBox::Yes ? TMsgResult::Yes : TMsgResult::No;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return TMsgResult::OK;
    }

    QString OpenFile(const QString &caption, const QString &dir, const QString &filter,
                     QWidget *parent) override
    {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }

    QString SaveFile(const QString &caption, const QString &dir, const QString &filter,
                     QWidget *parent) override
    {
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    }
};

TRealDialogs g_real;
std::atomic<IDialogs *> g_current{nullptr};

QString CaptionOrAppName(const QString &caption)
{
    return caption.isEmpty() ? QCoreApplication::applicationName() : caption;
}

} // namespace

IDialogs &Dialogs()
{
    IDialogs *d = g_current.load();
    return d ? *d : g_real;
}

void SetDialogs(IDialogs *dialogs)
{
    g_current.store(dialogs);
}

void ShowMessage(const QString &text, QWidget *parent)
{
    Dialogs().Message(TMsgKind::Information, text, CaptionOrAppName({}), parent);
}

void MessageError(const QString &text, const QString &caption, QWidget *parent)
{
    Dialogs().Message(TMsgKind::Error, text, CaptionOrAppName(caption), parent);
}

void MessageWarning(const QString &text, const QString &caption, QWidget *parent)
{
    Dialogs().Message(TMsgKind::Warning, text, CaptionOrAppName(caption), parent);
}

void MessageInfo(const QString &text, const QString &caption, QWidget *parent)
{
    Dialogs().Message(TMsgKind::Information, text, CaptionOrAppName(caption), parent);
}

bool MessageYesNo(const QString &text, const QString &caption, QWidget *parent)
{
    return Dialogs().Message(TMsgKind::Confirmation, text, CaptionOrAppName(caption), parent) ==
           TMsgResult::Yes;
}

TMsgResult MessageYesNoCancel(const QString &text, const QString &caption, QWidget *parent)
{
    return Dialogs().Message(TMsgKind::ConfirmationCancel, text, CaptionOrAppName(caption), parent);
}

TMsgResult TFakeDialogs::Message(TMsgKind kind, const QString &text, const QString &caption,
                                 QWidget *)
{
    Calls.push_back({QStringLiteral("message"), kind, text, caption, {}, {}});
    if (kind != TMsgKind::Confirmation && kind != TMsgKind::ConfirmationCancel)
        return TMsgResult::OK;
    if (Answers.empty())
        return TMsgResult::Yes;
    const TMsgResult r = Answers.front();
    Answers.pop_front();
    // A Yes/No box has no Cancel button: a script that answers one so tests a question the
    // window never asks.
    if (kind == TMsgKind::Confirmation && r != TMsgResult::Yes && r != TMsgResult::No)
        throw std::logic_error("a Yes/No question cannot be answered Cancel: " + text.toStdString());
    return r;
}

namespace {
QString NextFileAnswer(std::deque<QString> &answers)
{
    if (answers.empty())
        return {};
    QString r = answers.front();
    answers.pop_front();
    return r;
}
} // namespace

QString TFakeDialogs::OpenFile(const QString &caption, const QString &dir, const QString &filter,
                               QWidget *)
{
    Calls.push_back({QStringLiteral("open"), TMsgKind::Information, caption, caption, dir, filter});
    return NextFileAnswer(FileAnswers);
}

QString TFakeDialogs::SaveFile(const QString &caption, const QString &dir, const QString &filter,
                               QWidget *)
{
    Calls.push_back({QStringLiteral("save"), TMsgKind::Information, caption, caption, dir, filter});
    return NextFileAnswer(FileAnswers);
}

QStringList TFakeDialogs::Texts() const
{
    QStringList out;
    for (const Call &c : Calls)
        if (c.what == QLatin1String("message"))
            out.append(c.text);
    return out;
}

QString TFakeDialogs::LastText() const
{
    for (auto it = Calls.rbegin(); it != Calls.rend(); ++it)
        if (it->what == QLatin1String("message"))
            return it->text;
    return {};
}
