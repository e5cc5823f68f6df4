#pragma once

#include "model/PremiumSheet.h"

class QComboBox;
class QLabel;
class QLineEdit;

// A value box and its sheet field are one value: the box shows what the sheet
// holds, and typing into the box changes the sheet. The sheet signals only
// real changes, so the two directions never loop.
namespace karvo {

void bindText(QLineEdit *box, PremiumSheet &sheet, SheetText field);
// The same for the text of a drop-down that takes typed text: what it shows,
// typed or picked, is the sheet's text; picking runs its own handler.
void bindComboText(QComboBox *box, PremiumSheet &sheet, SheetText field);
// A label that only shows a sheet text (the КН note).
void bindLabel(QLabel *label, PremiumSheet &sheet, SheetText field);

} // namespace karvo
