#include "app/about.h"

TFAbout *FAbout = nullptr;

// The about box takes no texts from the table.
TFAbout::TFAbout(QWidget *parent) : TFPlaceholder(parent, -1, Copy_SW_Code, QStringLiteral("About"))
{
}
