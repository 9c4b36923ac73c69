#pragma once
// The frame the small dialogs of this folder share: the window look, a vertical layout
// and the title panel with the software code on top.
class QDialog;
class QLabel;
class QVBoxLayout;
class QWidget;

QVBoxLayout *Create_Dialog_Layout(QDialog *form, const char *name, QLabel *&L_SW_Code, QLabel *&L_SW_Desc,
                                  int spacing = 0);
// A one-line label at a place of its parent.
QLabel *New_Label(QWidget *parent, const char *name, int x, int y, int w);
