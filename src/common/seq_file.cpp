#include "common/seq_file.h"

#include "common/number.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <charconv>
#include <cmath>

namespace zq {

namespace {
const char *const CodePage = "CP932";
}

QString SeqNumberText(double value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0.0)
        return QStringLiteral("0");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buf, res.ptr - buf);
    return text.toUpper(); // "1e+15" -> "1E+15"
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
    m_content += SeqNumberText(value);
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
    QStringEncoder encoder(CodePage);
    QByteArray out = encoder.encode(m_content);
    if (ok)
        *ok = encoder.isValid() && !encoder.hasError() && !m_unquotable;
    return out;
}

SeqReader::SeqReader(const QByteArray &bytes)
{
    QStringDecoder decoder(CodePage);
    m_text = decoder.decode(bytes);
    m_decoded = decoder.isValid() && !decoder.hasError();
}

bool SeqReader::atEnd() const
{
    qsizetype i = m_pos;
    while (i < m_text.size()) {
        const QChar c = m_text[i];
        if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\n' && c != QChar(0x1a))
            return false;
        ++i;
    }
    return true;
}

bool SeqReader::readField(QString *field, bool *quoted)
{
    const qsizetype n = m_text.size();
    // Leading blanks and any line ends before the value.
    while (m_pos < n && (m_text[m_pos] == u' ' || m_text[m_pos] == u'\t' || m_text[m_pos] == u'\r'
                         || m_text[m_pos] == u'\n'))
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
    if (!readField(&field, &quoted) || quoted)
        return false;
    double v = 0.0;
    if (!ReadsAsNumber(field, &v) || !std::isfinite(v))
        return false;
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
