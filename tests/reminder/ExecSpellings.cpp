#include "ExecSpellings.h"

using namespace Qt::Literals::StringLiterals;

namespace reminder_test {

// Exec has three layers: the string value's escapes (backslash doubled, \n,
// \t), the quoting (\" \` \$ \\ within the quotes) and the field codes (%%).
// TryExec has the first alone.
std::span<const ExecSpelling> execSpellings()
{
    static const ExecSpelling spellings[] = {
        { "plain", u"karvo"_s, u"karvo"_s, u"karvo"_s },
        { "blanks", u"My Programs"_s, u"My Programs"_s, u"My Programs"_s },
        { "cyrillic", u"Программы"_s, u"Программы"_s, u"Программы"_s },
        { "double quotes", uR"(my "karvo")"_s, uR"(my \\"karvo\\")"_s, uR"(my "karvo")"_s },
        { "dollar", u"$HOME"_s, uR"(\\$HOME)"_s, u"$HOME"_s },
        { "backticks", u"`id`"_s, uR"(\\`id\\`)"_s, u"`id`"_s },
        { "backslash", uR"(a\b)"_s, uR"(a\\\\b)"_s, uR"(a\\b)"_s },
        { "trailing backslash", uR"(a\)"_s, uR"(a\\\\)"_s, uR"(a\\)"_s },
        { "percent", u"100%u"_s, u"100%%u"_s, u"100%u"_s },
        { "percent first", u"%f"_s, u"%%f"_s, u"%f"_s },
        { "two percents", u"%%"_s, u"%%%%"_s, u"%%"_s },
        { "cyrillic and percent", u"Программы 100%"_s, u"Программы 100%%"_s, u"Программы 100%"_s },
        { "equals sign", u"a=b"_s, u"a=b"_s, u"a=b"_s },
        { "shell characters need only the quotes", u"it's; rm -rf ~ | & > * ? # ()"_s,
            u"it's; rm -rf ~ | & > * ? # ()"_s, u"it's; rm -rf ~ | & > * ? # ()"_s },
        { "line break and tab", u"a\nb\tc"_s, uR"(a\nb\tc)"_s, uR"(a\nb\tc)"_s },
        { "everything at once", uR"(a "b" $c %d \e)"_s, uR"(a \\"b\\" \\$c %%d \\\\e)"_s,
            uR"(a "b" $c %d \\e)"_s },
    };
    return spellings;
}

} // namespace reminder_test
