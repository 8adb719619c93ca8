#include "rtf/controlwords.h"

#include <algorithm>
#include <initializer_list>

namespace rtf {

namespace {

bool isOneOf(std::string_view word, std::initializer_list<std::string_view> words) {
    return std::find(words.begin(), words.end(), word) != words.end();
}

}  // namespace

bool isSkippedDestination(std::string_view word) {
    return isOneOf(word, {"stylesheet",
                          "info",
                          "pict",
                          "object",
                          "header",
                          "headerl",
                          "headerr",
                          "headerf",
                          "footer",
                          "footerl",
                          "footerr",
                          "footerf",
                          "footnote",
                          "annotation",
                          "fldinst",
                          "themedata",
                          "colorschememapping",
                          "latentstyles",
                          "datastore",
                          "listtable",
                          "listoverridetable",
                          "rsidtbl",
                          "generator",
                          "xmlnstbl",
                          "revtbl",
                          "filetbl",
                          "pgdsctbl",
                          "nonshppict",
                          "shpinst",
                          "mmathPr",
                          "bkmkstart",
                          "bkmkend",
                          "xe",
                          "tc",
                          "txe",
                          "rxe",
                          "objdata",
                          "result",
                          "atnid",
                          "atnauthor",
                          "pn",
                          "listpicture",
                          "fchars",
                          "lchars",
                          "author",
                          "operator",
                          "title",
                          "comment"});
}

bool isUnderlineOn(std::string_view word) {
    return isOneOf(
        word, {"ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth", "ulthd",
               "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave"});
}

}  // namespace rtf
