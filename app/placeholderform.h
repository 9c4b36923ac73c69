#pragma once
// Stand-in base of the windows whose subsystem is not built yet: a modal dialog with the
// software-code label whose caption is the first text of its block. Each window's own
// issue replaces the base with the real window.
#include <QDialog>

class QLabel;

class TFPlaceholder : public QDialog
{
public:
    enum TCreation {
        Copy_SW_Code = 1,      // the creation copies SW_Code into L_SW_Code
        Lang_On_Create = 2,    // the creation calls Set_Lang
        Standard = Copy_SW_Code | Lang_On_Create,
    };
    // caption_text: the text number of the caption, -1 for a fixed caption.
    TFPlaceholder(QWidget *parent, int caption_text, int creation = Standard,
                  const QString &fixed_caption = {});

    virtual void Set_Lang();

    QLabel *L_SW_Code;

private:
    int caption_text_;
};
