#include "wizard/Binding.h"

#include <QLabel>
#include <QLineEdit>

namespace karvo {

void bindText(QLineEdit *box, PremiumSheet &sheet, SheetText field)
{
    box->setText(sheet.text(field));
    QObject::connect(box, &QLineEdit::textChanged, &sheet,
        [&sheet, field](const QString &text) { sheet.setText(field, text); });
    QObject::connect(
        &sheet, &PremiumSheet::textChanged, box, [box, field](SheetText changed, const QString &value) {
            if (changed == field && box->text() != value)
                box->setText(value);
        });
}

void bindLabel(QLabel *label, PremiumSheet &sheet, SheetText field)
{
    label->setText(sheet.text(field));
    QObject::connect(
        &sheet, &PremiumSheet::textChanged, label, [label, field](SheetText changed, const QString &value) {
            if (changed == field)
                label->setText(value);
        });
}

} // namespace karvo
