// Feeds arbitrary text to the coefficient parser and checks what it promises:
// a value it accepts formats back to a text that parses to the same value, and
// multiplying by it never overflows silently.
#include "model/Money.h"

#include <QString>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<karvo::Money> value = karvo::Money::parse(text);
    if (!value)
        return 0;
    const std::optional<karvo::Money> again = karvo::Money::parse(value->toText());
    if (!again || *again != *value)
        std::abort();
    if (const std::optional<karvo::Money> square = value->times(*value)) {
        if (square->isNegative())
            std::abort();
    }
    (void)karvo::Money::fromDouble(value->toDouble());
    return 0;
}
