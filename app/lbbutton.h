#pragma once
// The push button of every window. A click runs OnClick and then, when the button has a
// modal result, closes its dialog with it.
#include <QPushButton>
#include <functional>

// Modal results as the windows use them.
constexpr int mrNone = 0;
constexpr int mrOk = 1;
constexpr int mrCancel = 2;

class TLbButton : public QPushButton
{
    Q_OBJECT
public:
    explicit TLbButton(QWidget *parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString &caption);
    QString Hint() const { return toolTip(); }
    void SetHint(const QString &hint) { setToolTip(hint); }
    int ModalResult() const { return modal_result_; }
    void SetModalResult(int result) { modal_result_ = result; }

    std::function<void(QObject *sender)> OnClick;

    // What a mouse click does; tests call it directly.
    void Click();

private:
    int modal_result_ = mrNone;
};
