#include "wizard/Binding.h"

#include <QComboBox>
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

void bindComboText(QComboBox *box, PremiumSheet &sheet, SheetText field)
{
    // Empty text also takes the position away, as a box that was never
    // picked from has none.
    const auto show = [box](const QString &value) {
        if (value.isEmpty()) {
            box->setCurrentIndex(-1);
            box->clearEditText();
        } else if (box->currentText() != value) {
            box->setEditText(value);
        }
    };
    show(sheet.text(field));
    QObject::connect(box, &QComboBox::editTextChanged, &sheet,
        [&sheet, field](const QString &text) { sheet.setText(field, text); });
    QObject::connect(
        &sheet, &PremiumSheet::textChanged, box, [show, field](SheetText changed, const QString &value) {
            if (changed == field)
                show(value);
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
