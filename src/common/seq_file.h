#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace zq {

// Characters that input methods type where Windows' code page 932 has a
// look-alike of its own, replaced by that look-alike as Windows writes them:
// 〜 WAVE DASH by ～, − MINUS SIGN by －, ‖ by ∥, ¢ £ ¬ by ￠ ￡ ￢, — EM
// DASH by ―. Qt's converter refuses the originals.
QString CodePage932Forms(QString text);

// A text in code page 932, with its look-alikes (CodePage932Forms); each
// character the code page has no code for becomes "?", so that every
// reader of the code page accepts the bytes.
QByteArray CodePage932Bytes(const QString &text);

// The characters of a text that the files cannot hold, each once: those that
// code page 932 has no code for, and the double quote, which ends a text.
// Empty when the whole text can be written.
QString UnwritableCharacters(QStringView text);

// Writes the program's sequential text files: one line per endLine, its
// values separated by commas, texts in double quotes with the look-alikes of
// CodePage932Forms, numbers unquoted as PlainNumberText gives them, lines
// ended by CR LF, the whole file in code page 932.
class SeqWriter
{
public:
    SeqWriter &number(double value);
    SeqWriter &text(const QString &value);
    void endLine();

    // The file's bytes; false in *ok when a text has a character that code
    // page 932 cannot hold, or a double quote, which no reader could tell
    // from the end of the text.
    QByteArray bytes(bool *ok) const;

private:
    void separate();
    QString m_content;
    bool m_unquotable = false;
    bool m_lineStarted = false;
};

// Reads values separated by commas or line ends, removing the quotes of
// texts. Every read fails (returns false) past the end of the file or on a
// value of the wrong kind, so a damaged file is noticed before it is used.
// A number may be quoted ("1"). The file is code page 932, or UTF-8 when it
// starts with a byte-order mark or is valid UTF-8 but not code page 932.
class SeqReader
{
public:
    explicit SeqReader(const QByteArray &bytes);

    bool readText(QString *value);
    bool readNumber(double *value);      // a finite number
    bool readWhole(double *value);       // a finite whole number
    bool atEnd() const;

private:
    bool readField(QString *field, bool *quoted);
    QString m_text;
    qsizetype m_pos = 0;
    bool m_decoded = true; // false: neither code page 932 nor UTF-8, nothing reads
};

} // namespace zq
