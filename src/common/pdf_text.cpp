#include "common/pdf_text.h"

#include "common/seq_file.h"

namespace zq {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The code of a 4-digit hex string <XXXX> starting at `at` (the '<'), or -1.
int codeAt(const QByteArray &pdf, qsizetype at)
{
    if (at + 5 >= pdf.size() || pdf[at] != '<' || pdf[at + 5] != '>')
        return -1;
    int code = 0;
    for (int i = 1; i <= 4; ++i) {
        const int digit = hexValue(pdf[at + i]);
        if (digit < 0)
            return -1;
        code = code * 16 + digit;
    }
    return code;
}

// Writes a code over the four digits of <XXXX> at `at`, when its code page
// 932 form differs.
void rewrite(QByteArray &pdf, qsizetype at)
{
    const int code = codeAt(pdf, at);
    if (code < 0)
        return;
    const QChar form = CodePage932Forms(QString(QChar(char16_t(code)))).at(0);
    if (form.unicode() == code)
        return;
    static const char digits[] = "0123456789ABCDEF";
    for (int i = 0; i < 4; ++i)
        pdf[at + 4 - i] = digits[(form.unicode() >> (4 * i)) & 0xF];
}

qsizetype skipBlanks(const QByteArray &pdf, qsizetype at, qsizetype end)
{
    while (at < end && (pdf[at] == ' ' || pdf[at] == '\n' || pdf[at] == '\r' || pdf[at] == '\t'))
        ++at;
    return at;
}

// One section "beginbfrange ... endbfrange": lines "<first> <last> <code>"
// (codes counting up from `code`) or "<first> <last> [<code> ...]".
void rewriteRanges(QByteArray &pdf, qsizetype at, qsizetype end)
{
    for (;;) {
        at = skipBlanks(pdf, at, end);
        const int first = codeAt(pdf, at);
        const qsizetype lastAt = skipBlanks(pdf, at + 6, end);
        const int last = codeAt(pdf, lastAt);
        if (first < 0 || last < 0)
            return;
        at = skipBlanks(pdf, lastAt + 6, end);
        if (at < end && pdf[at] == '[') {
            at = skipBlanks(pdf, at + 1, end);
            while (at < end && pdf[at] == '<') {
                const qsizetype close = pdf.indexOf('>', at);
                if (close < 0 || close > end)
                    return;
                if (close == at + 5)
                    rewrite(pdf, at);
                at = skipBlanks(pdf, close + 1, end);
            }
            if (at >= end || pdf[at] != ']')
                return;
            ++at;
        } else {
            if (first == last)
                rewrite(pdf, at);
            const qsizetype close = pdf.indexOf('>', at);
            if (close < 0 || close > end)
                return;
            at = close + 1;
        }
    }
}

// One section "beginbfchar ... endbfchar": lines "<glyph> <code>".
void rewriteChars(QByteArray &pdf, qsizetype at, qsizetype end)
{
    for (;;) {
        at = skipBlanks(pdf, at, end);
        if (codeAt(pdf, at) < 0)
            return;
        at = skipBlanks(pdf, at + 6, end);
        const qsizetype close = pdf.indexOf('>', at);
        if (at >= end || pdf[at] != '<' || close < 0 || close > end)
            return;
        if (close == at + 5)
            rewrite(pdf, at);
        at = close + 1;
    }
}

void rewriteSections(QByteArray &pdf, const char *begin, const char *endMark,
                     void (*rewriteSection)(QByteArray &, qsizetype, qsizetype))
{
    const QByteArray open(begin);
    const QByteArray close(endMark);
    for (qsizetype at = pdf.indexOf(open); at >= 0; at = pdf.indexOf(open, at)) {
        at += open.size();
        const qsizetype end = pdf.indexOf(close, at);
        if (end < 0)
            return;
        rewriteSection(pdf, at, end);
        at = end;
    }
}

} // namespace

QByteArray PdfTextInCodePage932(QByteArray pdf)
{
    rewriteSections(pdf, "beginbfrange", "endbfrange", rewriteRanges);
    rewriteSections(pdf, "beginbfchar", "endbfchar", rewriteChars);
    return pdf;
}

} // namespace zq
