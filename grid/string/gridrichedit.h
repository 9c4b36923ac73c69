#pragma once
// TDazRichEdit: the grid's rich-text edit. It loads and stores cell texts as RTF (see
// richtext.h), sets or reads the selection's superscript and subscript, and asks for more
// height when its text grows.
#include <QTextEdit>

#include <functional>

class TDazStringGrid;

class TDazRichEdit : public QTextEdit
{
public:
    explicit TDazRichEdit(QWidget *Parent = nullptr);

    void SetRtf(const QString &Text);
    QString Rtf() const;

    void SelNormal() { SetSelVertical(0); }
    void SelSubscript() { SetSelVertical(-1); }
    void SelSuperscript() { SetSelVertical(1); }
    bool IsSelNormal() const { return SelVertical() == 0; }
    bool IsSelSubscript() const { return SelVertical() == -1; }
    bool IsSelSuperscript() const { return SelVertical() == 1; }

    // Set by the grid for its in-place instance: a key the grid takes (true: handled) and
    // the loss of the focus.
    std::function<bool(QKeyEvent *)> OnGridKey;
    std::function<void(Qt::FocusReason)> OnFocusLost;
    // The height (pixels) the text needs after it changed; not while locked.
    std::function<void(int Height)> OnRequestResize;
    // Growth is suspended while the grid loads the editor.
    void LockResize() { FLocked = true; }
    void UnlockResize() { FLocked = false; }

protected:
    bool event(QEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;

private:
    void SetSelVertical(int Offset);
    int SelVertical() const;
    void ContentsChanged();
    bool FLocked = false;
};
