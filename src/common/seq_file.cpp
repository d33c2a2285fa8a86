#include "common/seq_file.h"

#include "common/format.h"
#include "common/number.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace zq {

namespace {

const char *const CodePage = "CP932";

// Plain ASCII is itself in code page 932, both ways: such a file (most
// setting files) is read and written without loading the converter.
bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<uchar>(c) < 0x80; });
}

bool isAscii(QStringView text)
{
    return std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x80; });
}

// The converter is IBM's code page 943, which trades three control codes
// round (byte 0x1A reads as U+001C, 0x1C as U+007F, 0x7F as U+001A); Windows'
// code page 932, which wrote the files, keeps every ASCII code as it is. Its
// end-of-file mark 0x1A, above all, must read as itself. `read`: what the
// converter read, made as Windows reads it; otherwise a text made ready for
// the converter to write as Windows does.
QString windowsControls(QString text, bool read)
{
    static constexpr char16_t asRead[] = {0x1C, 0x7F, 0x1A}; // what the converter makes of 0x1A, 0x1C, 0x7F
    static constexpr char16_t asWritten[] = {0x1A, 0x1C, 0x7F};
    const char16_t *from = read ? asRead : asWritten;
    const char16_t *to = read ? asWritten : asRead;
    for (QChar &c : text)
        for (int i = 0; i < 3; ++i)
            if (c.unicode() == from[i]) {
                c = QChar(to[i]);
                break;
            }
    return text;
}

// Text of a file: code page 932 as the program writes it, or UTF-8 as a
// modern editor saves it (with a byte-order mark, or any file that is not
// code page 932 but is valid UTF-8).
bool decodeFile(const QByteArray &bytes, QString *text)
{
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        *text = utf8.decode(bytes.mid(bom.size()));
        return !utf8.hasError();
    }
    if (isAscii(bytes)) {
        *text = QString::fromLatin1(bytes);
        return true;
    }
    QStringDecoder cp932(CodePage);
    *text = cp932.decode(bytes);
    if (cp932.isValid() && !cp932.hasError()) {
        *text = windowsControls(*text, true);
        return true;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    *text = utf8.decode(bytes);
    return !utf8.hasError();
}

} // namespace

QString CodePage932Forms(QString text)
{
    static const struct {
        char16_t from;
        char16_t to;
    } forms[] = {
        {u'\u301C', u'\uFF5E'}, // 〜 WAVE DASH          -> ～ 0x8160
        {u'\u2212', u'\uFF0D'}, // − MINUS SIGN         -> － 0x817C
        {u'\u2016', u'\u2225'}, // ‖ DOUBLE VERTICAL LINE -> ∥ 0x8161
        {u'\u00A2', u'\uFFE0'}, // ¢                    -> ￠ 0x8191
        {u'\u00A3', u'\uFFE1'}, // £                    -> ￡ 0x8192
        {u'\u00AC', u'\uFFE2'}, // ¬                    -> ￢ 0x81CA
        {u'\u2014', u'\u2015'}, // — EM DASH            -> ― 0x815C
    };
    for (QChar &c : text)
        for (const auto &f : forms)
            if (c.unicode() == f.from)
                c = QChar(f.to);
    return text;
}

QByteArray CodePage932Bytes(const QString &text)
{
    const QString forms = CodePage932Forms(text);
    if (isAscii(forms))
        return forms.toLatin1();
    const QString mapped = windowsControls(forms, false);
    QStringEncoder whole(CodePage);
    QByteArray out = whole.encode(mapped);
    if (!whole.hasError())
        return out;
    // The converter writes a code of its own for what it cannot convert;
    // character by character, those become "?".
    out.clear();
    for (qsizetype i = 0; i < mapped.size();) {
        const qsizetype n = mapped[i].isHighSurrogate() && i + 1 < mapped.size() ? 2 : 1;
        QStringEncoder one(CodePage);
        const QByteArray encoded = one.encode(QStringView(mapped).mid(i, n));
        out += one.hasError() ? QByteArray("?") : encoded;
        i += n;
    }
    return out;
}

QString UnwritableCharacters(QStringView text)
{
    QString found;
    const QString mapped = CodePage932Forms(text.toString());
    for (qsizetype i = 0; i < mapped.size();) {
        const qsizetype n = mapped[i].isHighSurrogate() && i + 1 < mapped.size() ? 2 : 1;
        const QStringView one = QStringView(mapped).mid(i, n);
        QStringEncoder encoder(CodePage);
        const QByteArray encoded = encoder.encode(one); // the conversion runs here
        const QString original = text.mid(i, n).toString();
        if ((encoder.hasError() || one == u"\"") && !found.contains(original))
            found += original;
        i += n;
    }
    return found;
}

void SeqWriter::separate()
{
    if (m_lineStarted)
        m_content += u',';
    m_lineStarted = true;
}

SeqWriter &SeqWriter::number(double value)
{
    separate();
    m_content += PlainNumberText(value);
    return *this;
}

SeqWriter &SeqWriter::text(const QString &value)
{
    separate();
    if (value.contains(u'"'))
        m_unquotable = true;
    m_content += u'"';
    m_content += value;
    m_content += u'"';
    return *this;
}

void SeqWriter::endLine()
{
    m_content += QStringLiteral("\r\n");
    m_lineStarted = false;
}

QByteArray SeqWriter::bytes(bool *ok) const
{
    const QString content = CodePage932Forms(m_content);
    if (isAscii(content)) {
        if (ok)
            *ok = !m_unquotable;
        return content.toLatin1();
    }
    QStringEncoder encoder(CodePage);
    QByteArray out = encoder.encode(windowsControls(content, false));
    if (ok)
        *ok = encoder.isValid() && !encoder.hasError() && !m_unquotable;
    return out;
}

SeqReader::SeqReader(const QByteArray &bytes)
{
    m_decoded = decodeFile(bytes, &m_text);
}

bool SeqReader::atEnd() const
{
    qsizetype i = m_pos;
    while (i < m_text.size()) {
        const QChar c = m_text[i];
        if (!IsBlank(c) && c != QChar(0x1a)) // an end-of-file mark may close the file
            return false;
        ++i;
    }
    return true;
}

bool SeqReader::readField(QString *field, bool *quoted)
{
    const qsizetype n = m_text.size();
    // Leading blanks and any line ends before the value.
    while (m_pos < n && IsBlank(m_text[m_pos]))
        ++m_pos;
    if (m_pos >= n)
        return false;

    field->clear();
    *quoted = m_text[m_pos] == u'"';
    if (*quoted) {
        const qsizetype close = m_text.indexOf(u'"', m_pos + 1);
        if (close < 0)
            return false;
        *field = m_text.mid(m_pos + 1, close - m_pos - 1);
        m_pos = close + 1;
    }
    // Up to the comma or the line end that ends the value.
    const qsizetype start = m_pos;
    while (m_pos < n && m_text[m_pos] != u',' && m_text[m_pos] != u'\r' && m_text[m_pos] != u'\n')
        ++m_pos;
    if (!*quoted)
        *field = m_text.mid(start, m_pos - start).trimmed();
    else if (!m_text.mid(start, m_pos - start).trimmed().isEmpty())
        return false; // text after the closing quote
    if (m_pos < n && m_text[m_pos] == u',') {
        ++m_pos;
    } else if (m_pos < n && m_text[m_pos] == u'\r') {
        ++m_pos;
        if (m_pos < n && m_text[m_pos] == u'\n')
            ++m_pos;
    } else if (m_pos < n) {
        ++m_pos;
    }
    return true;
}

bool SeqReader::readText(QString *value)
{
    if (!m_decoded)
        return false;
    bool quoted = false;
    QString field;
    if (!readField(&field, &quoted))
        return false;
    *value = field;
    return true;
}

bool SeqReader::readNumber(double *value)
{
    if (!m_decoded)
        return false;
    bool quoted = false;
    QString field;
    if (!readField(&field, &quoted)) // a quoted number ("1") reads as that number
        return false;
    double v = 0.0;
    if (!ReadsAsNumber(field, &v) || !std::isfinite(v)) {
        // Files written before the largest doubles were written toward zero.
        const QStringView digits = QStringView(field).trimmed();
        const bool negative = digits.startsWith(u'-');
        if (digits.mid(negative ? 1 : 0).compare(LargestRoundedText, Qt::CaseInsensitive) != 0)
            return false;
        v = negative ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    }
    *value = v;
    return true;
}

bool SeqReader::readWhole(double *value)
{
    double v = 0.0;
    if (!readNumber(&v) || v != std::floor(v))
        return false;
    *value = v;
    return true;
}

} // namespace zq
